// libFuzzer target for orvArgs: the input is the command line after the
// program's name, cut at its first zero. Whatever the text, the six fields stay
// within their buffers and are terminated, and the exit code is the one the
// first field's length gives.
#include "args/orvargs.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string line(reinterpret_cast<const char *>(data), size);
    ARGS_FIELDTAB fields;
    memset(&fields, 0x55, sizeof fields);
    ARGS_SplitFields(line.c_str(), &fields);
    for (const auto &f : fields.field)
        if (memchr(f, 0, sizeof f) == nullptr || strchr(f, '\t'))
            abort();
    const int expected = strlen(fields.field[0]) >= 4 ? ARGS_EXIT_LONG : 0;
    if (ARGS_GetExitCode(line.c_str()) != expected)
        abort();
    return 0;
}
