#include "config/settings.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/drop_fixture.h"
#include "tools/backup.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
const uint64_t kDay = 864000000000ull;   // one day in file-time units
const uint64_t k2020 = 132223104000000000ull; // 2020-01-01 00:00 UTC

class Backup : public DropSafeTest {
  protected:
    void SetUp() override {
        DropSafeTest::SetUp();
        backups = Path("backups");
        ASSERT_EQ(PL_CreateDirectory(backups.c_str()), 0);
        snprintf(Settings.BackupPath, sizeof Settings.BackupPath, "%s", backups.c_str());
        Settings.BackupGenerations = 3;
        safe = OpenSafe("home.saf", "pw");
    }
    void TearDown() override {
        SW_SetAutoBackup(nullptr);
        DropSafeTest::TearDown();
    }
    std::string Gen(int g) { return backups + "\\home.saf." + std::to_string(g); }
    std::string DropGen(int g) { return backups + "\\home.saf.df." + std::to_string(g); }
    void Age(int g, uint64_t t) { ASSERT_EQ(PL_SetFileWriteTime(Gen(g).c_str(), t), 0); }
    std::string safe, backups;
};
} // namespace

TEST_F(Backup, GenerationsFillUpThenTheOldestIsReused) {
    for (int g = 0; g < 3; ++g) {
        ASSERT_EQ(BW_Backup(safe.c_str()), 0);
        EXPECT_TRUE(FileExists(Gen(g))) << "the first missing generation is taken";
        EXPECT_FALSE(FileExists(Gen(g) + ".~tmp"));
    }
    EXPECT_FALSE(FileExists(Gen(3)));
    EXPECT_EQ(ReadFile(Gen(1)), ReadFile(safe));
    Age(0, k2020 + 2 * kDay);
    Age(1, k2020 + 1 * kDay);
    Age(2, k2020 + 3 * kDay);
    EXPECT_EQ(BW_ChooseGeneration((backups + "\\home.saf").c_str(), 3), 1) << "written longest ago";

    ASSERT_TRUE(WriteFile(Gen(1), "old"));
    Age(1, k2020 + 1 * kDay);
    ASSERT_EQ(BW_Backup(safe.c_str()), 0);
    EXPECT_EQ(ReadFile(Gen(1)), ReadFile(safe)) << "the fourth backup went over the oldest";

    // Equal times: the lowest number wins.
    Age(0, k2020);
    Age(1, k2020);
    Age(2, k2020);
    EXPECT_EQ(BW_ChooseGeneration((backups + "\\home.saf").c_str(), 3), 0);

    // A generation deleted by hand is taken first, whatever the others' ages.
    ASSERT_EQ(PL_DeleteFile(Gen(1).c_str()), 0);
    Age(2, k2020 - kDay);
    ASSERT_EQ(BW_Backup(safe.c_str()), 0);
    EXPECT_TRUE(FileExists(Gen(1)));
    EXPECT_EQ(ui.shown.size(), 0u);
}

TEST_F(Backup, TheDropFileIsBackedUpOnlyWithEntries) {
    ASSERT_EQ(BW_Backup(safe.c_str()), 0);
    EXPECT_FALSE(FileExists(DropGen(0)));

    ASSERT_TRUE(WriteFile(Path("doc.txt"), "x"));
    EXPECT_EQ(DW_AddDropList(Path("doc.txt").c_str(), KZ_FILE, 0x20), 0);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ASSERT_EQ(BW_Backup(safe.c_str()), 0);
    ASSERT_TRUE(FileExists(DropGen(1)));
    EXPECT_EQ(ReadFile(DropGen(1)), ReadFile(safe + ".df"));
    EXPECT_TRUE(PL_GetFileAttributes(DropGen(1).c_str()) & PL_ATTR_HIDDEN) << "a copy keeps the attributes";
    std::string dropBackup = ReadFile(DropGen(1));

    // Emptied: later backups copy no drop file, and one made before stays.
    DW_FreeDroptabelle();
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(BW_Backup(safe.c_str()), 0);
    EXPECT_EQ(ReadFile(DropGen(1)), dropBackup);
    EXPECT_FALSE(FileExists(DropGen(0)));
    EXPECT_FALSE(FileExists(DropGen(2)));
}

TEST_F(Backup, AFailedCopyLeavesThePreviousBackupIntact) {
    ASSERT_TRUE(WriteFile(Gen(0), "previous generation"));
    ASSERT_TRUE(WriteFile(Gen(1), "previous generation"));
    ASSERT_TRUE(WriteFile(Gen(2), "previous generation"));
    Age(0, k2020);
    Age(1, k2020 + kDay);
    Age(2, k2020 + kDay);
    for (PL_FAULT fault : {PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        ui.shown.clear();
        PL_FailCall(fault, 1);
        EXPECT_EQ(BW_Backup(safe.c_str()), -1) << fault;
        PL_ResetFaults();
        EXPECT_EQ(ReadFile(Gen(0)), "previous generation") << fault;
        EXPECT_FALSE(FileExists(Gen(0) + ".~tmp")) << fault;
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, "backup error (Details in logfile)!");
        EXPECT_EQ(ui.shown[0].caption, "Error");
        EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);
    }
    EXPECT_NE(Log().find("*BW02* Backup [" + Gen(0) + "] error - code: "), std::string::npos);

    // No backup directory at all is an error too.
    Settings.BackupPath[0] = 0;
    ui.shown.clear();
    EXPECT_EQ(BW_Backup(safe.c_str()), -1);
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(Backup, TheWriterBacksUpOnlyWhenAskedAndAutoBackupIsOn) {
    BW_InstallAutoBackup();
    Settings.AutoBackup = true;
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    EXPECT_FALSE(FileExists(Gen(0)));
    ASSERT_EQ(SW_PutSafe(1, 0), 0);
    EXPECT_TRUE(FileExists(Gen(0)));
    EXPECT_EQ(ReadFile(Gen(0)), ReadFile(safe));
    Settings.AutoBackup = false;
    ASSERT_EQ(SW_PutSafe(1, 0), 0);
    EXPECT_FALSE(FileExists(Gen(1)));
}

TEST_F(Backup, BackupSafeCommand) {
    ui.answers = {UI_IDNO};
    EXPECT_EQ(BW_BackupSafeCommand(), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Backup current safe ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_FALSE(FileExists(Gen(0)));

    Settings.AutoBackup = true; // the command's own write makes no second backup
    BW_InstallAutoBackup();
    ui.shown.clear();
    ui.answers = {UI_IDYES};
    EXPECT_EQ(BW_BackupSafeCommand(), 0);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, "Backup done!");
    EXPECT_EQ(ui.shown[1].caption, "Notice");
    EXPECT_EQ(ui.shown[1].style, UI_MB_OK | UI_MB_ICONINFORMATION);
    EXPECT_TRUE(FileExists(Gen(0)));
    EXPECT_FALSE(FileExists(Gen(1)));

    EXPECT_EQ(SW_CloseSafe(0), 0);
    ui.shown.clear();
    EXPECT_EQ(BW_BackupSafeCommand(), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "can't do, please open safe first");
    EXPECT_EQ(ui.shown[0].caption, "Error");
}

TEST_F(Backup, BackupToAnyDirectoryForTheTerminal) {
    std::string other = Path("elsewhere");
    ASSERT_EQ(PL_CreateDirectory(other.c_str()), 0);
    ASSERT_TRUE(WriteFile(safe + ".df", "drop"));
    int g = -1;
    ASSERT_EQ(BW_BackupTo(safe.c_str(), other.c_str(), 2, 1, &g), 0);
    EXPECT_EQ(g, 0);
    ASSERT_EQ(BW_BackupTo(safe.c_str(), other.c_str(), 2, 0, &g), 0);
    EXPECT_EQ(g, 1);
    EXPECT_EQ(ReadFile(other + "\\home.saf.df.0"), "drop");
    EXPECT_FALSE(FileExists(other + "\\home.saf.df.1"));
    uint64_t source = 0, copy = 0;
    ASSERT_EQ(PL_GetFileWriteTime(safe.c_str(), &source), 0);
    ASSERT_EQ(PL_GetFileWriteTime((other + "\\home.saf.1").c_str(), &copy), 0);
    EXPECT_EQ(copy, source) << "a copy keeps its source's time";
}
