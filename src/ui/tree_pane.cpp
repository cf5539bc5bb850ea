// The tree pane "orvTree": its tree control and the control's notifications.
#include "config/settings.h"
#include "frame/logs.h"
#include "model/cards.h"
#include "model/folders.h"
#include "model/tree_build.h"
#include "platform/uiport.h"
#include "ui/main_keys.h"
#include "ui/mainwnd.h"
#include "ui/resource.h"
#include "ui/statusbar.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"

#include <commctrl.h>

#include <cstring>

namespace {
TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

// The item under the cursor's last position, in the tree's client coordinates.
HTREEITEM ItemAtCursor() {
    DWORD pos = GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(pos));
    hit.pt.y = static_cast<short>(HIWORD(pos));
    ScreenToClient(MainWindows.hWndLinks, &hit.pt);
    HTREEITEM item = TreeView_HitTest(MainWindows.hWndLinks, &hit);
    return (hit.flags & TVHT_ONITEM) ? item : nullptr;
}

void SetText(HTREEITEM hItem, const char *text) {
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<char *>(text);
    SendMessageA(MainWindows.hWndLinks, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

LRESULT CustomDraw(NMTVCUSTOMDRAW *cd) {
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        // The selected item keeps the highlight, so the selection stays visible.
        if (!(cd->nmcd.uItemState & CDIS_SELECTED)) {
            cd->clrText = RGB(0, 0, 0);
            cd->clrTextBk = static_cast<COLORREF>(Settings.TViewBKColor);
        }
        return CDRF_DODEFAULT;
    default: return CDRF_DODEFAULT;
    }
}

// A name takes an edited label, cut to its capacity; the item shows what was stored.
void Rename(HTREEITEM hItem, char *name, size_t size, const char *text) {
    memset(name, 0, size);
    strncpy(name, text, size - 1);
    SetText(hItem, name);
}

// A label edit ended with a text: the folder's or card's name takes it. The
// answer is FALSE because the item already shows the stored name.
BOOL EndLabelEdit(const NMTVDISPINFOA *info) {
    if (!info->item.pszText)
        return FALSE;
    TREEHANDLE item = T(info->item.hItem);
    uint32_t kind = TV_GetItemKind(info->item.hItem);
    for (ORDNER *o : SW_Folders())
        if (kind == TV_KIND_FOLDER && o->hOrdnerTree == item)
            Rename(info->item.hItem, o->cOrdnerName, sizeof o->cOrdnerName, info->item.pszText);
    for (KARTE *k : SW_Cards())
        if (kind == TV_KIND_CARD && k->hCardTree == item)
            Rename(info->item.hItem, k->cKartenName, sizeof k->cKartenName, info->item.pszText);
    return FALSE;
}

LRESULT TreeNotify(HWND hPane, NMHDR *hdr) {
    switch (hdr->code) {
    case NM_CUSTOMDRAW: return CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW *>(hdr));
    case NM_CLICK: {
        HTREEITEM item = ItemAtCursor();
        if (item) {
            TreeView_SelectItem(MainWindows.hWndLinks, item);
            TV_ItemSelected(item);
        }
        return 0;
    }
    case TVN_SELCHANGEDA: {
        // The keyboard moves the selection as a click would.
        const NMTREEVIEWA *nm = reinterpret_cast<NMTREEVIEWA *>(hdr);
        if (nm->action == TVC_BYKEYBOARD && nm->itemNew.hItem)
            TV_ItemSelected(nm->itemNew.hItem);
        return 0;
    }
    case NM_RCLICK: {
        HTREEITEM item = ItemAtCursor();
        if (item) {
            TreeView_SelectItem(MainWindows.hWndLinks, item);
            TreeState.bTVRightClick = TRUE;
        } else {
            MA_EnableCommand(IDM_CREATECARD, 0);
        }
        // The context menu follows through WM_CONTEXTMENU.
        DWORD pos = GetMessagePos();
        SendMessageA(hPane, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(MainWindows.hWndLinks), static_cast<LPARAM>(pos));
        return 1;
    }
    case NM_KILLFOCUS:
        TreeState.bTVRightClick = FALSE;
        MA_EnableCommand(IDM_CREATECARD, 0);
        return 0;
    case TVN_BEGINLABELEDITA: {
        const NMTVDISPINFOA *info = reinterpret_cast<NMTVDISPINFOA *>(hdr);
        uint32_t kind = TV_GetItemKind(info->item.hItem);
        BOOL refuse = MainModes.bQuickWindowMode || !(kind == TV_KIND_FOLDER || kind == TV_KIND_CARD);
        return refuse;
    }
    case TVN_ENDLABELEDITA: return EndLabelEdit(reinterpret_cast<NMTVDISPINFOA *>(hdr));
    case TVN_ITEMEXPANDINGA: {
        const NMTREEVIEWA *nm = reinterpret_cast<NMTREEVIEWA *>(hdr);
        if (nm->action & TVE_EXPAND)
            TV_FillItems(nm->itemNew.hItem);
        return FALSE;
    }
    case TVN_ITEMEXPANDEDA: {
        const NMTREEVIEWA *nm = reinterpret_cast<NMTREEVIEWA *>(hdr);
        uint32_t expanded = (nm->action & TVE_EXPAND) ? 1 : 0;
        switch (TV_GetItemKind(nm->itemNew.hItem)) {
        case TV_KIND_FOLDER: OW_SetOrdnerExpanded(T(nm->itemNew.hItem), expanded); break;
        case TV_KIND_CARD: CW_SetCardExpanded(T(nm->itemNew.hItem), expanded); break;
        default: break;
        }
        return 0;
    }
    case TVN_BEGINDRAGA: {
        const NMTREEVIEWA *nm = reinterpret_cast<NMTREEVIEWA *>(hdr);
        TV_BeginDrag(hPane, nm->itemNew.hItem);
        return 0;
    }
    default: return 0;
    }
}
} // namespace

void TV_ItemSelected(HTREEITEM hItem) {
    if (!hItem)
        return;
    uint32_t kind = TV_GetItemKind(hItem);
    if (!kind) {
        ML_WriteLog("M 02", "cannot get selected Item Information", 0);
        UI_MessageBox("P-Error: TreeView Problem (01)", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return;
    }
    if (MainModes.bQuickWindowMode && kind == TV_KIND_URL) {
        for (FELDINHALT *c : SW_Contents())
            if (c->hFeldTree == T(hItem)) {
                if (c->lpFeldInhalt && c->lpFeldInhalt[0]) {
                    char target[300];
                    if (strncmp(c->lpFeldInhalt, "http://", 7) != 0 && strncmp(c->lpFeldInhalt, "https://", 8) != 0)
                        wsprintfA(target, "http://%s", c->lpFeldInhalt);
                    else
                        lstrcpynA(target, c->lpFeldInhalt, sizeof target);
                    CW_ShellOpen(target);
                    SecureZeroMemory(target, sizeof target);
                }
                break;
            }
        return;
    }
    if (kind == TV_KIND_CARD) {
        TreeState.nTVLastKind = TV_KIND_CARD;
        CW_ShowCardContentList(hItem);
        CW_EnterDisplayMode();
        TreeState.bTVRightClick = FALSE;
        MA_EnableCommand(IDM_CREATECARD, 0);
        if (MainModes.bQuickWindowMode)
            CW_OpenCardUrl();
        return;
    }
    MA_EnableCommand(IDM_CREATECARD, kind == TV_KIND_FOLDER);
    TreeState.nTVLastKind = 0;
    MA_ResetRightPane();
    CW_ClearDisplayMode();
    MA_ToolbarNoCard();
}

void TV_ClickItem(TREEHANDLE item) {
    TV_SelectItem(item);
    TV_ItemSelected(reinterpret_cast<HTREEITEM>(item));
}

LRESULT CALLBACK TV_TreePaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        RECT rc;
        GetClientRect(hWnd, &rc);
        MainWindows.hWndLinks = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL |
                                                    TVS_HASBUTTONS | TVS_HASLINES | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                                                0, 0, rc.right, rc.bottom, hWnd, nullptr, hInst, nullptr);
        if (!MainWindows.hWndLinks)
            return -1;
        TreeView_SetBkColor(MainWindows.hWndLinks, static_cast<COLORREF>(Settings.TViewBKColor));
        return 0;
    }
    case WM_SIZE:
        if (MainWindows.hWndLinks)
            MoveWindow(MainWindows.hWndLinks, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_PAINT:
        if (MainWindows.hWndLinks)
            TreeView_SetBkColor(MainWindows.hWndLinks, static_cast<COLORREF>(Settings.TViewBKColor));
        break;
    case WM_NOTIFY: {
        NMHDR *hdr = reinterpret_cast<NMHDR *>(lParam);
        if (hdr->hwndFrom == MainWindows.hWndLinks)
            return TreeNotify(hWnd, hdr);
        break;
    }
    case WM_CONTEXTMENU:
        // From the keyboard (-1, -1): under the selected item, as Shift+F10 in the tree opens it.
        if (static_cast<DWORD>(lParam) == 0xFFFFFFFFu) {
            MK_Perform(KR_CONTEXT_MENU);
            return 0;
        }
        TV_ContextMenu(hWnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_COMMAND: TV_Command(hWnd, LOWORD(wParam)); return 0;
    case WM_MOUSEMOVE:
        if (TreeState.nTVDragKind)
            SetCursor(LoadCursorA(hInst, MAKEINTRESOURCEA(IDC_TV_DRAG)));
        return 0;
    case WM_LBUTTONUP:
        if (TreeState.nTVDragKind)
            TV_EndDrag(hWnd);
        return 0;
    case WM_CAPTURECHANGED:
        if (TreeState.nTVDragKind)
            TV_CancelDrag();
        return 0;
    case UM_SPLITTRACK: TV_SplitTrack(hWnd); return 0;
    case WM_DESTROY: MainWindows.hWndLinks = nullptr; return 0;
    default: break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
