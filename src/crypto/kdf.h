// PBKDF2 for password recipients, with the cache that keeps one safe's many
// envelopes at one derivation. The cache holds the key-encryption keys of one
// password only (the last one proven right, or written with); a different
// password wipes it. Keys enter the cache only once they have unwrapped a
// content key or were used to write one, so a mistyped password costs one
// derivation and leaves nothing behind.
#pragma once

#include <cstddef>
#include <cstdint>

enum KDF_PRF { KDF_PRF_SHA1, KDF_PRF_SHA224, KDF_PRF_SHA256, KDF_PRF_SHA384, KDF_PRF_SHA512 };

enum {
    KDF_MAX_SALT = 64,
    KDF_MAX_KEY = 64,
    KDF_MAX_PASSWORD = 255,
    KDF_WRITE_SALT = 16,
};

struct KDF_PARAMS {
    uint8_t salt[KDF_MAX_SALT];
    size_t saltLen;
    uint32_t iterations;
    KDF_PRF prf;
    size_t keyLen;
};

// The key for these parameters: from the cache, or derived (and counted).
// 0 or -1 (a library failure).
[[nodiscard]] int KDF_Derive(const uint8_t *password, size_t passwordLen, const KDF_PARAMS *params, uint8_t *key);
// Keeps a key that proved right for this password and these parameters.
void KDF_Remember(const uint8_t *password, size_t passwordLen, const KDF_PARAMS *params,
                  const uint8_t *key);
// The salt the envelopes written in this run under this password share.
void KDF_WriteSalt(const uint8_t *password, size_t passwordLen, uint8_t salt[KDF_WRITE_SALT]);
// Iterations for envelopes we write (1,000,000), and the most a reader accepts (10,000,000).
uint32_t KDF_WriteIterations();
uint32_t KDF_MaxIterations();
// Wipes every cached key, password and the write salt (cryptEnd).
void KDF_Wipe();

// How many derivations ran since the program started (tests and benchmarks).
long KDF_DerivationCount();
// For tests and the fuzzer only: other iteration counts for writing and for the
// most a reader accepts; 0 restores the real ones.
void KDF_SetTestIterations(uint32_t writeIterations, uint32_t maxReadIterations);
