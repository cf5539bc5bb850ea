#include "ui/search_window.h"

#include "ui/ids_main.h"
#include "ui/statusbar.h"

LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        hSearchWnd = hWnd;
        hSearchStatusWnd = SB_CreateBar(hWnd, IDC_SEARCHSTATUS);
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
