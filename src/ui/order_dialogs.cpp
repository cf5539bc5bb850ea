// "Change folder order" and "Change card order": the folders, or the cards of
// one folder, with their icons; "up" and "down" move the selected line.
#include "frame/logs.h"
#include "model/card_order.h"
#include "model/folder_order.h"
#include "ui/dialog_util.h"
#include "ui/dpi.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

static_assert(IDC_OW_ORDERLIST == OW_ID_ORDERLIST && IDC_OW_UP == OW_ID_UP && IDC_OW_DOWN == OW_ID_DOWN &&
                  IDC_CW_ORDERLIST == CW_ID_ORDERLIST && IDC_CW_UP == CW_ID_UP && IDC_CW_DOWN == CW_ID_DOWN,
              "the order dialogs carry the controls their logic names");

namespace {
// What tells the two dialogs apart: their controls, their log code and the core's array.
struct FolderOrder {
    OW_ORDERLIST list;
    static constexpr int kList = IDC_OW_ORDERLIST, kUp = IDC_OW_UP, kDown = IDC_OW_DOWN;
    static constexpr const char *kCode = "OW06";
    uint32_t Count() const { return list.nCount; }
    const char *Name(uint32_t i) const { return list.lpOrdner[i].cOrdnerName; }
    const char *Icon(uint32_t i) const { return list.lpOrdner[i].cIconName; }
    int CanUp(int line) const { return OW_OrderCanUp(&list, line); }
    int CanDown(int line) const { return OW_OrderCanDown(&list, line); }
    int Up(int line) { return OW_OrderUp(&list, line); }
    int Down(int line) { return OW_OrderDown(&list, line); }
    void Ok() { OW_OrderOk(&list); }
    void Cancel() { OW_OrderCancel(&list); }
};

struct CardOrder {
    CW_ORDERLIST list;
    static constexpr int kList = IDC_CW_ORDERLIST, kUp = IDC_CW_UP, kDown = IDC_CW_DOWN;
    static constexpr const char *kCode = "CA07";
    uint32_t Count() const { return list.nCount; }
    const char *Name(uint32_t i) const { return list.lpKarten[i].cKartenName; }
    const char *Icon(uint32_t i) const { return list.lpKarten[i].cIconName; }
    int CanUp(int line) const { return CW_OrderCanUp(&list, line); }
    int CanDown(int line) const { return CW_OrderCanDown(&list, line); }
    int Up(int line) { return CW_OrderUp(&list, line); }
    int Down(int line) { return CW_OrderDown(&list, line); }
    void Ok() { CW_OrderOk(&list); }
    void Cancel() { CW_OrderCancel(&list); }
};

template <typename O> void ShowButtons(HWND hDlg, const O *o) {
    int line = FL_Selected(GetDlgItem(hDlg, O::kList));
    EnableWindow(GetDlgItem(hDlg, O::kUp), line >= 0 && o->CanUp(line));
    EnableWindow(GetDlgItem(hDlg, O::kDown), line >= 0 && o->CanDown(line));
}

template <typename O> void Fill(HWND hDlg, const O *o, int select) {
    HWND list = GetDlgItem(hDlg, O::kList);
    bool images = ListView_GetImageList(list, LVSIL_SMALL) != nullptr;
    ListView_DeleteAllItems(list);
    for (uint32_t i = 0; i < o->Count(); ++i)
        FL_AddRow(list, o->Name(i), images ? FL_IconPosition(o->Icon(i)) : -1, static_cast<LPARAM>(i));
    FL_Select(list, select);
    ShowButtons(hDlg, o);
}

template <typename O> void Init(HWND hDlg, O *o) {
    DU_CentreOnOwner(hDlg);
    HWND list = GetDlgItem(hDlg, O::kList);
    if (HIMAGELIST images = FL_IconImages(DP_ImageSize(hDlg, 16)))
        ListView_SetImageList(list, images, LVSIL_SMALL);
    else
        ML_WriteLog(O::kCode, "error initlist (icons)", 0); // shown without icons
    Fill(hDlg, o, -1);
    DU_Focus(hDlg, O::kList);
}

template <typename O> INT_PTR CALLBACK OrderProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    O *o = reinterpret_cast<O *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        Init(hDlg, reinterpret_cast<O *>(lParam));
        return FALSE;
    case WM_NOTIFY:
        if (o && reinterpret_cast<const NMHDR *>(lParam)->idFrom == static_cast<UINT_PTR>(O::kList) &&
            reinterpret_cast<const NMHDR *>(lParam)->code == LVN_ITEMCHANGED)
            ShowButtons(hDlg, o);
        break;
    case WM_COMMAND: {
        if (!o)
            break;
        const int id = LOWORD(wParam);
        const int line = FL_Selected(GetDlgItem(hDlg, O::kList));
        if (id == O::kUp || id == O::kDown) {
            if (line >= 0)
                Fill(hDlg, o, id == O::kUp ? o->Up(line) : o->Down(line));
            DU_Focus(hDlg, O::kList);
            return TRUE;
        }
        if (id == IDOK || id == IDCANCEL) {
            if (id == IDOK)
                o->Ok();
            else
                o->Cancel();
            EndDialog(hDlg, id);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

template <typename O> void Run(int dialog, O *o) {
    if (DU_RunSafeDialog(dialog, OrderProc<O>, reinterpret_cast<LPARAM>(o)) < 0)
        o->Cancel(); // never shown: the array is let go
}
} // namespace

void OWChgOrdnerOrder() {
    FolderOrder o = {};
    if (OW_OrderBegin(&o.list) != 0)
        return; // the command is greyed below two folders
    Run(IDD_FOLDERORDER, &o);
}

void OWChgCardOrder() {
    CardOrder o = {};
    DLG_ANSWER a = CW_OrderBegin(&o.list, reinterpret_cast<TREEHANDLE>(TV_GetSelection()));
    if (a.nAction != DLG_NEXT) {
        if (a.lpText) // a folder without cards
            UI_MessageBox(a.lpText, a.lpCaption, a.nStyle);
        return;
    }
    Run(IDD_CARDORDER, &o);
}
