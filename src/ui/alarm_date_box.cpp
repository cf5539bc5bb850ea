#include "ui/alarm_date_box.h"

#include "tools/alarm_date_dialog.h"
#include "ui/dialog_util.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

namespace {
const struct {
    int id;
    AW_LIST list;
} kLists[] = {{IDC_AD_DAY, AW_LIST_DAY}, {IDC_AD_MONTH, AW_LIST_MONTH}, {IDC_AD_YEAR, AW_LIST_YEAR}};

int Chosen(HWND hDlg, int id, AW_LIST list) {
    int pos = static_cast<int>(SendDlgItemMessageA(hDlg, id, CB_GETCURSEL, 0, 0));
    return pos < 0 ? 0 : AW_DateListValue(list, pos);
}

INT_PTR CALLBACK AlarmDateProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    uint32_t field = static_cast<uint32_t>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        field = static_cast<uint32_t>(lParam);
        DU_CentreOnOwner(hDlg);
        AW_DATESEL sel = {};
        AW_AlarmDateInit(ListState.nLVCardId, field, &sel);
        const int values[] = {sel.day, sel.month, sel.year};
        for (int i = 0; i < 3; ++i) {
            for (int p = 0; p < AW_DateListCount(kLists[i].list); ++p) {
                char text[8];
                AW_DateListText(kLists[i].list, p, text);
                SendDlgItemMessageA(hDlg, kLists[i].id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            }
            SendDlgItemMessageA(hDlg, kLists[i].id, CB_SETCURSEL,
                                static_cast<WPARAM>(AW_DateListPosition(kLists[i].list, values[i])), 0);
        }
        DU_Focus(hDlg, IDCANCEL);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            // The box was opened over a field of this card, so there is one to store into.
            (void)AW_AlarmDateOk(ListState.nLVCardId, field, Chosen(hDlg, IDC_AD_DAY, AW_LIST_DAY),
                                 Chosen(hDlg, IDC_AD_MONTH, AW_LIST_MONTH), Chosen(hDlg, IDC_AD_YEAR, AW_LIST_YEAR),
                                 reinterpret_cast<TREEHANDLE>(ListState.hLVCardItem));
            EndDialog(hDlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, IDCANCEL);
            AW_AlarmDateCancel(field);
            return TRUE;
        }
        break;
    default: break;
    }
    return FALSE;
}
} // namespace

void AW_AlarmDateDialog(uint32_t nFeldIndex) {
    DU_RunSafeDialog(IDD_ALARMDATE, AlarmDateProc, static_cast<LPARAM>(nFeldIndex));
}
