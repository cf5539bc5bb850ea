#include "model/droplist_records.h"

#include "frame/memory.h"
#include "frame/trace.h"

DROPLIST *lpDROPLISTstart = nullptr, *lpDROPLISTact = nullptr;

DROPCOUNTS DropCounts;

DROPLIST *DW_AppendDropRecord(const char *tag) {
    DROPLIST *d = static_cast<DROPLIST *>(T_Malloc(tag, sizeof(DROPLIST)));
    if (!d)
        return nullptr;
    if (!lpDROPLISTstart)
        lpDROPLISTstart = d;
    else
        lpDROPLISTact->next = d;
    lpDROPLISTact = d;
    return d;
}

void DW_CountDropRecord(const DROPLIST *d) {
    ++DropCounts.nDropCount;
    if (d->kz == KZ_FILE)
        ++DropCounts.nDropFileCount;
    else if (d->kz == KZ_FOLDER)
        ++DropCounts.nDropFolderCount;
}

void DW_ResetDropCounters() { DropCounts.nDropCount = DropCounts.nDropFileCount = DropCounts.nDropFolderCount = 0; }

void DW_FreeDroptabelle() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B DW_FreeDroptabelle() (lpDROPLISTstart=%x)", TRACE_PTR(lpDROPLISTstart));
    for (DROPLIST *d = lpDROPLISTstart; d;) {
        DROPLIST *next = d->next;
        T_Free(next ? "DW_F_02" : "DW_F_03", d);
        d = next;
    }
    lpDROPLISTstart = lpDROPLISTact = nullptr;
}

void DW_RemoveDropRecord(DROPLIST *d) {
    for (DROPLIST **link = &lpDROPLISTstart; *link; link = &(*link)->next)
        if (*link == d) {
            *link = d->next;
            T_Free("DW_F_01", d);
            break;
        }
    lpDROPLISTact = lpDROPLISTstart;
    while (lpDROPLISTact && lpDROPLISTact->next)
        lpDROPLISTact = lpDROPLISTact->next;
}
