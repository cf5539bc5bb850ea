#include "cli/cli_streams.h"
#include "cli/orvsafe_cli.h"
#include "crypto/kdf.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <set>

using namespace testsupport;

namespace {
struct Ran {
    int rc;
    std::string out, err;
};

// The companion run in this process on a terminal of UTF-8, standard input
// and output through files.
class Cli : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        setlocale(LC_CTYPE, "C.UTF-8");
        KDF_SetTestIterations(1000, 0);
        std::replace(dir.begin(), dir.end(), '\\', '/'); // for fopen too
        safe = dir + "/s.saf";
    }
    void TearDown() override {
        setlocale(LC_CTYPE, "C");
        KDF_SetTestIterations(0, 0);
        SafeTest::TearDown();
    }
    Ran Run(std::vector<std::string> words, const std::string &input = "") {
        const std::string names[3] = {dir + "/in", dir + "/out", dir + "/err"};
        WriteFile(names[0], input);
        FILE *in = fopen(names[0].c_str(), "rb"), *out = fopen(names[1].c_str(), "w+b"),
             *err = fopen(names[2].c_str(), "w+b");
        CLI_SetStreams(in, out, err);
        words.insert(words.begin(), "orvsafe-cli");
        std::vector<char *> argv;
        for (std::string &w : words)
            argv.push_back(&w[0]);
        Ran r{CLI_Main(static_cast<int>(argv.size()), argv.data()), "", ""};
        CLI_SetStreams(nullptr, nullptr, nullptr);
        fclose(in), fclose(out), fclose(err);
        r.out = ReadFile(names[1]), r.err = ReadFile(names[2]);
        return r;
    }
    // A safe with a folder "Web" of a PASSWORT field of 8 and a NORMAL one of 20, and a card.
    void MakeSafe(const std::string &password = "") {
        SafeContents s;
        s.password = password;
        s.folders = {{1, 1, "Web", "x.ico"}};
        s.fields = {{1, 0, 1, "Pin", 1, 8}, {1, 1, 2, "Note", 0, 20}};
        s.cards = {{1, 1, 1, "Card", "x.ico"}};
        s.contents = {{1, 0, ""}, {1, 1, ""}};
        ASSERT_TRUE(WriteFile(safe, BuildSafe(s)));
    }
    std::string safe;
};

struct Row {
    std::vector<std::string> words;
    std::string input;
    int rc;
    std::string text; // in the error output, or the whole standard output
};

void Check(const Row &r, const Ran &ran) {
    EXPECT_EQ(ran.rc, r.rc) << r.words[0] << " " << r.words.back() << ": " << ran.err;
    if (r.rc == 0)
        EXPECT_EQ(ran.out, r.text) << r.words.back();
    else
        EXPECT_NE(ran.err.find(r.text), std::string::npos) << ran.err;
}
} // namespace

TEST_F(Cli, TextsAreTakenInTheTerminalsEncodingAndHeldInWindows1252) {
#ifdef _WIN32
    GTEST_SKIP() << "the console's code pages, not a locale";
#endif
    MakeSafe();
    const std::string name49(48, 'n');
    Row rows[] = {
        {{"edit", safe, "Web/Card", "Pin=€€€€€€€€"}, "", 0, ""},
        {{"edit", safe, "Web/Card", "Pin=€€€€€€€€€"}, "", 1, "the value for \"Pin\" is longer than its 8"},
        {{"add", safe, "Web", name49 + "é", "Note=Grüße"}, "", 0, ""},
        {{"add", safe, "Web", name49 + "éé"}, "", 1, "is longer than 49 characters"},
        {{"edit", safe, "Web/Card", "Note=żółw"}, "", 1,
         "\"Note=żółw\" holds \"ż\" (U+017C), a character that no safe text can hold"},
        {{"edit", safe, "Web/Card", "Note=caf\xe9"}, "", 1,
         "\"Note=caf\\xe9\" is no text in the terminal's encoding (byte 9)"},
        {{"show", safe, "web/card", "--show-protected"}, "", 0, "Pin\t€€€€€€€€\nNote\t\n"},
        {{"ls", safe, "Web"}, "", 0, "Card\n" + name49 + "é\n"},
        {{"search", safe, "rüß"}, "", 0, "content\tGrüße\n"},
    };
    for (const Row &r : rows)
        Check(r, Run(r.words, r.input));
    EXPECT_NE(Run({"export", safe}).out.find("\"lpFeldInhalt\": \"Gr\\u00fc\\u00dfe\""), std::string::npos);
}

TEST_F(Cli, ControlCharactersOfTheSafeReachTheTerminalEscaped) {
    SafeContents s;
    s.folders = {{1, 1, "Evil\x1b]0;x\x07", "x.ico"}};
    s.fields = {{1, 0, 1, "No\tte", 0, 20}};
    s.cards = {{1, 1, 1, "two\nlines", "x.ico"}};
    s.contents = {{1, 0, "a\x1b[2Jb"}};
    ASSERT_TRUE(WriteFile(safe, BuildSafe(s)));
    Row rows[] = {
        {{"ls", safe}, "", 0, "\"Evil\\x1b]0;x\\x07\"\t1 card\n"},
        {{"ls", safe, "evil\x1b]0;x\x07"}, "", 0, "\"two\\nlines\"\n"},
        {{"show", safe, "Evil\x1b]0;x\x07/two\nlines"}, "", 0, "\"No\\tte\"\t\"a\\x1b[2Jb\"\n"},
        {{"search", safe, "2J"}, "", 0, "content\t\"a\\x1b[2Jb\"\n"},
        {{"rm", safe, "Evil\x1b]0;x\x07/two\nlines"}, "", 1, "delete card [two\\nlines] ?"},
    };
    for (const Row &r : rows)
        Check(r, Run(r.words, r.input));
}

// A password line: not empty unless --no-password, at most 31 characters, for
// a safe, a new password and a file alike; a document without a password asks for none.
TEST_F(Cli, PasswordsAreRefusedEmptyOrLongerThan31Characters) {
    const std::string p31(31, 'p'), p32(32, 'p'), other = dir + "/o.saf", file = dir + "/f.txt";
    const char *kEmpty = "the password is empty; --no-password makes a safe without one";
    const char *kLong = "the password is longer than 31 characters";
    WriteFile(file, "plain");
    const std::string doc = R"({"format": "orvsafe-export", "formatVersion": 1, "header": {"nPasswort": %d,
        "nMajorRelease": 1, "nMinorRelease": 11, "nReserved": 0}, "folders": [], "fields": [], "cards": [],
        "contents": [], "cardFieldTables": [], "notes": [], "desktopProfiles": [], "desktopIcons": []})";
    WriteFile(dir + "/with.json", doc.substr(0, doc.find("%d")) + "1" + doc.substr(doc.find("%d") + 2));
    WriteFile(dir + "/without.json", doc.substr(0, doc.find("%d")) + "0" + doc.substr(doc.find("%d") + 2));
    Row rows[] = {
        {{"create", other}, "\n", 1, kEmpty},
        {{"create", other}, (p32 + "\n"), 1, kLong},
        {{"create", safe}, p31 + "\n", 0, ""},
        {{"ls", safe}, (p32 + "\n"), 1, kLong},
        {{"ls", safe}, "\n", 1, "the password is empty"},
        {{"passwd", safe}, (p31 + "\n\n"), 1, kEmpty},
        {{"passwd", safe}, (p31 + "\n" + p32 + "\n"), 1, kLong},
        {{"encrypt-file", file}, (p32 + "\n"), 1, kLong},
        {{"import", dir + "/with.json", other}, "\n", 1, kEmpty},
        {{"import", dir + "/without.json", other}, "", 0, ""},
        {{"ls", other}, "", 0, ""},
        {{"ls", safe}, p31 + "\n", 0, ""},
    };
    for (const Row &r : rows)
        Check(r, Run(r.words, r.input));
    EXPECT_EQ(ReadFile(file), "plain");
}

// Files encrypted through the drop list of a safe need its password: the safe
// is not replaced under them.
TEST_F(Cli, ImportRefusesToReplaceASafeWithADropFile) {
    MakeSafe();
    ASSERT_EQ(Run({"export", safe}).rc, 0);
    WriteFile(dir + "/s.json", Run({"export", safe}).out);
    WriteFile(safe + ".df", "envelope");
    const std::string before = ReadFile(safe);
    Ran r = Run({"import", dir + "/s.json", safe, "--force"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find("s.saf.df lists files encrypted under the password of the safe there"), std::string::npos);
    EXPECT_EQ(ReadFile(safe), before);
    EXPECT_EQ(ReadFile(safe + ".df"), "envelope");
}

TEST_F(Cli, CreateLeavesNothingBehindWhenTheSafeCannotBeWritten) {
    const std::pair<PL_FAULT, int> faults[] = {
        {PL_FAULT_WRITE, 1}, {PL_FAULT_WRITE, 2}, {PL_FAULT_FLUSH, 1}, {PL_FAULT_MOVE, 1}};
    for (auto f : faults) {
        PL_FailCall(f.first, f.second);
        EXPECT_EQ(Run({"create", safe, "--no-password"}).rc, 1) << f.first;
        PL_ResetFaults();
        EXPECT_FALSE(FileExists(safe)) << f.first << " " << f.second;
        EXPECT_FALSE(FileExists(safe + ".~tmp")) << f.first;
    }
}

// FIELD=- takes the value from standard input, after the safe's password.
TEST_F(Cli, AValueGivenAsADashIsReadFromStandardInput) {
    MakeSafe("pw");
    Row rows[] = {
        {{"edit", safe, "Web/Card", "Pin=-", "Note=-"}, "pw\n4711\nthe note\n", 0, ""},
        {{"edit", safe, "Web/Card", "Pin=-"}, "pw\n123456789\n", 1, "the value for \"Pin\" is longer than its 8"},
        {{"edit", safe, "Web/Card", "Pin=-"}, "pw\n", 1, "the value of \"Pin\" could not be read"},
        {{"show", safe, "Web/Card", "--show-protected"}, "pw\n", 0, "Pin\t4711\nNote\tthe note\n"},
    };
    for (const Row &r : rows)
        Check(r, Run(r.words, r.input));
}

// The settings of --dir are read as the program reads them: BackupGenerations 1 to 9.
TEST_F(Cli, BackupGenerationsOfTheSettingsKeepTheirBounds) {
    MakeSafe();
    for (int generations : {9, 10}) {
        const std::string count = std::to_string(generations), backups = dir + "/bk" + count;
        PL_CreateDirectory(backups.c_str());
        WriteFile(dir + "/orvsafe.ini",
                  "[Options]\r\nBackupPath=" + backups + "\r\nBackupGenerations=" + count + "\r\n");
        std::set<std::string> made;
        for (int i = 0; i < 10; ++i)
            made.insert(Run({"backup", safe, "--dir", dir}).out);
        EXPECT_EQ(made.size(), generations == 9 ? 9u : 5u) << generations;
    }
}
