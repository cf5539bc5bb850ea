#include "config/inifile.h"
#include "frame/trace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
class IniFile : public TempDirTest {
  protected:
    std::string Get(const char *section, const char *key, int type = INI_FILE_SETTINGS) {
        char value[II_VALUE_SIZE];
        memset(value, '#', sizeof value);
        uint32_t n = II_GetString(section, key, value, type);
        EXPECT_EQ(n, strlen(value));
        return value;
    }
    std::string Settings() { return ReadFile(Path("orvsafe.ini")); }
};
} // namespace

TEST_F(IniFile, TheSelectorNamesTheFileInTheProgramDirectory) {
    char path[300];
    ASSERT_EQ(II_GetIniPath(INI_FILE_SETTINGS, path, sizeof path), 0);
    EXPECT_EQ(std::string(path), dir + "\\orvsafe.ini");
    ASSERT_EQ(II_GetIniPath(INI_FILE_TEMPLATES, path, sizeof path), 0);
    EXPECT_EQ(std::string(path), dir + "\\orvtemplate.ini");
    ASSERT_EQ(II_GetIniPath(INI_FILE_UPDATE, path, sizeof path), 0);
    EXPECT_EQ(std::string(path), dir + "\\udt_scr.ini");
    EXPECT_EQ(II_GetIniPath(3, path, sizeof path), -1);
    EXPECT_EQ(II_GetIniPath(INI_FILE_SETTINGS, path, 10), -1) << "too long for the buffer";

    II_PutString("Templates", "Ordner1", "Bank,safe", INI_FILE_TEMPLATES);
    II_PutString("Options", "SafePath", "C:\\safes", INI_FILE_SETTINGS);
    EXPECT_EQ(ReadFile(Path("orvtemplate.ini")), "[Templates]\r\nOrdner1=Bank,safe\r\n");
    EXPECT_EQ(Settings(), "[Options]\r\nSafePath=C:\\safes\r\n");
    EXPECT_EQ(Get("Templates", "Ordner1"), "");
    EXPECT_EQ(Get("Templates", "Ordner1", INI_FILE_TEMPLATES), "Bank,safe");
    EXPECT_EQ(Get("Options", "SafePath", 7), "") << "an unknown selector reads nothing";
    EXPECT_EQ(II_PutString("Options", "SafePath", "x", 7), 0);
    EXPECT_FALSE(FileExists(Path("orvsafe.ini.tmp")));
}

TEST_F(IniFile, AMissingFileReadsAsEmptyAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(Get("Options", "SafePath"), "");
    char buf[8] = "#######";
    EXPECT_EQ(RDmyini_section("Options", buf, sizeof buf, INI_FILE_SETTINGS), 0u);
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(buf[1], '\0');
    EXPECT_FALSE(FileExists(Path("orvsafe.ini"))) << "reading creates nothing";
    EXPECT_EQ(II_PutString("Settings", "Version", "1.13", INI_FILE_SETTINGS), 0);
    EXPECT_EQ(Settings(), "[Settings]\r\nVersion=1.13\r\n");
}

TEST_F(IniFile, AWriteKeepsEveryOtherByteOfTheFile) {
    std::string original = "; orvSafe\n[Options]\nSafePath = C:\\safes   ; mine\nTimeOut=yes\n\n[Settings]\nLastSafe=\n"
                           "\x01\x02 binary \xFF tail";
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), original));
    II_PutString("Settings", "LastSafe", "C:\\safes\\home.saf", INI_FILE_SETTINGS);
    II_PutString("options", "timeout", "no", INI_FILE_SETTINGS);
    EXPECT_EQ(Settings(), "; orvSafe\n[Options]\nSafePath = C:\\safes   ; mine\nTimeOut=no\n\n[Settings]\n"
                          "LastSafe=C:\\safes\\home.saf\n\x01\x02 binary \xFF tail");
    EXPECT_EQ(Get("Options", "SafePath"), "C:\\safes   ; mine") << "no comments after values";
    EXPECT_FALSE(FileExists(Path("orvsafe.ini.tmp")));
}

TEST_F(IniFile, UnchangedContentIsNotWrittenAgain) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nVersion=1.13\r\n"));
    PL_ResetFaults();
    II_PutString("Settings", "Version", "1.13", INI_FILE_SETTINGS);
    EXPECT_EQ(PL_CallCount(PL_FAULT_MOVE), 0);
    II_PutString("Settings", "Version", "1.14", INI_FILE_SETTINGS);
    EXPECT_EQ(PL_CallCount(PL_FAULT_MOVE), 1);
}

// Every step of a write can fail: the old file stays whole, no temporary stays
// behind, the failure is logged, and the caller still hears success.
TEST_F(IniFile, AFailedWriteLeavesTheOldFileWhole) {
    const std::string original = "[Options]\r\nSafePath=C:\\safes\r\n";
    struct Case {
        PL_FAULT fault;
        int nth;
        const char *code;
    } cases[] = {
        {PL_FAULT_OPEN, 2, "*II02*"},  // the first open reads the file, the second creates the temporary
        {PL_FAULT_WRITE, 1, "*II03*"}, // T_WriteFile logs its own TO02 as well
        {PL_FAULT_FLUSH, 1, "*II04*"},
        {PL_FAULT_MOVE, 1, "*II05*"},
        {PL_FAULT_READ, 1, "*II06*"}, // a file that cannot be read is not written over
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), original));
        ASSERT_TRUE(WriteFile(Path("orvsafe.log"), ""));
        PL_FailCall(c.fault, c.nth);
        EXPECT_EQ(II_PutString("Options", "SafePath", "D:\\other", INI_FILE_SETTINGS), 0);
        PL_ResetFaults();
        PL_FailCall(c.fault, c.nth);
        EXPECT_EQ(II_PutSection("Options", "SafePath=D:\\other\0", INI_FILE_SETTINGS), -1);
        PL_ResetFaults();
        EXPECT_EQ(Settings(), original);
        EXPECT_FALSE(FileExists(Path("orvsafe.ini.tmp")));
        EXPECT_NE(Log().find(c.code), std::string::npos) << Log();
    }
    EXPECT_EQ(II_PutSection("Options", "SafePath=D:\\other\0", INI_FILE_SETTINGS), 0);
    EXPECT_EQ(Get("Options", "SafePath"), "D:\\other");
}

TEST_F(IniFile, AWriteProtectedFileOrFolderIsLeftAlone) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nTimeOut=no\r\n"));
    ASSERT_EQ(PL_SetFileAttributes(Path("orvsafe.ini").c_str(), PL_ATTR_READONLY), 0);
    EXPECT_EQ(II_PutString("Options", "TimeOut", "yes", INI_FILE_SETTINGS), 0);
    EXPECT_EQ(Get("Options", "TimeOut"), "no");
    EXPECT_NE(Log().find("*II01* error write-protected ini file "), std::string::npos) << Log();
    PL_SetFileAttributes(Path("orvsafe.ini").c_str(), PL_ATTR_NORMAL);

    ASSERT_EQ(PL_CreateDirectory(Path("orvtemplate.ini").c_str()), 0);
    EXPECT_EQ(II_PutString("Templates", "Ordner1", "x,y", INI_FILE_TEMPLATES), 0);
    EXPECT_EQ(Get("Templates", "Ordner1", INI_FILE_TEMPLATES), "");

    snprintf(szProgramDir, sizeof szProgramDir, "%s", Path("no such folder").c_str());
    EXPECT_EQ(II_PutString("Options", "TimeOut", "yes", INI_FILE_SETTINGS), 0);
    EXPECT_EQ(Get("Options", "TimeOut"), "");
}

TEST_F(IniFile, ANonTextFileIsReadAndWrittenAroundItsBytes) {
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 131 + 7) & 0xFF);
    junk += "\r\n[Options]\r\nTimeOut=yes\r\n";
    junk += std::string(20000, '\0');
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), junk));
    EXPECT_EQ(Get("Options", "TimeOut"), "yes");
    II_PutString("Options", "TimeOut", "no", INI_FILE_SETTINGS);
    std::string now = Settings();
    ASSERT_EQ(now.size(), junk.size() - 1);
    size_t at = junk.find("TimeOut=yes") + 8;
    EXPECT_EQ(now.substr(0, at), junk.substr(0, at));
    EXPECT_EQ(now.substr(at + 2), junk.substr(at + 3));
}

TEST_F(IniFile, VeryLongLinesAreReadToTheBuffer) {
    std::string longPath(100000, 'p');
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\n" + std::string(70000, 'k') + "\r\nSafePath=" +
                                                   longPath + "\r\nSkinfile=blue.smf\r\n"));
    EXPECT_EQ(Get("Options", "SafePath"), longPath.substr(0, 259));
    EXPECT_EQ(Get("Options", "Skinfile"), "blue.smf");
    II_PutString("Options", "SafePath", "C:\\short", INI_FILE_SETTINGS);
    EXPECT_EQ(Get("Options", "SafePath"), "C:\\short");
    EXPECT_EQ(Settings().size(), 11u + 70002u + 19u + 19u);
}

TEST_F(IniFile, ATemplateIsWrittenAndChangedAsWholeSections) {
    // What the template writer does: its line in "Templates", its section emptied, then its fields.
    auto write = [](const char *name, int fields) {
        II_PutString("Templates", "Ordner1", (std::string(name) + ",bank").c_str(), INI_FILE_TEMPLATES);
        II_PutSection(name, "\0", INI_FILE_TEMPLATES);
        for (int i = 1; i <= fields; ++i)
            II_PutString(name, ("Feld" + std::to_string(i)).c_str(), ("f" + std::to_string(i) + ",0,24,0").c_str(),
                         INI_FILE_TEMPLATES);
    };
    write("Bank", 3);
    write("Bank", 1);
    EXPECT_EQ(ReadFile(Path("orvtemplate.ini")), "[Templates]\r\nOrdner1=Bank,bank\r\n[Bank]\r\nFeld1=f1,0,24,0\r\n");
    char buf[1000];
    memset(buf, '#', sizeof buf);
    EXPECT_EQ(RDmyini_section("BANK", buf, sizeof buf, INI_FILE_TEMPLATES), 16u);
    EXPECT_EQ(std::string(buf, 16), std::string("Feld1=f1,0,24,0\0", 16));
    EXPECT_EQ(buf[16], '\0');
}

TEST_F(IniFile, ReadingASectionIsTracedAtTheFunctionBit) {
    FixedClock clock(PL_SYSTEMTIME{2006, 3, 3, 1, 18, 5, 9, 0});
    char buf[100];
    RDmyini_section("Templates", buf, sizeof buf, INI_FILE_TEMPLATES);
    EXPECT_FALSE(FileExists(Path("orvtrace.log")));
    dwTraceLevel = TRACE_FUNCTIONS;
    RDmyini_section("Templates", buf, sizeof buf, INI_FILE_TEMPLATES);
    EXPECT_EQ(ReadFile(Path("orvtrace.log")),
              "*SW_FNK* Wed Mar 01 18:05:09 B RDmyini_section(lpsection=Templates, nIniFileType=1) \r\n");
}

// However long the program folder's path, the file is replaced through its
// temporary file, never written in place.
TEST_F(IniFile, ALongProgramFolderStillGetsAnAtomicWrite) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows opens no path this long";
#else
    const std::string original = "[Options]\r\nA=1\r\n";
    for (size_t length : {248, 252, 253, 256, 260}) {
        std::string folder = dir + "\\" + std::string(length - dir.size() - 1, 'p');
        ASSERT_EQ(PL_CreateDirectory(folder.c_str()), 0);
        snprintf(szProgramDir, sizeof szProgramDir, "%s", folder.c_str());
        for (int type : {INI_FILE_SETTINGS, INI_FILE_TEMPLATES}) {
            SCOPED_TRACE(std::to_string(length) + " " + std::to_string(type));
            std::string path = folder + (type == INI_FILE_SETTINGS ? "\\orvsafe.ini" : "\\orvtemplate.ini");
            ASSERT_TRUE(WriteFile(path, original));
            PL_FailCall(PL_FAULT_WRITE, 1);
            II_PutString("Options", "A", "2", type);
            PL_ResetFaults();
            EXPECT_EQ(ReadFile(path), original) << "a failed write leaves the file whole";
            II_PutString("Options", "A", "2", type);
            EXPECT_EQ(ReadFile(path), "[Options]\r\nA=2\r\n");
        }
    }
#endif
}
