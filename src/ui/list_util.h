// What the companion windows' lists share: their small images and a list
// filling the client area above a status bar.
#pragma once

#include "ui/ui_globals.h"

#include <commctrl.h>

#include <initializer_list>

// A 16 x 16 image list on white of the program's icons, in the order given;
// null when it cannot be made. The caller destroys it.
HIMAGELIST LU_SmallImages(std::initializer_list<int> iconIds);
// The bar laid out along the bottom, the list over the rest of the client area.
void LU_FillAboveBar(HWND hWnd, HWND hList, HWND hBar);
// Empties a list that showed secrets. The control frees its texts unwiped, so
// each is first overwritten by a filler of its length, which the control keeps
// in the block the text had.
void LU_WipeItems(HWND hList);
