// The UI port: the one way the portable core talks to the user and tells the
// windows what changed. The Win32 program installs an implementation over real
// message boxes and dialogs owned by the main window; tests install a scripted
// fake. Every method has a harmless default, so a port only implements what it shows.
#pragma once

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
    // A message box owned by the main window; answers the button pressed.
    virtual int ShowMessage(const char *text, const char *caption, unsigned style);
    // Ends the message loop: the normal shutdown follows.
    virtual void PostQuit(int exitCode);
    // Screen rectangle of one of the program's windows; 0, or -1 when it has none.
    virtual int WindowRect(UI_WINDOW window, UI_RECT *rect);
    // Width in client pixels of the tree pane, that is the split bar's position.
    virtual int SplitPosition();
    // Timers of the main window: starting a running timer restarts it with the new period.
    virtual void StartTimer(unsigned id, uint32_t ms);
    virtual void StopTimer(unsigned id);
    // Hides the main window in the tray, with the minimize animation.
    virtual void HideToTray();
    // The tree: appends a field item (the drag kind, with the field image) titled
    // text as the last child of a card item; answers its handle, none without a tree.
    virtual TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text);
    // Width in pixels of a text on the card list's device context, for sizing its
    // name column; without a window an estimate of 8 pixels a character.
    virtual int CardListTextWidth(const char *text);
    // Asks the main window to close, as its close button would: the program ends.
    virtual void CloseMainWindow();
};

// The port in use; a silent default until a program or test installs one.
UiPort *UI_GetPort();
void UI_SetPort(UiPort *port); // nullptr restores the silent default

int UI_MessageBox(const char *text, const char *caption, unsigned style);
void UI_PostQuit(int exitCode);
int UI_GetWindowRect(UI_WINDOW window, UI_RECT *rect);
int UI_GetSplitPosition();
void UI_SetTimer(unsigned id, uint32_t ms);
void UI_KillTimer(unsigned id);
void UI_HideToTray();
TREEHANDLE UI_InsertFieldItem(TREEHANDLE hCard, const char *text);
int UI_CardListTextWidth(const char *text);
void UI_CloseMainWindow();
