// The floor of the program timer: the least a Win32 program does, one window
// shown until it is closed.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
} // namespace

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int show) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = hInst;
    wc.lpszClassName = "orvFloor";
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    if (!RegisterClassA(&wc))
        return 1;
    HWND hWnd = CreateWindowA("orvFloor", "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                              nullptr, nullptr, hInst, nullptr);
    if (!hWnd)
        return 1;
    ShowWindow(hWnd, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
