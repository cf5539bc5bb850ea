#include "model/exchange_sort.h"

#include "frame/memory.h"

#include <algorithm>

// Why this gives the exchange sort's arrangement.
//
// Pass p carries the smallest key seen so far along the list: it starts with the
// record at p, and at every strictly smaller record it leaves what it carries in
// that place and picks the smaller one up; at the end it lays the first record of
// the smallest key at p. Records with distinct keys therefore end in ascending
// order; what needs working out is the order among records of one key v.
//
// Look only at the records with keys <= v. A pass over the whole list does to
// them exactly what the same pass does to the list made of them alone (records
// with larger keys are dropped at most into the place of the first record <= v,
// and they never take part otherwise). In that shorter list call the records of
// key v "V" and the smaller ones "S". While S records remain, each pass takes
// out the first S in the V/S pattern, and when the pattern starts with a run of
// a V's before that S, the first V is carried over the other a-1 and laid where
// the S stood: the first a V's rotate left by one. Nothing else moves V's.
//
// So with c = the number of V's before an S in the original list, every S rotates
// the first c V's by one (none when c = 0). The S's between the k-th and the
// (k+1)-th V, or after the last, each rotate the first k V's: k grows, so the
// rotating front is a ring into which the next V is put at the back, turned
// (number of such S's mod k) places. A Fenwick tree over positions counts the
// smaller records between two V's.

namespace {
const char TAG_ALLOC[] = "SW_M_40";
const char TAG_FREE[] = "SW_F_40";

struct Scratch {
    uint32_t *byKey = nullptr; // indexes ordered by (key, index)
    uint32_t *tree = nullptr;  // Fenwick tree over positions, 1-based
    uint32_t *ringNext = nullptr;
    uint32_t *ringPrev = nullptr;
};

void FreeScratch(Scratch &s) {
    for (uint32_t *block : {s.byKey, s.tree, s.ringNext, s.ringPrev})
        if (block)
            T_Free(TAG_FREE, block);
}

void TreeAdd(uint32_t *tree, uint32_t n, uint32_t pos) {
    for (uint32_t i = pos + 1; i <= n; i += i & (0u - i))
        ++tree[i];
}

// Records already counted among positions [0, end).
uint32_t TreeCount(const uint32_t *tree, uint32_t end) {
    uint32_t sum = 0;
    for (uint32_t i = end; i > 0; i -= i & (0u - i))
        sum += tree[i];
    return sum;
}
} // namespace

int SW_ExchangeSortOrder(const uint32_t *keys, uint32_t n, uint32_t *order) {
    if (n == 0)
        return 0;
    Scratch s;
    s.byKey = static_cast<uint32_t *>(T_Malloc(TAG_ALLOC, sizeof(uint32_t) * n));
    if (!s.byKey)
        return -1;
    for (uint32_t i = 0; i < n; ++i)
        s.byKey[i] = i;
    std::sort(s.byKey, s.byKey + n, [keys](uint32_t a, uint32_t b) {
        return keys[a] != keys[b] ? keys[a] < keys[b] : a < b;
    });

    bool ties = false;
    for (uint32_t i = 1; i < n && !ties; ++i)
        ties = keys[s.byKey[i]] == keys[s.byKey[i - 1]];
    if (!ties) { // the usual case after the first sort: plainly ascending
        std::copy(s.byKey, s.byKey + n, order);
        FreeScratch(s);
        return 0;
    }

    s.tree = static_cast<uint32_t *>(T_Malloc(TAG_ALLOC, sizeof(uint32_t) * (n + 1)));
    s.ringNext = static_cast<uint32_t *>(T_Malloc(TAG_ALLOC, sizeof(uint32_t) * n));
    s.ringPrev = static_cast<uint32_t *>(T_Malloc(TAG_ALLOC, sizeof(uint32_t) * n));
    if (!s.tree || !s.ringNext || !s.ringPrev) {
        FreeScratch(s);
        return -1;
    }
    uint32_t *next = s.ringNext, *prev = s.ringPrev;

    for (uint32_t g0 = 0; g0 < n;) {
        uint32_t g1 = g0 + 1;
        while (g1 < n && keys[s.byKey[g1]] == keys[s.byKey[g0]])
            ++g1;
        const uint32_t *pos = s.byKey + g0; // the key's records, ascending positions
        uint32_t m = g1 - g0;
        if (m == 1) {
            order[g0] = pos[0];
        } else {
            // Ring slots are the key's records by rank: slot k-1 is its k-th record.
            uint32_t front = 0;
            next[0] = prev[0] = 0;
            for (uint32_t k = 1; k <= m; ++k) {
                if (k > 1) { // the k-th record joins at the back of the rotating front
                    uint32_t slot = k - 1, back = prev[front];
                    next[back] = slot;
                    prev[slot] = back;
                    next[slot] = front;
                    prev[front] = slot;
                }
                uint32_t end = k < m ? pos[k] : n;
                uint32_t smaller = TreeCount(s.tree, end) - TreeCount(s.tree, pos[k - 1]);
                uint32_t turn = smaller % k;
                if (turn <= k / 2)
                    while (turn--)
                        front = next[front];
                else
                    for (turn = k - turn; turn; --turn)
                        front = prev[front];
            }
            for (uint32_t i = 0, slot = front; i < m; ++i, slot = next[slot])
                order[g0 + i] = pos[slot];
        }
        for (uint32_t i = g0; i < g1; ++i)
            TreeAdd(s.tree, n, s.byKey[i]);
        g0 = g1;
    }
    FreeScratch(s);
    return 0;
}
