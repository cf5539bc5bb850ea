// Alarm fields: fields of type FT_ALARM hold a date as "MM/DD/YYYY". When a safe
// is opened every such field dated today is announced, one message box each,
// and collected in ALARMTAB so the tree can mark its folder and card.
#pragma once

#include <cstdint>

#define AW_DATE_LEN 10 // "MM/DD/YYYY"

struct ALARMTAB {
    uint32_t nOrdnerKennung;
    uint32_t nKartenKennung;
    uint32_t nFeldIndex;
    ALARMTAB *next;
};

extern ALARMTAB *lpALARMTABstart, *lpALARMTABact;

// Scans every card of every folder (a card's own field descriptions if it has
// any, else its folder's) for alarm fields dated today; 1 when at least one is due.
int AW_CheckAlarms();
// Frees the chain and empties head and tail.
void AW_ReleaseAlarmTable();

// "%02d/%02d/%04d" of month, day and year into out (11 bytes; values beyond
// their digits are cut to them).
void AW_FormatAlarmDate(int day, int month, int year, char out[AW_DATE_LEN + 1]);
// Day, month and year of an alarm field's text; 0, or -1 (all three 0) when the
// text is shorter than ten characters or has no digits where they belong.
int AW_ParseAlarmDate(const char *text, int *day, int *month, int *year);
