#include "model/fields.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/cards.h"
#include "model/folders.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstring>

namespace {
const char TAG_FNK[] = "SW_FNK";

// The content's characters, never more than its recorded length.
uint32_t TextLength(const FELDINHALT *f) {
    uint32_t n = 0;
    while (n < f->nFeldLaenge && f->lpFeldInhalt[n])
        ++n;
    return n;
}
} // namespace

uint32_t FW_GetMaxLaenge(uint32_t nKarte, uint32_t nFeld) {
    uint32_t max = 0;
    bool own = false;
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
        if (f->KartenKennung == nKarte) {
            own = true;
            if (f->FeldIndex == nFeld) {
                max = f->Feldlaenge;
                break;
            }
        }
    if (!own) {
        KARTE *card = SW_FindKarte(nKarte);
        for (FELDTABELLE *f = lpFELDTABELLEstart; card && f; f = f->next)
            if (f->nOrdnerKennung == card->nOrdnerKennung && f->nFeldIndex == nFeld) {
                max = f->feldlaenge;
                break;
            }
    }
    // A field without a length (or a damaged one) still never takes more than a
    // safe can hold.
    return (max == 0 || max > MAX_FELD_LAENGE) ? MAX_FELD_LAENGE : max;
}

int FW_PutFeld(uint32_t nKarte, uint32_t nFeld, const char *lpInhalt, TREEHANDLE hCardItem) {
    if (!lpInhalt)
        lpInhalt = "";
    // The content is a secret: the trace shows its length, never its text.
    if (dwTraceLevel & TRACE_FUNCTIONS) {
        char masked[MAX_FELD_LAENGE + 1];
        size_t n = strnlen(lpInhalt, MAX_FELD_LAENGE);
        memset(masked, '*', n);
        masked[n] = 0;
        ML_Trace(TAG_FNK, "B FW_PutFeld(nKarte %d, nFeld %d, lpInhalt %s)", static_cast<int>(nKarte),
                 static_cast<int>(nFeld), masked);
    }
    if (!lpFELDINHALTstart) {
        ML_WriteLog("FW00", "error: FW_PutFeld(lpFELDINHALTtmp = NULL)", 0);
        return -1;
    }
    FELDINHALT *rec = SW_FindInhalt(nKarte, nFeld);
    if (!rec)
        return -1;

    // Never longer than the field allows: a longer content would overflow the
    // buffers that FW_GetFeld fills and mark the saved safe as damaged.
    size_t len = strnlen(lpInhalt, FW_GetMaxLaenge(nKarte, nFeld));
    char *text = static_cast<char *>(T_Malloc("FW_M_00", len + 1));
    if (!text)
        return -1;
    memcpy(text, lpInhalt, len);
    // An empty string is no text: a field stored as "" (as files keep an
    // empty content) shows its item once it gets text, and only one item.
    const bool hadText = rec->lpFeldInhalt != nullptr && rec->lpFeldInhalt[0] != 0;
    const bool hasItem = rec->hFeldTree != nullptr;
    FW_FreeInhalt("FW_F_00", rec);
    rec->lpFeldInhalt = text;
    rec->nFeldLaenge = static_cast<uint32_t>(len);

    // A marked field that gets its first text shows up below its card; a card
    // that is not shown gets no field item.
    if (!hadText && !hasItem && len > 0 && hCardItem) {
        const char *name = nullptr;
        if (CW_GetFirstCardField(nKarte)) {
            if (CW_GetDropKZ(nKarte, nFeld))
                if (FELDTABCARD *f = CW_GetPointer2Feld(nKarte, nFeld))
                    name = f->FeldName;
        } else {
            int folder = CW_GetCardOrdnerId_CID(nKarte);
            if (folder >= 0 && OW_GetDropKZ(static_cast<uint32_t>(folder), nFeld))
                if (FELDTABELLE *f = OW_GetPointer2Feld(static_cast<uint32_t>(folder), nFeld))
                    name = f->feldname;
        }
        if (name)
            rec->hFeldTree = UI_InsertFieldItem(hCardItem, name);
    }
    return 0;
}

int FW_GetFeld(uint32_t nKarte, uint32_t nFeld, char *buffer) {
    FELDINHALT *rec = SW_FindInhalt(nKarte, nFeld);
    if (!rec || !rec->lpFeldInhalt)
        return -1;
    uint32_t len = TextLength(rec);
    uint32_t max = FW_GetMaxLaenge(nKarte, nFeld);
    if (len > max)
        len = max;
    memcpy(buffer, rec->lpFeldInhalt, len);
    buffer[len] = 0;
    return 0;
}

int FW_GetCardID(TREEHANDLE hItem) {
    if (hItem)
        for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next)
            if (f->hFeldTree == hItem)
                return static_cast<int>(f->nKartenKennung);
    ML_WriteLogF("FW01", 0, "P-Error: FW_GetCardID - cannot find card id (HTREEITEM=%x)", TRACE_PTR(hItem));
    return -1;
}
