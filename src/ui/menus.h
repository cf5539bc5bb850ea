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
