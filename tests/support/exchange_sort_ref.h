// The exchange sorts exactly as they are described, run the slow way, to hold the
// fast sorts against: for each position p from the first, every later position
// q (p included) whose order is strictly smaller than that at p has its contents
// exchanged with p's, all fields but next.
#pragma once

#include "model/records.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace testsupport {

// On an array of keys: the arrangement as indexes into keys.
inline std::vector<uint32_t> RefExchangeOrder(const std::vector<uint32_t> &keys) {
    std::vector<uint32_t> a(keys.size());
    for (uint32_t i = 0; i < a.size(); ++i)
        a[i] = i;
    for (size_t p = 0; p < a.size(); ++p)
        for (size_t q = p; q < a.size(); ++q)
            if (keys[a[q]] < keys[a[p]])
                std::swap(a[p], a[q]);
    return a;
}

template <typename T> void RefExchange(T *a, T *b) {
    T tmp = *a;
    T *na = a->next, *nb = b->next;
    *a = *b;
    *b = tmp;
    a->next = na;
    b->next = nb;
}

inline void RefSortOrdner() {
    for (ORDNER *p = lpORDNERstart; p; p = p->next)
        for (ORDNER *q = p; q; q = q->next)
            if (q->nOrdnerOrder < p->nOrdnerOrder)
                RefExchange(p, q);
    uint32_t n = 1;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        o->nOrdnerOrder = n++;
}

inline void RefSortKarten() {
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        for (KARTE *p = lpKARTEstart; p; p = p->next)
            if (p->nOrdnerKennung == o->nOrdnerKennung)
                for (KARTE *q = p; q; q = q->next)
                    if (q->nOrdnerKennung == o->nOrdnerKennung && q->nKartenOrder < p->nKartenOrder)
                        RefExchange(p, q);
    for (ORDNER *o = lpORDNERstart; o; o = o->next) {
        uint32_t n = 1;
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            if (k->nOrdnerKennung == o->nOrdnerKennung)
                k->nKartenOrder = n++;
    }
}

// The field-description sort group by group: sort from the group's first record
// to the end of the list, step past the group; then renumber each group from its
// first record to the end of the list with a counter that grows at every record.
template <typename T, typename KeyOf, typename OrderOf>
void RefSortFields(T *start, KeyOf key, OrderOf order) {
    for (T *g = start; g;) {
        uint32_t k = key(g);
        for (T *a = g; a; a = a->next)
            if (key(a) == k)
                for (T *b = a; b; b = b->next)
                    if (key(b) == k && order(b) < order(a))
                        RefExchange(a, b);
        while (g && key(g) == k)
            g = g->next;
    }
    for (T *g = start; g;) {
        uint32_t k = key(g), counter = 1;
        for (T *w = g; w; w = w->next, ++counter)
            if (key(w) == k)
                order(w) = counter;
        while (g && key(g) == k)
            g = g->next;
    }
}

inline void RefSortFieldTable() {
    RefSortFields(
        lpFELDTABELLEstart, [](FELDTABELLE *f) { return f->nOrdnerKennung; },
        [](FELDTABELLE *f) -> uint32_t & { return f->nFeldOrder; });
}

inline void RefSortCardFieldTab() {
    RefSortFields(
        lpFELDTABCARDstart, [](FELDTABCARD *f) { return f->KartenKennung; },
        [](FELDTABCARD *f) -> uint32_t & { return f->FeldOrder; });
}

} // namespace testsupport
