#include "tools/tray_state.h"

#include "config/settings.h"
#include "tools/timeout.h"

namespace {
int bTrayButtonPressed = 0;
}

int TR_ButtonPressed() { return bTrayButtonPressed; }

int TR_TrayActions(unsigned mouse, int quickMode, unsigned *actions) {
    *actions = 0;
    switch (mouse) {
    case TR_MOUSE_LDOWN: bTrayButtonPressed = 1; return 1;
    case TR_MOUSE_LUP:
        if (!bTrayButtonPressed)
            return 1;
        if (Inactivity.bSafeClosedByTimeOut) {
            Inactivity.bSafeClosedByTimeOut = 0;
            if (Settings.TimeOutClose)
                *actions |= TR_DO_REOPEN;
        }
        if (quickMode)
            *actions |= TR_DO_QWTIMER;
        *actions |= TR_DO_RESTORE;
        bTrayButtonPressed = 0;
        T_WindowRestored();
        return 1;
    case TR_MOUSE_RUP:
        if (!bTrayButtonPressed)
            *actions = TR_DO_MENU;
        return 1;
    default: return 0;
    }
}

int TR_TrayMenuGreyed(unsigned command, int safeOpen, int noteExists) {
    switch (command) {
    case IDM_TRAYCREATENOTE: return !safeOpen;
    case IDM_TRAYNOTES: return !noteExists;
    default: return 0;
    }
}
