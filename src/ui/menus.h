// Menus of the program's windows as the user sees them.
#pragma once

#include "ui/ui_globals.h"

// A menu resource of the program; the caller destroys it.
HMENU MA_LoadMenu(unsigned id);
// Greys or enables an item by command.
void MA_EnableMenuItem(HMENU menu, unsigned id, BOOL enable);
// The one way a pop-up menu is shown: the owner takes the focus, the menu's first
// sub-menu is tracked at a screen point (right button allowed), and the menu is
// destroyed when it closes. Takes a menu from MA_LoadMenu after the caller's own
// adjustments; a menu that could not be loaded (null) is not shown.
void TR_PopupMenu(HWND owner, HMENU menu, int x, int y);
// The same at a point of the owner's client area; 0 (nothing shown, the menu
// destroyed) when the point lies outside it.
int TR_PopupMenuAt(HWND owner, HMENU menu, POINT client);
