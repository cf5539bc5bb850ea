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

// Every record is wiped as it is freed: names and texts of a safe are secrets.
template <typename T, typename Release> void FreeList(T *&start, T *&act, const char *tag, Release release) {
    for (T *r = start; r;) {
        T *next = r->next;
        release(r);
        T_FreeSecret(tag, r, sizeof *r);
        r = next;
    }
    start = act = nullptr;
}
void Nothing(void *) {}
} // namespace

void SW_FreeOrdnertabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeOrdnertabelle() (lpORDNERstart=%x)", TRACE_PTR(lpORDNERstart));
    FreeList(lpORDNERstart, lpORDNERact, "SW_F_50", Nothing);
}

void SW_FreeFeldTabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeFeldTabelle() (lpFELDTABELLEstart=%x)", TRACE_PTR(lpFELDTABELLEstart));
    FreeList(lpFELDTABELLEstart, lpFELDTABELLEact, "SW_F_51", Nothing);
}

void SW_ReleaseFieldTable() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReleaseFieldTable() (lpFELDTABCARDstart=%x)", TRACE_PTR(lpFELDTABCARDstart));
    FreeList(lpFELDTABCARDstart, lpFELDTABCARDact, "SW_F_52", Nothing);
}

void SW_FreeKartenTabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeKartenTabelle() (lpKARTEstart=%x)", TRACE_PTR(lpKARTEstart));
    FreeList(lpKARTEstart, lpKARTEact, "SW_F_53", Nothing);
}

void SW_FreeFeldInhaltTabelle() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_FreeFeldInhaltTabelle() (lpFELDINHALTstart=%x)",
          TRACE_PTR(lpFELDINHALTstart));
    FreeList(lpFELDINHALTstart, lpFELDINHALTact, "SW_F_55", [](FELDINHALT *f) { FW_FreeInhalt("SW_F_54", f); });
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
    RecordCounts.nOrdnerCount = RecordCounts.nFeldCount = RecordCounts.nCardCount = 0;
}
