#include "ui/uiport_win32.h"

#include "ui/dialog_util.h"
#include "ui/mainwnd.h"
#include "ui/safe_dialogs.h"
#include "ui/statusbar.h"
#include "ui/tray.h"
#include "ui/tree_view.h"

// Owned by the main window; while a dialog is up, by the one on top, so it
// cannot be used again before the message is answered.
int Win32UiPort::ShowMessage(const char *text, const char *caption, unsigned style) {
    return MessageBoxA(DU_Owner(), text ? text : "", caption ? caption : "", style);
}

void Win32UiPort::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

int Win32UiPort::WindowRect(UI_WINDOW window, UI_RECT *rect) { return MA_WindowRect(window, rect); }

int Win32UiPort::SplitPosition() { return MA_GetSplitPosition(); }

// The main window's timers; without it (a test, the start) nothing runs.
void Win32UiPort::StartTimer(unsigned id, uint32_t ms) {
    if (hWndMain)
        SetTimer(hWndMain, id, ms, nullptr);
}

void Win32UiPort::StopTimer(unsigned id) {
    if (hWndMain)
        KillTimer(hWndMain, id);
}

void Win32UiPort::HideToTray() { TR_HideToTray(); }

TREEHANDLE Win32UiPort::InsertFieldItem(TREEHANDLE hCard, const char *text) { return TV_InsertFieldItem(hCard, text); }

int Win32UiPort::CardListTextWidth(const char *text) { return LV_TextWidth(text); }

void Win32UiPort::CloseMainWindow() {
    if (hWndMain)
        SendMessageA(hWndMain, WM_CLOSE, 0, 0);
}

void Win32UiPort::RebuildTree() {
    MA_ResetRightPane();
    TV_FillTree();
}

void Win32UiPort::EnableCommand(unsigned id, int enable) { MA_EnableCommand(id, enable); }

void Win32UiPort::FocusMainWindow() {
    if (hWndMain)
        SetForegroundWindow(hWndMain);
}

void Win32UiPort::ResetRightPane() { MA_ResetRightPane(); }

void Win32UiPort::SelectTreeItem(TREEHANDLE item) { TV_SelectItem(item); }

void Win32UiPort::ShowCounts() { SB_ShowCounts(); }

void Win32UiPort::SafeEvent(UI_SAFE_EVENT event, const char *path) { MA_SafeEvent(event, path); }

int Win32UiPort::AskPassword(const char *safeName, char *password, unsigned size) {
    return SD_AskPassword(safeName, password, size);
}

void Win32UiPort::ShowMainWindow() {
    if (hWndMain) {
        ShowWindow(hWndMain, SW_SHOW);
        UpdateWindow(hWndMain);
    }
}

// Keeps the windows alive during long file work: every waiting message is
// handled, then the wait.
void Win32UiPort::PumpAndWait(uint32_t ms) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the main loop must still see it
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (ms)
        Sleep(ms);
}

void Win32UiPort::RedisplayCardField(uint32_t fieldIndex) { CW_RedisplayField(fieldIndex); }
