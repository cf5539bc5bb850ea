#include "ui/pending_windows.h"

#include "ui/statusbar.h"

#include <commctrl.h>
#include <shellapi.h>

static HWND MakeStatusBar(HWND owner, int id) {
    return CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS | CCS_BOTTOM,
                           0, 0, 0, 0, owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), hInst, nullptr);
}

// Both windows so far: a status bar kept at the bottom; closing only hides them,
// they live as long as the main window.
LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        hDropWnd = hWnd;
        hDropStatusWnd = MakeStatusBar(hWnd, SB_DROP_ID);
        SB_LayoutDrop();
        return 0;
    case WM_SIZE:
        if (hDropStatusWnd)
            SendMessageA(hDropStatusWnd, WM_SIZE, 0, 0);
        SB_LayoutDrop();
        return 0;
    case WM_CLOSE: ShowWindow(hWnd, SW_HIDE); return 0;
    case WM_DESTROY: hDropStatusWnd = nullptr; return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        hSearchWnd = hWnd;
        hSearchStatusWnd = MakeStatusBar(hWnd, SB_SEARCH_ID);
        SB_LayoutSearch();
        return 0;
    case WM_SIZE:
        if (hSearchStatusWnd)
            SendMessageA(hSearchStatusWnd, WM_SIZE, 0, 0);
        SB_LayoutSearch();
        return 0;
    case WM_CLOSE: ShowWindow(hWnd, SW_HIDE); return 0;
    case WM_DESTROY: hSearchStatusWnd = nullptr; return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

void OW_CreateFolderDialog() {}
void KW_CreateCardDialog() {}
void OW_FolderOrderDialog() {}
int SW_SaveForPda() { return -1; }
// Until their dialogs are built they close as soon as they open.
static INT_PTR CancelAtOnce(HWND hDlg, UINT msg) {
    if (msg != WM_INITDIALOG)
        return FALSE;
    EndDialog(hDlg, IDCANCEL);
    return TRUE;
}
INT_PTR CALLBACK TW_FolderTemplatesDlgProc(HWND hDlg, UINT msg, WPARAM, LPARAM) { return CancelAtOnce(hDlg, msg); }
INT_PTR CALLBACK IC_IconListDlgProc(HWND hDlg, UINT msg, WPARAM, LPARAM) { return CancelAtOnce(hDlg, msg); }
INT_PTR CALLBACK TW_TemplateSettingsDlgProc(HWND hDlg, UINT msg, WPARAM, LPARAM) { return CancelAtOnce(hDlg, msg); }
void CC_CategoryDialog() {}
void OP_OptionsSheet() {}
void UP_StartUpdate() {}
void QW_EnterQuickWindow() {}
void SE_SearchDialog() {}
void DW_DropFiles(HDROP drop) { DragFinish(drop); }

void TR_HideToTray() {
    if (hWndMain)
        ShowWindow(hWndMain, SW_MINIMIZE);
}

void TR_TrayNotify(WPARAM, LPARAM) {}
