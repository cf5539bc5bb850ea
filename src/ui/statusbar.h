// The status bars of the main, drop and search windows.
#pragma once

#include "ui/ui_globals.h"

void SB_LayoutMain();
void SB_SetText(const char *text, int part, int style);
// Main part 1: the mode text ("Display card content" ...).
void SB_ShowMode(const char *text);
// Main parts 3 and 5: the folder and card counts.
void SB_ShowCounts();
