// The start picture: a borderless window with the splash bitmap, centred on
// the screen and on top, shown while the program starts.
#pragma once

#include "ui/ui_globals.h"

HWND MA_ShowSplash();
void MA_CloseSplash(HWND splash);
