#include "config/settings.h"

#include "config/inifile.h"
#include "frame/trace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace testsupport;

namespace {
class SettingsFile : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        memset(&Settings, 0x5A, sizeof Settings); // nothing may be left from before
    }
    // Reads a settings file holding the given lines of section "Options".
    void Read(const std::string &options) {
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\n" + options));
        II_ReadSettings();
    }
};
} // namespace

TEST_F(SettingsFile, AnEmptyFileGivesTheDefaultsAndGetsTheVersion) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), ""));
    II_ReadSettings();
    const SETTINGS &s = Settings;
    for (bool flag : {s.OpenLastSafe, s.AutoBackup, s.TrayOnClose, s.TrayOnMinimize, s.StayInForeground,
                      s.StartMinimized, s.TimeOut, s.TimeOutClose, s.MemoryTest, s.LogCryptedFiles, s.QWShowFolder,
                      s.QWUrlQuickLink, s.NOTE_HideOnStart, s.NOTE_Confirm2Delete, s.CryptWindowActive})
        EXPECT_FALSE(flag);
    EXPECT_EQ(s.BackupGenerations, 5);
    EXPECT_EQ(s.TimeOutMinutes, 10);
    EXPECT_EQ(s.LViewBKColor, 0xF3FFFF);
    EXPECT_EQ(s.TViewBKColor, 0xFFFFFF);
    EXPECT_EQ(s.IconSize, 24);
    EXPECT_EQ(s.CryptAlgo, 8);
    EXPECT_EQ(s.QWMinimizeTime, 15);
    EXPECT_EQ(s.Tracelevel, 0);
    EXPECT_EQ(dwTraceLevel, 0u);
    for (const char *path : {s.SafePath, s.BackupPath, s.PDA_Path, s.Skinfile, s.NoteAlertSoundFile})
        EXPECT_STREQ(path, "");
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")), "[Settings]\r\nVersion=1.13\r\n");
}

TEST_F(SettingsFile, AMissingFileIsCreatedByTheVersionWrite) {
    II_ReadSettings();
    EXPECT_EQ(Settings.BackupGenerations, 5);
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")), "[Settings]\r\nVersion=1.13\r\n");
}

TEST_F(SettingsFile, EveryKeyIsReadFromItsSection) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"),
                          "[Settings]\r\nVersion=1.12\r\nCryptWindowActive=yes\r\nLastSafe=C:\\s\\a.saf\r\n"
                          "[Options]\r\nSafePath=C:\\safes\r\nOpenLastSafe=yes\r\nBackupPath=D:\\backup\r\n"
                          "PDA_Path=E:\\pda\r\nAutoBackup=yes\r\nBackupGenerations=9\r\nTrayOnClose=yes\r\n"
                          "TrayOnMinimize=yes\r\nStayInForeground=yes\r\nStartMinimized=yes\r\nTimeOut=yes\r\n"
                          "TimeOutClose=yes\r\nTimeOutMinutes=25\r\nLViewBKColor=255\r\nTViewBKColor=65280\r\n"
                          "IconSize=32\r\nSkinfile=skins\\blue.smf\r\nTracelevel=0\r\nMemoryTest=yes\r\n"
                          "LogCryptedFiles=yes\r\nCryptAlgo=10\r\nQWShowFolder=yes\r\nQWMinimizeTime=30\r\n"
                          "QWUrlQuickLink=yes\r\nNOTE_HideOnStart=yes\r\nNOTE_Confirm2Delete=yes\r\n"
                          "NoteAlertSoundFile=Sounds\\ding.wav\r\nCryptWindowActive=no\r\n"));
    II_ReadSettings();
    const SETTINGS &s = Settings;
    for (bool flag : {s.OpenLastSafe, s.AutoBackup, s.TrayOnClose, s.TrayOnMinimize, s.StayInForeground,
                      s.StartMinimized, s.TimeOut, s.TimeOutClose, s.MemoryTest, s.LogCryptedFiles, s.QWShowFolder,
                      s.QWUrlQuickLink, s.NOTE_HideOnStart, s.NOTE_Confirm2Delete, s.CryptWindowActive})
        EXPECT_TRUE(flag);
    EXPECT_STREQ(s.SafePath, "C:\\safes");
    EXPECT_STREQ(s.BackupPath, "D:\\backup");
    EXPECT_STREQ(s.PDA_Path, "E:\\pda");
    EXPECT_STREQ(s.Skinfile, "skins\\blue.smf");
    EXPECT_STREQ(s.NoteAlertSoundFile, "Sounds\\ding.wav");
    EXPECT_EQ(s.BackupGenerations, 9);
    EXPECT_EQ(s.TimeOutMinutes, 25);
    EXPECT_EQ(s.LViewBKColor, 255);
    EXPECT_EQ(s.TViewBKColor, 65280);
    EXPECT_EQ(s.IconSize, 32);
    EXPECT_EQ(s.CryptAlgo, 10);
    EXPECT_EQ(s.QWMinimizeTime, 30);
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")).substr(0, 38), "[Settings]\r\nVersion=1.13\r\nCryptWindowA")
        << "the version is replaced in place";
}

TEST_F(SettingsFile, FlagsAreTrueOnlyForExactlyYes) {
    Read("OpenLastSafe=Yes\r\nAutoBackup=yes\r\nTimeOut=  yes  \r\nTimeOutClose=yes!\r\nTrayOnClose=1\r\n");
    EXPECT_FALSE(Settings.OpenLastSafe);
    EXPECT_TRUE(Settings.AutoBackup);
    EXPECT_TRUE(Settings.TimeOut) << "blanks around a value do not count";
    EXPECT_FALSE(Settings.TimeOutClose);
    EXPECT_FALSE(Settings.TrayOnClose);
}

TEST_F(SettingsFile, BackupGenerationsAreOneToNine) {
    const std::pair<const char *, int> cases[] = {{"12", 5}, {"9", 9}, {"1", 1}, {"0", 5},    {"-3", 5},
                                                  {"abc", 5}, {"", 5}, {"7x", 7}, {" 4", 4}};
    for (auto &c : cases) {
        Read(std::string("BackupGenerations=") + c.first + "\r\n");
        EXPECT_EQ(Settings.BackupGenerations, c.second) << c.first;
    }
}

TEST_F(SettingsFile, TimeOutMinutesDependOnTheirLengthAndOnTimeOut) {
    struct {
        const char *timeOut, *minutes;
        int expected;
    } cases[] = {
        {"no", "1000", 10}, {"no", "0005", 10}, {"no", "0", 0}, {"yes", "0", 10}, {"no", "25", 25},
        {"no", "abc", 0},   {"yes", "x", 10},   {"no", nullptr, 10}, {"no", "", 10}, {"no", "-5", -5},
    };
    for (auto &c : cases) {
        std::string lines = std::string("TimeOut=") + c.timeOut + "\r\n";
        if (c.minutes)
            lines += std::string("TimeOutMinutes=") + c.minutes + "\r\n";
        Read(lines);
        EXPECT_EQ(Settings.TimeOutMinutes, c.expected) << c.timeOut << " " << (c.minutes ? c.minutes : "(missing)");
    }
    Read("TimeOutMinutes=0\r\nTimeOut=yes\r\n");
    EXPECT_EQ(Settings.TimeOutMinutes, 10) << "the order of lines in the file does not matter";
}

TEST_F(SettingsFile, NumbersWithTheirOwnRules) {
    Read("CryptAlgo=3\r\nIconSize=0\r\nQWMinimizeTime=0\r\nLViewBKColor=abc\r\nTViewBKColor=\r\n");
    EXPECT_EQ(Settings.CryptAlgo, 8);
    EXPECT_EQ(Settings.IconSize, 24);
    EXPECT_EQ(Settings.QWMinimizeTime, 0) << "a stored 0 is taken";
    EXPECT_EQ(Settings.LViewBKColor, 0) << "a present value without digits is 0";
    EXPECT_EQ(Settings.TViewBKColor, 0xFFFFFF) << "an empty value is a missing one";
    for (int algo : {4, 8, 9, 10}) {
        Read("CryptAlgo=" + std::to_string(algo) + "\r\n");
        EXPECT_EQ(Settings.CryptAlgo, algo);
    }
    Read("QWMinimizeTime=\r\nIconSize=x\r\n");
    EXPECT_EQ(Settings.QWMinimizeTime, 15);
    EXPECT_EQ(Settings.IconSize, 24);
    for (const char *size : {"16", "24", "32", "20", "-16", "100000", "2147483647"}) {
        Read(std::string("IconSize=") + size + "\r\n");
        int n = atoi(size);
        EXPECT_EQ(Settings.IconSize, n == 16 || n == 24 || n == 32 ? n : 24) << size << ": only the offered sizes";
    }
}

TEST_F(SettingsFile, LongValuesAreCutToTheirBuffers) {
    std::string path(400, 'p');
    Read("SafePath=" + path + "\r\nTimeOut=" + std::string(150, 'y') + "\r\nLViewBKColor=" + std::string(98, '0') +
         "42\r\nTViewBKColor=" + std::string(99, '0') + "42\r\n");
    EXPECT_EQ(std::string(Settings.SafePath), path.substr(0, 259));
    EXPECT_FALSE(Settings.TimeOut);
    EXPECT_EQ(Settings.LViewBKColor, 4) << "cut to 99 characters by the work buffer";
    EXPECT_EQ(Settings.TViewBKColor, 0);
}

TEST_F(SettingsFile, TheTraceMaskIsSetAndTracesTheSafeSettings) {
    FixedClock clock(PL_SYSTEMTIME{2006, 3, 3, 1, 18, 5, 9, 0});
    Read("SafePath=C:\\safes\r\nOpenLastSafe=yes\r\nTracelevel=69\r\n");
    EXPECT_EQ(Settings.Tracelevel, 69);
    EXPECT_EQ(dwTraceLevel, 69u);
    EXPECT_EQ(ReadFile(Path("orvtrace.log")), "*II_B_00* Wed Mar 01 18:05:09 SAFEPATH = C:\\safes \r\n"
                                              "*II_B_01* Wed Mar 01 18:05:09 OPENLASTSAFE = 1 \r\n");
    Read("Tracelevel=\r\n");
    EXPECT_EQ(dwTraceLevel, 0u);
}

TEST_F(SettingsFile, AnUnwritableFileStillGivesItsValues) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nBackupGenerations=3\r\n"));
    ASSERT_EQ(PL_SetFileAttributes(Path("orvsafe.ini").c_str(), PL_ATTR_READONLY), 0);
    II_ReadSettings();
    EXPECT_EQ(Settings.BackupGenerations, 3);
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")), "[Options]\r\nBackupGenerations=3\r\n");
    PL_SetFileAttributes(Path("orvsafe.ini").c_str(), PL_ATTR_NORMAL);
}

TEST_F(SettingsFile, WritersStoreYesNoAndDecimalNumbers) {
    II_PutFlag(II_SECTION_SETTINGS, "CryptWindowActive", true);
    II_PutFlag(II_SECTION_OPTIONS, "TimeOut", false);
    II_PutInt(II_SECTION_OPTIONS, "TimeOutMinutes", -15);
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")),
              "[Settings]\r\nCryptWindowActive=yes\r\n[Options]\r\nTimeOut=no\r\nTimeOutMinutes=-15\r\n");
}

TEST(SettingsNumbers, ParsedLikeTheCLibraryWithoutOverflow) {
    const std::pair<const char *, int32_t> cases[] = {
        {"42", 42},       {"  -17x", -17},  {"+8", 8},         {"\t\r\n 3", 3},   {"", 0},
        {"abc", 0},       {"- 5", 0},       {"--5", 0},        {"0x10", 0},       {"007", 7},
        {"2147483647", 2147483647},         {"2147483648", 2147483647},           {"-2147483648", INT32_MIN},
        {"99999999999999999999", 2147483647}, {"-99999999999999999999", INT32_MIN},
    };
    for (auto &c : cases)
        EXPECT_EQ(II_ParseInt(c.first), c.second) << c.first;
    EXPECT_EQ(II_ParseInt(nullptr), 0);
}
