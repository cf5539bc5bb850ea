#include "crypto/pwri.h"

#include "crypto/bytequeue.h"
#include "crypto/oids.h"

#include <cstring>

namespace {
struct PrfOid {
    const uint8_t *oid;
    size_t len;
    KDF_PRF prf;
};
const PrfOid kPrfs[] = {
    {OID_HMAC_SHA1, sizeof OID_HMAC_SHA1, KDF_PRF_SHA1},
    {OID_HMAC_SHA224, sizeof OID_HMAC_SHA224, KDF_PRF_SHA224},
    {OID_HMAC_SHA256, sizeof OID_HMAC_SHA256, KDF_PRF_SHA256},
    {OID_HMAC_SHA384, sizeof OID_HMAC_SHA384, KDF_PRF_SHA384},
    {OID_HMAC_SHA512, sizeof OID_HMAC_SHA512, KDF_PRF_SHA512},
};

// PBKDF2-params ::= SEQUENCE { salt OCTET STRING, iterationCount INTEGER,
//                              keyLength INTEGER OPTIONAL, prf AlgorithmIdentifier DEFAULT hmacWithSHA1 }
void WritePbkdf2Params(ASN_OUT *out, const KDF_PARAMS *kdf) {
    uint8_t buf[160];
    ASN_OUT body;
    ASN_Init(&body, buf, sizeof buf);
    ASN_Tlv(&body, ASN_OCTETSTRING, kdf->salt, kdf->saltLen);
    ASN_Integer(&body, kdf->iterations);
    ASN_Integer(&body, kdf->keyLen);
    if (kdf->prf != KDF_PRF_SHA1) {
        for (const PrfOid &p : kPrfs) {
            if (p.prf == kdf->prf) {
                ASN_Header(&body, ASN_SEQUENCE, ASN_HeaderSize(p.len) + p.len + 2);
                ASN_Tlv(&body, ASN_OID, p.oid, p.len);
                ASN_Tlv(&body, ASN_NULL, nullptr, 0);
            }
        }
    }
    if (body.overflow)
        out->overflow = true;
    ASN_Tlv(out, ASN_SEQUENCE, buf, body.len);
}

int ReadPbkdf2(const ASN_ELEM *alg, const CI_INFO *kek, bool legacy, KDF_PARAMS *kdf) {
    ASN_IN in, params;
    ASN_ELEM oid, seq, salt, iter, e;
    uint64_t value = 0;
    if (!ASN_Enter(alg, &in) || !ASN_Next(&in, &oid) || !ASN_IsOid(&oid, OID_PBKDF2, sizeof OID_PBKDF2) ||
        !ASN_Next(&in, &seq) || seq.tag != ASN_SEQUENCE || !ASN_AtEnd(&in) || !ASN_Enter(&seq, &params))
        return -1;
    // The salt may in principle come from elsewhere (an AlgorithmIdentifier): nobody writes that.
    if (!ASN_NextIf(&params, ASN_OCTETSTRING, &salt) || salt.len == 0 || salt.len > KDF_MAX_SALT)
        return -1;
    memcpy(kdf->salt, salt.value, salt.len);
    kdf->saltLen = salt.len;
    if (!ASN_NextIf(&params, ASN_INTEGER, &iter) || !ASN_GetUnsigned(&iter, &value) || value == 0 ||
        value > KDF_MaxIterations())
        return -1;
    kdf->iterations = static_cast<uint32_t>(value);
    kdf->keyLen = legacy ? kek->kekLegacy : kek->kekDefault;
    kdf->prf = KDF_PRF_SHA1;
    if (ASN_NextIf(&params, ASN_INTEGER, &e)) {
        if (!ASN_GetUnsigned(&e, &value) || !CI_KeyLengthValid(kek, value) || value > KDF_MAX_KEY)
            return -1;
        kdf->keyLen = static_cast<size_t>(value);
    }
    if (ASN_NextIf(&params, ASN_SEQUENCE, &e)) {
        ASN_IN prfIn;
        ASN_ELEM prfOid, prfParam;
        ASN_Enter(&e, &prfIn);
        if (!ASN_Next(&prfIn, &prfOid) || prfOid.tag != ASN_OID)
            return -1;
        if (ASN_Next(&prfIn, &prfParam) && (prfParam.tag != ASN_NULL || prfParam.len != 0))
            return -1;
        if (!ASN_AtEnd(&prfIn))
            return -1;
        bool known = false;
        for (const PrfOid &p : kPrfs) {
            if (ASN_IsOid(&prfOid, p.oid, p.len)) {
                kdf->prf = p.prf;
                known = true;
            }
        }
        if (!known)
            return -1;
    }
    return ASN_AtEnd(&params) ? 0 : -1;
}
} // namespace

void PWRI_Write(ASN_OUT *out, const PWRI_RECIPIENT *r) {
    uint8_t buf[PWRI_MAX_WRAPPED + 400];
    ASN_OUT body;
    ASN_Init(&body, buf, sizeof buf);
    ASN_Integer(&body, 0);

    // keyDerivationAlgorithm [0] IMPLICIT AlgorithmIdentifier
    uint8_t kdBuf[200];
    ASN_OUT kd;
    ASN_Init(&kd, kdBuf, sizeof kdBuf);
    ASN_Tlv(&kd, ASN_OID, OID_PBKDF2, sizeof OID_PBKDF2);
    WritePbkdf2Params(&kd, &r->kdf);
    ASN_Tlv(&body, ASN_CONTEXT | ASN_CONSTRUCTED | 0, kdBuf, kd.len);

    // keyEncryptionAlgorithm: id-alg-PWRI-KEK with the cipher's AlgorithmIdentifier as parameter
    uint8_t keBuf[120];
    ASN_OUT ke;
    ASN_Init(&ke, keBuf, sizeof keBuf);
    ASN_Tlv(&ke, ASN_OID, OID_PWRI_KEK, sizeof OID_PWRI_KEK);
    CI_WriteAlgorithm(&ke, r->kek, r->kekIv);
    ASN_Tlv(&body, ASN_SEQUENCE, keBuf, ke.len);

    ASN_Tlv(&body, ASN_OCTETSTRING, r->wrapped, r->wrappedLen);
    if (body.overflow || kd.overflow || ke.overflow)
        out->overflow = true;
    ASN_Tlv(out, ASN_CONTEXT | ASN_CONSTRUCTED | 3, buf, body.len);
}

int PWRI_Read(const ASN_ELEM *element, bool legacy, PWRI_RECIPIENT *r) {
    memset(r, 0, sizeof *r);
    ASN_IN in, keIn;
    ASN_ELEM version, kdAlg, keAlg, keOid, keInner, wrapped;
    if (!ASN_Enter(element, &in) || !ASN_NextIf(&in, ASN_INTEGER, &version))
        return -1;
    // Without keyDerivationAlgorithm the key-encryption key is not from a password.
    if (!ASN_NextIf(&in, ASN_CONTEXT | ASN_CONSTRUCTED | 0, &kdAlg))
        return -1;
    if (!ASN_NextIf(&in, ASN_SEQUENCE, &keAlg) || !ASN_Enter(&keAlg, &keIn) || !ASN_Next(&keIn, &keOid))
        return -1;
    if (ASN_IsOid(&keOid, OID_PWRI_KEK, sizeof OID_PWRI_KEK)) {
        if (!ASN_Next(&keIn, &keInner) || !ASN_AtEnd(&keIn) ||
            CI_ReadAlgorithm(&keInner, &r->kek, r->kekIv) != 0)
            return -1;
    } else if (CI_ReadAlgorithm(&keAlg, &r->kek, r->kekIv) != 0) {
        return -1;
    }
    if (ReadPbkdf2(&kdAlg, r->kek, legacy, &r->kdf) != 0)
        return -1;
    if (!ASN_NextIf(&in, ASN_OCTETSTRING, &wrapped) || !ASN_AtEnd(&in))
        return -1;
    size_t bs = r->kek->blockSize;
    if (wrapped.len < 2 * bs || wrapped.len % bs || wrapped.len > PWRI_MAX_WRAPPED)
        return -1;
    memcpy(r->wrapped, wrapped.value, wrapped.len);
    r->wrappedLen = wrapped.len;
    return 0;
}

int PWRI_Wrap(const CI_INFO *kek, const uint8_t *kekKey, size_t kekLen, const uint8_t *iv,
              const uint8_t *cek, size_t cekLen, uint8_t *out, size_t *outLen) {
    size_t bs = kek->blockSize;
    if (cekLen < 3 || cekLen > 255)
        return -1;
    size_t n = (cekLen + 4 + bs - 1) / bs * bs;
    if (n < 2 * bs)
        n = 2 * bs;
    if (n > PWRI_MAX_WRAPPED)
        return -1;
    out[0] = static_cast<uint8_t>(cekLen);
    out[1] = static_cast<uint8_t>(~cek[0]);
    out[2] = static_cast<uint8_t>(~cek[1]);
    out[3] = static_cast<uint8_t>(~cek[2]);
    memcpy(out + 4, cek, cekLen);
    if (n > cekLen + 4)
        CI_Random(out + 4 + cekLen, n - 4 - cekLen);
    CI_CBC c;
    if (CI_Open(&c, kek, kekKey, kekLen, iv) != 0)
        return -1;
    // Twice: the second pass chains on from the last block of the first.
    int rc = CI_Encrypt(&c, out, n) == 0 && CI_Encrypt(&c, out, n) == 0 ? 0 : -1;
    CI_Close(&c);
    *outLen = n;
    return rc;
}

int PWRI_Unwrap(const CI_INFO *kek, const uint8_t *kekKey, size_t kekLen, const uint8_t *iv,
                const uint8_t *in, size_t inLen, uint8_t *cek, size_t cekSize, size_t *cekLen) {
    size_t bs = kek->blockSize;
    if (inLen < 2 * bs || inLen % bs || inLen > PWRI_MAX_WRAPPED)
        return -1;
    uint8_t tmp[PWRI_MAX_WRAPPED];
    uint8_t outerIv[CI_MAX_BLOCK];
    CI_CBC c;
    // The last block, decrypted with the one before it as IV, is the IV of the outer pass.
    if (CI_Open(&c, kek, kekKey, kekLen, in + inLen - 2 * bs) != 0)
        return -1;
    memcpy(outerIv, in + inLen - bs, bs);
    int rc = -1;
    if (CI_Decrypt(&c, outerIv, bs) == 0 && CI_SetIv(&c, outerIv) == 0) {
        memcpy(tmp, in, inLen);
        if (CI_Decrypt(&c, tmp, inLen) == 0 && CI_SetIv(&c, iv) == 0 && CI_Decrypt(&c, tmp, inLen) == 0)
            rc = 0;
    }
    CI_Close(&c);
    if (rc == 0) {
        size_t len = tmp[0];
        bool checkOk = ((tmp[1] ^ tmp[4]) & (tmp[2] ^ tmp[5]) & (tmp[3] ^ tmp[6])) == 0xFF;
        if (!checkOk || len < 3 || len + 4 > inLen) {
            rc = 1;
        } else if (len > cekSize) {
            rc = -1; // a key no cipher takes, made to run past the room for it
        } else {
            memcpy(cek, tmp + 4, len);
            *cekLen = len;
        }
    }
    BQ_Wipe(tmp, sizeof tmp);
    BQ_Wipe(outerIv, sizeof outerIv);
    return rc;
}
