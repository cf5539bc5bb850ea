// Password recipients (RFC 3211): the PasswordRecipientInfo an envelope carries
// and the wrapping of the content key under the key-encryption key derived from
// the password.
#pragma once

#include "crypto/asn1.h"
#include "crypto/cipher.h"
#include "crypto/kdf.h"

#include <cstddef>
#include <cstdint>

enum { PWRI_MAX_WRAPPED = 512 };

struct PWRI_RECIPIENT {
    KDF_PARAMS kdf; // keyLen as the envelope states it, or the cipher's default
    const CI_INFO *kek;
    uint8_t kekIv[CI_MAX_BLOCK];
    uint8_t wrapped[PWRI_MAX_WRAPPED];
    size_t wrappedLen;
};

// Writes pwri [3] IMPLICIT PasswordRecipientInfo: PBKDF2 with these parameters,
// id-alg-PWRI-KEK over the cipher kek with kekIv, the wrapped key.
void PWRI_Write(ASN_OUT *out, const PWRI_RECIPIENT *r);
// Reads the [3] element. legacy: the envelope is cryptlib's own version 0, whose
// key-encryption keys are the cipher's largest when the derivation does not say.
// Accepts hmacWithSHA1 (implied or named) to hmacWithSHA512, the key-encryption
// algorithm inside id-alg-PWRI-KEK or on its own (older envelopes).
// 0 or -1 (malformed, unsupported, iterations beyond the limit).
[[nodiscard]] int PWRI_Read(const ASN_ELEM *element, bool legacy, PWRI_RECIPIENT *r);

// Wraps cek (3..255 bytes) under kek; out gets at least two blocks. 0 or -1.
[[nodiscard]] int PWRI_Wrap(const CI_INFO *kek, const uint8_t *kekKey, size_t kekLen, const uint8_t *iv,
              const uint8_t *cek, size_t cekLen, uint8_t *out, size_t *outLen);
// Unwraps into cek, which has room for cekSize bytes; 0, 1 when the check bytes
// or the length do not hold (a wrong password), -1 for a malformed wrapped key,
// a key longer than cekSize (nothing is copied) or a library failure.
[[nodiscard]] int PWRI_Unwrap(const CI_INFO *kek, const uint8_t *kekKey, size_t kekLen, const uint8_t *iv,
                const uint8_t *in, size_t inLen, uint8_t *cek, size_t cekSize, size_t *cekLen);
