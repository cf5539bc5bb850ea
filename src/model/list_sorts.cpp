#include "model/list_sorts.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/dumps.h"
#include "model/exchange_sort.h"
#include "model/records.h"

void SW_SortOrdner() {
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpFolders("DMP B S");
    uint32_t n = 0;
    if (ORDNER **recs = SW_ListArray(lpORDNERstart, &n)) {
        SW_ExchangeSortRecords(recs, n, [](const ORDNER *o) { return o->nOrdnerOrder; });
        for (uint32_t i = 0; i < n; ++i)
            recs[i]->nOrdnerOrder = i + 1;
        T_Free("SW_F_41", recs);
    }
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpFolders("DMP A S");
}

// Each folder's cards are gathered once (an index ordered by folder, cards of
// one folder in list order) instead of walking the whole card list per card.
void SW_SortKarten() {
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCards("DMP B S");
    uint32_t n = 0;
    KARTE **cards = SW_ListArray(lpKARTEstart, &n);
    uint32_t *idx = cards ? SW_GroupIndex(cards, n, [](const KARTE *k) { return k->nOrdnerKennung; }) : nullptr;
    KARTE **group = idx ? static_cast<KARTE **>(T_Malloc("SW_M_46", sizeof(KARTE *) * n)) : nullptr;
    if (group) {
        for (ORDNER *o = lpORDNERstart; o; o = o->next) {
            const uint32_t id = o->nOrdnerKennung;
            const uint32_t *first = std::lower_bound(idx, idx + n, id, [&](uint32_t i, uint32_t key) {
                return cards[i]->nOrdnerKennung < key;
            });
            uint32_t m = 0;
            for (const uint32_t *p = first; p < idx + n && cards[*p]->nOrdnerKennung == id; ++p)
                group[m++] = cards[*p];
            SW_ExchangeSortRecords(group, m, [](const KARTE *k) { return k->nKartenOrder; });
            for (uint32_t i = 0; i < m; ++i)
                group[i]->nKartenOrder = i + 1;
        }
    }
    if (group)
        T_Free("SW_F_46", group);
    if (idx)
        T_Free("SW_F_42", idx);
    if (cards)
        T_Free("SW_F_41", cards);
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCards("DMP A S");
}
