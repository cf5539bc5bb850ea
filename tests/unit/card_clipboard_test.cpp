#include "model/card_clipboard.h"
#include "model/card_ops.h"
#include "model/cards.h"
#include "store/safe_lifecycle.h"
#include "support/model_fixture.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
class CardClipboard : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        Build();
    }
    void Build() {
        memset(&CutCard, 0, sizeof CutCard);
        BuildLists();
    }
    void BuildLists() {
        // Source: User NORMAL(20), Password PASSWORT(10). "Wider" fits it, "Narrow"
        // and "Typed" do not, "Shorter" lacks a field.
        AddFolder(1, 1, "Source", Item(0xf1));
        AddFolder(2, 2, "Wider", Item(0xf2));
        AddFolder(3, 3, "Narrow", Item(0xf3));
        AddFolder(4, 4, "Typed", Item(0xf4));
        AddFolder(5, 5, "Shorter", Item(0xf5));
        AddField(1, 0, 1, "User", FT_NORMAL, 20);
        AddField(1, 1, 2, "Password", FT_PASSWORT, 10);
        AddField(2, 0, 1, "User", FT_NORMAL, 30);
        AddField(2, 1, 2, "Password", FT_PASSWORT, 10);
        AddField(3, 0, 1, "User", FT_NORMAL, 10);
        AddField(3, 1, 2, "Password", FT_PASSWORT, 10);
        AddField(4, 0, 1, "User", FT_NORMAL, 30);
        AddField(4, 1, 2, "Password", FT_NORMAL, 10);
        AddField(5, 0, 1, "User", FT_NORMAL, 30);
        AddCard(1, 1, 1, "Mail", Item(0xc1));
        AddCard(1, 2, 2, "Own", Item(0xc2));
        AddCard(2, 3, 1, "Already there", Item(0xc3));
        AddCardField(2, 0, 1, "Anything", FT_ALARM, 10);
        AddContent(1, 0, "alice");
        AddContent(1, 1, "pw");
        AddContent(2, 0, "12/24/2024");
    }
    static KARTE *Card(uint32_t id) {
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            if (k->nKartenKennung == id)
                return k;
        return nullptr;
    }
};
} // namespace

TEST_F(CardClipboard, PastingWithNothingCutChangesNothing) {
    std::string before = DescribeLists();
    EXPECT_FALSE(CW_CanPasteCard(Item(0xf2)));
    EXPECT_EQ(CW_PasteCard(Item(0xf2)), 1);
    EXPECT_EQ(DescribeLists(), before);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "No card is cut,\ncannot paste card!");
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(ui.treeRebuilds, 0);
    EXPECT_EQ(ui.rightPaneResets, 0);
}

TEST_F(CardClipboard, CutRemembersTheCardAndMovesNothing) {
    ASSERT_EQ(CW_CutCard(Item(0xc1)), 0);
    EXPECT_EQ(CutCard.nKartenKennung, 1u);
    EXPECT_STREQ(CutCard.cKartenName, "Mail");
    EXPECT_EQ(CutCard.nOrdnerKennung, 1u);
    EXPECT_STREQ(CutCard.cOrdnerName, "Source");
    EXPECT_EQ(CutCard.bIndividual, 0u);
    EXPECT_EQ(Card(1)->nOrdnerKennung, 1u);
    EXPECT_FALSE(CW_CanPasteCard(Item(0xf1))) << "not into its own folder";
    EXPECT_TRUE(CW_CanPasteCard(Item(0xf2)));
    EXPECT_EQ(CW_PasteCard(Item(0xf1)), 1);
    EXPECT_EQ(CW_CutCard(Item(0xbad)), -1);
    EXPECT_EQ(CutCard.nKartenKennung, 1u) << "a failed cut keeps the card cut before";
}

TEST_F(CardClipboard, AnOrdinaryCardPastesOnlyWhereItsFieldsFit) {
    EXPECT_EQ(CW_CutCard(Item(0xc1)), 0);
    for (TREEHANDLE target : {Item(0xf3), Item(0xf4), Item(0xf5)}) {
        ui.shown.clear();
        EXPECT_EQ(CW_PasteCard(target), 1);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, "The structure of this folder doesn't match sourcefolder,\ncannot paste card!");
        EXPECT_EQ(ui.shown[0].caption, "Notice");
        EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);
        EXPECT_EQ(Card(1)->nOrdnerKennung, 1u);
        EXPECT_EQ(CutCard.nKartenKennung, 1u) << "the card stays cut";
    }
    EXPECT_EQ(CW_PasteCard(Item(0xf2)), 0);
    KARTE *k = Card(1);
    EXPECT_EQ(k->nOrdnerKennung, 2u);
    EXPECT_EQ(k->nKartenOrder, 1u) << "sorted among the target's cards by its order value";
    EXPECT_EQ(Card(3)->nKartenOrder, 2u);
    EXPECT_EQ(Card(2)->nKartenOrder, 1u) << "the source folder is renumbered";
    EXPECT_EQ(LogLines(), std::vector<std::string>{"*M 08* Cut/paste card [Mail] folder source [Source] "
                                                   "destination [Wider]"});
    EXPECT_EQ(CutCard.nKartenKennung, 0u);
    EXPECT_EQ(ui.treeRebuilds, 1);
    EXPECT_EQ(ui.rightPaneResets, 1);
    // Its contents went with it.
    std::string contents;
    for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
        if (c->nKartenKennung == 1)
            contents += c->lpFeldInhalt;
    EXPECT_EQ(contents, "alicepw");
}

TEST_F(CardClipboard, AnIndividualCardAlwaysPastes) {
    ASSERT_EQ(CW_CutCard(Item(0xc2)), 0);
    EXPECT_EQ(CutCard.bIndividual, 1u);
    EXPECT_EQ(CW_PasteCard(Item(0xf5)), 0);
    EXPECT_EQ(Card(2)->nOrdnerKennung, 5u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"*M 01* Cut/paste ind. card [Own] folder source [Source] "
                                                   "destination [Shorter]"});
    EXPECT_TRUE(ui.shown.empty());
}

// Each row: what happens between the cut and the paste, and what the paste tells
// (nothing: the card moved to "Wider").
TEST_F(CardClipboard, APasteGoesByTheCardsIdentifierOrSaysWhyNot) {
    const char *kNothingCut = "No card is cut,\ncannot paste card!";
    const struct {
        void (*between)();
        const char *told;
    } rows[] = {
        {[] { snprintf(lpKARTEstart->cKartenName, KARTEN_NAME_LEN, "Renamed"); }, ""},
        {[] { ASSERT_EQ(CW_DeleteKarte(Item(0xc1)), 0); AddCard(1, 1, 3, "Newcomer", Item(0xc9)); }, kNothingCut},
        {[] { lpKARTEstart->nOrdnerKennung = 3; }, "The cut card is no longer there,\ncannot paste card!"},
        {[] { ASSERT_EQ(SW_CloseSafe(0), 0); }, kNothingCut},
    };
    for (const auto &r : rows) {
        ReleaseAll();
        Build();
        ASSERT_EQ(CW_CutCard(Item(0xc1)), 0);
        ui.answers = {UI_IDOK};
        r.between();
        if (!lpORDNERstart)
            BuildLists(); // another safe opened, its lists alike
        ui.shown.clear();
        std::string before = DescribeLists();
        EXPECT_EQ(CW_PasteCard(Item(0xf2)), r.told[0] ? 1 : 0) << r.told;
        EXPECT_EQ(ui.shown.empty() ? "" : ui.shown[0].text, r.told);
        EXPECT_EQ(r.told[0] ? DescribeLists() : Card(1)->cKartenName, r.told[0] ? before : "Renamed");
        EXPECT_EQ(CutCard.nKartenKennung, 0u);
    }
    EXPECT_EQ(LogLines().front(), "*M 08* Cut/paste card [Renamed] folder source [Source] destination [Wider]");
}
