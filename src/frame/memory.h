// The tagged allocator. Every block is zero-filled and one byte longer than
// asked, so a text of n characters kept in a block of n is always terminated.
// Running out of memory ends the program in order: a message once, the open
// safe written back, a log line, and the quit message.
#pragma once

#include <cstddef>

void *T_Malloc(const char *tag, size_t size);
void *T_Realloc(const char *tag, void *block, size_t oldSize, size_t newSize);
void T_Free(const char *tag, void *block);
// Wipes a secret and frees it (size is what was asked of T_Malloc).
void T_FreeSecret(const char *tag, void *block, size_t size);

// The safe store installs the write-back of the open safe here.
typedef void (*T_OutOfMemoryHook)();
void T_SetOutOfMemoryHook(T_OutOfMemoryHook hook);
// The log text of the last allocation that failed ("" before any did).
const char *T_LastFailureText();
// For tests: forget that memory already ran out once in this run.
void T_ResetOutOfMemory();
