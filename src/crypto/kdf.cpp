#include "crypto/kdf.h"

#include "crypto/bytequeue.h"
#include "crypto/cipher.h"

#include <gcrypt.h>

#include <cstring>

namespace {
const uint32_t kWriteIterations = 1000000;
const uint32_t kMaxIterations = 10000000;
enum { kEntries = 8 };

struct CacheEntry {
    bool used;
    unsigned long lastUse;
    KDF_PARAMS params;
    uint8_t key[KDF_MAX_KEY];
};

// Everything here is secret and wiped as a whole; it lives in the library's
// secure pool.
struct KdfState {
    uint8_t password[KDF_MAX_PASSWORD]; // the password the cache and the write salt belong to
    size_t passwordLen;
    bool havePassword;
    bool haveSalt;
    uint8_t writeSalt[KDF_WRITE_SALT];
    unsigned long clock;
    CacheEntry entries[kEntries];
};
KdfState *g_state = nullptr;
long g_derivations = 0;
uint32_t g_testWriteIterations = 0;
uint32_t g_testMaxIterations = 0;

bool SamePassword(const uint8_t *password, size_t len) {
    if (!g_state || !g_state->havePassword || len != g_state->passwordLen)
        return false;
    uint8_t diff = 0;
    for (size_t i = 0; i < len; ++i)
        diff |= static_cast<uint8_t>(password[i] ^ g_state->password[i]);
    return diff == 0;
}

bool SameParams(const KDF_PARAMS *a, const KDF_PARAMS *b) {
    return a->saltLen == b->saltLen && memcmp(a->salt, b->salt, a->saltLen) == 0 &&
           a->iterations == b->iterations && a->prf == b->prf && a->keyLen == b->keyLen;
}

// Makes this password the one the cache belongs to; another password's keys and
// salt go. false when there is no memory for the cache (nothing is kept then).
bool AdoptPassword(const uint8_t *password, size_t len) {
    if (SamePassword(password, len))
        return true;
    if (!g_state)
        g_state = static_cast<KdfState *>(gcry_calloc_secure(1, sizeof(KdfState)));
    if (!g_state)
        return false;
    BQ_Wipe(g_state, sizeof *g_state);
    memcpy(g_state->password, password, len);
    g_state->passwordLen = len;
    g_state->havePassword = true;
    return true;
}

int GcryHash(KDF_PRF prf) {
    switch (prf) {
    case KDF_PRF_SHA1: return GCRY_MD_SHA1;
    case KDF_PRF_SHA224: return GCRY_MD_SHA224;
    case KDF_PRF_SHA256: return GCRY_MD_SHA256;
    case KDF_PRF_SHA384: return GCRY_MD_SHA384;
    case KDF_PRF_SHA512: return GCRY_MD_SHA512;
    }
    return GCRY_MD_SHA1;
}
} // namespace

int KDF_Derive(const uint8_t *password, size_t passwordLen, const KDF_PARAMS *params, uint8_t *key) {
    if (passwordLen > KDF_MAX_PASSWORD || params->keyLen == 0 || params->keyLen > KDF_MAX_KEY ||
        params->saltLen == 0 || params->saltLen > KDF_MAX_SALT || params->iterations == 0)
        return -1;
    if (SamePassword(password, passwordLen)) {
        for (CacheEntry &e : g_state->entries) {
            if (e.used && SameParams(&e.params, params)) {
                e.lastUse = ++g_state->clock;
                memcpy(key, e.key, params->keyLen);
                return 0;
            }
        }
    }
    ++g_derivations;
    gcry_error_t err = gcry_kdf_derive(password, passwordLen, GCRY_KDF_PBKDF2, GcryHash(params->prf),
                                       params->salt, params->saltLen, params->iterations,
                                       params->keyLen, key);
    return err ? -1 : 0;
}

void KDF_Remember(const uint8_t *password, size_t passwordLen, const KDF_PARAMS *params,
                  const uint8_t *key) {
    if (passwordLen > KDF_MAX_PASSWORD || params->keyLen > KDF_MAX_KEY || !AdoptPassword(password, passwordLen))
        return;
    CacheEntry *slot = nullptr;
    for (CacheEntry &e : g_state->entries) {
        if (e.used && SameParams(&e.params, params)) {
            slot = &e;
            break;
        }
    }
    if (!slot) {
        for (CacheEntry &e : g_state->entries)
            if (!slot || !e.used || (slot->used && e.lastUse < slot->lastUse))
                slot = &e;
        // The least recently used key goes, wiped.
        BQ_Wipe(slot, sizeof *slot);
    }
    slot->used = true;
    slot->lastUse = ++g_state->clock;
    slot->params = *params;
    memcpy(slot->key, key, params->keyLen);
}

void KDF_WriteSalt(const uint8_t *password, size_t passwordLen, uint8_t salt[KDF_WRITE_SALT]) {
    if (passwordLen > KDF_MAX_PASSWORD || !AdoptPassword(password, passwordLen)) {
        CI_Random(salt, KDF_WRITE_SALT);
        return;
    }
    if (!g_state->haveSalt) {
        CI_Random(g_state->writeSalt, KDF_WRITE_SALT);
        g_state->haveSalt = true;
    }
    memcpy(salt, g_state->writeSalt, KDF_WRITE_SALT);
}

uint32_t KDF_WriteIterations() { return g_testWriteIterations ? g_testWriteIterations : kWriteIterations; }
uint32_t KDF_MaxIterations() { return g_testMaxIterations ? g_testMaxIterations : kMaxIterations; }

void KDF_Wipe() {
    if (g_state)
        BQ_Wipe(g_state, sizeof *g_state);
}

long KDF_DerivationCount() { return g_derivations; }

void KDF_SetTestIterations(uint32_t writeIterations, uint32_t maxReadIterations) {
    g_testWriteIterations = writeIterations;
    g_testMaxIterations = maxReadIterations;
}
