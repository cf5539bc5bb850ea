#include "model/alarm_fields.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/records.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

ALARMTAB *lpALARMTABstart = nullptr, *lpALARMTABact = nullptr;

namespace {
// The number in the digits text[from..from+count); -1 when one is no digit.
int Digits(const char *text, int from, int count) {
    int v = 0;
    for (int i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

bool DueToday(const FELDINHALT *c, const PL_SYSTEMTIME &today) {
    if (c->nFeldLaenge == 0 || !c->lpFeldInhalt)
        return false;
    int day, month, year;
    if (AW_ParseAlarmDate(c->lpFeldInhalt, &day, &month, &year) != 0)
        return false;
    return day == today.wDay && month == today.wMonth && year == today.wYear;
}

// One message box for a due field, then its record in the chain.
bool Announce(const ORDNER *o, const KARTE *k, uint32_t fieldIndex, const char *fieldName) {
    char text[ORDNER_NAME_LEN + KARTEN_NAME_LEN + FELD_NAME_LEN + 32];
    snprintf(text, sizeof text, "Folder: %s\nCard: %s\nField: %s", o->cOrdnerName, k->cKartenName, fieldName);
    UI_MessageBox(text, "ALARM", UI_MB_OK | UI_MB_ICONEXCLAMATION);
    ALARMTAB *a = static_cast<ALARMTAB *>(T_Malloc(lpALARMTABstart ? "AW_M_03" : "AW_M_02", sizeof(ALARMTAB)));
    if (!a)
        return false;
    a->nOrdnerKennung = o->nOrdnerKennung;
    a->nKartenKennung = k->nKartenKennung;
    a->nFeldIndex = fieldIndex;
    if (lpALARMTABstart)
        lpALARMTABact->next = a;
    else
        lpALARMTABstart = a;
    lpALARMTABact = a;
    return true;
}

// Every content of the card for that field that is dated today.
int CheckField(const ORDNER *o, const KARTE *k, uint32_t fieldIndex, const char *fieldName,
               const PL_SYSTEMTIME &today) {
    int due = 0;
    for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
        if (c->nKartenKennung == k->nKartenKennung && c->nFeldIndex == fieldIndex && DueToday(c, today))
            if (Announce(o, k, fieldIndex, fieldName))
                ++due;
    return due;
}
} // namespace

void AW_FormatAlarmDate(int day, int month, int year, char out[AW_DATE_LEN + 1]) {
    // Negative values count as 0: the text always has its ten characters.
    auto cut = [](int v, unsigned limit) { return v < 0 ? 0u : static_cast<unsigned>(v) % limit; };
    snprintf(out, AW_DATE_LEN + 1, "%02u/%02u/%04u", cut(month, 100), cut(day, 100), cut(year, 10000));
}

int AW_ParseAlarmDate(const char *text, int *day, int *month, int *year) {
    *day = *month = *year = 0;
    if (!text || strnlen(text, AW_DATE_LEN) < AW_DATE_LEN)
        return -1;
    int m = Digits(text, 0, 2), d = Digits(text, 3, 2), y = Digits(text, 6, 4);
    if (m < 0 || d < 0 || y < 0)
        return -1;
    *day = d;
    *month = m;
    *year = y;
    return 0;
}

void AW_ReleaseAlarmTable() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B AW_ReleaseAlarmTable() (lpALARMTABstart=%x)", TRACE_PTR(lpALARMTABstart));
    for (ALARMTAB *a = lpALARMTABstart; a;) {
        ALARMTAB *next = a->next;
        T_Free(a == lpALARMTABstart ? "AW_F_02" : "AW_F_03", a);
        a = next;
    }
    lpALARMTABstart = lpALARMTABact = nullptr;
}

int AW_CheckAlarms() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B AW_CheckAlarms()");
    AW_ReleaseAlarmTable();
    PL_SYSTEMTIME today;
    PL_GetLocalTime(&today);
    int due = 0;
    for (ORDNER *o = lpORDNERstart; o; o = o->next) {
        for (KARTE *k = lpKARTEstart; k; k = k->next) {
            if (k->nOrdnerKennung != o->nOrdnerKennung)
                continue;
            bool own = false;
            for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next) {
                if (f->KartenKennung != k->nKartenKennung)
                    continue;
                own = true;
                if (f->Feldtyp == FT_ALARM)
                    due += CheckField(o, k, f->FeldIndex, f->FeldName, today);
            }
            if (own)
                continue;
            for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
                if (f->nOrdnerKennung == o->nOrdnerKennung && f->feldtyp == FT_ALARM)
                    due += CheckField(o, k, f->nFeldIndex, f->feldname, today);
        }
    }
    return due > 0 ? 1 : 0;
}
