#include "tools/options_pages.h"

#include "config/inifile.h"
#include "support/fake_shell.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace testsupport;

namespace {
class OptionsPages : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        Reset();
    }
    // The settings file and the settings as every case starts from them.
    void Reset() {
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nBackupPath=" + dir +
                                                        "\r\nNoteAlertSoundFile=C:\\old.wav\r\nTimeOut=yes\r\n"));
        II_ReadSettings();
    }
    static std::string Stored(const char *key) {
        char value[II_VALUE_SIZE];
        return II_GetString(II_SECTION_OPTIONS, key, value, INI_FILE_SETTINGS) ? value : "(none)";
    }
    FakeShell shell; // no autostart entry is made in the real registry
};

DLG_ANSWER Folder(std::function<void(OP_FOLDER_PAGE &)> change) {
    OP_FOLDER_PAGE p;
    OP_FolderOpen(&p);
    change(p);
    return OP_FolderApply(&p);
}
} // namespace

TEST_F(OptionsPages, ApplyChecksAndStoresEachPage) {
    struct Row {
        const char *name;
        std::function<DLG_ANSWER()> apply;
        const char *message; // "" when applied
        const char *key;
        const char *stored;
        std::function<int32_t()> memory;
        int32_t inMemory;
    };
    const std::string missing = dir + "\\missing";
    auto generations = [](const char *g) { return [g] { return Folder([g](OP_FOLDER_PAGE &p) { strcpy(p.Generations, g); }); }; };
    const Row rows[] = {
        {"0", generations("0"), "invalid backup generations (1-9)!", "BackupGenerations", "(none)",
         [] { return Settings.BackupGenerations; }, 5},
        {"10", generations("10"), "invalid backup generations (1-9)!", "BackupGenerations", "(none)",
         [] { return Settings.BackupGenerations; }, 5},
        {"a", generations("a"), "invalid backup generations (1-9)!", "BackupGenerations", "(none)",
         [] { return Settings.BackupGenerations; }, 5},
        {"9", generations("9"), "", "BackupGenerations", "9", [] { return Settings.BackupGenerations; }, 9},
        {"no backup path with automatic backup",
         [] { return Folder([](OP_FOLDER_PAGE &p) { p.BackupPath[0] = 0, p.AutoBackup = true; }); },
         "backup automatic selected, missing backup path!", "AutoBackup", "(none)",
         [] { return int32_t(Settings.AutoBackup); }, 0},
        {"no backup path without it keeps the stored one",
         [] { return Folder([](OP_FOLDER_PAGE &p) { p.BackupPath[0] = 0, p.OpenLastSafe = true; }); }, "",
         "OpenLastSafe", "yes", [] { return int32_t(Settings.BackupPath[0] != 0); }, 1},
        {"a safe folder that is not there",
         [&] { return Folder([&](OP_FOLDER_PAGE &p) { strcpy(p.SafePath, missing.c_str()); }); }, "invalid path",
         "SafePath", "(none)", [] { return int32_t(Settings.SafePath[0]); }, 0},
        {"0 minutes with TimeOut on",
         [] {
             OP_PROGRAM_PAGE p;
             OP_ProgramOpen(&p);
             strcpy(p.Minutes, "0");
             return OP_ProgramApply(&p);
         },
         "", "TimeOutMinutes", "0", [] { return Settings.TimeOutMinutes; }, 10},
        {"0 seconds for the quick window",
         [] {
             OP_MISC_PAGE p;
             OP_MiscOpen(&p);
             strcpy(p.Seconds, "0");
             return OP_MiscApply(&p);
         },
         "", "QWMinimizeTime", "0", [] { return Settings.QWMinimizeTime; }, 15},
        {"no alert sound",
         [] {
             OP_MISC_PAGE p;
             OP_MiscOpen(&p);
             p.SoundFile[0] = 0;
             return OP_MiscApply(&p);
         },
         "", "NoteAlertSoundFile", "C:\\old.wav", [] { return int32_t(Settings.NoteAlertSoundFile[0]); }, 0},
        {"no algorithm",
         [] {
             OP_CRYPTO_PAGE p;
             OP_CryptoOpen(&p);
             OP_CryptoClicked(&p, OP_AES, false);
             return OP_CryptoApply(&p);
         },
         "", "CryptAlgo", "10", [] { return Settings.CryptAlgo; }, 10},
        {"Blowfish clears AES",
         [] {
             OP_CRYPTO_PAGE p;
             OP_CryptoOpen(&p);
             OP_CryptoClicked(&p, OP_BLOWFISH, true);
             return OP_CryptoApply(&p);
         },
         "", "CryptAlgo", "9", [] { return Settings.CryptAlgo; }, 9},
        {"no icon size",
         [] {
             OP_DISPLAY_PAGE p;
             OP_DisplayOpen(&p);
             p.IconSize = 0;
             return OP_DisplayApply(&p);
         },
         "", "IconSize", "16", [] { return Settings.IconSize; }, 16},
    };
    for (const Row &row : rows) {
        Reset();
        SCOPED_TRACE(row.name);
        DLG_ANSWER a = row.apply();
        EXPECT_EQ(a.nAction, *row.message ? DLG_STAY : DLG_CLOSE_OK);
        EXPECT_STREQ(a.lpText ? a.lpText : "", row.message);
        EXPECT_EQ(Stored(row.key), row.stored);
        EXPECT_EQ(row.memory(), row.inMemory);
    }
}

TEST_F(OptionsPages, TheWindowsLookAndTheSkinExcludeEachOther) {
    OP_DISPLAY_PAGE p;
    OP_DisplayOpen(&p);
    EXPECT_TRUE(p.Windows);
    DLG_ANSWER a = OP_DisplayWindowsClicked(&p, false);
    EXPECT_STREQ(a.lpText, "Please select skin first");
    EXPECT_STREQ(a.lpCaption, "Notice");
    OP_DisplaySkinChosen(&p, "C:\\skins\\blue.smf");
    EXPECT_FALSE(p.Windows);
    ASSERT_EQ(OP_DisplayApply(&p).nAction, DLG_CLOSE_OK);
    EXPECT_EQ(Stored("Skinfile"), "C:\\skins\\blue.smf");
    EXPECT_EQ(OP_DisplayWindowsClicked(&p, true).lpText, nullptr);
    ASSERT_EQ(OP_DisplayApply(&p).nAction, DLG_CLOSE_OK);
    EXPECT_STREQ(Settings.Skinfile, "");
}
