// The card list's in-place editor: an edit over the content column of one row,
// with a browse button for a program path; Tab and Enter store and go on.
#include "frame/logs.h"
#include "model/card_fields.h"
#include "model/fields.h"
#include "ui/dpi.h"
#include "ui/alarm_date_box.h"
#include "ui/file_dialogs.h"
#include "ui/main_keys.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

#include <commctrl.h>

namespace {
uint32_t nEditType = 0;
uint32_t nEditMax = MAX_FELD_LAENGE;
BOOL bContinue = FALSE;
WNDPROC pfnEditProc = nullptr;

TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

LRESULT CALLBACK EditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | CallWindowProcA(pfnEditProc, hWnd, msg, wParam, lParam);
    case WM_KEYDOWN: {
        KR_KEY key;
        if (!MK_KeyOf(wParam, GetKeyState(VK_SHIFT) < 0, &key))
            break;
        KR_ACTION action = KR_KeyAction(key, KR_IN_EDITOR, 1);
        if (action == KR_STORE_NEXT) {
            bContinue = TRUE;
            SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
            return 0;
        }
        if (action != KR_PASS) {
            MK_Perform(action);
            return 0;
        }
        break;
    }
    case WM_CHAR:
        if (wParam == '\t' || wParam == '\r' || wParam == 0x1B)
            return 0; // handled with the key press
        break;
    default: break;
    }
    return CallWindowProcA(pfnEditProc, hWnd, msg, wParam, lParam);
}

// The row's field index; -1 (logged) when its item cannot be read.
int RowField(int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !ListView_GetItem(MainWindows.hWndRechts, &item)) {
        ML_WriteLogF("M 07", 0, "P-Error: ListView_GetItem (LVIEWnSelected = %d)", row);
        return -1;
    }
    return static_cast<int>(item.lParam);
}

void ShowStored(int row, uint32_t field) {
    char content[MAX_FELD_LAENGE + 1] = {};
    if (FW_GetFeld(ListState.nLVCardId, field, content) != 0)
        content[0] = 0;
    ListView_SetItemText(MainWindows.hWndRechts, row, 1, content);
    SecureZeroMemory(content, sizeof content);
}
} // namespace

void LV_CloseEditor() {
    if (ListState.hLVEdit) {
        // The text it held may be a password.
        SendMessageA(ListState.hLVEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        DestroyWindow(ListState.hLVEdit);
    }
    if (ListState.hLVBrowse)
        DestroyWindow(ListState.hLVBrowse);
    ListState.hLVEdit = ListState.hLVBrowse = nullptr;
}

void LV_BeginEdit() {
    if (!MainWindows.hWndRechts || ListState.nLVEditRow < 0)
        return;
    int field = RowField(ListState.nLVEditRow);
    if (field < 0)
        return;
    CF_FIELD desc = {};
    if (CF_FindField(ListState.nLVCardId, static_cast<uint32_t>(field), &desc) != 0)
        return;
    nEditType = desc.type;
    nEditMax = desc.length && desc.length < MAX_FELD_LAENGE ? desc.length : MAX_FELD_LAENGE;
    if (desc.type == FT_ALARM) {
        AW_AlarmDateDialog(static_cast<uint32_t>(field));
        return;
    }
    LV_CloseEditor();
    RECT rc = {};
    ListView_GetItemRect(MainWindows.hWndRechts, ListState.nLVEditRow, &rc, LVIR_BOUNDS);
    int col0 = ListView_GetColumnWidth(MainWindows.hWndRechts, 0);
    const auto px = [](int px96) { return DP_Scale(MainWindows.hWndRechts, px96); };
    int width = rc.right - col0 - px(10) - (desc.type == FT_PROGRAMM ? px(30) : 0);
    ListState.hLVEdit =
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rc.left + col0 + px(4),
                        rc.top, width, rc.bottom - rc.top, MainWindows.hWndRechts,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LV_EDIT)), hInst, nullptr);
    if (!ListState.hLVEdit)
        return;
    pfnEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(ListState.hLVEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    if (desc.type == FT_PROGRAMM)
        ListState.hLVBrowse =
            CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc.right - px(22), rc.top,
                            px(20), rc.bottom - rc.top, MainWindows.hWndRechts,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LV_BROWSE)), hInst, nullptr);
    char content[MAX_FELD_LAENGE + 1] = {};
    if (FW_GetFeld(ListState.nLVCardId, static_cast<uint32_t>(field), content) != 0)
        content[0] = 0;
    SetWindowTextA(ListState.hLVEdit, content);
    SecureZeroMemory(content, sizeof content);
    SendMessageA(ListState.hLVEdit, EM_LIMITTEXT, nEditMax, 0);
    SendMessageA(ListState.hLVEdit, WM_SETFONT, SendMessageA(MainWindows.hWndRechts, WM_GETFONT, 0, 0), TRUE);
    SetFocus(ListState.hLVEdit);
}

void LV_EndEdit() {
    if (!MainWindows.hWndRechts || ListState.nLVEditRow < 0) {
        bContinue = FALSE;
        return;
    }
    int field = RowField(ListState.nLVEditRow);
    if (field < 0) {
        LV_CloseEditor();
        ListState.nLVEditRow = -1;
        bContinue = FALSE;
        return;
    }
    if (nEditType == FT_ALARM || nEditType == FT_ALARM2) {
        // Nothing typed is stored here; an editor opened over the second alarm
        // kind goes away with the edit like any other.
        LV_CloseEditor();
        ShowStored(ListState.nLVEditRow, static_cast<uint32_t>(field));
    } else if (ListState.hLVEdit) {
        char text[MAX_FELD_LAENGE + 1] = {};
        GetWindowTextA(ListState.hLVEdit, text, static_cast<int>(nEditMax) + 1);
        ListView_SetItemText(MainWindows.hWndRechts, ListState.nLVEditRow, 1, text);
        LV_CloseEditor();
        // The row shows a field of this card, so its content record exists.
        (void)FW_PutFeld(ListState.nLVCardId, static_cast<uint32_t>(field), text, T(ListState.hLVCardItem));
        SecureZeroMemory(text, sizeof text);
    }
    if (!bContinue) {
        ListState.nLVEditRow = -1;
        return;
    }
    bContinue = FALSE;
    int rows = ListView_GetItemCount(MainWindows.hWndRechts);
    ListState.nLVEditRow = rows > 0 ? (ListState.nLVEditRow + 1) % rows : -1;
    LV_BeginEdit();
}

void LV_Browse() {
    if (!ListState.hLVEdit)
        return;
    char path[MAX_PATH] = {};
    GetWindowTextA(ListState.hLVEdit, path, sizeof path);
    if (TR_SelectProgram(MainWindows.hWndRechts, path, "") != 0)
        SetWindowTextA(ListState.hLVEdit, path);
    SetFocus(ListState.hLVEdit);
}
