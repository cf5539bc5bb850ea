#include "frame/trace.h"
#include "model/desktop_records.h"
#include "model/droplist_records.h"
#include "model/dumps.h"
#include "model/records.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// Every address (a run of exactly 8 hex digits other than 00000000) becomes ADDR.
std::string MaskAddresses(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        size_t j = i;
        while (j < s.size() && IsHex(s[j]))
            ++j;
        if (j - i == 8 && s.compare(i, 8, "00000000") != 0 && (i == 0 || !IsHex(s[i - 1]))) {
            out += "ADDR";
            i = j;
        } else if (j > i) {
            out.append(s, i, j - i);
            i = j;
        } else {
            out += s[i++];
        }
    }
    return out;
}

// Trace lines without their "*TAG* Www Mmm dd hh:mm:ss " head; addresses masked.
std::vector<std::string> TraceBodies(const std::string &file, const std::string &tag) {
    std::vector<std::string> out;
    for (const auto &l : Lines(ReadFile(file))) {
        EXPECT_EQ(l.substr(0, tag.size() + 2), "*" + tag + "*");
        std::string body = l.substr(tag.size() + 2 + 1 + 19 + 1);
        out.push_back(MaskAddresses(body));
    }
    return out;
}

class Dumps : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        folder = {};
        folder.nOrdnerKennung = 1;
        folder.nOrdnerOrder = 1;
        strcpy(folder.cOrdnerName, "Mail");
        strcpy(folder.cIconName, "mail.ico");
        folder.nExpanded = 1;
        lpORDNERstart = lpORDNERact = &folder;
        field = {};
        field.nOrdnerKennung = 1;
        field.nFeldOrder = 1;
        strcpy(field.feldname, "User");
        field.feldlaenge = 40;
        field.drag = 1;
        lpFELDTABELLEstart = lpFELDTABELLEact = &field;
        card = {};
        card.nOrdnerKennung = 1;
        card.nKartenKennung = 3;
        card.nKartenOrder = 1;
        strcpy(card.cKartenName, "web.de");
        lpKARTEstart = lpKARTEact = &card;
        content = {};
        content.nKartenKennung = 3;
        content.nFeldLaenge = 5;
        content.lpFeldInhalt = text;
        lpFELDINHALTstart = lpFELDINHALTact = &content;
        drop = {};
        strcpy(drop.filename, "C:\\x.txt");
        drop.index = 1;
        drop.kz = KZ_FILE;
        drop.dwAttribute = 32;
        lpDROPLISTstart = lpDROPLISTact = &drop;
        icon = {};
        icon.nProfilIndex = 2;
        icon.nTextLen = 5;
        icon.x = 12;
        icon.y = -3;
        icon.dwIconText = iconText;
        lpDESKTOPstart = lpDESKTOPact = &icon;
    }
    void TearDown() override {
        lpORDNERstart = lpORDNERact = nullptr;
        lpFELDTABELLEstart = lpFELDTABELLEact = nullptr;
        lpKARTEstart = lpKARTEact = nullptr;
        lpFELDINHALTstart = lpFELDINHALTact = nullptr;
        lpDROPLISTstart = lpDROPLISTact = nullptr;
        lpDESKTOPstart = lpDESKTOPact = nullptr;
        TempDirTest::TearDown();
    }
    ORDNER folder;
    FELDTABELLE field;
    KARTE card;
    FELDINHALT content;
    DROPLIST drop;
    DESKTOP icon;
    char text[6] = "hello";
    char iconText[6] = "Trash";
};
} // namespace

TEST_F(Dumps, FullDumpListsEveryRecordWithTheLengthsOfItsContents) {
    ML_DumpTables("DMP GET");
    auto b = TraceBodies(Path("orvtrace.log"), "DMP GET");
    std::vector<std::string> expected = {
        "** lpORDNERstart=ADDR lpORDNERact=ADDR ",
        "=> Foldertable (ADDR):00 hOrdnerTree=00000000 nOrdnerKennung=01 nOrdnerOrder=1 cOrdnerName=Mail"
        "                           cIconName=mail.ico             nExpanded=1 nCategory=0 next=00000000 ",
        "** lpFELDTABELLEstart=ADDR lpFELDTABELLEact=ADDR ",
        "=> Fieldtable (ADDR):00 nOrdnerKennung=01 nFeldIndex=00 nFeldOrder=01 feldname=User                 "
        "feldtyp=0 feldlaenge=040 drag=1 next=00000000 ",
        "** lpKARTEstart=ADDR lpKARTEact=ADDR ",
        "=> Cardtable (ADDR):00 hCardTree=00000000 nOrdnerKennung=01 nKartenKennung=03 nKartenOrder=1 "
        "cKartenName=web.de               cIconName=                     nExpanded=0 nCategory=0 next=00000000 ",
        "** lpFELDINHALTstart=ADDR lpFELDINHALTact=ADDR ",
        "=> Contenttable (ADDR):00 hFeldTree=00000000 nKartenKennung=03 nFeldIndex=00 nFeldLaenge=005 "
        "next=00000000 lpFeldInhalt=ADDR ",
        "I* lpFeldInhalt (ADDR) = '*****' ",
        "** lpFELDTABCARDstart=00000000 lpFELDTABCARDact=00000000 ",
        "** lpDROPLISTstart=ADDR lpDROPLISTact=ADDR ",
        "=> Droplist (ADDR):00 index=000001 kz=1 dwAttribute=000032 next=00000000 filename=C:\\x.txt ",
    };
    EXPECT_EQ(b, expected);
}

TEST_F(Dumps, ShortFolderCardAndDesktopDumps) {
    KARTE second = card;
    second.nKartenKennung = 4;
    card.next = &second;
    lpKARTEact = &second;
    ML_DumpFolders("DMP B S");
    ML_DumpCards("DMP B S");
    ML_DumpDesktop("DMP B S");
    auto b = TraceBodies(Path("orvtrace.log"), "DMP B S");
    ASSERT_EQ(b.size(), 7u);
    EXPECT_EQ(b[1], "=> Foldertable (ADDR):00 hOrdnerTree=00000000 nOrdnerKennung=01 nOrdnerOrder=1 "
                    "cOrdnerName=Mail                           cIconName=mail.ico             next=00000000 ");
    EXPECT_EQ(b[3].substr(0, 24), "=> Cardtable (ADDR):00 h");
    EXPECT_EQ(b[4].substr(0, 24), "   Cardtable (ADDR):01 h") << "later records get two blanks";
    EXPECT_NE(b[3].find("next=ADDR "), std::string::npos);
    EXPECT_EQ(b[6], "=> Desktoptable (ADDR):00 nIndex=00 nProfilIndex=002 nTextLen=005 x=0012 y=-003 "
                    "dwIconText=*****                     next=00000000 ");
    card.next = nullptr;
}
