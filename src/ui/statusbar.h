// The status bars of the main, drop and search windows.
#pragma once

#include "ui/ui_globals.h"

#define SB_MAIN_PARTS 6
#define SB_DROP_PARTS 5
#define SB_SEARCH_PARTS 3

// A status bar along the bottom of owner, with a size grip and tooltips: the
// main, drop and search windows each have one.
HWND SB_CreateBar(HWND owner, int id);

// Main window: 0 icon, 1 text, 2 "Folder:", 3 folder count, 4 "Cards:", 5 card count.
void SB_LayoutMain();
void SB_SetText(const char *text, int part, int style);
// Main part 1: the mode text ("Display card content" ...) and the selected card's name.
void SB_ShowMode(const char *text);
// Main parts 3 and 5: the folder and card counts.
void SB_ShowCounts();

// The drop window's bar (MainWindows.hDropStatusWnd).
void SB_LayoutDrop();
void SB_SetDropText(const char *text, int part, int style);
void SB_ShowDropCounts(unsigned folders, unsigned files);

// The search window's bar (MainWindows.hSearchStatusWnd).
void SB_LayoutSearch();
void SB_SetSearchText(const char *text, int part, int style);
void SB_ShowSearchCount(unsigned count);
