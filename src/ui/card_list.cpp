// The card pane "orvEdit": the card list of change mode, its drawing and clicks.
#include "config/settings.h"
#include "model/card_fields.h"
#include "model/cards.h"
#include "model/fields.h"
#include "model/tree_build.h"
#include "ui/dpi.h"
#include "ui/list_util.h"
#include "ui/mainwnd.h"
#include "ui/resource.h"
#include "ui/statusbar.h"
#include "ui/tree_view.h"

#include <commctrl.h>

#include <cstring>

namespace {
TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

HFONT ListFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

LRESULT CustomDraw(NMLVCUSTOMDRAW *cd) {
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        cd->clrText = cd->iSubItem == 0 ? RGB(0, 0, 255) : RGB(0, 0, 0);
        cd->clrTextBk = static_cast<COLORREF>(Settings.LViewBKColor);
        return CDRF_DODEFAULT;
    default: return CDRF_DODEFAULT;
    }
}

// The list passes the browse button's click on to the pane.
WNDPROC pfnListProc = nullptr;
LRESULT CALLBACK ListProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDC_LV_BROWSE && HIWORD(wParam) == BN_CLICKED) {
        LV_Browse();
        return 0;
    }
    return CallWindowProcA(pfnListProc, hWnd, msg, wParam, lParam);
}
} // namespace

LV_STATE ListState = {-1, nullptr, nullptr, 0, nullptr};

int LV_TextWidth(const char *text) {
    if (!MainWindows.hWndRechts)
        return 8 * lstrlenA(text);
    HDC dc = GetDC(MainWindows.hWndRechts);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(MainWindows.hWndRechts, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(MainWindows.hWndRechts, dc);
    return size.cx;
}

int CW_NameColumnWidth(uint32_t nKartenKennung) {
    if (CW_GetFirstCardField(nKartenKennung))
        return CW_GetCardMaxFieldNameLength(nKartenKennung, 1);
    return CW_GetCardMaxFieldNameLength(CF_CardFolder(nKartenKennung), 0);
}

void CW_ShowCardContentList(HTREEITEM hCardItem) {
    MA_ResetRightPane();
    LV_EndEdit();
    if (!MainWindows.hWndRechts)
        return;
    LU_WipeItems(MainWindows.hWndRechts);
    ListView_SetBkColor(MainWindows.hWndRechts, static_cast<COLORREF>(Settings.LViewBKColor));
    SB_ShowMode("Change card content");
    while (ListView_DeleteColumn(MainWindows.hWndRechts, 0)) {
    }
    int id = CW_GetCardId(T(hCardItem));
    if (id < 0)
        return;
    ListState.nLVCardId = static_cast<uint32_t>(id);
    ListState.hLVCardItem = hCardItem;
    int w = CW_NameColumnWidth(ListState.nLVCardId);
    RECT rc;
    GetClientRect(MainWindows.hWndRechts, &rc);
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char *>("Feld");
    const int margin = DP_Scale(MainWindows.hWndRechts, 10);
    col.cx = w + margin;
    ListView_InsertColumn(MainWindows.hWndRechts, 0, &col);
    col.pszText = const_cast<char *>("Inhalt");
    col.cx = rc.right - w - margin;
    col.iSubItem = 1;
    ListView_InsertColumn(MainWindows.hWndRechts, 1, &col);

    CF_CURSOR cursor;
    CF_FIELD field;
    int row = 0;
    for (int more = CF_First(ListState.nLVCardId, &cursor, &field); more; more = CF_Next(&cursor, &field)) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<char *>(field.name);
        item.lParam = static_cast<LPARAM>(field.nFeldIndex);
        int at = ListView_InsertItem(MainWindows.hWndRechts, &item);
        char content[MAX_FELD_LAENGE + 1] = {};
        if (FW_GetFeld(ListState.nLVCardId, field.nFeldIndex, content) != 0)
            content[0] = 0;
        ListView_SetItemText(MainWindows.hWndRechts, at, 1, content);
        SecureZeroMemory(content, sizeof content);
        ++row;
    }
}

void LV_ListClick(int y) {
    SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    if (!TV_GetSelection())
        return;
    LVHITTESTINFO hit = {};
    hit.pt.x = 5;
    hit.pt.y = y;
    int row = ListView_HitTest(MainWindows.hWndRechts, &hit);
    if (row >= 0) {
        ListState.nLVEditRow = row;
        SendMessageA(MainWindows.hMyEdit, UM_BEGINEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
        return;
    }
    LV_CloseEditor();
    if (TreeState.nTVLastKind == TV_KIND_CARD)
        CW_EnterDisplayMode();
}

LRESULT CALLBACK LV_CardPaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        RECT rc;
        GetClientRect(hWnd, &rc);
        MainWindows.hWndRechts = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                                 WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL |
                                                     LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER,
                                                 0, 0, rc.right, rc.bottom, hWnd, nullptr, hInst, nullptr);
        if (!MainWindows.hWndRechts)
            return -1;
        SendMessageA(MainWindows.hWndRechts, WM_SETFONT, reinterpret_cast<WPARAM>(ListFont()), FALSE);
        ListView_SetBkColor(MainWindows.hWndRechts, static_cast<COLORREF>(Settings.LViewBKColor));
        pfnListProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(MainWindows.hWndRechts, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
        RECT lc;
        GetClientRect(MainWindows.hWndRechts, &lc);
        MainWindows.hCardView = CreateWindowExA(0, CLASS_CARDVIEW, "", WS_CHILD, 0, 0, lc.right, lc.bottom,
                                                MainWindows.hWndRechts, nullptr, hInst, nullptr);
        return 0;
    }
    case WM_SIZE:
        if (MainWindows.hWndRechts) {
            MoveWindow(MainWindows.hWndRechts, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            RECT lc;
            GetClientRect(MainWindows.hWndRechts, &lc);
            if (MainWindows.hCardView)
                MoveWindow(MainWindows.hCardView, 0, 0, lc.right, lc.bottom, TRUE);
        }
        return 0;
    case WM_PAINT:
        if (MainWindows.hWndRechts)
            ListView_SetBkColor(MainWindows.hWndRechts, static_cast<COLORREF>(Settings.LViewBKColor));
        break;
    case WM_NOTIFY: {
        NMHDR *hdr = reinterpret_cast<NMHDR *>(lParam);
        if (hdr->hwndFrom != MainWindows.hWndRechts)
            break;
        switch (hdr->code) {
        case NM_CUSTOMDRAW: return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW *>(lParam));
        case NM_CLICK:
        case NM_DBLCLK: LV_ListClick(reinterpret_cast<NMITEMACTIVATE *>(lParam)->ptAction.y); return 0;
        default: return 0;
        }
    }
    case UM_BEGINEDIT: LV_BeginEdit(); return 0;
    case UM_ENDEDIT: LV_EndEdit(); return 0;
    case UM_SPLITTRACK: TV_SplitTrack(hWnd); return 0;
    case WM_DESTROY:
        LV_CloseEditor();
        MainWindows.hWndRechts = nullptr;
        MainWindows.hCardView = nullptr;
        return 0;
    default: break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
