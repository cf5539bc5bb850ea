#include "ui/drop_window.h"

#include "ui/ids_main.h"
#include "ui/statusbar.h"

LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        hDropWnd = hWnd;
        hDropStatusWnd = SB_CreateBar(hWnd, IDC_DROPSTATUS);
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
