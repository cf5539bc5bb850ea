// The arrangement our exchange sort leaves behind, computed without running it.
//
// The folder, card and field-description lists are ordered by an exchange sort:
// for each position p, every later position q (p itself included) whose key is
// strictly smaller than the key now at p is exchanged with p. It is not stable
// (keys 2a, 2b, 1 end as 1, 2b, 2a), and users see the order it gives to records
// with equal keys, so that order must stay exactly the same. Run as written it
// costs n*n/2 comparisons per list, and over a linked list with the cards of all
// folders mixed it becomes far slower; SW_ExchangeSortOrder gives the same
// arrangement in about n log n.
#pragma once

#include <cstdint>

// keys[0..n-1] in list order. On return order[i] is the index (into keys) of the
// record that the exchange sort leaves at position i. Answers 0, or -1 when
// memory ran out (order is then untouched).
int SW_ExchangeSortOrder(const uint32_t *keys, uint32_t n, uint32_t *order);

// ---- over records of a list (templates for the folder, card and field lists)

#include "frame/memory.h"

#include <algorithm>

// The records of a list in list order, in an array from the tagged allocator
// (free it with T_Free); null when the list is empty or memory ran out.
template <typename T> T **SW_ListArray(T *start, uint32_t *count) {
    uint32_t n = 0;
    for (T *r = start; r; r = r->next)
        ++n;
    *count = n;
    if (n == 0)
        return nullptr;
    T **recs = static_cast<T **>(T_Malloc("SW_M_41", sizeof(T *) * n));
    if (!recs)
        return nullptr;
    n = 0;
    for (T *r = start; r; r = r->next)
        recs[n++] = r;
    return recs;
}

// Indexes 0..n-1 of recs ordered by group key, records of one key in list order:
// each key's records then lie together. Null when memory ran out.
template <typename T, typename GroupOf> uint32_t *SW_GroupIndex(T *const *recs, uint32_t n, GroupOf groupOf) {
    uint32_t *idx = static_cast<uint32_t *>(T_Malloc("SW_M_42", sizeof(uint32_t) * n));
    if (!idx)
        return nullptr;
    for (uint32_t i = 0; i < n; ++i)
        idx[i] = i;
    std::sort(idx, idx + n, [&](uint32_t a, uint32_t b) {
        uint32_t ga = groupOf(recs[a]), gb = groupOf(recs[b]);
        return ga != gb ? ga < gb : a < b;
    });
    return idx;
}

// Exchanges the contents of recs[0..n-1] (given in list order; all fields but
// next) into the arrangement the exchange sort by orderOf leaves. 0 or -1.
template <typename T, typename OrderOf> int SW_ExchangeSortRecords(T *const *recs, uint32_t n, OrderOf orderOf) {
    if (n < 2)
        return 0;
    uint32_t *keys = static_cast<uint32_t *>(T_Malloc("SW_M_43", sizeof(uint32_t) * n));
    uint32_t *order = static_cast<uint32_t *>(T_Malloc("SW_M_44", sizeof(uint32_t) * n));
    T *copies = static_cast<T *>(T_Malloc("SW_M_45", sizeof(T) * n));
    int rc = -1;
    if (keys && order && copies) {
        for (uint32_t i = 0; i < n; ++i)
            keys[i] = orderOf(recs[i]);
        rc = SW_ExchangeSortOrder(keys, n, order);
        if (rc == 0) {
            for (uint32_t i = 0; i < n; ++i)
                copies[i] = *recs[i];
            for (uint32_t i = 0; i < n; ++i) {
                T *keep = recs[i]->next;
                *recs[i] = copies[order[i]];
                recs[i]->next = keep;
            }
        }
    }
    if (keys)
        T_Free("SW_F_43", keys);
    if (order)
        T_Free("SW_F_44", order);
    if (copies)
        T_Free("SW_F_45", copies);
    return rc;
}
