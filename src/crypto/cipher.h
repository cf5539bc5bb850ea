// The block ciphers an envelope may name, and CBC over them: libgcrypt for all
// but Skipjack, which is our own.
#pragma once

#include "crypto/asn1.h"
#include "crypto/skipjack.h"

#include <cstddef>
#include <cstdint>

// How an AlgorithmIdentifier carries the IV.
enum CI_PARAMFORM {
    CI_PARAMS_IV,     // the IV as an OCTET STRING
    CI_PARAMS_SEQ_IV, // SEQUENCE { iv OCTET STRING }
};

struct CI_INFO {
    const char *name;
    int cryptAlgo; // the cryptlib algorithm number
    const uint8_t *oid;
    size_t oidLen;
    int gcryAlgo; // 0: Skipjack
    size_t blockSize;
    size_t keyMin, keyMax; // key lengths it accepts
    size_t kekDefault;     // key-encryption key length when the derivation does not say
    size_t kekLegacy;      // the same in cryptlib's own envelopes (version 0): the largest key
    size_t writeKeyLen;    // content key length when we write it
    size_t writeKekLen;    // key-encryption key length when we write it
    CI_PARAMFORM writeParams;
};

enum { CI_MAX_BLOCK = 16, CI_MAX_KEY = 64 };

// Initialises libgcrypt once per process, with its secure memory pool for keys; 0 or -1.
int CI_InitLibrary();
// A zeroed block of the secure pool, kept for the life of the process (the
// open safe's password lives there); nullptr when the pool cannot give one.
void *CI_SecureBlock(size_t size);

// The cipher we write for a cryptlib algorithm number (4, 8, 9, 10); nullptr for others.
const CI_INFO *CI_ForWriting(int cryptAlgo);
// The cipher an object identifier names; nullptr when unknown.
const CI_INFO *CI_ByOid(const uint8_t *oid, size_t oidLen);
bool CI_KeyLengthValid(const CI_INFO *info, size_t keyLen);

// Writes AlgorithmIdentifier { oid, parameters } with this IV.
void CI_WriteAlgorithm(ASN_OUT *out, const CI_INFO *info, const uint8_t *iv);
// Reads an AlgorithmIdentifier of a block cipher in CBC mode: the cipher and its
// IV. The parameters may be the bare IV or SEQUENCE { iv [, keyLength] } (CAST5
// as RFC 2144 has it; keyLength is then ignored, the key's own length counts).
// 0 or -1 (unknown cipher, malformed, IV of the wrong size).
int CI_ReadAlgorithm(const ASN_ELEM *algId, const CI_INFO **info, uint8_t iv[CI_MAX_BLOCK]);

// CBC in one direction. Calls on a context continue the chain.
struct CI_CBC {
    const CI_INFO *info;
    void *gcry; // gcry_cipher_hd_t
    SJ_KEY sj;
    uint8_t iv[CI_MAX_BLOCK];
};
// 0, or -1 for a key length the cipher does not take or a library failure.
[[nodiscard]] int CI_Open(CI_CBC *c, const CI_INFO *info, const uint8_t *key, size_t keyLen, const uint8_t *iv);
// Back to the start of the chain with this IV.
[[nodiscard]] int CI_SetIv(CI_CBC *c, const uint8_t *iv);
// In place; len a multiple of the block size. 0 or -1.
[[nodiscard]] int CI_Encrypt(CI_CBC *c, uint8_t *buf, size_t len);
// From src to dst (which do not overlap): saves the copy before an in-place call.
[[nodiscard]] int CI_EncryptTo(CI_CBC *c, uint8_t *dst, const uint8_t *src, size_t len);
[[nodiscard]] int CI_Decrypt(CI_CBC *c, uint8_t *buf, size_t len);
void CI_Close(CI_CBC *c);

// Fills buf with random bytes from the strong generator.
void CI_Random(void *buf, size_t len);
