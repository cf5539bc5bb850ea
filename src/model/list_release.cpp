#include "model/list_release.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/desktop_profiles.h"
#include "model/droplist_records.h"
#include "model/fields.h"
#include "model/notes_list.h"
#include "model/records.h"

namespace {
const char TAG_FNK[] = "SW_FNK";

template <typename T, typename Release> void FreeList(T *&start, T *&act, Release release) {
    for (T *r = start; r;) {
        T *next = r->next;
        release(r);
        r = next;
    }
    start = act = nullptr;
}
} // namespace

void SW_FreeOrdnertabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeOrdnertabelle() (lpORDNERstart=%x)", TRACE_PTR(lpORDNERstart));
    FreeList(lpORDNERstart, lpORDNERact, [](ORDNER *o) { T_Free("SW_F_50", o); });
}

void SW_FreeFeldTabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeFeldTabelle() (lpFELDTABELLEstart=%x)", TRACE_PTR(lpFELDTABELLEstart));
    FreeList(lpFELDTABELLEstart, lpFELDTABELLEact, [](FELDTABELLE *f) { T_Free("SW_F_51", f); });
}

void SW_ReleaseFieldTable() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReleaseFieldTable() (lpFELDTABCARDstart=%x)", TRACE_PTR(lpFELDTABCARDstart));
    FreeList(lpFELDTABCARDstart, lpFELDTABCARDact, [](FELDTABCARD *f) { T_Free("SW_F_52", f); });
}

void SW_FreeKartenTabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeKartenTabelle() (lpKARTEstart=%x)", TRACE_PTR(lpKARTEstart));
    FreeList(lpKARTEstart, lpKARTEact, [](KARTE *k) { T_Free("SW_F_53", k); });
}

void SW_FreeFeldInhaltTabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeFeldInhaltTabelle() (lpFELDINHALTstart=%x)",
          TRACE_PTR(lpFELDINHALTstart));
    FreeList(lpFELDINHALTstart, lpFELDINHALTact, [](FELDINHALT *f) {
        FW_FreeInhalt("SW_F_54", f);
        T_Free("SW_F_55", f);
    });
}

void SW_ReleaseSafeLists() {
    SW_FreeOrdnertabelle();
    SW_FreeFeldTabelle();
    SW_ReleaseFieldTable();
    SW_FreeKartenTabelle();
    SW_FreeFeldInhaltTabelle();
    SW_ReleaseNotizen();
    DT_FreeDesktopTable();
    DW_FreeDroptabelle();
    DW_ResetDropCounters();
    nOrdnerCount = nFeldCount = nCardCount = 0;
}
