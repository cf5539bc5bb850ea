#include "config/inifile.h"
#include "model/feldstruct.h"
#include "model/field_editor.h"
#include "model/template_dialog.h"
#include "model/templates.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace testsupport;

namespace {
class Templates : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        FS_Clear();
        cTemplateName[0] = 0;
        FeldEditor.nFeldEditMode = 0;
    }
    void WriteTemplates(const std::string &text) { ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"), text)); }
    std::string TemplateFile() const { return ReadFile(Path("orvtemplate.ini")); }
    static std::vector<std::string> Entries() {
        std::vector<std::string> out;
        for (uint32_t i = 0; i < FeldEditor.nFeldStructCount; ++i) {
            const FELDSTRUCT &e = FeldStruct[i];
            out.push_back(std::to_string(e.nIndex) + " " + e.cName + " " + std::to_string(e.nTyp) + " " +
                          std::to_string(e.nLaenge) + " " + std::to_string(e.nDrag));
        }
        return out;
    }
    static std::vector<std::pair<std::string, std::string>> Listed() {
        std::vector<std::pair<std::string, std::string>> out;
        TW_ListTemplates(
            [](void *ctx, const char *name, const char *icon) {
                static_cast<std::vector<std::pair<std::string, std::string>> *>(ctx)->push_back({name, icon});
            },
            &out);
        return out;
    }
};

const char kSample[] = "[Templates]\r\n"
                       "Ordner1=Bank account,bank.ico\r\n"
                       "Ordner2=Bank,safe.ico\r\n"
                       "Ordner3=Web,web.ico\r\n"
                       "\r\n"
                       "[Bank account]\r\n"
                       "Feld1=IBAN,0,34,1\r\n"
                       "Feld2=PIN,1,8,0\r\n"
                       "[Bank]\r\n"
                       "Feld1=Name only\r\n"
                       "Feld2=Reminder,5,99,1\r\n"
                       "Feld3=Too long,0,999,7\r\n"
                       "Feld4=,0,10,0\r\n"
                       "Feld5= Spaced name , 2 , 250 , 1\r\n";
} // namespace

TEST_F(Templates, LoadingFillsTheWorkingListInLineOrderWithSaneValues) {
    WriteTemplates(kSample);
    EXPECT_EQ(TW_LoadTemplate("Bank account"), 1);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"0 IBAN 0 34 1", "1 PIN 1 8 0"}));
    EXPECT_EQ(TW_LoadTemplate("Bank"), 1);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"0 Name only 0 0 0", "1 Reminder 5 10 0", "2 Too long 0 250 1",
                                                   "3 Spaced name 2 250 1"}))
        << "a line with only a name is NORMAL, length 0; alarms take their length; a line without a name is "
           "passed over";
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Templates, MissingOrEmptyTemplatesLoadNothing) {
    EXPECT_EQ(TW_LoadTemplate("Bank"), 0) << "no file";
    WriteTemplates("[Templates]\r\nOrdner1=Empty,x.ico\r\n[Empty]\r\n");
    FS_Append("left over", 0, 10, 0);
    EXPECT_EQ(TW_LoadTemplate("Empty"), 0);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 0u);
    EXPECT_EQ(TW_LoadTemplate(""), 0);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Templates, ALineWithoutEqualsStopsEachReaderWithItsOwnCode) {
    WriteTemplates("[Templates]\r\nOrdner1=Good,g.ico\r\nbroken line\r\nOrdner3=After,a.ico\r\n"
                   "[Good]\r\nFeld1=First,0,10,0\r\nno equals here\r\nFeld3=Third,0,10,0\r\n");
    EXPECT_EQ(TW_LoadTemplate("Good"), 0);
    EXPECT_EQ(Entries(), std::vector<std::string>{"0 First 0 10 0"}) << "what was read before stays";
    EXPECT_EQ(Listed(), (std::vector<std::pair<std::string, std::string>>{{"Good", "g.ico"}}));
    char icon[TW_NAME_LEN];
    EXPECT_EQ(TW_GetTemplateIcon("After", icon, "TW03"), -1);
    ASSERT_EQ(ui.shown.size(), 3u);
    for (auto &m : ui.shown) {
        EXPECT_EQ(m.text, "error in template file (=)");
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.style, UI_MB_OK | UI_MB_ICONSTOP);
    }
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"*TW05* error in template file (=)",
                                                    "*TW01* error in template file (=)",
                                                    "*TW03* error in template file (=)"}));
    EXPECT_EQ(TW_CountTemplates("Templates"), 1) << "counting stops at the first line without =";
    EXPECT_EQ(TW_CountTemplates("Good"), 1);
}

TEST_F(Templates, AFileCutInsideARecordLoadsWhatIsWhole) {
    std::string cut = std::string(kSample).substr(0, std::string(kSample).find("Feld2=PIN") + 8);
    WriteTemplates(cut); // ends inside "Feld2=PIN,1,8,0"
    EXPECT_EQ(TW_LoadTemplate("Bank account"), 1);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"0 IBAN 0 34 1", "1 PI 0 0 0"}));
    WriteTemplates("[Templates]\r\nOrdner1=Bank acc");
    EXPECT_EQ(Listed(), (std::vector<std::pair<std::string, std::string>>{{"Bank acc", ""}}));
    WriteTemplates("[Templates]\r\nOrdn");
    EXPECT_EQ(Listed().size(), 0u);
    EXPECT_EQ(ui.shown.size(), 1u) << "a key cut before its = is a line without =";
}

TEST_F(Templates, ANameThatIsThePrefixOfAnotherIsFoundByItsOwnLine) {
    WriteTemplates(kSample);
    EXPECT_EQ(TW_GetTemplateNumber("Bank"), 2);
    EXPECT_EQ(TW_GetTemplateNumber("Bank account"), 1);
    EXPECT_EQ(TW_GetTemplateNumber("Ban"), 0);
    EXPECT_EQ(TW_GetTemplateNumber("Bank account and more"), 0);
    char icon[TW_NAME_LEN];
    EXPECT_EQ(TW_GetTemplateIcon("Bank", icon, "TW03"), 0);
    EXPECT_STREQ(icon, "safe.ico");
    EXPECT_EQ(TW_GetTemplateIcon("Web", icon, "TW03"), 0);
    EXPECT_STREQ(icon, "web.ico");
    EXPECT_EQ(TW_GetTemplateIcon("Nothing", icon, "TW03"), -1);
    EXPECT_STREQ(icon, "");
}

TEST_F(Templates, TheChooserListsEveryTemplateWithItsIcon) {
    WriteTemplates(kSample);
    EXPECT_EQ(Listed(), (std::vector<std::pair<std::string, std::string>>{
                            {"Bank account", "bank.ico"}, {"Bank", "safe.ico"}, {"Web", "web.ico"}}));
    EXPECT_EQ(TW_CountTemplates("Templates"), 3);
    TW_CHOOSE block = {"Please select template", "", 5};
    EXPECT_EQ(TW_ChooserOk(&block, "").nAction, DLG_STAY) << "nothing selected";
    EXPECT_EQ(TW_ChooserOk(&block, "Bank").nAction, DLG_CLOSE_OK);
    EXPECT_STREQ(block.cTemplate, "Bank");
    EXPECT_EQ(block.nCancelled, 0);
    EXPECT_EQ(TW_ChooserCancel(&block).nAction, DLG_CLOSE_CANCEL);
    EXPECT_EQ(block.nCancelled, -1);
}

TEST_F(Templates, CreatingTheFirstTemplateWritesOrdner1AndItsFields) {
    FE_EDITOR ed;
    DLG_ANSWER a = TW_CreateTemplate("Mail", &ed);
    EXPECT_EQ(a.nAction, DLG_NEXT);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Template [Mail] create ?");
    EXPECT_EQ(ui.shown[0].caption, "Create ?");
    EXPECT_EQ(ui.shown[0].style, UI_MB_YESNO | UI_MB_ICONQUESTION | UI_MB_TOPMOST);
    EXPECT_STREQ(cTemplateName, "Mail");
    EXPECT_EQ(ed.nMode, FE_MODE_NEW_TEMPLATE);
    EXPECT_EQ(FeldEditor.nFeldStructCount, 0u) << "a new template starts empty";

    FS_Append("Address", FT_EMAIL, 80, 1);
    FS_Append("Password", FT_PASSWORT, 40, 1);
    FE_SetIcon(&ed, "mail.ico");
    EXPECT_EQ(FE_Ok(&ed, "Mail").nAction, DLG_CLOSE_OK);
    EXPECT_EQ(TemplateFile(), "[Templates]\r\nOrdner1=Mail,mail.ico\r\n[Mail]\r\nFeld1=Address,3,80,1\r\n"
                              "Feld2=Password,1,40,1\r\n");
    EXPECT_EQ(TW_GetTemplateNumber("Mail"), 1);
}

TEST_F(Templates, CreateRefusesEmptyExistingAndUnusableNames) {
    WriteTemplates(kSample);
    FE_EDITOR ed;
    DLG_ANSWER a = TW_CreateTemplate("  ", &ed);
    EXPECT_STREQ(a.lpText, "please enter templatename!");
    EXPECT_STREQ(a.lpCaption, "Error");
    EXPECT_EQ(a.nFocus, TW_ID_NEWNAME);
    EXPECT_STREQ(TW_CreateTemplate("Bank", &ed).lpText, "Template already existing");
    EXPECT_STREQ(TW_CreateTemplate("bank account", &ed).lpText, "Template already existing")
        << "section names match without regard to case";
    EXPECT_EQ(TW_CreateTemplate("a,b", &ed).nAction, DLG_STAY);
    EXPECT_EQ(TW_CreateTemplate("[x]", &ed).nAction, DLG_STAY);
    EXPECT_TRUE(ui.shown.empty()) << "no question asked";
    ui.answers.push_back(UI_IDNO);
    a = TW_CreateTemplate("New one", &ed);
    EXPECT_EQ(a.nAction, DLG_STAY);
    EXPECT_EQ(a.nFocus, TW_ID_NEWNAME);
    EXPECT_STREQ(cTemplateName, "");
    EXPECT_EQ(TemplateFile(), kSample);
}

TEST_F(Templates, ChangingATemplateLoadsItAndRewritesItWithoutOldLines) {
    WriteTemplates(kSample);
    FE_EDITOR ed;
    DLG_ANSWER a = TW_ChangeTemplate("", &ed);
    EXPECT_STREQ(a.lpText, "please enter templatename!");
    EXPECT_EQ(a.nFocus, TW_ID_EXISTING);
    EXPECT_STREQ(TW_ChangeTemplate("Nowhere", &ed).lpText, "Template not found");
    EXPECT_STREQ(TW_ChangeTemplate("Web", &ed).lpText, "Template not found") << "listed, but no fields";

    ASSERT_EQ(TW_ChangeTemplate("Bank account", &ed).nAction, DLG_NEXT);
    EXPECT_EQ(ed.nMode, FE_MODE_CHANGE_TEMPLATE);
    EXPECT_STREQ(ed.cIcon, "bank.ico");
    EXPECT_STREQ(ed.cTitle, "Bank account");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"0 IBAN 0 34 1", "1 PIN 1 8 0"}));
    FE_Select(&ed, 0);
    FE_Delete(&ed);
    FE_SetIcon(&ed, "vault.ico");
    EXPECT_EQ(FE_Ok(&ed, "Bank account").nAction, DLG_CLOSE_OK);
    std::string file = TemplateFile();
    EXPECT_NE(file.find("Ordner1=Bank account,vault.ico\r\n"), std::string::npos);
    EXPECT_NE(file.find("[Bank account]\r\nFeld1=PIN,1,8,0\r\n[Bank]"), std::string::npos) << file;
    EXPECT_EQ(file.find("IBAN"), std::string::npos);
    EXPECT_EQ(TW_CountTemplates("Templates"), 3) << "the template kept its line";
}

TEST_F(Templates, ANewTemplateNeverTakesTheNumberOfAnother) {
    // A hand-edited file with a gap: counting lines alone would give 3 and
    // overwrite "Web"'s line.
    WriteTemplates("[Templates]\r\nOrdner1=Bank,b.ico\r\nOrdner3=Web,w.ico\r\n[Bank]\r\nFeld1=A,0,1,0\r\n"
                   "[Web]\r\nFeld1=B,0,1,0\r\n");
    FS_Clear();
    FS_Append("Field", 0, 10, 0);
    ASSERT_EQ(TW_WriteTemplate(FE_MODE_NEW_TEMPLATE, "Shop", "s.ico"), 0);
    EXPECT_EQ(TW_GetTemplateNumber("Web"), 3);
    EXPECT_EQ(TW_GetTemplateNumber("Shop"), 4);
    // Writing a listed template as new again keeps its one line.
    ASSERT_EQ(TW_WriteTemplate(FE_MODE_NEW_TEMPLATE, "Bank", "b2.ico"), 0);
    EXPECT_EQ(TW_CountTemplates("Templates"), 3);
    char icon[TW_NAME_LEN];
    TW_GetTemplateIcon("Bank", icon, "TW03");
    EXPECT_STREQ(icon, "b2.ico");
}

TEST_F(Templates, HundredsOfTemplatesAreListedCountedAndFound) {
    std::string text = "[Templates]\r\n";
    for (int i = 1; i <= 800; ++i)
        text += "Ordner" + std::to_string(i) + "=Template number " + std::to_string(i) + ",icon" +
                std::to_string(i) + ".ico\r\n";
    text += "[Template number 800]\r\n";
    for (int i = 1; i <= 60; ++i)
        text += "Feld" + std::to_string(i) + "=A rather long field " + std::to_string(i) + ",1,250,1\r\n";
    WriteTemplates(text);
    EXPECT_EQ(TW_CountTemplates("Templates"), 800);
    EXPECT_EQ(Listed().size(), 800u);
    EXPECT_EQ(TW_GetTemplateNumber("Template number 800"), 800);
    char icon[TW_NAME_LEN];
    EXPECT_EQ(TW_GetTemplateIcon("Template number 800", icon, "TW03"), 0);
    EXPECT_STREQ(icon, "icon800.ico");
    EXPECT_EQ(TW_LoadTemplate("Template number 800"), 1);
    EXPECT_EQ(FeldEditor.nFeldStructCount, uint32_t(FELDSTRUCT_MAX)) << "49 fields at most";
    EXPECT_EQ(FeldStruct[48].nIndex, 48u);
    FS_Clear();
    FS_Append("x", 0, 1, 0);
    ASSERT_EQ(TW_WriteTemplate(FE_MODE_NEW_TEMPLATE, "One more", "m.ico"), 0);
    EXPECT_EQ(TW_GetTemplateNumber("One more"), 801);
}

TEST_F(Templates, LongNamesInTheFileAreCutTo24Characters) {
    WriteTemplates("[Templates]\r\nOrdner1=A template name of 30 chars,an icon name longer than 24.ico\r\n"
                   "[T]\r\nFeld1=A field name of more than 24,0,5,0\r\n");
    auto listed = Listed();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].first, "A template name of 30 ch");
    EXPECT_EQ(listed[0].second, "an icon name longer than");
    EXPECT_EQ(TW_GetTemplateNumber("A template name of 30 ch"), 0) << "only the whole name is found";
    EXPECT_EQ(TW_LoadTemplate("T"), 1);
    EXPECT_STREQ(FeldStruct[0].cName, "A field name of more tha");
}
