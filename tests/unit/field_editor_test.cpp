#include "frame/trace.h"
#include "model/card_ops.h"
#include "model/field_editor.h"
#include "model/templates.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
class FieldEditor : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        FS_Clear();
        FeldEditor.nFeldEditMode = 0;
        FeldEditor.nDlgCancelled = 0;
        cTemplateName[0] = 0;
    }
    static FE_INPUT Edits(const char *name, int type, const char *length, int drag = 0) {
        FE_INPUT in;
        memset(&in, 0, sizeof in);
        snprintf(in.cName, sizeof in.cName, "%s", name);
        in.nTyp = type;
        snprintf(in.cLaenge, sizeof in.cLaenge, "%s", length);
        in.bDrag = drag;
        return in;
    }
    // "Create field", the edits, "Create".
    static DLG_ANSWER Create(FE_EDITOR *ed, const char *name, int type, const char *length, int drag = 0) {
        FE_INPUT in;
        DLG_ANSWER a = FE_NewField(ed, &in);
        if (a.lpText)
            return a;
        in = Edits(name, type, length, drag);
        return FE_Apply(ed, &in);
    }
    static std::string Names() {
        std::string s;
        for (uint32_t i = 0; i < FeldEditor.nFeldStructCount; ++i)
            s += std::string(i ? "," : "") + FeldStruct[i].cName;
        return s;
    }
    FE_EDITOR ed;
};
} // namespace

TEST_F(FieldEditor, ValidationsComeInOrderWithTheirTextsAndFocus) {
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "Web", "web.ico");
    FE_INPUT in;
    ASSERT_EQ(FE_NewField(&ed, &in).nFocus, FE_ID_FIELDNAME);
    EXPECT_EQ(in.nTyp, static_cast<int>(FT_NORMAL)) << "NORMAL is preselected";
    EXPECT_EQ(ed.nState, FE_CREATING);
    struct Case {
        FE_INPUT in;
        const char *text;
        int focus;
    } cases[] = {
        {Edits("", -1, ""), "please enter fieldname!", FE_ID_FIELDNAME},
        {Edits("   ", 0, "10"), "please enter fieldname!", FE_ID_FIELDNAME},
        {Edits("User", -1, ""), "please select inputtype!", FE_ID_TYPE},
        {Edits("User", 7, "10"), "please select inputtype!", FE_ID_TYPE},
        {Edits("User", 0, ""), "please enter inputlength!", FE_ID_LENGTH},
        {Edits("User", 0, "251"), "inputlength invalid (250)", FE_ID_LENGTH},
        {Edits("User", 0, "9999"), "inputlength invalid (250)", FE_ID_LENGTH},
        {Edits("User", 0, "0"), "inputlength invalid (250)", FE_ID_LENGTH},
        {Edits("User", 0, "1x"), "inputlength invalid (250)", FE_ID_LENGTH},
    };
    for (auto &c : cases) {
        DLG_ANSWER a = FE_Apply(&ed, &c.in);
        EXPECT_EQ(a.nAction, DLG_STAY);
        EXPECT_STREQ(a.lpText, c.text) << c.in.cName << "/" << c.in.cLaenge;
        EXPECT_STREQ(a.lpCaption, "Error");
        EXPECT_EQ(a.nStyle, UI_MB_OK | UI_MB_ICONSTOP);
        EXPECT_EQ(a.nFocus, c.focus);
    }
    EXPECT_EQ(FeldEditor.nFeldStructCount, 0u);
    EXPECT_EQ(ed.nState, FE_CREATING) << "a refused field keeps the editor creating";
    in = Edits("User", 0, "250", 1);
    DLG_ANSWER a = FE_Apply(&ed, &in);
    EXPECT_EQ(a.lpText, nullptr) << "250 is accepted";
    EXPECT_EQ(ed.nState, FE_IDLE);
    EXPECT_EQ(in.cName[0], 0) << "the edits are cleared";
    ASSERT_EQ(FeldEditor.nFeldStructCount, 1u);
    EXPECT_EQ(FeldStruct[0].nLaenge, 250u);
    EXPECT_EQ(FeldStruct[0].nDrag, 1u);
    EXPECT_EQ(FeldStruct[0].nIndex, 0u);
}

TEST_F(FieldEditor, AlarmTypesNeedNoLengthAndTakeTheirOwn) {
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "Dates", "cal.ico");
    EXPECT_EQ(Create(&ed, "Birthday", FT_ALARM, "", 1).lpText, nullptr);
    EXPECT_EQ(Create(&ed, "Other", FT_ALARM2, "77", 1).lpText, nullptr);
    EXPECT_EQ(FeldStruct[0].nLaenge, 10u);
    EXPECT_EQ(FeldStruct[0].nDrag, 0u) << "an ALARM field is never dragged";
    EXPECT_EQ(FeldStruct[1].nLaenge, 3u);
    EXPECT_EQ(FeldStruct[1].nDrag, 0u);
    // Changing a field into an alarm applies the same rules.
    EXPECT_EQ(Create(&ed, "Plain", FT_NORMAL, "40", 1).lpText, nullptr);
    FE_Select(&ed, 2);
    FE_INPUT in;
    FE_ChangeField(&ed, &in);
    EXPECT_STREQ(in.cName, "Plain");
    EXPECT_STREQ(in.cLaenge, "40");
    EXPECT_EQ(in.bDrag, 1);
    EXPECT_EQ(ed.nState, FE_EDITING);
    in.nTyp = FT_ALARM;
    EXPECT_EQ(FE_Apply(&ed, &in).lpText, nullptr);
    EXPECT_EQ(FeldStruct[2].nTyp, FT_ALARM);
    EXPECT_EQ(FeldStruct[2].nLaenge, 10u);
    EXPECT_EQ(FeldStruct[2].nDrag, 0u);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 3u) << "Change rewrites in place";
}

TEST_F(FieldEditor, AFullListRefusesCreateWithAMessage) {
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "Many", "m.ico");
    for (int i = 0; i < FELDSTRUCT_MAX; ++i)
        ASSERT_EQ(Create(&ed, ("F" + std::to_string(i)).c_str(), FT_NORMAL, "10").lpText, nullptr) << i;
    FE_INPUT in;
    DLG_ANSWER a = FE_NewField(&ed, &in);
    EXPECT_STREQ(a.lpText, "fieldtable is full (49 fields)");
    EXPECT_STREQ(a.lpCaption, "Error");
    EXPECT_EQ(ed.nState, FE_IDLE);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 49u);
    EXPECT_EQ(FeldStruct[49].cName[0], 0);
    EXPECT_EQ(FeldStruct[48].nIndex, 48u);
}

TEST_F(FieldEditor, StatesEnableTheirControls) {
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "Web", "web.ico");
    for (int id : {FE_ID_LIST, FE_ID_NEWFIELD, FE_ID_OK, FE_ID_CANCEL})
        EXPECT_TRUE(FE_IsEnabled(&ed, id)) << id;
    for (int id : {FE_ID_FIELDNAME, FE_ID_CREATE, FE_ID_APPLY, FE_ID_FIELDCANCEL, FE_ID_DELETE, FE_ID_CHANGE,
                   FE_ID_UP, FE_ID_DOWN})
        EXPECT_FALSE(FE_IsEnabled(&ed, id)) << id;
    FE_INPUT in;
    FE_NewField(&ed, &in);
    for (int id : {FE_ID_FIELDNAME, FE_ID_TYPE, FE_ID_LENGTH, FE_ID_DRAG, FE_ID_CREATE, FE_ID_FIELDCANCEL})
        EXPECT_TRUE(FE_IsEnabled(&ed, id)) << id;
    for (int id : {FE_ID_LIST, FE_ID_NEWFIELD, FE_ID_OK, FE_ID_CANCEL, FE_ID_APPLY})
        EXPECT_FALSE(FE_IsEnabled(&ed, id)) << id;
    EXPECT_EQ(FE_Ok(&ed, "Web").nAction, DLG_STAY) << "OK waits for the field being made";
    FE_FieldCancel(&ed);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 0u);
    Create(&ed, "One", 0, "5");
    FE_Select(&ed, 0);
    EXPECT_TRUE(FE_IsEnabled(&ed, FE_ID_DELETE));
    EXPECT_TRUE(FE_IsEnabled(&ed, FE_ID_CHANGE));
    EXPECT_FALSE(FE_IsEnabled(&ed, FE_ID_UP)) << "with one entry there is nothing to move";
    Create(&ed, "Two", 0, "5");
    FE_Select(&ed, 1);
    EXPECT_TRUE(FE_IsEnabled(&ed, FE_ID_UP));
    FE_ChangeField(&ed, &in);
    EXPECT_TRUE(FE_IsEnabled(&ed, FE_ID_APPLY));
    EXPECT_FALSE(FE_IsEnabled(&ed, FE_ID_CREATE));

    FE_OpenFolder(&ed, FE_MODE_CHANGE_FOLDER, "Web", "web.ico");
    for (int id : {FE_ID_NEWFIELD, FE_ID_CREATE, FE_ID_DELETE}) {
        EXPECT_FALSE(FE_HasControl(&ed, id)) << id;
        EXPECT_FALSE(FE_IsEnabled(&ed, id)) << id;
    }
    EXPECT_EQ(FE_NewField(&ed, &in).lpText, nullptr);
    EXPECT_EQ(ed.nState, FE_IDLE) << "change folder creates no fields";
}

TEST_F(FieldEditor, DeleteClosesTheGapAndUpDownExchangeEntries) {
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "Web", "web.ico");
    for (const char *n : {"a", "b", "c", "d"})
        Create(&ed, n, 0, "5");
    FE_Select(&ed, 1);
    FE_Delete(&ed);
    EXPECT_EQ(Names(), "a,c,d");
    EXPECT_EQ(FeldStruct[3].cName[0], 0);
    EXPECT_EQ(ed.nSelected, -1);
    Create(&ed, "e", 0, "5");
    EXPECT_EQ(Names(), "a,c,d,e") << "the cursor moved back one entry";
    FE_Select(&ed, 0);
    FE_Up(&ed);
    EXPECT_EQ(Names(), "a,c,d,e") << "the first line cannot go up";
    FE_Down(&ed);
    EXPECT_EQ(Names(), "c,a,d,e");
    EXPECT_EQ(ed.nSelected, 1) << "the moved line stays selected";
    FE_Select(&ed, 3);
    FE_Down(&ed);
    EXPECT_EQ(Names(), "c,a,d,e");
    FE_Up(&ed);
    EXPECT_EQ(Names(), "c,a,e,d");
}

TEST_F(FieldEditor, InChangeModeUpAndDownLeaveEachPositionItsOrder) {
    FS_Append("first", 0, 5, 0)->nOrder = 1;
    FS_Append("second", 0, 5, 0)->nOrder = 2;
    FeldStruct[0].nIndex = 7;
    FeldStruct[1].nIndex = 3;
    FE_OpenFolder(&ed, FE_MODE_CHANGE_FOLDER, "Web", "web.ico");
    FE_Select(&ed, 1);
    FE_Up(&ed);
    EXPECT_STREQ(FeldStruct[0].cName, "second");
    EXPECT_EQ(FeldStruct[0].nIndex, 3u) << "the field keeps its index, and so its contents";
    EXPECT_EQ(FeldStruct[0].nOrder, 1u) << "and takes the place's order";
    EXPECT_EQ(FeldStruct[1].nIndex, 7u);
    EXPECT_EQ(FeldStruct[1].nOrder, 2u);
}

TEST_F(FieldEditor, FolderOkChecksNameAndIconAndRefusesAFolderWithoutFields) {
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "Web", "");
    DLG_ANSWER a = FE_Ok(&ed, "Web");
    EXPECT_STREQ(a.lpText, "fieldtable is empty");
    Create(&ed, "User", 0, "20");
    a = FE_Ok(&ed, "");
    EXPECT_STREQ(a.lpText, "please enter foldername!");
    EXPECT_EQ(a.nFocus, FE_ID_NAME);
    a = FE_Ok(&ed, "Web");
    EXPECT_STREQ(a.lpText, "please choose icon!");
    EXPECT_EQ(a.nFocus, FE_ID_SELECTICON);
    FE_SetIcon(&ed, "globe.ico");
    EXPECT_EQ(FE_Ok(&ed, "A folder name of 30 chars....").nAction, DLG_CLOSE_OK);
    EXPECT_STREQ(ed.cTitle, "A folder name of 30 char");
    EXPECT_EQ(FeldEditor.nFeldEditMode, 0u);
    EXPECT_FALSE(FileExists(Path("orvtemplate.ini"))) << "a folder writes no template";

    FE_OpenFolder(&ed, FE_MODE_NEW_TEMPLATE, "Empty", "");
    EXPECT_EQ(FE_Ok(&ed, "Empty").nAction, DLG_CLOSE_OK) << "a template without fields closes";
    EXPECT_FALSE(FileExists(Path("orvtemplate.ini"))) << "and writes nothing";
}

TEST_F(FieldEditor, TemplateFieldNamesCannotHoldACommaOthersCan) {
    FE_OpenFolder(&ed, FE_MODE_NEW_TEMPLATE, "T", "");
    EXPECT_STREQ(Create(&ed, "a,b", 0, "5").lpText, "fieldname must not contain ','");
    FE_FieldCancel(&ed);
    FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, "F", "");
    EXPECT_EQ(Create(&ed, "a,b", 0, "5").lpText, nullptr);
}

TEST_F(FieldEditor, CancelSetsTheFlagOnlyForFolders) {
    FE_OpenFolder(&ed, FE_MODE_NEW_TEMPLATE, "T", "");
    EXPECT_EQ(FE_Cancel(&ed).nAction, DLG_CLOSE_CANCEL);
    EXPECT_EQ(FeldEditor.nDlgCancelled, 0);
    FE_OpenFolder(&ed, FE_MODE_CHANGE_FOLDER, "F", "");
    EXPECT_EQ(FeldEditor.nFeldEditMode, uint32_t(FE_MODE_CHANGE_FOLDER));
    FE_Cancel(&ed);
    EXPECT_EQ(FeldEditor.nDlgCancelled, 1);
    EXPECT_EQ(FeldEditor.nFeldEditMode, 0u);
}

TEST_F(FieldEditor, CardEditorOkNeedsFieldsAndANameThenGivesTheCardItsOwnFields) {
    AddFolder(1, 1, "Folder", Item(0xf1));
    CARDEDIT block;
    CW_PrepareCardEdit(&block, CE_MODE_NEW, "", "card.ico", "", 0);
    EXPECT_EQ(block.nKartenKennung, 1u);
    FE_OpenCard(&ed, &block);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 0u);
    DLG_ANSWER a = FE_Ok(&ed, "");
    EXPECT_STREQ(a.lpText, "fieldtable is empty");
    EXPECT_EQ(a.nAction, DLG_STAY);
    Create(&ed, "Login", FT_NORMAL, "30", 1);
    Create(&ed, "Due", FT_ALARM, "");
    a = FE_Ok(&ed, " ");
    EXPECT_STREQ(a.lpText, "please enter cardname!");
    EXPECT_EQ(a.nFocus, FE_ID_CARDNAME);
    EXPECT_EQ(lpFELDTABCARDstart, nullptr);
    FE_SetIcon(&ed, "other.ico");
    dwTraceLevel = TRACE_DUMP_SORT;
    EXPECT_EQ(FE_Ok(&ed, "My card").nAction, DLG_CLOSE_OK);
    dwTraceLevel = 0;
    EXPECT_EQ(block.nCancelled, 0);
    EXPECT_STREQ(block.cKartenName, "My card");
    EXPECT_STREQ(block.cIconName, "other.ico");
    ASSERT_NE(lpFELDTABCARDstart, nullptr);
    FELDTABCARD *f = lpFELDTABCARDstart;
    EXPECT_EQ(f->KartenKennung, 1u);
    EXPECT_EQ(f->FeldIndex, 0u);
    EXPECT_EQ(f->FeldOrder, 0u);
    EXPECT_STREQ(f->FeldName, "Login");
    ASSERT_NE(f->next, nullptr);
    EXPECT_EQ(f->next->FeldIndex, 1u);
    EXPECT_EQ(f->next->Feldlaenge, 10u);
    EXPECT_EQ(f->next->next, nullptr);
    EXPECT_FALSE(TraceLines("DMP CW").empty());

    CW_PrepareCardEdit(&block, CE_MODE_NEW, "x", "y", "", 0);
    FE_OpenCard(&ed, &block);
    EXPECT_EQ(FE_Cancel(&ed).nAction, DLG_CLOSE_CANCEL);
    EXPECT_EQ(block.nCancelled, -1);
}
