#include "ui/uiport_win32.h"

#include "ui/mainwnd.h"

int Win32UiPort::ShowMessage(const char *text, const char *caption, unsigned style) {
    return MessageBoxA(hWndMain, text, caption, style);
}

void Win32UiPort::PostQuit(int exitCode) { PostQuitMessage(exitCode); }
