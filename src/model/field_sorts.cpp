#include "model/field_sorts.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/dumps.h"
#include "model/exchange_sort.h"
#include "model/records.h"

namespace {
// The descriptions of one folder (or card) lie together in the list. The sort
// takes a group at a time: from the group's first record it exchange-sorts every
// record of that key up to the end of the list, steps past the group and goes on;
// then it numbers each group 1..n from its first record. So each key's records
// are exchange-sorted among themselves once (a later group of a key already
// sorted finds nothing to exchange), and each run of one key is numbered 1..n.
template <typename T, typename GroupOf, typename OrderOf, typename SetOrder>
void SortFields(T *start, GroupOf groupOf, OrderOf orderOf, SetOrder setOrder) {
    uint32_t n = 0;
    T **recs = SW_ListArray(start, &n);
    if (!recs)
        return;
    uint32_t *idx = SW_GroupIndex(recs, n, groupOf);
    T **group = idx ? static_cast<T **>(T_Malloc("FW_M_01", sizeof(T *) * n)) : nullptr;
    if (group) {
        for (uint32_t g0 = 0; g0 < n;) {
            uint32_t m = 0, key = groupOf(recs[idx[g0]]);
            for (; g0 < n && groupOf(recs[idx[g0]]) == key; ++g0)
                group[m++] = recs[idx[g0]];
            SW_ExchangeSortRecords(group, m, orderOf);
        }
        uint32_t counter = 0;
        for (uint32_t i = 0; i < n; ++i) {
            counter = (i > 0 && groupOf(recs[i]) == groupOf(recs[i - 1])) ? counter + 1 : 1;
            setOrder(recs[i], counter);
        }
        T_Free("FW_F_01", group);
    }
    if (idx)
        T_Free("FW_F_02", idx);
    T_Free("FW_F_03", recs);
}
} // namespace

void FW_SortFieldTable() {
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpFieldTable("DMP B S");
    SortFields(
        lpFELDTABELLEstart, [](const FELDTABELLE *f) { return f->nOrdnerKennung; },
        [](const FELDTABELLE *f) { return f->nFeldOrder; }, [](FELDTABELLE *f, uint32_t o) { f->nFeldOrder = o; });
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpFieldTable("DMP E S");
}

void FW_SortCardFieldTab() {
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCardFieldTable("DMP B S");
    SortFields(
        lpFELDTABCARDstart, [](const FELDTABCARD *f) { return f->KartenKennung; },
        [](const FELDTABCARD *f) { return f->FeldOrder; }, [](FELDTABCARD *f, uint32_t o) { f->FeldOrder = o; });
    if (dwTraceLevel & TRACE_DUMP_SORT)
        ML_DumpCardFieldTable("DMP E S");
}
