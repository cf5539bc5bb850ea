#include "ui/mainwnd.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "config/winpos.h"
#include "frame/logs.h"
#include "model/records.h"
#include "model/window_layout.h"
#include "platform/platform.h"
#include "store/safe_recovery.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/drop_window.h"
#include "tools/note_windows.h"
#include "tools/quick_window.h"
#include "tools/timeout.h"
#include "ui/dpi.h"
#include "ui/drop_window.h"
#include "ui/fill_dialogs.h"
#include "ui/ids_exchange.h"
#include "ui/ids_main.h"
#include "ui/list_util.h"
#include "ui/main_keys.h"
#include "ui/menus.h"
#include "ui/quick_window.h"
#include "ui/search_window.h"
#include "ui/split_bar.h"
#include "ui/statusbar.h"
#include "ui/toolbar.h"
#include "ui/tray.h"
#include "ui/tree_view.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

static HWND hLastFocus = nullptr; // the child that had the keyboard when the window was left
static BOOL bMainCreated = FALSE; // the creation message went through: the end has something to keep


BOOL MA_IsNtFamily() {
    if (MainModes.nPlatformKind == MA_PLATFORM_UNKNOWN)
        MainModes.nPlatformKind = (GetVersion() & 0x80000000u) ? MA_PLATFORM_9X : MA_PLATFORM_NT;
    return MainModes.nPlatformKind == MA_PLATFORM_NT;
}

int MA_WindowRect(UI_WINDOW window, UI_RECT *rect) {
    HWND hWnd = window == UI_WND_MAIN   ? MainWindows.hWndMain
                : window == UI_WND_DROP ? MainWindows.hDropWnd
                                        : MainWindows.hSearchWnd;
    if (!hWnd || !rect)
        return -1;
    RECT r;
    if (IsIconic(hWnd) || IsZoomed(hWnd)) {
        // The restored place, so a window minimised or maximised at the end comes
        // back where the user last had it; it is kept relative to the work area.
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        if (!GetWindowPlacement(hWnd, &wp))
            return -1;
        RECT work = {};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        r = wp.rcNormalPosition;
        OffsetRect(&r, work.left, work.top);
    } else if (!GetWindowRect(hWnd, &r)) {
        return -1;
    }
    rect->left = r.left;
    rect->top = r.top;
    rect->right = r.right;
    rect->bottom = r.bottom;
    return 0;
}

void MA_ResetRightPane() {
    if (MainWindows.hMyEdit)
        SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    LU_WipeItems(MainWindows.hWndRechts); // a card's contents
    SB_SetText("", 1, 0);
    CW_ClearDisplayMode();
}

void MA_EnableCommand(unsigned id, int enable) {
    if (MainWindows.hWndMain)
        MA_EnableMenuItem(GetMenu(MainWindows.hWndMain), id, enable);
    uint32_t bit = TB_MaskBit(id);
    if (bit) {
        TB_SetBits(bit, enable);
        MA_ApplyToolbarState();
    }
}

// The commands a safe makes possible; Change Folder Order needs two folders,
// Save for PDA a PDA path.
static void EnableSafeCommands() {
    static const unsigned always[] = {IDM_CLOSESAFE, IDM_CHANGEPASSWORD, IDM_CREATEFOLDER, IDM_BACKUPSAFE,
                                      IDT_SAVEDESKTOP, IDM_EXPORT};
    HMENU menu = MainWindows.hWndMain ? GetMenu(MainWindows.hWndMain) : nullptr;
    for (unsigned id : always)
        MA_EnableMenuItem(menu, id, TRUE);
    MA_EnableMenuItem(menu, IDM_FOLDERORDER, RecordCounts.nOrdnerCount > 1);
    MA_EnableMenuItem(menu, IDM_SAVEPDA, Settings.PDA_Path[0] != 0);
    MA_SetToolbarState(TB_STATE_SAFEOPEN);
}

static void DisableSafeCommands() {
    static const unsigned ids[] = {IDM_CLOSESAFE, IDM_CHANGEPASSWORD, IDM_CREATEFOLDER, IDM_CREATECARD,
                                   IDM_FOLDERORDER, IDM_BACKUPSAFE,     IDM_SAVEPDA,      IDT_SAVEDESKTOP,
                                   IDT_RESTOREDESKTOP, IDM_EXPORT};
    HMENU menu = MainWindows.hWndMain ? GetMenu(MainWindows.hWndMain) : nullptr;
    for (unsigned id : ids)
        MA_EnableMenuItem(menu, id, FALSE);
    MA_SetToolbarState(TB_STATE_SAFECLOSED);
}

void MA_SafeEvent(SW_EVENT event, const char *path) {
    switch (event) {
    case SW_EVENT_OPENED:
    case SW_EVENT_CREATED:
        MA_ResetRightPane();
        TV_DisplayTreeSafe(path ? path : "");
        TV_FillTree();
        MK_TreeCaret();
        EnableSafeCommands();
        MA_SetToolbarState(TB_STATE_NOCARD);
        SB_ShowCounts();
        break;
    case SW_EVENT_CLOSED:
        MA_ResetRightPane();
        TV_ClearTree();
        DisableSafeCommands();
        SB_SetText("", 3, 0);
        SB_SetText("", 5, 0);
        break;
    case SW_EVENT_NOTES_LOADED: NW_OpenNotes(); break;
    case SW_EVENT_PROFILES_LOADED:
        if (MA_IsNtFamily())
            MA_EnableCommand(IDT_RESTOREDESKTOP, 1);
        break;
    }
}

static void MoveTo(HWND hWnd, const WL_BOX &b) {
    if (hWnd)
        MoveWindow(hWnd, b.x, b.y, b.w, b.h, TRUE);
}

void MA_LayoutMain(HWND hWnd) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    if (MainWindows.hToolbar)
        SendMessageA(MainWindows.hToolbar, TB_AUTOSIZE, 0, 0);
    RECT tb = {};
    if (MainWindows.hToolbar)
        GetClientRect(MainWindows.hToolbar, &tb);
    const UI_RECT client = {rc.left, rc.top, rc.right, rc.bottom};
    WL_MAINLAYOUT l;
    WL_LayoutMain(&client, MainWindows.nToolbarHeight, MainWindows.nStatusHeight, MA_GetSplitPosition(),
                  MainModes.bQuickWindowMode, tb.right, DP_WindowDpi(hWnd), &l);

    MoveTo(MainWindows.hStatusWnd, l.status);
    if (MainWindows.hMyEdit)
        SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    MoveTo(MainWindows.hMyTree, l.tree);
    if (MainWindows.hWndLinks)
        MoveWindow(MainWindows.hWndLinks, 0, 0, l.tree.w, l.tree.h, TRUE);
    if (l.showSplit)
        MoveTo(MainWindows.hTrennWnd, l.split);
    MoveTo(MainWindows.hMyEdit, l.card);
    if (MainWindows.hMyEdit && MainWindows.hWndRechts) {
        RECT pane;
        GetClientRect(MainWindows.hMyEdit, &pane);
        MoveWindow(MainWindows.hWndRechts, 0, 0, pane.right, pane.bottom, TRUE);
        if (MainWindows.hCardView) {
            RECT list;
            GetClientRect(MainWindows.hWndRechts, &list);
            MoveWindow(MainWindows.hCardView, 0, 0, list.right, list.bottom, TRUE);
        }
    }
    MA_PlaceCategoryCombo();
    SB_LayoutMain();
}

void MA_MeasureBars() {
    RECT r = {};
    if (MainWindows.hStatusWnd) {
        SendMessageA(MainWindows.hStatusWnd, WM_SIZE, 0, 0); // the bar takes its height from its font
        GetClientRect(MainWindows.hStatusWnd, &r);
    }
    MainWindows.nStatusHeight = r.bottom;
    r = {};
    if (MainWindows.hToolbar)
        GetClientRect(MainWindows.hToolbar, &r);
    if (!MainModes.bQuickWindowMode || MainWindows.nToolbarHeight)
        MainWindows.nToolbarHeight = r.bottom + DP_Scale(MainWindows.hWndMain, 2);
}

static HWND CreatePane(HWND parent, const char *cls, const WL_BOX &b, DWORD extraStyle) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | extraStyle, b.x, b.y, b.w, b.h, parent, nullptr, hInst,
                           nullptr);
}

// A top-level companion window at its stored place, or at 0,0 600 x 400 (at 96
// DPI; a stored place is kept as it was stored).
static HWND CreateCompanion(HWND hMain, const char *cls, const char *title, const char *key) {
    UI_RECT r;
    if (IW_GetWindowRect(&r, key, 1) != 0)
        r = {0, 0, DP_Scale(hMain, 600), DP_Scale(hMain, 400)};
    return CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW, r.left, r.top, r.right, r.bottom, nullptr, nullptr,
                           hInst, nullptr);
}

static int OnCreate(HWND hWnd) {
    MainWindows.hWndMain = hWnd;
    TB_ResetMask();
    MainWindows.hStatusWnd = SB_CreateBar(hWnd, IDC_STATUSBAR);
    const BOOL nt = MA_IsNtFamily();
    MA_CreateToolbar(hWnd, nt);
    if (!nt) {
        HMENU menu = GetMenu(hWnd);
        if (menu)
            DeleteMenu(menu, 1, MF_BYPOSITION); // "&Tools": the desktop icon feature needs the NT family
    }
    MA_MeasureBars();

    RECT r;
    GetClientRect(hWnd, &r);
    const UI_RECT client = {r.left, r.top, r.right, r.bottom};
    WL_MAINLAYOUT l;
    WL_LayoutMain(&client, MainWindows.nToolbarHeight, MainWindows.nStatusHeight, MA_GetSplitPosition(), FALSE, 0,
                  DP_WindowDpi(hWnd), &l);
    MainWindows.hMyTree = CreatePane(hWnd, CLASS_TREE, l.tree, 0);
    if (!MainWindows.hMyTree)
        return -1;
    MainWindows.hMyEdit = CreatePane(hWnd, CLASS_EDIT, l.card, 0);
    if (!MainWindows.hMyEdit)
        return -1;
    MainWindows.hTrennWnd = CreatePane(hWnd, CLASS_SPLIT, l.split, WS_CLIPSIBLINGS);
    MA_SetSplitPosition(0);

    // Files dropped on the main window go to the drop window's encryption.
    MainWindows.hDropWnd = CreateCompanion(hWnd, CLASS_DROP, DROP_WINDOW_TITLE, "DropWindow");
    if (MainWindows.hDropWnd)
        DragAcceptFiles(hWnd, TRUE);
    MainWindows.hSearchWnd = CreateCompanion(hWnd, CLASS_SEARCH, SEARCH_WINDOW_TITLE, "SearchWindow");
    SB_LayoutMain();
    bMainCreated = TRUE;
    MA_RegisterViews();
    return 0;
}

// The screen's scale changed: the suggested place taken, images and fonts made
// again for the new DPI, the window laid out.
static void DpiChanged(HWND hWnd, const RECT *suggested) {
    SetWindowPos(hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    MA_ToolbarImages();
    TV_CreateImageList();
    CW_ResetFonts();
    MA_MeasureBars();
    MA_LayoutMain(hWnd);
    InvalidateRect(hWnd, nullptr, TRUE);
}

// Set once the safe was written for the end of the program, so it is not written
// (and backed up) a second time on the way out.
static BOOL bWrittenForExit = FALSE;

void MA_Exit(HWND hWnd) {
    if (MainWindows.hMyEdit)
        SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    if (hmySafe && SW_PutSafe(1, 0) != 0)
        return; // the writer has said why; the program stays so the edits are not lost
    bWrittenForExit = hmySafe != nullptr;
    DestroyWindow(hWnd);
}

void MA_DestroySequence() {
    if (MainWindows.hMyEdit)
        SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    if (hmySafe) {
        // Only an end of the session comes here unwritten, and it cannot be refused.
        int written = bWrittenForExit ? 0 : SW_PutSafe(1, 0);
        bWrittenForExit = FALSE;
        // A safe that could not be written keeps its recovery copy for the next start.
        if (written == 0)
            SW_RemoveRecoveryCopy();
        SW_DeactivateSafe();
    }
    if (!MainModes.bQuickWindowMode)
        IW_SaveWindowPositions();
    PostQuitMessage(0);
}

// The handlers below answer TRUE when they have dealt with the message and
// FALSE when the default procedure is to see it too.

static void OnSize(HWND hWnd, WPARAM wParam) {
    // A minimised window has nothing to lay out; the drop window is a window
    // of its own and stays as it is.
    if (wParam != SIZE_MINIMIZED)
        MA_LayoutMain(hWnd);
}

static void OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        T_WindowRestored();
    if (LOWORD(wParam) == WA_INACTIVE)
        hLastFocus = GetFocus();
}

static BOOL OnCommand(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    // The toolbar hands on what its filter box tells it.
    if (LOWORD(wParam) == IDC_CATEGORYCOMBO && lParam) {
        CC_FilterBoxCommand(HIWORD(wParam));
        return TRUE;
    }
    return MA_Command(hWnd, LOWORD(wParam)) ? TRUE : FALSE;
}

static void OnSetFocus(HWND hWnd) {
    // The keyboard goes back where it was, or starts in the tree: on the frame no key does anything.
    if (hLastFocus && IsWindow(hLastFocus) && IsChild(hWnd, hLastFocus))
        SetFocus(hLastFocus);
    else
        MK_Perform(KR_FOCUS_TREE);
}

static BOOL OnNotify(LPARAM lParam) {
    const NMHDR *hdr = reinterpret_cast<const NMHDR *>(lParam);
    if (hdr->code != TTN_GETDISPINFOA && hdr->code != TTN_GETDISPINFOW)
        return FALSE;
    MA_ToolbarTooltip(lParam);
    return TRUE;
}

static void OnTimer(WPARAM wParam) {
    if (wParam == T_TIMER_INACTIVITY)
        T_InactivityTimeout();
    else if (wParam == T_TIMER_ALARM)
        T_AlarmTimer();
    else if (wParam == QW_TIMER_SHRINK)
        QW_ShrinkTimer();
}

static void OnClose(HWND hWnd) {
    if (Settings.TrayOnClose)
        TR_HideToTray();
    else
        MA_Exit(hWnd);
}

static BOOL OnSysCommand(WPARAM wParam) {
    if ((wParam & 0xFFF0) != SC_MINIMIZE || !Settings.TrayOnMinimize)
        return FALSE;
    TR_HideToTray(); // it switches the drop window off
    return TRUE;
}

static void OnEndSession(HWND hWnd, WPARAM wParam) {
    if (wParam) {
        ML_WriteLog("MAIN", "Shutdown message received", 0);
        DestroyWindow(hWnd);
    }
}

static void OnEraseBackground(HWND hWnd, HDC dc) {
    // The flat toolbar shows what lies under it: the button face there, the
    // class's grey elsewhere.
    RECT rc;
    GetClientRect(hWnd, &rc);
    RECT bar = rc;
    bar.bottom = MainWindows.nToolbarHeight;
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    rc.top = MainWindows.nToolbarHeight;
    FillRect(dc, &rc, reinterpret_cast<HBRUSH>(GetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND)));
}

static void OnDestroy() {
    // A window whose creation failed has nothing to write back or keep.
    if (bMainCreated)
        MA_DestroySequence();
    TR_RemoveIcon();
    QW_WindowGone();
    MA_UnregisterViews();
    bMainCreated = FALSE;
    // Kept as the user left it: hidden with the main window in the tray it is still active.
    MainModes.bDropShownAtEnd = DW_WindowActive() != 0;
    if (MainWindows.hDropWnd)
        DestroyWindow(MainWindows.hDropWnd);
    if (MainWindows.hSearchWnd)
        DestroyWindow(MainWindows.hSearchWnd);
    MainWindows = MAINWINDOWS{};
    // The tree's items went with it: no handle of theirs may outlive them, or a
    // later tree would be asked to delete whatever now stands at that address.
    TV_ClearTree();
}

LRESULT CALLBACK MA_MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    BOOL handled = TRUE;
    switch (msg) {
    case WM_CREATE: return OnCreate(hWnd);
    case WM_SIZE: OnSize(hWnd, wParam); break;
    case WM_ACTIVATE:
        OnActivate(wParam);
        handled = FALSE;
        break;
    case WM_COMMAND: handled = OnCommand(hWnd, wParam, lParam); break;
    case WM_SETFOCUS: OnSetFocus(hWnd); break;
    case WM_DPICHANGED: DpiChanged(hWnd, reinterpret_cast<const RECT *>(lParam)); break;
    case WM_DROPFILES: DW_DropFiles(reinterpret_cast<HDROP>(wParam)); break;
    case WM_NOTIFY: handled = OnNotify(lParam); break;
    case WM_TIMER: OnTimer(wParam); break;
    case UM_TRAYNOTIFY: return TR_TrayNotify(hWnd, lParam);
    case WM_CLOSE: OnClose(hWnd); break;
    case WM_SYSCOMMAND: handled = OnSysCommand(wParam); break;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: OnEndSession(hWnd, wParam); break;
    case WM_ERASEBKGND: OnEraseBackground(hWnd, reinterpret_cast<HDC>(wParam)); return TRUE;
    case WM_DESTROY: OnDestroy(); break;
    default: handled = TR_TaskbarCreated(msg); break;
    }
    return handled ? 0 : DefWindowProcA(hWnd, msg, wParam, lParam);
}

static BOOL Register(const char *name, UINT style, HICON icon, LPCSTR cursor, HBRUSH background, WNDPROC proc) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = hInst;
    wc.hIcon = icon;
    if (icon)
        wc.hIconSm = static_cast<HICON>(LoadImageA(hInst, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (RegisterClassExA(&wc))
        return TRUE;
    // A second main window in one run (the tests make several) finds its classes there.
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

static BOOL RegisterClasses() {
    HICON program = LoadIconA(hInst, MAKEINTRESOURCEA(IDI_PROGRAM));
    const UINT redraw = CS_HREDRAW | CS_VREDRAW;
    const LPCSTR arrow = MAKEINTRESOURCEA(32512), cross = MAKEINTRESOURCEA(32515);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    static HBRUSH splitBrush = CreateSolidBrush(SPLIT_BAR_COLOUR);
    return Register(CLASS_MAIN, redraw | CS_DBLCLKS, program, arrow, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)),
                    MA_MainWndProc) &&
           Register(CLASS_DROP, redraw | CS_DBLCLKS, program, arrow, white, DW_DropWindowProc) &&
           Register(CLASS_SEARCH, redraw | CS_DBLCLKS, program, arrow, white, SE_SearchWindowProc) &&
           Register(CLASS_TREE, redraw | CS_DBLCLKS, nullptr, cross, white, TV_TreePaneProc) &&
           Register(CLASS_EDIT, redraw | CS_DBLCLKS, nullptr, cross, white, LV_CardPaneProc) &&
           Register(CLASS_SPLIT, redraw, nullptr, arrow, splitBrush, MA_SplitBarProc) &&
           Register(CLASS_CARDVIEW, redraw | CS_OWNDC, nullptr, arrow, white, CW_CardViewProc);
}

// SplitBar of section "Settings"; 0 when missing.
static int ReadSplitBar() {
    char value[II_VALUE_SIZE];
    if (II_GetString(II_SECTION_SETTINGS, "SplitBar", value, INI_FILE_SETTINGS) == 0)
        return 0;
    return II_ParseInt(value);
}

BOOL MA_InitInstance(HINSTANCE hInstance, int) {
    hInst = hInstance;
    if (!RegisterClasses())
        return FALSE;

    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
    UI_RECT place;
    if (IW_GetWindowRect(&place, "MainWindow", 1) == 0 &&
        WL_StoredRectFits(&place, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) {
        x = place.left;
        y = place.top;
        w = place.right;
        h = place.bottom;
    }
    HMENU menu = MA_LoadMenu(IDM_MAINMENU);
    MA_SetSplitPosition(0);
    // Made topmost from the start too: a hidden window may not take the order yet.
    const DWORD exStyle = Settings.StayInForeground ? WS_EX_TOPMOST : 0;
    // Children clipped: the grey of the frame must not paint over a moved split bar.
    HWND hWnd = CreateWindowExA(exStyle, MAIN_CLASS_NAME, MAIN_WINDOW_TITLE, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x,
                                y, w, h, nullptr, menu, hInstance, nullptr);
    if (!hWnd) {
        if (menu)
            DestroyMenu(menu);
        MainWindows.hWndMain = nullptr;
        return FALSE;
    }
    MA_SetSplitPosition(ReadSplitBar());
    ShowWindow(hWnd, SW_HIDE);
    UpdateWindow(hWnd);
    if (Settings.StayInForeground)
        SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}
