// The tray: hiding the program in the taskbar's notification area.
#pragma once

// Until the tray icon is built this minimises the main window to the taskbar.
void TR_HideToTray();
