// The main window of orvSafe: classes, layout, split bar, toolbar, menus and
// the command table.
#pragma once

#include "platform/uiport.h"
#include "ui/ui_globals.h"

#define MAIN_CLASS_NAME CLASS_MAIN
#define MAIN_WINDOW_TITLE "orvSafe"

// Registers the seven classes and creates the main window (hidden); FALSE when it cannot.
BOOL MA_InitInstance(HINSTANCE hInstance, int nCmdShow);
LRESULT CALLBACK MA_MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends an in-place edit, empties the card list and the status text, leaves display mode.
void MA_ResetRightPane();
// Enables the ten masked toolbar buttons from the enable mask.
void MA_ApplyToolbarState();
// What the windows show when the store opened, created or closed a safe.
void MA_SafeEvent(UI_SAFE_EVENT event, const char *path);
// A menu item or toolbar button by command id.
void MA_EnableCommand(unsigned id, int enable);
// Width of the tree pane in client pixels.
int MA_GetSplitPosition();
// Screen rectangle of the main, drop or search window; 0 or -1.
int MA_WindowRect(UI_WINDOW window, UI_RECT *rect);
// The toolbar's card buttons follow the card view: a card displayed (change
// allowed), a card in change mode (display allowed), no card selected (neither).
void MA_ToolbarDisplayMode();
void MA_ToolbarChangeMode();
void MA_ToolbarNoCard();
