#include "model/records.h"

#include "frame/memory.h"
#include "platform/platform.h"

#include <cstring>

ORDNER *lpORDNERstart = nullptr, *lpORDNERact = nullptr;
FELDTABELLE *lpFELDTABELLEstart = nullptr, *lpFELDTABELLEact = nullptr;
KARTE *lpKARTEstart = nullptr, *lpKARTEact = nullptr;
FELDTABCARD *lpFELDTABCARDstart = nullptr, *lpFELDTABCARDact = nullptr;
FELDINHALT *lpFELDINHALTstart = nullptr, *lpFELDINHALTact = nullptr;

RECORDCOUNTS RecordCounts = {};

namespace {
template <typename T> T *LastOf(T *start) {
    T *last = start;
    while (last && last->next)
        last = last->next;
    return last;
}

template <typename T> T *Append(const char *tag, T *&start, T *&act) {
    T *rec = static_cast<T *>(T_Malloc(tag, sizeof(T)));
    if (!rec)
        return nullptr;
    if (start && !act)
        act = LastOf(start);
    if (!start)
        start = rec;
    else
        act->next = rec;
    act = rec;
    return rec;
}
} // namespace

ORDNER *SW_AppendOrdner(const char *tag) { return Append(tag, lpORDNERstart, lpORDNERact); }
FELDTABELLE *SW_AppendFeldTabelle(const char *tag) { return Append(tag, lpFELDTABELLEstart, lpFELDTABELLEact); }
KARTE *SW_AppendKarte(const char *tag) { return Append(tag, lpKARTEstart, lpKARTEact); }
FELDTABCARD *SW_AppendFeldTabCard(const char *tag) { return Append(tag, lpFELDTABCARDstart, lpFELDTABCARDact); }
FELDINHALT *SW_AppendFeldInhalt(const char *tag) { return Append(tag, lpFELDINHALTstart, lpFELDINHALTact); }

// The card field tables are walked too: removing a card unlinks its own field
// descriptions, and a tail left on a freed record would corrupt the next append.
void SW_FindListTails() {
    lpORDNERact = LastOf(lpORDNERstart);
    lpFELDTABELLEact = LastOf(lpFELDTABELLEstart);
    lpKARTEact = LastOf(lpKARTEstart);
    lpFELDINHALTact = LastOf(lpFELDINHALTstart);
    lpFELDTABCARDact = LastOf(lpFELDTABCARDstart);
}

void FW_FreeInhalt(const char *tag, FELDINHALT *rec) {
    if (rec->lpFeldInhalt) {
        PL_SecureZero(rec->lpFeldInhalt, strlen(rec->lpFeldInhalt));
        T_Free(tag, rec->lpFeldInhalt);
    }
    rec->lpFeldInhalt = nullptr;
    rec->nFeldLaenge = 0;
}

ORDNER *SW_FindOrdner(uint32_t nOrdnerKennung) {
    for (ORDNER *o : SW_Folders())
        if (o->nOrdnerKennung == nOrdnerKennung)
            return o;
    return nullptr;
}

KARTE *SW_FindKarte(uint32_t nKartenKennung) {
    for (KARTE *k : SW_Cards())
        if (k->nKartenKennung == nKartenKennung)
            return k;
    return nullptr;
}

FELDTABCARD *SW_FindCardField(uint32_t nKartenKennung, uint32_t nFeldIndex) {
    for (FELDTABCARD *f : SW_CardFields())
        if (f->KartenKennung == nKartenKennung && f->FeldIndex == nFeldIndex)
            return f;
    return nullptr;
}

FELDINHALT *SW_FindInhalt(uint32_t nKartenKennung, uint32_t nFeldIndex) {
    for (FELDINHALT *f : SW_Contents())
        if (f->nKartenKennung == nKartenKennung && f->nFeldIndex == nFeldIndex)
            return f;
    return nullptr;
}
