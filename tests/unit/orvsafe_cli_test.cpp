#include "cli/cli_safe.h"
#include "cli/cli_streams.h"
#include "cli/orvsafe_cli.h"
#include "crypto/kdf.h"
#include "store/safe_lifecycle.h"
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
struct Row {
    std::vector<std::string> words;
    std::string input;
    int rc;
    std::string text; // the whole standard output, or a part of the error output
};

// The companion run in this process on a terminal of UTF-8, its streams in files.
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
        WriteFile(dir + "/in", input);
        FILE *io[3] = {fopen((dir + "/in").c_str(), "rb"), fopen((dir + "/out").c_str(), "w+b"),
                       fopen((dir + "/err").c_str(), "w+b")};
        CLI_SetStreams(io[0], io[1], io[2]);
        std::vector<char *> argv{const_cast<char *>("orvsafe-cli")};
        for (std::string &w : words)
            argv.push_back(&w[0]);
        int rc = CLI_Main(static_cast<int>(argv.size()), argv.data());
        CLI_SetStreams(nullptr, nullptr, nullptr);
        for (FILE *f : io)
            fclose(f);
        return {rc, ReadFile(dir + "/out"), ReadFile(dir + "/err")};
    }
    void Check(const std::vector<Row> &rows) {
        for (const Row &r : rows) {
            Ran ran = Run(r.words, r.input);
            EXPECT_EQ(ran.rc, r.rc) << r.words[0] << " " << r.words.back() << ": " << ran.err;
            EXPECT_TRUE(r.rc == 0 ? ran.out == r.text : ran.err.find(r.text) != std::string::npos)
                << r.words[0] << " " << r.words.back() << ": " << ran.out << ran.err;
        }
    }
    // A folder "Web" with a PASSWORT field "Pin" of 8 and a field "Note" of 20, and a card.
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
} // namespace

TEST_F(Cli, TextsAreTakenInTheTerminalsEncodingAndHeldInWindows1252) {
#ifdef _WIN32
    GTEST_SKIP() << "the console's code pages, not a locale";
#endif
    MakeSafe();
    const std::string name49(48, 'n');
    Check({
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
    });
    EXPECT_NE(Run({"export", safe}).out.find("\"lpFeldInhalt\": \"Gr\\u00fc\\u00dfe\""), std::string::npos);
}

TEST_F(Cli, SearchMasksPasswordHitsUnlessAskedToShowThem) {
    MakeSafe();
    Check({
        {{"edit", safe, "Web/Card", "Pin=pin42", "Note=pin note"}, "", 0, ""},
        {{"search", safe, "PIN"}, "", 0, "content\t********\ncontent\tpin note\n"},
        {{"search", safe, "pin", "--show-protected"}, "", 0, "content\tpin42\ncontent\tpin note\n"},
    });
}

TEST_F(Cli, ControlCharactersOfTheSafeReachTheTerminalEscaped) {
    SafeContents s;
    s.folders = {{1, 1, "Evil\x1b]0;x\x07", "x.ico"}};
    s.fields = {{1, 0, 1, "No\tte", 0, 20}};
    s.cards = {{1, 1, 1, "two\nlines", "x.ico"}};
    s.contents = {{1, 0, "a\x1b[2Jb"}};
    ASSERT_TRUE(WriteFile(safe, BuildSafe(s)));
    Check({
        {{"ls", safe}, "", 0, "\"Evil\\x1b]0;x\\x07\"\t1 card\n"},
        {{"ls", safe, "evil\x1b]0;x\x07"}, "", 0, "\"two\\nlines\"\n"},
        {{"show", safe, "Evil\x1b]0;x\x07/two\nlines"}, "", 0, "\"No\\tte\"\t\"a\\x1b[2Jb\"\n"},
        {{"search", safe, "2J"}, "", 0, "content\t\"a\\x1b[2Jb\"\n"},
        {{"rm", safe, "Evil\x1b]0;x\x07/two\nlines"}, "", 1, "delete card [two\\nlines] ?"},
    });
}

// A password line: not empty unless --no-password, at most 31 characters, for
// a safe, a new password and a file alike; a document without a password asks for none.
TEST_F(Cli, PasswordsAreRefusedEmptyOrLongerThan31Characters) {
    MakeSafe();
    std::string doc = Run({"export", safe}).out, p31(31, 'p'), p32(32, 'p'), n = dir + "/n.saf", o = dir + "/o.saf";
    WriteFile(dir + "/without.json", doc);
    WriteFile(dir + "/with.json", doc.replace(doc.find("\"nPasswort\": 0"), 14, "\"nPasswort\": 1"));
    const char *kEmpty = "the password is empty; --no-password makes a safe without one";
    const char *kLong = "the password is longer than 31 characters";
    Check({
        {{"create", n}, "\n", 1, kEmpty},
        {{"create", n}, p32 + "\n", 1, kLong},
        {{"create", n}, p31 + "\n", 0, ""},
        {{"ls", n}, p32 + "\n", 1, kLong},
        {{"ls", n}, "\n", 1, "the password is empty"},
        {{"passwd", n}, p31 + "\n\n", 1, kEmpty},
        {{"passwd", n}, p31 + "\n" + p32 + "\n", 1, kLong},
        {{"encrypt-file", safe}, p32 + "\n", 1, kLong},
        {{"import", dir + "/with.json", o}, "\n", 1, kEmpty},
        {{"import", dir + "/without.json", o}, "", 0, ""},
        {{"ls", o}, "", 0, "Web\t1 card\n"},
        {{"ls", n}, p31 + "\n", 0, ""},
    });
}

// Files encrypted through a safe's drop list need its password: the safe stays.
TEST_F(Cli, ImportRefusesToReplaceASafeWithADropFile) {
    MakeSafe();
    WriteFile(dir + "/s.json", Run({"export", safe}).out);
    WriteFile(safe + ".df", "envelope");
    const std::string before = ReadFile(safe);
    Check({{{"import", dir + "/s.json", safe, "--force"}, "", 1,
            "s.saf.df lists files encrypted under the password of the safe there"}});
    EXPECT_EQ(ReadFile(safe), before);
    EXPECT_EQ(ReadFile(safe + ".df"), "envelope");
}

TEST_F(Cli, CreateLeavesNothingBehindWhenTheSafeCannotBeWritten) {
    for (auto f : {std::make_pair(PL_FAULT_WRITE, 1), {PL_FAULT_WRITE, 2}, {PL_FAULT_FLUSH, 1}, {PL_FAULT_MOVE, 1}}) {
        PL_FailCall(f.first, f.second);
        EXPECT_EQ(Run({"create", safe, "--no-password"}).rc, 1) << f.first;
        PL_ResetFaults();
        EXPECT_FALSE(FileExists(safe) || FileExists(safe + ".~tmp")) << f.first << " " << f.second;
    }
}

// FIELD=- takes the value from standard input, after the safe's password.
TEST_F(Cli, AValueGivenAsADashIsReadFromStandardInput) {
    MakeSafe("pw");
    Check({
        {{"edit", safe, "Web/Card", "Pin=-", "Note=-"}, "pw\n4711\nthe note\n", 0, ""},
        {{"edit", safe, "Web/Card", "Pin=-"}, "pw\n123456789\n", 1, "the value for \"Pin\" is longer than its 8"},
        {{"edit", safe, "Web/Card", "Pin=-"}, "pw\n", 1, "the value of \"Pin\" could not be read"},
        {{"show", safe, "Web/Card", "--show-protected"}, "pw\n", 0, "Pin\t4711\nNote\tthe note\n"},
    });
}

// The settings of --dir are read as the program reads them: BackupGenerations 1 to 9.
TEST_F(Cli, BackupGenerationsOfTheSettingsKeepTheirBounds) {
    MakeSafe();
    for (std::string count : {"9", "10"}) {
        const std::string backups = dir + "/bk" + count;
        PL_CreateDirectory(backups.c_str());
        WriteFile(dir + "/orvsafe.ini", "[Options]\r\nBackupPath=" + backups + "\r\nBackupGenerations=" + count);
        std::set<std::string> made;
        for (int i = 0; i < 10; ++i)
            made.insert(Run({"backup", safe, "--dir", dir}).out);
        EXPECT_EQ(made.size(), count == "9" ? 9u : 5u) << count;
    }
}

// What another program wrote while a command ran is kept, and the command says so.
TEST_F(Cli, ASafeChangedByAnotherProgramMeanwhileIsNeverWrittenOver) {
#ifdef _WIN32
    GTEST_SKIP() << "the open safe is shared for reading only: nobody else can write it";
#endif
    MakeSafe();
    Args args;
    ConsoleUi console;
    ASSERT_EQ(CLI_OpenSafe(args, console, safe), 0);
    const std::string theirs = ReadFile(safe) + "theirs";
    ASSERT_TRUE(WriteFile(safe, theirs));
    FILE *err = fopen((dir + "/err").c_str(), "w+b");
    CLI_SetStreams(nullptr, nullptr, err);
    EXPECT_EQ(CLI_SaveSafe(), 1);
    CLI_SetStreams(nullptr, nullptr, nullptr);
    fclose(err);
    EXPECT_EQ(ReadFile(safe), theirs);
    EXPECT_EQ(ReadFile(dir + "/err"), "orvsafe-cli: " + safe +
                                          " was changed by another program while this command ran; nothing was written\n");
    EXPECT_EQ(SW_CloseSafe(0), 0);
}
