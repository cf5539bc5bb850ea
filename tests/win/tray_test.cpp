// The tray and the quick window on the real main window: hiding to the tray
// and coming back by the icon's notifications, the tray menu's items, and the
// quick window's strip through shrink, regrow and "back".
#include "app/main_loop.h"
#include "config/settings.h"
#include "store/safe_lifecycle.h"
#include "support/safe_fixture.h"
#include "tools/quick_window.h"
#include "ui/ids_tray.h"
#include "ui/mainwnd.h"
#include "ui/quick_window.h"
#include "ui/tray.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <windows.h>

#include <string>

using namespace testsupport;

namespace {

class Tray : public SafeTest {
  protected:
    void TearDown() override {
        MA_SetInputHook(nullptr);
        if (MainWindows.hWndMain)
            DestroyWindow(MainWindows.hWndMain);
        Pump(0);
        SafeTest::TearDown();
    }
    void Start(const std::string &ini = "") {
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nSafePath=" + dir + "\r\n" + ini));
        II_ReadSettings();
        ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
        ShowWindow(MainWindows.hWndMain, SW_SHOW);
    }
    void OpenSample() {
        SafeContents s;
        s.password = "pw";
        s.folders = {{1, 1, "Mail", ""}};
        s.fields = {{1, 0, 1, "User", 0, 40, 0}};
        s.cards = {{1, 1, 1, "Home", ""}};
        s.contents = {{1, 0, "me@home"}};
        const std::string path = Path("sample.saf");
        ASSERT_TRUE(WriteFile(path, BuildSafe(s)));
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
    }
    // Dispatches what comes for up to ms, or until done says so.
    template <class Done> bool Pump(DWORD ms, Done done) {
        const DWORD end = GetTickCount() + ms;
        for (;;) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&m);
            if (done())
                return true;
            if (static_cast<int32_t>(GetTickCount() - end) >= 0)
                return false;
            Sleep(10);
        }
    }
    void Pump(DWORD ms) {
        Pump(ms, [] { return false; });
    }
    LRESULT Notify(UINT mouse) { return SendMessageA(MainWindows.hWndMain, UM_TRAYNOTIFY, 0, mouse); }
    bool MenuGrey(HMENU menu, unsigned id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    RECT Rect() {
        RECT r;
        GetWindowRect(MainWindows.hWndMain, &r);
        return r;
    }
};

TEST_F(Tray, MinimiseHidesToTheTrayAndTheIconsReleaseBringsItBack) {
    Start("TrayOnMinimize=yes\r\n");
    SendMessageA(MainWindows.hWndMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hWndMain));
    EXPECT_FALSE(IsIconic(MainWindows.hWndMain)) << "hidden in the tray, not minimised to the taskbar";
    EXPECT_TRUE(TR_IconShown());

    EXPECT_EQ(Notify(WM_LBUTTONUP), 1);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hWndMain)) << "a release without its press does nothing";
    EXPECT_EQ(Notify(WM_MOUSEMOVE), 0);
    EXPECT_EQ(Notify(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Notify(WM_LBUTTONUP), 1);
    EXPECT_TRUE(IsWindowVisible(MainWindows.hWndMain));
    EXPECT_FALSE(TR_IconShown());
}

TEST_F(Tray, TrayMenuGreysTheNoteItemsByTheSafeAndItsNotes) {
    Start();
    for (int safe = 0; safe < 2; ++safe) {
        SCOPED_TRACE(safe ? "with a safe" : "without a safe");
        if (safe)
            OpenSample();
        HBITMAP marks[2] = {};
        HMENU menu = TR_BuildTrayMenu(marks);
        ASSERT_NE(menu, nullptr);
        EXPECT_NE(marks[0], nullptr);
        EXPECT_NE(marks[1], nullptr);
        MENUITEMINFOA mi = {};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_CHECKMARKS;
        ASSERT_TRUE(GetMenuItemInfoA(menu, IDM_TRAYCREATENOTE, FALSE, &mi));
        EXPECT_EQ(mi.hbmpChecked, marks[0]);
        EXPECT_EQ(mi.hbmpUnchecked, marks[0]);
        // The notes' own window may still be missing: then both stay grey anyway.
        EXPECT_EQ(MenuGrey(menu, IDM_TRAYCREATENOTE), !safe);
        EXPECT_TRUE(MenuGrey(menu, IDM_TRAYNOTES)) << "no note in this safe";
        for (unsigned id : {IDM_TRAYHELP, IDM_TRAYABOUT, IDM_TRAYEXIT})
            EXPECT_FALSE(MenuGrey(menu, id)) << id;
        DestroyMenu(menu);
        for (HBITMAP b : marks)
            DeleteObject(b);
    }
}

TEST_F(Tray, QuickWindowShrinksRegrowsAndGoesBack) {
    Start("QWMinimizeTime=0\r\nIconSize=24\r\n");
    OpenSample();
    const RECT before = Rect();
    HMENU menu = GetMenu(MainWindows.hWndMain);
    MA_SetInputHook(QW_Regrow);

    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDT_QUICKWIN, 0);
    ASSERT_TRUE(MainModes.bQuickWindowMode);
    RECT strip = Rect();
    EXPECT_EQ(strip.right - strip.left, 150);
    EXPECT_EQ(strip.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(GetMenu(MainWindows.hWndMain), nullptr);
    EXPECT_EQ(Settings.IconSize, 16);
    HWND back = GetDlgItem(MainWindows.hStatusWnd, IDC_QW_BACK);
    ASSERT_NE(back, nullptr);
    char text[16] = {};
    GetWindowTextA(back, text, sizeof text);
    EXPECT_STREQ(text, "back");
    EXPECT_NE(GetDlgItem(MainWindows.hStatusWnd, IDC_QW_MINIMIZE), nullptr);
    EXPECT_NE(GetDlgItem(MainWindows.hStatusWnd, IDC_QW_CLOSE), nullptr);

    ASSERT_TRUE(Pump(3000, [] { return QW_Shrunk() != 0; })) << "timer 30 fires at once for 0 seconds";
    RECT tab = Rect();
    EXPECT_EQ(tab.right - tab.left, 20);
    EXPECT_EQ(tab.right, strip.right);

    MSG move = {MainWindows.hWndMain, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    MA_BeforeDispatch(&move);
    EXPECT_EQ(QW_Shrunk(), 0);
    EXPECT_EQ(Rect().left, strip.left);
    EXPECT_EQ(Rect().right - Rect().left, 150);

    SendMessageA(back, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(MainModes.bQuickWindowMode);
    const RECT after = Rect();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(GetMenu(MainWindows.hWndMain), menu);
    EXPECT_EQ(Settings.IconSize, 24);
    EXPECT_EQ(GetDlgItem(MainWindows.hStatusWnd, IDC_QW_BACK), nullptr);
}

} // namespace
