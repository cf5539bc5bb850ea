// Our INI reader and writer against the system's own profile functions, the
// independent reference: files written by one are read by the other, and
// hand-made files with tricky lines are read by both. The differences we keep
// on purpose are checked at the end, each with its reason.
#include "config/inifile.h"
#include "support/temp_dir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
struct Query {
    const char *section;
    const char *key;
};

class IniInterop : public TempDirTest {
  protected:
    // A fresh folder as program directory for each file, so that no cached copy
    // of an earlier file of the same name can answer for it.
    std::string NewFile(const std::string &content = "", bool create = true) {
        std::string sub = Path("case" + std::to_string(++cases));
        EXPECT_EQ(PL_CreateDirectory(sub.c_str()), 0);
        snprintf(szProgramDir, sizeof szProgramDir, "%s", sub.c_str());
        std::string file = sub + "\\orvsafe.ini";
        if (create) {
            EXPECT_TRUE(WriteFile(file, content));
        }
        return file;
    }
    void TearDown() override {
        snprintf(szProgramDir, sizeof szProgramDir, "%s", dir.c_str());
        TempDirTest::TearDown();
    }
    // The system's reading of a value; the cache is flushed first.
    static std::string Theirs(const std::string &file, const char *section, const char *key) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
        char buf[II_VALUE_SIZE];
        DWORD n = GetPrivateProfileStringA(section, key, "", buf, sizeof buf, file.c_str());
        EXPECT_EQ(n, strlen(buf));
        return buf;
    }
    static std::string Ours(const char *section, const char *key) {
        char buf[II_VALUE_SIZE];
        uint32_t n = II_GetString(section, key, buf, INI_FILE_SETTINGS);
        EXPECT_EQ(n, strlen(buf));
        return buf;
    }
    static std::string TheirSection(const std::string &file, const char *section, DWORD size = 4000) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
        std::vector<char> buf(size, '#');
        DWORD n = GetPrivateProfileSectionA(section, buf.data(), size, file.c_str());
        return std::string(buf.data(), n);
    }
    static std::string OurSection(const char *section, uint32_t size = 4000) {
        std::vector<char> buf(size, '#');
        uint32_t n = RDmyini_section(section, buf.data(), size, INI_FILE_SETTINGS);
        return std::string(buf.data(), n);
    }
    // Both readers agree on every query and on every section named.
    void ExpectSameReading(const std::string &file, const std::vector<Query> &queries,
                           const std::vector<const char *> &sections) {
        for (const Query &q : queries)
            EXPECT_EQ(Ours(q.section, q.key), Theirs(file, q.section, q.key)) << "[" << q.section << "] " << q.key;
        for (const char *s : sections)
            EXPECT_EQ(OurSection(s), TheirSection(file, s)) << "[" << s << "]";
    }
    int cases = 0;
};

const std::vector<Query> kTrickyQueries = {
    {"Options", "SafePath"}, {"OPTIONS", "safepath"}, {"options", "TimeOut"}, {"Options", "Empty"},
    {"Options", "Blank"},    {"Options", "Late"},     {"Settings", "SafePath"}, {"settings", "VERSION"},
    {"Options", "Version"},  {"Settings", "TimeOut"}, {"Missing", "SafePath"}, {"Options", "Missing"},
    {" Options ", " TimeOut "}, {"Options", "Tabs"},  {"Options", "Eq"},       {"Options", "Quoted"},
    {"Options", "Single"},   {"Options", "Half"},     {"Options", "NoEquals"}, {"Options", "; Comment"},
    {"A]b", "k"},            {"Spaced", "k"},         {"Unclosed", "k"},       {"Options", "k"},
};
const std::vector<const char *> kTrickySections = {"Options", "settings", "A]b", "Spaced", "Missing"};

const char kTricky[] = "[Options]\r\n"
                       "SafePath=C:\\one\r\n"
                       "SAFEPATH=C:\\two\r\n"        // a duplicate key: the first wins
                       "  TimeOut  =  yes  \r\n"     // blanks around "="
                       "Empty=\r\n"                  // an empty value
                       "Blank =    \r\n"
                       "\tTabs\t=\tt\t\r\n"
                       "Eq=a=b\r\n"
                       "Quoted=\"C:\\my safes\"\r\n"
                       "Single='x'\r\n"
                       "Half=\"x\r\n"
                       "NoEquals\r\n"                // a line without "="
                       "; Comment=1\r\n"
                       "\r\n"
                       "[Settings]\r\n"
                       "SafePath=C:\\settings\r\n"   // a key in two sections
                       "Version = 1.13\r\n"
                       "[options]\r\n"               // a section written twice
                       "Late=1\r\n"
                       "TimeOut=no\r\n"
                       "[A]b]\r\nk=last bracket\r\n"
                       "[  Spaced  ]\r\nk=spaced\r\n"
                       "[Unclosed\r\nk=still Spaced\r\n";
} // namespace

TEST_F(IniInterop, HandMadeFilesReadTheSame) {
    std::string file = NewFile(kTricky);
    ExpectSameReading(file, kTrickyQueries, kTrickySections);
    EXPECT_EQ(Ours("Options", "SafePath"), "C:\\one");
    EXPECT_EQ(Ours("Options", "TimeOut"), "yes");
    EXPECT_EQ(Ours("Options", "Late"), "") << "the second [options] is not read";

    // The same lines with other line ends and a byte order mark.
    std::string lf, cr;
    for (const char *p = kTricky; *p; ++p) {
        if (*p == '\r')
            continue;
        lf += *p;
        cr += *p == '\n' ? '\r' : *p;
    }
    ExpectSameReading(NewFile(lf), kTrickyQueries, kTrickySections);
    ExpectSameReading(NewFile(cr), kTrickyQueries, kTrickySections);
    ExpectSameReading(NewFile("\xEF\xBB\xBF" + std::string(kTricky)), kTrickyQueries, kTrickySections);
}

TEST_F(IniInterop, LongLinesAndJunkReadTheSame) {
    std::string junk;
    for (int i = 0; i < 2000; ++i) {
        char c = static_cast<char>((i * 131 + 7) & 0xFF);
        junk += (c == 0 || c == '[' || c == '=' || c == ';') ? 'j' : c; // no accidental keys, sections or ends
    }
    std::string file = NewFile(junk + "\r\n[Options]\r\n" + std::string(5000, 'k') + "=long key\r\nSafePath=" +
                               std::string(3000, 'p') + "\r\nSkinfile=" + std::string(259, 's') +
                               "\r\nBackupPath=" + std::string(260, 'b') + "\r\nTimeOut=yes\r\n");
    ExpectSameReading(file, {{"Options", "SafePath"}, {"Options", "Skinfile"}, {"Options", "BackupPath"},
                             {"Options", "TimeOut"}},
                      {});
    EXPECT_EQ(Ours("Options", "SafePath").size(), 259u);
}

TEST_F(IniInterop, WhatTheSystemWritesWeRead) {
    std::string file = NewFile("", false);
    const char *f = file.c_str();
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "SafePath", "C:\\safes", f));
    ASSERT_TRUE(WritePrivateProfileStringA("OPTIONS", "safepath", "D:\\other", f)); // replaces it
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "TimeOut", "  yes  ", f));
    ASSERT_TRUE(WritePrivateProfileStringA("Options", "Empty", "", f));
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "SafePath", "in settings", f));
    ASSERT_TRUE(WritePrivateProfileStringA("settings", "Version", "1.13", f));
    ASSERT_TRUE(WritePrivateProfileStringA("Gone", "x", "1", f));
    ASSERT_TRUE(WritePrivateProfileStringA("Gone", nullptr, nullptr, f));
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "Version", nullptr, f));
    ASSERT_TRUE(WritePrivateProfileSectionA("Bank", "Feld1=Name,0,24,0\0Feld2 = PIN,1,8,0\0", f));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, f); // the flush answers FALSE by design

    EXPECT_EQ(Ours("options", "SAFEPATH"), "D:\\other");
    EXPECT_EQ(Ours("Options", "TimeOut"), "yes");
    EXPECT_EQ(Ours("Options", "Empty"), "");
    EXPECT_EQ(Ours("Settings", "SafePath"), "in settings");
    EXPECT_EQ(Ours("Settings", "Version"), "");
    EXPECT_EQ(Ours("Gone", "x"), "");
    EXPECT_EQ(OurSection("Bank"), std::string("Feld1=Name,0,24,0\0Feld2=PIN,1,8,0\0", 34));
    ExpectSameReading(file, kTrickyQueries, {"Options", "Settings", "Bank", "Gone"});
}

TEST_F(IniInterop, WhatWeWriteTheSystemReads) {
    std::string file = NewFile(kTricky);
    II_PutString("OPTIONS", "safepath", "D:\\new", INI_FILE_SETTINGS);      // the first of the duplicates
    II_PutString("Options", "TimeOut", "no", INI_FILE_SETTINGS);            // blanks around "=" stay
    II_PutString("Options", "Empty", "filled", INI_FILE_SETTINGS);
    II_PutString("Options", "Blank", "", INI_FILE_SETTINGS);
    II_PutString("Options", "Late", "first section", INI_FILE_SETTINGS);   // a new key in the first [Options]
    II_PutString("Settings", "SafePath", "E:\\settings", INI_FILE_SETTINGS);
    II_PutString("Settings", "Version", nullptr, INI_FILE_SETTINGS);
    II_PutString("New", "Key", "new section", INI_FILE_SETTINGS);
    II_PutString("Spaced", "k", "rewritten", INI_FILE_SETTINGS);
    II_PutSection("A]b", "k=1\0k=2\0j = 3\0", INI_FILE_SETTINGS);
    ExpectSameReading(file, kTrickyQueries, {"Options", "Settings", "New", "Spaced", "A]b", "options"});
    EXPECT_EQ(Theirs(file, "new", "KEY"), "new section");
    EXPECT_EQ(Theirs(file, "Options", "Late"), "first section");
    EXPECT_EQ(TheirSection(file, "A]b"), std::string("k=1\0k=2\0j=3\0", 12));

    // A file we create from nothing.
    std::string fresh = NewFile("", false);
    II_PutString("Settings", "Version", "1.13", INI_FILE_SETTINGS);
    II_PutString("Options", "SafePath", "C:\\safes", INI_FILE_SETTINGS);
    II_PutString("Settings", "LastSafe", "", INI_FILE_SETTINGS);
    EXPECT_EQ(Theirs(fresh, "Settings", "Version"), "1.13");
    EXPECT_EQ(Theirs(fresh, "Options", "SafePath"), "C:\\safes");
    EXPECT_EQ(TheirSection(fresh, "Settings"), std::string("Version=1.13\0LastSafe=\0", 23));
}

TEST_F(IniInterop, ReplacingSectionsGivesTheSameResultAsTheSystem) {
    const std::string start = "[Templates]\r\nOrdner1=Bank,bank\r\n\r\n[Bank]\r\nFeld1=a,0,1,0\r\n; old\r\n"
                              "Feld2=b,0,1,0\r\n\r\n[Other]\r\nx=1\r\n";
    const char data[] = "Feld1=c,1,2,1\0Feld2 = d,0,5,0\0noequals\0\0";
    std::string theirs = NewFile(start);
    ASSERT_TRUE(WritePrivateProfileSectionA("bank", data, theirs.c_str()));
    ASSERT_TRUE(WritePrivateProfileSectionA("Empty", "\0", theirs.c_str()));
    ASSERT_TRUE(WritePrivateProfileSectionA("Other", "\0", theirs.c_str()));
    std::string ours = NewFile(start);
    ASSERT_EQ(II_PutSection("bank", data, INI_FILE_SETTINGS), 0);
    ASSERT_EQ(II_PutSection("Empty", "\0", INI_FILE_SETTINGS), 0);
    ASSERT_EQ(II_PutSection("Other", "\0", INI_FILE_SETTINGS), 0);
    for (const char *s : {"Templates", "Bank", "Empty", "Other"}) {
        EXPECT_EQ(TheirSection(ours, s), TheirSection(theirs, s)) << s;
        EXPECT_EQ(OurSection(s), TheirSection(theirs, s)) << s;
    }
    EXPECT_EQ(OurSection("Bank"), std::string("Feld1=c,1,2,1\0Feld2=d,0,5,0\0", 28));
}

// The differences we keep on purpose.
TEST_F(IniInterop, DeliberateDifferences) {
    // 1. A value with a line break: the system writes both lines, and the second
    //    becomes a line of its own (a key or a section when it looks like one);
    //    we store the first line only, so no value can smuggle in settings.
    std::string file = NewFile("[A]\r\nx=1\r\n");
    II_PutString("A", "x", "two\r\n[Options]\r\nOpenLastSafe=yes", INI_FILE_SETTINGS);
    EXPECT_EQ(ReadFile(file), "[A]\r\nx=two\r\n");
    EXPECT_EQ(Theirs(file, "Options", "OpenLastSafe"), "");
    std::string sys = NewFile("[A]\r\nx=1\r\n");
    WritePrivateProfileStringA("A", "x", "two\r\n[Options]\r\nOpenLastSafe=yes", sys.c_str());
    EXPECT_EQ(Theirs(sys, "Options", "OpenLastSafe"), "yes");

    // 2. A section read into a buffer too small: the system cuts the last string;
    //    we store only whole strings, so no caller sees a cut key or value.
    file = NewFile("[A]\r\nkey1=value1\r\nkey2=value2\r\n");
    EXPECT_EQ(OurSection("A", 16), std::string("key1=value1\0", 12));
    EXPECT_EQ(TheirSection(file, "A", 16), std::string("key1=value1\0ke", 14));

    // 3. Keys before the first section: the system reads them with an empty
    //    section name; we read no empty names (the program never uses them).
    file = NewFile("x=global\r\n[A]\r\n");
    EXPECT_EQ(Theirs(file, "", "x"), "global");
    EXPECT_EQ(Ours("", "x"), "");

    // 4. Names that cannot be written back as one line are refused: a key with
    //    "=" or starting with "[", a name with a line break.
    file = NewFile("[A]\r\n");
    II_PutString("A", "k=v", "1", INI_FILE_SETTINGS);
    II_PutString("A", "[B]", "1", INI_FILE_SETTINGS);
    EXPECT_EQ(ReadFile(file), "[A]\r\n");

    // 5. Whole-section data: a string starting with "[" would open a section of
    //    its own; we leave it out.
    file = NewFile("[A]\r\n");
    II_PutSection("A", "[B]=1\0k=1\0", INI_FILE_SETTINGS);
    EXPECT_EQ(ReadFile(file), "[A]\r\nk=1\r\n");

    // 6. Formatting: the system rewrites the whole file in its own layout; we
    //    change only the value written and keep every other byte.
    const std::string kept = "; mine\r\n[A]\r\n  x  =  1  \r\n\r\n\r\n[B]\r\ny=2\r\n";
    file = NewFile(kept);
    II_PutString("A", "x", "9", INI_FILE_SETTINGS);
    EXPECT_EQ(ReadFile(file), "; mine\r\n[A]\r\n  x  =  9  \r\n\r\n\r\n[B]\r\ny=2\r\n");

    // 7. Letters beyond A-Z: neither this system nor we match them without regard
    //    to case (Windows itself does, after the code page); the program's own
    //    names are plain ASCII.
    file = NewFile("[\xC4rzte]\r\nk=1\r\n");
    EXPECT_EQ(Ours("\xE4rzte", "k"), Theirs(file, "\xE4rzte", "k"));

    // 8. A file in UTF-16 is not read (the program writes its files in ANSI).
    file = NewFile(std::string("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0w\0\r\0\n\0", 22));
    EXPECT_EQ(Theirs(file, "A", "x"), "w");
    EXPECT_EQ(Ours("A", "x"), "");
}
