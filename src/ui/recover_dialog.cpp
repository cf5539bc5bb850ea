#include "ui/recover_dialog.h"

#include "ui/dialog_util.h"
#include "ui/ids_drop.h"

#include <commctrl.h>

#include <cstring>

namespace {
const uint32_t kNameRead = 261; // the chosen name, read back from the dialog

void AddColumn(HWND list, int index, const char *title, int fmt, int width) {
    LVCOLUMNA c = {};
    c.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.fmt = fmt;
    c.cx = width;
    c.pszText = const_cast<char *>(title);
    c.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
}

void SetSubItem(HWND list, int item, int sub, const char *text) {
    LVITEMA it = {};
    it.iSubItem = sub;
    it.pszText = const_cast<char *>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

int AddItem(HWND list, int at, const char *text, LPARAM param) {
    LVITEMA it = {};
    it.mask = LVIF_TEXT | LVIF_PARAM;
    it.iItem = at;
    it.pszText = const_cast<char *>(text);
    it.lParam = param;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
}

// The columns share the width by tenths; the backups come oldest first from the core.
void FillList(HWND hDlg) {
    HWND list = GetDlgItem(hDlg, IDC_RECOVER_LIST);
    RECT rc = {};
    GetClientRect(list, &rc);
    const int tenth = rc.right / 10;
    AddColumn(list, 0, "File", LVCFMT_LEFT, tenth * 4);
    AddColumn(list, 1, "Date (year.month.day)", LVCFMT_CENTER, tenth * 3);
    AddColumn(list, 2, "Time (hour:min:sec)", LVCFMT_CENTER, tenth * 3);
    if (BW_RecoverDialogOpen() == 0) {
        AddItem(list, 0, BW_NO_BACKUPS_TEXT, 0);
        return;
    }
    int at = 0;
    for (BW_BACKUPFILE *b = BackupList.lpBWRECOVERstart; b; b = b->next, ++at) {
        int item = AddItem(list, at, b->cFileName, reinterpret_cast<LPARAM>(b));
        char date[11], time[9];
        BW_FormatBackupTime(b->ftLastWriteTime, date, time);
        SetSubItem(list, item, 1, date);
        SetSubItem(list, item, 2, time);
    }
}

// A click chooses the first selected backup; the line saying there are none
// names nothing to choose.
void Choose(HWND hDlg) {
    HWND list = GetDlgItem(hDlg, IDC_RECOVER_LIST);
    int item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
    if (item < 0 || !BackupList.lpBWRECOVERstart)
        return;
    char text[kNameRead] = {};
    LVITEMA it = {};
    it.pszText = text;
    it.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
    char chosen[kNameRead];
    if (BW_RecoverDialogClick(text, chosen, sizeof chosen) != 0)
        return;
    SetDlgItemTextA(hDlg, IDC_RECOVER_NAME, chosen);
    EnableWindow(GetDlgItem(hDlg, IDOK), TRUE);
}

INT_PTR CALLBACK RecoverProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        DU_CentreOnOwner(hDlg);
        EnableWindow(GetDlgItem(hDlg, IDOK), FALSE);
        FillList(hDlg);
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (hdr->idFrom == IDC_RECOVER_LIST && hdr->code == NM_CLICK)
            Choose(hDlg);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char name[kNameRead] = {};
            GetDlgItemTextA(hDlg, IDC_RECOVER_NAME, name, sizeof name);
            // -1: the question was cancelled and the dialog stays.
            if (BW_RecoverDialogOk(name) == 0)
                EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

class RecoverDialog : public RecoverView {
  public:
    // Whatever else ends the dialog counts as Cancel: the safe the command
    // closed is opened again, after the dialog is gone.
    void Run() override {
        if (DU_RunDialog(IDD_RECOVER, RecoverProc, 0) != IDOK)
            BW_RecoverDialogCancel();
    }
};
RecoverDialog g_dialog;
} // namespace

RecoverView *RD_View() { return &g_dialog; }
