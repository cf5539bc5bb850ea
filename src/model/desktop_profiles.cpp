#include "model/desktop_profiles.h"

#include "frame/memory.h"
#include "frame/trace.h"

#include <cstring>

DTOPHEADER *lpDTOPHEADERstart = nullptr, *lpDTOPHEADERact = nullptr;
DESKTOP *lpDESKTOPstart = nullptr, *lpDESKTOPact = nullptr;

namespace {
template <typename T> T *Append(const char *tag, T *&start, T *&act) {
    T *r = static_cast<T *>(T_Malloc(tag, sizeof(T)));
    if (!r)
        return nullptr;
    if (!start)
        start = r;
    else
        act->next = r;
    act = r;
    return r;
}

template <typename T> T *Last(T *start) {
    while (start && start->next)
        start = start->next;
    return start;
}

// Icon labels travel enveloped in the safe: wiped before they are freed.
void FreeIcon(DESKTOP *d, const char *textTag, const char *tag) {
    if (d->dwIconText)
        T_FreeSecret(textTag, d->dwIconText, d->nTextLen + 1);
    T_Free(tag, d);
}
} // namespace

DTOPHEADER *DT_AppendProfile(const char *tag) { return Append(tag, lpDTOPHEADERstart, lpDTOPHEADERact); }
DESKTOP *DT_AppendIcon(const char *tag) { return Append(tag, lpDESKTOPstart, lpDESKTOPact); }

void DT_FreeDesktopTable() {
    for (DESKTOP *d = lpDESKTOPstart; d;) {
        DESKTOP *next = d->next;
        FreeIcon(d, "DT_F_02", "DT_F_01");
        d = next;
    }
    for (DTOPHEADER *h = lpDTOPHEADERstart; h;) {
        DTOPHEADER *next = h->next;
        T_Free("DT_F_00", h);
        h = next;
    }
    lpDESKTOPstart = lpDESKTOPact = nullptr;
    lpDTOPHEADERstart = lpDTOPHEADERact = nullptr;
}

uint32_t DT_GetNewProfilId() {
    TRACE(TRACE_FUNCTIONS, "CW_FNK", "B DT_GetNewProfilId()");
    // With n profiles one of the ids 1 to n + 1 is free. Trying them in turn needs
    // no table as large as the highest id, which a damaged file could make huge.
    uint32_t nNewProfilId = 1;
    while (DT_GetProfile(nNewProfilId))
        ++nNewProfilId;
    TRACE(TRACE_FUNCTIONS, "CW_FNK", "E CW_GetNewProfilId() (return nNewProfilId=%d)", static_cast<int>(nNewProfilId));
    return nNewProfilId;
}

uint32_t DT_FindProfile(const char *name) {
    for (DTOPHEADER *h = lpDTOPHEADERstart; h; h = h->next)
        if (strncmp(h->szProfilName, name, sizeof h->szProfilName) == 0)
            return h->nProfilIndex;
    return 0;
}

DTOPHEADER *DT_GetProfile(uint32_t id) {
    for (DTOPHEADER *h = lpDTOPHEADERstart; h; h = h->next)
        if (h->nProfilIndex == id)
            return h;
    return nullptr;
}

DESKTOP *DT_FindIconNth(uint32_t id, const char *text, int nth) {
    for (DESKTOP *d = lpDESKTOPstart; d; d = d->next)
        if (d->nProfilIndex == id && d->nTextLen != 0 && d->dwIconText && strcmp(d->dwIconText, text) == 0 &&
            nth-- == 0)
            return d;
    return nullptr;
}

DESKTOP *DT_FindIcon(uint32_t id, const char *text) { return DT_FindIconNth(id, text, 0); }

void DT_DeleteProfile(uint32_t id, int keepHeader) {
    if (!keepHeader) {
        for (DTOPHEADER **link = &lpDTOPHEADERstart; *link;) {
            DTOPHEADER *h = *link;
            if (h->nProfilIndex != id) {
                link = &h->next;
                continue;
            }
            *link = h->next;
            T_Free("DT_F_04", h);
            break;
        }
    }
    for (DESKTOP **link = &lpDESKTOPstart; *link;) {
        DESKTOP *d = *link;
        if (d->nProfilIndex != id) {
            link = &d->next;
            continue;
        }
        *link = d->next;
        FreeIcon(d, "DT_F_06", "DT_F_05");
    }
    lpDTOPHEADERact = Last(lpDTOPHEADERstart);
    lpDESKTOPact = Last(lpDESKTOPstart);
}
