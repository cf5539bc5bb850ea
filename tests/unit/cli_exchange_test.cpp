#include "cli/cli_streams.h"
#include "cli/orvsafe_cli.h"
#include "crypto/kdf.h"
#include "platform/platform.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

using namespace testsupport;

namespace {
const std::string kData = std::string(ORV_SOURCE_DIR) + "/tests/data/exchange/";

class Exchange : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        setlocale(LC_CTYPE, "C.UTF-8");
        KDF_SetTestIterations(1000, 0);
        std::replace(dir.begin(), dir.end(), '\\', '/');
        WriteFile(dir + "/pw", "pw\n");
    }
    void TearDown() override {
        setlocale(LC_CTYPE, "C");
        KDF_SetTestIterations(0, 0);
        SafeTest::TearDown();
    }
    int Run(std::vector<std::string> words, std::string *out, std::string *err = nullptr) {
        words.insert(words.end(), {"--password-file", dir + "/pw"});
        FILE *io[2] = {fopen((dir + "/out").c_str(), "w+b"), fopen((dir + "/err").c_str(), "w+b")};
        CLI_SetStreams(nullptr, io[0], io[1]);
        std::vector<char *> argv{const_cast<char *>("orvsafe-cli")};
        for (std::string &w : words)
            argv.push_back(&w[0]);
        int rc = CLI_Main(static_cast<int>(argv.size()), argv.data());
        CLI_SetStreams(nullptr, nullptr, nullptr);
        fclose(io[0]);
        fclose(io[1]);
        *out = ReadFile(dir + "/out");
        if (err)
            *err = ReadFile(dir + "/err");
        return rc;
    }
    // Every card of the safe as "folder/card" and its fields, as show prints them.
    std::string Cards(const std::string &safe) {
        std::string folders, cards, card, all;
        Run({"ls", safe}, &folders);
        for (size_t at = 0; at < folders.size(); at = folders.find('\n', at) + 1) {
            const std::string folder = folders.substr(at, folders.find('\t', at) - at);
            Run({"ls", safe, folder}, &cards);
            for (size_t c = 0; c < cards.size(); c = cards.find('\n', c) + 1) {
                const std::string path = folder + "/" + cards.substr(c, cards.find('\n', c) - c);
                Run({"show", safe, path, "--show-protected"}, &card);
                all += "-- " + path + "\n" + card;
            }
        }
        return all;
    }
};

std::string LongNote() {
    std::string note;
    for (int i = 1; i <= 40; ++i)
        note += (i > 1 ? "\n" : "") + std::string("Line ") + (i < 10 ? "0" : "") + std::to_string(i) +
                " of a long note, “quoted” – and € 100.";
    return note;
}
} // namespace

// The awkward cases of CSV files, through the real importer into a new safe.
TEST_F(Exchange, AwkwardCsvFilesImportWithEveryChangeReported) {
#ifdef _WIN32
    GTEST_SKIP() << "the console's code pages, not a locale";
#endif
    const std::string head = "name,url,username,password,note\n";
    struct Row {
        std::string file, report, cards;
    } rows[] = {
        {"\xEF\xBB\xBF" + head + "\"a,b\",u,\"x\"\"y\",\"p,w\",\"l1\r\nl2\"\r\n",
         "Imported 1 folder, 1 card, 4 fields.\nNothing was changed, shortened or skipped.\n",
         "-- Imported/a,b\nWeb address\tu\nUser name\tx\"y\nPassword\tp,w\nNotes\t\"l1\\r\\nl2\"\n"},
        {head + ",,,,\nSame,,,,\nSame,,,,\n",
         "Imported 1 folder, 3 cards, 12 fields.\nImported/(untitled): no title: the card is named \"(untitled)\"\n"
         "Imported/Same: card named \"Same (2)\": the folder has a card \"Same\"\n",
         "-- Imported/(untitled)\nWeb address\t\nUser name\t\nPassword\t\nNotes\t\n"
         "-- Imported/Same\nWeb address\t\nUser name\t\nPassword\t\nNotes\t\n"
         "-- Imported/Same (2)\nWeb address\t\nUser name\t\nPassword\t\nNotes\t\n"},
        {head + "żółw €,,,pässwörd,\xe9t\xe9\n",
         "Imported 1 folder, 1 card, 4 fields.\nImported/[U+017C]\xC3\xB3[U+0142]w €: title: 2 characters outside "
         "Windows-1252 written as [U+code]\n",
         "-- Imported/[U+017C]ó[U+0142]w €\nWeb address\t\nUser name\t\nPassword\tpässwörd\nNotes\tété\n"},
        {head + "T," + std::string(300, 'u') + ",,," + std::string(60, 'n') + ",extra\n", "", ""},
    };
    int n = 0;
    for (const Row &r : rows) {
        const std::string file = dir + "/in" + std::to_string(n) + ".csv", safe = dir + "/s" + std::to_string(n++);
        WriteFile(file, r.file);
        std::string out, err;
        const int rc = Run({"import-from", file, safe}, &out, &err);
        if (r.report.empty()) { // a row with more fields than the header: refused, where, and nothing made
            EXPECT_EQ(rc, 1);
            EXPECT_EQ(err, "orvsafe-cli: " + file + ":2:1: more fields in this row than the header names; nothing "
                           "was imported\n");
            EXPECT_EQ(PL_GetFileAttributes(safe.c_str()), PL_INVALID_ATTRIBUTES);
            continue;
        }
        EXPECT_EQ(rc, 0) << err;
        EXPECT_EQ(out, r.report);
        EXPECT_EQ(Cards(safe), r.cards);
    }
}

// KeePassXC as the oracle: its own exports of one database import with every
// value, and our exports come back through our importer unchanged.
TEST_F(Exchange, KeePassXCExportsImportWholeAndOurExportsComeBack) {
#ifdef _WIN32
    GTEST_SKIP() << "the console's code pages, not a locale";
#endif
    const std::string bank = "-- Root/Bank\nWeb address\thttps://bank.example\nUser name\tjürgen\nPassword\tpa\"ss,wörd\n"
                             "Notes\t\n",
                      shop = "-- Internet/Shop\nWeb address\thttps://shop.example\nUser name\tbob\nPassword\tp4ss\n"
                             "Notes\ta, \"b\"\n";
    std::string out, err;
    ASSERT_EQ(Run({"import-from", kData + "keepassxc.xml", dir + "/x"}, &out, &err), 0) << err;
    const std::string fromXml = Cards(dir + "/x");
    EXPECT_EQ(fromXml.substr(0, bank.size()), bank);
    EXPECT_NE(fromXml.find(bank + "PIN\t4711\nSecurity question\tFirst pet: Müsli\n" + shop), std::string::npos);
    ASSERT_EQ(Run({"import-from", kData + "keepassxc.csv", dir + "/c"}, &out, &err), 0) << err;
    EXPECT_EQ(Cards(dir + "/c"), bank + shop + Cards(dir + "/x").substr(fromXml.find("-- Internet/Mail")));
    // Out and in again: the XML keeps every field, the CSV's columns what it has.
    for (const char *format : {"keepass-xml", "keepassxc-csv"}) {
        const std::string file = dir + "/" + format, back = dir + "/back-" + format;
        const std::string from = dir + (std::string(format) == "keepass-xml" ? "/x" : "/c");
        ASSERT_EQ(Run({"export-to", format, from, "--output", file}, &out, &err), 0) << err;
        ASSERT_EQ(Run({"import-from", file, back}, &out, &err), 0) << err;
        // The long note, kept in continuation fields, goes out whole again.
        if (from == dir + "/x") {
            EXPECT_NE(ReadFile(file).find("<Value>" + LongNote() + "</Value>"), std::string::npos);
        }
        EXPECT_EQ(Cards(back), Cards(from)) << format;
        EXPECT_EQ(Run({"export-to", format, from, "--output", file}, &out, &err), 1) << "replaced " << file;
    }
}

// One sample of each other format.
TEST_F(Exchange, SamplesOfEachFormatImport) {
#ifdef _WIN32
    GTEST_SKIP() << "the console's code pages, not a locale";
#endif
    struct Row {
        const char *file;
        std::string first;
    } rows[] = {
        {"bitwarden.json", "-- Work/VPN/Gateway\nWeb address\thttps://vpn.example\nUser name\tvpn-user\nPassword\t"
                           "s3cr€t\nNotes\t\"call \\\"IT\\\"\\nfirst\"\nURL\thttps://vpn2.example\nTOTP\t"
                           "otpauth://totp/x?secret=ABC\nToken\tt0kén\nRegion\tEU\n-- Imported/Alarm code\n"},
        {"bitwarden.csv", "-- Social/Forum\nWeb address\thttps://forum.example\nUser name\tme\nPassword\tp,w\nNotes\t"
                          "\"two\\r\\nlines\"\nfavorite\t1\nColor\tblue\nPet\tRex\nreprompt\t0\n"},
        {"firefox.csv", "-- Imported/https://www.mozilla.org\nWeb address\thttps://www.mozilla.org\nUser name\tfox\n"
                        "Password\tfire\"fox\nNotes\t\nformActionOrigin\thttps://www.mozilla.org\n"},
        {"lastpass.csv", "-- Top/Sub/LastPass entry\nWeb address\thttps://lp.example\nUser name\tlp-user\nPassword\t"
                         "lp-pass\nNotes\ta note, with a comma\nfav\t1\n"},
        {"1password.csv", "-- Imported/One\nWeb address\thttps://1p.example\nUser name\tone\nPassword\tpw1\nNotes\t"
                          "hello\nFavorite status\tNot favorite\nArchived status\tNot archived\nTags\thome,bank\n"},
    };
    for (const Row &r : rows) {
        std::string out, err;
        const std::string safe = dir + "/" + r.file + ".saf";
        ASSERT_EQ(Run({"import-from", kData + r.file, safe}, &out, &err), 0) << r.file << ": " << err;
        EXPECT_EQ(Cards(safe).substr(0, r.first.size()), r.first) << r.file;
    }
}
