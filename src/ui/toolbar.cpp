#include "ui/toolbar.h"

#include "ui/dpi.h"
#include "ui/fill_dialogs.h"
#include "ui/ids_main.h"
#include "ui/menus.h"

#include <commctrl.h>

#include <cstdio>

HWND MA_CreateToolbar(HWND parent, BOOL nt) {
    TBBUTTON buttons[TB_BUTTON_COUNT] = {};
    for (int i = 0; i < TB_BUTTON_COUNT; ++i) {
        const TB_BUTTON &b = TB_Buttons[i];
        buttons[i].iBitmap = b.image < 0 ? 0 : b.image;
        buttons[i].idCommand = static_cast<int>(b.command);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = b.command == TB_SEPARATOR ? BTNS_SEP : BTNS_BUTTON;
    }
    HWND tb = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), hInst, nullptr);
    if (!tb)
        return nullptr;
    SendMessageA(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    MainWindows.hToolbar = tb;
    MA_ToolbarImages();
    SendMessageA(tb, TB_ADDBUTTONSA, TB_BUTTON_COUNT, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(tb, TB_AUTOSIZE, 0, 0);
    if (!nt) {
        // The desktop icon positions need the NT family: both buttons and the
        // separator after them go.
        for (int i = 0; i < 3; ++i)
            SendMessageA(tb, TB_DELETEBUTTON, 18, 0);
    }
    MainWindows.hCategoryCombo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                                     DP_Scale(tb, 100), DP_Scale(tb, 100), tb, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CATEGORYCOMBO)),
                                     hInst, nullptr);
    if (MainWindows.hCategoryCombo)
        SendMessageA(MainWindows.hCategoryCombo, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    MA_PlaceCategoryCombo();
    CC_InitFilterBox();
    MA_ApplyToolbarState();
    return tb;
}

void MA_PlaceCategoryCombo() {
    if (!MainWindows.hToolbar || !MainWindows.hCategoryCombo)
        return;
    RECT rc;
    GetClientRect(MainWindows.hToolbar, &rc);
    const int width = DP_Scale(MainWindows.hToolbar, 100);
    MoveWindow(MainWindows.hCategoryCombo, rc.right - width - DP_Scale(MainWindows.hToolbar, 1), 0, width, width, TRUE);
}

void MA_ToolbarImages() {
    if (!MainWindows.hToolbar)
        return;
    // The strip drawn at the size the screen asks for; its magenta is the transparent colour.
    static const struct {
        int size, id;
    } strips[] = {{16, IDB_TOOLBAR}, {24, IDB_TOOLBAR24}, {32, IDB_TOOLBAR32}, {48, IDB_TOOLBAR48}};
    const int size = DP_ImageSize(MainWindows.hToolbar, 16);
    int id = IDB_TOOLBAR;
    for (const auto &s : strips)
        if (s.size == size)
            id = s.id;
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 15, 0);
    HBITMAP strip = static_cast<HBITMAP>(LoadImageA(hInst, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (images && strip)
        ImageList_AddMasked(images, strip, RGB(255, 0, 255));
    if (strip)
        DeleteObject(strip);
    SendMessageA(MainWindows.hToolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
        SendMessageA(MainWindows.hToolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
    if (old)
        ImageList_Destroy(old);
    SendMessageA(MainWindows.hToolbar, TB_AUTOSIZE, 0, 0);
}

void MA_ApplyToolbarState() {
    if (!MainWindows.hToolbar)
        return;
    for (const TB_BUTTON &b : TB_Buttons) {
        if (b.command == TB_SEPARATOR)
            continue;
        const BOOL enable = TB_IsEnabled(b.command);
        SendMessageA(MainWindows.hToolbar, TB_ENABLEBUTTON, b.command, MAKELPARAM(enable, 0));
    }
}

void MA_SetToolbarState(TB_STATE state) {
    TB_ApplyState(state);
    MA_ApplyToolbarState();
}

void MA_ToolbarTooltip(LPARAM lParam) {
    NMHDR *hdr = reinterpret_cast<NMHDR *>(lParam);
    const char *text = TB_TooltipText(static_cast<uint32_t>(hdr->idFrom));
    if (!text)
        return;
    if (hdr->code == TTN_GETDISPINFOW) {
        // A tooltip that speaks Unicode (the version 6 controls may ask so).
        NMTTDISPINFOW *info = reinterpret_cast<NMTTDISPINFOW *>(lParam);
        MultiByteToWideChar(CP_ACP, 0, text, -1, info->szText, sizeof info->szText / sizeof info->szText[0]);
        info->lpszText = info->szText;
        info->hinst = nullptr;
        return;
    }
    NMTTDISPINFOA *info = reinterpret_cast<NMTTDISPINFOA *>(lParam);
    snprintf(info->szText, sizeof info->szText, "%s", text);
    info->lpszText = info->szText;
    info->hinst = nullptr;
}

void MA_ToolbarDisplayMode() { MA_SetToolbarState(TB_STATE_DISPLAYMODE); }
void MA_ToolbarChangeMode() { MA_SetToolbarState(TB_STATE_CHANGEMODE); }
void MA_ToolbarNoCard() { MA_SetToolbarState(TB_STATE_NOCARD); }
