#include "ui/uiport_win32.h"

#include "ui/dialog_util.h"
#include "ui/message_routing.h"
#include "ui/progress_window.h"
#include "ui/safe_dialogs.h"

// Owned by the main window; while a dialog is up, by the one on top, so it
// cannot be used again before the message is answered.
int Win32UiPort::ShowMessage(const char *text, const char *caption, unsigned style) {
    return MessageBoxA(DU_Owner(), text ? text : "", caption ? caption : "", style);
}

void Win32UiPort::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

int Win32UiPort::AskPassword(const char *safeName, char *password, unsigned size) {
    return SD_AskPassword(safeName, password, size);
}

bool Win32UiPort::ProgressShown() { return PW_IsOpen() != FALSE; }
void Win32UiPort::ProgressRange(int max) { PW_Range(max); }
void Win32UiPort::ProgressStep() { PW_Step(); }
void Win32UiPort::ProgressText(const char *text) { PW_Text(text); }
void Win32UiPort::ProgressClose() { PW_Close(); }
void Win32UiPort::ProgressOpen(const char *text) { PW_Open(text); }

// Keeps the windows alive during long file work: every waiting message is
// handled, then the wait. While the progress window is open only its own are.
void Win32UiPort::PumpAndWait(uint32_t ms) {
    MSG msg;
    if (PW_IsOpen()) {
        PW_Pump();
        if (ms)
            Sleep(ms);
        return;
    }
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the main loop must still see it
            break;
        }
        MA_RouteMessage(&msg);
    }
    if (ms)
        Sleep(ms);
}

