#include "ui/ui_globals.h"

HINSTANCE hInst = nullptr;
HWND hWndMain = nullptr;
HWND hMyTree = nullptr;
HWND hWndLinks = nullptr;
HWND hMyEdit = nullptr;
HWND hWndRechts = nullptr;
HWND hCardView = nullptr;
HWND hStatusWnd = nullptr;
HWND hTrennWnd = nullptr;
HWND hToolbar = nullptr;
HWND hCategoryCombo = nullptr;
HWND hDropWnd = nullptr;
HWND hSearchWnd = nullptr;
BOOL bQuickWindowMode = FALSE;
