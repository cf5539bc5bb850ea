#include "platform/uiport.h"

UiPort::~UiPort() = default;
MainView::~MainView() = default;
PaneView::~PaneView() = default;

// The silent port answers as a user who presses the default button would.
int UiPort::ShowMessage(const char *, const char *, unsigned style) {
    switch (style & 0x0F) {
    case UI_MB_YESNO:
    case UI_MB_YESNOCANCEL: return (style & UI_MB_DEFBUTTON2) ? UI_IDNO : UI_IDYES;
    default: return UI_IDOK;
    }
}

void UiPort::PostQuit(int) {}
// Without a dialog nobody can type a password.
int UiPort::AskPassword(const char *, char *, unsigned) { return UI_IDCANCEL; }
bool UiPort::ProgressShown() { return false; }
void UiPort::ProgressRange(int) {}
void UiPort::ProgressStep() {}
void UiPort::ProgressText(const char *) {}
void UiPort::ProgressClose() {}
void UiPort::ProgressOpen(const char *) {}
void UiPort::PumpAndWait(uint32_t) {}

namespace {
UiPort g_silent;
UiPort *g_port = &g_silent;
MainView *g_main = nullptr;
PaneView *g_panes = nullptr;
} // namespace

UiPort *UI_GetPort() { return g_port; }
void UI_SetPort(UiPort *port) { g_port = port ? port : &g_silent; }

int UI_MessageBox(const char *text, const char *caption, unsigned style) {
    return g_port->ShowMessage(text, caption, style);
}
void UI_PostQuit(int exitCode) { g_port->PostQuit(exitCode); }
int UI_AskPassword(const char *safeName, char *password, unsigned size) {
    return g_port->AskPassword(safeName, password, size);
}
bool UI_ProgressShown() { return g_port->ProgressShown(); }
void UI_ProgressRange(int max) { g_port->ProgressRange(max); }
void UI_ProgressStep() { g_port->ProgressStep(); }
void UI_ProgressText(const char *text) { g_port->ProgressText(text); }
void UI_ProgressClose() { g_port->ProgressClose(); }
void UI_ProgressOpen(const char *text) { g_port->ProgressOpen(text); }
void UI_PumpAndWait(uint32_t ms) { g_port->PumpAndWait(ms); }

void UI_SetMainView(MainView *view) { g_main = view; }
MainView *UI_GetMainView() { return g_main; }
void UI_SetPaneView(PaneView *view) { g_panes = view; }
PaneView *UI_GetPaneView() { return g_panes; }

int UI_GetWindowRect(UI_WINDOW window, UI_RECT *rect) { return g_main ? g_main->WindowRect(window, rect) : -1; }
int UI_GetSplitPosition() { return g_main ? g_main->SplitPosition() : 0; }
void UI_SetTimer(unsigned id, uint32_t ms) {
    if (g_main)
        g_main->StartTimer(id, ms);
}
void UI_KillTimer(unsigned id) {
    if (g_main)
        g_main->StopTimer(id);
}
void UI_HideToTray() {
    if (g_main)
        g_main->HideToTray();
}
void UI_CloseMainWindow() {
    if (g_main)
        g_main->CloseMainWindow();
}
void UI_FocusMainWindow() {
    if (g_main)
        g_main->FocusMainWindow();
}
void UI_ShowMainWindow() {
    if (g_main)
        g_main->ShowMainWindow();
}
void UI_EnableCommand(unsigned id, int enable) {
    if (g_main)
        g_main->EnableCommand(id, enable);
}
void UI_ShowCounts() {
    if (g_main)
        g_main->ShowCounts();
}

TREEHANDLE UI_InsertFieldItem(TREEHANDLE hCard, const char *text) {
    return g_panes ? g_panes->InsertFieldItem(hCard, text) : nullptr;
}
void UI_RebuildTree() {
    if (g_panes)
        g_panes->RebuildTree();
}
void UI_ShowFolderCards(TREEHANDLE hFolder) {
    if (g_panes)
        g_panes->ShowFolderCards(hFolder);
}
void UI_SelectTreeItem(TREEHANDLE item) {
    if (g_panes)
        g_panes->SelectTreeItem(item);
}
void UI_ResetRightPane() {
    if (g_panes)
        g_panes->ResetRightPane();
}
int UI_CardListTextWidth(const char *text) {
    if (g_panes)
        return g_panes->CardListTextWidth(text);
    int n = 0;
    while (text && text[n])
        ++n;
    return 8 * n;
}
void UI_RedisplayCardField(uint32_t fieldIndex) {
    if (g_panes)
        g_panes->RedisplayCardField(fieldIndex);
}
