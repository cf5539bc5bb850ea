#include "ui/statusbar.h"

#include "frame/trace.h"
#include "model/records.h"
#include "model/window_layout.h"
#include "ui/dpi.h"
#include "ui/ids_main.h"
#include "ui/tree_view.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <vector>


HWND SB_CreateBar(HWND owner, int id) {
    return CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS | CCS_BOTTOM,
                           0, 0, 0, 0, owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), hInst, nullptr);
}

static int32_t TextWidthIn(HWND hWnd, HFONT font, const char *text) {
    HDC dc = GetDC(hWnd);
    if (!dc)
        return -1;
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size;
    BOOL ok = GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(hWnd, dc);
    return ok ? size.cx : -1;
}

// Width of a sample text as the owner window measures it, or wider where the
// bar's own font needs more (the bar's font grows with the screen's scale);
// -1 when it cannot be measured.
static int32_t TextWidth(HWND owner, HWND bar, const char *text) {
    int32_t w = TextWidthIn(owner, nullptr, text);
    if (w < 0 || !bar)
        return w;
    int32_t inBar = TextWidthIn(bar, reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0)), text);
    return inBar > w ? inBar : w;
}

static void SetPartText(HWND bar, const char *text, int part, int style) {
    if (bar)
        SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(part | style), reinterpret_cast<LPARAM>(text));
}

static void SetParts(HWND bar, const int32_t *edges, int count) {
    int parts[SB_MAIN_PARTS];
    for (int i = 0; i < count; ++i)
        parts[i] = edges[i];
    SendMessageA(bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(parts));
}

void SB_LayoutMain() {
    if (!MainWindows.hStatusWnd || !MainWindows.hWndMain)
        return;
    RECT rc;
    GetClientRect(MainWindows.hWndMain, &rc);
    int32_t edges[SB_MAIN_PARTS];
    HWND bar = MainWindows.hStatusWnd;
    WL_StatusEdgesMain(rc.left, rc.right, TextWidth(MainWindows.hWndMain, bar, "12345"), TextWidth(MainWindows.hWndMain, bar, "Cards:"),
                       TextWidth(MainWindows.hWndMain, bar, "123"), TextWidth(MainWindows.hWndMain, bar, "Folder:"), DP_WindowDpi(MainWindows.hWndMain),
                       edges);
    SetParts(MainWindows.hStatusWnd, edges, SB_MAIN_PARTS);
    SetPartText(MainWindows.hStatusWnd, "Folder:", 2, SBT_POPOUT);
    SetPartText(MainWindows.hStatusWnd, "Cards:", 4, SBT_POPOUT);
    // A reminder that the trace log is growing.
    HICON trace = nullptr;
    if (dwTraceLevel != 0)
        trace = static_cast<HICON>(LoadImageA(hInst, MAKEINTRESOURCEA(IDI_TRACE), IMAGE_ICON,
                                              DP_ImageSize(MainWindows.hWndMain, 16), DP_ImageSize(MainWindows.hWndMain, 16), LR_SHARED));
    SendMessageA(MainWindows.hStatusWnd, SB_SETICON, 0, reinterpret_cast<LPARAM>(trace));
}

void SB_SetText(const char *text, int part, int style) { SetPartText(MainWindows.hStatusWnd, text, part, style); }

void SB_ShowMode(const char *text) {
    const size_t size = strlen(text) + 69;
    std::vector<char> buf(size);
    const char *card = TV_SelectedCardName();
    snprintf(buf.data(), size, " %s:   %s", text, card ? card : "");
    SB_SetText(buf.data(), 1, 0);
}

void SB_ShowCounts() {
    char text[16];
    snprintf(text, sizeof text, "%3d", static_cast<int>(RecordCounts.nOrdnerCount));
    SB_SetText(text, 3, 0);
    snprintf(text, sizeof text, "%3d", static_cast<int>(RecordCounts.nCardCount));
    SB_SetText(text, 5, 0);
}

void SB_LayoutDrop() {
    if (!MainWindows.hDropStatusWnd || !MainWindows.hDropWnd)
        return;
    RECT rc;
    GetClientRect(MainWindows.hDropWnd, &rc);
    int32_t edges[SB_DROP_PARTS];
    HWND bar = MainWindows.hDropStatusWnd;
    WL_StatusEdgesDrop(rc.right, TextWidth(MainWindows.hDropWnd, bar, "555555"),
                       TextWidth(MainWindows.hDropWnd, bar, "Files:"), TextWidth(MainWindows.hDropWnd, bar, "555"),
                       TextWidth(MainWindows.hDropWnd, bar, "Folder:"), DP_WindowDpi(MainWindows.hDropWnd), edges);
    SetParts(MainWindows.hDropStatusWnd, edges, SB_DROP_PARTS);
    SetPartText(MainWindows.hDropStatusWnd, "Folder:", 1, SBT_POPOUT);
    SetPartText(MainWindows.hDropStatusWnd, "Files:", 3, SBT_POPOUT);
}

void SB_SetDropText(const char *text, int part, int style) { SetPartText(MainWindows.hDropStatusWnd, text, part, style); }

void SB_ShowDropCounts(unsigned folders, unsigned files) {
    char text[16];
    snprintf(text, sizeof text, "%5u", folders);
    SB_SetDropText(text, 2, 0);
    snprintf(text, sizeof text, "%6u", files);
    SB_SetDropText(text, 4, 0);
}

void SB_LayoutSearch() {
    if (!MainWindows.hSearchStatusWnd || !MainWindows.hSearchWnd)
        return;
    RECT rc;
    GetClientRect(MainWindows.hSearchWnd, &rc);
    int32_t edges[SB_SEARCH_PARTS];
    WL_StatusEdgesSearch(rc.right, TextWidth(MainWindows.hSearchWnd, MainWindows.hSearchStatusWnd, "555555"),
                         TextWidth(MainWindows.hSearchWnd, MainWindows.hSearchStatusWnd, "Searchresults:"),
                         DP_WindowDpi(MainWindows.hSearchWnd), edges);
    SetParts(MainWindows.hSearchStatusWnd, edges, SB_SEARCH_PARTS);
    SetPartText(MainWindows.hSearchStatusWnd, "Searchresults:", 1, SBT_POPOUT);
}

void SB_SetSearchText(const char *text, int part, int style) { SetPartText(MainWindows.hSearchStatusWnd, text, part, style); }

void SB_ShowSearchCount(unsigned count) {
    char text[16];
    snprintf(text, sizeof text, "%5u", count);
    SB_SetSearchText(text, 2, 0);
}
