#include "ui/progress_window.h"

#include "ui/ids_drop.h"

#include <commctrl.h>

static HWND hProgressWnd = nullptr; // null while none is open

BOOL PW_IsOpen() { return hProgressWnd != nullptr; }

namespace {
INT_PTR CALLBACK ProgressProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }
} // namespace

void PW_Open(const char *text) {
    if (!hProgressWnd) {
        hProgressWnd = CreateDialogParamA(hInst ? hInst : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS),
                                          nullptr, ProgressProc, 0);
        if (!hProgressWnd)
            return; // the work goes on without a bar
        SetWindowPos(hProgressWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (MainWindows.hWndMain)
            ShowWindow(MainWindows.hWndMain, SW_HIDE);
    }
    PW_Text(text);
    PW_Pump();
}

void PW_Range(int max) {
    if (!hProgressWnd)
        return;
    HWND bar = GetDlgItem(hProgressWnd, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETRANGE32, 0, max);
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    UpdateWindow(hProgressWnd);
}

void PW_Step() {
    if (!hProgressWnd)
        return;
    SendDlgItemMessageA(hProgressWnd, IDC_PROGRESS_BAR, PBM_STEPIT, 0, 0);
    PW_Pump();
}

void PW_Text(const char *text) {
    if (!hProgressWnd)
        return;
    SetDlgItemTextA(hProgressWnd, IDC_PROGRESS_TEXT, text ? text : "");
    UpdateWindow(hProgressWnd);
}

void PW_Close() {
    if (hProgressWnd)
        DestroyWindow(hProgressWnd);
    hProgressWnd = nullptr;
}

void PW_Pump() {
    MSG msg;
    // The filter takes the window's children too: the bar and the text repaint.
    while (hProgressWnd && PeekMessageA(&msg, hProgressWnd, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
