#include "config/settings.h"
#include "model/card_clipboard.h"
#include "model/feldstruct.h"
#include "model/field_editor.h"
#include "model/folder_ops.h"
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
const char kTemplates[] = "[Templates]\r\nOrdner1=Login,key.ico\r\n[Login]\r\nFeld1=User,0,30,1\r\n"
                          "Feld2=Password,1,20,1\r\nFeld3=Due,5,44,1\r\n";

class FolderOps : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        FS_Clear();
        FeldEditor.nFeldEditMode = 0;
        FeldEditor.nDlgCancelled = 0;
        cTemplateName[0] = 0;
        memset(&CutCard, 0, sizeof CutCard);
    }
    // A folder "Web" (id 1) with fields User(30), Password(20), Note(40) and two
    // cards, and a folder "Mail" (id 2) with one card.
    void Sample() {
        AddFolder(1, 1, "Web", Item(0xf1));
        AddFolder(2, 2, "Mail", Item(0xf2));
        AddField(1, 0, 1, "User", FT_NORMAL, 30, 1);
        AddField(1, 1, 2, "Password", FT_PASSWORT, 20, 1);
        AddField(1, 2, 3, "Note", FT_NORMAL, 40, 0);
        AddField(2, 0, 1, "Address", FT_EMAIL, 60, 0);
        AddCard(1, 1, 1, "Shop", Item(0xc1));
        AddCard(2, 2, 1, "Home", Item(0xc2));
        AddCard(1, 3, 2, "Forum", Item(0xc3));
        AddContent(1, 0, "alice.smith");
        AddContent(1, 1, "secret-password");
        AddContent(1, 2);
        AddContent(2, 0, "home@example.org");
        AddContent(3, 0, "bob");
        AddContent(3, 1, "pw");
        AddContent(3, 2, "a note");
    }
    static FELDINHALT *Content(uint32_t card, uint32_t index) {
        for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
            if (c->nKartenKennung == card && c->nFeldIndex == index)
                return c;
        return nullptr;
    }
    static std::string Text(uint32_t card, uint32_t index) {
        FELDINHALT *c = Content(card, index);
        return !c ? "(none)" : c->lpFeldInhalt ? c->lpFeldInhalt : "(null)";
    }
    // Runs "Change folder" with an edit of the working list between begin and end.
    template <typename Edit> int ChangeFolder(TREEHANDLE item, Edit edit, bool ok = true) {
        FE_EDITOR ed;
        if (OW_ChangeOrdnerBegin(item, &ed) != 0)
            return -1;
        edit(&ed);
        DLG_ANSWER a = ok ? FE_Ok(&ed, ed.cTitle) : FE_Cancel(&ed);
        if (a.nAction == DLG_STAY)
            return -2;
        return OW_ChangeOrdnerEnd(item, &ed);
    }
};
} // namespace

TEST_F(FolderOps, CreatingAFolderFromATemplateGivesItsFieldsAndPutsItLast) {
    Sample();
    ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"), kTemplates));
    FE_EDITOR ed;
    DLG_ANSWER a = OW_CreateOrdnerOk("", "Login", &ed);
    EXPECT_STREQ(a.lpText, "please enter foldername!");
    EXPECT_EQ(a.nFocus, OW_ID_FOLDERNAME);
    a = OW_CreateOrdnerOk("New", "", &ed);
    EXPECT_STREQ(a.lpText, "please select template!");

    OW_CreateOrdnerTemplate("Login");
    ASSERT_EQ(FeldEditor.nFeldStructCount, 3u);
    const char name24[] = "A folder name of 24 char";
    ASSERT_EQ(OW_CreateOrdnerOk(name24, "Login", &ed).nAction, DLG_NEXT);
    EXPECT_EQ(ed.nMode, FE_MODE_NEW_FOLDER);
    EXPECT_STREQ(ed.cIcon, "key.ico") << "the template's icon";
    EXPECT_STREQ(ed.cTitle, name24);
    ASSERT_EQ(FE_Ok(&ed, ed.cTitle).nAction, DLG_CLOSE_OK);
    int id = OW_CreateOrdnerEnd(&ed);
    EXPECT_EQ(id, 3);
    EXPECT_EQ(RecordCounts.nOrdnerCount, 3u);
    EXPECT_EQ(RecordCounts.nFeldCount, 7u);
    ORDNER *last = lpORDNERact;
    EXPECT_EQ(last->nOrdnerKennung, 3u);
    EXPECT_EQ(last->nOrdnerOrder, 3u) << "last in the tree";
    EXPECT_STREQ(last->cOrdnerName, name24) << "24 characters are stored whole";
    EXPECT_STREQ(last->cIconName, "key.ico");
    std::string fields;
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
        if (f->nOrdnerKennung == 3)
            fields += std::to_string(f->nFeldIndex) + "/" + std::to_string(f->nFeldOrder) + " " + f->feldname + " " +
                      std::to_string(f->feldtyp) + " " + std::to_string(f->feldlaenge) + " " +
                      std::to_string(f->drag) + ";";
    EXPECT_EQ(fields, "0/1 User 0 30 1;1/2 Password 1 20 1;2/3 Due 5 10 0;")
        << "an ALARM field has length 10 and no drag mark whatever the template says";
    EXPECT_EQ(ui.treeRebuilds, 1);
    EXPECT_EQ(ui.countUpdates, 1);
    EXPECT_EQ(ui.commands[IDM_FOLDERORDER], 1);
}

TEST_F(FolderOps, ACancelledEditorCreatesNothingAndForgetsTheTemplate) {
    ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"), kTemplates));
    OW_CreateOrdnerTemplate("Login");
    FE_EDITOR ed;
    ASSERT_EQ(OW_CreateOrdnerOk("First", "Login", &ed).nAction, DLG_NEXT);
    FE_Select(&ed, 0);
    FE_Delete(&ed);
    FE_Cancel(&ed);
    EXPECT_EQ(OW_CreateOrdnerEnd(&ed), -1);
    EXPECT_EQ(FeldEditor.nDlgCancelled, 0) << "the flag is cleared";
    EXPECT_STREQ(cTemplateName, "");
    EXPECT_EQ(lpORDNERstart, nullptr);
    // Choosing the same template again loads all its fields again.
    ASSERT_EQ(OW_CreateOrdnerOk("First", "Login", &ed).nAction, DLG_NEXT);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 3u);
    FE_Ok(&ed, "First");
    EXPECT_EQ(OW_CreateOrdnerEnd(&ed), 1);
    EXPECT_EQ(RecordCounts.nOrdnerCount, 1u);
    EXPECT_EQ(ui.commands.count(IDM_FOLDERORDER), 0u) << "one folder: no order to change";
}

TEST_F(FolderOps, ChangingLengthsCutsOrKeepsContentsAndAnAlarmEmptiesThem) {
    Sample();
    int rc = ChangeFolder(Item(0xf1), [](FE_EDITOR *ed) {
        EXPECT_EQ(ed->nMode, FE_MODE_CHANGE_FOLDER);
        EXPECT_EQ(FeldEditor.nFeldEditMode, uint32_t(FE_MODE_CHANGE_FOLDER));
        EXPECT_STREQ(ed->cIcon, "");
        FE_SetIcon(ed, "web.ico");
        FE_INPUT in;
        FE_Select(ed, 0); // User 30 -> 5
        FE_ChangeField(ed, &in);
        snprintf(in.cLaenge, sizeof in.cLaenge, "5");
        FE_Apply(ed, &in);
        FE_Select(ed, 1); // Password 20 -> 250
        FE_ChangeField(ed, &in);
        snprintf(in.cLaenge, sizeof in.cLaenge, "250");
        FE_Apply(ed, &in);
        FE_Select(ed, 2); // Note becomes an alarm
        FE_ChangeField(ed, &in);
        in.nTyp = FT_ALARM;
        FE_Apply(ed, &in);
    });
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(FeldEditor.nFeldEditMode, 0u);
    EXPECT_EQ(Text(1, 0), "alice");
    EXPECT_EQ(Content(1, 0)->nFeldLaenge, 5u);
    EXPECT_EQ(Text(3, 0), "bob") << "a shorter text stays";
    EXPECT_EQ(Text(1, 1), "secret-password") << "lengthening keeps the text";
    EXPECT_EQ(Text(3, 2), "(null)") << "an alarm field is emptied";
    EXPECT_EQ(Content(3, 2)->nFeldLaenge, 0u);
    EXPECT_EQ(Text(2, 0), "home@example.org") << "other folders are untouched";
    FELDTABELLE *note = lpFELDTABELLEstart->next->next;
    EXPECT_EQ(note->feldtyp, FT_ALARM);
    EXPECT_EQ(note->feldlaenge, 10u);
    EXPECT_STREQ(lpORDNERstart->cIconName, "web.ico");
    EXPECT_EQ(ui.rightPaneResets, 1);
    EXPECT_EQ(ui.treeRebuilds, 1);
}

TEST_F(FolderOps, MovingAFieldUpChangesOnlyTheDisplayOrder) {
    Sample();
    ASSERT_EQ(ChangeFolder(Item(0xf1),
                           [](FE_EDITOR *ed) {
                               FE_Select(ed, 2);
                               FE_Up(ed);
                               FE_Up(ed);
                               FE_SetIcon(ed, "web.ico");
                           }),
              0);
    std::string order;
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
        if (f->nOrdnerKennung == 1)
            order += std::to_string(f->nFeldOrder) + ":" + f->feldname + "(" + std::to_string(f->nFeldIndex) + ") ";
    EXPECT_EQ(order, "1:Note(2) 2:User(0) 3:Password(1) ");
    EXPECT_EQ(Text(1, 0), "alice.smith") << "contents stay with their fields";
    EXPECT_EQ(Text(3, 2), "a note");
}

TEST_F(FolderOps, CancellingChangeFolderChangesNothingAndTheNextChangeApplies) {
    Sample();
    std::string before = DescribeLists();
    auto shorten = [](FE_EDITOR *ed) {
        FE_INPUT in;
        FE_Select(ed, 0);
        FE_ChangeField(ed, &in);
        snprintf(in.cLaenge, sizeof in.cLaenge, "3");
        snprintf(in.cName, sizeof in.cName, "Login");
        FE_Apply(ed, &in);
        FE_SetIcon(ed, "web.ico");
    };
    EXPECT_EQ(ChangeFolder(Item(0xf1), shorten, false), 1);
    EXPECT_EQ(DescribeLists(), before);
    EXPECT_EQ(FeldEditor.nDlgCancelled, 0);
    EXPECT_EQ(ui.treeRebuilds, 0);
    EXPECT_EQ(ChangeFolder(Item(0xf1), shorten), 0);
    EXPECT_EQ(Text(1, 0), "ali");
    EXPECT_STREQ(lpFELDTABELLEstart->feldname, "Login");
    EXPECT_EQ(ChangeFolder(Item(0xbad), shorten), -1);
}

TEST_F(FolderOps, AnIndividualCardInTheFolderKeepsItsOwnContents) {
    Sample();
    AddCard(1, 4, 3, "Own", Item(0xc4));
    AddCardField(4, 0, 1, "Long text", FT_NORMAL, 200);
    AddContent(4, 0, "a text far longer than five characters");
    ASSERT_EQ(ChangeFolder(Item(0xf1),
                           [](FE_EDITOR *ed) {
                               FeldStruct[0].nLaenge = 5;
                               FE_SetIcon(ed, "i.ico");
                           }),
              0);
    EXPECT_EQ(Text(1, 0), "alice");
    EXPECT_EQ(Text(4, 0), "a text far longer than five characters");
}

TEST_F(FolderOps, DeletingAFolderAsksInGermanAndRemovesEverythingOfIt) {
    Sample();
    AddCard(1, 4, 3, "Own", Item(0xc4));
    AddCardField(4, 0, 1, "Own field");
    AddContent(4, 0, "own text");
    AddCard(1, 5, 4, "Hidden"); // filtered out of the tree: no item
    AddContent(5, 0, "hidden");
    ui.answers.push_back(UI_IDCANCEL);
    EXPECT_EQ(OW_DeleteOrdner(Item(0xf1)), 1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Ordner [Web] l\xf6schen ?");
    EXPECT_EQ(ui.shown[0].caption, "Best\xe4tigen");
    EXPECT_EQ(ui.shown[0].style, UI_MB_OKCANCEL | UI_MB_ICONQUESTION);
    EXPECT_EQ(RecordCounts.nCardCount, 5u);

    memset(&CutCard, 0, sizeof CutCard);
    CutCard.nKartenKennung = 3;
    EXPECT_EQ(OW_DeleteOrdner(Item(0xf1)), 0);
    EXPECT_EQ(RecordCounts.nOrdnerCount, 1u);
    EXPECT_EQ(RecordCounts.nCardCount, 1u);
    EXPECT_EQ(RecordCounts.nFeldCount, 1u);
    EXPECT_EQ(DescribeLists(), "O 2 1 [Mail] [] 0 0\nF 2 0 1 [Address] 3 60 0\nK 2 2 1 [Home] [] 0 0\n"
                               "I 2 0 16 [home@example.org]\n");
    EXPECT_EQ(lpFELDTABCARDstart, nullptr);
    EXPECT_EQ(lpKARTEact, lpKARTEstart) << "tails point at real records";
    EXPECT_EQ(lpFELDINHALTact, lpFELDINHALTstart);
    EXPECT_EQ(CutCard.nKartenKennung, 0u) << "a deleted card is no longer cut";
    EXPECT_EQ(ui.commands[IDM_FOLDERORDER], 0) << "one folder left";
    EXPECT_EQ(ui.treeRebuilds, 1);
    EXPECT_EQ(ui.countUpdates, 1);
    EXPECT_EQ(ui.rightPaneResets, 1);

    EXPECT_EQ(OW_DeleteOrdner(Item(0xbad)), -1);
    EXPECT_EQ(LogLines().back(), "*OW04* P-Error: OW_DeleteOrdner - cannot find FolderStruct (HTREEITEM=bad)");
}

namespace {
class FolderOpsSafe : public SafeTest {};
} // namespace

// What the folder operations change is what a saved safe holds afterwards.
TEST_F(FolderOpsSafe, CreatedChangedAndDeletedFoldersSurviveASaveAndRead) {
    SafeContents spec;
    spec.password = "pw";
    spec.folders = {{1, 1, "Web", "web.ico"}, {2, 2, "Old", "old.ico"}};
    spec.fields = {{1, 0, 1, "User", 0, 30, 1}, {1, 1, 2, "Password", 1, 20, 0}, {2, 0, 1, "Gone", 0, 10, 0}};
    spec.cards = {{1, 1, 1, "Shop", "c.ico"}, {2, 2, 1, "Old card", "c.ico"}};
    spec.contents = {{1, 0, "alice.smith"}, {1, 1, "secret"}, {2, 0, "old"}};
    std::string path = Path("ops.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(spec)));
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    MakeActive(path, "pw");
    SW_SetActiveFile(PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
    ASSERT_NE(hmySafe, nullptr);
    lpORDNERstart->hOrdnerTree = Item(0xf1);
    lpORDNERstart->next->hOrdnerTree = Item(0xf2);
    FS_Clear();
    FeldEditor.nDlgCancelled = 0;

    // Shorten "User" to 5 and move "Password" up.
    FE_EDITOR ed;
    ASSERT_EQ(OW_ChangeOrdnerBegin(Item(0xf1), &ed), 0);
    FeldStruct[0].nLaenge = 5;
    FE_Select(&ed, 1);
    FE_Up(&ed);
    ASSERT_EQ(FE_Ok(&ed, "Web sites").nAction, DLG_CLOSE_OK);
    ASSERT_EQ(OW_ChangeOrdnerEnd(Item(0xf1), &ed), 0);
    // A new folder from a made-up template, and the old folder deleted.
    FS_Clear();
    FS_Append("PIN", FT_PASSWORT, 8, 1);
    ASSERT_EQ(OW_NewOrdner("Bank", "bank.ico"), 3u);
    ASSERT_EQ(OW_DeleteOrdner(Item(0xf2)), 0);

    std::string lists = DescribeLists();
    EXPECT_EQ(lists, "O 1 1 [Web sites] [web.ico] 0 0\nO 3 2 [Bank] [bank.ico] 0 0\n"
                     "F 1 1 1 [Password] 1 20 0\nF 1 0 2 [User] 0 5 1\nF 3 0 1 [PIN] 1 8 1\n"
                     "K 1 1 1 [Shop] [c.ico] 0 0\nI 1 0 5 [alice]\nI 1 1 6 [secret]\n");
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    EXPECT_EQ(DescribeLists(), lists);
}
