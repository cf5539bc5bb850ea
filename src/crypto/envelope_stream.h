// Envelopes of unknown length kept in memory or written to an open file, in the
// form file encryption gives a file: indefinite lengths, the cipher of the
// setting CryptAlgo, under the password when NPWYESNO is 1.
#pragma once

#include "platform/platform.h"

#include <cstdint>

enum {
    CY_OPEN_OK = 0,
    CY_OPEN_WRONGPASSWORD = -1, // the envelope needs another password
    CY_OPEN_NOTENVELOPE = -2,   // the bytes are no envelope at all
    CY_OPEN_BADDATA = -3,       // a damaged envelope
    CY_OPEN_NOMEMORY = -4,
};

// Envelopes `length` bytes at data and writes the envelope to `out` (code for
// the file wrapper's log line). 0, or -1 when enveloping or writing failed.
[[nodiscard]] int CY_EnvelopeToFile(const void *data, uint32_t length, const char *password, int NPWYESNO, PL_HANDLE out,
                      const char *code);

// Opens an envelope held in memory. A password that is not empty says the data
// was enveloped under it: an envelope that does not ask for it is damaged. On
// CY_OPEN_OK *plain is a new block from the tagged allocator (zero-terminated,
// wipe before freeing) of *plainLength bytes.
[[nodiscard]] int CY_OpenEnvelope(const void *envelope, uint32_t length, const char *password, char **plain, uint32_t *plainLength);
