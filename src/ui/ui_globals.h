// The windows of the program, kept for the whole run, and the private messages
// they send each other.
#pragma once

#include <windows.h>

extern HINSTANCE hInst;       // the image the resources are loaded from
// The main window and its parts: made with it, and all cleared at once when it
// is destroyed.
struct MAINWINDOWS {
    HWND hWndMain;       // main window, class and title "orvSafe"
    HWND hMyTree;        // left pane, class "orvTree"
    HWND hMyEdit;        // right pane, class "orvEdit"
    HWND hWndRechts;     // the card list inside hMyEdit
    HWND hCardView;      // the card view, class "CardView", over the card list
    HWND hStatusWnd;     // the main window's status bar
    HWND hTrennWnd;      // the split bar, class "WinSplit"
    HWND hToolbar;       // the toolbar, control 1002
    HWND hCategoryCombo; // the category filter box on the toolbar, control 803
    HWND hWndLinks;      // the tree control inside hMyTree
    HWND hDropWnd;       // the drop window, class "orvDrop"
    HWND hSearchWnd;     // the search results window, class "orvSearch"
    HWND hDropListWnd;   // the drop window's list view, while it exists
    HWND hDropStatusWnd; // and its status bar: 0 text, 1 "Folder:", 2 folders, 3 "Files:", 4 files
    HWND hSearchListWnd; // the search window's list of hits, while it exists
    HWND hSearchStatusWnd; // and its status bar: 0 empty, 1 "Searchresults:", 2 hits
    // Heights measured once when the main window is made (the quick window sets
    // the toolbar's to 0 while the toolbar is hidden).
    int nToolbarHeight;
    int nStatusHeight;
};
extern MAINWINDOWS MainWindows;

// How the windows are shown, for the whole run.
struct MAINMODES {
    BOOL bQuickWindowMode; // quick window mode: the split fixed at 150, positions not saved
    BOOL bCardDisplayMode; // the card view's display mode is on
    BOOL bSkinLoaded;      // a skin library was loaded (skins.h)
    BOOL bDropShownAtEnd;  // the drop window was shown when the main window ended (kept as CryptWindowActive)
    // The platform kind: MA_PLATFORM_UNKNOWN until asked of the system, then
    // MA_PLATFORM_9X or MA_PLATFORM_NT (mainwnd.h).
    int nPlatformKind;
};
extern MAINMODES MainModes;

// Private messages between the program's windows.
#define UM_SPLITTRACK (WM_APP + 0) // to a pane: the split bar is dragged over it (lParam: its control);
                                   // the bar draws the line itself (MA_SplitTrack, split_bar.h)
#define UM_ENDEDIT (WM_APP + 1)    // to the card pane: end the in-place edit, storing its text
#define UM_BEGINEDIT (WM_APP + 2)  // to the card pane: edit the selected row in place
#define UM_TRAYNOTIFY (WM_APP + 3) // to the main window: the tray icon's callback

// Window classes.
#define CLASS_MAIN "orvSafe"
#define CLASS_DROP "orvDrop"
#define CLASS_SEARCH "orvSearch"
#define CLASS_TREE "orvTree"
#define CLASS_EDIT "orvEdit"
#define CLASS_SPLIT "WinSplit"
#define CLASS_CARDVIEW "CardView"
