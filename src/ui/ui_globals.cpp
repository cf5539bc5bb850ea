#include "ui/ui_globals.h"

HINSTANCE hInst = nullptr;
MAINWINDOWS MainWindows;
MAINMODES MainModes;
