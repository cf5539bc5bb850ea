#include "ui/menus.h"

HMENU MA_LoadMenu(unsigned id) {
    return LoadMenuA(hInst ? hInst : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

void MA_EnableMenuItem(HMENU menu, unsigned id, BOOL enable) {
    if (menu)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void TR_PopupMenu(HWND owner, HMENU menu, int x, int y) {
    if (!menu)
        return;
    SetFocus(owner);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    DestroyMenu(menu);
}

int TR_PopupMenuAt(HWND owner, HMENU menu, POINT client) {
    RECT rc;
    GetClientRect(owner, &rc);
    if (!PtInRect(&rc, client)) {
        if (menu)
            DestroyMenu(menu);
        return 0;
    }
    POINT screen = client;
    ClientToScreen(owner, &screen);
    TR_PopupMenu(owner, menu, screen.x, screen.y);
    return 1;
}
