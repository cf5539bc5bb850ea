#include "ui/main_keys.h"

#include "model/tree_build.h"
#include "ui/tree_view.h"

#include <commctrl.h>

namespace {
BOOL CardSelected() {
    HTREEITEM sel = TV_GetSelection();
    return sel && TV_GetItemKind(sel) == TV_KIND_CARD;
}

void EndEdit() {
    if (ListState.hLVEdit)
        SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
}

void SelectRow(int row) {
    ListView_SetItemState(MainWindows.hWndRechts, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void EditRow(int row) {
    if (!MainWindows.hWndRechts || row < 0 || row >= ListView_GetItemCount(MainWindows.hWndRechts))
        return;
    SetFocus(MainWindows.hWndRechts);
    SelectRow(row);
    ListState.nLVEditRow = row;
    SendMessageA(MainWindows.hMyEdit, UM_BEGINEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
}

// The tree's context menu under the selected item, as a right click there would open it.
void KeyboardMenu() {
    HTREEITEM sel = TV_GetSelection();
    if (!sel)
        return;
    TreeView_EnsureVisible(MainWindows.hWndLinks, sel);
    RECT row;
    if (!TreeView_GetItemRect(MainWindows.hWndLinks, sel, &row, TRUE))
        return;
    POINT at = {row.left + 2, (row.top + row.bottom) / 2};
    ClientToScreen(MainWindows.hWndLinks, &at);
    TreeState.bTVRightClick = TRUE;
    TV_ContextMenu(MainWindows.hMyTree, at.x, at.y);
}
} // namespace

void MK_TreeCaret() {
    if (MainWindows.hWndLinks && !TreeView_GetSelection(MainWindows.hWndLinks) &&
        TreeView_GetRoot(MainWindows.hWndLinks))
        TreeView_SelectItem(MainWindows.hWndLinks, TreeView_GetRoot(MainWindows.hWndLinks));
}

BOOL MK_KeyOf(WPARAM vk, BOOL shift, KR_KEY *key) {
    switch (vk) {
    case VK_TAB: *key = KR_KEY_TAB; return TRUE;
    case VK_F6: *key = KR_KEY_F6; return TRUE;
    case VK_RETURN: *key = KR_KEY_ENTER; return TRUE;
    case VK_F2: *key = KR_KEY_F2; return TRUE;
    case VK_ESCAPE: *key = KR_KEY_ESCAPE; return TRUE;
    case VK_APPS: *key = KR_KEY_MENU; return TRUE;
    case VK_F10: *key = KR_KEY_MENU; return shift;
    default: return FALSE;
    }
}

void MK_Perform(KR_ACTION action) {
    switch (action) {
    case KR_FOCUS_PANE:
        if (MainModes.bCardDisplayMode && MainWindows.hCardView && IsWindowVisible(MainWindows.hCardView)) {
            SetFocus(MainWindows.hCardView);
        } else if (MainWindows.hWndRechts) {
            SetFocus(MainWindows.hWndRechts);
            if (ListView_GetNextItem(MainWindows.hWndRechts, -1, LVNI_FOCUSED) < 0 && ListView_GetItemCount(MainWindows.hWndRechts) > 0)
                SelectRow(0);
        }
        break;
    case KR_FOCUS_TREE:
        EndEdit();
        if (!MainWindows.hWndLinks)
            break;
        SetFocus(MainWindows.hWndLinks);
        break;
    case KR_CONTEXT_MENU: KeyboardMenu(); break;
    case KR_SHOW_CARD:
        EndEdit();
        TV_ItemSelected(TV_GetSelection());
        if (MainModes.bCardDisplayMode && MainWindows.hCardView)
            SetFocus(MainWindows.hCardView);
        break;
    case KR_CHANGE_FIRST:
        CW_EnterChangeMode();
        EditRow(0);
        break;
    case KR_EDIT_ROW: {
        int row = ListView_GetNextItem(MainWindows.hWndRechts, -1, LVNI_FOCUSED);
        EditRow(row < 0 ? 0 : row);
        break;
    }
    case KR_LEAVE_EDIT: {
        int row = ListState.nLVEditRow;
        LV_CloseEditor();
        ListState.nLVEditRow = -1;
        SetFocus(MainWindows.hWndRechts);
        if (row >= 0)
            SelectRow(row);
        break;
    }
    case KR_STORE_NEXT: // the editor's own (card_edit.cpp)
    case KR_PASS: break;
    }
}

BOOL MK_TranslateKey(const MSG *msg) {
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return FALSE;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return FALSE;
    KR_PLACE place;
    if (msg->hwnd == MainWindows.hWndLinks && MainWindows.hWndLinks)
        place = KR_IN_TREE;
    else if (msg->hwnd == MainWindows.hCardView && MainWindows.hCardView)
        place = KR_IN_VIEW;
    else if (msg->hwnd == MainWindows.hWndRechts && MainWindows.hWndRechts)
        place = KR_IN_LIST;
    else
        return FALSE;
    if (place == KR_IN_TREE)
        MK_TreeCaret(); // a refilled tree may have lost its selection
    KR_KEY key;
    if (!MK_KeyOf(msg->wParam, GetKeyState(VK_SHIFT) < 0, &key))
        return FALSE;
    KR_ACTION action = KR_KeyAction(key, place, CardSelected());
    if (action == KR_PASS)
        return FALSE;
    MK_Perform(action);
    return TRUE;
}
