// The notes' alarms: the one-minute check that sets off the due ones, and the
// hand-over between a note and its alarm dialog.
#pragma once

#include "model/note_records.h"
#include "platform/platform.h"

#define NW_FLASH_COUNT 20
#define NW_FLASH_MS 100
#define NW_FLASH_ON 0x002B1AFFu  // red
#define NW_FLASH_OFF 0x00FFFFFFu // white

// Handed to the alarm dialog and back: date DDMMYY, time HHMM, and the result.
enum { NW_ALARM_SET = 0, NW_ALARM_OFF = 1, NW_ALARM_CANCELLED = -1 };
struct NW_ALARMREQUEST {
    char szDate[6];
    char szTime[4];
    int nResult;
};

// Installs NW_CheckAlarms as the check the alarm timer runs.
void NW_InstallAlarmCheck();

// Whether a note's alarm is due at now: its minute (year 20YY, month, day, hour,
// minute) lies before now's minute, so it goes off once its minute has passed.
bool NW_AlarmDue(const NOTIZ *note, const PL_SYSTEMTIME *now);

// Once a minute: every note whose alarm is due is shown and flashed with its
// sound; its alarm is cleared and its title becomes its text's again. Without
// the note windows nothing happens and the alarms stay due.
void NW_CheckAlarms();

// "Activate alarm": the request the dialog starts from, and what its answer does
// to the note (its title follows).
void NW_AlarmRequestOf(const NOTIZ *note, NW_ALARMREQUEST *request);
void NW_ApplyAlarmRequest(NOTIZ *note, const NW_ALARMREQUEST *request);
