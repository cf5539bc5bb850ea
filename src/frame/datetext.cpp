#include "frame/datetext.h"

#include <cstdio>

namespace {
// Keeps every field within its digits, whatever the clock says.
unsigned Mod(unsigned v, unsigned m) { return v % m; }
} // namespace

void T_FormatDDMMYYYY(const PL_SYSTEMTIME *t, char out[9]) {
    snprintf(out, 9, "%02u%02u%04u", Mod(t->wDay, 100), Mod(t->wMonth, 100), Mod(t->wYear, 10000));
}

void T_FormatDDMMYY(const PL_SYSTEMTIME *t, char out[7]) {
    snprintf(out, 7, "%02u%02u%02u", Mod(t->wDay, 100), Mod(t->wMonth, 100), Mod(t->wYear, 100));
}

void T_FormatHHMM(const PL_SYSTEMTIME *t, char out[5]) {
    snprintf(out, 5, "%02u%02u", Mod(t->wHour, 100), Mod(t->wMinute, 100));
}

void T_TodayDDMMYYYY(char out[9]) {
    PL_SYSTEMTIME t;
    PL_GetLocalTime(&t);
    T_FormatDDMMYYYY(&t, out);
}

void T_TodayDDMMYY(char out[7]) {
    PL_SYSTEMTIME t;
    PL_GetLocalTime(&t);
    T_FormatDDMMYY(&t, out);
}

void T_NowHHMM(char out[5]) {
    PL_SYSTEMTIME t;
    PL_GetLocalTime(&t);
    T_FormatHHMM(&t, out);
}

int T_TwoDigits(const char *p) {
    int v = 0;
    for (int i = 0; i < 2; ++i)
        v = v * 10 + (p[i] >= '0' && p[i] <= '9' ? p[i] - '0' : 0);
    return v;
}
