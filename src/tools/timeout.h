// The main window's timers: the inactivity time-out (timer 1), which hides the
// program in the tray and/or closes the active safe after TimeOutMinutes without
// key or mouse input, and the one-minute note alarm check (timer 40).
//
// This is the timers' logic only. The window layer wires it up:
// - its UI port starts and stops the timers (UiPort::StartTimer/StopTimer, the
//   Win32 SetTimer/KillTimer of the main window with the ids below) and hides the
//   window in the tray (UiPort::HideToTray);
// - WM_TIMER for timer 1 calls T_InactivityTimeout, for timer 40 T_AlarmTimer;
// - the message loop calls T_RecordActivity on every key press and mouse
//   movement, and after every message
//       T_SetInactivityTimer(T_Minutes2Ms(Settings.TimeOutMinutes));
//   (which does nothing while the timer runs, without a safe or time-out option,
//   or while the program is hidden by a time-out);
// - restoring or activating the main window calls T_WindowRestored (the tray
//   also handles and clears bSafeClosedByTimeOut).
// The safe store installs T_SetSafeHooks, the notes T_SetAlarmCheckHook.
//
// Ticks come from PL_GetTickCount, 32-bit milliseconds that wrap after about
// 49.7 days; all differences are taken in unsigned 32-bit arithmetic.
#pragma once

#include <cstdint>

enum : unsigned {
    T_TIMER_INACTIVITY = 1,
    T_TIMER_ALARM = 40,
};
#define T_ALARM_PERIOD 60000u
#define T_MAX_TIMER_MS 0x7FFFFFFFu // the longest period a Win32 timer takes

// Inactivity state, owned by the time-out's functions.
struct T_TIMEOUT {
    int bTimeOutArmed;        // timer 1 runs
    uint32_t dwTimeOutStart;  // tick at which it was armed
    uint32_t dwTimeOutPeriod; // the period it was armed with
    uint32_t dwLastActivity;  // start + period when armed; the tick of every input since
    int bHiddenByTimeOut;     // the time-out hid the program in the tray
    int bSafeClosedByTimeOut; // the time-out closed the active safe
    int bRetryCloseByTimeOut; // the time-out could not write the safe: it tries again
};
extern T_TIMEOUT Inactivity;

// n seconds or minutes in milliseconds, for timer periods: a count of 0 or less
// gives 0, a count too large for a timer gives T_MAX_TIMER_MS.
uint32_t T_Seconds2Ms(int32_t n);
uint32_t T_Minutes2Ms(int32_t n);

// The start state: not armed, both flags cleared.
void T_InitTimers();

// The user restored or activated the main window: clears bHiddenByTimeOut, so
// the next time-out can hide the program again.
void T_WindowRestored();

// A key press or mouse movement: the reference tick becomes the current tick.
void T_RecordActivity();

// Arms timer 1 for ms, unless hidden by a time-out (and not retrying a close
// that failed), already armed, neither TimeOut nor TimeOutClose is on, no safe
// is active, or ms is 0: a period of 0 means no time-out (a safe closed the
// instant it opens helps nobody).
void T_SetInactivityTimer(uint32_t ms);

// Timer 1 fired. Without input since arming: the time-out (close the active safe
// when TimeOutClose is on, writing it back without an automatic backup; hide in
// the tray when TimeOut is on, or when the safe could not be written, which then
// stays open and is tried again at the next time-out). After input: armed again for what remains of a
// full TimeOutMinutes period since the last input.
void T_InactivityTimeout();

// Timer 40: armed once at start; each run stops it, checks the note alarms and
// arms it again.
void T_ArmAlarmTimer();
void T_AlarmTimer();

// The safe store's part: whether a safe is active, and closing it with a write-back
// (SW_CloseSafe (1)), answering 0 or -1. Without hooks no safe is ever active.
typedef int (*T_SafeActiveFn)();
typedef int (*T_CloseSafeFn)();
void T_SetSafeHooks(T_SafeActiveFn isSafeActive, T_CloseSafeFn closeSafe);

// The notes' alarm check, run by timer 40.
typedef void (*T_AlarmCheckFn)();
void T_SetAlarmCheckHook(T_AlarmCheckFn check);
