#include "platform/uiport.h"

UiPort::~UiPort() = default;

// The silent port answers as a user who presses the default button would.
int UiPort::ShowMessage(const char *, const char *, unsigned style) {
    switch (style & 0x0F) {
    case UI_MB_YESNO:
    case UI_MB_YESNOCANCEL: return (style & UI_MB_DEFBUTTON2) ? UI_IDNO : UI_IDYES;
    default: return UI_IDOK;
    }
}

void UiPort::PostQuit(int) {}

// Without windows there is no rectangle to give, no split bar, no timer and no tray.
int UiPort::WindowRect(UI_WINDOW, UI_RECT *) { return -1; }
int UiPort::SplitPosition() { return 0; }
void UiPort::StartTimer(unsigned, uint32_t) {}
void UiPort::StopTimer(unsigned) {}
void UiPort::HideToTray() {}

TREEHANDLE UiPort::InsertFieldItem(TREEHANDLE, const char *) { return nullptr; }

void UiPort::CloseMainWindow() {}

int UiPort::CardListTextWidth(const char *text) {
    int n = 0;
    while (text && text[n])
        ++n;
    return 8 * n;
}

namespace {
UiPort g_silent;
UiPort *g_port = &g_silent;
} // namespace

UiPort *UI_GetPort() { return g_port; }
void UI_SetPort(UiPort *port) { g_port = port ? port : &g_silent; }

int UI_MessageBox(const char *text, const char *caption, unsigned style) {
    return g_port->ShowMessage(text, caption, style);
}

void UI_PostQuit(int exitCode) { g_port->PostQuit(exitCode); }

TREEHANDLE UI_InsertFieldItem(TREEHANDLE hCard, const char *text) { return g_port->InsertFieldItem(hCard, text); }

int UI_CardListTextWidth(const char *text) { return g_port->CardListTextWidth(text); }
void UI_CloseMainWindow() { g_port->CloseMainWindow(); }

int UI_GetWindowRect(UI_WINDOW window, UI_RECT *rect) { return g_port->WindowRect(window, rect); }
int UI_GetSplitPosition() { return g_port->SplitPosition(); }
void UI_SetTimer(unsigned id, uint32_t ms) { g_port->StartTimer(id, ms); }
void UI_KillTimer(unsigned id) { g_port->StopTimer(id); }
void UI_HideToTray() { g_port->HideToTray(); }
