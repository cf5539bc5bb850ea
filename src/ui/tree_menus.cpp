// The tree's context menus and their commands. A command whose dialog is not
// built yet has no entry here: its item stays greyed.
#include "frame/logs.h"
#include "model/card_clipboard.h"
#include "model/card_ops.h"
#include "model/cards.h"
#include "model/folder_ops.h"
#include "model/tree_build.h"
#include "model/tree_menus.h"
#include "platform/uiport.h"
#include "ui/fill_dialogs.h"
#include "ui/mainwnd.h"
#include "ui/menus.h"
#include "ui/resource.h"
#include "ui/safe_dialogs.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"

static_assert(TM_MENU_SAFE == IDM_SAFEMENU && TM_MENU_FOLDER == IDM_FOLDERMENU && TM_MENU_CARD == IDM_CARDMENU,
              "the core names the menus the resources hold");

namespace {
TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

void ShowMenu(HWND hPane, unsigned menuId, HTREEITEM sel, POINT screen, const char *code, const char *text) {
    POINT client = screen;
    ScreenToClient(hPane, &client);
    RECT rc;
    GetClientRect(hPane, &rc);
    if (!PtInRect(&rc, client)) {
        ML_WriteLog(code, "Contextmenu Error", 0);
        UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return;
    }
    TR_PopupMenu(hPane, TV_BuildContextMenu(menuId, sel), screen.x, screen.y);
}
} // namespace

HMENU TV_BuildContextMenu(unsigned menuId, HTREEITEM sel) {
    HMENU menu = MA_LoadMenu(menuId);
    if (!menu)
        return nullptr;
    HMENU popup = GetSubMenu(menu, 0);
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id != 0 && id != static_cast<UINT>(-1) && TM_IsGreyed(id, T(sel)))
            MA_EnableMenuItem(popup, id, FALSE);
    }
    return menu;
}

void TV_ContextMenu(HWND hPane, int x, int y) {
    if (!TreeState.bTVRightClick || MainModes.bQuickWindowMode)
        return;
    HTREEITEM sel = TV_GetSelection();
    if (!sel)
        return;
    POINT screen = {x, y};
    POINT inTree = screen;
    ScreenToClient(MainWindows.hWndLinks, &inTree);
    RECT row;
    if (TreeView_GetItemRect(MainWindows.hWndLinks, sel, &row, FALSE) && inTree.y > row.bottom)
        return;
    uint32_t kind = TV_GetItemKind(sel);
    if (!kind) {
        ML_WriteLog("M 04", "cannot get selected Item Information", 0);
        UI_MessageBox("P-Error: TreeView Problem (02)", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return;
    }
    MA_ToolbarNoCard();
    switch (kind) {
    case TV_KIND_SAFE:
        MA_ResetRightPane();
        ShowMenu(hPane, IDM_SAFEMENU, sel, screen, "M 03", "P-Error: Context-Menu (01)");
        break;
    case TV_KIND_FOLDER:
        MA_ResetRightPane();
        MA_EnableCommand(IDM_CREATECARD, 1);
        ShowMenu(hPane, IDM_FOLDERMENU, sel, screen, "M 05", "P-Error: Context-Menu (02)");
        break;
    case TV_KIND_CARD:
        MA_EnableCommand(IDM_CREATECARD, 0);
        ShowMenu(hPane, IDM_CARDMENU, sel, screen, "M 06", "P-Error: Context-Menu (03)");
        break;
    case TV_KIND_FIELD:
        MA_EnableCommand(IDM_CREATECARD, 0);
        MA_ResetRightPane();
        break;
    default: break;
    }
}

// Each command asks, tells and refreshes the tree itself (a delete resets the
// right pane once the user confirmed); what it returns only says which of those happened.
void TV_Command(HWND, unsigned id) {
    HTREEITEM sel = TV_GetSelection();
    switch (id) {
    case IDM_TV_PASSWORD: SD_ChangePasswordDialog(); break;
    case IDM_TV_DELETEFOLDER: (void)OW_DeleteOrdner(T(sel)); break;
    case IDM_TV_DELETECARD: (void)CW_DeleteKarte(T(sel)); break;
    case IDM_TV_CUTCARD: (void)CW_CutCard(T(sel)); break;
    case IDM_TV_PASTECARD: (void)CW_PasteCard(T(sel)); break;
    default: (void)FD_Command(id); break; // the windows that fill the safe
    }
}
