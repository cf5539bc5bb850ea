// De-enveloping: the state of one envelope being opened and its calls, behind
// cryptCreateEnvelope(CRYPT_FORMAT_AUTO) and the calls on it. The bytes are
// parsed as they come, the content decrypted as it streams past; only the
// header elements (at most 16 KiB each) are ever waited for whole.
#pragma once

#include <cstddef>
#include <cstdint>

struct ER_ENVELOPE;

// The calls answer cryptlib's result codes.
int ER_Create(ER_ENVELOPE **envelope);
void ER_Destroy(ER_ENVELOPE *envelope); // wipes keys, password and data
int ER_SetAttribute(ER_ENVELOPE *envelope, int attribute, int value);
int ER_SetPassword(ER_ENVELOPE *envelope, const void *password, int length);
int ER_Push(ER_ENVELOPE *envelope, const uint8_t *data, size_t length, size_t *copied);
int ER_Flush(ER_ENVELOPE *envelope);
int ER_Pop(ER_ENVELOPE *envelope, uint8_t *buffer, size_t length, size_t *copied);
