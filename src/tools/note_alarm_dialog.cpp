#include "tools/note_alarm_dialog.h"

#include "frame/datetext.h"

#include <cstdio>
#include <cstring>

namespace {
const int kFirst[NW_ALARM_LISTS] = {1, 1, NW_FIRST_YEAR, 0, 0};
const int kLast[NW_ALARM_LISTS] = {31, 12, 0, 12, 60}; // the year's end depends on today

// The list's value when it has that item, else nothing chosen.
int Choice(const NW_ALARMDIALOG *dlg, int list, int value) {
    int first, last;
    NW_AlarmListRange(dlg, list, &first, &last);
    return value >= first && value <= last ? value : -1;
}

// A 24-hour hour shown on the 12-hour list with its check boxes.
void ShowHour(NW_ALARMDIALOG *dlg, int hour) {
    if (hour > 12) {
        hour -= 12;
        dlg->bPM = 1;
    } else if (hour == 12) {
        dlg->bPM = 1;
        dlg->bAM = 0;
    } else {
        dlg->bAM = 1;
    }
    dlg->nSelected[NW_LIST_HOUR] = Choice(dlg, NW_LIST_HOUR, hour);
}

int Chosen(const NW_ALARMDIALOG *dlg, int list) { return dlg->nSelected[list] < 0 ? 0 : dlg->nSelected[list]; }
} // namespace

void NW_AlarmListRange(const NW_ALARMDIALOG *dlg, int list, int *first, int *last) {
    *first = kFirst[list];
    *last = list == NW_LIST_YEAR ? dlg->nLastYear : kLast[list];
}

void NW_AlarmDialogOpen(NW_ALARMDIALOG *dlg, const NW_ALARMREQUEST *request) {
    memset(dlg, 0, sizeof *dlg);
    PL_SYSTEMTIME now;
    PL_GetLocalTime(&now);
    // The years run on with the calendar: ten years after the current one are offered.
    int thisYear = now.wYear % 100;
    dlg->nLastYear = thisYear + NW_YEARS_AHEAD > NW_LAST_YEAR_MIN ? thisYear + NW_YEARS_AHEAD : NW_LAST_YEAR_MIN;
    if (dlg->nLastYear > 99)
        dlg->nLastYear = 99;
    int day, month, year, hour, minute;
    if (request->szDate[0]) {
        day = T_TwoDigits(request->szDate);
        month = T_TwoDigits(request->szDate + 2);
        year = T_TwoDigits(request->szDate + 4);
        hour = T_TwoDigits(request->szTime);
        minute = T_TwoDigits(request->szTime + 2);
    } else {
        day = now.wDay;
        month = now.wMonth;
        year = thisYear;
        hour = now.wHour;
        minute = now.wMinute + 1;
    }
    dlg->nSelected[NW_LIST_DAY] = Choice(dlg, NW_LIST_DAY, day);
    dlg->nSelected[NW_LIST_MONTH] = Choice(dlg, NW_LIST_MONTH, month);
    dlg->nSelected[NW_LIST_YEAR] = Choice(dlg, NW_LIST_YEAR, year);
    dlg->nSelected[NW_LIST_MINUTE] = Choice(dlg, NW_LIST_MINUTE, minute);
    ShowHour(dlg, hour);
}

void NW_AlarmDialogSelect(NW_ALARMDIALOG *dlg, int list, int value) {
    dlg->nSelected[list] = Choice(dlg, list, value);
    if (list != NW_LIST_HOUR)
        return;
    if (value == 0) {
        dlg->bAM = 1;
        dlg->bPM = 0;
    } else if (value == 12) {
        dlg->bPM = 1;
        dlg->bAM = 0;
    }
}

void NW_AlarmDialogSetAM(NW_ALARMDIALOG *dlg, int checked) {
    dlg->bAM = checked != 0;
    if (checked)
        dlg->bPM = 0;
}

void NW_AlarmDialogSetPM(NW_ALARMDIALOG *dlg, int checked) {
    dlg->bPM = checked != 0;
    if (checked)
        dlg->bAM = 0;
}

void NW_AlarmDialogSetAlarmOff(NW_ALARMDIALOG *dlg, int checked) { dlg->bAlarmOff = checked != 0; }

int NW_AlarmInputsEnabled(const NW_ALARMDIALOG *dlg) { return !dlg->bAlarmOff; }

void NW_AlarmDialogOk(const NW_ALARMDIALOG *dlg, NW_ALARMREQUEST *request) {
    if (dlg->bAlarmOff) {
        request->nResult = NW_ALARM_OFF;
        return;
    }
    request->nResult = NW_ALARM_SET;
    int hour = Chosen(dlg, NW_LIST_HOUR);
    if (dlg->bPM && hour < 12)
        hour += 12;
    char date[7], time[5];
    snprintf(date, sizeof date, "%02d%02d%02d", Chosen(dlg, NW_LIST_DAY) % 100, Chosen(dlg, NW_LIST_MONTH) % 100,
             Chosen(dlg, NW_LIST_YEAR) % 100);
    snprintf(time, sizeof time, "%02d%02d", hour % 100, Chosen(dlg, NW_LIST_MINUTE) % 100);
    memcpy(request->szDate, date, sizeof request->szDate);
    memcpy(request->szTime, time, sizeof request->szTime);
}

void NW_AlarmDialogCancel(NW_ALARMREQUEST *request) { request->nResult = NW_ALARM_CANCELLED; }
