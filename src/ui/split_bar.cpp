#include "ui/split_bar.h"

#include "model/window_layout.h"
#include "ui/dpi.h"

static int nSplitPosition = 0;

int MA_GetSplitPosition() { return nSplitPosition; }
void MA_SetSplitPosition(int position) { nSplitPosition = position; }

static BOOL bDragging = FALSE;
static int nSplitBeforeDrag = 0;
static HWND hLinePane = nullptr; // the pane the tracking line is drawn on
static int nLineX = 0;           // its x in that pane's client coordinates

// Inverts the 2-pixel outline of the tracking line; twice leaves no trace.
static void InvertLine(HWND pane, int x) {
    RECT bar;
    GetClientRect(MainWindows.hTrennWnd, &bar);
    // Not clipped by the pane's children: the line crosses the tree and the list.
    HDC dc = GetDCEx(pane, nullptr, DCX_CACHE);
    if (!dc)
        return;
    const int two = DP_Scale(pane, 2);
    RECT r = {x, two, x + two, bar.bottom - 1};
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
    ReleaseDC(pane, dc);
}

static void EraseLine() {
    if (hLinePane)
        InvertLine(hLinePane, nLineX);
    hLinePane = nullptr;
}

BOOL MA_SplitDragging() { return bDragging; }

void MA_SplitTrack(HWND pane) {
    if (!bDragging || !MainWindows.hWndMain)
        return;
    POINT pt;
    GetCursorPos(&pt);
    POINT inPane = pt;
    ScreenToClient(pane, &inPane);
    EraseLine();
    InvertLine(pane, inPane.x);
    hLinePane = pane;
    nLineX = inPane.x;
    POINT inMain = pt;
    ScreenToClient(MainWindows.hWndMain, &inMain);
    nSplitPosition = inMain.x;
}

// Screen rectangle of a control, or of its pane while the control does not exist.
static RECT ScreenRect(HWND control, HWND pane) {
    RECT r = {};
    GetWindowRect(control ? control : pane, &r);
    return r;
}

static void SizingCursor() { SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32644))); } // IDC_SIZEWE

LRESULT CALLBACK MA_SplitBarProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN: {
        const int x = static_cast<short>(LOWORD(lParam));
        const int two = DP_Scale(hWnd, 2);
        if (x >= -two && x <= two && !MainModes.bQuickWindowMode) {
            bDragging = TRUE;
            nSplitBeforeDrag = nSplitPosition;
            SetCapture(hWnd);
            SizingCursor();
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (bDragging && MainWindows.hWndMain) {
            POINT pt;
            GetCursorPos(&pt);
            RECT main, tree = ScreenRect(MainWindows.hWndLinks, MainWindows.hMyTree),
                       list = ScreenRect(MainWindows.hWndRechts, MainWindows.hMyEdit);
            GetWindowRect(MainWindows.hWndMain, &main);
            switch (WL_SplitTrack(pt.x, main.left, main.right, tree.right, list.left)) {
            case WL_TRACK_IGNORE: return 0;
            // The pane under the cursor is told; the line itself is drawn here, so a
            // pane that answers with MA_SplitTrack only draws it at the same place again.
            case WL_TRACK_TREE:
                SendMessageA(MainWindows.hMyTree, UM_SPLITTRACK, 0, reinterpret_cast<LPARAM>(MainWindows.hWndLinks));
                MA_SplitTrack(MainWindows.hMyTree);
                break;
            case WL_TRACK_CARD:
                SendMessageA(MainWindows.hMyEdit, UM_SPLITTRACK, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
                MA_SplitTrack(MainWindows.hMyEdit);
                break;
            case WL_TRACK_BAR:
                EraseLine();
                nSplitPosition = nSplitBeforeDrag;
                break;
            }
        }
        SizingCursor();
        return 0;
    case WM_LBUTTONUP:
        if (bDragging) {
            bDragging = FALSE;
            ReleaseCapture();
            EraseLine();
            if (MainWindows.hWndMain) {
                RECT rc;
                GetClientRect(MainWindows.hWndMain, &rc);
                SendMessageA(MainWindows.hWndMain, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
            }
            nSplitBeforeDrag = nSplitPosition;
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (bDragging && reinterpret_cast<HWND>(lParam) != hWnd) {
            // Someone took the mouse away: the drag ends where it began.
            bDragging = FALSE;
            EraseLine();
            nSplitPosition = nSplitBeforeDrag;
        }
        return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
