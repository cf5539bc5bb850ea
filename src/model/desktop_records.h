// Desktop icon profiles: one header per profile, one record per stored icon.
#pragma once

#include "model/record_list.h"

#include <cstdint>

struct DTOPHEADER {
    char szDesktopId[12]; // "DESKTOP_ID", zero-padded
    uint32_t nProfilIndex;
    uint32_t nWidth;
    uint32_t nHeight;
    char szProfilName[41];
    char szComputerName[31];
    char szCreated[8]; // DDMMYYYY, no terminator
    DTOPHEADER *next;
};

struct DESKTOP {
    uint32_t nIndex;
    uint32_t nProfilIndex;
    uint32_t nTextLen;
    int32_t x;
    int32_t y;
    char *dwIconText; // owned; null when nTextLen is 0
    DESKTOP *next;
};

extern DTOPHEADER *lpDTOPHEADERstart, *lpDTOPHEADERact;
extern DESKTOP *lpDESKTOPstart, *lpDESKTOPact;
inline SW_LIST<DTOPHEADER> DT_Profiles() { return {lpDTOPHEADERstart}; }
inline SW_LIST<DESKTOP> DT_Icons() { return {lpDESKTOPstart}; }
