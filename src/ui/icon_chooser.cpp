// "List of icons": every user icon at 24 pixels with its name.
#include "frame/logs.h"
#include "ui/dialog_util.h"
#include "ui/dpi.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/icon_list.h"
#include "ui/resource.h"

#include <cstdio>

namespace {
struct IconChoice {
    char *icon;
    unsigned size;
};

void Init(HWND hDlg) {
    DU_CentreOnOwner(hDlg);
    HWND list = GetDlgItem(hDlg, IDC_IL_LIST);
    HIMAGELIST images = FL_IconImages(DP_ImageSize(hDlg, 24));
    if (!images)
        ML_WriteLog("TW02", "error initlist (icons)", 0);
    else
        ListView_SetImageList(list, images, LVSIL_NORMAL); // the list view destroys it
    int i = 0;
    for (ICONREC *r = IconList.lpICONstart; r; r = r->next, ++i)
        FL_AddRow(list, r->name, images ? i : -1, i);
    DU_Focus(hDlg, IDC_IL_LIST);
}

// The item activated (or selected at OK) becomes the choice.
void Take(HWND hDlg) {
    HWND list = GetDlgItem(hDlg, IDC_IL_LIST);
    int row = FL_Selected(list);
    if (row < 0)
        return;
    auto *choice = reinterpret_cast<IconChoice *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    char name[MAX_PATH];
    FL_RowText(list, row, name, sizeof name);
    snprintf(choice->icon, choice->size, "%s", name);
    EndDialog(hDlg, IDOK);
}

INT_PTR CALLBACK IconListProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        Init(hDlg);
        return FALSE; // the focus is set
    case WM_NOTIFY: {
        const auto *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (hdr->idFrom == IDC_IL_LIST && hdr->code == LVN_ITEMACTIVATE)
            Take(hDlg);
        break;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: Take(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}
} // namespace

int DL_IconList(char *icon, unsigned size) {
    IconChoice choice = {icon, size};
    return DU_RunDialog(IDD_ICONLIST, IconListProc, reinterpret_cast<LPARAM>(&choice)) == IDOK ? IDOK : IDCANCEL;
}
