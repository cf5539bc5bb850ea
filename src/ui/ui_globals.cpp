#include "ui/ui_globals.h"

HINSTANCE hInst = nullptr;
MAINWINDOWS MainWindows;
HWND hWndLinks = nullptr;
HWND hDropWnd = nullptr;
HWND hSearchWnd = nullptr;
BOOL bQuickWindowMode = FALSE;
