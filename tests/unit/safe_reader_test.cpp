#include "frame/trace.h"
#include "model/desktop_records.h"
#include "model/note_records.h"
#include "model/records.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
// Two folders, three fields, two cards with their contents, in a given version.
SafeContents Sample(uint32_t minor, const std::string &password = "") {
    SafeContents s;
    s.minor = minor;
    s.password = password;
    s.folders = {{2, 2, "Web", "globe", 1, 4}, {1, 1, "Bank", "bank", 0, 0}};
    s.fields = {{2, 0, 1, "User", 0, 40, 1}, {2, 1, 2, "Password", 1, 30, 0}, {1, 0, 1, "IBAN", 0, 34, 0}};
    s.cards = {{2, 5, 1, "mail.example", "mail", 1, 2}, {1, 3, 1, "Giro", "", 0, 0}};
    s.contents = {{5, 0, "alice"}, {5, 1, "s3cret!"}, {3, 0, "DE00 1234"}};
    return s;
}

class SafeReader : public SafeTest {
  protected:
    std::string Write(const SafeContents &spec, std::vector<size_t> *offsets = nullptr) {
        std::string path = Path("test.saf");
        EXPECT_TRUE(WriteFile(path, BuildSafe(spec, offsets)));
        return path;
    }
};
} // namespace

TEST_F(SafeReader, CurrentVersionWithAndWithoutPassword) {
    for (std::string pw : {"", "correct horse"}) {
        ReleaseSafeState();
        std::string path = Write(Sample(11, pw));
        ASSERT_EQ(ReadSafeFile(path, pw), 0) << pw;
        EXPECT_EQ(DescribeLists(), "O 1 1 [Bank] [bank] 0 0\n"
                                   "O 2 2 [Web] [globe] 1 4\n"
                                   "F 2 0 1 [User] 0 40 1\n"
                                   "F 2 1 2 [Password] 1 30 0\n"
                                   "F 1 0 1 [IBAN] 0 34 0\n"
                                   "K 2 5 1 [mail.example] [mail] 1 2\n"
                                   "K 1 3 1 [Giro] [] 0 0\n"
                                   "I 5 0 5 [alice]\n"
                                   "I 5 1 7 [s3cret!]\n"
                                   "I 3 0 9 [DE00 1234]\n")
            << "folders sorted by their order; cards stay in file order across folders";
        EXPECT_EQ(RecordCounts.nOrdnerCount, 2u);
        EXPECT_EQ(RecordCounts.nFeldCount, 3u);
        EXPECT_EQ(RecordCounts.nCardCount, 2u);
        EXPECT_EQ(TmpSafeHeader.nPasswort, pw.empty() ? 0u : 1u);
        EXPECT_TRUE(ui.shown.empty());
    }
}

TEST_F(SafeReader, OlderVersionsAreConvertedWithTheirLogLines) {
    std::string path = Write(Sample(5));
    ASSERT_EQ(ReadSafeFile(path, ""), 0);
    std::string d = DescribeLists();
    EXPECT_NE(d.find("O 1 1 [Bank] [bank] 0 0\nO 2 2 [Web] [globe] 0 0\n"), std::string::npos)
        << "order from the id, nothing expanded, no category:\n" << d;
    EXPECT_NE(d.find("F 2 1 1 [Password] 1 30 0\n"), std::string::npos) << "field order from the index:\n" << d;
    EXPECT_NE(d.find("K 2 5 1 [mail.example] [mail] 0 0\n"), std::string::npos) << d;
    std::string log = Log();
    EXPECT_NE(log.find("*SW06* **folder conversion** " + path + " version - old 1.5 to new 1.11 "), std::string::npos)
        << log;
    EXPECT_NE(log.find("*SW17* **fieldtable conversion** " + path + " version - old 1.5 to new 1.11 "),
              std::string::npos);
    EXPECT_NE(log.find("*SW08* **card conversion** " + path + " version - old 1.5 to new 1.11 "), std::string::npos);

    for (uint32_t minor : {8u, 9u, 10u}) {
        ReleaseSafeState();
        PL_DeleteFile(Path("orvsafe.log").c_str());
        path = Write(Sample(minor, "pw"));
        ASSERT_EQ(ReadSafeFile(path, "pw"), 0) << minor;
        d = DescribeLists();
        // 1.9 and 1.10 already have the current folder record with its category.
        EXPECT_NE(d.find(minor == 8 ? "O 2 2 [Web] [globe] 1 0\n" : "O 2 2 [Web] [globe] 1 4\n"), std::string::npos)
            << minor << "\n" << d;
        EXPECT_NE(d.find("I 5 1 7 [s3cret!]\n"), std::string::npos);
        log = Log();
        EXPECT_EQ(log.find("folder conversion") != std::string::npos, minor == 8) << minor;
        EXPECT_EQ(log.find("card conversion") != std::string::npos, minor == 8) << minor;
        EXPECT_NE(log.find("fieldtable conversion"), std::string::npos) << minor;
    }
}

TEST_F(SafeReader, NewerVersionsAreRefusedBeforeAnyPassword) {
    for (auto v : {std::make_pair(1u, 12u), std::make_pair(2u, 0u)}) {
        SafeContents s = Sample(11, "pw");
        s.major = v.first;
        s.minor = v.second;
        std::string path = Write(s);
        ui.shown.clear();
        EXPECT_EQ(SW_OpenSafe(path.c_str()), -1);
        std::string text = "unsupported Safe Version " + std::to_string(v.first) + "." + std::to_string(v.second);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, text);
        EXPECT_EQ(ui.shown[0].caption, "Error");
        EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);
        EXPECT_NE(Log().find("*SW14* " + text + " \r\n"), std::string::npos);
        EXPECT_EQ(tmpSafe, nullptr);
    }
}

TEST_F(SafeReader, MissingShortAndWronglyLockedFiles) {
    EXPECT_EQ(SW_OpenSafe(Path("none.saf").c_str()), -1);
    EXPECT_EQ(ui.shown.back().text, "cannot open safe");
    EXPECT_NE(Log().find("*SW00* cannot open safe '" + Path("none.saf") + "' - code: "), std::string::npos);

    ASSERT_TRUE(WriteFile(Path("short.saf"), std::string(10, '\0')));
    EXPECT_EQ(SW_OpenSafe(Path("short.saf").c_str()), -1);
    EXPECT_EQ(ui.shown.back().text, "cannot read safe");

    std::string path = Write(Sample(11, "right"));
    ui.shown.clear();
    EXPECT_EQ(ReadSafeFile(path, "wrong"), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "error in encrypt safe");
    EXPECT_NE(Log().find("*SW03* Error: Decrypt Safe"), std::string::npos);
    EXPECT_EQ(lpORDNERstart, nullptr) << "nothing read past the password check";
}

TEST_F(SafeReader, DamagedContentsAreReportedAndLastSafeCleared) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nLastSafe=C:\\x.saf\r\n"));
    SafeContents s = Sample(11);
    s.contents[1].storedLength = 251;
    s.contents[1].text = std::string(251, 'x');
    std::string path = Write(s);
    EXPECT_EQ(ReadSafeFile(path, ""), -1);
    EXPECT_EQ(ui.shown.back().text, "error: safe could be destroyed, please recover");
    EXPECT_NE(Log().find("*SW09* error in safe [" + path + "]: error: safe could be destroyed, please recover"),
              std::string::npos);
    EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("LastSafe=\r\n"), std::string::npos) << ReadFile(Path("orvsafe.ini"));

    // A text block shorter than the contents it should hold.
    ReleaseSafeState();
    s = Sample(11, "pw");
    s.contents[2].storedLength = 40;
    path = Write(s);
    EXPECT_EQ(ReadSafeFile(path, "pw"), -1);
    EXPECT_EQ(ui.shown.back().text, "error: safe could be destroyed, please recover");
    EXPECT_NE(Log().find("*SW11* error: safe could be destroyed, please recover"), std::string::npos);
}

TEST_F(SafeReader, EveryCutAtASectionBoundaryGivesADefinedResult) {
    SafeContents s = Sample(11, "pw");
    s.cardFields = {{3, 0, 1, "Own", 0, 20, 0}};
    s.notes = {{"remember the milk"}};
    s.profiles = {{1, "Office", "PC", "01032006"}};
    s.icons = {{0, 1, "Trash", 10, 20}};
    std::vector<size_t> at;
    std::string full = BuildSafe(s, &at);
    ASSERT_EQ(at.size(), 10u);
    struct Expect {
        size_t cut;
        int rc;
        const char *message;
    };
    std::vector<Expect> cases = {
        {at[1], -1, "cannot read safe"},                          // no control block
        {at[2], 0, nullptr},                                      // header and control only: an empty safe
        {at[3], 0, nullptr},                                      // folders, nothing else
        {at[4], 0, nullptr},                                      // no cards
        {at[5], -1, "error: safe destroyed, please recover"},     // cards without contents
        {at[6], 0, nullptr},                                      // ends after the contents
        {at[7], 0, nullptr},                                      // ends after the card field tables
        {at[8], 0, nullptr},                                      // ends after the notes
        {at[8] + DTOPHEADER_IMAGE_SIZE + 10, -1, "error: safe destroyed, icon positions loosed!"}, // desktop cut short
        {at[9], 0, nullptr},                                      // whole file
    };
    for (const auto &c : cases) {
        ReleaseSafeState();
        ui.shown.clear();
        std::string path = Path("cut.saf");
        ASSERT_TRUE(WriteFile(path, full.substr(0, c.cut)));
        int rc = ReadSafeFile(path, "pw");
        if (c.message && std::string(c.message).find("icon") != std::string::npos) {
            EXPECT_EQ(rc, 0) << "a damaged desktop section does not stop the read";
            EXPECT_EQ(lpDTOPHEADERstart, nullptr);
            EXPECT_EQ(lpDESKTOPstart, nullptr);
            EXPECT_NE(lpNOTIZstart, nullptr);
        } else {
            EXPECT_EQ(rc, c.rc) << "cut at " << c.cut;
        }
        if (c.message) {
            ASSERT_FALSE(ui.shown.empty()) << c.cut;
            EXPECT_EQ(ui.shown.back().text, c.message) << c.cut;
        } else {
            EXPECT_TRUE(ui.shown.empty()) << c.cut << ": " << ui.shown[0].text;
        }
    }
    // The whole file: every section arrived.
    std::string d = DescribeLists();
    EXPECT_NE(d.find("C 3 0 1 [Own] 0 20 0\n"), std::string::npos) << d;
    EXPECT_NE(d.find("[remember the milk]\n"), std::string::npos) << d;
    EXPECT_NE(d.find("P 1 1280 1024 [Office] [PC] [01032006]\nD 0 1 5 10 20 [Trash]\n"), std::string::npos) << d;
}

TEST_F(SafeReader, AnOptionalSectionIsNeverTakenForAFolder) {
    for (std::string pw : {"", "pw"}) {
        ReleaseSafeState();
        SafeContents s;
        s.password = pw;
        s.notes = {{"a note in a safe without folders", 0xFF}};
        s.profiles = {{3, "Home", "PC", "24122006"}};
        s.icons = {{0, 3, "", 1, 2}, {1, 3, "Mail", -4, 8}};
        std::string path = Write(s);
        ASSERT_EQ(ReadSafeFile(path, pw), 0) << pw;
        EXPECT_EQ(lpORDNERstart, nullptr);
        EXPECT_EQ(DescribeLists(), "N 000000ff 00000000 10 20 210 170 33 [] [] [a note in a safe without folders]\n"
                                   "P 3 1280 1024 [Home] [PC] [24122006]\n"
                                   "D 0 3 0 1 2 [(null)]\n"
                                   "D 1 3 4 -4 8 [Mail]\n")
            << pw;
    }
}

TEST_F(SafeReader, EqualOrdersEndAsTheExchangeSortLeavesThem) {
    SafeContents s;
    s.folders = {{1, 2, "A", ""}, {2, 2, "B", ""}, {3, 1, "C", ""}};
    std::string path = Write(s);
    ASSERT_EQ(ReadSafeFile(path, ""), 0);
    EXPECT_EQ(DescribeLists(), "O 3 1 [C] [] 0 0\nO 2 2 [B] [] 0 0\nO 1 3 [A] [] 0 0\n");
}

TEST_F(SafeReader, ATextBlockThatDoesNotOpenIsDamageNeverEmptyTexts) {
    SafeContents s = Sample(11, "pw");
    s.notes = {{"remember the milk"}};
    s.profiles = {{1, "Office", "PC", "01032006"}};
    s.icons = {{0, 1, "Trash", 10, 20}};
    std::vector<size_t> at;
    const std::string full = BuildSafe(s, &at);
    // Where each envelope begins: after its records and the 8-byte text block header.
    const size_t contents = at[5] + 3 * FELDINHALT_IMAGE_SIZE + TEXTBLOCK_HEADER_SIZE,
                 notes = at[7] + NOTIZ_MARKER_LEN + NOTIZ_IMAGE_SIZE + TEXTBLOCK_HEADER_SIZE,
                 desktop = at[8] + DTOPHEADER_IMAGE_SIZE + DESKTOP_IMAGE_SIZE + TEXTBLOCK_HEADER_SIZE;
    const char *kRecover = "error: safe could be destroyed, please recover";
    struct Case {
        const char *what;
        std::string file;
        int rc;
        const char *message;
        const char *lost; // what the lists no longer hold ("" when the read stops)
    };
    auto garble = [&](size_t where) {
        std::string f = full;
        f[where] = static_cast<char>(~f[where]);
        return f;
    };
    SafeContents noBlock = s;
    noBlock.contentTextBlock = false;
    noBlock.notes.clear();
    noBlock.profiles.clear();
    noBlock.icons.clear();
    const Case cases[] = {
        {"contents' envelope garbled", garble(contents), -1, kRecover, ""},
        {"contents without their text block", BuildSafe(noBlock), -1, kRecover, ""},
        {"notes' envelope garbled", garble(notes), 0, "error: safe destroyed, notes loosed!", "N "},
        {"labels' envelope garbled", garble(desktop), 0, "error: safe destroyed, icon positions loosed!", "D "},
    };
    for (const Case &c : cases) {
        ReleaseSafeState();
        ui.shown.clear();
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nLastSafe=C:\\x.saf\r\n"));
        std::string path = Path("damaged.saf");
        ASSERT_TRUE(WriteFile(path, c.file));
        EXPECT_EQ(ReadSafeFile(path, "pw"), c.rc) << c.what;
        ASSERT_EQ(ui.shown.size(), 1u) << c.what;
        EXPECT_EQ(ui.shown[0].text, c.message) << c.what;
        std::string d = DescribeLists();
        if (c.rc != 0) {
            EXPECT_EQ(tmpSafe, nullptr) << c.what;
            EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("LastSafe=\r\n"), std::string::npos) << c.what;
            EXPECT_NE(Log().find("*SW11* " + std::string(kRecover)), std::string::npos) << c.what;
        } else {
            EXPECT_EQ(d.find(std::string("\n") + c.lost), std::string::npos) << c.what << "\n" << d;
            EXPECT_NE(d.find("I 5 1 7 [s3cret!]\n"), std::string::npos) << c.what << ": the contents still open";
        }
    }
}

// A note record carries its text's size; a tampered size is believed only
// within the text the file holds, so a small file never costs more memory for
// note texts than its own size.
TEST_F(SafeReader, NoteSizesAreBelievedOnlyWithinTheTextsThere) {
    const struct {
        const char *what;
        std::string password;
        size_t notes, from; // records from this one on get the size
        uint32_t size;
        bool lost; // the notes go, with a word to the user
    } rows[] = {
        {"1,000 notes of 1 MiB behind a password", "pw", 1000, 0, 1u << 20, true},
        {"a text one byte beyond the block", "pw", 2, 1, 6, true},
        {"1,000 notes of 16 MiB without a password", "", 1000, 0, 16u << 20, false},
        {"a text beyond the end of the file", "", 3, 2, 1u << 20, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        ReleaseSafeState();
        ui.shown.clear();
        SafeContents s = Sample(11, row.password);
        s.notes.assign(row.notes, {"ab"});
        std::vector<size_t> at;
        std::string file = BuildSafe(s, &at);
        const size_t stride = NOTIZ_IMAGE_SIZE + (row.password.empty() ? 3 : 0); // without a password the text follows
        const size_t textSize = SW_ImageOffset(SW_NOTIZ_LAYOUT, offsetof(NOTIZ, nTextSize));
        for (size_t i = row.from; i < row.notes; ++i)
            for (int k = 0; k < 4; ++k)
                file[at[7] + NOTIZ_MARKER_LEN + i * stride + textSize + k] = static_cast<char>(row.size >> (8 * k));
        std::string path = Path("notes.saf");
        ASSERT_TRUE(WriteFile(path, file));
        PL_DeleteFile(Path("orvtrace.log").c_str());
        dwTraceLevel = TRACE_MEMORY;
        EXPECT_EQ(ReadSafeFile(path, row.password), 0);
        dwTraceLevel = 0;
        size_t given = 0;
        for (const auto &line : Lines(ReadFile(Path("orvtrace.log"))))
            if (line.rfind("*NW_M_01*", 0) == 0)
                given += std::stoul(line.substr(line.find("<size=") + 6));
        EXPECT_LE(given, file.size());
        EXPECT_EQ(ui.shown.size(), row.lost ? 1u : 0u);
        EXPECT_TRUE(!row.lost || ui.shown[0].text == "error: safe destroyed, notes loosed!");
        EXPECT_NE(DescribeLists().find("I 5 1 7 [s3cret!]\n"), std::string::npos) << "the rest of the safe opens";
    }
}
