#include "ui/quick_window.h"

#include "config/settings.h"
#include "tools/quick_window.h"
#include "tools/timeout.h"
#include "ui/dpi.h"
#include "ui/ids_tray.h"
#include "ui/skins.h"
#include "ui/tree_view.h"

namespace {
// What entering changed, put back by leaving.
struct Saved {
    RECT rect;
    LONG_PTR style;
    HMENU menu;
    int toolbarHeight;
    int32_t iconSize;
};
Saved saved = {};

struct Button {
    HWND hWnd;
    WNDPROC previous;
};
Button buttons[3] = {};

HINSTANCE Image() { return hInst ? hInst : GetModuleHandleA(nullptr); }

void Place(const WL_BOX &b) { MoveWindow(MainWindows.hWndMain, b.x, b.y, b.w, b.h, TRUE); }

void DestroyButtons() {
    for (Button &b : buttons) {
        if (b.hWnd)
            DestroyWindow(b.hWnd);
        b = {};
    }
}

LRESULT CALLBACK ButtonProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(hWnd);
    WNDPROC previous = nullptr;
    for (const Button &b : buttons)
        if (b.hWnd == hWnd)
            previous = b.previous;
    if (msg == WM_LBUTTONDOWN) {
        switch (id) {
        case IDC_QW_BACK:
            MainModes.bQuickWindowMode = FALSE;
            QW_Leave();
            TV_FillTree();
            DestroyButtons(); // this one too: nothing of it is touched after
            return 0;
        case IDC_QW_MINIMIZE:
            UI_KillTimer(QW_TIMER_SHRINK);
            SendMessageA(MainWindows.hWndMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        case IDC_QW_CLOSE: SendMessageA(MainWindows.hWndMain, WM_CLOSE, 0, 0); return 0;
        default: break;
        }
    }
    return previous ? CallWindowProcA(previous, hWnd, msg, wParam, lParam) : DefWindowProcA(hWnd, msg, wParam, lParam);
}

void MakeButton(int slot, int id, const char *text, unsigned icon, int x, int w, int h) {
    HWND b =
        CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | (icon ? BS_ICON : 0), x, 0, w, h,
                        MainWindows.hStatusWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), hInst, nullptr);
    if (!b)
        return;
    if (icon) {
        const int size = DP_ImageSize(MainWindows.hWndMain, 16);
        HANDLE picture = LoadImageA(Image(), MAKEINTRESOURCEA(icon), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageA(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
    }
    buttons[slot].hWnd = b;
    buttons[slot].previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(b, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc)));
}
} // namespace

void QW_Enter() {
    HWND hWnd = MainWindows.hWndMain;
    if (!hWnd || MainModes.bQuickWindowMode)
        return;
    MainModes.bQuickWindowMode = TRUE;
    SK_RemoveWindowSkin(hWnd);
    if (MainWindows.hToolbar)
        ShowWindow(MainWindows.hToolbar, SW_HIDE);
    saved.toolbarHeight = MainWindows.nToolbarHeight;
    MainWindows.nToolbarHeight = 0;

    saved.style = GetWindowLongPtrA(hWnd, GWL_STYLE);
    SetWindowLongPtrA(hWnd, GWL_STYLE,
                      saved.style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                                           WS_MAXIMIZEBOX));
    saved.menu = GetMenu(hWnd);
    SetMenu(hWnd, nullptr);

    GetWindowRect(hWnd, &saved.rect);
    int32_t taskbarTop = 0;
    if (HWND taskbar = FindWindowA("Shell_traywnd", nullptr)) {
        RECT tb;
        if (GetWindowRect(taskbar, &tb))
            taskbarTop = tb.top;
    }
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Place(QW_StripBox(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), taskbarTop, DP_WindowDpi(hWnd)));

    RECT bar = {};
    if (MainWindows.hStatusWnd)
        GetClientRect(MainWindows.hStatusWnd, &bar);
    const int s75 = DP_Scale(hWnd, 75), s112 = DP_Scale(hWnd, 112);
    MakeButton(0, IDC_QW_BACK, "back", 0, 0, s75, bar.bottom);
    MakeButton(1, IDC_QW_MINIMIZE, "", IDI_QW_MINIMIZE, s75, s112 - s75, bar.bottom);
    MakeButton(2, IDC_QW_CLOSE, "", IDI_QW_CLOSE, s112, DP_Scale(hWnd, 150) - s112, bar.bottom);

    saved.iconSize = Settings.IconSize;
    Settings.IconSize = 16;
    TV_FillTree();
    QW_SetTimer(T_Seconds2Ms(Settings.QWMinimizeTime));
}

void QW_Leave() {
    HWND hWnd = MainWindows.hWndMain;
    QW_Reset();
    if (!hWnd)
        return;
    SetWindowLongPtrA(hWnd, GWL_STYLE, saved.style);
    SK_SetWindowSkin(hWnd, SK_MAIN_SKIN);
    SetMenu(hWnd, saved.menu);
    MainWindows.nToolbarHeight = saved.toolbarHeight;
    if (MainWindows.hToolbar)
        ShowWindow(MainWindows.hToolbar, SW_SHOW);
    const RECT &r = saved.rect;
    // The new size lays the panes out again, with the toolbar's height back.
    SetWindowPos(hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_FRAMECHANGED);
    Settings.IconSize = saved.iconSize;
}

void QW_ShrinkTimer() {
    RECT r = {};
    if (MainWindows.hWndMain)
        GetWindowRect(MainWindows.hWndMain, &r);
    const UI_RECT strip = {r.left, r.top, r.right, r.bottom};
    WL_BOX steps[QW_SHRINK_STEPS];
    const int n = QW_ShrinkSteps(&strip, DP_WindowDpi(MainWindows.hWndMain), steps);
    for (int i = 0; i < n; ++i) {
        Place(steps[i]);
        UpdateWindow(MainWindows.hWndMain);
        Sleep(QW_STEP_PAUSE_MS);
    }
}

void QW_Regrow() {
    WL_BOX full;
    if (MainModes.bQuickWindowMode && MainWindows.hWndMain && QW_RegrowBox(&full))
        Place(full);
}

void QW_WindowGone() {
    MainModes.bQuickWindowMode = FALSE;
    QW_Reset();
    for (Button &b : buttons)
        b = {}; // they went with the status bar
}
