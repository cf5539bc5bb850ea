#include "ui/ui_globals.h"

HINSTANCE hInst = nullptr;
MAINWINDOWS MainWindows;
BOOL bQuickWindowMode = FALSE;
