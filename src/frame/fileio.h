// Write-all and read-all over the seam's file handles. A failure is logged with
// the caller's 4-character code as "PGM-Source"; callers decide what the user sees.
#pragma once

#include "platform/platform.h"

#include <cstdint>

[[nodiscard]] int T_WriteFile(const char *code, PL_HANDLE h, const void *data, uint32_t length);
[[nodiscard]] int T_ReadFile(const char *code, PL_HANDLE h, void *buffer, uint32_t length);
// The log line of a read that could not deliver `length` bytes.
void T_LogReadError(const char *code, uint32_t length);
// Size in bytes (low 32 bits) of the file at path, 0 when it cannot be opened.
uint32_t T_GetFileSize(const char *path);
