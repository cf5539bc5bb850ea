#include "config/winpos.h"

#include "support/fake_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
class WindowPositions : public TempDirTest {
  protected:
    void Store(const std::string &settings) {
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\n" + settings));
    }
    FakeUi ui;
};

std::string Show(const UI_RECT &r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}
} // namespace

TEST_F(WindowPositions, ARectangleIsReadAsCornersOrAsPositionAndSize) {
    Store("MainWindow=10,20,810,620\r\nDropWindow=10,20\r\nSearchWindow= -5 , 7,x,\r\nEmpty=\r\n");
    UI_RECT r{};
    ASSERT_EQ(IW_GetWindowRect(&r, "MainWindow", 1), 0);
    EXPECT_EQ(Show(r), "10 20 800 600");
    ASSERT_EQ(IW_GetWindowRect(&r, "mainwindow", 0), 0);
    EXPECT_EQ(Show(r), "10 20 810 620");
    ASSERT_EQ(IW_GetWindowRect(&r, "DropWindow", 1), 0);
    EXPECT_EQ(Show(r), "10 20 -10 -20") << "missing numbers are 0";
    ASSERT_EQ(IW_GetWindowRect(&r, "SearchWindow", 0), 0);
    EXPECT_EQ(Show(r), "-5 7 0 0");

    UI_RECT untouched{1, 2, 3, 4};
    EXPECT_EQ(IW_GetWindowRect(&untouched, "Empty", 1), -1);
    EXPECT_EQ(IW_GetWindowRect(&untouched, "Missing", 0), -1);
    EXPECT_EQ(Show(untouched), "1 2 3 4");
}

TEST_F(WindowPositions, NumbersAreTakenOffTheTextOneByOne) {
    char text[200] = "12,abc,-3";
    EXPECT_EQ(IW_NextNumber(text), 12);
    EXPECT_STREQ(text, "abc,-3");
    EXPECT_EQ(IW_NextNumber(text), 0);
    EXPECT_EQ(IW_NextNumber(text), -3);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(IW_NextNumber(text), 0);
    EXPECT_STREQ(text, "");

    // A number is taken through 50 bytes: 49 characters of it count.
    std::string longNumber = std::string(48, ' ') + "7" + "5,1";
    strcpy(text, longNumber.c_str());
    EXPECT_EQ(IW_NextNumber(text), 7);
    EXPECT_STREQ(text, "1");
}

TEST_F(WindowPositions, SavingWritesTheFourKeys) {
    Store("Version=1.13\r\nMainWindow=0,0,1,1\r\n");
    ui.rects[UI_WND_MAIN] = {100, 50, 900, 650};
    ui.rects[UI_WND_DROP] = {-8, -8, 592, 392};
    ui.rects[UI_WND_SEARCH] = {0, 0, 600, 400};
    ui.splitPosition = 240;
    EXPECT_EQ(IW_SaveWindowPositions(), 0);
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")), "[Settings]\r\nVersion=1.13\r\nMainWindow=100,50,900,650\r\n"
                                             "SplitBar=240\r\nDropWindow=-8,-8,592,392\r\n"
                                             "SearchWindow=0,0,600,400\r\n");
    UI_RECT r{};
    ASSERT_EQ(IW_GetWindowRect(&r, "DropWindow", 1), 0);
    EXPECT_EQ(Show(r), "-8 -8 600 400");
}

TEST_F(WindowPositions, AMissingRectangleStopsTheSavingAndIsLogged) {
    FixedClock clock(PL_SYSTEMTIME{2006, 3, 3, 1, 18, 5, 9, 0});
    ui.rects[UI_WND_MAIN] = {1, 2, 3, 4};
    ui.rects[UI_WND_SEARCH] = {5, 6, 7, 8};
    EXPECT_EQ(IW_SaveWindowPositions(), -1);
    EXPECT_EQ(ReadFile(Path("orvsafe.ini")), "[Settings]\r\nMainWindow=1,2,3,4\r\nSplitBar=0\r\n");
    EXPECT_EQ(Log(),
              "1.13.000 2006/03/01 18:05:09 *IW01* error saving current window position \r\n");
}

TEST_F(WindowPositions, WithoutWindowsNothingIsWritten) {
    UI_SetPort(nullptr); // the silent port has no windows
    EXPECT_EQ(IW_SaveWindowPositions(), -1);
    EXPECT_FALSE(FileExists(Path("orvsafe.ini")));
    UI_SetPort(&ui);
}
