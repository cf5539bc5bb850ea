// The main window's toolbar: 25 buttons over bitmap strip 166, tooltips by
// command, the category filter box on its right end, and the enable mask.
#pragma once

#include "model/toolbar_state.h"
#include "ui/ui_globals.h"

// Creates the toolbar (control 1002) and the empty category box (803) on it,
// then applies the enable mask. nt: whether the desktop icon buttons stay.
HWND MA_CreateToolbar(HWND parent, BOOL nt);
// The button images at the size the toolbar's DPI asks for (again after a change of DPI).
void MA_ToolbarImages();
// Puts the category box at the toolbar's right end.
void MA_PlaceCategoryCombo();
// A state operation of the toolbar (display mode, drop window shown, safe open ...).
void MA_SetToolbarState(TB_STATE state);
// The toolbar's tooltip request: fills in the text of the command asked for.
void MA_ToolbarTooltip(LPARAM lParam);
// Enables the toolbar buttons: the masked ones as the enable mask says.
void MA_ApplyToolbarState();
// The toolbar's card buttons follow the card view: a card displayed (change
// allowed), a card in change mode (display allowed), no card selected (neither).
void MA_ToolbarDisplayMode();
void MA_ToolbarChangeMode();
void MA_ToolbarNoCard();
