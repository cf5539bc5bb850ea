// Enveloping: the state of one envelope being written and its calls, behind
// cryptCreateEnvelope(CRYPT_FORMAT_CRYPTLIB) and the calls on it.
#pragma once

#include <cstddef>
#include <cstdint>

struct EW_ENVELOPE;

// The calls answer cryptlib's result codes.
int EW_Create(EW_ENVELOPE **envelope);
void EW_Destroy(EW_ENVELOPE *envelope); // wipes keys, password and data
int EW_SetAttribute(EW_ENVELOPE *envelope, int attribute, int value);
int EW_SetPassword(EW_ENVELOPE *envelope, const void *password, int length);
int EW_Push(EW_ENVELOPE *envelope, const uint8_t *data, size_t length, size_t *copied);
int EW_Flush(EW_ENVELOPE *envelope);
int EW_Pop(EW_ENVELOPE *envelope, uint8_t *buffer, size_t length, size_t *copied);
