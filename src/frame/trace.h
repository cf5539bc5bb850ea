// The trace mask (settings key Tracelevel) and its bits. The mask is tested
// before a trace text is formatted, so a clear bit costs one test per call site.
#pragma once

#include <cstdint>

enum : uint32_t {
    TRACE_BASIC = 0x01,
    TRACE_MEMORY = 0x02,
    TRACE_TIMEOUT = 0x04,
    TRACE_SKIN = 0x08,
    TRACE_DUMP_SAFE = 0x10,
    TRACE_FUNCTIONS = 0x40,
    TRACE_DUMP_SORT = 0x80,
    TRACE_DUMP_DESKTOP = 0x100,
};

extern uint32_t dwTraceLevel;

// Formats and writes one trace line; callers test the mask first (TRACE below).
void ML_Trace(const char *tag, const char *format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 2, 3)))
#endif
    ;

#define TRACE(bit, tag, ...)                                                                       \
    do {                                                                                           \
        if (dwTraceLevel & (bit))                                                                  \
            ML_Trace(tag, __VA_ARGS__);                                                            \
    } while (0)

// Addresses in trace lines are printed with "%08x"/"%06x": their low 32 bits.
#define TRACE_PTR(p) (static_cast<unsigned>(reinterpret_cast<uintptr_t>(p)))
