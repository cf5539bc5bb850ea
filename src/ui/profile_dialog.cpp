#include "ui/profile_dialog.h"

#include "model/desktop_profiles.h"
#include "tools/desktop_dialog.h"
#include "ui/dialog_util.h"
#include "ui/ids_desktop.h"

#include <commctrl.h>

namespace {
// The dialog's state: the request it answers and the row last clicked.
struct ProfileState {
    DT_PROFILEREQUEST request;
    int row;         // -1 while no row is chosen
    uint32_t chosen; // its profile id
};

void AddColumns(HWND list) {
    RECT rc = {};
    GetClientRect(list, &rc);
    int widths[DT_PROFILE_COLUMNS];
    DT_ProfileColumnWidths(rc.right, widths);
    for (int i = 0; i < DT_PROFILE_COLUMNS; ++i) {
        LVCOLUMNA c = {};
        c.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.fmt = LVCFMT_LEFT;
        c.cx = widths[i];
        c.pszText = const_cast<char *>(DT_ProfileColumnTitles[i]);
        c.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    }
}

void SetSubItem(HWND list, int item, int sub, const char *text) {
    LVITEMA it = {};
    it.iSubItem = sub;
    it.pszText = const_cast<char *>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

// Each profile goes in at the top, so the one stored last comes first.
void FillList(HWND list) {
    for (const DTOPHEADER *h : DT_Profiles()) {
        DT_PROFILEROW row;
        DT_ProfileRow(h, &row);
        LVITEMA it = {};
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = 0;
        it.pszText = row.szName;
        it.lParam = static_cast<LPARAM>(row.nProfilIndex);
        int item = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
        SetSubItem(list, item, 1, row.szCreated);
        SetSubItem(list, item, 2, row.szComputer);
        SetSubItem(list, item, 3, row.szWidth);
        SetSubItem(list, item, 4, row.szHeight);
    }
}

// A click on a row chooses its profile: its name goes into the field.
void RowClicked(HWND hDlg, ProfileState *st, int row) {
    if (row < 0)
        return;
    HWND list = GetDlgItem(hDlg, IDC_DT_LIST);
    char name[sizeof DT_PROFILEROW{}.szName] = {};
    LVITEMA it = {};
    it.mask = LVIF_TEXT | LVIF_PARAM;
    it.iItem = row;
    it.pszText = name;
    it.cchTextMax = sizeof name;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)))
        return;
    st->row = row;
    st->chosen = static_cast<uint32_t>(it.lParam);
    SetDlgItemTextA(hDlg, IDC_DT_NAME, name);
    EnableWindow(GetDlgItem(hDlg, IDC_DT_DELETE), TRUE);
}

void DeleteChosen(HWND hDlg, ProfileState *st) {
    if (st->row < 0 || !DT_ProfileDialogDelete(st->chosen))
        return;
    EnableWindow(GetDlgItem(hDlg, IDC_DT_DELETE), FALSE);
    SendDlgItemMessageA(hDlg, IDC_DT_LIST, LVM_DELETEITEM, static_cast<WPARAM>(st->row), 0);
    SetDlgItemTextA(hDlg, IDC_DT_NAME, "");
    st->row = -1;
}

INT_PTR CALLBACK ProfileProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    ProfileState *st = reinterpret_cast<ProfileState *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        st = reinterpret_cast<ProfileState *>(lParam);
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        SetWindowTextA(hDlg, DT_ProfileDialogTitle(st->request.nMode));
        DU_CentreOnOwner(hDlg);
        HWND list = GetDlgItem(hDlg, IDC_DT_LIST);
        AddColumns(list);
        FillList(list);
        if (st->request.nMode == DT_MODE_SAVE) {
            SendDlgItemMessageA(hDlg, IDC_DT_NAME, EM_LIMITTEXT, DT_NAME_EDIT_LIMIT, 0);
            DU_Focus(hDlg, IDC_DT_NAME);
            return FALSE;
        }
        SendDlgItemMessageA(hDlg, IDC_DT_NAME, EM_SETREADONLY, TRUE, 0);
        return TRUE;
    }
    case WM_NOTIFY: {
        const NMHDR *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (st && hdr->idFrom == IDC_DT_LIST && hdr->code == NM_CLICK)
            RowClicked(hDlg, st, reinterpret_cast<const NMITEMACTIVATE *>(lParam)->iItem);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DT_DELETE: DeleteChosen(hDlg, st); return TRUE;
        case IDOK: {
            char name[DT_NAME_MAX + 1] = {};
            GetDlgItemTextA(hDlg, IDC_DT_NAME, name, sizeof name);
            // -1: a question was answered No, or there is no name; the dialog stays.
            if (DT_ProfileDialogOk(&st->request, name) == 0)
                EndDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            DT_ProfileDialogCancel(&st->request);
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

class ProfileDialog : public ProfileView {
  public:
    int Choose(uint32_t mode, uint32_t *profileId) override {
        ProfileState st = {{mode, 0, DT_RESULT_CANCEL}, -1, 0};
        if (DU_RunDialog(IDD_DTPROFILE, ProfileProc, reinterpret_cast<LPARAM>(&st)) != IDOK ||
            st.request.nResult != DT_RESULT_OK)
            return -1;
        *profileId = st.request.nProfilId;
        return 0;
    }
};
ProfileDialog g_dialog;
} // namespace

ProfileView *PD_View() { return &g_dialog; }
