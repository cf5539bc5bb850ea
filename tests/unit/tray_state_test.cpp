#include "tools/tray_state.h"

#include "config/settings.h"
#include "support/fake_ui.h"
#include "tools/quick_window.h"
#include "tools/timeout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>


namespace {
const unsigned kMove = 0x0200, kRDown = 0x0204;
const unsigned kDown = TR_MOUSE_LDOWN, kUp = TR_MOUSE_LUP, kRUp = TR_MOUSE_RUP;

class TrayState : public ::testing::Test {
  protected:
    void SetUp() override {
        memset(&Settings, 0, sizeof Settings);
        unsigned actions;
        TR_TrayActions(TR_MOUSE_LUP, 0, &actions); // no press held over from before
        T_InitTimers();
        QW_Reset();
    }
    void TearDown() override { T_InitTimers(); }
    FakeUi ui;
};
} // namespace

TEST_F(TrayState, NotificationsTurnIntoActionsAndClearTheTimeOutFlags) {
    struct Row {
        std::vector<unsigned> mice; // the last one's actions are checked
        int closedByTimeOut, timeOutClose, quick;
        unsigned actions;
        int answer, pressedAfter, closedAfter, hiddenAfter;
    } rows[] = {
        {{kDown}, 0, 0, 0, 0, 1, 1, 0, 1},
        {{kDown, kUp}, 0, 0, 0, TR_DO_RESTORE, 1, 0, 0, 0},
        {{kUp}, 0, 0, 0, 0, 1, 0, 0, 1}, // a release without a press does nothing
        {{kDown, kUp}, 1, 1, 0, TR_DO_REOPEN | TR_DO_RESTORE, 1, 0, 0, 0},
        {{kDown, kUp}, 1, 0, 0, TR_DO_RESTORE, 1, 0, 0, 0}, // closed, but not to be reopened
        {{kDown, kUp}, 0, 0, 1, TR_DO_QWTIMER | TR_DO_RESTORE, 1, 0, 0, 0},
        {{kRUp}, 0, 0, 0, TR_DO_MENU, 1, 0, 0, 1},
        {{kDown, kRUp}, 0, 0, 0, 0, 1, 1, 0, 1}, // the left button held: no menu
        {{kDown, kUp, kRUp}, 0, 0, 0, TR_DO_MENU, 1, 0, 0, 0},
        {{kMove}, 1, 1, 0, 0, 0, 0, 1, 1},
        {{kDown, kRDown}, 0, 0, 0, 0, 0, 1, 0, 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        SetUp();
        Inactivity.bHiddenByTimeOut = 1;
        Inactivity.bSafeClosedByTimeOut = r.closedByTimeOut;
        Settings.TimeOutClose = r.timeOutClose != 0;
        unsigned actions = 99;
        int answer = -1;
        for (unsigned m : r.mice)
            answer = TR_TrayActions(m, r.quick, &actions);
        EXPECT_EQ(actions, r.actions);
        EXPECT_EQ(answer, r.answer);
        EXPECT_EQ(TR_ButtonPressed(), r.pressedAfter);
        EXPECT_EQ(Inactivity.bSafeClosedByTimeOut, r.closedAfter);
        // Back from the tray, the next idle period may hide the program again.
        EXPECT_EQ(Inactivity.bHiddenByTimeOut, r.hiddenAfter);
    }
}

TEST_F(TrayState, TrayMenuGreysNotesWithoutSafeOrNotes) {
    struct Row {
        int safeOpen, noteExists, createGreyed, notesGreyed;
    } rows[] = {{0, 0, 1, 1}, {0, 1, 1, 0}, {1, 0, 0, 1}, {1, 1, 0, 0}};
    for (const Row &r : rows) {
        EXPECT_EQ(TR_TrayMenuGreyed(IDM_TRAYCREATENOTE, r.safeOpen, r.noteExists), r.createGreyed);
        EXPECT_EQ(TR_TrayMenuGreyed(IDM_TRAYNOTES, r.safeOpen, r.noteExists), r.notesGreyed);
        EXPECT_EQ(TR_TrayMenuGreyed(IDM_TRAYEXIT, r.safeOpen, r.noteExists), 0);
    }
}

TEST_F(TrayState, QuickStripShrinksToItsTabAndGrowsBack) {
    EXPECT_EQ(QW_StripBox(1024, 768, 738, 96).x, 874);
    EXPECT_EQ(QW_StripBox(1024, 768, 738, 96).h, 738);
    EXPECT_EQ(QW_StripBox(1024, 768, 0, 96).h, 768) << "no taskbar below: the whole height";
    EXPECT_EQ(QW_StripBox(2048, 1536, 0, 192).x, 1748);

    struct Row {
        int shrunk, closedByTimeOut, seconds, steps;
        uint32_t regrowTimer; // 0: no regrow
    } rows[] = {{0, 0, 5, QW_SHRINK_STEPS, 5000}, {0, 0, 0, QW_SHRINK_STEPS, 0}, {1, 0, 5, 0, 0}, {0, 1, 5, 0, 0}};
    const UI_RECT strip = {874, 0, 1024, 738};
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        QW_Reset();
        Settings.QWMinimizeTime = r.seconds;
        WL_BOX steps[QW_SHRINK_STEPS] = {};
        if (r.shrunk) {
            ASSERT_EQ(QW_ShrinkSteps(&strip, 96, steps), QW_SHRINK_STEPS);
        }
        Inactivity.bSafeClosedByTimeOut = r.closedByTimeOut;
        QW_SetTimer(1000);
        ASSERT_EQ(QW_ShrinkSteps(&strip, 96, steps), r.steps);
        EXPECT_EQ(ui.timers.count(QW_TIMER_SHRINK), 0u) << "the timer stops when it fires";
        if (!r.steps)
            continue;
        EXPECT_EQ(steps[0].x + steps[0].w, 1024);
        const WL_BOX &tab = steps[QW_SHRINK_STEPS - 1];
        EXPECT_EQ(tab.x + tab.w, 1024) << "the tab keeps to the right edge";
        EXPECT_EQ(tab.w, QW_TAB_WIDTH);
        EXPECT_EQ(tab.h, 738);
        WL_BOX full = {};
        ASSERT_EQ(QW_RegrowBox(&full), 1);
        EXPECT_EQ(full.x + full.w, 1024);
        EXPECT_EQ(ui.timers.at(QW_TIMER_SHRINK), r.regrowTimer);
        EXPECT_EQ(QW_RegrowBox(&full), 0) << "grown already";
    }
}
