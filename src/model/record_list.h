// A record list walked in order: `for (KARTE *k : SW_Cards())`. The next record
// is taken before the body runs, so the body may unlink and free the one it has.
#pragma once

template <typename T> struct SW_LIST {
    T *first;
    struct iterator {
        T *at, *after;
        explicit iterator(T *p) : at(p), after(p ? p->next : nullptr) {}
        T *operator*() const { return at; }
        iterator &operator++() {
            at = after;
            after = at ? at->next : nullptr;
            return *this;
        }
        bool operator!=(const iterator &other) const { return at != other.at; }
    };
    iterator begin() const { return iterator(first); }
    iterator end() const { return iterator(nullptr); }
    bool empty() const { return first == nullptr; }
};
