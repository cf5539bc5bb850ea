// The tray: hiding the program as an icon in the taskbar's notification area,
// the icon's mouse notifications and the tray menu.
#pragma once

#include "ui/ui_globals.h"

// Animates the caption down to the corner of the desktop when the system
// animates minimising, hides the main, drop and search windows and adds the
// icon (107, "Click to recover", UM_TRAYNOTIFY).
void TR_HideToTray();
// UM_TRAYNOTIFY: lParam is the mouse message. 1 when it was handled.
LRESULT TR_TrayNotify(HWND hWnd, LPARAM lParam);
// The tray menu 151 with its marks and greyed items; *marks receives the two
// bitmaps, to be deleted after the menu closed. Null when it cannot be loaded.
HMENU TR_BuildTrayMenu(HBITMAP marks[2]);
// Whether the icon is in the tray now.
BOOL TR_IconShown();
// Takes the icon out of the tray (the program ends), if it is there.
void TR_RemoveIcon();
// Explorer started again with an empty tray: the icon goes back if it was there.
// TRUE when msg is that announcement.
BOOL TR_TaskbarCreated(UINT msg);
