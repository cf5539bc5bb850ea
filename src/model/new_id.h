// New folder and card identifiers: the smallest positive number not in use, so
// identifiers freed by deletions are given out again (folders 1, 2 and 4 get 3).
//
// The scratch array is sized by the number of records, not by the largest
// identifier: among n records the answer is at most n+1, so larger identifiers
// cannot change it, and a damaged safe with an identifier near 4 billion must not
// make us ask for gigabytes (or overflow the size).
#pragma once

#include "frame/memory.h"

#include <cstdint>

template <typename T, typename IdOf>
uint32_t SW_SmallestFreeId(const T *start, IdOf idOf, const char *allocTag, const char *freeTag) {
    uint32_t n = 0;
    for (const T *r = start; r; r = r->next)
        ++n;
    unsigned char *used = static_cast<unsigned char *>(T_Malloc(allocTag, n + 1));
    if (!used) // out of memory: the program is ending in order; 0 is no identifier
        return 0;
    for (const T *r = start; r; r = r->next) {
        uint32_t k = idOf(r);
        if (k != 0 && k <= n + 1)
            used[k - 1] = 1;
    }
    uint32_t i = 0;
    while (used[i]) // slot n stays free: n records cannot fill n+1 slots
        ++i;
    T_Free(freeTag, used);
    return i + 1;
}
