#include "ui/tray.h"

#include "ui/ui_globals.h"

void TR_HideToTray() {
    if (hWndMain)
        ShowWindow(hWndMain, SW_MINIMIZE);
}
