#include "store/safe_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
// A little-endian image built by hand, independently of the code under test.
struct Image {
    explicit Image(size_t n) : b(n, 0) {}
    Image &u32(size_t off, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[off + i] = static_cast<uint8_t>(v >> (8 * i));
        return *this;
    }
    Image &text(size_t off, const std::string &s) {
        memcpy(&b[off], s.data(), s.size());
        return *this;
    }
    std::vector<uint8_t> b;
};

std::vector<uint8_t> Bytes(const uint8_t *p, size_t n) { return std::vector<uint8_t>(p, p + n); }
} // namespace

TEST(SafeFormat, HeaderControlAndTextBlockLayouts) {
    SAFEHEADER h = {1, 1, 11, 0x01020304};
    uint8_t img[SAFEHEADER_SIZE];
    SW_PutHeaderImage(img, &h);
    EXPECT_EQ(Bytes(img, 16), Image(16).u32(0, 1).u32(4, 1).u32(8, 11).u32(12, 0x01020304).b);
    SAFEHEADER back{};
    SW_GetHeaderImage(img, &back);
    EXPECT_EQ(back.nControlLength, 0x01020304u);
    EXPECT_EQ(back.nMinorRelease, 11u);

    SAFECONTROL c{};
    strcpy(c.cSafeId, SAFE_ID);
    c.nReserved = 0xBEEF;
    uint8_t cimg[SAFECONTROL_SIZE];
    SW_PutControlImage(cimg, &c);
    EXPECT_EQ(Bytes(cimg, 10), (std::vector<uint8_t>{'O', 'R', 'V', 'S', 'A', 'F', 'E', 0, 0xEF, 0xBE}));

    TEXTBLOCKHEADER t = {300, 17};
    uint8_t timg[TEXTBLOCK_HEADER_SIZE];
    SW_PutTextBlockHeaderImage(timg, &t);
    EXPECT_EQ(Bytes(timg, 8), Image(8).u32(0, 300).u32(4, 17).b);
}

TEST(SafeFormat, CurrentRecordsAreWrittenAtTheirOffsetsWithHandlesZeroAndNextFlag) {
    ORDNER o{};
    o.hOrdnerTree = reinterpret_cast<TREEHANDLE>(0x1234);
    o.nOrdnerKennung = 7;
    o.nOrdnerOrder = 2;
    strcpy(o.cOrdnerName, "E-Mail");
    strcpy(o.cIconName, "mail");
    o.nExpanded = 1;
    o.nCategory = 3;
    o.next = &o;
    uint8_t img[RECORD_IMAGE_MAX];
    SW_PutOrdnerImage(img, &o, false);
    EXPECT_EQ(Bytes(img, 76), Image(76).u32(4, 7).u32(8, 2).text(12, "E-Mail").text(37, "mail").u32(64, 1).u32(68, 3).u32(72, 1).b);
    SW_PutOrdnerImage(img, &o, true);
    EXPECT_EQ(img[72], 0);

    KARTE k{};
    k.nOrdnerKennung = 7;
    k.nKartenKennung = 9;
    k.nKartenOrder = 4;
    strcpy(k.cKartenName, std::string(49, 'k').c_str());
    strcpy(k.cIconName, "web");
    k.nExpanded = 1;
    k.nCategory = 2;
    SW_PutKarteImage(img, &k, true);
    EXPECT_EQ(Bytes(img, 104), Image(104).u32(4, 7).u32(8, 9).u32(12, 4).text(16, std::string(49, 'k')).text(66, "web").u32(92, 1).u32(96, 2).b);

    FELDTABELLE f{};
    f.nOrdnerKennung = 7;
    f.nFeldIndex = 3;
    f.nFeldOrder = 1;
    strcpy(f.feldname, "Password");
    f.feldtyp = FT_PASSWORT;
    f.feldlaenge = 250;
    f.drag = 1;
    SW_PutFeldTabelleImage(img, &f, false);
    EXPECT_EQ(Bytes(img, 56), Image(56).u32(0, 7).u32(4, 3).u32(8, 1).text(12, "Password").u32(40, 1).u32(44, 250).u32(48, 1).u32(52, 1).b);

    FELDTABCARD fc{};
    fc.KartenKennung = 9;
    fc.FeldIndex = 2;
    fc.FeldOrder = 5;
    strcpy(fc.FeldName, "PIN");
    fc.Feldtyp = FT_ALARM;
    fc.Feldlaenge = 10;
    SW_PutFeldTabCardImage(img, &fc, true);
    EXPECT_EQ(Bytes(img, 56), Image(56).u32(0, 9).u32(4, 2).u32(8, 5).text(12, "PIN").u32(40, 5).u32(44, 10).b);

    char text[] = "secret";
    FELDINHALT fi{};
    fi.hFeldTree = reinterpret_cast<TREEHANDLE>(0x55);
    fi.nKartenKennung = 9;
    fi.nFeldIndex = 2;
    fi.nFeldLaenge = 6;
    fi.lpFeldInhalt = text;
    SW_PutFeldInhaltImage(img, &fi, false);
    EXPECT_EQ(Bytes(img, 24), Image(24).u32(4, 9).u32(8, 2).u32(12, 6).u32(16, 1).b) << "no pointer reaches the file";
}

TEST(SafeFormat, NoteAndDesktopLayouts) {
    NOTIZ n{};
    n.crBackground = 0x0085FFFF;
    n.rcWindow = {-10, 20, 300, 400};
    n.nTextSize = 6;
    memcpy(n.szAlarmDate, "241206", 6);
    memcpy(n.szAlarmTime, "0930", 4);
    n.crText = 0x00112233;
    uint8_t img[RECORD_IMAGE_MAX];
    SW_PutNotizImage(img, &n, false);
    EXPECT_EQ(Bytes(img, 72), Image(72).u32(4, 0x0085FFFF).u32(16, static_cast<uint32_t>(-10)).u32(20, 20).u32(24, 300).u32(28, 400).u32(32, 6).text(40, "2412060930").u32(52, 0x00112233).u32(68, 1).b);
    NOTIZ back{};
    EXPECT_EQ(SW_GetNotizImage(img, &back), 1u);
    EXPECT_EQ(back.rcWindow.left, -10);
    EXPECT_EQ(std::string(back.szAlarmTime, 4), "0930");

    DTOPHEADER d{};
    strcpy(d.szDesktopId, DESKTOP_MARKER);
    d.nProfilIndex = 2;
    d.nWidth = 1280;
    d.nHeight = 1024;
    strcpy(d.szProfilName, "Office");
    strcpy(d.szComputerName, "PC1");
    memcpy(d.szCreated, "01032006", 8);
    SW_PutDtopHeaderImage(img, &d, true);
    EXPECT_EQ(Bytes(img, 108), Image(108).text(0, "DESKTOP_ID").u32(12, 2).u32(16, 1280).u32(20, 1024).text(24, "Office").text(65, "PC1").text(96, "01032006").b);

    DESKTOP ic{};
    ic.nIndex = 4;
    ic.nProfilIndex = 2;
    ic.nTextLen = 5;
    ic.x = -5;
    ic.y = 77;
    SW_PutDesktopImage(img, &ic, false);
    EXPECT_EQ(Bytes(img, 28), Image(28).u32(0, 4).u32(4, 2).u32(8, 5).u32(12, static_cast<uint32_t>(-5)).u32(16, 77).u32(24, 1).b);
    DESKTOP icBack{};
    EXPECT_EQ(SW_GetDesktopImage(img, &icBack), 1u);
    EXPECT_EQ(icBack.x, -5);
}

TEST(SafeFormat, OlderFolderAndCardLayoutsAreConverted) {
    EXPECT_EQ(SW_OrdnerImageSize(1, 5), 64u);
    EXPECT_EQ(SW_OrdnerImageSize(1, 8), 72u);
    EXPECT_EQ(SW_OrdnerImageSize(1, 9), 76u);
    EXPECT_EQ(SW_OrdnerImageSize(1, 0), 76u) << "minor 0 reads with the current layouts";
    EXPECT_EQ(SW_KarteImageSize(1, 1), 92u);
    EXPECT_EQ(SW_KarteImageSize(1, 6), 100u);
    EXPECT_EQ(SW_KarteImageSize(1, 11), 104u);
    EXPECT_EQ(SW_FeldTabelleImageSize(1, 10), 52u);
    EXPECT_EQ(SW_FeldTabelleImageSize(1, 11), 56u);

    // 1.5 folder: 27-byte icon name, cut to 24 characters.
    Image o15(64);
    o15.u32(4, 3).text(8, "Banking").text(33, std::string(26, 'i')).u32(60, 1);
    ORDNER o{};
    EXPECT_EQ(SW_GetOrdnerImage(o15.b.data(), 1, 5, &o), 1u);
    EXPECT_EQ(o.nOrdnerKennung, 3u);
    EXPECT_EQ(o.nOrdnerOrder, 3u) << "order taken from the id";
    EXPECT_STREQ(o.cOrdnerName, "Banking");
    EXPECT_EQ(std::string(o.cIconName), std::string(24, 'i'));
    EXPECT_EQ(o.nExpanded, 0u);
    EXPECT_EQ(o.nCategory, 0u);

    Image o18(72);
    o18.u32(4, 3).u32(8, 5).text(12, "Banking").text(37, "bank").u32(64, 1).u32(68, 0);
    EXPECT_EQ(SW_GetOrdnerImage(o18.b.data(), 1, 8, &o), 0u);
    EXPECT_EQ(o.nOrdnerOrder, 5u);
    EXPECT_EQ(o.nExpanded, 1u);
    EXPECT_STREQ(o.cIconName, "bank");

    Image k15(92);
    k15.u32(4, 3).u32(8, 12).text(12, "Giro").text(62, "card").u32(88, 0);
    KARTE k{};
    EXPECT_EQ(SW_GetKarteImage(k15.b.data(), 1, 3, &k), 0u);
    EXPECT_EQ(k.nKartenKennung, 12u);
    EXPECT_EQ(k.nKartenOrder, 12u);
    EXPECT_STREQ(k.cKartenName, "Giro");
    EXPECT_STREQ(k.cIconName, "card");

    Image k18(100);
    k18.u32(4, 3).u32(8, 12).u32(12, 2).text(16, "Giro").text(66, "card").u32(92, 1).u32(96, 1);
    EXPECT_EQ(SW_GetKarteImage(k18.b.data(), 1, 7, &k), 1u);
    EXPECT_EQ(k.nKartenOrder, 2u);
    EXPECT_EQ(k.nExpanded, 1u);
    EXPECT_EQ(k.nCategory, 0u);

    Image f110(52);
    f110.u32(0, 3).u32(4, 4).text(8, "User").u32(36, 2).u32(40, 80).u32(44, 1).u32(48, 1);
    FELDTABELLE f{};
    EXPECT_EQ(SW_GetFeldTabelleImage(f110.b.data(), 1, 10, &f), 1u);
    EXPECT_EQ(f.nFeldOrder, 4u) << "order taken from the index";
    EXPECT_STREQ(f.feldname, "User");
    EXPECT_EQ(f.feldtyp, 2u);
    EXPECT_EQ(f.feldlaenge, 80u);
    EXPECT_EQ(f.drag, 1u);
}

TEST(SafeFormat, UnterminatedNamesFromADamagedFileComeOutTerminated) {
    Image raw(76);
    raw.text(12, std::string(25, 'N')).text(37, std::string(25, 'I'));
    ORDNER o{};
    SW_GetOrdnerImage(raw.b.data(), 1, 11, &o);
    EXPECT_EQ(strlen(o.cOrdnerName), 24u);
    EXPECT_EQ(strlen(o.cIconName), 24u);

    Image card(104);
    card.text(16, std::string(50, 'C'));
    KARTE k{};
    SW_GetKarteImage(card.b.data(), 1, 11, &k);
    EXPECT_EQ(strlen(k.cKartenName), 49u);
}

TEST(SafeFormat, CurrentRecordsRoundTripByteForByte) {
    Image stored(76);
    stored.u32(4, 2).u32(8, 1).text(12, "Name").text(20, "x").text(37, "icon").u32(64, 1).u32(68, 4).u32(72, 1);
    stored.b[20] = 'x'; // a byte after the terminator, as older programs left them
    ORDNER o{};
    SW_GetOrdnerImage(stored.b.data(), 1, 11, &o);
    uint8_t img[RECORD_IMAGE_MAX];
    SW_PutOrdnerImage(img, &o, false);
    EXPECT_EQ(Bytes(img, 76), stored.b);
}

TEST(SafeFormat, ATextBlockMustFitTheFileAndItsEnvelope) {
    struct Case {
        uint32_t crypt, plain;
        uint64_t left;
        bool plausible;
    };
    const uint32_t k256M = 256u << 20;
    const Case cases[] = {
        {300, 17, 300, true},
        {300, 17, 299, false},                  // the envelope runs past the end of the file
        {100, 16 * 100 + 4096, 100, true},
        {100, 16 * 100 + 4097, 100, false},     // more texts than such an envelope holds
        {k256M + 16, 5000, k256M + 16, true},   // a safe beyond 256 MiB
        {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, true},
    };
    for (const Case &c : cases) {
        TEXTBLOCKHEADER t = {c.crypt, c.plain};
        EXPECT_EQ(SW_TextBlockPlausible(&t, c.left), c.plausible) << c.crypt << " " << c.plain << " " << c.left;
    }
}
