#include "ui/mainwnd.h"

#include "frame/logs.h"

void MA_ResetRightPane() {}
void MA_ApplyToolbarState() {}
void MA_SafeEvent(UI_SAFE_EVENT, const char *) {}
void MA_EnableCommand(unsigned, int) {}
int MA_GetSplitPosition() { return 0; }
int MA_WindowRect(UI_WINDOW, UI_RECT *) { return -1; }
void MA_ToolbarDisplayMode() {}
void MA_ToolbarChangeMode() {}
void MA_ToolbarNoCard() {}

LRESULT CALLBACK MA_MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            ML_WriteLog("MAIN", "Shutdown message received", 0);
            DestroyWindow(hWnd);
        }
        return 0;
    case WM_DESTROY:
        hWndMain = nullptr;
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

BOOL MA_InitInstance(HINSTANCE hInstance, int nCmdShow) {
    hInst = hInstance;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MA_MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(107));
    if (!wc.hIcon)
        wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = MAIN_CLASS_NAME;
    if (!RegisterClassExA(&wc))
        return FALSE;
    hWndMain = CreateWindowExA(0, MAIN_CLASS_NAME, MAIN_WINDOW_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, 760, 520, nullptr, nullptr, hInstance, nullptr);
    if (!hWndMain)
        return FALSE;
    ShowWindow(hWndMain, nCmdShow);
    UpdateWindow(hWndMain);
    return TRUE;
}
