// The tray icon's logic: what a mouse notification of the icon asks the main
// window to do, and which items of the tray menu are greyed. The window layer
// does the work (ui/tray.cpp); the flags live here.
#pragma once

#include "platform/command_ids.h"

// The mouse messages a notification carries (the Win32 numbers).
enum : unsigned { TR_MOUSE_LDOWN = 0x0201, TR_MOUSE_LUP = 0x0202, TR_MOUSE_RUP = 0x0205 };

// What one notification asks for, done in this order.
enum : unsigned {
    TR_DO_REOPEN = 1,  // open again the safe the time-out closed (its password dialog)
    TR_DO_QWTIMER = 2, // restart the quick window's shrink timer
    TR_DO_RESTORE = 4, // animate back, show and activate the window, delete the icon
    TR_DO_MENU = 8,    // the tray menu at the cursor
};

// A left press on the icon was seen: its release restores.
int TR_ButtonPressed();

// One notification of the icon. A left press arms the release; the release
// (only after a press) restores, first reopening the safe a time-out closed
// when TimeOutClose is on, and clears the time-out's flags so the next idle
// period hides the program again; a right release while no left press is held
// opens the menu. Answers 1 for these three messages, 0 for every other.
int TR_TrayActions(unsigned mouse, int quickMode, unsigned *actions);

// Whether an item of the tray menu is greyed: "Create note" without a safe,
// "Hide/display notes" while there is no note.
int TR_TrayMenuGreyed(unsigned command, int safeOpen, int noteExists);
