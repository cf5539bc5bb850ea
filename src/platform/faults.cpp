// Fault injection (the counters behind PL_FailCall) and the wipe: what the
// system's side calls of the shared part. It calls nothing of that side, which
// asks it through PL_FaultHit whether a call must fail.
#include "platform/platform.h"
#include "platform/platform_os.h"

#include <cstring>

namespace {
struct Fault {
    int calls;     // calls seen since the last reset
    int failFrom;  // 1-based call number of the first failing call, 0: none
    int failCount; // how many calls in a row fail
};
Fault g_faults[PL_FAULT_KINDS];

uint32_t FaultError(PL_FAULT kind) {
    switch (kind) {
    case PL_FAULT_ALLOC: return PL_ERROR_NOT_ENOUGH_MEMORY;
    case PL_FAULT_WRITE:
    case PL_FAULT_FLUSH: return PL_ERROR_DISK_FULL;
    case PL_FAULT_READ: return PL_ERROR_READ_FAULT;
    default: return PL_ERROR_ACCESS_DENIED;
    }
}
} // namespace

void PL_FailCall(PL_FAULT kind, int nth, int count) {
    Fault &f = g_faults[kind];
    f.failFrom = nth > 0 ? f.calls + nth : 0;
    f.failCount = count > 0 ? count : 1;
}

int PL_CallCount(PL_FAULT kind) { return g_faults[kind].calls; }

void PL_ResetFaults() { memset(g_faults, 0, sizeof g_faults); }

uint32_t PL_FaultHit(PL_FAULT kind) {
    Fault &f = g_faults[kind];
    ++f.calls;
    if (f.failFrom == 0 || f.calls < f.failFrom || f.calls >= f.failFrom + f.failCount)
        return 0;
    return FaultError(kind);
}

void PL_SecureZero(void *block, size_t size) {
    volatile unsigned char *p = static_cast<volatile unsigned char *>(block);
    while (size--)
        *p++ = 0;
}
