// libFuzzer target for the JSON import of the terminal companion. Whatever the
// text, the import answers true or false (false with a message and the lists
// left empty); what it accepted exports to a document that imports again and
// exports to the same text.
#include "fuzz/safe_file.h"
#include "store/safe_json.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > (1u << 20))
        return 0;
    const std::string doc(reinterpret_cast<const char *>(data), size);
    bool hasPassword = false;
    uint16_t reserved = 0;
    std::string error;
    if (!SW_ImportJson(doc, &hasPassword, &reserved, &error)) {
        if (error.empty() || lpORDNERstart || lpKARTEstart || lpFELDINHALTstart)
            abort();
        return 0;
    }
    SAFEHEADER header{hasPassword ? 1u : 0u, 1, 11, 0};
    SAFECONTROL control{};
    control.nReserved = reserved;
    const std::string exported = SW_ExportJson(header, control);
    if (!SW_ImportJson(exported, &hasPassword, &reserved, &error) || (hasPassword ? 1u : 0u) != header.nPasswort ||
        reserved != control.nReserved || SW_ExportJson(header, control) != exported)
        abort();
    fuzzseeds::ReleaseSafe();
    return 0;
}
