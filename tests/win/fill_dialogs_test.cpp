// The windows that fill a safe as a user meets them: the real main window and
// dialogs under Wine, answered by a scripted user, and the safe file written
// and read back afterwards.
#include "app/main_loop.h"
#include "config/settings.h"
#include "model/cards.h"
#include "model/categories.h"
#include "model/fields.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"
#include "tools/timeout.h"
#include "ui/fill_dialogs.h"
#include "ui/icon_list.h"
#include "ui/mainwnd.h"
#include "ui/resource.h"
#include "ui/tree_view.h"
#include "ui/uiport_win32.h"
#include "win/dialog_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {
using D = DialogDriver;

const char kSettings[] = "Folder - Settings";
const char kTemplates[] = "[Templates]\r\nOrdner1=Internet,Mail.ico\r\n"
                          "[Internet]\r\nFeld1=User,0,30,1\r\nFeld2=Password,1,20,1\r\nFeld3=Web,2,60,1\r\n";

// Folder "Mail" (User 40, Note 30) with "Home" and the individual card "Own";
// folder "Bank" (Account 20) with "Savings".
SafeContents Sample() {
    SafeContents s;
    s.folders = {{1, 1, "Mail", "Mail.ico"}, {2, 2, "Bank", "Bank.ico"}};
    s.fields = {{1, 0, 1, "User", 0, 40, 1}, {1, 1, 2, "Note", 0, 30, 0}, {2, 0, 1, "Account", 0, 20, 0}};
    s.cards = {{1, 1, 1, "Home", ""}, {1, 2, 2, "Own", ""}, {2, 3, 1, "Savings", ""}};
    s.contents = {{1, 0, "me@home.example"}, {1, 1, "a note"}, {2, 0, "pin"}, {3, 0, "12-34"}};
    s.cardFields = {{2, 0, 1, "PIN", 1, 8, 0}};
    return s;
}

// What a user does to the lists: a row of a list view selected, a line of a
// list box picked (the box tells its dialog, as a click would).
int Row(HWND d, int id, const char *text) {
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = text;
    return static_cast<int>(SendDlgItemMessageA(d, id, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(&find)));
}
void SelectRow(HWND d, int id, int row) {
    ListView_SetItemState(GetDlgItem(d, id), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}
void PickLine(HWND d, int line) {
    SendDlgItemMessageA(d, IDC_FE_LIST, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_FE_LIST)));
}
void Ok(HWND d) { D::Click(d, IDOK); }
void Icon(D &driver, const char *name) {
    driver.Expect("List of icons", [name](HWND d) {
        SelectRow(d, IDC_IL_LIST, Row(d, IDC_IL_LIST, name));
        Ok(d);
    });
}

class FillDialogs : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string shipped(self);
        shipped = shipped.substr(0, shipped.find_last_of("\\/") + 1) + "..\\..\\dist\\Icons\\";
        ASSERT_TRUE(CreateDirectoryA(Path("Icons").c_str(), nullptr));
        for (const char *icon : {"Mail.ico", "Bank.ico"})
            ASSERT_TRUE(CopyFileA((shipped + icon).c_str(), Path(std::string("Icons\\") + icon).c_str(), FALSE));
        IC_LoadIcons();
        ASSERT_TRUE(WriteFile(Path("orvtemplate.ini"), kTemplates));
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nSafePath=" + dir + "\r\n"));
        II_ReadSettings();
        ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
        UI_SetPort(&port); // real message boxes and dialogs
        path = Path("fill.saf");
        ASSERT_TRUE(WriteFile(path, BuildSafe(Sample())));
        ASSERT_EQ(SW_GetSafe(path.c_str()), 0) << "no password, no prompt";
    }
    void TearDown() override {
        UI_SetPort(&ui);
        EXPECT_TRUE(driver.unexpected.empty()) << "first unexpected: " << driver.unexpected.front();
        EXPECT_TRUE(driver.Done()) << "a scripted dialog never appeared";
        if (MainWindows.hWndMain)
            DestroyWindow(MainWindows.hWndMain);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
        IC_FreeIcons();
        CC_ReleaseCategoryTable();
        CategoryState.nCategoryFilter = 0;
        SafeTest::TearDown();
    }
    // Writes the safe and reads the file back into the lists.
    void SaveAndReadBack() {
        ASSERT_EQ(SW_PutSafe(0, 0), 0);
        SW_DeactivateSafe();
        ReleaseSafeState();
        ASSERT_EQ(ReadSafeFile(path, ""), 0);
    }
    void Select(TREEHANDLE item) { TV_SelectItem(item); }
    ORDNER *Folder(const char *name) {
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            if (strcmp(o->cOrdnerName, name) == 0)
                return o;
        return nullptr;
    }
    KARTE *Card(const char *name) {
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            if (strcmp(k->cKartenName, name) == 0)
                return k;
        return nullptr;
    }
    // The folder's field descriptions as "name:type:length:drag:index:order", in list order.
    std::vector<std::string> Fields(uint32_t folder) {
        std::vector<std::string> out;
        for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
            if (f->nOrdnerKennung == folder)
                out.push_back(std::string(f->feldname) + ":" + std::to_string(f->feldtyp) + ":" +
                              std::to_string(f->feldlaenge) + ":" + std::to_string(f->drag) + ":" +
                              std::to_string(f->nFeldIndex) + ":" + std::to_string(f->nFeldOrder));
        return out;
    }
    std::string Content(uint32_t card, uint32_t index) {
        for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
            if (c->nKartenKennung == card && c->nFeldIndex == index)
                return c->lpFeldInhalt ? c->lpFeldInhalt : "";
        return "(none)";
    }
    Win32UiPort port;
    DialogDriver driver;
    std::string path;
};
} // namespace

TEST_F(FillDialogs, ANewFolderFromATemplateReachesTheFileWithItsFieldsAndIcon) {
    driver.Expect("Create Folder", Ok);
    driver.Expect("Error", Ok);
    driver.Expect("Create Folder", [](HWND d) {
        D::Type(d, IDC_OW_FOLDERNAME, "Shop");
        D::Click(d, IDC_OW_LIST);
    });
    driver.Expect("Please select template", [](HWND d) {
        SelectRow(d, IDC_TC_LIST, Row(d, IDC_TC_LIST, "Internet"));
        EXPECT_EQ(ListView_GetItemCount(GetDlgItem(d, IDC_TC_FIELDS)), 3) << "the template's fields are shown";
        Ok(d);
    });
    driver.Expect("Create Folder", Ok);
    driver.Expect(kSettings, [](HWND d) {
        EXPECT_EQ(D::Text(d, IDC_FE_NAME), "Shop");
        EXPECT_FALSE(D::Enabled(d, IDC_FE_CHANGE)) << "no line selected";
        PickLine(d, 1);
        D::Click(d, IDC_FE_CHANGE);
    });
    driver.Expect(kSettings, [](HWND d) {
        EXPECT_EQ(D::Text(d, IDC_FE_FIELDNAME), "Password");
        EXPECT_FALSE(D::Enabled(d, IDOK)) << "a field is being edited";
        SetDlgItemTextA(d, IDC_FE_LENGTH, "251");
        D::Click(d, IDC_FE_APPLY);
    });
    driver.Expect("Error", Ok);
    driver.Expect(kSettings, [](HWND d) {
        SetDlgItemTextA(d, IDC_FE_LENGTH, "12");
        D::Click(d, IDC_FE_APPLY);
    });
    driver.Expect(kSettings, [](HWND d) { D::Click(d, IDC_FE_SELECTICON); });
    Icon(driver, "Bank.ico");
    driver.Expect(kSettings, Ok);
    EXPECT_TRUE(FD_Command(IDM_CREATEFOLDER));

    EXPECT_EQ(driver.Messages(),
              (std::vector<std::string>{"Error: please enter foldername!", "Error: inputlength invalid (250)"}));
    EXPECT_TRUE(driver.AllStop());
    SaveAndReadBack();
    ORDNER *shop = Folder("Shop");
    ASSERT_NE(shop, nullptr);
    EXPECT_STREQ(shop->cIconName, "Bank.ico");
    EXPECT_EQ(lpORDNERact, shop) << "the new folder comes last";
    EXPECT_EQ(Fields(shop->nOrdnerKennung),
              (std::vector<std::string>{"User:0:30:1:0:1", "Password:1:12:1:1:2", "Web:2:60:1:2:3"}));
}

// The time-out sees a key typed in a dialog; a safe closed under a dialog anyway
// (its records released) gets nothing from the dialog's OK.
TEST_F(FillDialogs, InputInADialogCountsAndItsOkAfterTheSafeClosedChangesNothing) {
    MA_WatchInput();
    Inactivity.dwLastActivity = 7;
    driver.Expect("Create Folder", [](HWND d) {
        PostMessageA(GetDlgItem(d, IDC_OW_FOLDERNAME), WM_KEYDOWN, 'S', 1);
        D::Type(d, IDC_OW_FOLDERNAME, "Shop");
    });
    driver.Expect("Create Folder", [](HWND d) {
        EXPECT_NE(Inactivity.dwLastActivity, 7u) << "a key in the dialog counts";
        ASSERT_EQ(SW_CloseSafe(0), 0); // as the time-out closes it, the dialog left open
        Ok(d);
    });
    driver.Expect("Notice", Ok);
    EXPECT_TRUE(FD_Command(IDM_CREATEFOLDER));
    MA_StopWatchingInput();
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Notice: The safe was closed meanwhile,\nnothing was changed."});
    EXPECT_EQ(DescribeLists(), "");
}

TEST_F(FillDialogs, ChangingAFolderCutsItsContentsAndTheFolderOrderIsSaved) {
    Select(Folder("Mail")->hOrdnerTree);
    driver.Expect(kSettings, [](HWND d) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_FE_NEWFIELD))) << "fields are changed, never added";
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_FE_DELETE)));
        PickLine(d, 0);
        D::Click(d, IDC_FE_CHANGE);
    });
    driver.Expect(kSettings, [](HWND d) {
        SetDlgItemTextA(d, IDC_FE_LENGTH, "5");
        D::Click(d, IDC_FE_APPLY);
    });
    driver.Expect(kSettings, [](HWND d) {
        PickLine(d, 0);
        D::Click(d, IDC_FE_DOWN);
    });
    driver.Expect(kSettings, Ok);
    EXPECT_TRUE(FD_Command(IDM_TV_CHANGEFOLDER));

    driver.Expect("Change folder order", [](HWND d) {
        EXPECT_FALSE(D::Enabled(d, IDC_OW_UP));
        SelectRow(d, IDC_OW_ORDERLIST, 1);
        EXPECT_TRUE(D::Enabled(d, IDC_OW_UP));
        EXPECT_FALSE(D::Enabled(d, IDC_OW_DOWN)) << "the last line";
        D::Click(d, IDC_OW_UP);
    });
    driver.Expect("Change folder order", Ok);
    EXPECT_TRUE(FD_Command(IDM_FOLDERORDER));

    SaveAndReadBack();
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Bank");
    EXPECT_EQ(Fields(Folder("Mail")->nOrdnerKennung),
              (std::vector<std::string>{"Note:0:30:0:1:1", "User:0:5:1:0:2"}))
        << "each field keeps its index, only the display order changes";
    EXPECT_EQ(Content(1, 0), "me@ho");
    EXPECT_EQ(Content(1, 1), "a note");
}

TEST_F(FillDialogs, ACardTakesAnotherCardsStructureAndTheCardOrderIsSaved) {
    Select(Folder("Mail")->hOrdnerTree);
    driver.Expect("Card", [](HWND d) {
        EXPECT_TRUE(D::Enabled(d, IDC_CW_FROM_CARD)) << "the safe has an individual card";
        D::Type(d, IDC_CW_CARDNAME, "Copy");
        Ok(d);
    });
    driver.Expect("Error", Ok);
    driver.Expect("Card", [](HWND d) { D::Click(d, IDC_CW_CHOOSEICON); });
    Icon(driver, "Mail.ico");
    driver.Expect("Card", [](HWND d) {
        CheckRadioButton(d, IDC_CW_FROM_FOLDER, IDC_CW_FROM_NEW, IDC_CW_FROM_CARD);
        Ok(d);
    });
    driver.Expect("Please select Cardtemplate", [](HWND d) {
        SelectRow(d, IDC_TC_LIST, Row(d, IDC_TC_LIST, "Own"));
        Ok(d);
    });
    driver.Expect("Card - Definition", [](HWND d) {
        EXPECT_EQ(D::Text(d, IDC_FE_CARDNAME), "Copy");
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_FE_LIST, LB_GETCOUNT, 0, 0), 1);
        Ok(d);
    });
    EXPECT_TRUE(FD_Command(IDM_CREATECARD));
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Error: please choose icon!"});

    driver.Expect("Change card order", [](HWND d) {
        SelectRow(d, IDC_CW_ORDERLIST, Row(d, IDC_CW_ORDERLIST, "Copy"));
        D::Click(d, IDC_CW_UP);
    });
    driver.Expect("Change card order", [](HWND d) {
        EXPECT_EQ(ListView_GetNextItem(GetDlgItem(d, IDC_CW_ORDERLIST), -1, LVNI_SELECTED), 1) << "it stays selected";
        Ok(d);
    });
    Select(Folder("Mail")->hOrdnerTree);
    EXPECT_TRUE(FD_Command(IDM_TV_CARDORDER));

    SaveAndReadBack();
    KARTE *copy = Card("Copy");
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->cIconName, "Mail.ico");
    const FELDTABCARD *own = CW_GetFirstCardField(copy->nKartenKennung);
    ASSERT_NE(own, nullptr) << "an individual card of its own";
    EXPECT_STREQ(own->FeldName, "PIN");
    EXPECT_EQ(own->Feldtyp, 1u);
    EXPECT_EQ(own->Feldlaenge, 8u);
    EXPECT_EQ(Content(copy->nKartenKennung, 0), "");
    std::vector<std::string> mail;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (k->nOrdnerKennung == 1)
            mail.push_back(k->cKartenName);
    EXPECT_EQ(mail, (std::vector<std::string>{"Home", "Copy", "Own"}));
}

TEST_F(FillDialogs, ANewTemplateIsWrittenToTheTemplateFile) {
    driver.Expect("Foldertemplates", [](HWND d) {
        D::Type(d, IDC_TW_NEWNAME, "Internet");
        D::Click(d, IDC_TW_CREATE);
    });
    driver.Expect("Error", Ok);
    driver.Expect("Foldertemplates", [](HWND d) {
        SetDlgItemTextA(d, IDC_TW_NEWNAME, "Mine");
        D::Click(d, IDC_TW_CREATE);
    });
    driver.Expect("Create ?", [](HWND d) { D::Click(d, IDYES); });
    driver.Expect(kSettings, [](HWND d) { D::Click(d, IDC_FE_NEWFIELD); });
    driver.Expect(kSettings, [](HWND d) {
        D::Type(d, IDC_FE_FIELDNAME, "Login");
        SetDlgItemTextA(d, IDC_FE_LENGTH, "20");
        D::Click(d, IDC_FE_CREATE);
    });
    driver.Expect(kSettings, [](HWND d) { D::Click(d, IDC_FE_SELECTICON); });
    Icon(driver, "Bank.ico");
    driver.Expect(kSettings, Ok);
    EXPECT_TRUE(FD_Command(IDM_FOLDERTEMPLATES));

    EXPECT_EQ(driver.Messages(),
              (std::vector<std::string>{"Error: Template already existing", "Create ?: Template [Mine] create ?"}));
    const std::string file = ReadFile(Path("orvtemplate.ini"));
    EXPECT_NE(file.find("Ordner2=Mine,Bank.ico"), std::string::npos) << file;
    EXPECT_NE(file.find("[Mine]\r\nFeld1=Login,0,20,0"), std::string::npos) << file;
}

TEST_F(FillDialogs, ACategoryGivenToAFolderFiltersTheTree) {
    driver.Expect("Modify Category", [](HWND d) {
        D::Type(d, IDC_CC_NAME, "Wo");
        EXPECT_FALSE(D::Enabled(d, IDC_CC_NEW)) << "two characters are too few";
        D::Type(d, IDC_CC_NAME, "rk");
        D::Click(d, IDC_CC_NEW);
    });
    driver.Expect("Modify Category", [](HWND d) {
        D::Type(d, IDC_CC_NAME, "Home");
        D::Click(d, IDC_CC_NEW);
    });
    driver.Expect("Modify Category", Ok);
    EXPECT_TRUE(FD_Command(IDM_CATEGORIES));
    ASSERT_EQ(SendMessageA(MainWindows.hCategoryCombo, CB_GETCOUNT, 0, 0), 3) << "\"all\" and the new categories";

    Select(Folder("Mail")->hOrdnerTree);
    driver.Expect("Category", [](HWND d) {
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_CC_CHOICE, CB_GETCURSEL, 0, 0), 0) << "\"display always\"";
        SendDlgItemMessageA(d, IDC_CC_CHOICE, CB_SETCURSEL, 1, 0);
        Ok(d);
    });
    EXPECT_TRUE(FD_Command(IDM_TV_FOLDERCATEGORY));
    Folder("Bank")->nCategory = 2; // the other category

    // The box tells the toolbar, its parent, which hands it on.
    SendMessageA(MainWindows.hCategoryCombo, CB_SETCURSEL, 1, 0);
    SendMessageA(MainWindows.hToolbar, WM_COMMAND, MAKEWPARAM(IDC_CATEGORYCOMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(MainWindows.hCategoryCombo));
    EXPECT_EQ(CategoryState.nCategoryFilter, 1u);
    HTREEITEM root = TreeView_GetRoot(MainWindows.hWndLinks);
    std::vector<std::string> shown;
    for (HTREEITEM i = TreeView_GetChild(MainWindows.hWndLinks, root); i;
         i = TreeView_GetNextSibling(MainWindows.hWndLinks, i)) {
        char text[64] = {};
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = i;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        TreeView_GetItem(MainWindows.hWndLinks, &item);
        shown.push_back(text);
    }
    EXPECT_EQ(shown, std::vector<std::string>{"Mail"});
    SaveAndReadBack();
    EXPECT_EQ(Folder("Mail")->nCategory, 1u);
}
