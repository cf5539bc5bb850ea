#include "ui/pending_windows.h"

#include <shellapi.h>

LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        ShowWindow(hWnd, SW_HIDE); // the drop window lives as long as the main window
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        ShowWindow(hWnd, SW_HIDE);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void OW_CreateFolderDialog() {}
void KW_CreateCardDialog() {}
void OW_FolderOrderDialog() {}
int SW_SaveForPda() { return -1; }
void TW_FolderTemplateDialog() {}
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
