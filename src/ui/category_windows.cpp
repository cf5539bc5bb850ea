// "Modify Category", "Category" for a folder or card, and the category filter
// box on the toolbar. The table and its rules are the core's.
#include "model/categories.h"
#include "model/category_dialogs.h"
#include "platform/uiport.h"
#include "ui/dialog_util.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

static_assert(IDC_CC_LIST == CC_IDC_LIST && IDC_CC_NAME == CC_IDC_NAME && IDC_CC_DELETE == CC_IDC_DELETE &&
                  IDC_CC_NEW == CC_IDC_NEW && IDC_CC_CHOICE == CC_IDC_CHOICE,
              "the category dialogs carry the controls their logic names");

namespace {
// ---------------------------------------------------------------- Modify Category
void InsertLine(HWND list, int pos, const char *text, uint32_t index) {
    int at = static_cast<int>(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(text)));
    if (at >= 0)
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(index));
}

void EditInit(HWND hDlg) {
    DU_CentreOnOwner(hDlg);
    EnableWindow(GetDlgItem(hDlg, IDC_CC_DELETE), FALSE);
    EnableWindow(GetDlgItem(hDlg, IDC_CC_NEW), FALSE);
    SendDlgItemMessageA(hDlg, IDC_CC_NAME, EM_LIMITTEXT, CC_NAME_MAX, 0);
    HWND list = GetDlgItem(hDlg, IDC_CC_LIST);
    for (uint32_t pos = 1; const char *text = CC_FilterEntryText(pos); ++pos)
        InsertLine(list, -1, text, CC_FilterEntryIndex(pos));
    DU_Focus(hDlg, IDC_CC_NAME);
}

void EditNew(HWND hDlg, CC_EDIT *e) {
    char typed[CC_NAME_SIZE + 8];
    FL_Text(hDlg, IDC_CC_NAME, typed, sizeof typed);
    uint32_t index = 0;
    int pos = CC_EditNew(e, typed, &index);
    if (pos < 0)
        return; // "New" is enabled for names long enough only
    char name[CC_NAME_SIZE];
    snprintf(name, sizeof name, "%s", CC_FindCategory(index) ? CC_FindCategory(index)->name : typed);
    InsertLine(GetDlgItem(hDlg, IDC_CC_LIST), pos, name, index);
    SetDlgItemTextA(hDlg, IDC_CC_NAME, "");
    EnableWindow(GetDlgItem(hDlg, IDC_CC_NEW), FALSE);
    EnableWindow(GetDlgItem(hDlg, IDC_CC_DELETE), FALSE);
    DU_Focus(hDlg, IDC_CC_NAME); // "New" just lost the focus with its use: ready for the next name
}

void EditDelete(HWND hDlg, CC_EDIT *e) {
    HWND list = GetDlgItem(hDlg, IDC_CC_LIST);
    int line = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (line < 0)
        return;
    auto index = static_cast<uint32_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(line), 0));
    if (CC_EditDelete(e, index) != 0)
        return; // the user kept it
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(line), 0);
    EnableWindow(GetDlgItem(hDlg, IDC_CC_DELETE), FALSE);
}

INT_PTR CALLBACK EditCategoryProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto *e = reinterpret_cast<CC_EDIT *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        EditInit(hDlg);
        return FALSE;
    case WM_COMMAND:
        if (!e)
            break;
        switch (LOWORD(wParam)) {
        case IDC_CC_NAME:
            if (HIWORD(wParam) == EN_CHANGE) {
                char typed[CC_NAME_SIZE + 8];
                FL_Text(hDlg, IDC_CC_NAME, typed, sizeof typed);
                EnableWindow(GetDlgItem(hDlg, IDC_CC_NEW), CC_EditNewEnabled(typed) ? TRUE : FALSE);
            }
            return TRUE;
        case IDC_CC_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                EnableWindow(GetDlgItem(hDlg, IDC_CC_DELETE), TRUE);
            return TRUE;
        case IDC_CC_NEW: EditNew(hDlg, e); return TRUE;
        case IDC_CC_DELETE: EditDelete(hDlg, e); return TRUE;
        case IDOK:
            CC_EditOk(e);
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            CC_EditCancel(e);
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- Category
// The folder or card the dialog gives a category, and the setter for it.
struct Choice {
    TREEHANDLE hItem;
    uint32_t nPreset;
    int (*set)(TREEHANDLE, uint32_t);
};

INT_PTR CALLBACK CategoryProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto *c = reinterpret_cast<Choice *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        c = reinterpret_cast<Choice *>(lParam);
        DU_CentreOnOwner(hDlg);
        for (uint32_t pos = 0; const char *text = CC_ChoiceText(pos); ++pos)
            SendDlgItemMessageA(hDlg, IDC_CC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageA(hDlg, IDC_CC_CHOICE, CB_SETCURSEL, c->nPreset, 0);
        DU_Focus(hDlg, IDC_CC_CHOICE);
        return FALSE;
    }
    case WM_COMMAND:
        if (!c)
            break;
        switch (LOWORD(wParam)) {
        case IDOK: {
            LRESULT pos = SendDlgItemMessageA(hDlg, IDC_CC_CHOICE, CB_GETCURSEL, 0, 0);
            // Nothing chosen changes nothing; an item gone from the tree neither.
            if (pos >= 0)
                (void)c->set(c->hItem, static_cast<uint32_t>(pos));
            UI_RebuildTree(); // the record may no longer pass the filter
            EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

void RunChoice(uint32_t (*preset)(TREEHANDLE), int (*set)(TREEHANDLE, uint32_t)) {
    TREEHANDLE item = reinterpret_cast<TREEHANDLE>(TV_GetSelection());
    Choice c = {item, preset(item), set};
    DU_RunDialog(IDD_CATEGORY, CategoryProc, reinterpret_cast<LPARAM>(&c));
}

// ---------------------------------------------------------------- filter box
class FilterBox : public CategoryFilterView {
  public:
    void Fill() override {
        if (!MainWindows.hCategoryCombo)
            return;
        SendMessageA(MainWindows.hCategoryCombo, CB_RESETCONTENT, 0, 0);
        for (uint32_t pos = 0; const char *text = CC_FilterEntryText(pos); ++pos)
            SendMessageA(MainWindows.hCategoryCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(MainWindows.hCategoryCombo, CB_SETCURSEL, 0, 0);
    }
};
FilterBox filterBox;
} // namespace

void CC_EditCategories() {
    CC_EDIT e = {};
    if (CC_EditOpen(&e) != 0)
        return; // out of memory, which ends the program
    DU_RunDialog(IDD_EDITCATEGORY, EditCategoryProc, reinterpret_cast<LPARAM>(&e));
}

void CC_SetOrdnerCategory() { RunChoice(CC_OrdnerChoice, CC_SetOrdnerChoice); }

void CC_SetCardCategory() { RunChoice(CC_CardChoice, CC_SetCardChoice); }

void CC_InitFilterBox() {
    CC_SetFilterView(&filterBox);
    CC_FillFilterBox();
}

void CC_FilterBoxCommand(unsigned notification) {
    if (notification != CBN_SELCHANGE || !MainWindows.hCategoryCombo)
        return;
    LRESULT pos = SendMessageA(MainWindows.hCategoryCombo, CB_GETCURSEL, 0, 0);
    if (pos >= 0 && CC_PickFilterEntry(static_cast<uint32_t>(pos)))
        UI_RebuildTree(); // the pane is reset first
}
