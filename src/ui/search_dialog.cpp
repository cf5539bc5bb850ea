// The "Search" dialog: the text and the three option boxes; the search and
// what it tells the user are the core's.
#include "model/search_dialog.h"
#include "ui/dialog_util.h"
#include "ui/ids_search.h"
#include "ui/search_window.h"

#include <initializer_list>

namespace {
int Checked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }

INT_PTR CALLBACK SearchProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        DU_CentreOnOwner(hDlg);
        for (int id : {IDC_SE_FOLDERS, IDC_SE_CARDS, IDC_SE_CONTENT})
            CheckDlgButton(hDlg, id, BST_CHECKED);
        SendDlgItemMessageA(hDlg, IDC_SE_TEXT, EM_LIMITTEXT, SE_TEXT_LIMIT, 0);
        DU_Focus(hDlg, IDC_SE_TEXT);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SE_SEARCH:
        case IDOK: {
            char text[SE_TEXT_LIMIT + 1] = {};
            GetDlgItemTextA(hDlg, IDC_SE_TEXT, text, sizeof text);
            if (SE_SearchDialogSearch(text, Checked(hDlg, IDC_SE_FOLDERS), Checked(hDlg, IDC_SE_CARDS),
                                      Checked(hDlg, IDC_SE_CONTENT), nullptr) == SE_DLG_FOCUS_TEXT)
                DU_Focus(hDlg, IDC_SE_TEXT);
            else
                EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}
} // namespace

void SE_ShowSearchDialog() {
    // -1: the dialog could not be shown, and the user sees no search to miss.
    (void)DU_RunDialog(IDD_SEARCH, SearchProc, 0);
}
