// libFuzzer target for the INI text engine: the input is the settings file.
// Every read and write must stay within its buffers, and a value written must
// read back as written (first line, blanks around it and enclosing quotes gone).
#include "config/initext.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
std::string Expected(const char *value) {
    std::string e(value, strcspn(value, "\r\n"));
    size_t a = e.find_first_not_of(" \t\v\f\x1a");
    if (a == std::string::npos)
        return "";
    e = e.substr(a, e.find_last_not_of(" \t\v\f\x1a") - a + 1);
    if (e.size() >= 2 && (e[0] == '"' || e[0] == '\'') && e.back() == e[0])
        e = e.substr(1, e.size() - 2);
    return e;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 1 << 16)
        return 0;
    INITEXT t;
    IT_Init(&t);
    IT_Assign(&t, reinterpret_cast<const char *>(data), static_cast<uint32_t>(size));
    // The names come from the file's first bytes, so that they match its sections now and then.
    std::string section(reinterpret_cast<const char *>(data), size < 3 ? size : 3);
    section = section.substr(0, strcspn(section.c_str(), "\r\n"));
    const char *key = "k";
    char buf[64];
    for (uint32_t n = 1; n <= sizeof buf; n += 21) {
        IT_GetValue(&t, section.c_str(), key, buf, n);
        IT_GetSection(&t, section.c_str(), buf, n);
    }
    const char *value = " \"v\" x ";
    if (IT_PutValue(&t, section.c_str(), key, value) == 0) {
        char v[300];
        IT_GetValue(&t, section.c_str(), key, v, sizeof v);
        if (Expected(value) != v)
            abort();
        if (IT_PutSection(&t, section.c_str(), "k=2\0j=3\0") != 0)
            abort();
        IT_GetValue(&t, section.c_str(), key, v, sizeof v);
        if (strcmp(v, "2") != 0)
            abort();
        IT_PutValue(&t, section.c_str(), key, nullptr);
        IT_PutValue(&t, section.c_str(), nullptr, nullptr);
    }
    IT_Free(&t);
    return 0;
}
