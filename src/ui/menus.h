// Menus of the program's windows as the user sees them: a command whose window
// is not built yet stays greyed whatever else asks for it.
#pragma once

#include "ui/ui_globals.h"

// A menu resource, with every item of an unbuilt command greyed; the caller destroys it.
HMENU MA_LoadMenu(unsigned id);
// Greys or enables an item by command; an unbuilt command stays greyed.
void MA_EnableMenuItem(HMENU menu, unsigned id, BOOL enable);
// Whether a command of a menu or the toolbar can be offered at all.
BOOL MA_CommandBuilt(unsigned id);
// The one way a pop-up menu is shown: the owner takes the focus, the menu's first
// sub-menu is tracked at a screen point (right button allowed), and the menu is
// destroyed when it closes. Takes a menu from MA_LoadMenu after the caller's own
// adjustments; a menu that could not be loaded (null) is not shown.
void TR_PopupMenu(HWND owner, HMENU menu, int x, int y);
// The same at a point of the owner's client area; 0 (nothing shown, the menu
// destroyed) when the point lies outside it.
int TR_PopupMenuAt(HWND owner, HMENU menu, POINT client);
