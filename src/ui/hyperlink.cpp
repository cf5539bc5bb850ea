#include "ui/hyperlink.h"

#include "ui/ids_main.h"

#define PROP_ORIGINAL_PROC "_Hyperlink_Original_Proc_"
#define PROP_ORIGINAL_FONT "_Hyperlink_Original_Font_"
#define PROP_UNDERLINE_FONT "_Hyperlink_Underline_Font_"
#define PROP_FROM_STATIC "_Hyperlink_From_Static_"

static WNDPROC OriginalProc(HWND hWnd) { return reinterpret_cast<WNDPROC>(GetPropA(hWnd, PROP_ORIGINAL_PROC)); }

// The dialog around a link: colours its links blue.
static LRESULT CALLBACK LinkParentProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = OriginalProc(hWnd);
    switch (msg) {
    case WM_CTLCOLORSTATIC: {
        LRESULT answer = CallWindowProcA(previous, hWnd, msg, wParam, lParam);
        if (GetPropA(reinterpret_cast<HWND>(lParam), PROP_FROM_STATIC))
            SetTextColor(reinterpret_cast<HDC>(wParam), HL_LINK_COLOUR);
        return answer;
    }
    case WM_DESTROY:
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(hWnd, PROP_ORIGINAL_PROC);
        return CallWindowProcA(previous, hWnd, msg, wParam, lParam);
    default: return CallWindowProcA(previous, hWnd, msg, wParam, lParam);
    }
}

static LRESULT CALLBACK LinkProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = OriginalProc(hWnd);
    switch (msg) {
    case WM_SETCURSOR: {
        HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HANDLINK));
        if (!hand)
            hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
        SetCursor(hand);
        return TRUE;
    }
    case WM_MOUSEMOVE:
        if (GetCapture() != hWnd) {
            SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetPropA(hWnd, PROP_UNDERLINE_FONT)), FALSE);
            InvalidateRect(hWnd, nullptr, FALSE);
            SetCapture(hWnd);
        } else {
            RECT r;
            GetWindowRect(hWnd, &r);
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hWnd, &pt);
            if (!PtInRect(&r, pt)) {
                SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetPropA(hWnd, PROP_ORIGINAL_FONT)), FALSE);
                InvalidateRect(hWnd, nullptr, FALSE);
                ReleaseCapture();
            }
        }
        break;
    case WM_DESTROY: {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetPropA(hWnd, PROP_ORIGINAL_FONT)), FALSE);
        HFONT underline = static_cast<HFONT>(GetPropA(hWnd, PROP_UNDERLINE_FONT));
        if (underline)
            DeleteObject(underline);
        RemovePropA(hWnd, PROP_ORIGINAL_PROC);
        RemovePropA(hWnd, PROP_ORIGINAL_FONT);
        RemovePropA(hWnd, PROP_UNDERLINE_FONT);
        RemovePropA(hWnd, PROP_FROM_STATIC);
        return CallWindowProcA(previous, hWnd, msg, wParam, lParam);
    }
    default: break;
    }
    return CallWindowProcA(previous, hWnd, msg, wParam, lParam);
}

BOOL HL_MakeHyperlink(HWND hStatic) {
    if (!hStatic || GetPropA(hStatic, PROP_FROM_STATIC))
        return FALSE;
    HWND parent = GetParent(hStatic);
    if (parent && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(parent, GWLP_WNDPROC)) != LinkParentProc) {
        SetPropA(parent, PROP_ORIGINAL_PROC, reinterpret_cast<HANDLE>(GetWindowLongPtrA(parent, GWLP_WNDPROC)));
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkParentProc));
    }
    SetWindowLongPtrA(hStatic, GWL_STYLE, GetWindowLongPtrA(hStatic, GWL_STYLE) | SS_NOTIFY);
    SetPropA(hStatic, PROP_ORIGINAL_PROC, reinterpret_cast<HANDLE>(GetWindowLongPtrA(hStatic, GWLP_WNDPROC)));
    SetWindowLongPtrA(hStatic, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkProc));

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hStatic, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA lf;
    GetObjectA(font, sizeof lf, &lf);
    lf.lfUnderline = TRUE;
    SetPropA(hStatic, PROP_ORIGINAL_FONT, font);
    SetPropA(hStatic, PROP_UNDERLINE_FONT, CreateFontIndirectA(&lf));
    SetPropA(hStatic, PROP_FROM_STATIC, reinterpret_cast<HANDLE>(1));
    return TRUE;
}

BOOL HL_MakeDlgItemHyperlink(HWND hDlg, int id) { return HL_MakeHyperlink(GetDlgItem(hDlg, id)); }
