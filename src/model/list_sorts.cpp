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

namespace {
// The ids of all folders, ascending (whether a card's folder exists, in log
// time); null when memory ran out.
uint32_t *FolderIds(uint32_t *count) {
    uint32_t n = 0;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        ++n;
    uint32_t *ids = static_cast<uint32_t *>(T_Malloc("SW_M_47", sizeof(uint32_t) * n));
    if (!ids)
        return nullptr;
    n = 0;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        ids[n++] = o->nOrdnerKennung;
    std::sort(ids, ids + n);
    *count = n;
    return ids;
}
} // namespace

// The cards are grouped by folder id once (an index ordered by id, cards of one
// id in list order) and each group that belongs to a folder is sorted once. A
// crafted safe may give many folders one id: their cards are still sorted once,
// as the first of those folders sorts them (the others would find them in order).
void SW_SortKarten() {
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCards("DMP B S");
    uint32_t n = 0, folders = 0;
    KARTE **cards = SW_ListArray(lpKARTEstart, &n);
    uint32_t *idx = cards ? SW_GroupIndex(cards, n, [](const KARTE *k) { return k->nOrdnerKennung; }) : nullptr;
    uint32_t *ids = idx ? FolderIds(&folders) : nullptr;
    KARTE **group = ids ? static_cast<KARTE **>(T_Malloc("SW_M_46", sizeof(KARTE *) * n)) : nullptr;
    if (group) {
        for (uint32_t g0 = 0; g0 < n;) {
            const uint32_t id = cards[idx[g0]]->nOrdnerKennung;
            uint32_t m = 0;
            for (; g0 < n && cards[idx[g0]]->nOrdnerKennung == id; ++g0)
                group[m++] = cards[idx[g0]];
            if (!std::binary_search(ids, ids + folders, id))
                continue; // the cards of a folder that does not exist are left as they are
            SW_ExchangeSortRecords(group, m, [](const KARTE *k) { return k->nKartenOrder; });
            for (uint32_t i = 0; i < m; ++i)
                group[i]->nKartenOrder = i + 1;
        }
    }
    if (group)
        T_Free("SW_F_46", group);
    if (ids)
        T_Free("SW_F_47", ids);
    if (idx)
        T_Free("SW_F_42", idx);
    if (cards)
        T_Free("SW_F_41", cards);
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCards("DMP A S");
}
