// The hand-off to the separate updater orvSafeUpdate.exe in the program
// directory: a script "udt_scr.ini" tells it the main window's handle and the
// program to replace, then the updater is started and the program runs on
// until the updater asks its main window to close.
#pragma once

#include <cstdint>

#define AU_UPDATER_NAME "orvSafeUpdate.exe"
#define AU_UPDATE_ID "orvSafe update"

// mainWindow: the main window's handle as a number. Turns TrayOnClose off in
// memory so that the updater's close request really ends the program. 0, or -1
// when the updater is missing or did not start (the user is told).
[[nodiscard]] int AU_StartUpdate(intptr_t mainWindow);
