#include "model/records.h"
#include "store/safe_json.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

using namespace testsupport;

namespace {
SafeContents Everything(const std::string &password) {
    SafeContents s;
    s.password = password;
    s.reserved = 7;
    s.folders = {{1, 1, "B\xe4nke \"quoted\"", "bank", 1, 2}, {4, 2, "Web\\Mail", "", 0, 0}};
    s.fields = {{1, 0, 1, "IBAN", 0, 34, 1}, {4, 0, 1, "URL", 2, 250, 1}};
    s.cards = {{1, 2, 1, "Giro", "card", 0, 0}, {4, 7, 1, "Shop\tTab", "", 1, 3}};
    s.contents = {{2, 0, "DE00 1234"}, {7, 0, std::string(250, 'u')}};
    s.cardFields = {{7, 0, 1, "Own", 0, 30, 0}};
    s.notes = {{"line one\r\nline two \xfc", 0x0085FFFF, 5, -5, 6, 300, 200, "241206", "0930"}};
    s.profiles = {{1, "Office", "PC-1", "01032006"}};
    s.icons = {{0, 1, "Trash", 10, 20}, {1, 1, "", -5, 7}};
    return s;
}

class SafeJson : public SafeTest {};
} // namespace

TEST_F(SafeJson, ExportThenImportGivesTheSameSafeByteForByte) {
    // Without a password an envelope has no random part, so the files compare whole.
    std::string path = Path("orig.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(Everything(""))));
    ASSERT_EQ(ReadSafeFile(path, ""), 0);
    MakeActive(path, "");
    ActSafeControl.nReserved = TmpSafeControl.nReserved;
    SW_DeactivateSafe();
    ASSERT_EQ(SW_PutSafe(0, 1), 0); // our own writing of it, the reference
    SW_DeactivateSafe();
    std::string json = SW_ExportJson(TmpSafeHeader, TmpSafeControl);
    std::string lists = DescribeLists();

    bool hasPassword = true;
    uint16_t reserved = 0;
    std::string error;
    ASSERT_TRUE(SW_ImportJson(json, &hasPassword, &reserved, &error)) << error;
    EXPECT_FALSE(hasPassword);
    EXPECT_EQ(reserved, 7);
    EXPECT_EQ(DescribeLists(), lists);
    std::string copy = Path("copy.saf");
    MakeActive(copy, "");
    ActSafeControl.nReserved = reserved;
    ASSERT_EQ(SW_PutSafe(0, 1), 0);
    SW_DeactivateSafe();
    EXPECT_TRUE(ReadFile(copy) == ReadFile(path));

    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(copy, ""), 0);
    EXPECT_EQ(SW_ExportJson(TmpSafeHeader, TmpSafeControl), json) << "and the export of the copy is the same";
}

TEST_F(SafeJson, TextsTravelAsWindows1252AndAreEscaped) {
    ASSERT_TRUE(WriteFile(Path("x.saf"), BuildSafe(Everything("pw"))));
    ASSERT_EQ(ReadSafeFile(Path("x.saf"), "pw"), 0);
    std::string json = SW_ExportJson(TmpSafeHeader, TmpSafeControl);
    EXPECT_NE(json.find("\"cOrdnerName\": \"B\\u00e4nke \\\"quoted\\\"\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"cKartenName\": \"Shop\\tTab\""), std::string::npos);
    EXPECT_NE(json.find("\"lpText\": \"line one\\r\\nline two \\u00fc\""), std::string::npos);
    EXPECT_NE(json.find("\"nPasswort\": 1"), std::string::npos);
    EXPECT_NE(json.find("\"rcWindow\": [-5, 6, 300, 200]"), std::string::npos);
    // A document written by hand may carry the same letters as UTF-8.
    std::string utf8 = json;
    size_t at = utf8.find("\\u00e4");
    utf8.replace(at, 6, "\xc3\xa4");
    bool pw;
    uint16_t reserved;
    std::string error;
    ASSERT_TRUE(SW_ImportJson(utf8, &pw, &reserved, &error)) << error;
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "B\xe4nke \"quoted\"");
}

TEST_F(SafeJson, EveryByteRoundTripsAndReadsAsItsWindows1252Character) {
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c)
        high.push_back(static_cast<char>(c));
    SafeContents s = Everything("");
    s.contents[0].text = "price: \x80 5 \x96 " + high;
    ASSERT_TRUE(WriteFile(Path("x.saf"), BuildSafe(s)));
    ASSERT_EQ(ReadSafeFile(Path("x.saf"), ""), 0);
    std::string json = SW_ExportJson(TmpSafeHeader, TmpSafeControl);
    EXPECT_NE(json.find("\"price: \\u20ac 5 \\u2013 "), std::string::npos) << "the euro sign and the dash";
    bool pw;
    uint16_t reserved;
    std::string error;
    ASSERT_TRUE(SW_ImportJson(json, &pw, &reserved, &error)) << error;
    EXPECT_EQ(std::string(lpFELDINHALTstart->lpFeldInhalt), s.contents[0].text) << "all 128 bytes back";
#ifndef _WIN32
    // The defined characters written as UTF-8 by an independent converter read as
    // their bytes; the five the code page leaves out iconv cannot write.
    std::string defined;
    for (char c : high)
        if (std::string("\x81\x8d\x8f\x90\x9d").find(c) == std::string::npos)
            defined.push_back(c);
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string utf8(defined.size() * 3, 0);
    char *in = &defined[0], *out = &utf8[0];
    size_t inLeft = defined.size(), outLeft = utf8.size();
    ASSERT_NE(iconv(cd, &in, &inLeft, &out, &outLeft), static_cast<size_t>(-1));
    iconv_close(cd);
    utf8.resize(utf8.size() - outLeft);
    std::string doc = json;
    size_t at = doc.find("\"price: ");
    doc.replace(at + 1, doc.find('"', at + 1) - at - 1, utf8);
    const std::string length = "\"nFeldLaenge\": " + std::to_string(s.contents[0].text.size());
    doc.replace(doc.find(length), length.size(), "\"nFeldLaenge\": " + std::to_string(defined.size()));
    ASSERT_TRUE(SW_ImportJson(doc, &pw, &reserved, &error)) << error;
    EXPECT_EQ(std::string(lpFELDINHALTstart->lpFeldInhalt), defined);
#endif
}

TEST_F(SafeJson, BrokenDocumentsAreRefusedWithAReason) {
    ASSERT_TRUE(WriteFile(Path("x.saf"), BuildSafe(Everything(""))));
    ASSERT_EQ(ReadSafeFile(Path("x.saf"), ""), 0);
    std::string json = SW_ExportJson(TmpSafeHeader, TmpSafeControl);
    struct Case {
        std::string from, to, reason;
    };
    std::string zeros(4000, ','); // "0,0,...": far more values than a record holds
    for (size_t k = 0; k < zeros.size(); k += 2)
        zeros[k] = '0';
    std::vector<Case> cases = {
        {"\"orvsafe-export\"", "\"something\"", "not an orvSafe export"},
        {"\"nFeldLaenge\": 9", "\"nFeldLaenge\": 8", "\"lpFeldInhalt\" does not match its length"},
        {"\"cIconName\": \"bank\"", "\"cIconName\": \"" + std::string(25, 'i') + "\"", "longer than 24"},
        {"\"nOrdnerKennung\": 1,", "\"nOrdnerKennung\": -1,", "\"nOrdnerKennung\""},
        {"\"nTextLen\": 5", "\"nTextLen\": \"5\"", "\"nTextLen\""},
        {"\"Giro\"", "\"\\u0100\"", "no safe text can hold"},
        {"\"Giro\"", "\"\xe4\xb8\xad\"", "no safe text can hold"},
        {"\"nTextLen\": 5", "\"nTextLen\": -nan", "not a JSON document"},
        {"\"nTextLen\": 5", "\"nTextLen\": 1e999", "not a JSON document"},
        {"\"nTextLen\": 5", "\"nTextLen\": 0x5", "not a JSON document"},
        {"\"folders\": [", "\"folders\": [[", "not a JSON document"},
        {"\"nPasswort\": 0", "\"nPasswort\": 2", "\"nPasswort\" is not 0 or 1"},
        // Lists that would not read back as they were written.
        {"\"nOrdnerKennung\": 1, \"nOrdnerOrder\"", "\"nOrdnerKennung\": 0, \"nOrdnerOrder\"", "folder 0: the id"},
        {"\"nOrdnerKennung\": 4, \"nOrdnerOrder\"", "\"nOrdnerKennung\": 1, \"nOrdnerOrder\"", "folder 1: the id"},
        {"\"nOrdnerKennung\": 4, \"nFeldIndex\": 0", "\"nOrdnerKennung\": 9, \"nFeldIndex\": 0",
         "field 0 of folder 9: the folder does not exist"},
        {"\"nOrdnerKennung\": 4, \"nFeldIndex\": 0", "\"nOrdnerKennung\": 1, \"nFeldIndex\": 0",
         "field 0 of folder 1 is described twice"},
        {"\"nOrdnerKennung\": 4, \"nFeldIndex\": 0", "\"nOrdnerKennung\": 1, \"nFeldIndex\": 1",
         "folder 4 holds cards but has no field"},
        {"\"feldtyp\": 2", "\"feldtyp\": 7", "field 0 of folder 4: type 7 is not 0 to 6"},
        {"\"feldlaenge\": 250", "\"feldlaenge\": 251", "length 251 is more than 250"},
        {"\"nKartenKennung\": 7", "\"nKartenKennung\": 2", "card 2: the id"},
        {"\"nOrdnerKennung\": 4, \"nKartenKennung\"", "\"nOrdnerKennung\": 5, \"nKartenKennung\"",
         "card 7: folder 5 does not exist"},
        {"\"nKartenKennung\": 2, \"nFeldIndex\": 0", "\"nKartenKennung\": 3, \"nFeldIndex\": 0",
         "field 0 of card 3: the card does not exist"},
        {"\"nKartenKennung\": 2, \"nFeldIndex\": 0", "\"nKartenKennung\": 2, \"nFeldIndex\": 5",
         "field 5 of card 2: the card has no such field"},
        {"\"nKartenKennung\": 7, \"nFeldIndex\": 0", "\"nKartenKennung\": 2, \"nFeldIndex\": 0", "there twice"},
        {"\"KartenKennung\": 7", "\"KartenKennung\": 8", "card field 0 of card 8: the card does not exist"},
        {"\"Feldtyp\": 0", "\"Feldtyp\": 9", "type 9 is not 0 to 6"},
        {"\"desktopProfiles\": [", "\"desktopProfiles\": [], \"other\": [", "icon positions without a desktop profile"},
        {"\"rcWindow\": [", "\"rcWindow\": [" + zeros, "too many values"},
        {"\n}\n", "\n}\n" + std::string(SW_JSON_MAX_SIZE, ' '), "larger than 32 MiB"},
    };
    for (const auto &c : cases) {
        std::string doc = json;
        size_t at = doc.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        doc.replace(at, c.from.size(), c.to);
        bool pw;
        uint16_t reserved;
        std::string error;
        EXPECT_FALSE(SW_ImportJson(doc, &pw, &reserved, &error)) << c.to;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.to << ": " << error;
        EXPECT_EQ(lpORDNERstart, nullptr) << "nothing half imported";
    }
    bool pw;
    uint16_t reserved;
    std::string error;
    EXPECT_FALSE(SW_ImportJson(std::string(100000, '['), &pw, &reserved, &error));
    EXPECT_FALSE(SW_ImportJson("", &pw, &reserved, &error));
}
