#include "tools/timeout.h"

#include "config/settings.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "platform/uiport.h"

T_TIMEOUT Inactivity;

namespace {
T_SafeActiveFn g_isSafeActive = nullptr;
T_CloseSafeFn g_closeSafe = nullptr;
T_AlarmCheckFn g_alarmCheck = nullptr;

bool SafeActive() { return g_isSafeActive && g_isSafeActive() != 0; }

uint32_t ToMs(int32_t n, uint32_t factor) {
    if (n <= 0)
        return 0;
    uint64_t ms = static_cast<uint64_t>(n) * factor;
    return ms > T_MAX_TIMER_MS ? T_MAX_TIMER_MS : static_cast<uint32_t>(ms);
}

void TimeOut() {
    bool closeFailed = false;
    if (Settings.TimeOutClose && SafeActive() && g_closeSafe) {
        // The save on a time-out makes no backup generation.
        bool autoBackup = Settings.AutoBackup;
        Settings.AutoBackup = false;
        int rc = g_closeSafe();
        Settings.AutoBackup = autoBackup;
        if (rc == 0)
            Inactivity.bSafeClosedByTimeOut = 1;
        closeFailed = rc != 0;
    }
    // A safe that could not be written stays open, out of sight, and the
    // close is tried again at the next time-out.
    Inactivity.bRetryCloseByTimeOut = closeFailed ? 1 : 0;
    if ((Settings.TimeOut || closeFailed) && !Inactivity.bHiddenByTimeOut) {
        Inactivity.bHiddenByTimeOut = 1;
        UI_HideToTray();
    }
}
} // namespace

uint32_t T_Seconds2Ms(int32_t n) { return ToMs(n, 1000); }
uint32_t T_Minutes2Ms(int32_t n) { return ToMs(n, 60000); }

void T_InitTimers() {
    Inactivity.bTimeOutArmed = 0;
    Inactivity.dwTimeOutStart = Inactivity.dwTimeOutPeriod = Inactivity.dwLastActivity = 0;
    Inactivity.bHiddenByTimeOut = 0;
    Inactivity.bSafeClosedByTimeOut = 0;
    Inactivity.bRetryCloseByTimeOut = 0;
}

void T_WindowRestored() {
    // The user is back: the time-out may hide the program again.
    Inactivity.bHiddenByTimeOut = 0;
    Inactivity.bRetryCloseByTimeOut = 0;
}

void T_RecordActivity() { Inactivity.dwLastActivity = PL_GetTickCount(); }

void T_SetInactivityTimer(uint32_t ms) {
    if ((Inactivity.bHiddenByTimeOut && !Inactivity.bRetryCloseByTimeOut) || Inactivity.bTimeOutArmed)
        return;
    if (!(Settings.TimeOut || Settings.TimeOutClose) || !SafeActive())
        return;
    if (ms == 0)
        return;
    TRACE(TRACE_TIMEOUT, "TIMEOUT", "[T_SetInactivityTimer] Start (Time to End = %d)", static_cast<int>(ms));
    UI_SetTimer(T_TIMER_INACTIVITY, ms);
    Inactivity.dwTimeOutStart = PL_GetTickCount();
    Inactivity.dwTimeOutPeriod = ms;
    Inactivity.dwLastActivity = Inactivity.dwTimeOutStart + ms;
    Inactivity.bTimeOutArmed = 1;
}

void T_InactivityTimeout() {
    UI_KillTimer(T_TIMER_INACTIVITY);
    if (!Inactivity.bTimeOutArmed)
        return; // a late message of a timer already stopped
    // How long before the planned end the last input came; 0: none since arming.
    int32_t idleBeforeEnd =
        static_cast<int32_t>(Inactivity.dwTimeOutStart + Inactivity.dwTimeOutPeriod - Inactivity.dwLastActivity);
    Inactivity.bTimeOutArmed = 0;
    Inactivity.dwTimeOutStart = 0;
    TRACE(TRACE_TIMEOUT, "TIMEOUT", "[T_InactivityTimeout] End");
    uint32_t full = T_Minutes2Ms(Settings.TimeOutMinutes);
    if (full == 0)
        return; // the time-out was switched off meanwhile
    if (idleBeforeEnd != 0) {
        // What remains of a full period since the last input. On time this is the
        // full period less the idle time before the planned end; a late timer
        // message does not push the end further out.
        int32_t sinceInput = static_cast<int32_t>(PL_GetTickCount() - Inactivity.dwLastActivity);
        int64_t rest = static_cast<int64_t>(full) - (sinceInput > 0 ? sinceInput : 0);
        if (rest > 0) {
            T_SetInactivityTimer(rest > T_MAX_TIMER_MS ? T_MAX_TIMER_MS : static_cast<uint32_t>(rest));
            return;
        }
        // Idle for longer than the period already (it was shortened meanwhile).
    }
    TimeOut();
}

void T_ArmAlarmTimer() { UI_SetTimer(T_TIMER_ALARM, T_ALARM_PERIOD); }

void T_AlarmTimer() {
    UI_KillTimer(T_TIMER_ALARM);
    if (g_alarmCheck)
        g_alarmCheck();
    UI_SetTimer(T_TIMER_ALARM, T_ALARM_PERIOD);
}

void T_SetSafeHooks(T_SafeActiveFn isSafeActive, T_CloseSafeFn closeSafe) {
    g_isSafeActive = isSafeActive;
    g_closeSafe = closeSafe;
}

void T_SetAlarmCheckHook(T_AlarmCheckFn check) { g_alarmCheck = check; }
