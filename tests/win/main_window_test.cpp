// The real main window, made through MA_InitInstance and looked at through its
// window messages: toolbar, menus, tooltips, status bar, layout, about box and
// the end that writes the safe back.
#include "app/main_loop.h"
#include "config/settings.h"
#include "model/cards.h"
#include "model/records.h"
#include "model/toolbar_state.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "support/fake_shell.h"
#include "support/safe_fixture.h"
#include "tools/timeout.h"
#include "ui/about_box.h"
#include "ui/dpi.h"
#include "ui/icon_list.h"
#include "ui/ids_main.h"
#include "ui/ids_tree.h"
#include "ui/mainwnd.h"
#include "ui/message_routing.h"
#include "ui/skins.h"
#include "ui/splash.h"
#include "ui/split_bar.h"
#include "ui/statusbar.h"
#include "ui/toolbar.h"
#include "ui/tray.h"
#include "ui/tree_view.h"
#include "win/dialog_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

class MainWindow : public SafeTest {
  protected:
    void TearDown() override {
        if (MainWindows.hWndMain)
            DestroyWindow(MainWindows.hWndMain);
        Drain();
        SafeTest::TearDown();
    }
    // The settings file, read as at start, then the window.
    void Start(const std::string &ini = "") {
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nSafePath=" + dir + "\r\n" + ini));
        II_ReadSettings();
        ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
        ASSERT_NE(MainWindows.hWndMain, nullptr);
    }
    // Removes what is waiting in the queue; answers whether the quit message was among it.
    bool Drain(WPARAM *code = nullptr) {
        bool quit = false;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                quit = true;
                if (code)
                    *code = m.wParam;
            }
        }
        return quit;
    }
    std::string OpenSample(const std::string &password = "pw") {
        SafeContents s;
        s.password = password;
        s.folders = {{1, 1, "Mail", ""}, {2, 2, "Bank", ""}};
        s.fields = {{1, 0, 1, "User", 0, 40, 0}, {2, 0, 1, "Account", 0, 40, 0}};
        s.cards = {{1, 1, 1, "Home", ""}, {1, 2, 2, "Work", ""}, {2, 3, 1, "Savings", ""}};
        s.contents = {{1, 0, "me@home"}, {2, 0, "me@work"}, {3, 0, "12-34"}};
        const std::string path = Path("sample.saf");
        EXPECT_TRUE(WriteFile(path, BuildSafe(s)));
        ui.passwords = {password};
        EXPECT_EQ(SW_GetSafe(path.c_str()), 0);
        return path;
    }
    bool ButtonEnabled(unsigned id) { return SendMessageA(MainWindows.hToolbar, TB_ISBUTTONENABLED, id, 0) != 0; }
    bool MenuGrey(unsigned id) {
        return (GetMenuState(GetMenu(MainWindows.hWndMain), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    std::string StatusText(int part) {
        char text[256] = {};
        SendMessageA(MainWindows.hStatusWnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    RECT ChildRect(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, MainWindows.hWndMain, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }
};

// The menu items an open safe enables whose commands are built.
const unsigned kSafeMenu[] = {IDM_CLOSESAFE, IDM_CHANGEPASSWORD, IDM_BACKUPSAFE, 32851 /* Export... */};

TEST_F(MainWindow, ToolbarStartsWithTheAlwaysEnabledButtonsThatAreBuilt) {
    Start();
    ASSERT_NE(MainWindows.hToolbar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(MainWindows.hToolbar), IDC_TOOLBAR);
    EXPECT_EQ(SendMessageA(MainWindows.hToolbar, TB_BUTTONCOUNT, 0, 0), 25);
    for (int i = 0; i < TB_BUTTON_COUNT; ++i) {
        TBBUTTON b = {};
        ASSERT_TRUE(SendMessageA(MainWindows.hToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b)));
        EXPECT_EQ(static_cast<uint32_t>(b.idCommand), TB_Buttons[i].command) << "button " << i;
        if (TB_Buttons[i].command != TB_SEPARATOR) {
            EXPECT_EQ(b.iBitmap, TB_Buttons[i].image);
        }
    }
    for (unsigned id : {32774u, 32773u, 2006u, 2007u, 2008u})
        EXPECT_TRUE(ButtonEnabled(id)) << id;
    for (unsigned id : {2002u, 2003u, 2004u, 2005u, 2009u, 2010u, 2011u, 2012u, 2013u, 2014u})
        EXPECT_FALSE(ButtonEnabled(id)) << id;

    ASSERT_NE(MainWindows.hCategoryCombo, nullptr);
    EXPECT_EQ(GetParent(MainWindows.hCategoryCombo), MainWindows.hToolbar);
    EXPECT_EQ(GetDlgCtrlID(MainWindows.hCategoryCombo), IDC_CATEGORYCOMBO);
    EXPECT_EQ(SendMessageA(MainWindows.hCategoryCombo, CB_GETCOUNT, 0, 0), 1) << "\"all\" alone: no categories";
    EXPECT_EQ(SendMessageA(MainWindows.hCategoryCombo, CB_GETCURSEL, 0, 0), 0);
    RECT tb, combo;
    GetClientRect(MainWindows.hToolbar, &tb);
    GetWindowRect(MainWindows.hCategoryCombo, &combo);
    MapWindowPoints(nullptr, MainWindows.hToolbar, reinterpret_cast<POINT *>(&combo), 2);
    EXPECT_EQ(combo.left, tb.right - 101);
    EXPECT_EQ(combo.right - combo.left, 100);
}

TEST_F(MainWindow, MenuBarItemsIdsAndGreyedStates) {
    Start();
    HMENU bar = GetMenu(MainWindows.hWndMain);
    ASSERT_NE(bar, nullptr);
    const char *popups[] = {"&File", "&Tools", "&Settings", "&Help"};
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    struct Item {
        unsigned id; // 0: separator
        const char *text;
        bool grey;
    };
    const std::vector<std::vector<Item>> items = {
        {{32774, "Create &Safe", false},
         {32773, "Open Safe", false},
         {32800, "Close Safe", true},
         {32828, "Create/Change password", true},
         {0, "", false},
         {32802, "Create Folder", true},
         {32803, "Create Card", true},
         {0, "", false},
         {32806, "Change Folder Order", true},
         {0, "", false},
         {32798, "Backup Safe", true},
         {32797, "Recover Safe", false},
         {0, "", false},
         {32805, "Save for PDA", true},
         {0, "", false},
         {32850, "Import...", false},
         {32851, "Export...", true},
         {0, "", false},
         {105, "Exit", false}},
        {{2011, "Save desktop icon positions", true}, {2012, "Restore desktop icon positions", true}},
        {{32782, "Folder Templates", false}, {0, "", false}, {32815, "Categories", false}, {0, "", false},
         {32775, "Options", false}},
        {{32799, "Version Update", false}, {0, "", false}, {32796, "Helpfile", false}, {104, "About", false}},
    };
    for (int p = 0; p < 4; ++p) {
        char text[64] = {};
        GetMenuStringA(bar, p, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, popups[p]);
        HMENU popup = GetSubMenu(bar, p);
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(items[p].size())) << popups[p];
        for (size_t i = 0; i < items[p].size(); ++i) {
            const Item &it = items[p][i];
            const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
            if (it.id == 0) {
                EXPECT_TRUE(state & MF_SEPARATOR) << popups[p] << " " << i;
                continue;
            }
            EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), it.id);
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, it.text);
            EXPECT_EQ((state & MF_GRAYED) != 0, it.grey) << it.text;
        }
    }
}

TEST_F(MainWindow, TooltipTextsComeFromTheCommandTable) {
    Start();
    for (const TB_BUTTON &b : TB_Buttons) {
        if (b.command == TB_SEPARATOR)
            continue;
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = MainWindows.hToolbar;
        info.hdr.idFrom = b.command;
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(MainWindows.hWndMain, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, b.tooltip);
    }
    NMTTDISPINFOA other = {};
    other.hdr.idFrom = 32800;
    other.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(MainWindows.hWndMain, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(other.lpszText, nullptr) << "no text for a command the toolbar lacks";
    EXPECT_STREQ(other.szText, "");
}

TEST_F(MainWindow, OpeningAndClosingASafeSwitchesMenusToolbarAndCounts) {
    Start();
    OpenSample();
    for (unsigned id : kSafeMenu)
        EXPECT_FALSE(MenuGrey(id)) << id;
    EXPECT_TRUE(ButtonEnabled(2010));
    for (unsigned id : {2009u, 2011u, 2013u, 2014u})
        EXPECT_TRUE(ButtonEnabled(id)) << id;
    EXPECT_FALSE(TB_IsEnabled(2012)) << "no desktop profile in this safe";
    EXPECT_FALSE(ButtonEnabled(2002)) << "no card selected yet";

    EXPECT_EQ(SendMessageA(MainWindows.hStatusWnd, SB_GETPARTS, 0, 0), SB_MAIN_PARTS);
    EXPECT_EQ(StatusText(2), "Folder:");
    EXPECT_EQ(StatusText(3), "  2");
    EXPECT_EQ(StatusText(4), "Cards:");
    EXPECT_EQ(StatusText(5), "  3");

    ui.answers = {UI_IDCANCEL};
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_CLOSESAFE, 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "write back current safe ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.shown[0].style & 0xF, static_cast<unsigned>(UI_MB_YESNOCANCEL));
    EXPECT_NE(hmySafe, nullptr) << "Cancel leaves the safe open";
    EXPECT_FALSE(MenuGrey(IDM_CLOSESAFE));

    ui.answers = {UI_IDNO};
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_CLOSESAFE, 0);
    EXPECT_EQ(hmySafe, nullptr);
    for (unsigned id : kSafeMenu)
        EXPECT_TRUE(MenuGrey(id)) << id;
    for (unsigned id : {IDM_FOLDERORDER, IDM_SAVEPDA, IDT_RESTOREDESKTOP, IDM_CREATECARD})
        EXPECT_TRUE(MenuGrey(id)) << id;
    for (unsigned id : {2002u, 2003u, 2009u, 2010u, 2011u, 2012u, 2013u, 2014u})
        EXPECT_FALSE(TB_IsEnabled(id) || ButtonEnabled(id)) << id;
    for (unsigned id : {32774u, 32773u, 2007u})
        EXPECT_TRUE(ButtonEnabled(id)) << id;
    EXPECT_EQ(StatusText(3), "");
    EXPECT_EQ(StatusText(5), "");
}

TEST_F(MainWindow, ASafeOfOneFolderCountsIt) {
    Start("PDA_Path=" + dir + "\r\n");
    SafeContents s;
    s.folders = {{1, 1, "Only", ""}};
    const std::string path = Path("one.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(s)));
    ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
    EXPECT_FALSE(MenuGrey(IDM_SAVEPDA)) << "a PDA path is set";
    EXPECT_EQ(StatusText(3), "  1");
    EXPECT_EQ(StatusText(5), "  0");
}

TEST_F(MainWindow, SafeCommandsWithoutSafePathOrSafeTellWhy) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nSafePath=\r\n"));
    II_ReadSettings();
    ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_CREATESAFE, 0);
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_OPENSAFE, 0);
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_BACKUPSAFE, 0);
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[0].text, "missing safe path");
    EXPECT_EQ(ui.shown[0].caption, "Error");
    EXPECT_EQ(ui.shown[1].text, "missing safe path");
    EXPECT_EQ(ui.shown[2].text, "can't do, please open safe first");
    EXPECT_EQ(ui.shown[2].caption, "Error");
}

TEST_F(MainWindow, SplitBarZeroIsHalfTheWidthAndAStoredOneAppliesAtTheNextSize) {
    Start();
    SetWindowPos(MainWindows.hWndMain, nullptr, 0, 0, 700, 500, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(MainWindows.hWndMain, &client);
    const int half = client.right / 2;
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).right - ChildRect(MainWindows.hMyTree).left, half);
    EXPECT_EQ(ChildRect(MainWindows.hTrennWnd).left, half + 1);
    EXPECT_EQ(ChildRect(MainWindows.hTrennWnd).right - ChildRect(MainWindows.hTrennWnd).left, 2);
    EXPECT_EQ(ChildRect(MainWindows.hMyEdit).left, half + 4);
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).top, MainWindows.nToolbarHeight);
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).bottom, client.bottom - MainWindows.nStatusHeight);
    EXPECT_EQ(ChildRect(MainWindows.hStatusWnd).bottom, client.bottom);
    EXPECT_EQ(MA_GetSplitPosition(), 0);

    SetWindowPos(MainWindows.hWndMain, nullptr, 0, 0, 900, 500, SWP_NOZORDER | SWP_NOMOVE);
    GetClientRect(MainWindows.hWndMain, &client);
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).right - ChildRect(MainWindows.hMyTree).left, client.right / 2)
        << "half again after a resize";
    DestroyWindow(MainWindows.hWndMain);
    Drain();

    // A stored position is read after the window exists and used from the next resize.
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nSplitBar=220\r\n"));
    ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
    EXPECT_EQ(MA_GetSplitPosition(), 220);
    SetWindowPos(MainWindows.hWndMain, nullptr, 0, 0, 800, 500, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).right, 220);
    EXPECT_EQ(ChildRect(MainWindows.hMyEdit).left, 224);
}

TEST_F(MainWindow, StoredPlaceBeyondTheScreenGivesTheDefaultPlace) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const std::string beyond = std::to_string(sw - 300) + ",10," + std::to_string(sw + 300) + ",400";
    Start("[Settings]\r\nMainWindow=" + beyond + "\r\n");
    RECT r;
    GetWindowRect(MainWindows.hWndMain, &r);
    EXPECT_NE(r.left, sw - 300) << "the system chose the place";
    DestroyWindow(MainWindows.hWndMain);
    Drain();

    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nMainWindow=20,30,620,450\r\n"));
    ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
    GetWindowRect(MainWindows.hWndMain, &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 620);
    EXPECT_EQ(r.bottom, 450);
}

TEST_F(MainWindow, DestroyWritesTheSafeBackKeepsThePlacesAndQuits) {
    Start();
    const std::string path = OpenSample();
    ASSERT_NE(lpORDNERstart, nullptr);
    snprintf(lpORDNERstart->cOrdnerName, sizeof lpORDNERstart->cOrdnerName, "%s", "Renamed");
    SetWindowPos(MainWindows.hWndMain, nullptr, 40, 50, 640, 480, SWP_NOZORDER);
    DestroyWindow(MainWindows.hWndMain);
    WPARAM code = 99;
    EXPECT_TRUE(Drain(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(MainWindows.hWndMain, nullptr);
    EXPECT_EQ(hmySafe, nullptr) << "the file handle is closed";

    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Renamed");
    const std::string ini = ReadFile(Path("orvsafe.ini"));
    EXPECT_NE(ini.find("MainWindow=40,50,680,530"), std::string::npos) << ini;
    EXPECT_NE(ini.find("SplitBar=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("DropWindow=0,0,600,400"), std::string::npos) << ini;
}

TEST_F(MainWindow, ASafeThatCannotBeWrittenKeepsTheProgramRunning) {
    Start();
    OpenSample();
    PL_FailCall(PL_FAULT_WRITE, 1, 1000);
    SendMessageA(MainWindows.hWndMain, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(MainWindows.hWndMain)) << "closing would lose the edits";
    EXPECT_NE(hmySafe, nullptr);
    EXPECT_FALSE(Drain());
    EXPECT_FALSE(ui.shown.empty()) << "the user is told why";
    PL_ResetFaults();
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(MainWindows.hWndMain, nullptr);
    EXPECT_TRUE(Drain());
}

TEST_F(MainWindow, QuickWindowModeKeepsThePlacesOfTheLastRun) {
    Start("[Settings]\r\nMainWindow=20,30,620,450\r\n");
    MainModes.bQuickWindowMode = TRUE;
    SetWindowPos(MainWindows.hWndMain, nullptr, 60, 70, 500, 400, SWP_NOZORDER);
    DestroyWindow(MainWindows.hWndMain);
    MainModes.bQuickWindowMode = FALSE;
    Drain();
    EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("MainWindow=20,30,620,450"), std::string::npos);
}

TEST_F(MainWindow, TraceIconShowsOnlyWhileTracing) {
    Start();
    EXPECT_EQ(SendMessageA(MainWindows.hStatusWnd, SB_GETICON, 0, 0), 0);
    DestroyWindow(MainWindows.hWndMain);
    Drain();
    Start("Tracelevel=1\r\n");
    EXPECT_NE(SendMessageA(MainWindows.hStatusWnd, SB_GETICON, 0, 0), 0);
}

TEST_F(MainWindow, AboutBoxShowsIconVersionAndLink) {
    Start();
    HWND about = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), MainWindows.hWndMain,
                                    AB_AboutDlgProc, 0);
    ASSERT_NE(about, nullptr);
    char text[128] = {};
    GetDlgItemTextA(about, IDC_ABOUT_VERSION, text, sizeof text);
    EXPECT_STREQ(text, "orvSafe Version: 1.13.0");
    GetDlgItemTextA(about, IDC_ABOUT_LINK, text, sizeof text);
    EXPECT_STREQ(text, "orvsafe.example.org");
    HWND link = GetDlgItem(about, IDC_ABOUT_LINK);
    EXPECT_EQ(GetPropA(link, "_Hyperlink_From_Static_"), reinterpret_cast<HANDLE>(1));
    EXPECT_NE(GetPropA(link, "_Hyperlink_Underline_Font_"), nullptr);
    EXPECT_NE(GetPropA(about, "_Hyperlink_Original_Proc_"), nullptr) << "the dialog colours its links";
    EXPECT_TRUE(GetWindowLongPtrA(link, GWL_STYLE) & SS_NOTIFY);
    EXPECT_NE(SendDlgItemMessageA(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0) << "the program icon";
    HFONT bold = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
    LOGFONTA lf = {};
    ASSERT_TRUE(GetObjectA(bold, sizeof lf, &lf));
    EXPECT_GE(lf.lfWeight, FW_BOLD);

    // The link is blue.
    HDC dc = GetDC(link);
    SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0xC0));
    ReleaseDC(link, dc);
    DestroyWindow(about);
}

TEST_F(MainWindow, LinkUnderlinesWhileThePointerIsOverIt) {
    Start();
    HWND about = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), MainWindows.hWndMain,
                                    AB_AboutDlgProc, 0);
    ASSERT_NE(about, nullptr);
    HWND link = GetDlgItem(about, IDC_ABOUT_LINK);
    HANDLE plain = GetPropA(link, "_Hyperlink_Original_Font_");
    HANDLE underline = GetPropA(link, "_Hyperlink_Underline_Font_");
    EXPECT_EQ(SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), HTCLIENT), TRUE);

    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(link, WM_GETFONT, 0, 0)), underline);
    EXPECT_EQ(GetCapture(), link);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 3));
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(link, WM_GETFONT, 0, 0)), underline) << "still over it";

    RECT r;
    GetClientRect(link, &r);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(r.right + 40, 2));
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(link, WM_GETFONT, 0, 0)), plain);
    EXPECT_NE(GetCapture(), link);
    DestroyWindow(about);
}

TEST_F(MainWindow, DraggingTheSplitBarMovesTheSplitWithinTheMargins) {
    Start();
    SetWindowPos(MainWindows.hWndMain, nullptr, 0, 0, 1000, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(MainWindows.hWndMain, SW_SHOWNOACTIVATE);
    RECT main;
    GetWindowRect(MainWindows.hWndMain, &main);
    POINT origin = {0, 0};
    ClientToScreen(MainWindows.hWndMain, &origin);
    const int y = origin.y + 200;

    SendMessageA(MainWindows.hTrennWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SetCursorPos(origin.x + 300, y);
    SendMessageA(MainWindows.hTrennWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(MA_GetSplitPosition(), 300) << "over the tree: the split follows the cursor";
    SetCursorPos(main.left + 150, y);
    SendMessageA(MainWindows.hTrennWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(MA_GetSplitPosition(), 300) << "within 200 pixels of the edge the move is ignored";
    SendMessageA(MainWindows.hTrennWnd, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).right, 300);
    EXPECT_EQ(ChildRect(MainWindows.hTrennWnd).left, 301);
    EXPECT_EQ(ChildRect(MainWindows.hMyEdit).left, 304);

    // Over the card list; then back over the bar itself puts the position before the drag back.
    SendMessageA(MainWindows.hTrennWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 10));
    SetCursorPos(origin.x + 600, y);
    SendMessageA(MainWindows.hTrennWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(MA_GetSplitPosition(), 600);
    SetCursorPos(origin.x + 302, y);
    SendMessageA(MainWindows.hTrennWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(MA_GetSplitPosition(), 300);
    SendMessageA(MainWindows.hTrennWnd, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(ChildRect(MainWindows.hMyTree).right, 300);

    // A press away from the bar starts nothing.
    SendMessageA(MainWindows.hTrennWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 10));
    SetCursorPos(origin.x + 500, y);
    SendMessageA(MainWindows.hTrennWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_EQ(MA_GetSplitPosition(), 300);
}

TEST_F(MainWindow, InactivityTimerRunsOnTheMainWindowAndClosesTheSafe) {
    Start("TimeOutClose=yes\r\nTimeOutMinutes=5\r\nAutoBackup=yes\r\nBackupPath=" + dir + "\r\n");
    T_InitTimers();
    MA_InstallStoreHooks();
    const std::string path = OpenSample();
    int keyDowns = 0;
    static int *counter;
    counter = &keyDowns;
    MA_SetInputHook([] { ++*counter; });
    MSG key = {MainWindows.hWndMain, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    MA_BeforeDispatch(&key);
    MA_SetInputHook(nullptr);
    EXPECT_EQ(keyDowns, 1) << "a key press regrows a shrunk quick window";

    MA_AfterDispatch();
    EXPECT_EQ(Inactivity.bTimeOutArmed, 1);
    EXPECT_EQ(Inactivity.dwTimeOutPeriod, 300000u) << "on the main window's own timer";
    Inactivity.dwLastActivity = Inactivity.dwTimeOutStart + Inactivity.dwTimeOutPeriod; // no input since arming
    SendMessageA(MainWindows.hWndMain, WM_TIMER, T_TIMER_INACTIVITY, 0);
    EXPECT_EQ(hmySafe, nullptr) << "the time-out closed the safe";
    EXPECT_TRUE(MenuGrey(IDM_CLOSESAFE));
    EXPECT_EQ(ReadSafeFile(path, "pw"), 0);
    MA_AfterDispatch();
    EXPECT_EQ(Inactivity.bTimeOutArmed, 0) << "no safe, no timer";

    Inactivity.bHiddenByTimeOut = 1; // as a time-out that hid the program leaves it
    SendMessageA(MainWindows.hWndMain, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(Inactivity.bHiddenByTimeOut, 1) << "another window was activated";
    SendMessageA(MainWindows.hWndMain, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(Inactivity.bHiddenByTimeOut, 0) << "the user is back: the next time-out may hide it again";
    T_SetSafeHooks(nullptr, nullptr);
    T_InitTimers();
}

TEST_F(MainWindow, CloseGoesToTheTrayWhenAskedButExitEnds) {
    Start("TrayOnClose=yes\r\n");
    SendMessageA(MainWindows.hWndMain, WM_CLOSE, 0, 0);
    ASSERT_NE(MainWindows.hWndMain, nullptr);
    EXPECT_TRUE(IsWindow(MainWindows.hWndMain));
    EXPECT_FALSE(Drain()) << "the program goes on";
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(MainWindows.hWndMain, nullptr);
    EXPECT_TRUE(Drain());
}

TEST_F(MainWindow, EndOfSessionIsLoggedAndEndsTheProgram) {
    Start();
    SendMessageA(MainWindows.hWndMain, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(MainWindows.hWndMain, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(MainWindows.hWndMain, nullptr);
    EXPECT_TRUE(Drain());
    const std::string log = Log();
    EXPECT_NE(log.find("MAIN"), std::string::npos);
    EXPECT_NE(log.find("Shutdown message received"), std::string::npos) << log;
}

TEST_F(MainWindow, DropAndSearchWindowsWaitHiddenAtTheirPlaces) {
    Start("[Settings]\r\nSearchWindow=10,20,410,320\r\n");
    ASSERT_NE(MainWindows.hDropWnd, nullptr);
    ASSERT_NE(MainWindows.hSearchWnd, nullptr);
    char text[64];
    GetClassNameA(MainWindows.hDropWnd, text, sizeof text);
    EXPECT_STREQ(text, "orvDrop");
    GetWindowTextA(MainWindows.hDropWnd, text, sizeof text);
    EXPECT_STREQ(text, "orvSafe - crypted Files/Folders");
    GetClassNameA(MainWindows.hSearchWnd, text, sizeof text);
    EXPECT_STREQ(text, "orvSearch");
    GetWindowTextA(MainWindows.hSearchWnd, text, sizeof text);
    EXPECT_STREQ(text, "orvSafe - Searchresults");
    EXPECT_FALSE(IsWindowVisible(MainWindows.hDropWnd));
    EXPECT_FALSE(IsWindowVisible(MainWindows.hSearchWnd));
    RECT r;
    GetWindowRect(MainWindows.hDropWnd, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 400);
    GetWindowRect(MainWindows.hSearchWnd, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 410);
    EXPECT_EQ(r.bottom, 320);
    GetClassNameA(MainWindows.hTrennWnd, text, sizeof text);
    EXPECT_STREQ(text, "WinSplit");
    GetClassNameA(MainWindows.hMyTree, text, sizeof text);
    EXPECT_STREQ(text, "orvTree");
    GetClassNameA(MainWindows.hMyEdit, text, sizeof text);
    EXPECT_STREQ(text, "orvEdit");
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "CardView", &wc));
    EXPECT_TRUE(wc.style & CS_OWNDC);
    EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "orvSafe", &wc));
    EXPECT_TRUE(wc.style & CS_DBLCLKS);
    EXPECT_NE(wc.hIcon, nullptr);
}

TEST_F(MainWindow, ModeTextAndResetOfTheRightPane) {
    Start();
    SB_ShowMode("Display card content");
    EXPECT_EQ(StatusText(1), " Display card content:   ");
    MA_ResetRightPane();
    EXPECT_EQ(StatusText(1), "");
}

TEST_F(MainWindow, SkinCallsTraceAsTheLibraryWould) {
    Start("Tracelevel=8\r\n");
    SK_InitLib();
    SK_RemoveWindowSkin(MainWindows.hWndMain); // nothing loaded: no call
    SK_LoadSkin("C:\\orv\\skins\\blue.smf", TRUE);
    EXPECT_TRUE(MainModes.bSkinLoaded);
    SK_LoadSkin("", FALSE);
    EXPECT_FALSE(MainModes.bSkinLoaded);
    const std::string trace = ReadFile(Path("orvtrace.log"));
    const char *expected[] = {"skin_initLib", "skin_init -> LoadSkinFile(C:\\orv\\skins\\blue.smf) -> return 0",
                              "skin_SetWindowSkin", "skin_SetDialogSkin", "skin_RemoveDialogSkin",
                              "skin_RemoveWindowSkin"};
    size_t at = 0;
    for (const char *e : expected) {
        size_t found = trace.find(e, at);
        ASSERT_NE(found, std::string::npos) << e << " in order in\n" << trace;
        at = found;
    }
    EXPECT_EQ(trace.find("skin_RemoveWindowSkin"), trace.rfind("skin_RemoveWindowSkin")) << "once";
    EXPECT_NE(trace.find("SKIN"), std::string::npos);
}

TEST_F(MainWindow, IconListHoldsTheIconsFolderByExactName) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string shipped(self);
    shipped = shipped.substr(0, shipped.find_last_of("\\/") + 1) + "..\\..\\dist\\Icons\\";
    ASSERT_TRUE(CreateDirectoryA(Path("Icons").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((shipped + "Mail.ico").c_str(), Path("Icons\\Mail.ico").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((shipped + "Bank.ico").c_str(), Path("Icons\\Bank.ico").c_str(), FALSE));
    ASSERT_TRUE(WriteFile(Path("Icons\\Broken.ico"), "not an icon"));
    ASSERT_TRUE(WriteFile(Path("Icons\\readme.txt"), "only *.ico counts"));
    Settings.IconSize = 24;
    IC_LoadIcons();
    EXPECT_EQ(IconList.nIconCount, 3);
    EXPECT_NE(IC_GetIcon("Mail.ico"), nullptr);
    EXPECT_NE(IC_GetIcon("Bank.ico"), nullptr);
    EXPECT_EQ(IC_GetIcon("Broken.ico"), nullptr) << "a file without an icon gives a record without one";
    EXPECT_EQ(IC_GetIcon("mail.ico"), nullptr) << "names compare with their case";
    EXPECT_EQ(IC_GetImageIndex("mail.ico"), -1);
    EXPECT_EQ(IC_GetImageIndex("Nothing.ico"), -1);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(IC_GetIcon("Mail.ico"), &info));
    BITMAP bm = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 24) << "the picture drawn for the tree's icon size";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    IC_LoadIcons();
    EXPECT_EQ(IconList.nIconCount, 3) << "loaded once";
    IC_FreeIcons();
    EXPECT_EQ(IconList.nIconCount, 0);
    EXPECT_EQ(IconList.lpICONstart, nullptr);
}

TEST_F(MainWindow, SplashSitsCentredOnTopInTheSizeOfItsPicture) {
    hInst = GetModuleHandleA(nullptr);
    HWND splash = MA_ShowSplash();
    ASSERT_NE(splash, nullptr);
    RECT r;
    GetWindowRect(splash, &r);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 160);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 160) / 2);
    EXPECT_TRUE(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrA(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)) << "no border";
    MA_CloseSplash(splash);
    EXPECT_FALSE(IsWindow(splash));
}

TEST_F(MainWindow, DropAndSearchStatusBarsShowTheirLabelsAndCounts) {
    Start();
    ASSERT_NE(MainWindows.hDropStatusWnd, nullptr);
    ASSERT_NE(MainWindows.hSearchStatusWnd, nullptr);
    EXPECT_EQ(GetDlgCtrlID(MainWindows.hSearchStatusWnd), 1004);
    auto text = [](HWND bar, int part) {
        char t[64] = {};
        SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(t));
        return std::string(t);
    };
    EXPECT_EQ(SendMessageA(MainWindows.hDropStatusWnd, SB_GETPARTS, 0, 0), SB_DROP_PARTS);
    EXPECT_EQ(text(MainWindows.hDropStatusWnd, 1), "Folder:");
    EXPECT_EQ(text(MainWindows.hDropStatusWnd, 3), "Files:");
    SB_ShowDropCounts(3, 1234);
    EXPECT_EQ(text(MainWindows.hDropStatusWnd, 2), "    3");
    EXPECT_EQ(text(MainWindows.hDropStatusWnd, 4), "  1234");
    EXPECT_EQ(SendMessageA(MainWindows.hSearchStatusWnd, SB_GETPARTS, 0, 0), SB_SEARCH_PARTS);
    EXPECT_EQ(text(MainWindows.hSearchStatusWnd, 1), "Searchresults:");
    SB_ShowSearchCount(42);
    EXPECT_EQ(text(MainWindows.hSearchStatusWnd, 2), "   42");
    int edges[SB_SEARCH_PARTS] = {};
    SendMessageA(MainWindows.hSearchStatusWnd, SB_GETPARTS, SB_SEARCH_PARTS, reinterpret_cast<LPARAM>(edges));
    RECT client;
    GetClientRect(MainWindows.hSearchWnd, &client);
    EXPECT_EQ(edges[2], client.right);
    EXPECT_LT(edges[0], edges[1]);
}

TEST_F(MainWindow, DesktopProfilesInTheSafeAllowRestoreOnceItsDialogIsBuilt) {
    Start();
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, "Mail", ""}};
    s.profiles = {{1, "Office", "PC1", "01022026"}};
    s.icons = {{1, 1, "Recycle Bin", 10, 20}};
    const std::string path = Path("desk.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(s)));
    ui.passwords = {"pw"};
    ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
    EXPECT_TRUE(TB_IsEnabled(IDT_RESTOREDESKTOP));
    EXPECT_TRUE(ButtonEnabled(IDT_RESTOREDESKTOP));
    ASSERT_EQ(SW_CloseSafe(0), 0);
    EXPECT_FALSE(TB_IsEnabled(IDT_RESTOREDESKTOP));
}

TEST_F(MainWindow, CommandsSwitchedByTheCoreReachMenuAndToolbar) {
    Start();
    UI_EnableCommand(IDT_CLOSETREES, 1);
    EXPECT_TRUE(ButtonEnabled(2010));
    UI_EnableCommand(IDT_CLOSETREES, 0);
    EXPECT_FALSE(ButtonEnabled(2010));
    UI_EnableCommand(IDM_CLOSESAFE, 1);
    EXPECT_FALSE(MenuGrey(IDM_CLOSESAFE));
    UI_EnableCommand(IDM_CLOSESAFE, 0);
    EXPECT_TRUE(MenuGrey(IDM_CLOSESAFE));
    MA_ToolbarDisplayMode();
    EXPECT_TRUE(ButtonEnabled(2003));
    EXPECT_FALSE(ButtonEnabled(2002));
    MA_ToolbarChangeMode();
    EXPECT_FALSE(ButtonEnabled(2003));
    EXPECT_TRUE(ButtonEnabled(2002));
    MA_ToolbarNoCard();
    EXPECT_FALSE(ButtonEnabled(2003));
    EXPECT_FALSE(ButtonEnabled(2002));
}

TEST_F(MainWindow, MinimiseGoesToTheTrayWhenAskedAndStayInForegroundIsTopmost) {
    Start("TrayOnMinimize=yes\r\nStayInForeground=yes\r\n");
    EXPECT_TRUE(GetWindowLongPtrA(MainWindows.hWndMain, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ShowWindow(MainWindows.hDropWnd, SW_SHOWNOACTIVATE);
    SendMessageA(MainWindows.hWndMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hDropWnd)) << "the drop window goes first";
    EXPECT_TRUE(IsWindow(MainWindows.hWndMain));
}

TEST_F(MainWindow, AMinimisedWindowKeepsItsRestoredPlace) {
    Start();
    SetWindowPos(MainWindows.hWndMain, nullptr, 40, 50, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    UI_RECT r;
    ASSERT_EQ(MA_WindowRect(UI_WND_MAIN, &r), 0);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.bottom, 530);
    ShowWindow(MainWindows.hWndMain, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(MainWindows.hWndMain));
    ASSERT_EQ(MA_WindowRect(UI_WND_MAIN, &r), 0);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right, 680);
    EXPECT_EQ(r.bottom, 530);
    ASSERT_EQ(MA_WindowRect(UI_WND_SEARCH, &r), 0);
    EXPECT_EQ(r.right - r.left, 600);
}

TEST_F(MainWindow, CreatingASafeEnablesItsCommands) {
    Start();
    SW_FOCUS focus = SW_FOCUS_NONE;
    ASSERT_EQ(SW_CreateSafeOK("fresh", "pw", "pw", false, &focus), 0);
    ASSERT_NE(hmySafe, nullptr);
    for (unsigned id : kSafeMenu)
        EXPECT_FALSE(MenuGrey(id)) << id;
    EXPECT_TRUE(ButtonEnabled(2010));
    for (unsigned id : {2009u, 2011u, 2013u, 2014u})
        EXPECT_TRUE(TB_IsEnabled(id)) << id;
    EXPECT_FALSE(TB_IsEnabled(2012));
    EXPECT_EQ(StatusText(3), "  0");
    EXPECT_EQ(StatusText(5), "  0");
}

TEST_F(MainWindow, WithoutTheNtFamilyTheDesktopIconFeatureIsGone) {
    MainModes.nPlatformKind = MA_PLATFORM_9X;
    Start();
    MainModes.nPlatformKind = MA_PLATFORM_UNKNOWN;
    EXPECT_EQ(SendMessageA(MainWindows.hToolbar, TB_BUTTONCOUNT, 0, 0), 22);
    EXPECT_EQ(SendMessageA(MainWindows.hToolbar, TB_COMMANDTOINDEX, 2011, 0), -1);
    EXPECT_EQ(SendMessageA(MainWindows.hToolbar, TB_COMMANDTOINDEX, 2012, 0), -1);
    TBBUTTON b = {};
    SendMessageA(MainWindows.hToolbar, TB_GETBUTTON, 18, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, 2013) << "the separator after the pair went too";
    HMENU bar = GetMenu(MainWindows.hWndMain);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    char text[32] = {};
    GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Settings");
    EXPECT_EQ(GetMenuState(bar, IDT_SAVEDESKTOP, MF_BYCOMMAND), static_cast<UINT>(-1));
}

// A delete resets the right pane only once confirmed (Cancel here); "Change Folder
// Order" and "Folder Templates" reset it before their dialogs (cancelled by the driver).
TEST_F(MainWindow, TheRightPaneIsResetAsEachCommandSays) {
    Start();
    OpenSample();
    DialogDriver driver;
    const struct {
        unsigned id;
        HWND to;
        bool onFolder, reset;
    } rows[] = {{IDM_TV_DELETECARD, MainWindows.hMyTree, false, false},
                {IDM_TV_DELETEFOLDER, MainWindows.hMyTree, true, false},
                {IDM_FOLDERORDER, MainWindows.hWndMain, false, true},
                {IDM_FOLDERTEMPLATES, MainWindows.hWndMain, false, true}};
    for (const auto &r : rows) {
        TV_ClickItem(CW_GetCardTreeHandle(1));
        ASSERT_NE(StatusText(1), "");
        if (r.onFolder)
            TreeView_SelectItem(MainWindows.hWndLinks, TreeView_GetParent(MainWindows.hWndLinks, TV_GetSelection()));
        ui.answers = {UI_IDCANCEL};
        SendMessageA(r.to, WM_COMMAND, r.id, 0);
        EXPECT_EQ(StatusText(1).empty(), r.reset) << r.id;
    }
    EXPECT_EQ(RecordCounts.nCardCount, 3u);
}

// Run at 96, 144 and 192 DPI by the screen scale check: no status bar label
// cut, the category box within the toolbar, images at the size drawn for the scale.
TEST_F(MainWindow, AtEveryScaleLabelsAreWholeAndImagesGrow) {
    Start();
    OpenSample();
    Settings.IconSize = 16;
    TV_CreateImageList();
    const int dpi = DP_WindowDpi(MainWindows.hWndMain), image = dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16;
    HDC dc = GetDC(MainWindows.hStatusWnd);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(MainWindows.hStatusWnd, WM_GETFONT, 0, 0)));
    for (const char *label : {"Folder:", "Cards:"}) {
        RECT r = {};
        SendMessageA(MainWindows.hStatusWnd, SB_GETRECT, label[0] == 'F' ? 2 : 4, reinterpret_cast<LPARAM>(&r));
        SIZE text = {};
        GetTextExtentPoint32A(dc, label, lstrlenA(label), &text);
        EXPECT_GE(r.right - r.left, text.cx + DP_Scale(MainWindows.hWndMain, 4)) << label << " at " << dpi;
    }
    ReleaseDC(MainWindows.hStatusWnd, dc);
    RECT bar, combo;
    GetWindowRect(MainWindows.hToolbar, &bar);
    GetWindowRect(MainWindows.hCategoryCombo, &combo);
    EXPECT_LE(combo.bottom, bar.bottom) << dpi;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageA(MainWindows.hToolbar, TB_GETIMAGELIST, 0, 0)), &cx, &cy);
    EXPECT_EQ(cx, image) << dpi;
    ImageList_GetIconSize(TreeView_GetImageList(MainWindows.hWndLinks, TVSIL_NORMAL), &cx, &cy);
    EXPECT_EQ(cy, image) << dpi;
    HBITMAP marks[2] = {};
    DestroyMenu(TR_BuildTrayMenu(marks));
    BITMAP mark = {};
    GetObjectA(marks[1], sizeof mark, &mark);
    EXPECT_EQ(mark.bmWidth, image) << "the tray menu's marks at " << dpi;
    for (HBITMAP b : marks)
        DeleteObject(b);
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The loop's keyboard: Tab moves through a modeless window registered with it
// and nowhere else; F1 in the main window reaches the help command.
TEST_F(MainWindow, TheLoopGivesTabToRegisteredWindowsAndF1ToTheHelpFile) {
    Start();
    FakeShell shell;
    MA_SetAccelerators(MainWindows.hWndMain, LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_MAIN)));
    auto press = [](HWND target, WPARAM key) {
        PostMessageA(target, WM_KEYDOWN, key, 1);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            MA_BeforeDispatch(&m);
            MA_RouteMessage(&m);
            MA_AfterDispatch();
        }
    };
    auto modeless = [] {
        HWND h = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ALARMDATE), nullptr, PlainDialog, 0);
        ShowWindow(h, SW_SHOW);
        return h;
    };
    HWND registered = modeless(), other = modeless();
    ASSERT_TRUE(registered && other);
    MA_RegisterModeless(registered);
    for (HWND h : {registered, other}) {
        SetFocus(GetDlgItem(h, IDOK));
        press(GetFocus(), VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), h == registered ? IDCANCEL : IDOK);
    }
    press(GetDlgItem(other, IDOK), VK_F1);
    EXPECT_TRUE(shell.opens.empty()) << "F1 belongs to the main window";
    press(MainWindows.hWndLinks, VK_F1);
    EXPECT_EQ(shell.Targets(), std::vector<std::string>{dir + "\\orvsafe.chm"});
    EXPECT_TRUE(ui.shown.empty());
    shell.openResult = -1; // no help file there
    press(MainWindows.hWndLinks, VK_F1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "The help file orvsafe.chm cannot be opened.");
    MA_UnregisterModeless(registered);
    MA_SetAccelerators(nullptr, nullptr);
    DestroyWindow(registered);
    DestroyWindow(other);
}

} // namespace

namespace {
std::string Narrow(BSTR b) {
    std::string out(b, b + (b ? SysStringLen(b) : 0));
    SysFreeString(b);
    return out;
}
VARIANT Child(long id) {
    VARIANT v = {};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}
IAccessible *ObjectOf(HWND hWnd) {
    void *object = nullptr;
    AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object);
    return static_cast<IAccessible *>(object);
}
} // namespace

// Walked in-process: read from another process, this Wine names nothing.
TEST_F(MainWindow, AScreenReaderHearsTheShownCardsFieldsAndTheToolbarsButtons) {
    Start();
    FakeShell shell;
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, "Mail", ""}};
    s.fields = {{1, 0, 1, "User", 0, 30, 0}, {1, 1, 2, "Password", 1, 30, 0}, {1, 2, 3, "Web", 2, 60, 0}};
    s.cards = {{1, 1, 1, "Home", ""}};
    s.contents = {{1, 0, "alice"}, {1, 1, "s3cr3t!"}, {1, 2, "mail.example.org"}};
    ASSERT_TRUE(WriteFile(Path("sample.saf"), BuildSafe(s)));
    ui.passwords = {"pw"};
    ASSERT_EQ(SW_GetSafe(Path("sample.saf").c_str()), 0);
    const uint32_t card = static_cast<uint32_t>(CW_GetCardIdByName("Home"));
    HTREEITEM home = reinterpret_cast<HTREEITEM>(CW_GetCardTreeHandle(card));
    TreeView_SelectItem(MainWindows.hWndLinks, home);
    TV_ItemSelected(home);
    ASSERT_TRUE(MainModes.bCardDisplayMode);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));

    IAccessible *view = ObjectOf(MainWindows.hCardView);
    ASSERT_NE(view, nullptr);
    long n = 0;
    EXPECT_EQ(view->get_accChildCount(&n), S_OK);
    std::vector<std::string> heard;
    for (long i = 1; i <= n; ++i) {
        BSTR name = nullptr, value = nullptr;
        VARIANT role, state;
        view->get_accName(Child(i), &name);
        view->get_accValue(Child(i), &value);
        view->get_accRole(Child(i), &role);
        view->get_accState(Child(i), &state);
        heard.push_back(Narrow(name) + "|" + Narrow(value) + "|" + std::to_string(role.lVal) + "|" +
                        ((state.lVal & STATE_SYSTEM_PROTECTED) ? "protected" : ""));
    }
    const std::vector<std::string> want = {"User|alice|41|", "Password|*******|41|protected",
                                           "Web|mail.example.org|30|"};
    EXPECT_EQ(heard, want) << "41: static text, 30: link";
    EXPECT_EQ(view->accDoDefaultAction(Child(2)), DISP_E_MEMBERNOTFOUND) << "a password is no link";
    EXPECT_EQ(view->accDoDefaultAction(Child(3)), S_OK);
    EXPECT_EQ(shell.Targets(), std::vector<std::string>{"http://mail.example.org"});
    // Hidden in change mode, the view tells nothing.
    CW_EnterChangeMode();
    EXPECT_EQ(view->get_accChildCount(&n), S_OK);
    EXPECT_EQ(n, 0);
    BSTR value = nullptr;
    EXPECT_EQ(view->get_accValue(Child(2), &value), E_INVALIDARG);
    view->Release();

    // Buttons are named by their tooltips. The system's toolbar object reads them
    // and makes each button a child; this Wine's has only the category box, so the
    // tooltips are asked as the system's object would.
    IAccessible *bar = ObjectOf(MainWindows.hToolbar);
    ASSERT_NE(bar, nullptr);
    long children = 0;
    EXPECT_EQ(bar->get_accChildCount(&children), S_OK);
    for (long i = 1; i <= children; ++i) {
        IDispatch *window = nullptr;
        const HRESULT simple = bar->get_accChild(Child(i), &window);
        if (window)
            window->Release();
        if (simple != S_FALSE)
            continue; // a window of its own, which this Wine does not even hand out
        BSTR name = nullptr;
        bar->get_accName(Child(i), &name);
        EXPECT_NE(Narrow(name), "") << "toolbar child " << i << " has no name";
    }
    bar->Release();
    HWND tips = reinterpret_cast<HWND>(SendMessageA(MainWindows.hToolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    const int buttons = static_cast<int>(SendMessageA(MainWindows.hToolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < buttons; ++i) {
        TBBUTTON b = {};
        SendMessageA(MainWindows.hToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        if (b.fsStyle & BTNS_SEP)
            continue;
        char text[80] = {};
        TTTOOLINFOA tool = {sizeof tool, 0, MainWindows.hToolbar, static_cast<UINT_PTR>(b.idCommand), {}, nullptr, text};
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STRNE(text, "") << "button " << b.idCommand << " has no name";
    }
    CoUninitialize();
}
