#include "crypto/cipher.h"

#include "crypto/bytequeue.h"
#include "crypto/oids.h"

#include <gcrypt.h>

#include <cstring>

namespace {
const unsigned kSecurePool = 32768;

#define OID(x) x, sizeof x
// Key lengths we write: the cipher's largest for the content; for the
// key-encryption key what OpenSSL derives for the cipher (it refuses a PBKDF2
// key length other than its default, 16 bytes for Blowfish).
const CI_INFO kCiphers[] = {
    {"AES-256", 8, OID(OID_AES256_CBC), GCRY_CIPHER_AES256, 16, 32, 32, 32, 32, 32, 32, CI_PARAMS_IV},
    {"AES-192", 0, OID(OID_AES192_CBC), GCRY_CIPHER_AES192, 16, 24, 24, 24, 24, 0, 0, CI_PARAMS_IV},
    {"AES-128", 0, OID(OID_AES128_CBC), GCRY_CIPHER_AES128, 16, 16, 16, 16, 16, 0, 0, CI_PARAMS_IV},
    {"Blowfish", 9, OID(OID_BLOWFISH_CBC), GCRY_CIPHER_BLOWFISH, 8, 5, 56, 16, 32, 32, 16, CI_PARAMS_IV},
    {"Blowfish", 0, OID(OID_BLOWFISH_CBC_OLD), GCRY_CIPHER_BLOWFISH, 8, 5, 56, 32, 32, 0, 0, CI_PARAMS_IV},
    {"CAST5", 4, OID(OID_CAST5_CBC), GCRY_CIPHER_CAST5, 8, 16, 16, 16, 16, 16, 16, CI_PARAMS_IV},
    {"Skipjack", 10, OID(OID_SKIPJACK_CBC), 0, 8, 10, 10, 10, 10, 10, 10, CI_PARAMS_SEQ_IV},
    {"3DES", 0, OID(OID_DES_EDE3_CBC), GCRY_CIPHER_3DES, 8, 24, 24, 24, 24, 0, 0, CI_PARAMS_IV},
};
#undef OID
} // namespace

int CI_InitLibrary() {
    if (gcry_control(GCRYCTL_INITIALIZATION_FINISHED_P))
        return 0;
    if (!gcry_check_version(GCRYPT_VERSION))
        return -1;
    // Cipher contexts and cached keys live in libgcrypt's secure pool: wiped when
    // freed, and kept out of the swap file where the system lets us lock memory.
    // Where it does not, the pool still works; that is no reason for a warning.
    gcry_control(GCRYCTL_DISABLE_SECMEM_WARN);
    gcry_control(GCRYCTL_INIT_SECMEM, kSecurePool, 0);
    gcry_control(GCRYCTL_AUTO_EXPAND_SECMEM, kSecurePool);
    gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    return 0;
}

void *CI_SecureBlock(size_t size) {
    if (CI_InitLibrary() != 0)
        return nullptr;
    return gcry_calloc_secure(1, size);
}

const CI_INFO *CI_ForWriting(int cryptAlgo) {
    for (const CI_INFO &c : kCiphers)
        if (c.cryptAlgo == cryptAlgo && c.writeKeyLen)
            return &c;
    return nullptr;
}

const CI_INFO *CI_ByOid(const uint8_t *oid, size_t oidLen) {
    for (const CI_INFO &c : kCiphers)
        if (c.oidLen == oidLen && memcmp(c.oid, oid, oidLen) == 0)
            return &c;
    return nullptr;
}

bool CI_KeyLengthValid(const CI_INFO *info, size_t keyLen) {
    return keyLen >= info->keyMin && keyLen <= info->keyMax;
}

void CI_WriteAlgorithm(ASN_OUT *out, const CI_INFO *info, const uint8_t *iv) {
    size_t ivTlv = ASN_HeaderSize(info->blockSize) + info->blockSize;
    size_t params = info->writeParams == CI_PARAMS_SEQ_IV ? ASN_HeaderSize(ivTlv) + ivTlv : ivTlv;
    size_t oidTlv = ASN_HeaderSize(info->oidLen) + info->oidLen;
    ASN_Header(out, ASN_SEQUENCE, oidTlv + params);
    ASN_Tlv(out, ASN_OID, info->oid, info->oidLen);
    if (info->writeParams == CI_PARAMS_SEQ_IV)
        ASN_Header(out, ASN_SEQUENCE, ivTlv);
    ASN_Tlv(out, ASN_OCTETSTRING, iv, info->blockSize);
}

int CI_ReadAlgorithm(const ASN_ELEM *algId, const CI_INFO **info, uint8_t iv[CI_MAX_BLOCK]) {
    ASN_IN in, seq;
    ASN_ELEM oid, params, ivElem;
    if (algId->tag != ASN_SEQUENCE || !ASN_Enter(algId, &in) || !ASN_Next(&in, &oid) || oid.tag != ASN_OID)
        return -1;
    const CI_INFO *c = CI_ByOid(oid.value, oid.len);
    if (!c || !ASN_Next(&in, &params) || !ASN_AtEnd(&in))
        return -1;
    if (params.tag == ASN_OCTETSTRING) {
        ivElem = params;
    } else if (params.tag == ASN_SEQUENCE && c->blockSize == 8) {
        ASN_Enter(&params, &seq);
        if (!ASN_NextIf(&seq, ASN_OCTETSTRING, &ivElem)) {
            // RFC 2144's IV defaults to zeros.
            static const uint8_t zeros[8] = {0};
            ivElem.tag = ASN_OCTETSTRING;
            ivElem.value = zeros;
            ivElem.len = 8;
        }
        ASN_ELEM keyLength;
        uint64_t bits = 0;
        if (ASN_NextIf(&seq, ASN_INTEGER, &keyLength) && !ASN_GetUnsigned(&keyLength, &bits))
            return -1;
        if (!ASN_AtEnd(&seq))
            return -1;
    } else {
        return -1;
    }
    if (ivElem.len != c->blockSize)
        return -1;
    memcpy(iv, ivElem.value, c->blockSize);
    *info = c;
    return 0;
}

int CI_Open(CI_CBC *c, const CI_INFO *info, const uint8_t *key, size_t keyLen, const uint8_t *iv) {
    memset(c, 0, sizeof *c);
    if (!CI_KeyLengthValid(info, keyLen))
        return -1;
    c->info = info;
    if (info->gcryAlgo == 0) {
        SJ_SetKey(&c->sj, key);
        memcpy(c->iv, iv, info->blockSize);
        return 0;
    }
    gcry_cipher_hd_t h = nullptr;
    if (gcry_cipher_open(&h, info->gcryAlgo, GCRY_CIPHER_MODE_CBC, GCRY_CIPHER_SECURE))
        return -1;
    // A weak key is still used: Blowfish calls about one random key in 33,000
    // weak, 3DES the few of old envelopes, and the library would leave either unset.
    gcry_cipher_ctl(h, GCRYCTL_SET_ALLOW_WEAK_KEY, nullptr, 1);
    gcry_error_t err = gcry_cipher_setkey(h, key, keyLen);
    if (err && gcry_err_code(err) != GPG_ERR_WEAK_KEY) {
        gcry_cipher_close(h);
        return -1;
    }
    if (gcry_cipher_setiv(h, iv, info->blockSize)) {
        gcry_cipher_close(h);
        return -1;
    }
    c->gcry = h;
    return 0;
}

int CI_SetIv(CI_CBC *c, const uint8_t *iv) {
    if (!c->info)
        return -1;
    if (c->gcry)
        return gcry_cipher_setiv(static_cast<gcry_cipher_hd_t>(c->gcry), iv, c->info->blockSize) ? -1 : 0;
    memcpy(c->iv, iv, c->info->blockSize);
    return 0;
}

int CI_Encrypt(CI_CBC *c, uint8_t *buf, size_t len) {
    if (!c->info || len % c->info->blockSize)
        return -1;
    if (c->gcry)
        return gcry_cipher_encrypt(static_cast<gcry_cipher_hd_t>(c->gcry), buf, len, nullptr, 0) ? -1 : 0;
    for (size_t i = 0; i < len; i += 8) {
        for (int j = 0; j < 8; ++j)
            buf[i + j] ^= c->iv[j];
        SJ_EncryptBlock(&c->sj, buf + i, buf + i);
        memcpy(c->iv, buf + i, 8);
    }
    return 0;
}

int CI_EncryptTo(CI_CBC *c, uint8_t *dst, const uint8_t *src, size_t len) {
    if (!c->info || len % c->info->blockSize)
        return -1;
    if (c->gcry)
        return gcry_cipher_encrypt(static_cast<gcry_cipher_hd_t>(c->gcry), dst, len, src, len) ? -1 : 0;
    memcpy(dst, src, len);
    return CI_Encrypt(c, dst, len);
}

int CI_Decrypt(CI_CBC *c, uint8_t *buf, size_t len) {
    if (!c->info || len % c->info->blockSize)
        return -1;
    if (c->gcry)
        return gcry_cipher_decrypt(static_cast<gcry_cipher_hd_t>(c->gcry), buf, len, nullptr, 0) ? -1 : 0;
    uint8_t next[8];
    for (size_t i = 0; i < len; i += 8) {
        memcpy(next, buf + i, 8);
        SJ_DecryptBlock(&c->sj, buf + i, buf + i);
        for (int j = 0; j < 8; ++j)
            buf[i + j] ^= c->iv[j];
        memcpy(c->iv, next, 8);
    }
    return 0;
}

void CI_Close(CI_CBC *c) {
    if (c->gcry)
        gcry_cipher_close(static_cast<gcry_cipher_hd_t>(c->gcry)); // libgcrypt wipes its context
    BQ_Wipe(c, sizeof *c);
}

void CI_Random(void *buf, size_t len) { gcry_randomize(buf, len, GCRY_STRONG_RANDOM); }
