#include "tools/desktop_profiles.h"

#include "frame/memory.h"

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
} // namespace

DTOPHEADER *DT_AppendProfile(const char *tag) { return Append(tag, lpDTOPHEADERstart, lpDTOPHEADERact); }
DESKTOP *DT_AppendIcon(const char *tag) { return Append(tag, lpDESKTOPstart, lpDESKTOPact); }

void DT_FreeDesktopTable() {
    for (DESKTOP *d = lpDESKTOPstart; d;) {
        DESKTOP *next = d->next;
        if (d->dwIconText)
            T_Free("DT_F_02", d->dwIconText);
        T_Free("DT_F_01", d);
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
