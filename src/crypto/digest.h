// SHA-256 over a file's bytes, read through the seam: how the program tells
// whether a file it wrote or read is still the same.
#pragma once

#include <cstdint>

enum { CY_DIGEST_SIZE = 32 };

// The digest of the whole file at path and its size; 0, or -1 when it cannot be
// read (PL_GetLastError() says why) or the library fails.
[[nodiscard]] int CY_FileDigest(const char *path, uint8_t digest[CY_DIGEST_SIZE], uint64_t *size);
