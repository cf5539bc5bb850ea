// The UI port: the one way the portable core talks to whoever uses it, with or
// without windows: message boxes, the password prompt, the progress of long file
// work, the end of the program. The Win32 program installs an implementation over
// real message boxes and dialogs; the terminal companion one over the console;
// tests a scripted fake. Without one the port answers as a user pressing the
// default button would.
//
// The main window and its panes are views the window registers while it exists
// (MainView, PaneView below); every other window the core drives has a small view
// interface of its own beside the core code that drives it. Without a main window
// (the terminal companion, tests of the core) there is nothing to refresh.
#pragma once

#include "platform/command_ids.h"

#include <cstdint>

// Message box styles and answers, with their Win32 values.
enum : unsigned {
    UI_MB_OK = 0x00,
    UI_MB_OKCANCEL = 0x01,
    UI_MB_YESNOCANCEL = 0x03,
    UI_MB_YESNO = 0x04,
    UI_MB_ICONSTOP = 0x10,
    UI_MB_ICONQUESTION = 0x20,
    UI_MB_ICONEXCLAMATION = 0x30,
    UI_MB_ICONINFORMATION = 0x40,
    UI_MB_DEFBUTTON2 = 0x100,
    UI_MB_TOPMOST = 0x40000,
};
enum : int { UI_IDOK = 1, UI_IDCANCEL = 2, UI_IDYES = 6, UI_IDNO = 7 };

// A screen rectangle as Win32 keeps it.
struct UI_RECT {
    int32_t left, top, right, bottom;
};
// The windows whose places are kept in the settings file.
enum UI_WINDOW { UI_WND_MAIN, UI_WND_DROP, UI_WND_SEARCH };

// A tree view item as the window layer hands it out (the same type the records keep).
typedef struct TreeItemRec *TREEHANDLE;

class UiPort {
  public:
    virtual ~UiPort();
    // A message box owned by the window on top; answers the button pressed.
    virtual int ShowMessage(const char *text, const char *caption, unsigned style);
    // Ends the program's message loop: the normal shutdown follows.
    virtual void PostQuit(int exitCode);
    // The "Enter Safe - Password" prompt for the safe named; fills password (at
    // most size - 1 characters) and answers UI_IDOK, or UI_IDCANCEL.
    virtual int AskPassword(const char *safeName, char *password, unsigned size);
    // The progress window of long file work: whether it is open, its bar's range
    // (0..max, step 1), one step, the text naming the file at work, closing it,
    // opening it showing text (it hides the main window while it is open).
    virtual bool ProgressShown();
    virtual void ProgressRange(int max);
    virtual void ProgressStep();
    virtual void ProgressText(const char *text);
    virtual void ProgressClose();
    virtual void ProgressOpen(const char *text);
    // Handles every message waiting for the windows, then waits ms milliseconds.
    virtual void PumpAndWait(uint32_t ms);
};

// The port in use; a silent default until a program or test installs one.
UiPort *UI_GetPort();
void UI_SetPort(UiPort *port); // nullptr restores the silent default

int UI_MessageBox(const char *text, const char *caption, unsigned style);
void UI_PostQuit(int exitCode);
int UI_AskPassword(const char *safeName, char *password, unsigned size);
bool UI_ProgressShown();
void UI_ProgressRange(int max);
void UI_ProgressStep();
void UI_ProgressText(const char *text);
void UI_ProgressClose();
void UI_ProgressOpen(const char *text);
void UI_PumpAndWait(uint32_t ms);

// The main window, registered while it exists.
class MainView {
  public:
    virtual ~MainView();
    // Screen rectangle of one of the program's windows; 0, or -1 when it has none.
    virtual int WindowRect(UI_WINDOW window, UI_RECT *rect) = 0;
    // Width in client pixels of the tree pane, that is the split bar's position.
    virtual int SplitPosition() = 0;
    // Timers of the main window: starting a running timer restarts it with the new period.
    virtual void StartTimer(unsigned id, uint32_t ms) = 0;
    virtual void StopTimer(unsigned id) = 0;
    // Hides the main window in the tray, with the minimize animation.
    virtual void HideToTray() = 0;
    // Asks the main window to close, as its close button would: the program ends.
    virtual void CloseMainWindow() = 0;
    // Brings the main window to the foreground; shows it again (after the
    // progress window hid it).
    virtual void FocusMainWindow() = 0;
    virtual void ShowMainWindow() = 0;
    // A command of the toolbar and the menus becomes enabled or disabled.
    virtual void EnableCommand(unsigned id, int enable) = 0;
    // The status bar shows the folder and card counts again.
    virtual void ShowCounts() = 0;
};
void UI_SetMainView(MainView *view); // nullptr: the window is gone
MainView *UI_GetMainView();

// The tree and the card list of the main window, registered with it.
class PaneView {
  public:
    virtual ~PaneView();
    // Appends a field item (the drag kind, with the field image) titled text as
    // the last child of a card item; answers its handle.
    virtual TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text) = 0;
    // The tree is built again from the record lists (the right pane reset first).
    virtual void RebuildTree() = 0;
    // A folder item whose card items wait for its first expansion gets them now.
    virtual void ShowFolderCards(TREEHANDLE hFolder) = 0;
    // Selects a tree item and gives the tree the focus.
    virtual void SelectTreeItem(TREEHANDLE item) = 0;
    // Ends an in-place edit of the card list (storing its text), empties the
    // card list and the status text and leaves the card view's display mode.
    virtual void ResetRightPane() = 0;
    // Width in pixels of a text on the card list's device context.
    virtual int CardListTextWidth(const char *text) = 0;
    // The card view shows a field of the current card again.
    virtual void RedisplayCardField(uint32_t fieldIndex) = 0;
};
void UI_SetPaneView(PaneView *view);
PaneView *UI_GetPaneView();

// The main window's calls as the core makes them: without the window there is
// no rectangle (-1), no split bar (0), no timer, tray, command or tree item, and
// a text measures an estimated 8 pixels a character.
int UI_GetWindowRect(UI_WINDOW window, UI_RECT *rect);
int UI_GetSplitPosition();
void UI_SetTimer(unsigned id, uint32_t ms);
void UI_KillTimer(unsigned id);
void UI_HideToTray();
void UI_CloseMainWindow();
void UI_FocusMainWindow();
void UI_ShowMainWindow();
void UI_EnableCommand(unsigned id, int enable);
void UI_ShowCounts();
TREEHANDLE UI_InsertFieldItem(TREEHANDLE hCard, const char *text);
void UI_RebuildTree();
void UI_ShowFolderCards(TREEHANDLE hFolder);
void UI_SelectTreeItem(TREEHANDLE item);
void UI_ResetRightPane();
int UI_CardListTextWidth(const char *text);
void UI_RedisplayCardField(uint32_t fieldIndex);
