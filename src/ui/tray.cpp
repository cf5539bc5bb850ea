#include "ui/tray.h"

#include "config/settings.h"
#include "model/note_records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "tools/drop_window.h"
#include "tools/quick_window.h"
#include "tools/timeout.h"
#include "tools/tray_state.h"
#include "ui/ids_main.h"
#include "ui/dpi.h"
#include "ui/ids_tray.h"
#include "ui/menus.h"

#include <shellapi.h>

#include <cstdio>

namespace {
BOOL bIconShown = FALSE;

HINSTANCE Image() { return hInst ? hInst : GetModuleHandleA(nullptr); }

void IconCall(DWORD what) {
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof nid;
    nid.hWnd = MainWindows.hWndMain;
    nid.uID = 0;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = UM_TRAYNOTIFY;
    nid.hIcon = static_cast<HICON>(LoadImageA(Image(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    snprintf(nid.szTip, sizeof nid.szTip, "%s", "Click to recover");
    Shell_NotifyIconA(what, &nid); // the tray's answer changes nothing we could do
    if (nid.hIcon)
        DestroyIcon(nid.hIcon);
}

// The caption flies between the window and an empty rectangle at the
// desktop's bottom-right corner.
void AnimateCaption(HWND hWnd, BOOL toTray) {
    RECT win, desk;
    GetWindowRect(hWnd, &win);
    GetWindowRect(GetDesktopWindow(), &desk);
    RECT corner = {desk.right, desk.bottom, desk.right, desk.bottom};
    DrawAnimatedRects(hWnd, IDANI_CAPTION, toTray ? &win : &corner, toTray ? &corner : &win);
}

void Restore(HWND hWnd) {
    AnimateCaption(hWnd, FALSE); // always, whatever the system's setting
    ShowWindow(hWnd, SW_SHOW);
    SetActiveWindow(hWnd);
    SetForegroundWindow(hWnd);
    TR_RemoveIcon();
}

void ShowTrayMenu(HWND hWnd) {
    HBITMAP marks[2] = {};
    HMENU menu = TR_BuildTrayMenu(marks);
    POINT at;
    GetCursorPos(&at);
    // A tray menu only closes on a click elsewhere when its owner is the
    // foreground window, and needs a message after it to close at once.
    SetForegroundWindow(hWnd);
    TR_PopupMenu(hWnd, menu, at.x, at.y);
    PostMessageA(hWnd, WM_NULL, 0, 0);
    for (HBITMAP b : marks)
        if (b)
            DeleteObject(b);
}
} // namespace

void TR_HideToTray() {
    HWND hWnd = MainWindows.hWndMain;
    if (!hWnd)
        return;
    ANIMATIONINFO ai = {};
    ai.cbSize = sizeof ai;
    if (SystemParametersInfoA(SPI_GETANIMATION, sizeof ai, &ai, 0) && ai.iMinAnimate)
        AnimateCaption(hWnd, TRUE);
    ShowWindow(hWnd, SW_HIDE);
    // Switched off, not just hidden: it stays off when the program comes back.
    if (MainWindows.hDropWnd && (DW_WindowActive() || IsWindowVisible(MainWindows.hDropWnd)))
        DW_HideWindow();
    if (MainWindows.hSearchWnd)
        ShowWindow(MainWindows.hSearchWnd, SW_HIDE);
    if (!bIconShown)
        IconCall(NIM_ADD);
    bIconShown = TRUE;
}

LRESULT TR_TrayNotify(HWND hWnd, LPARAM lParam) {
    unsigned actions = 0;
    if (!TR_TrayActions(static_cast<unsigned>(lParam), MainModes.bQuickWindowMode ? 1 : 0, &actions))
        return 0;
    if (actions & TR_DO_REOPEN) {
        char path[SAFE_PATH_SIZE];
        snprintf(path, sizeof path, "%s", cActSafePath);
        // A refused password or an unreadable file is told by the store; the
        // program comes back without a safe then.
        (void)SW_GetSafe(path);
    }
    if (actions & TR_DO_QWTIMER)
        QW_SetTimer(T_Seconds2Ms(Settings.QWMinimizeTime));
    if (actions & TR_DO_RESTORE)
        Restore(hWnd);
    if (actions & TR_DO_MENU)
        ShowTrayMenu(hWnd);
    return 1;
}

HMENU TR_BuildTrayMenu(HBITMAP marks[2]) {
    HMENU menu = MA_LoadMenu(IDM_TRAYMENU);
    if (!menu)
        return nullptr;
    static const unsigned items[2] = {IDM_TRAYCREATENOTE, IDM_TRAYNOTES};
    // The marks drawn at the size the screen's scale asks for.
    static const struct {
        int size;
        unsigned ids[2];
    } pictures[] = {{16, {IDB_TRAYCREATENOTE, IDB_TRAYNOTES}},
                    {24, {IDB_TRAYCREATENOTE24, IDB_TRAYNOTES24}},
                    {32, {IDB_TRAYCREATENOTE32, IDB_TRAYNOTES32}},
                    {48, {IDB_TRAYCREATENOTE48, IDB_TRAYNOTES48}}};
    const int size = DP_ImageSize(MainWindows.hWndMain, 16);
    const unsigned *ids = pictures[0].ids;
    for (const auto &p : pictures)
        if (p.size == size)
            ids = p.ids;
    const int safeOpen = hmySafe != nullptr, noteExists = !NW_Notes().empty();
    for (int i = 0; i < 2; ++i) {
        marks[i] = static_cast<HBITMAP>(LoadImageA(Image(), MAKEINTRESOURCEA(ids[i]), IMAGE_BITMAP, size, size, 0));
        SetMenuItemBitmaps(menu, items[i], MF_BYCOMMAND, marks[i], marks[i]);
        if (TR_TrayMenuGreyed(items[i], safeOpen, noteExists))
            MA_EnableMenuItem(menu, items[i], FALSE);
    }
    return menu;
}

BOOL TR_IconShown() { return bIconShown; }

void TR_RemoveIcon() {
    if (bIconShown && MainWindows.hWndMain)
        IconCall(NIM_DELETE);
    bIconShown = FALSE;
}

BOOL TR_TaskbarCreated(UINT msg) {
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (msg != taskbarCreated || taskbarCreated == 0)
        return FALSE;
    if (bIconShown)
        IconCall(NIM_ADD);
    return TRUE;
}
