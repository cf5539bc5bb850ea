// A fixture for the program's windows under Wine: the main window made as the
// program makes it (hidden) over a temporary program directory whose settings
// name it as SafePath; real message boxes and dialogs answered by a scripted
// user once UseRealDialogs() is called. At the end every scripted dialog must
// have come and nothing unexpected; the safe is closed, the window destroyed.
#pragma once

#include "config/settings.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "support/drop_fixture.h"
#include "ui/mainwnd.h"
#include "ui/uiport_win32.h"
#include "win/dialog_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace testsupport {

class MainWindowTest : public DropSafeTest {
  protected:
    void SetUp() override {
        DropSafeTest::SetUp();
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nSafePath=" + dir + "\r\n"));
        II_ReadSettings();
        ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
    }
    void UseRealDialogs() { UI_SetPort(&port); }
    void TearDown() override {
        UI_SetPort(&ui);
        EXPECT_TRUE(driver.unexpected.empty()) << "first unexpected: " << driver.unexpected.front();
        EXPECT_TRUE(driver.Done()) << "a scripted dialog never appeared";
        // Closed first: the tree forgets its items before it goes with the window.
        if (hmySafe) {
            EXPECT_EQ(SW_CloseSafe(0), 0);
        }
        if (MainWindows.hWndMain)
            DestroyWindow(MainWindows.hWndMain);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
        DropSafeTest::TearDown();
    }
    Win32UiPort port;
    DialogDriver driver;
};

} // namespace testsupport
