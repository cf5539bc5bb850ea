// A record list grouped by an owner's key (a folder's or card's identifier),
// each group in list order. Built in one walk and a sort, it lets a pass over
// the safe find a card's contents or fields without walking whole lists once
// per card: on a safe of ten thousand cards that is the difference between
// milliseconds and seconds.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

template <class T> class RecordGroups {
  public:
    using Entry = std::pair<uint64_t, T *>;

    template <class Key> void Build(T *start, Key key) {
        Build(start, key, [](const T *) { return true; });
    }
    // Only the records `keep` answers true for.
    template <class Key, class Keep> void Build(T *start, Key key, Keep keep) {
        entries_.clear();
        for (T *r = start; r; r = r->next)
            if (keep(r))
                entries_.emplace_back(key(r), r);
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry &a, const Entry &b) { return a.first < b.first; });
    }
    // Calls f with every record of this key, in list order.
    template <class F> void ForEach(uint64_t key, F f) const {
        for (auto it = Find(key); it != entries_.end() && it->first == key; ++it)
            f(it->second);
    }
    // The first record of this key in list order; null when there is none.
    T *First(uint64_t key) const {
        auto it = Find(key);
        return it != entries_.end() && it->first == key ? it->second : nullptr;
    }

  private:
    typename std::vector<Entry>::const_iterator Find(uint64_t key) const {
        return std::lower_bound(entries_.begin(), entries_.end(), key,
                                [](const Entry &e, uint64_t k) { return e.first < k; });
    }
    std::vector<Entry> entries_;
};

// The key of a content: its card and its field.
inline uint64_t RG_ContentKey(uint32_t nKartenKennung, uint32_t nFeldIndex) {
    return (static_cast<uint64_t>(nKartenKennung) << 32) | nFeldIndex;
}
