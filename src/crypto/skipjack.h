// Skipjack, the 64-bit block cipher with an 80-bit key (NIST, 1998). libgcrypt
// does not offer it, and envelopes written with CryptAlgo 10 need it.
#pragma once

#include <cstdint>

struct SJ_KEY {
    uint8_t cv[10];
};

void SJ_SetKey(SJ_KEY *key, const uint8_t cv[10]);
void SJ_EncryptBlock(const SJ_KEY *key, const uint8_t in[8], uint8_t out[8]);
void SJ_DecryptBlock(const SJ_KEY *key, const uint8_t in[8], uint8_t out[8]);
