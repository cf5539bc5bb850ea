#include "tools/alarm_date_dialog.h"

#include "model/alarm_fields.h"
#include "model/fields.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>

namespace {
int First(AW_LIST list) { return list == AW_LIST_YEAR ? AW_YEAR_FIRST : 1; }
// Alarm dates lie ahead: a year list that stopped at a fixed year would leave
// no year to choose once the calendar passed it.
int LastYear() {
    PL_SYSTEMTIME today;
    PL_GetLocalTime(&today);
    int last = today.wYear + AW_YEARS_AHEAD;
    return last > AW_YEAR_LAST_MIN ? last : AW_YEAR_LAST_MIN;
}
int Last(AW_LIST list) { return list == AW_LIST_DAY ? 31 : list == AW_LIST_MONTH ? 12 : LastYear(); }
} // namespace

int AW_DateListCount(AW_LIST list) { return Last(list) - First(list) + 1; }

void AW_DateListText(AW_LIST list, int position, char out[8]) {
    snprintf(out, 8, list == AW_LIST_YEAR ? "%04d" : "%02d", AW_DateListValue(list, position));
}

int AW_DateListValue(AW_LIST list, int position) {
    if (position < 0 || position >= AW_DateListCount(list))
        return 0;
    return First(list) + position;
}

int AW_DateListPosition(AW_LIST list, int value) {
    if (value < First(list) || value > Last(list))
        return -1;
    return value - First(list);
}

void AW_AlarmDateInit(uint32_t nKarte, uint32_t nFeld, AW_DATESEL *sel) {
    char text[MAX_FELD_LAENGE + 1] = {};
    if (FW_GetFeld(nKarte, nFeld, text) != 0 || !text[0]) {
        PL_SYSTEMTIME today;
        PL_GetLocalTime(&today);
        sel->day = today.wDay;
        sel->month = today.wMonth;
        sel->year = today.wYear;
        return;
    }
    AW_ParseAlarmDate(text, &sel->day, &sel->month, &sel->year);
}

int AW_AlarmDateOk(uint32_t nKarte, uint32_t nFeld, int day, int month, int year, TREEHANDLE hCardItem) {
    char text[AW_DATE_LEN + 1];
    AW_FormatAlarmDate(day, month, year, text);
    int rc = FW_PutFeld(nKarte, nFeld, text, hCardItem);
    UI_RedisplayCardField(nFeld);
    return rc;
}

void AW_AlarmDateCancel(uint32_t nFeld) { UI_RedisplayCardField(nFeld); }
