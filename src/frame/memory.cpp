#include "frame/memory.h"

#include "frame/logs.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
bool g_outOfMemory = false; // the message and the write-back happen once per run
T_OutOfMemoryHook g_hook = nullptr;
char g_lastFailure[160] = "";

// The orderly end: once per run the message, the write-back of the safe and the
// log line; every time the quit message.
void OutOfMemory(const char *code, const char *logText) {
    snprintf(g_lastFailure, sizeof g_lastFailure, "%s", logText);
    if (!g_outOfMemory) {
        g_outOfMemory = true;
        UI_MessageBox("error: not enough memory available, program abort!", "Error",
                      UI_MB_OK | UI_MB_ICONSTOP);
        if (g_hook)
            g_hook();
        ML_WriteLog(code, logText, 0);
    }
    UI_PostQuit(0);
}
} // namespace

void T_SetOutOfMemoryHook(T_OutOfMemoryHook hook) { g_hook = hook; }
void T_ResetOutOfMemory() { g_outOfMemory = false; }
const char *T_LastFailureText() { return g_lastFailure; }

void *T_Malloc(const char *tag, size_t size) {
    void *p = PL_AllocZeroed(size + 1);
    if (!p) {
        char text[120];
        snprintf(text, sizeof text, "T_Malloc(%s,%d) malloc failed", tag, static_cast<int>(size));
        OutOfMemory("TO00", text);
        return nullptr;
    }
    TRACE(TRACE_MEMORY, tag, "MALLOC <size=%06d> <pointer=%06x>", static_cast<int>(size), TRACE_PTR(p));
    return p;
}

void *T_Realloc(const char *tag, void *block, size_t oldSize, size_t newSize) {
    void *p = PL_Realloc(block, newSize);
    if (!p) {
        char text[140];
        snprintf(text, sizeof text, "T_Realloc(%s,oldsize=%d,size=%d) realloc failed", tag,
                 static_cast<int>(oldSize), static_cast<int>(newSize));
        OutOfMemory("TO01", text);
        return nullptr;
    }
    if (newSize > oldSize)
        memset(static_cast<char *>(p) + oldSize, 0, newSize - oldSize);
    TRACE(TRACE_MEMORY, tag, "REALLOC <size=%06d> <oldsize=%d> <oldpointer=%06x> <pointer=%06x>",
          static_cast<int>(newSize), static_cast<int>(oldSize), TRACE_PTR(block), TRACE_PTR(p));
    return p;
}

void T_Free(const char *tag, void *block) {
    TRACE(TRACE_MEMORY, tag, "FREE <pointer=%06x>", TRACE_PTR(block));
    PL_Free(block);
}

void T_FreeSecret(const char *tag, void *block, size_t size) {
    if (!block)
        return;
    PL_SecureZero(block, size + 1);
    T_Free(tag, block);
}
