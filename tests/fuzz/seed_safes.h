// The safes the seeds of the safe reader and the JSON import are made from.
#pragma once

#include "support/safe_builder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fuzzseeds {

using testsupport::SafeContents;

// Every section filled, in several format versions, with and without the password "fuzz".
inline std::vector<SafeContents> SampleSafes() {
    std::vector<SafeContents> out;
    for (uint32_t minor : {5u, 8u, 10u, 11u})
        for (const char *pw : {"", "fuzz"}) {
            SafeContents s;
            s.minor = minor;
            s.password = pw;
            s.folders = {{1, 2, "Web", "globe", 1, 1}, {2, 1, "Bank", "", 0, 0}};
            s.fields = {{1, 0, 1, "User", 0, 40, 1}, {1, 1, 2, "Password", 1, 30, 0}, {2, 0, 1, "IBAN", 0, 34, 0}};
            s.cards = {{1, 3, 1, "mail", "", 0, 0}, {2, 4, 1, "Giro", "", 0, 0}};
            s.contents = {{3, 0, "alice"}, {3, 1, "secret"}, {4, 0, "DE00"}};
            s.cardFields = {{4, 0, 1, "Own", 0, 20, 0}};
            s.notes = {{"a note", 0x0085FFFF, 0, 1, 2, 3, 4, "010107", "1200"}};
            s.profiles = {{1, "P", "PC", "01012006"}};
            s.icons = {{0, 1, "Trash", 5, 6}, {1, 1, "", 7, 8}};
            out.push_back(s);
        }
    return out;
}

// A large crafted safe without a password: `folders` folders sharing three ids,
// `cards` cards in them with orders that repeat.
inline SafeContents SharedIdSafe(uint32_t folders, uint32_t cards) {
    SafeContents s;
    s.fields = {{1, 0, 1, "User"}, {2, 0, 1, "User"}, {3, 0, 1, "User"}};
    for (uint32_t i = 0; i < folders; ++i)
        s.folders.push_back({1 + i % 3, i, "twin", ""});
    for (uint32_t i = 0; i < cards; ++i)
        s.cards.push_back({1 + i % 3, i + 1, (i * 7919u) % 97u, "card", ""});
    return s;
}

} // namespace fuzzseeds
