// libFuzzer target for the readers of other managers' files. The first byte
// picks the format (beyond the last: found from the text); whatever the rest,
// a reader answers true with entries, or false with a reason and a place in the
// text and no entries. Every text it took converts to the safe's code page.
#include "exchange/exchange.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > (1u << 20))
        return 0;
    const int format = data[0] < XC_FORMAT_COUNT ? data[0] : XC_UNKNOWN;
    const std::string doc(reinterpret_cast<const char *>(data) + 1, size - 1);
    std::vector<XC_ENTRY> entries;
    std::string dropped, text;
    XC_ERROR error;
    if (!XC_Parse(doc, format, &entries, &dropped, &error)) {
        if (error.text.empty() || error.line < 1 || error.column < 1 || !entries.empty())
            abort();
        return 0;
    }
    for (const XC_ENTRY &e : entries) {
        XC_ToSafeText(e.title, &text);
        for (const XC_FIELD &f : e.fields)
            if (XC_ToSafeText(f.value, &text) > f.value.size())
                abort();
    }
    XC_WipeEntries(&entries);
    return 0;
}
