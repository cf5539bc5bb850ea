#include "tools/note_alarms.h"

#include "config/settings.h"
#include "frame/datetext.h"
#include "model/notes_list.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "tools/note_text.h"
#include "tools/timeout.h"

#include <cstring>

namespace {
int g_checking = 0; // the flashing pumps messages: no second check meanwhile

int64_t Minute(int year, int month, int day, int hour, int minute) {
    return (((static_cast<int64_t>(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute;
}

void ClearAlarm(NOTIZ *note) {
    memset(note->szAlarmDate, 0, sizeof note->szAlarmDate);
    memset(note->szAlarmTime, 0, sizeof note->szAlarmTime);
}

void SetTitle(NOTIZ *note) {
    char title[NW_TITLE_SIZE];
    NW_NoteTitle(note, title);
    NW_SetWindowTitle(note, title);
    PL_SecureZero(title, sizeof title);
}

// Shows, sounds and flashes one due note; 0, or -1 when it could not be shown.
// An alarm nobody saw is not used up: it is cleared only once its window is
// shown, before the flashing, so it cannot go off twice and an alarm set anew
// during the flashing stays. The message pump runs between the steps, so the
// note may be closed (or the safe with it) meanwhile: it is looked for again
// after every step.
int Alert(NOTIZ *note) {
    if (NW_ShowWindow(note, 1) != 0)
        return -1;
    ClearAlarm(note);
    UI_FocusMainWindow();
    PL_PlaySound(Settings.NoteAlertSoundFile); // nothing to do when it cannot be played
    for (int i = 0; i < NW_FLASH_COUNT; ++i) {
        if (!NW_IsNote(note))
            return 0;
        NW_SetWindowBackground(note, NW_FLASH_ON);
        UI_PumpAndWait(NW_FLASH_MS);
        if (!NW_IsNote(note))
            return 0;
        NW_SetWindowBackground(note, NW_FLASH_OFF);
        UI_PumpAndWait(NW_FLASH_MS);
    }
    if (!NW_IsNote(note))
        return 0;
    NW_SetWindowBackground(note, note->crBackground);
    SetTitle(note);
    return 0;
}
} // namespace

void NW_InstallAlarmCheck() { T_SetAlarmCheckHook(NW_CheckAlarms); }

bool NW_AlarmDue(const NOTIZ *note, const PL_SYSTEMTIME *now) {
    if (!NW_HasAlarm(note))
        return false;
    const char *d = note->szAlarmDate, *t = note->szAlarmTime;
    int64_t alarm = Minute(2000 + T_TwoDigits(d + 4), T_TwoDigits(d + 2), T_TwoDigits(d), T_TwoDigits(t),
                           T_TwoDigits(t + 2));
    return alarm < Minute(now->wYear, now->wMonth, now->wDay, now->wHour, now->wMinute);
}

void NW_CheckAlarms() {
    // Without the note windows no note can be shown: the alarms stay due rather
    // than being used up unseen.
    if (NW_Notes().empty() || g_checking || !NW_HasWindows())
        return;
    g_checking = 1;
    PL_SYSTEMTIME now;
    PL_GetLocalTime(&now);
    // After an alert the chain may have changed: start again from its head (the
    // alerted alarms are cleared, so each goes off once). A note that could not
    // be shown keeps its alarm for the next check and is passed over now.
    for (NOTIZ *n = NW_Notes().first; n;)
        n = NW_AlarmDue(n, &now) && Alert(n) == 0 ? NW_Notes().first : n->next;
    g_checking = 0;
}

void NW_AlarmRequestOf(const NOTIZ *note, NW_ALARMREQUEST *request) {
    memcpy(request->szDate, note->szAlarmDate, sizeof request->szDate);
    memcpy(request->szTime, note->szAlarmTime, sizeof request->szTime);
    request->nResult = NW_ALARM_CANCELLED;
}

void NW_ApplyAlarmRequest(NOTIZ *note, const NW_ALARMREQUEST *request) {
    switch (request->nResult) {
    case NW_ALARM_OFF:
        ClearAlarm(note);
        SetTitle(note);
        break;
    case NW_ALARM_SET:
        memcpy(note->szAlarmDate, request->szDate, sizeof note->szAlarmDate);
        memcpy(note->szAlarmTime, request->szTime, sizeof note->szAlarmTime);
        if (NW_HasAlarm(note))
            SetTitle(note);
        break;
    default: break;
    }
}
