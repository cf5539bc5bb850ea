// The logic of the note alarm dialog ("Alarm date / time"): day, month, year,
// hour and minute lists, "AM" and "PM" check boxes, an "Alarm off  " check box,
// OK and Cancel. The dialog procedure fills the lists from NW_AlarmListRange
// ("%02d" of each value), shows the state below and hands every choice back.
#pragma once

#include "tools/note_alarms.h"

enum NW_ALARM_LIST { NW_LIST_DAY, NW_LIST_MONTH, NW_LIST_YEAR, NW_LIST_HOUR, NW_LIST_MINUTE, NW_ALARM_LISTS };

#define NW_FIRST_YEAR 6 // the year list starts at "06" (2006)
#define NW_LAST_YEAR_MIN 20
#define NW_YEARS_AHEAD 10

struct NW_ALARMDIALOG {
    int nSelected[NW_ALARM_LISTS]; // the chosen item value of each list; -1: nothing chosen
    int bAM;
    int bPM;
    int bAlarmOff;
    int nLastYear; // the year list's last value
};

// Opening: the lists' choices from the request, or where it has no alarm from
// the current date and time (the minute after the current one).
void NW_AlarmDialogOpen(NW_ALARMDIALOG *dlg, const NW_ALARMREQUEST *request);
// The item values of a list: first to last, each shown as "%02d".
void NW_AlarmListRange(const NW_ALARMDIALOG *dlg, int list, int *first, int *last);
// A list's choice; choosing hour 0 checks "AM", hour 12 "PM" (clearing the other).
void NW_AlarmDialogSelect(NW_ALARMDIALOG *dlg, int list, int value);
// Checking "AM" clears "PM" and the other way round.
void NW_AlarmDialogSetAM(NW_ALARMDIALOG *dlg, int checked);
void NW_AlarmDialogSetPM(NW_ALARMDIALOG *dlg, int checked);
void NW_AlarmDialogSetAlarmOff(NW_ALARMDIALOG *dlg, int checked);
// The five lists, "AM" and "PM" are enabled exactly while "Alarm off  " is not checked.
int NW_AlarmInputsEnabled(const NW_ALARMDIALOG *dlg);
// OK and Cancel: the request's result, and with a new alarm its date and time.
void NW_AlarmDialogOk(const NW_ALARMDIALOG *dlg, NW_ALARMREQUEST *request);
void NW_AlarmDialogCancel(NW_ALARMREQUEST *request);
