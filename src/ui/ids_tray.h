// Tray and quick window: the tray menu with its item bitmaps, the quick
// window's buttons in the status bar.
#pragma once

#include "platform/command_ids.h"

#define IDM_TRAYMENU 151
#define IDB_TRAYCREATENOTE 254 // mark of "Create note"
#define IDB_TRAYNOTES 255      // mark of "Hide/display notes"

#define IDI_QW_MINIMIZE 206
#define IDI_QW_CLOSE 207
#define IDC_QW_BACK 1160
#define IDC_QW_MINIMIZE 1161
#define IDC_QW_CLOSE 1162
