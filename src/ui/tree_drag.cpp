// Dragging a card or a field item out of the tree: dropped on another program's
// window, its values are typed there.
#include "frame/trace.h"
#include "model/card_fields.h"
#include "model/cards.h"
#include "model/fields.h"
#include "model/tree_build.h"
#include "ui/auto_type.h"
#include "ui/mainwnd.h"
#include "ui/resource.h"
#include "ui/split_bar.h"
#include "ui/tree_view.h"

#include <cstring>

namespace {
TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

// The program's own main-window parts take no drop.
bool OwnWindow(HWND w) {
    const HWND own[] = {MainWindows.hWndLinks,  MainWindows.hWndRechts, MainWindows.hWndMain,
                        MainWindows.hStatusWnd, MainWindows.hTrennWnd,  MainWindows.hCardView,
                        ListState.hLVEdit,      MainWindows.hMyTree,    MainWindows.hMyEdit};
    for (HWND o : own)
        if (w && w == o)
            return true;
    return false;
}

// A card's drag fields, separated by Tab; a card with its own field table
// types its own fields (the folder's would name contents it does not have).
void TypeCard(uint32_t card) {
    bool first = true;
    CF_CURSOR cursor;
    CF_FIELD field;
    for (int more = CF_First(card, &cursor, &field); more; more = CF_Next(&cursor, &field)) {
        if (!field.drag)
            continue;
        char content[MAX_FELD_LAENGE + 1] = {};
        if (FW_GetFeld(card, field.nFeldIndex, content) != 0 || !content[0])
            continue;
        if (!first)
            AT_SendTab();
        first = false;
        AT_ClearField();
        AT_TypeText(content);
        SecureZeroMemory(content, sizeof content);
    }
}

void TypeField(HTREEITEM item) {
    for (const FELDINHALT *c : SW_Contents()) {
        if (c->hFeldTree != T(item))
            continue;
        CF_FIELD desc = {};
        if (CF_FindField(c->nKartenKennung, c->nFeldIndex, &desc) == 0 && desc.type == FT_ALARM2)
            return;
        if (c->lpFeldInhalt) {
            AT_ClearField();
            AT_TypeText(c->lpFeldInhalt);
        }
        return;
    }
}
} // namespace

void TV_BeginDrag(HWND hPane, HTREEITEM hItem) {
    if (!hItem)
        return;
    TreeView_SelectItem(MainWindows.hWndLinks, hItem);
    uint32_t kind = TV_GetItemKind(hItem);
    if (kind != TV_KIND_CARD && kind != TV_KIND_FIELD)
        return;
    if (kind == TV_KIND_FIELD) {
        MA_ResetRightPane();
        CW_ClearDisplayMode();
    }
    TreeState.nTVDragKind = kind;
    TRACE(TRACE_FUNCTIONS, "TV_FNK", "B TV_BeginDrag() (kind=%u)", kind);
    SetCursor(LoadCursorA(hInst, MAKEINTRESOURCEA(IDC_TV_DRAG)));
    SetCapture(hPane);
}

void TV_DropAt(POINT screen) {
    uint32_t kind = TreeState.nTVDragKind;
    HTREEITEM item = TV_GetSelection();
    TreeState.nTVDragKind = 0;
    HWND target = WindowFromPoint(screen);
    TRACE(TRACE_FUNCTIONS, "TV_FNK", "B TV_DropAt(%d, %d) (kind=%u, target=%x)", static_cast<int>(screen.x),
          static_cast<int>(screen.y), kind, TRACE_PTR(target));
    if (!target || OwnWindow(target) || !item)
        return;
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))); // IDC_ARROW
    SetForegroundWindow(GetAncestor(target, GA_ROOT)); // a field's own window cannot be the foreground
    // A click at the drop point puts the focus into the field there.
    INPUT click[2] = {};
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    for (INPUT &in : click) {
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((screen.x * 65535LL) / (sw > 1 ? sw - 1 : 1));
        in.mi.dy = static_cast<LONG>((screen.y * 65535LL) / (sh > 1 ? sh - 1 : 1));
    }
    click[0].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    Sleep(500);
    if (kind == TV_KIND_CARD) {
        int card = CW_GetCardId(T(item));
        if (card >= 0)
            TypeCard(static_cast<uint32_t>(card));
    } else if (kind == TV_KIND_FIELD) {
        TypeField(item);
    }
}

namespace {
BOOL bDropping = FALSE; // the capture is given up for the drop itself
}

void TV_CancelDrag() {
    if (!bDropping)
        TreeState.nTVDragKind = 0;
}

void TV_EndDrag(HWND) {
    bDropping = TRUE;
    ReleaseCapture();
    bDropping = FALSE;
    POINT pt;
    GetCursorPos(&pt);
    TV_DropAt(pt);
}

// The split bar tells the pane under the cursor; the pane moves the tracking
// line and the split position to the cursor.
void TV_SplitTrack(HWND hPane) {
    if (MA_SplitDragging())
        MA_SplitTrack(hPane);
}
