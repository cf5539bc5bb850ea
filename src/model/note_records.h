// Notes: small coloured text windows with an optional alarm, kept in the safe.
#pragma once

#include "model/record_list.h"

#include <cstdint>

typedef struct NoteWindowRec *NOTEWINDOW; // a window handle as the window layer hands it out

struct NOTE_RECT {
    int32_t left, top, right, bottom;
};

struct NOTIZ {
    uint32_t nReserved;    // always 0
    uint32_t crBackground; // 0x00BBGGRR
    NOTEWINDOW hWnd;
    NOTEWINDOW hEdit;
    NOTE_RECT rcWindow;
    uint32_t nTextSize; // bytes of lpText with its terminating zero; 0 when empty
    char *lpText;       // owned; null when empty
    char szAlarmDate[6]; // DDMMYY, no terminator; zero bytes without alarm
    char szAlarmTime[4]; // HHMM, no terminator
    char cReserved1[2];
    uint32_t crText;
    char cReserved2[12];
    NOTIZ *next;
};

extern NOTIZ *lpNOTIZstart, *lpNOTIZact;
inline SW_LIST<NOTIZ> NW_Notes() { return {lpNOTIZstart}; }
