#include "model/card_clipboard.h"
#include "model/card_ops.h"
#include "model/feldstruct.h"
#include "model/field_editor.h"
#include "model/templates.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/model_fixture.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
class CardOps : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        FS_Clear();
        cTemplateName[0] = 0;
        memset(&CutCard, 0, sizeof CutCard);
        AddFolder(1, 1, "Web", Item(0xf1));
        AddFolder(2, 2, "Empty", Item(0xf2));
        AddField(1, 0, 1, "User", FT_NORMAL, 30, 1);
        AddField(1, 1, 2, "Password", FT_PASSWORT, 20, 1);
        AddField(1, 2, 3, "Site", FT_URL, 250, 0);
        AddCard(1, 1, 1, "Shop", Item(0xc1));
        AddContent(1, 0, "alice");
        AddContent(1, 1, "pw");
        AddContent(1, 2);
    }
    static std::string Contents(uint32_t card) {
        std::string s;
        for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
            if (c->nKartenKennung == card)
                s += std::to_string(c->nFeldIndex) + "=" + (c->lpFeldInhalt ? c->lpFeldInhalt : "(null)") + " ";
        return s;
    }
    static std::string OwnFields(uint32_t card) {
        std::string s;
        for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
            if (f->KartenKennung == card)
                s += std::to_string(f->FeldIndex) + "/" + std::to_string(f->FeldOrder) + " " + f->FeldName + " " +
                     std::to_string(f->Feldtyp) + " " + std::to_string(f->Feldlaenge) + " " +
                     std::to_string(f->drag) + ";";
        return s;
    }
    static KARTE *Card(uint32_t id) {
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            if (k->nKartenKennung == id)
                return k;
        return nullptr;
    }
    // "Card" with a source that runs the card field editor; edit works the editor.
    template <typename Edit>
    int CreateWithEditor(uint32_t mode, const char *name, const char *source, Edit edit, TREEHANDLE folder,
                         uint32_t sourceCard = 0) {
        CARDEDIT block;
        CW_PrepareCardEdit(&block, mode, name, "card.ico", source, sourceCard);
        FE_EDITOR ed;
        FE_OpenCard(&ed, &block);
        edit(&ed);
        if (FE_Ok(&ed, ed.cTitle).nAction != DLG_CLOSE_OK)
            return -2;
        return CW_NewKarte(folder, block.cKartenName, block.cIconName, &block);
    }
    static void AddTwoFields(FE_EDITOR *ed) {
        FE_INPUT in;
        for (const char *name : {"Key", "Serial"}) {
            FE_NewField(ed, &in);
            snprintf(in.cName, sizeof in.cName, "%s", name);
            snprintf(in.cLaenge, sizeof in.cLaenge, "40");
            FE_Apply(ed, &in);
        }
    }
};
} // namespace

TEST_F(CardOps, TheCardDialogNeedsANameAndAnIcon) {
    DLG_ANSWER a = CW_CheckCard("", "x.ico");
    EXPECT_STREQ(a.lpText, "please enter cardname!");
    EXPECT_STREQ(a.lpCaption, "Error");
    EXPECT_EQ(a.nFocus, CW_ID_CARDNAME);
    a = CW_CheckCard("Name", "");
    EXPECT_STREQ(a.lpText, "please choose icon!");
    EXPECT_EQ(a.nFocus, CW_ID_CHOOSEICON);
    EXPECT_EQ(CW_CheckCard("Name", "x.ico").nAction, DLG_NEXT);
}

TEST_F(CardOps, ACardCopiedFromItsFolderGetsOneEmptyContentPerFolderField) {
    EXPECT_FALSE(CW_HasIndividualCards()) << "\"Copy from other card\" is disabled";
    int id = CW_NewKarte(Item(0xf1), "A card name of exactly forty-nine characters....", "c.ico", nullptr);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(RecordCounts.nCardCount, 2u);
    EXPECT_EQ(Contents(2), "0=(null) 1=(null) 2=(null) ");
    EXPECT_EQ(OwnFields(2), "");
    KARTE *k = Card(2);
    EXPECT_STREQ(k->cKartenName, "A card name of exactly forty-nine characters....");
    EXPECT_EQ(k->nKartenOrder, 2u) << "last in its folder";
    EXPECT_EQ(k->nOrdnerKennung, 1u);
    EXPECT_EQ(ui.treeRebuilds, 1);
    EXPECT_EQ(ui.countUpdates, 1);
    EXPECT_FALSE(CW_HasIndividualCards());
}

TEST_F(CardOps, ACardMadeNewBecomesIndividualAndCanBeCopiedNext) {
    int id = CreateWithEditor(CE_MODE_NEW, "Licence", "", AddTwoFields, Item(0xf2));
    ASSERT_EQ(id, 2);
    EXPECT_EQ(OwnFields(2), "0/0 Key 0 40 0;1/1 Serial 0 40 0;");
    EXPECT_EQ(Contents(2), "0=(null) 1=(null) ");
    EXPECT_EQ(Card(2)->nOrdnerKennung, 2u);
    EXPECT_TRUE(CW_HasIndividualCards()) << "\"Copy from other card\" is enabled now";

    std::string listed;
    CW_ListIndividualCards(
        [](void *ctx, uint32_t card, const char *name, const char *icon) {
            *static_cast<std::string *>(ctx) += std::to_string(card) + " " + name + " " + icon + ";";
        },
        &listed);
    EXPECT_EQ(listed, "2 Licence card.ico;");
    EXPECT_EQ(CW_LoadFeldStruct(2, CE_MODE_VIEW), 2u);

    // Copy from the other card: the editor starts with its fields.
    id = CreateWithEditor(
        CE_MODE_COPY_CARD, "Second", "", [](FE_EDITOR *) { EXPECT_EQ(FeldEditor.nFeldStructCount, 2u); }, Item(0xf1), 2);
    ASSERT_EQ(id, 3);
    EXPECT_EQ(OwnFields(3), "0/0 Key 0 40 0;1/1 Serial 0 40 0;");
    EXPECT_EQ(Contents(3), "0=(null) 1=(null) ") << "its own fields, not the folder's three";
}

TEST_F(CardOps, CopyingFromACardUsesTheChosenCardNotTheFirstOfItsName) {
    AddCard(2, 5, 1, "Twin", Item(0xc5)); // another individual card of the same name comes first
    AddCardField(5, 0, 1, "Other", FT_NORMAL, 5, 0);
    AddCard(2, 6, 2, "Twin", Item(0xc6));
    AddCardField(6, 3, 2, "Second", FT_PASSWORT, 12, 1);
    AddCardField(6, 8, 1, "First", FT_NORMAL, 9, 0);
    int id = CreateWithEditor(
        CE_MODE_COPY_CARD, "Copy", "Twin", [](FE_EDITOR *) {}, Item(0xf1), 6);
    ASSERT_GT(id, 0);
    EXPECT_EQ(OwnFields(static_cast<uint32_t>(id)), "0/0 Second 1 12 1;1/1 First 0 9 0;")
        << "positions, not the card's own indexes";
    CW_LoadFeldStruct(6, CE_MODE_CHANGE);
    EXPECT_EQ(FeldStruct[0].nIndex, 3u) << "changing the card keeps its own";
    EXPECT_EQ(FeldStruct[0].nOrder, 2u);
    EXPECT_EQ(FeldStruct[1].nIndex, 8u);
}

TEST_F(CardOps, ACardFromATemplateTakesTheTemplatesFields) {
    ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"),
                          "[Templates]\r\nOrdner1=Wifi,w.ico\r\n[Wifi]\r\nFeld1=SSID,0,32,0\r\nFeld2=Key,1,63,1\r\n"));
    int id = CreateWithEditor(
        CE_MODE_TEMPLATE, "Home network", "Wifi", [](FE_EDITOR *) {}, Item(0xf1));
    ASSERT_EQ(id, 2);
    EXPECT_EQ(OwnFields(2), "0/0 SSID 0 32 0;1/1 Key 1 63 1;");
    EXPECT_EQ(Contents(2), "0=(null) 1=(null) ");
}

TEST_F(CardOps, ACardEditorClosedWithoutOkCreatesNothing) {
    CARDEDIT block;
    CW_PrepareCardEdit(&block, CE_MODE_NEW, "x", "y", "", 0);
    FE_EDITOR ed;
    FE_OpenCard(&ed, &block);
    AddTwoFields(&ed);
    EXPECT_EQ(block.nCancelled, -1) << "closing the editor any other way counts as Cancel";
    FE_Cancel(&ed);
    EXPECT_EQ(lpFELDTABCARDstart, nullptr);
    EXPECT_EQ(RecordCounts.nCardCount, 1u);
}

TEST_F(CardOps, NoFolderSelectedIsAnErrorAndLeavesNoOrphanFields) {
    int id = CreateWithEditor(CE_MODE_NEW, "Lost", "", AddTwoFields, Item(0xbad));
    EXPECT_EQ(id, -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "P-Error: cannot get folder id, TVIEWhSelected: bad");
    EXPECT_EQ(ui.shown[0].caption, "Error");
    EXPECT_EQ(LogLines().back(), "*CA00* P-Error: cannot get folder id, TVIEWhSelected: bad");
    EXPECT_EQ(lpFELDTABCARDstart, nullptr);
    EXPECT_EQ(lpFELDTABCARDact, nullptr);
    EXPECT_EQ(RecordCounts.nCardCount, 1u);
}

TEST_F(CardOps, ChangingAnOrdinaryCardChangesNameAndIconOnly) {
    CARDEDIT block;
    ASSERT_EQ(CW_ChangeKarteBegin(Item(0xc1), &block), 0);
    EXPECT_STREQ(block.cKartenName, "Shop");
    EXPECT_EQ(CW_ChangeKarteOk(&block, "", "i.ico").nAction, DLG_STAY);
    EXPECT_EQ(CW_ChangeKarteEnd(&block), 1) << "not confirmed";
    EXPECT_STREQ(Card(1)->cKartenName, "Shop");
    EXPECT_EQ(CW_ChangeKarteOk(&block, "Web shop", "shop.ico").nAction, DLG_CLOSE_OK);
    EXPECT_EQ(CW_ChangeKarteEnd(&block), 0);
    EXPECT_STREQ(Card(1)->cKartenName, "Web shop");
    EXPECT_STREQ(Card(1)->cIconName, "shop.ico");
    EXPECT_EQ(Contents(1), "0=alice 1=pw 2=(null) ");
    const std::string longest(KARTEN_NAME_LEN - 1, 'n'); // the longest name a card holds, kept whole
    ASSERT_EQ(CW_ChangeKarteBegin(Item(0xc1), &block), 0);
    EXPECT_EQ(CW_ChangeKarteOk(&block, longest.c_str(), "shop.ico").nAction, DLG_CLOSE_OK);
    EXPECT_EQ(CW_ChangeKarteEnd(&block), 0);
    EXPECT_EQ(Card(1)->cKartenName, longest);
    EXPECT_EQ(CW_ChangeKarteBegin(Item(0xbad), &block), -1);
}

TEST_F(CardOps, ChangingAnIndividualCardAdjustsItsContentsAndOrder) {
    AddCard(2, 7, 1, "Own", Item(0xc7));
    AddCardField(7, 0, 1, "Code", FT_NORMAL, 30);
    AddCardField(7, 1, 2, "When", FT_NORMAL, 30);
    AddContent(7, 0, "0123456789");
    AddContent(7, 1, "tomorrow");
    CARDEDIT block;
    ASSERT_EQ(CW_ChangeKarteBegin(Item(0xc7), &block), 1);
    EXPECT_EQ(block.nMode, CE_MODE_CHANGE);
    FE_EDITOR ed;
    FE_OpenCard(&ed, &block);
    EXPECT_FALSE(FE_HasControl(&ed, FE_ID_NEWFIELD));
    FE_INPUT in;
    FE_Select(&ed, 0);
    FE_ChangeField(&ed, &in);
    snprintf(in.cLaenge, sizeof in.cLaenge, "4");
    FE_Apply(&ed, &in);
    FE_Select(&ed, 1);
    FE_ChangeField(&ed, &in);
    in.nTyp = FT_ALARM;
    FE_Apply(&ed, &in);
    FE_Up(&ed);
    ASSERT_EQ(FE_Ok(&ed, "Own card").nAction, DLG_CLOSE_OK);
    EXPECT_EQ(OwnFields(7), "0/1 Code 0 30 0;1/2 When 0 30 0;") << "the editor's OK in mode 10 adds nothing";
    ASSERT_EQ(CW_ChangeKarteEnd(&block), 0);
    EXPECT_EQ(OwnFields(7), "1/1 When 5 10 0;0/2 Code 0 4 0;");
    EXPECT_EQ(Contents(7), "0=0123 1=(null) ");
    EXPECT_STREQ(Card(7)->cKartenName, "Own card");
    EXPECT_EQ(Contents(1), "0=alice 1=pw 2=(null) ") << "other cards keep theirs";
}

TEST_F(CardOps, DeletingACardAsksAndRemovesEverythingOfIt) {
    AddCard(2, 7, 1, "Own card", Item(0xc7));
    AddCardField(7, 0, 1, "Code");
    AddContent(7, 0, "x");
    ui.answers.push_back(UI_IDCANCEL);
    EXPECT_EQ(CW_DeleteKarte(Item(0xc7)), 1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "delete card [Own card] ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.shown[0].style, UI_MB_OKCANCEL | UI_MB_ICONQUESTION);
    EXPECT_EQ(RecordCounts.nCardCount, 2u);
    CutCard.nKartenKennung = 7;
    EXPECT_EQ(CW_DeleteKarte(Item(0xc7)), 0);
    EXPECT_EQ(RecordCounts.nCardCount, 1u);
    EXPECT_EQ(Card(7), nullptr);
    EXPECT_EQ(Contents(7), "");
    EXPECT_EQ(OwnFields(7), "");
    EXPECT_EQ(lpFELDTABCARDact, nullptr);
    EXPECT_EQ(CutCard.nKartenKennung, 0u);
    EXPECT_EQ(ui.treeRebuilds, 1);
    EXPECT_EQ(ui.countUpdates, 1);

    EXPECT_EQ(CW_DeleteKarte(Item(0xbad)), -1);
    EXPECT_EQ(ui.shown.back().text, "P-Error: cannot get card id, TVIEWhSelected: bad");
    EXPECT_EQ(LogLines().back(), "*CA01* P-Error: cannot get card id, TVIEWhSelected: bad");
}

namespace {
class CardOpsSafe : public SafeTest {};
} // namespace

TEST_F(CardOpsSafe, NewChangedAndDeletedCardsSurviveASaveAndRead) {
    SafeContents spec;
    spec.password = "pw";
    spec.folders = {{1, 1, "Web", "web.ico"}};
    spec.fields = {{1, 0, 1, "User", 0, 30, 1}};
    spec.cards = {{1, 1, 1, "Shop", "c.ico"}, {1, 2, 2, "Own", "c.ico"}};
    spec.contents = {{1, 0, "alice"}, {2, 0, "abcdefgh"}};
    spec.cardFields = {{2, 0, 1, "Code", 0, 30, 0}};
    std::string path = Path("cards.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(spec)));
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    MakeActive(path, "pw");
    SW_SetActiveFile(PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
    ASSERT_NE(hmySafe, nullptr);
    lpORDNERstart->hOrdnerTree = Item(0xf1);
    lpKARTEstart->hCardTree = Item(0xc1);
    lpKARTEstart->next->hCardTree = Item(0xc2);

    ASSERT_EQ(CW_NewKarte(Item(0xf1), "Forum", "f.ico", nullptr), 3);
    CARDEDIT block;
    ASSERT_EQ(CW_ChangeKarteBegin(Item(0xc2), &block), 1);
    FE_EDITOR ed;
    FE_OpenCard(&ed, &block);
    FeldStruct[0].nLaenge = 3;
    ASSERT_EQ(FE_Ok(&ed, "Own card").nAction, DLG_CLOSE_OK);
    ASSERT_EQ(CW_ChangeKarteEnd(&block), 0);
    ASSERT_EQ(CW_DeleteKarte(Item(0xc1)), 0);

    std::string lists = DescribeLists();
    EXPECT_EQ(lists, "O 1 1 [Web] [web.ico] 0 0\nF 1 0 1 [User] 0 30 1\nK 1 2 1 [Own card] [c.ico] 0 0\n"
                     "K 1 3 2 [Forum] [f.ico] 0 0\nI 2 0 3 [abc]\nI 3 0 0 [(null)]\nC 2 0 1 [Code] 0 3 0\n");
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    std::string back = DescribeLists();
    EXPECT_EQ(back, "O 1 1 [Web] [web.ico] 0 0\nF 1 0 1 [User] 0 30 1\nK 1 2 1 [Own card] [c.ico] 0 0\n"
                    "K 1 3 2 [Forum] [f.ico] 0 0\nI 2 0 3 [abc]\nI 3 0 0 [(null)]\nC 2 0 1 [Code] 0 3 0\n");
}
