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
void UiPort::RebuildTree() {}
void UiPort::FillCategoryFilter() {}
void UiPort::SearchResultsBegin() {}
void UiPort::SearchResultAdd(uint32_t, const char *, uint32_t) {}
void UiPort::SearchResultCount(uint32_t) {}
void UiPort::SafeEvent(UI_SAFE_EVENT, const char *) {}
// Without a dialog nobody can type a password.
int UiPort::AskPassword(const char *, char *, unsigned) { return UI_IDCANCEL; }
bool UiPort::ProgressShown() { return false; }
void UiPort::ProgressRange(int) {}
void UiPort::ProgressStep() {}
void UiPort::ProgressText(const char *) {}
void UiPort::ProgressClose() {}

int UiPort::CardListTextWidth(const char *text) {
    int n = 0;
    while (text && text[n])
        ++n;
    return 8 * n;
}

// Without windows there are no commands, dialogs or notes to show: the profile
// dialog is cancelled, and no note window is made.
void UiPort::EnableCommand(unsigned, int) {}
int UiPort::ProfileDialog(uint32_t, uint32_t *) { return -1; }
int UiPort::MakeNoteWindow(NOTIZ *) { return -1; }
void UiPort::CascadeNoteWindow(NOTIZ *, int32_t, int32_t) {}
void UiPort::LoadNoteWindow(NOTIZ *) {}
void UiPort::ShowNoteWindow(NOTIZ *, int) {}
void UiPort::DestroyNoteWindow(NOTIZ *) {}
void UiPort::SetNoteTitle(NOTIZ *, const char *) {}
void UiPort::SetNoteBackground(NOTIZ *, uint32_t) {}
void UiPort::FocusMainWindow() {}
void UiPort::PumpAndWait(uint32_t) {}
void UiPort::ResetRightPane() {}
void UiPort::SelectTreeItem(TREEHANDLE) {}
void UiPort::ShowCounts() {}

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
void UI_SafeEvent(UI_SAFE_EVENT event, const char *path) { g_port->SafeEvent(event, path); }
int UI_AskPassword(const char *safeName, char *password, unsigned size) {
    return g_port->AskPassword(safeName, password, size);
}
bool UI_ProgressShown() { return g_port->ProgressShown(); }
void UI_ProgressRange(int max) { g_port->ProgressRange(max); }
void UI_ProgressStep() { g_port->ProgressStep(); }
void UI_ProgressText(const char *text) { g_port->ProgressText(text); }
void UI_ProgressClose() { g_port->ProgressClose(); }

int UI_GetWindowRect(UI_WINDOW window, UI_RECT *rect) { return g_port->WindowRect(window, rect); }
int UI_GetSplitPosition() { return g_port->SplitPosition(); }
void UI_SetTimer(unsigned id, uint32_t ms) { g_port->StartTimer(id, ms); }
void UI_KillTimer(unsigned id) { g_port->StopTimer(id); }
void UI_HideToTray() { g_port->HideToTray(); }
void UI_RebuildTree() { g_port->RebuildTree(); }
void UI_FillCategoryFilter() { g_port->FillCategoryFilter(); }
void UI_SearchResultsBegin() { g_port->SearchResultsBegin(); }
void UI_SearchResultAdd(uint32_t kind, const char *text, uint32_t index) { g_port->SearchResultAdd(kind, text, index); }
void UI_SearchResultCount(uint32_t count) { g_port->SearchResultCount(count); }

void UI_EnableCommand(unsigned id, int enable) { g_port->EnableCommand(id, enable); }
int UI_ProfileDialog(uint32_t mode, uint32_t *profileId) { return g_port->ProfileDialog(mode, profileId); }
int UI_MakeNoteWindow(NOTIZ *note) { return g_port->MakeNoteWindow(note); }
void UI_CascadeNoteWindow(NOTIZ *note, int32_t x, int32_t y) { g_port->CascadeNoteWindow(note, x, y); }
void UI_LoadNoteWindow(NOTIZ *note) { g_port->LoadNoteWindow(note); }
void UI_ShowNoteWindow(NOTIZ *note, int show) { g_port->ShowNoteWindow(note, show); }
void UI_DestroyNoteWindow(NOTIZ *note) { g_port->DestroyNoteWindow(note); }
void UI_SetNoteTitle(NOTIZ *note, const char *title) { g_port->SetNoteTitle(note, title); }
void UI_SetNoteBackground(NOTIZ *note, uint32_t colour) { g_port->SetNoteBackground(note, colour); }
void UI_FocusMainWindow() { g_port->FocusMainWindow(); }
void UI_PumpAndWait(uint32_t ms) { g_port->PumpAndWait(ms); }
void UI_ResetRightPane() { g_port->ResetRightPane(); }
void UI_SelectTreeItem(TREEHANDLE item) { g_port->SelectTreeItem(item); }
void UI_ShowCounts() { g_port->ShowCounts(); }

// Without windows there is no progress window, drop window, recover dialog or card view.
void UiPort::ProgressOpen(const char *) {}
void UiPort::ShowDropWindow(int) {}
void UiPort::DropListClear() {}
void UiPort::DropListAdd(const char *, int, uint32_t) {}
void UiPort::DropCounts(uint32_t, uint32_t) {}
void UiPort::ShowMainWindow() {}
int UiPort::RecoverDialog() { return -1; }
void UiPort::RedisplayCardField(uint32_t) {}

void UI_ProgressOpen(const char *text) { g_port->ProgressOpen(text); }
void UI_ShowDropWindow(int show) { g_port->ShowDropWindow(show); }
void UI_DropListClear() { g_port->DropListClear(); }
void UI_DropListAdd(const char *filename, int image, uint32_t index) { g_port->DropListAdd(filename, image, index); }
void UI_DropCounts(uint32_t folders, uint32_t files) { g_port->DropCounts(folders, files); }
void UI_ShowMainWindow() { g_port->ShowMainWindow(); }
int UI_RecoverDialog() { return g_port->RecoverDialog(); }
void UI_RedisplayCardField(uint32_t fieldIndex) { g_port->RedisplayCardField(fieldIndex); }
