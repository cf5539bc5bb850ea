// Today and now as the short digit texts the notes and desktop profiles keep:
// DDMMYYYY (a profile's store date), DDMMYY and HHMM (a note's alarm, 24-hour
// clock, the year as 20YY). The local time comes from the seam's clock.
#pragma once

#include "platform/platform.h"

// Each writes its digits and a terminating zero into out (9, 7 and 5 bytes).
void T_FormatDDMMYYYY(const PL_SYSTEMTIME *t, char out[9]);
void T_FormatDDMMYY(const PL_SYSTEMTIME *t, char out[7]); // the two last digits of the year
void T_FormatHHMM(const PL_SYSTEMTIME *t, char out[5]);

void T_TodayDDMMYYYY(char out[9]);
void T_TodayDDMMYY(char out[7]);
void T_NowHHMM(char out[5]);

// The number in two digit characters ("07" gives 7); a character that is not a
// digit counts as 0, so a damaged or empty field gives a number, never a fault.
int T_TwoDigits(const char *p);
