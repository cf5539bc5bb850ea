// The desktop's icon list through the Win32 side of the seam: a stand-in for the
// shell's windows (a "Progman" window holding a "SHELLDLL_DefView" holding a
// "SysListView32" list of icons) is made in this process, so the very calls that
// reach into the shell's memory run against a list whose truth is known.
#include "model/desktop_profiles.h"
#include "platform/platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "tools/desktop_dialog.h"
#include "tools/desktop_icons.h"
#include "ui/ids_desktop.h"
#include "ui/profile_dialog.h"
#include "ui/uiport_win32.h"
#include "win/dialog_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

using namespace testsupport;

namespace {
struct Item {
    const char *text;
    int x, y;
};

class DesktopList : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        DT_FreeDesktopTable();
        if (FindWindowA("Progman", nullptr))
            GTEST_SKIP() << "a shell desktop is running here; the stand-in would not be found";
        HMODULE comctl = LoadLibraryA("comctl32.dll");
        ASSERT_NE(comctl, nullptr);
        typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX *);
        FARPROC proc = GetProcAddress(comctl, "InitCommonControlsEx");
        ASSERT_NE(proc, nullptr);
        InitFn init;
        memcpy(&init, &proc, sizeof init);
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        init(&icc);
        for (const char *cls : {"Progman", "SHELLDLL_DefView"}) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = cls;
            RegisterClassA(&wc); // a second registration in the same run fails harmlessly
        }
        progman = CreateWindowExA(0, "Progman", "Program Manager", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(progman, nullptr);
        HWND view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD, 0, 0, 800, 600, progman, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        list = CreateWindowExA(0, "SysListView32", "FolderView", WS_CHILD | LVS_ICON, 0, 0, 800, 600, view, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override {
        DT_FreeDesktopTable();
        if (progman)
            DestroyWindow(progman);
        TempDirTest::TearDown();
    }
    void Add(const Item &it) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char *>(it.text);
        int i = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        POINT pt = {it.x, it.y};
        SendMessageA(list, LVM_SETITEMPOSITION32, i, reinterpret_cast<LPARAM>(&pt));
    }
    POINT Where(int i) {
        POINT pt = {-1, -1};
        SendMessageA(list, LVM_GETITEMPOSITION, i, reinterpret_cast<LPARAM>(&pt));
        return pt;
    }
    std::string Text(int i) {
        char buf[DT_ITEM_TEXT_SIZE] = {};
        return PL_DesktopItemText(i, buf, sizeof buf) == 0 ? buf : "(failed)";
    }
    HWND progman = nullptr;
    HWND list = nullptr;
};
} // namespace

TEST_F(DesktopList, TheShellsListIsFoundAndReadAndMovedThroughItsProcessMemory) {
    Add({"Trash", 16, 32});
    Add({"", 100, 40});
    Add({"A label of some length, as shortcuts have", 200, 48});
    int failure = -1;
    ASSERT_EQ(PL_DesktopOpen(&failure), 0);
    EXPECT_EQ(failure, 0);
    EXPECT_EQ(PL_DesktopItemCount(), 3);
    EXPECT_EQ(Text(0), "Trash");
    EXPECT_EQ(Text(1), "");
    EXPECT_EQ(Text(2), "A label of some length, as shortcuts have");
    int32_t x = 0, y = 0;
    ASSERT_EQ(PL_DesktopGetItemPosition(0, &x, &y), 0);
    POINT direct = Where(0);
    EXPECT_EQ(x, direct.x);
    EXPECT_EQ(y, direct.y);
    ASSERT_EQ(PL_DesktopSetItemPosition(2, 300, 120), 0);
    direct = Where(2);
    EXPECT_EQ(direct.x, 300);
    EXPECT_EQ(direct.y, 120);
    char small[4];
    ASSERT_EQ(PL_DesktopItemText(0, small, sizeof small), 0);
    EXPECT_STREQ(small, "Tra");
    PL_DesktopClose();
    EXPECT_EQ(PL_DesktopItemCount(), 0) << "closed: nothing is reached any more";
}

TEST_F(DesktopList, SaveAndRestoreRunAgainstTheRealList) {
    Add({"Trash", 10, 20});
    Add({"Docs", 110, 20});
    Add({"Mail", 210, 20});
    FakeUi ui;
    auto choose = [](uint32_t mode, uint32_t *id) {
        DT_PROFILEREQUEST r{mode, 0, DT_RESULT_CANCEL};
        if (DT_ProfileDialogOk(&r, "Home") != 0)
            return -1;
        *id = r.nProfilId;
        return 0;
    };
    POINT before[3] = {Where(0), Where(1), Where(2)};
    ui.profileDialogs.push_back(choose);
    DT_SaveDesktopIcons();
    ASSERT_EQ(ui.shown.back().text, "Icon positions saved!");
    for (int i = 0; i < 3; ++i) {
        POINT pt = {400 + i, 300};
        SendMessageA(list, LVM_SETITEMPOSITION32, i, reinterpret_cast<LPARAM>(&pt));
    }
    ui.profileDialogs.push_back(choose);
    DT_RestoreDesktopIcons();
    EXPECT_EQ(ui.shown.back().text, "Icon positions restored!");
    for (int i = 0; i < 3; ++i) {
        POINT pt = Where(i);
        EXPECT_EQ(pt.x, before[i].x) << i;
        EXPECT_EQ(pt.y, before[i].y) << i;
    }
}

TEST_F(DesktopList, WithoutTheShellsWindowsTheProcessIsNotFound) {
    DestroyWindow(progman);
    progman = nullptr;
    int failure = 0;
    EXPECT_EQ(PL_DesktopOpen(&failure), -1);
    EXPECT_EQ(failure, PL_DESKTOP_NO_PROCESS);
}

TEST(ScreenSize, TheScreenHasASize) {
    uint32_t w = 0, h = 0;
    PL_GetScreenSize(&w, &h);
    EXPECT_GT(w, 0u);
    EXPECT_GT(h, 0u);
}

// The profile dialog itself, as a user meets it over the stand-in desktop.
class ProfileWindow : public DesktopList {
  protected:
    void SetUp() override {
        DesktopList::SetUp();
        if (IsSkipped())
            return;
        UI_SetPort(&port);
        DT_SetProfileView(PD_View());
    }
    void TearDown() override {
        DT_SetProfileView(nullptr);
        UI_SetPort(nullptr);
        EXPECT_TRUE(driver.unexpected.empty()) << "first unexpected: " << driver.unexpected.front();
        EXPECT_TRUE(driver.Done()) << "a scripted dialog never appeared";
        DesktopList::TearDown();
    }
    void Answer(const char *caption, int button) {
        driver.Expect(caption, [button](HWND d) { DialogDriver::Click(d, button); });
    }
    Win32UiPort port;
    DialogDriver driver;
};

TEST_F(ProfileWindow, ANamedProfileIsSavedAndChosenFromTheListToPutTheIconsBack) {
    Add({"Trash", 10, 20});
    Add({"Docs", 110, 20});
    driver.Expect("Save desktop icon positions", [](HWND d) {
        DialogDriver::Type(d, IDC_DT_NAME, "Home");
        DialogDriver::Click(d, IDOK);
    });
    Answer("Confirm", IDYES); // "Create new profile [Home] for icon positions ?"
    Answer("Notice", IDOK);
    DT_SaveDesktopIcons();
    for (int i = 0; i < 2; ++i) {
        POINT pt = {400 + i, 300};
        SendMessageA(list, LVM_SETITEMPOSITION32, i, reinterpret_cast<LPARAM>(&pt));
    }
    std::string chosen;
    driver.Expect("Restore desktop icon positions", [&chosen](HWND d) {
        NMITEMACTIVATE n = {};
        n.hdr.hwndFrom = GetDlgItem(d, IDC_DT_LIST);
        n.hdr.idFrom = IDC_DT_LIST;
        n.hdr.code = NM_CLICK;
        n.iItem = 0;
        SendMessageA(d, WM_NOTIFY, IDC_DT_LIST, reinterpret_cast<LPARAM>(&n));
        chosen = DialogDriver::Text(d, IDC_DT_NAME);
        DialogDriver::Click(d, IDOK);
    });
    Answer("Notice", IDOK);
    DT_RestoreDesktopIcons();
    EXPECT_EQ(chosen, "Home");
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"Confirm: Create new profile [Home] for icon positions ?",
                                                          "Notice: Icon positions saved!",
                                                          "Notice: Icon positions restored!"}));
    EXPECT_EQ(Where(0).x, 10);
    EXPECT_EQ(Where(1).x, 110);
}

TEST_F(ProfileWindow, WithoutTheShellsListNoDialogAndNoProfile) {
    DestroyWindow(progman);
    progman = nullptr;
    Answer("Error", IDOK);
    DT_SaveDesktopIcons();
    EXPECT_EQ(driver.Messages(),
              (std::vector<std::string>{"Error: This desktop has no icon list: there are no icon positions to save"}));
    EXPECT_EQ(lpDTOPHEADERstart, nullptr);
}
