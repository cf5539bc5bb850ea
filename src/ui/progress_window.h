// The "Progress" window of long file work: modeless, not owned, so it stays on
// the screen while the main window is hidden for the time it is open. The UI
// port's Progress calls lead here.
#pragma once

#include "ui/ui_globals.h"

// TRUE while the window is open.
BOOL PW_IsOpen();
// Opens the window showing text (a second open only changes the text) and hides the main window.
void PW_Open(const char *text);
// The bar's range 0..max with step 1, back at the start.
void PW_Range(int max);
// One step of the bar; the window is painted at once.
void PW_Step();
void PW_Text(const char *text);
void PW_Close();
// Handles the messages waiting for the progress window, and only those: the
// other windows wait until the work is done, so no second drop or close can
// come in the middle of it.
void PW_Pump();
