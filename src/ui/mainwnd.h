// The main window of orvSafe: classes, layout, split bar, toolbar, menus and
// the command table.
#pragma once

#include "platform/uiport.h"
#include "store/safe_lifecycle.h"
#include "ui/ui_globals.h"

#define MAIN_CLASS_NAME CLASS_MAIN
#define MAIN_WINDOW_TITLE "orvSafe"
#define DROP_WINDOW_TITLE "orvSafe - crypted Files/Folders"
#define SEARCH_WINDOW_TITLE "orvSafe - Searchresults"
#define SPLIT_BAR_COLOUR RGB(0xEB, 0xE8, 0xD9) // 0xD9E8EB

// Registers the seven classes and creates the main window (hidden); FALSE when it cannot.
BOOL MA_InitInstance(HINSTANCE hInstance, int nCmdShow);
LRESULT CALLBACK MA_MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends an in-place edit, empties the card list and the status text, leaves display mode.
void MA_ResetRightPane();
// What the windows show when the store opened, created or closed a safe.
void MA_SafeEvent(SW_EVENT event, const char *path);
// The main window's views and its listener to the safe store (main_views.cpp),
// registered while the window exists.
void MA_RegisterViews();
void MA_UnregisterViews();
// A menu item or toolbar button by command id.
void MA_EnableCommand(unsigned id, int enable);
// Screen rectangle of the main, drop or search window (its restored place); 0 or -1.
int MA_WindowRect(UI_WINDOW window, UI_RECT *rect);
// The toolbar's and the status bar's heights, measured again (at the start and
// after a change of the screen's scale).
void MA_MeasureBars();
// Lays the panes, the split bar, the toolbar and the status bar out in the client area.
void MA_LayoutMain(HWND hWnd);
// The platform kind (MainModes.nPlatformKind): 0 until asked of the system,
// then 1 for the Windows 9x family or 2 for the NT family.
enum { MA_PLATFORM_UNKNOWN = 0, MA_PLATFORM_9X = 1, MA_PLATFORM_NT = 2 };
// Whether the desktop icon feature is there (it needs the NT family).
BOOL MA_IsNtFamily();
// The command table: TRUE when the command was one of the main window's.
BOOL MA_Command(HWND hWnd, unsigned id);
// Ends the program: the safe is written back first, and a safe that cannot be
// written keeps the program running.
void MA_Exit(HWND hWnd);
// The end of the main window: the safe written back unless MA_Exit did, the
// window places kept.
void MA_DestroySequence();
