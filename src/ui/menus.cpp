#include "ui/menus.h"

#include "model/unbuilt_commands.h"

namespace {
void GreyUnbuilt(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            GreyUnbuilt(sub);
            continue;
        }
        const UINT id = GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1) && !MA_CommandBuilt(id))
            EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
    }
}
} // namespace

BOOL MA_CommandBuilt(unsigned id) { return !UC_IsUnbuilt(id); }

HMENU MA_LoadMenu(unsigned id) {
    HMENU menu = LoadMenuA(hInst ? hInst : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    if (menu)
        GreyUnbuilt(menu);
    return menu;
}

void MA_EnableMenuItem(HMENU menu, unsigned id, BOOL enable) {
    if (menu)
        EnableMenuItem(menu, id, MF_BYCOMMAND | (enable && MA_CommandBuilt(id) ? MF_ENABLED : MF_GRAYED));
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
