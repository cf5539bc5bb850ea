// The main window as the core sees it: the main view (places, timers, tray,
// commands, counts), the pane view (tree and card list) and the listener that
// follows the life of the safe. Registered while the main window exists.
#include "store/safe_lifecycle.h"
#include "ui/mainwnd.h"
#include "ui/note_window.h"
#include "ui/profile_dialog.h"
#include "ui/recover_dialog.h"
#include "ui/split_bar.h"
#include "ui/statusbar.h"
#include "ui/tray.h"
#include "ui/tree_view.h"

namespace {
class Views : public MainView, public PaneView, public SafeListener {
  public:
    int WindowRect(UI_WINDOW window, UI_RECT *rect) override { return MA_WindowRect(window, rect); }
    int SplitPosition() override { return MA_GetSplitPosition(); }
    void StartTimer(unsigned id, uint32_t ms) override { SetTimer(MainWindows.hWndMain, id, ms, nullptr); }
    void StopTimer(unsigned id) override { KillTimer(MainWindows.hWndMain, id); }
    void HideToTray() override { TR_HideToTray(); }
    void CloseMainWindow() override { SendMessageA(MainWindows.hWndMain, WM_CLOSE, 0, 0); }
    void FocusMainWindow() override { SetForegroundWindow(MainWindows.hWndMain); }
    void ShowMainWindow() override {
        ShowWindow(MainWindows.hWndMain, SW_SHOW);
        UpdateWindow(MainWindows.hWndMain);
    }
    void EnableCommand(unsigned id, int enable) override { MA_EnableCommand(id, enable); }
    void ShowCounts() override { SB_ShowCounts(); }

    TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text) override { return TV_InsertFieldItem(hCard, text); }
    void RebuildTree() override {
        MA_ResetRightPane();
        TV_FillTree();
    }
    void ShowFolderCards(TREEHANDLE hFolder) override { TV_FillItems(reinterpret_cast<HTREEITEM>(hFolder)); }
    void SelectTreeItem(TREEHANDLE item) override { TV_SelectItem(item); }
    void ResetRightPane() override { MA_ResetRightPane(); }
    int CardListTextWidth(const char *text) override { return LV_TextWidth(text); }
    void RedisplayCardField(uint32_t fieldIndex) override { CW_RedisplayField(fieldIndex); }

    void SafeEvent(SW_EVENT event, const char *path) override { MA_SafeEvent(event, path); }
};
Views g_views;
} // namespace

void MA_RegisterViews() {
    UI_SetMainView(&g_views);
    UI_SetPaneView(&g_views);
    SW_AddListener(&g_views);
    BW_SetRecoverView(RD_View());
    DT_SetProfileView(PD_View());
    NW_SetView(NT_View());
}

void MA_UnregisterViews() {
    NW_SetView(nullptr);
    DT_SetProfileView(nullptr);
    BW_SetRecoverView(nullptr);
    SW_RemoveListener(&g_views);
    UI_SetPaneView(nullptr);
    UI_SetMainView(nullptr);
}
