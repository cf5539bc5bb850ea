// The working array of the "Change folder order" and "Change card order"
// dialogs: copies of the records in list order, moved up and down by
// exchanging their order values with the neighbour and sorting the array again,
// and on OK copied back over the records in list order, each record keeping its
// own link, so that the list takes the new order.
#pragma once

#include "frame/memory.h"

#include <cstdint>
#include <cstring>

// Copies the records that belong (pred) into a new array and numbers their
// orders 1..n in list order; null when none belongs.
template <typename T, typename Pred, typename Order>
T *OA_Copy(T *start, Pred pred, Order order, uint32_t *count, const char *tag) {
    uint32_t n = 0;
    for (T *r = start; r; r = r->next)
        if (pred(r))
            ++n;
    *count = n;
    if (n == 0)
        return nullptr;
    T *array = static_cast<T *>(T_Malloc(tag, sizeof(T) * n));
    if (!array) {
        *count = 0;
        return nullptr;
    }
    uint32_t i = 0;
    for (T *r = start; r; r = r->next)
        if (pred(r)) {
            array[i] = *r;
            order(array[i]) = i + 1;
            ++i;
        }
    return array;
}

// Moves entry line one place up (dir -1) or down (+1): the two entries exchange
// their order values, then the array is sorted ascending by order. Answers the
// moved entry's new line.
template <typename T, typename Order> int OA_Move(T *array, uint32_t count, int line, int dir, Order order) {
    int other = line + dir;
    if (!array || line < 0 || other < 0 || static_cast<uint32_t>(line) >= count ||
        static_cast<uint32_t>(other) >= count)
        return line;
    uint32_t o = order(array[line]);
    order(array[line]) = order(array[other]);
    order(array[other]) = o;
    int moved = line;
    // Exchange sort ascending by order, following the moved entry.
    for (uint32_t i = 0; i < count; ++i)
        for (uint32_t j = i + 1; j < count; ++j)
            if (order(array[j]) < order(array[i])) {
                T t = array[i];
                array[i] = array[j];
                array[j] = t;
                if (moved == static_cast<int>(i))
                    moved = static_cast<int>(j);
                else if (moved == static_cast<int>(j))
                    moved = static_cast<int>(i);
            }
    return moved;
}

// Copies the array back over the records that belong, in list order.
template <typename T, typename Pred> void OA_CopyBack(T *start, Pred pred, const T *array, uint32_t count) {
    uint32_t i = 0;
    for (T *r = start; r && i < count; r = r->next)
        if (pred(r)) {
            T *next = r->next;
            *r = array[i++];
            r->next = next;
        }
}
