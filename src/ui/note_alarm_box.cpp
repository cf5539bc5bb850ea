#include "ui/note_alarm_box.h"

#include "tools/note_alarm_dialog.h"
#include "ui/dialog_util.h"
#include "ui/ids_notes.h"

#include <cstdio>

namespace {
const int kListIds[NW_ALARM_LISTS] = {IDC_NA_DAY, IDC_NA_MONTH, IDC_NA_YEAR, IDC_NA_HOUR, IDC_NA_MINUTE};

struct AlarmBox {
    NW_ALARMDIALOG dlg;
    NW_ALARMREQUEST *request;
};

void FillLists(HWND hDlg, const NW_ALARMDIALOG *dlg) {
    for (int list = 0; list < NW_ALARM_LISTS; ++list) {
        int first, last;
        NW_AlarmListRange(dlg, list, &first, &last);
        for (int v = first; v <= last; ++v) {
            char text[8];
            snprintf(text, sizeof text, "%02d", v);
            SendDlgItemMessageA(hDlg, kListIds[list], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
}

// The controls as the state has them.
void Show(HWND hDlg, const NW_ALARMDIALOG *dlg) {
    for (int list = 0; list < NW_ALARM_LISTS; ++list) {
        int first, last;
        NW_AlarmListRange(dlg, list, &first, &last);
        int v = dlg->nSelected[list];
        SendDlgItemMessageA(hDlg, kListIds[list], CB_SETCURSEL, static_cast<WPARAM>(v < 0 ? -1 : v - first), 0);
    }
    CheckDlgButton(hDlg, IDC_NA_AM, dlg->bAM ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hDlg, IDC_NA_PM, dlg->bPM ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hDlg, IDC_NA_OFF, dlg->bAlarmOff ? BST_CHECKED : BST_UNCHECKED);
    const BOOL on = NW_AlarmInputsEnabled(dlg) != 0;
    for (int id : kListIds)
        EnableWindow(GetDlgItem(hDlg, id), on);
    EnableWindow(GetDlgItem(hDlg, IDC_NA_AM), on);
    EnableWindow(GetDlgItem(hDlg, IDC_NA_PM), on);
}

// A list's choice as its item value.
void Selected(HWND hDlg, NW_ALARMDIALOG *dlg, int list) {
    int first, last;
    NW_AlarmListRange(dlg, list, &first, &last);
    int pos = static_cast<int>(SendDlgItemMessageA(hDlg, kListIds[list], CB_GETCURSEL, 0, 0));
    NW_AlarmDialogSelect(dlg, list, pos < 0 ? -1 : first + pos);
}

INT_PTR CALLBACK AlarmProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    AlarmBox *box = reinterpret_cast<AlarmBox *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        box = reinterpret_cast<AlarmBox *>(lParam);
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        DU_CentreOnOwner(hDlg);
        NW_AlarmDialogOpen(&box->dlg, box->request);
        FillLists(hDlg, &box->dlg);
        Show(hDlg, &box->dlg);
        return TRUE;
    case WM_COMMAND: {
        if (!box)
            return FALSE;
        const int id = LOWORD(wParam);
        const BOOL checked = IsDlgButtonChecked(hDlg, id) == BST_CHECKED;
        switch (id) {
        case IDOK:
            NW_AlarmDialogOk(&box->dlg, box->request);
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            NW_AlarmDialogCancel(box->request);
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_NA_AM: NW_AlarmDialogSetAM(&box->dlg, checked); break;
        case IDC_NA_PM: NW_AlarmDialogSetPM(&box->dlg, checked); break;
        case IDC_NA_OFF: NW_AlarmDialogSetAlarmOff(&box->dlg, checked); break;
        default:
            if (HIWORD(wParam) != CBN_SELCHANGE)
                return FALSE;
            for (int list = 0; list < NW_ALARM_LISTS; ++list)
                if (kListIds[list] == id)
                    Selected(hDlg, &box->dlg, list);
            break;
        }
        Show(hDlg, &box->dlg);
        return TRUE;
    }
    default: return FALSE;
    }
}
} // namespace

void NT_AlarmDialog(HWND note, NW_ALARMREQUEST *request) {
    AlarmBox box = {};
    box.request = request;
    if (DU_RunDialogOwned(IDD_NOTEALARM, note, AlarmProc, reinterpret_cast<LPARAM>(&box)) < 0)
        NW_AlarmDialogCancel(request);
}
