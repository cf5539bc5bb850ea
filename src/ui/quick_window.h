// The quick window: the main window as a strip at the screen's right edge
// showing only the tree, with three buttons in its status bar ("back",
// minimise, close); it shrinks to a tab after QWMinimizeTime seconds and grows
// back on a key press or mouse movement.
#pragma once

#include "ui/ui_globals.h"

// Toolbar "Quickwin": the main window becomes the strip.
void QW_Enter();
// Everything as it was before QW_Enter (style, menu, toolbar, place, skin, icon size).
void QW_Leave();
// Timer 30: the strip shrinks to its tab.
void QW_ShrinkTimer();
// The message loop's hook for key presses and mouse movements: a shrunk strip grows back.
void QW_Regrow();
// The main window is destroyed: a next one starts in its normal form.
void QW_WindowGone();
