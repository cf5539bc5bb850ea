#include "tools/timeout.h"

#include "config/settings.h"
#include "frame/trace.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
const uint32_t kMinute = 60000;

// Simulated time and a simulated safe store.
uint32_t g_now;
bool g_safeActive;
int g_closeResult;
struct Close {
    uint32_t tick;
    bool autoBackup; // the setting while the safe was written
};
std::vector<Close> g_closes;

uint32_t Now() { return g_now; }
int IsSafeActive() { return g_safeActive ? 1 : 0; }
int CloseSafe() {
    g_closes.push_back({g_now, Settings.AutoBackup});
    if (g_closeResult == 0)
        g_safeActive = false;
    return g_closeResult;
}

// The main window's timers on the simulated clock.
class SimUi : public FakeUi {
  public:
    void StartTimer(unsigned id, uint32_t ms) override {
        FakeUi::StartTimer(id, ms);
        due[id] = g_now + ms;
    }
    void StopTimer(unsigned id) override {
        FakeUi::StopTimer(id);
        due.erase(id);
    }
    void HideToTray() override {
        FakeUi::HideToTray();
        hiddenAt.push_back(g_now);
    }
    int Starts(unsigned id) const {
        int n = 0;
        for (auto &s : timerStarts)
            n += s.first == id;
        return n;
    }
    std::map<unsigned, uint32_t> due;
    std::vector<uint32_t> hiddenAt;
};

class InactivityTimeout : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        memset(&Settings, 0, sizeof Settings);
        Settings.TimeOutMinutes = 5;
        Start(1000000);
        PL_SetTickSource(Now);
        T_InitTimers();
        T_SetSafeHooks(IsSafeActive, CloseSafe);
        g_safeActive = true;
        g_closeResult = 0;
        g_closes.clear();
    }
    void TearDown() override {
        PL_SetTickSource(nullptr);
        T_SetSafeHooks(nullptr, nullptr);
        T_SetAlarmCheckHook(nullptr);
        T_InitTimers();
        TempDirTest::TearDown();
    }
    void Start(uint32_t tick) { g_now = t0 = tick; }
    // What the message loop does after every message.
    void Message() { T_SetInactivityTimer(T_Minutes2Ms(Settings.TimeOutMinutes)); }
    void Input() {
        T_RecordActivity();
        Message();
    }
    // Lets ms pass: timer 1 fires whenever it is due, and the loop runs after it.
    void Pass(uint32_t ms) {
        uint32_t target = g_now + ms;
        for (;;) {
            auto it = ui.due.find(T_TIMER_INACTIVITY);
            if (it == ui.due.end() || static_cast<int32_t>(it->second - target) > 0)
                break;
            g_now = it->second;
            T_InactivityTimeout();
            Message();
        }
        g_now = target;
    }
    // Ticks since the test's start for each time the program went to the tray.
    std::vector<uint32_t> Hidden() const {
        std::vector<uint32_t> v;
        for (uint32_t t : ui.hiddenAt)
            v.push_back(t - t0);
        return v;
    }
    std::vector<uint32_t> Closed() const {
        std::vector<uint32_t> v;
        for (const Close &c : g_closes)
            v.push_back(c.tick - t0);
        return v;
    }
    SimUi ui;
    uint32_t t0 = 0;
};
using Ticks = std::vector<uint32_t>;
} // namespace

TEST(TimerPeriods, SecondsAndMinutesInMilliseconds) {
    EXPECT_EQ(T_Minutes2Ms(3), 180000u);
    EXPECT_EQ(T_Minutes2Ms(999), 59940000u);
    EXPECT_EQ(T_Seconds2Ms(15), 15000u);
    EXPECT_EQ(T_Seconds2Ms(0), 0u);
    EXPECT_EQ(T_Minutes2Ms(-5), 0u) << "no negative periods";
    EXPECT_EQ(T_Minutes2Ms(100000), T_MAX_TIMER_MS);
    EXPECT_EQ(T_Seconds2Ms(INT32_MAX), T_MAX_TIMER_MS);
}

TEST_F(InactivityTimeout, FiveMinutesWithoutInputHideTheProgramOnce) {
    Settings.TimeOut = true;
    Message();
    EXPECT_EQ(ui.timers[T_TIMER_INACTIVITY], 5 * kMinute);
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{5 * kMinute});
    EXPECT_TRUE(Inactivity.bHiddenByTimeOut);
    EXPECT_EQ(ui.Starts(T_TIMER_INACTIVITY), 1) << "not armed again while hidden";
    EXPECT_TRUE(g_closes.empty());
    EXPECT_TRUE(g_safeActive);
}

TEST_F(InactivityTimeout, InputAfterTwoMinutesMovesTheTimeOutToSeven) {
    Settings.TimeOut = true;
    Message();
    Pass(2 * kMinute);
    Input();
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{7 * kMinute});
    ASSERT_EQ(ui.timerStarts.size(), 2u);
    EXPECT_EQ(ui.timerStarts[1].second, 2 * kMinute) << "armed again for what remains";
}

TEST_F(InactivityTimeout, SteadyInputKeepsTheProgramOpenUntilAFullPeriodAfterTheLastInput) {
    Settings.TimeOut = true;
    Message();
    for (int i = 0; i < 40; ++i) {
        Pass(kMinute / 2);
        Input();
    }
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{25 * kMinute});
    EXPECT_LE(ui.Starts(T_TIMER_INACTIVITY), 6) << "input does not restart the timer";
}

TEST_F(InactivityTimeout, CloseOnTimeOutWritesTheSafeWithoutABackup) {
    Settings.TimeOutClose = true;
    Settings.AutoBackup = true;
    Message();
    Pass(60 * kMinute);
    ASSERT_EQ(Closed(), Ticks{5 * kMinute});
    EXPECT_FALSE(g_closes[0].autoBackup) << "no backup generation on this save";
    EXPECT_TRUE(Settings.AutoBackup) << "restored afterwards";
    EXPECT_TRUE(Inactivity.bSafeClosedByTimeOut);
    EXPECT_FALSE(Inactivity.bHiddenByTimeOut);
    EXPECT_EQ(ui.trayHides, 0);
    EXPECT_EQ(ui.Starts(T_TIMER_INACTIVITY), 1) << "no safe, no timer";
}

TEST_F(InactivityTimeout, BothOptionsCloseTheSafeAndHideTheProgram) {
    Settings.TimeOut = true;
    Settings.TimeOutClose = true;
    Message();
    Pass(60 * kMinute);
    EXPECT_EQ(Closed(), Ticks{5 * kMinute});
    EXPECT_EQ(Hidden(), Ticks{5 * kMinute});
    EXPECT_TRUE(Inactivity.bSafeClosedByTimeOut);
    EXPECT_TRUE(Inactivity.bHiddenByTimeOut);
}

TEST_F(InactivityTimeout, WithoutAnActiveSafeOrAnOptionTheTimerIsNeverArmed) {
    Settings.TimeOut = Settings.TimeOutClose = true;
    g_safeActive = false;
    for (int i = 0; i < 10; ++i) {
        Message();
        Pass(30 * kMinute);
    }
    g_safeActive = true;
    Settings.TimeOut = Settings.TimeOutClose = false;
    Message();
    Pass(30 * kMinute);
    T_SetSafeHooks(nullptr, nullptr); // no safe store at all
    Settings.TimeOut = true;
    Message();
    EXPECT_TRUE(ui.timerStarts.empty());
    EXPECT_EQ(ui.trayHides, 0);
    EXPECT_TRUE(g_closes.empty());
}

TEST_F(InactivityTimeout, AZeroPeriodMeansNoTimeOut) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nTimeOut=no\r\nTimeOutClose=yes\r\nTimeOutMinutes=0\r\n"));
    II_ReadSettings();
    ASSERT_EQ(Settings.TimeOutMinutes, 0);
    Message();
    Pass(24 * 60 * kMinute);
    EXPECT_TRUE(ui.timerStarts.empty());
    EXPECT_TRUE(g_closes.empty());
    EXPECT_TRUE(g_safeActive) << "the safe is not closed the instant it opens";
}

TEST_F(InactivityTimeout, AFourDigitMinuteValueIsTenMinutes) {
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nTimeOut=yes\r\nTimeOutMinutes=1000\r\n"));
    II_ReadSettings();
    Message();
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{10 * kMinute});
}

TEST_F(InactivityTimeout, TheTickCountWrappingAfter49DaysChangesNothing) {
    Settings.TimeOut = true;
    Start(0xFFFFFFFFu - kMinute + 1); // the count wraps one minute from now
    Message();
    Pass(2 * kMinute);
    ASSERT_LT(g_now, t0) << "wrapped";
    Input();
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{7 * kMinute});

    Inactivity.bHiddenByTimeOut = 0; // the window is brought back; start again just before the wrap
    ui.hiddenAt.clear();
    Start(0xFFFFFFFFu - 1000);
    Message();
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{5 * kMinute});

    // A start tick of 0 is a tick like any other.
    Inactivity.bHiddenByTimeOut = 0;
    ui.hiddenAt.clear();
    Start(0);
    Message();
    Message();
    Pass(kMinute);
    Input();
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{6 * kMinute});
}

TEST_F(InactivityTimeout, BeingHiddenBlocksArmingUntilTheWindowIsBack) {
    Settings.TimeOut = true;
    Message();
    Pass(5 * kMinute);
    ASSERT_TRUE(Inactivity.bHiddenByTimeOut);
    Message();
    EXPECT_EQ(ui.Starts(T_TIMER_INACTIVITY), 1);
    T_WindowRestored();
    Message();
    EXPECT_EQ(ui.Starts(T_TIMER_INACTIVITY), 2);
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), (Ticks{5 * kMinute, 10 * kMinute}));
}

TEST_F(InactivityTimeout, OptionsChangedWhileTheTimerRuns) {
    Settings.TimeOut = true;
    Message();
    Settings.TimeOut = false; // switched off in the options
    Pass(60 * kMinute);
    EXPECT_EQ(ui.trayHides, 0);
    EXPECT_EQ(ui.Starts(T_TIMER_INACTIVITY), 1);

    Settings.TimeOut = true;
    Message();
    Pass(kMinute);
    Input();
    Settings.TimeOutMinutes = 0; // no time-out any more
    Pass(60 * kMinute);
    EXPECT_EQ(ui.trayHides, 0);
    EXPECT_TRUE(ui.due.empty());

    // Shortened to 1 minute while the last input lies 4 minutes before the timer's end:
    // idle longer than the new period already, so the time-out runs now.
    Settings.TimeOutMinutes = 5;
    Start(g_now);
    Message();
    Pass(kMinute);
    Input();
    Settings.TimeOutMinutes = 1;
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{5 * kMinute});
}

TEST_F(InactivityTimeout, ALateTimerMessageEndsAFullPeriodAfterTheLastInput) {
    Settings.TimeOut = true;
    Message();
    g_now = t0 + 5 * kMinute + 10000; // input after the timer's planned end, before its message came
    Input();
    g_now = t0 + 5 * kMinute + 30000;
    T_InactivityTimeout();
    Message();
    EXPECT_EQ(ui.trayHides, 0);
    Pass(60 * kMinute);
    EXPECT_EQ(Hidden(), Ticks{10 * kMinute + 10000});

    T_InactivityTimeout(); // a stray message of a stopped timer does nothing
    EXPECT_EQ(ui.trayHides, 1);
}

TEST_F(InactivityTimeout, AFailedCloseLeavesTheSafeActiveAndTheTimerRunning) {
    Settings.TimeOutClose = true;
    g_closeResult = -1;
    Message();
    Pass(12 * kMinute);
    EXPECT_EQ(Closed(), (Ticks{5 * kMinute, 10 * kMinute}));
    EXPECT_FALSE(Inactivity.bSafeClosedByTimeOut);
    EXPECT_EQ(Hidden(), Ticks{5 * kMinute}) << "out of sight while it stays open, hidden once";

    g_closeResult = 0; // the disk has room again
    Pass(5 * kMinute);
    EXPECT_EQ(Closed(), (Ticks{5 * kMinute, 10 * kMinute, 15 * kMinute}));
    EXPECT_TRUE(Inactivity.bSafeClosedByTimeOut);
    EXPECT_TRUE(ui.due.empty()) << "closed: no timer";
}

TEST_F(InactivityTimeout, TheTimeOutIsTracedAtItsBit) {
    FixedClock clock(PL_SYSTEMTIME{2006, 3, 3, 1, 18, 5, 9, 0});
    dwTraceLevel = TRACE_TIMEOUT;
    Settings.TimeOut = true;
    Message();
    Pass(5 * kMinute);
    EXPECT_EQ(ReadFile(Path("orvtrace.log")),
              "*TIMEOUT* Wed Mar 01 18:05:09 [T_SetInactivityTimer] Start (Time to End = 300000) \r\n"
              "*TIMEOUT* Wed Mar 01 18:05:09 [T_InactivityTimeout] End \r\n");
}

namespace {
int g_alarmChecks;
void AlarmCheck() { ++g_alarmChecks; }
} // namespace

TEST_F(InactivityTimeout, TheAlarmTimerRunsTheCheckEveryMinute) {
    g_alarmChecks = 0;
    T_ArmAlarmTimer();
    EXPECT_EQ(ui.timers[T_TIMER_ALARM], T_ALARM_PERIOD);
    T_AlarmTimer(); // without a check installed
    T_SetAlarmCheckHook(AlarmCheck);
    T_AlarmTimer();
    T_AlarmTimer();
    EXPECT_EQ(g_alarmChecks, 2);
    EXPECT_EQ(ui.timers[T_TIMER_ALARM], T_ALARM_PERIOD);
    EXPECT_EQ(ui.Starts(T_TIMER_ALARM), 4);
}
