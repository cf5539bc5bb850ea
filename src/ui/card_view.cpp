// The card view "CardView": display mode paints the selected card itself, with
// passwords masked and web, mail and program fields as links.
#include "config/settings.h"
#include "model/card_view.h"
#include "model/cards.h"
#include "model/fields.h"
#include "model/tree_build.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "ui/dpi.h"
#include "ui/mainwnd.h"
#include "ui/statusbar.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"

#include <cstring>


namespace {
HFONT hNameFont = nullptr, hTextFont = nullptr, hLinkFont = nullptr;
HBRUSH hBackBrush = nullptr;
int nRowHeight = 0; // at the last paint
CW_PAINTHOOK pfnPaintHook = nullptr;

TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

void MakeFonts(HWND hWnd) {
    if (hNameFont)
        return;
    LOGFONTA lf;
    DP_StockFont(hWnd, ANSI_VAR_FONT, &lf);
    lf.lfWeight = 700;
    hNameFont = CreateFontIndirectA(&lf);
    lf.lfWeight = 400;
    hTextFont = CreateFontIndirectA(&lf);
    lf.lfUnderline = TRUE;
    hLinkFont = CreateFontIndirectA(&lf);
}

struct PaintCtx {
    HDC dc;
};

int LinkWidth(void *ctx, const char *text) {
    HDC dc = static_cast<PaintCtx *>(ctx)->dc;
    HGDIOBJ old = SelectObject(dc, hLinkFont);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    return size.cx;
}

void PaintRow(void *ctx, const CW_ROW *row) {
    HDC dc = static_cast<PaintCtx *>(ctx)->dc;
    SelectObject(dc, hNameFont);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, row->nameX, row->y, row->name, lstrlenA(row->name));
    SelectObject(dc, row->bLink ? hLinkFont : hTextFont);
    SetTextColor(dc, row->bLink ? RGB(0, 0, 255) : RGB(0, 0, 0));
    TextOutA(dc, row->textX, row->y + row->textDy, row->text, lstrlenA(row->text));
    if (pfnPaintHook)
        pfnPaintHook(row);
}

void RenewBrush(HWND hWnd) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(Settings.LViewBKColor));
    SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
    if (hBackBrush)
        DeleteObject(hBackBrush);
    hBackBrush = brush;
}

void Paint(HWND hWnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    int card = CW_ShownCard();
    if (card < 0) {
        EndPaint(hWnd, &ps);
        return;
    }
    MakeFonts(hWnd);
    RenewBrush(hWnd);
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(dc, &rc, hBackBrush);
    CW_FreeLinkSpots();
    int w = CW_NameColumnWidth(static_cast<uint32_t>(card));
    HGDIOBJ old = SelectObject(dc, hTextFont);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    int rowHeight = tm.tmHeight + tm.tmExternalLeading + 1;
    nRowHeight = rowHeight;
    int h = MainWindows.hWndRechts ? GetScrollPos(MainWindows.hWndRechts, SB_HORZ) : 0;
    int v = MainWindows.hWndRechts ? GetScrollPos(MainWindows.hWndRechts, SB_VERT) : 0;
    SetBkMode(dc, TRANSPARENT);
    PaintCtx ctx = {dc};
    CW_LayoutCard(static_cast<uint32_t>(card), w, rowHeight, h, v, PaintRow, LinkWidth, &ctx);
    SelectObject(dc, old);
    EndPaint(hWnd, &ps);
    SB_ShowMode("Display card content");
}

void Click(int y) {
    if (CW_LinkSpots().empty()) {
        CW_EnterChangeMode();
        return;
    }
    const LINKSPOT *spot = CW_FindLinkSpot(y);
    if (!spot) {
        CW_EnterChangeMode();
        return;
    }
    CW_OpenLink(spot->type, spot->text);
}
} // namespace

int CW_ShownCard() {
    HTREEITEM sel = TV_GetSelection();
    if (!MainModes.bCardDisplayMode || !sel || TV_GetItemKind(sel) != TV_KIND_CARD)
        return -1;
    return CW_GetCardId(T(sel));
}

int CW_ShownRowHeight() { return nRowHeight; }

void CW_OpenLink(uint32_t type, const char *text) {
    char target[CW_TARGET_SIZE] = {};
    int kind = CW_LinkTarget(type, text, target);
    if (kind == 0)
        CW_ShellOpen(target);
    else if (kind == 1)
        TO_StartProgram(target);
    SecureZeroMemory(target, sizeof target);
}

void CW_ResetFonts() {
    for (HFONT *font : {&hNameFont, &hTextFont, &hLinkFont}) {
        if (*font)
            DeleteObject(*font);
        *font = nullptr;
    }
    if (MainWindows.hCardView)
        InvalidateRect(MainWindows.hCardView, nullptr, TRUE);
}

void CW_SetPaintHook(CW_PAINTHOOK hook) { pfnPaintHook = hook; }

void CW_ShellOpen(const char *target) { PL_ShellOpen(target, nullptr, nullptr); }

void TO_StartProgram(const char *path) {
    if (!path || !*path || PL_GetFileAttributes(path) == PL_INVALID_ATTRIBUTES) {
        UI_MessageBox("The programm doesn't exist", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return;
    }
    // The program starts in its own folder, where it may look for its files.
    char dir[MAX_PATH] = {};
    lstrcpynA(dir, path, sizeof dir);
    char *slash = strrchr(dir, '\\');
    if (slash)
        *slash = 0;
    const uint32_t attr = slash ? PL_GetFileAttributes(dir) : PL_INVALID_ATTRIBUTES;
    const bool folder = attr != PL_INVALID_ATTRIBUTES && (attr & PL_ATTR_DIRECTORY);
    PL_ShellOpen(path, nullptr, folder ? dir : nullptr);
}

void CW_OpenCardUrl() {
    if (!Settings.QWUrlQuickLink)
        return;
    HTREEITEM sel = TV_GetSelection();
    int card = sel && TV_GetItemKind(sel) == TV_KIND_CARD ? CW_GetCardId(T(sel)) : -1;
    char target[CW_TARGET_SIZE] = {};
    if (card >= 0 && CW_CardUrlTarget(static_cast<uint32_t>(card), target) == 0)
        CW_ShellOpen(target);
    SecureZeroMemory(target, sizeof target);
}

void CW_EnterDisplayMode() {
    SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    MainModes.bCardDisplayMode = TRUE;
    SB_ShowMode("Display card content");
    if (MainWindows.hCardView) {
        ShowWindow(MainWindows.hCardView, SW_SHOW);
        InvalidateRect(MainWindows.hCardView, nullptr, TRUE);
        // A screen reader reads the fields again: another card may be shown.
        NotifyWinEvent(EVENT_OBJECT_REORDER, MainWindows.hCardView, OBJID_CLIENT, CHILDID_SELF);
    }
    MA_ToolbarDisplayMode();
}

void CW_EnterChangeMode() {
    MainModes.bCardDisplayMode = FALSE;
    if (MainWindows.hCardView)
        ShowWindow(MainWindows.hCardView, SW_HIDE);
    CW_FreeLinkSpots();
    HTREEITEM sel = TV_GetSelection();
    if (sel && TV_GetItemKind(sel) == TV_KIND_CARD)
        CW_ShowCardContentList(sel);
    MA_ToolbarChangeMode();
}

void CW_ClearDisplayMode() {
    MainModes.bCardDisplayMode = FALSE;
    if (MainWindows.hCardView)
        ShowWindow(MainWindows.hCardView, SW_HIDE);
    CW_FreeLinkSpots();
}

void CW_RedisplayField(uint32_t fieldIndex) {
    if (MainWindows.hWndRechts) {
        LVFINDINFOA find = {};
        find.flags = LVFI_PARAM;
        find.lParam = static_cast<LPARAM>(fieldIndex);
        int row = static_cast<int>(SendMessageA(MainWindows.hWndRechts, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(&find)));
        if (row >= 0) {
            char content[MAX_FELD_LAENGE + 1] = {};
            if (FW_GetFeld(ListState.nLVCardId, fieldIndex, content) != 0)
                content[0] = 0;
            ListView_SetItemText(MainWindows.hWndRechts, row, 1, content);
            SecureZeroMemory(content, sizeof content);
        }
    }
    if (MainWindows.hCardView)
        InvalidateRect(MainWindows.hCardView, nullptr, TRUE);
}

LRESULT CALLBACK CW_CardViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(hWnd); return 0;
    case WM_GETOBJECT: {
        LRESULT answer = CW_AnswerGetObject(hWnd, wParam, lParam);
        if (answer)
            return answer;
        break;
    }
    case WM_LBUTTONDOWN:
        if (CW_ShownCard() >= 0)
            Click(static_cast<short>(HIWORD(lParam)));
        break;
    case WM_DESTROY:
        SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(WHITE_BRUSH)));
        if (hBackBrush)
            DeleteObject(hBackBrush);
        hBackBrush = nullptr;
        CW_FreeLinkSpots();
        break;
    default: break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
