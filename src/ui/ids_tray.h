// Tray and quick window: the tray menu with its item bitmaps, the quick
// window's buttons in the status bar.
#pragma once

#include "platform/command_ids.h"

#define IDM_TRAYMENU 151
#define IDB_TRAYCREATENOTE 254 // mark of "Create note"
#define IDB_TRAYNOTES 255      // mark of "Hide/display notes"
// Both marks drawn at 24, 32 and 48 pixels for larger screen scales.
#define IDB_TRAYCREATENOTE24 270
#define IDB_TRAYNOTES24 271
#define IDB_TRAYCREATENOTE32 272
#define IDB_TRAYNOTES32 273
#define IDB_TRAYCREATENOTE48 274
#define IDB_TRAYNOTES48 275

#define IDI_QW_MINIMIZE 206
#define IDI_QW_CLOSE 207
#define IDC_QW_BACK 1160
#define IDC_QW_MINIMIZE 1161
#define IDC_QW_CLOSE 1162
