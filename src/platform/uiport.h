// The UI port: the one way the portable core talks to the user and tells the
// windows what changed. The Win32 program installs an implementation over real
// message boxes and dialogs owned by the main window; tests install a scripted
// fake. Every method has a harmless default, so a port only implements what it shows.
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

// What the windows must reflect after the safe store changed the open safe.
enum UI_SAFE_EVENT {
    UI_SAFE_OPENED,    // a safe was read: build the tree, enable the safe commands, refresh the drop window
    UI_SAFE_CREATED,   // a new, empty safe is active: the tree's root shows its name, commands enabled
    UI_SAFE_CLOSED,    // no safe: empty the tree, disable the safe commands, hide the notes, clear the drop list
    UI_NOTES_LOADED,   // the notes of a safe were read: make their windows
    UI_PROFILES_LOADED // desktop profiles were read: enable the restore command
};

// A tree view item as the window layer hands it out (the same type the records keep).
typedef struct TreeItemRec *TREEHANDLE;

struct NOTIZ; // a note (tools/note_records.h); its window belongs to the window layer

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
    // The tree must be built again from the record lists (the right pane is reset
    // first), as when the category filter changed.
    virtual void RebuildTree();
    // The category filter box must be refilled from CC_FilterEntryText, with its
    // first entry ("all") selected.
    virtual void FillCategoryFilter();
    // Search results window: the first hit of a search empties the list, shows the
    // window and sets up its column; every hit appends a row (text, the icon of
    // its kind, the hit's index as item data); the count goes to the status bar.
    virtual void SearchResultsBegin();
    virtual void SearchResultAdd(uint32_t kind, const char *text, uint32_t index);
    virtual void SearchResultCount(uint32_t count);

    // A command of the toolbar and the menus (platform/command_ids.h) becomes enabled or disabled.
    virtual void EnableCommand(unsigned id, int enable);
    // The desktop profile dialog (mode 0 save, 1 restore), which works through
    // DT_ProfileDialogOk and its kin: 0 with the chosen profile's id, or -1 when cancelled.
    virtual int ProfileDialog(uint32_t mode, uint32_t *profileId);
    // Note windows. Make: the note's window and text control, hidden, in the note's
    // colours, its handles kept in the record. Cascade: move it to x, y keeping its
    // size. Load: place it at rcWindow's top-left corner and put in its text and text
    // colour, the window taking the text's height.
    virtual int MakeNoteWindow(NOTIZ *note);
    virtual void CascadeNoteWindow(NOTIZ *note, int32_t x, int32_t y);
    virtual void LoadNoteWindow(NOTIZ *note);
    virtual void ShowNoteWindow(NOTIZ *note, int show);
    virtual void DestroyNoteWindow(NOTIZ *note);
    virtual void SetNoteTitle(NOTIZ *note, const char *title);
    virtual void SetNoteBackground(NOTIZ *note, uint32_t colour);
    virtual void FocusMainWindow();
    // Runs the message pump of the progress window, then waits ms milliseconds.
    virtual void PumpAndWait(uint32_t ms);
    // Ends an in-place edit of the card list (storing its text), empties the
    // card list and the status text and leaves the card view's display mode.
    virtual void ResetRightPane();
    // Selects a tree item and gives the tree the focus.
    virtual void SelectTreeItem(TREEHANDLE item);
    // The status bar shows the folder and card counts again.
    virtual void ShowCounts();
    // The safe store's changes, with the safe's path where there is one.
    virtual void SafeEvent(UI_SAFE_EVENT event, const char *path);
    // The "Enter Safe - Password" dialog for the safe named; fills password (at
    // most size - 1 characters) and answers UI_IDOK, or UI_IDCANCEL.
    virtual int AskPassword(const char *safeName, char *password, unsigned size);
    // The progress window of long file work: whether it is open, its bar's range
    // (0..max, step 1), one step, the text naming the file at work, closing it.
    virtual bool ProgressShown();
    virtual void ProgressRange(int max);
    virtual void ProgressStep();
    virtual void ProgressText(const char *text);
    virtual void ProgressClose();
    // Opens the progress window showing text (it hides the main window while it is open).
    virtual void ProgressOpen(const char *text);
    // The drop window: shown or hidden; its list emptied; one item added (image 0
    // a file, 1 a folder; index as the item's parameter); its status bar counts.
    virtual void ShowDropWindow(int show);
    virtual void DropListClear();
    virtual void DropListAdd(const char *filename, int image, uint32_t index);
    virtual void DropCounts(uint32_t folders, uint32_t files);
    // Shows the main window again (after the progress window hid it).
    virtual void ShowMainWindow();
    // The modal "Recover" dialog, which works through the BW_RecoverDialog calls:
    // 0 when it was shown, -1 when it cannot be (nothing happened).
    virtual int RecoverDialog();
    // The card view shows a field of the current card again (after the alarm date dialog).
    virtual void RedisplayCardField(uint32_t fieldIndex);
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
void UI_RebuildTree();
void UI_FillCategoryFilter();
void UI_SearchResultsBegin();
void UI_SearchResultAdd(uint32_t kind, const char *text, uint32_t index);
void UI_SearchResultCount(uint32_t count);
void UI_EnableCommand(unsigned id, int enable);
int UI_ProfileDialog(uint32_t mode, uint32_t *profileId);
int UI_MakeNoteWindow(NOTIZ *note);
void UI_CascadeNoteWindow(NOTIZ *note, int32_t x, int32_t y);
void UI_LoadNoteWindow(NOTIZ *note);
void UI_ShowNoteWindow(NOTIZ *note, int show);
void UI_DestroyNoteWindow(NOTIZ *note);
void UI_SetNoteTitle(NOTIZ *note, const char *title);
void UI_SetNoteBackground(NOTIZ *note, uint32_t colour);
void UI_FocusMainWindow();
void UI_PumpAndWait(uint32_t ms);
void UI_ResetRightPane();
void UI_SelectTreeItem(TREEHANDLE item);
void UI_ShowCounts();
void UI_SafeEvent(UI_SAFE_EVENT event, const char *path);
int UI_AskPassword(const char *safeName, char *password, unsigned size);
bool UI_ProgressShown();
void UI_ProgressRange(int max);
void UI_ProgressStep();
void UI_ProgressText(const char *text);
void UI_ProgressClose();
void UI_ProgressOpen(const char *text);
void UI_ShowDropWindow(int show);
void UI_DropListClear();
void UI_DropListAdd(const char *filename, int image, uint32_t index);
void UI_DropCounts(uint32_t folders, uint32_t files);
void UI_ShowMainWindow();
int UI_RecoverDialog();
void UI_RedisplayCardField(uint32_t fieldIndex);
