#include "frame/trace.h"
#include "model/cards.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <set>

using namespace testsupport;

namespace {
class Cards : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        AddFolder(1, 1, "Banking", Item(0xa1));
        AddFolder(2, 2, "Mail", Item(0xa2));
        AddField(1, 0, 1, "user", FT_NORMAL, 20, 1);
        AddField(1, 1, 2, "password", FT_PASSWORT, 10);
        AddField(2, 0, 1, "address", FT_EMAIL, 60);
        KARTE *k = AddCard(1, 1, 1, "Bank", Item(0xc1));
        strcpy(k->cIconName, "money");
        k->nCategory = 2;
        AddCard(1, 2, 2, "bank", Item(0xc2));
        AddCard(2, 3, 1, "Bank"); // same name in another folder, not shown
        AddCard(2, 5, 2, "Own", Item(0xc5));
        AddCardField(5, 0, 1, "pin", FT_PASSWORT, 4);
        AddCardField(5, 1, 2, "longer name", FT_URL, 100, 1);
    }
};
} // namespace

TEST_F(Cards, LookupsByTreeItem) {
    EXPECT_EQ(CW_GetCardId(Item(0xc2)), 2);
    EXPECT_EQ(CW_GetCardOrdnerId(Item(0xc5)), 2);
    EXPECT_STREQ(CW_GetCardName(Item(0xc1)), "Bank");
    EXPECT_EQ(CW_GetCardCategory(Item(0xc1)), 2);
    CW_SetCardCategory(Item(0xc2), 7);
    EXPECT_EQ(CW_GetCardCategory(Item(0xc2)), 7);
    EXPECT_EQ(CW_SetCardExpanded(Item(0xc5), 1), 1);
    EXPECT_EQ(lpKARTEact->nExpanded, 1u);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(ui.shown.empty());

    EXPECT_EQ(CW_GetCardName(Item(0xbad)), nullptr);
    EXPECT_EQ(CW_GetCardCategory(nullptr), -1) << "no tree item never finds the card that is not shown";
    EXPECT_EQ(CW_SetCardExpanded(nullptr, 1), 0);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(CW_GetCardId(Item(0xbad)), -1);
    EXPECT_EQ(CW_GetCardOrdnerId(Item(0xbad)), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "CW_GetCardOrdnerID: folder not found");
    EXPECT_EQ(ui.shown[0].caption, "Error");
    EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "*CA04* P-Error: CW_GetCardId - cannot find card id (HTREEITEM=bad)",
                              "*CA03* P-Error: CW_GetCardOrdnerId - cannot find folder id (HTREEITEM=bad)",
                          }));
}

TEST_F(Cards, LookupsByIdentifierAndName) {
    EXPECT_EQ(CW_GetCardOrdnerId_CID(3), 2);
    EXPECT_STREQ(CW_GetCardStructAdr(5)->cKartenName, "Own");
    EXPECT_STREQ(CW_GetCardNameById(2), "bank");
    EXPECT_EQ(CW_GetCardTreeHandle(5), Item(0xc5));
    EXPECT_STREQ(CW_GetCardIconName(1), "money");
    EXPECT_EQ(CW_GetCardIdByName("Bank"), 1) << "the first card so named";
    EXPECT_EQ(CW_GetCardIdByName("bank"), 2) << "case-sensitive";
    EXPECT_EQ(CW_GetCardIdByName("Ban"), -1);
    EXPECT_EQ(CW_GetCardIdByName(std::string(60, 'x').c_str()), -1);
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(CW_GetCardNameById(4), nullptr);
    EXPECT_EQ(CW_GetCardTreeHandle(4), nullptr);
    EXPECT_EQ(CW_GetCardIconName(4), nullptr);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(CW_GetCardOrdnerId_CID(4), -1);
    EXPECT_EQ(CW_GetCardStructAdr(26), nullptr);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "*CA06* P-Error: CW_GetCardOrdnerId_CID - cannot find folder id (HTREEITEM=4)",
                              "*CA08* P-Error: CW_GetCardStructAdr(nCardID=26) - cannot find card id",
                          }));
}

TEST_F(Cards, MoveCardSetsItsFolder) {
    CW_MoveCard(2, 2);
    EXPECT_EQ(CW_GetCardOrdnerId_CID(2), 2);
    CW_MoveCard(9, 1); // no such card: nothing happens
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(Cards, OwnFieldTableLookups) {
    EXPECT_EQ(CW_GetFirstCardField(1), nullptr) << "an ordinary card";
    ASSERT_NE(CW_GetFirstCardField(5), nullptr);
    EXPECT_STREQ(CW_GetFirstCardField(5)->FeldName, "pin");
    EXPECT_EQ(CW_GetFeldtyp(5, 1), FT_URL);
    EXPECT_EQ(CW_GetFeldLaenge(5, 0), 4u);
    EXPECT_EQ(CW_GetDropKZ(5, 1), 1u);
    EXPECT_STREQ(CW_GetPointer2Feld(5, 1)->FeldName, "longer name");
    EXPECT_TRUE(LogLines().empty());

    EXPECT_EQ(CW_GetFeldtyp(1, 0), 0u);
    EXPECT_EQ(CW_GetFeldLaenge(5, 2), 0u) << "0, not -1 as for folders";
    EXPECT_EQ(CW_GetDropKZ(5, 3), 0u);
    EXPECT_EQ(CW_GetPointer2Feld(6, 0), nullptr);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "*CW09* CW_GetFeldtyp(UINT nKIndex=1 UINT nFIndex=0) [return 0]",
                              "*CW10* CW_GetFeldLaenge(UINT nKIndex=5 UINT nFIndex=2) [return 0]",
                              "*CW11* CW_GetDropKZ(UINT nKIndex=5 UINT nFIndex=3) [return 0]",
                              "*CW12* CW_GetPointer2Feld(UINT nKIndex=6 UINT nFIndex=0) [return NULL]",
                          }));
}

TEST_F(Cards, NewCardIdIsUniqueAcrossFoldersAndTraced) {
    dwTraceLevel = TRACE_FUNCTIONS;
    EXPECT_EQ(CW_GetNewCardId(), 4u) << "cards 1, 2, 3 and 5 in two folders";
    EXPECT_EQ(TraceLines("CW_FNK"),
              (std::vector<std::string>{"B CW_GetNewCardId()",
                                        "E CW_GetNewCardId() (nCardCount=4) (return nNewCardId=4)"}));
    // Cards made one after another in two folders never share an identifier.
    std::set<uint32_t> ids{1, 2, 3, 5};
    for (int i = 0; i < 20; ++i) {
        uint32_t id = CW_GetNewCardId();
        EXPECT_TRUE(ids.insert(id).second) << id;
        AddCard(1 + i % 2, id, 9999, "new");
    }
    EXPECT_EQ(*ids.rbegin(), 24u);
}

TEST_F(Cards, WidestFieldNameMeasuredOnTheCardList) {
    EXPECT_EQ(CW_GetCardMaxFieldNameLength(5, 1), 7 * 11) << "\"longer name\" in the card's own table";
    EXPECT_EQ(ui.measured, (std::vector<std::string>{"pin", "longer name"}));
    ui.measured.clear();
    EXPECT_EQ(CW_GetCardMaxFieldNameLength(1, 0), 7 * 8) << "\"password\" in folder 1";
    EXPECT_EQ(ui.measured, (std::vector<std::string>{"user", "password"}));
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(CW_GetCardMaxFieldNameLength(1, 1), 0) << "card 1 has no own table";
    EXPECT_EQ(LogLines(), std::vector<std::string>{
                              "*CA05* P-Error: CW_GetCardMaxFieldNameLength - no cards ? (nID=1)"});
}

TEST_F(Cards, RemovingACardTakesItsContentsAndOwnFieldsOnly) {
    AddCardField(6, 0, 1, "other");
    AddContent(1, 0, "alice");
    AddContent(5, 0, "1234");
    AddContent(1, 1, "secret");
    AddContent(5, 1, "http://example.org");
    AddContent(2, 0, "bob");
    ASSERT_EQ(CW_RemoveCardStruct(Item(0xc5)), 0);
    std::vector<uint32_t> cards, contents, own;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        cards.push_back(k->nKartenKennung);
    for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next)
        contents.push_back(f->nKartenKennung);
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
        own.push_back(f->KartenKennung);
    EXPECT_EQ(cards, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(contents, (std::vector<uint32_t>{1, 1, 2}));
    EXPECT_EQ(own, std::vector<uint32_t>{6});
    EXPECT_EQ(lpKARTEact->nKartenKennung, 3u) << "the tails point at real last records";
    EXPECT_EQ(lpKARTEact->next, nullptr);
    EXPECT_STREQ(lpFELDINHALTact->lpFeldInhalt, "bob");
    EXPECT_EQ(lpFELDTABCARDact, lpFELDTABCARDstart);
    EXPECT_EQ(RecordCounts.nCardCount, 4u) << "the counters are the caller's";
    EXPECT_TRUE(LogLines().empty());

    // Appending after the removal links behind the right records.
    AddCard(1, 9, 3, "after");
    AddCardField(9, 0, 1, "f");
    EXPECT_EQ(lpKARTEstart->next->next->next->nKartenKennung, 9u);
    EXPECT_EQ(lpFELDTABCARDstart->next->KartenKennung, 9u);

    EXPECT_EQ(CW_RemoveCardStruct(Item(0xc5)), -1);
    EXPECT_EQ(CW_RemoveCardStruct(nullptr), -1) << "no tree item removes no hidden card";
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "*CA02* P-Error: CW_RemoveCardStruct - cannot find CardStruct (HTREEITEM=c5)",
                              "*CA02* P-Error: CW_RemoveCardStruct - cannot find CardStruct (HTREEITEM=0)",
                          }));
}

TEST_F(Cards, RemovedContentsAreWipedBeforeTheyAreFreed) {
    FELDINHALT *a = AddContent(5, 0, "1234");
    FELDINHALT *b = AddContent(5, 1, "http://example.org");
    FreedTexts watch;
    watch.Watch(a->lpFeldInhalt, 4);
    watch.Watch(b->lpFeldInhalt, 18);
    ASSERT_EQ(CW_RemoveCardStruct(Item(0xc5)), 0);
    EXPECT_EQ(watch.freed, (std::vector<std::string>{std::string(4, '\0'), std::string(18, '\0')}));
}
