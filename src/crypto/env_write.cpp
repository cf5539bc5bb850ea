#include "crypto/env_write.h"

#include "crypto/asn1.h"
#include "crypto/bytequeue.h"
#include "crypto/cipher.h"
#include "crypto/crypt_codes.h"
#include "crypto/kdf.h"
#include "crypto/oids.h"
#include "crypto/pwri.h"
#include "platform/platform.h"

#include <cstring>

struct EW_ENVELOPE {
    int algo;
    uint8_t password[KDF_MAX_PASSWORD];
    size_t passwordLen; // 0: no password, the data is only wrapped
    int64_t dataSize;   // -1: not announced, written with indefinite lengths
    size_t bufferSize;  // 0: not set, every push is taken whole
    bool started;
    bool flushed;
    int failed; // a memory or library failure sticks
    uint64_t pushed;
    BQ_QUEUE out;
    const CI_INFO *cipher; // nullptr without a password
    CI_CBC cbc;
    uint8_t partial[CI_MAX_BLOCK]; // plain bytes short of a whole block
    size_t partialLen;
};

namespace {
const size_t kMinBuffer = 1024;
const size_t kMaxBuffer = size_t(1) << 30;
const size_t kOidTlv = 2 + sizeof OID_DATA; // both ContentInfo types are 9-byte identifiers

bool Definite(const EW_ENVELOPE *e) { return e->dataSize >= 0; }

int Emit(EW_ENVELOPE *e, const void *data, size_t n) {
    if (BQ_Append(&e->out, data, n) != 0)
        return e->failed = CRYPT_ERROR_MEMORY;
    return CRYPT_OK;
}

// ContentInfo(data) [0] OCTET STRING: with a known size one primitive string,
// otherwise a constructed one of segments.
int StartData(EW_ENVELOPE *e) {
    uint8_t buf[64];
    ASN_OUT o;
    ASN_Init(&o, buf, sizeof buf);
    if (Definite(e)) {
        uint64_t n = static_cast<uint64_t>(e->dataSize);
        uint64_t octets = ASN_HeaderSize(n) + n;        // the OCTET STRING
        uint64_t explicitTlv = ASN_HeaderSize(octets) + octets; // [0] around it
        ASN_Header(&o, ASN_SEQUENCE, kOidTlv + explicitTlv);
        ASN_Tlv(&o, ASN_OID, OID_DATA, sizeof OID_DATA);
        ASN_Header(&o, ASN_CONTEXT | ASN_CONSTRUCTED | 0, octets);
        ASN_Header(&o, ASN_OCTETSTRING, n);
    } else {
        ASN_IndefHeader(&o, ASN_SEQUENCE);
        ASN_Tlv(&o, ASN_OID, OID_DATA, sizeof OID_DATA);
        ASN_IndefHeader(&o, ASN_CONTEXT | ASN_CONSTRUCTED | 0);
        ASN_IndefHeader(&o, ASN_OCTETSTRING | ASN_CONSTRUCTED);
    }
    return Emit(e, buf, o.len);
}

// ContentInfo(envelopedData) up to the first byte of the encrypted content.
int StartEnveloped(EW_ENVELOPE *e) {
    const CI_INFO *c = CI_ForWriting(e->algo);
    size_t bs = c->blockSize;
    uint8_t cek[CI_MAX_KEY], kek[KDF_MAX_KEY], contentIv[CI_MAX_BLOCK];
    PWRI_RECIPIENT r;
    memset(&r, 0, sizeof r);
    CI_Random(cek, c->writeKeyLen);
    CI_Random(contentIv, bs);
    CI_Random(r.kekIv, bs);
    r.kek = c;
    KDF_WriteSalt(e->password, e->passwordLen, r.kdf.salt);
    r.kdf.saltLen = KDF_WRITE_SALT;
    r.kdf.iterations = KDF_WriteIterations();
    r.kdf.prf = KDF_PRF_SHA256;
    r.kdf.keyLen = c->writeKekLen;

    int rc = CRYPT_ERROR_FAILED;
    if (KDF_Derive(e->password, e->passwordLen, &r.kdf, kek) == 0) {
        KDF_Remember(e->password, e->passwordLen, &r.kdf, kek);
        if (PWRI_Wrap(c, kek, c->writeKekLen, r.kekIv, cek, c->writeKeyLen, r.wrapped, &r.wrappedLen) == 0 &&
            CI_Open(&e->cbc, c, cek, c->writeKeyLen, contentIv) == 0)
            rc = CRYPT_OK;
    }
    BQ_Wipe(cek, sizeof cek);
    BQ_Wipe(kek, sizeof kek);
    if (rc != CRYPT_OK)
        return e->failed = rc;
    e->cipher = c;
    e->out.ciphertext = true; // from here on the output holds nothing to wipe

    // version and recipientInfos
    uint8_t edBuf[PWRI_MAX_WRAPPED + 512], riBuf[PWRI_MAX_WRAPPED + 400];
    ASN_OUT ed, ri;
    ASN_Init(&ri, riBuf, sizeof riBuf);
    PWRI_Write(&ri, &r);
    ASN_Init(&ed, edBuf, sizeof edBuf);
    ASN_Integer(&ed, 3);
    ASN_Tlv(&ed, ASN_SET, riBuf, ri.len);
    // EncryptedContentInfo up to its content
    uint8_t eciBuf[128];
    ASN_OUT eci;
    ASN_Init(&eci, eciBuf, sizeof eciBuf);
    ASN_Tlv(&eci, ASN_OID, OID_DATA, sizeof OID_DATA);
    CI_WriteAlgorithm(&eci, c, contentIv);

    uint8_t hdrBuf[PWRI_MAX_WRAPPED + 800];
    ASN_OUT h;
    ASN_Init(&h, hdrBuf, sizeof hdrBuf);
    if (Definite(e)) {
        uint64_t content = (static_cast<uint64_t>(e->dataSize) / bs + 1) * bs;
        uint64_t eciLen = eci.len + ASN_HeaderSize(content) + content;
        uint64_t edLen = ed.len + ASN_HeaderSize(eciLen) + eciLen;
        uint64_t explicitLen = ASN_HeaderSize(edLen) + edLen;
        ASN_Header(&h, ASN_SEQUENCE, kOidTlv + ASN_HeaderSize(explicitLen) + explicitLen);
        ASN_Tlv(&h, ASN_OID, OID_ENVELOPED_DATA, sizeof OID_ENVELOPED_DATA);
        ASN_Header(&h, ASN_CONTEXT | ASN_CONSTRUCTED | 0, explicitLen);
        ASN_Header(&h, ASN_SEQUENCE, edLen);
        ASN_Bytes(&h, edBuf, ed.len);
        ASN_Header(&h, ASN_SEQUENCE, eciLen);
        ASN_Bytes(&h, eciBuf, eci.len);
        ASN_Header(&h, ASN_CONTEXT | 0, content);
    } else {
        ASN_IndefHeader(&h, ASN_SEQUENCE);
        ASN_Tlv(&h, ASN_OID, OID_ENVELOPED_DATA, sizeof OID_ENVELOPED_DATA);
        ASN_IndefHeader(&h, ASN_CONTEXT | ASN_CONSTRUCTED | 0);
        ASN_IndefHeader(&h, ASN_SEQUENCE);
        ASN_Bytes(&h, edBuf, ed.len);
        ASN_IndefHeader(&h, ASN_SEQUENCE);
        ASN_Bytes(&h, eciBuf, eci.len);
        ASN_IndefHeader(&h, ASN_CONTEXT | ASN_CONSTRUCTED | 0);
    }
    if (ri.overflow || ed.overflow || eci.overflow || h.overflow)
        return e->failed = CRYPT_ERROR_FAILED;
    return Emit(e, hdrBuf, h.len);
}

int Start(EW_ENVELOPE *e) {
    e->started = true;
    return e->passwordLen ? StartEnveloped(e) : StartData(e);
}

int SegmentHeader(EW_ENVELOPE *e, uint64_t n) {
    if (Definite(e) || n == 0)
        return CRYPT_OK;
    uint8_t buf[12];
    ASN_OUT o;
    ASN_Init(&o, buf, sizeof buf);
    ASN_Header(&o, ASN_OCTETSTRING, n);
    return Emit(e, buf, o.len);
}

// Encrypts the whole blocks of partial + data into the output, keeps the rest.
int EncryptData(EW_ENVELOPE *e, const uint8_t *data, size_t n) {
    size_t bs = e->cipher->blockSize;
    size_t total = e->partialLen + n;
    size_t full = total / bs * bs;
    if (full == 0) {
        memcpy(e->partial + e->partialLen, data, n);
        e->partialLen += n;
        return CRYPT_OK;
    }
    if (SegmentHeader(e, full) != CRYPT_OK)
        return e->failed;
    uint8_t *dst = BQ_Extend(&e->out, full);
    if (!dst)
        return e->failed = CRYPT_ERROR_MEMORY;
    size_t fromData = full - e->partialLen;
    int rc;
    if (e->partialLen == 0) {
        rc = CI_EncryptTo(&e->cbc, dst, data, full);
    } else {
        memcpy(dst, e->partial, e->partialLen);
        memcpy(dst + e->partialLen, data, fromData);
        rc = CI_Encrypt(&e->cbc, dst, full);
    }
    if (rc != 0)
        return e->failed = CRYPT_ERROR_FAILED;
    e->partialLen = n - fromData;
    memcpy(e->partial, data + fromData, e->partialLen);
    return CRYPT_OK;
}

// The last block with PKCS #7 padding, then the end-of-contents of every open form.
int Finish(EW_ENVELOPE *e) {
    if (e->cipher) {
        size_t bs = e->cipher->blockSize;
        uint8_t pad = static_cast<uint8_t>(bs - e->partialLen);
        memset(e->partial + e->partialLen, pad, pad);
        if (SegmentHeader(e, bs) != CRYPT_OK)
            return e->failed;
        uint8_t *dst = BQ_Extend(&e->out, bs);
        if (!dst)
            return e->failed = CRYPT_ERROR_MEMORY;
        memcpy(dst, e->partial, bs);
        BQ_Wipe(e->partial, sizeof e->partial);
        e->partialLen = 0;
        if (CI_Encrypt(&e->cbc, dst, bs) != 0)
            return e->failed = CRYPT_ERROR_FAILED;
    }
    if (!Definite(e)) {
        static const uint8_t eoc[10] = {0};
        // data: OCTET STRING, [0], ContentInfo; envelopedData: [0] content,
        // EncryptedContentInfo, EnvelopedData, [0], ContentInfo
        return Emit(e, eoc, e->cipher ? 10 : 6);
    }
    return CRYPT_OK;
}
} // namespace

int EW_Create(EW_ENVELOPE **envelope) {
    EW_ENVELOPE *e = static_cast<EW_ENVELOPE *>(PL_Alloc(sizeof(EW_ENVELOPE)));
    if (!e)
        return CRYPT_ERROR_MEMORY;
    memset(e, 0, sizeof *e);
    e->algo = CRYPT_ALGO_AES;
    e->dataSize = -1;
    BQ_Init(&e->out);
    *envelope = e;
    return CRYPT_OK;
}

void EW_Destroy(EW_ENVELOPE *e) {
    if (!e)
        return;
    BQ_Free(&e->out);
    if (e->cipher)
        CI_Close(&e->cbc);
    BQ_Wipe(e, sizeof *e);
    PL_Free(e);
}

int EW_SetAttribute(EW_ENVELOPE *e, int attribute, int value) {
    switch (attribute) {
    case CRYPT_ATTRIBUTE_BUFFERSIZE:
        if (value < static_cast<int>(kMinBuffer) || static_cast<size_t>(value) > kMaxBuffer)
            return CRYPT_ERROR_PARAM3;
        e->bufferSize = static_cast<size_t>(value);
        return CRYPT_OK;
    case CRYPT_OPTION_ENCR_ALGO:
        if (e->started)
            return CRYPT_ERROR_INITED;
        if (!CI_ForWriting(value))
            return CRYPT_ERROR_NOTAVAIL;
        e->algo = value;
        return CRYPT_OK;
    case CRYPT_ENVINFO_DATASIZE:
        if (e->started)
            return CRYPT_ERROR_INITED;
        if (value < 0)
            return CRYPT_ERROR_PARAM3;
        e->dataSize = value;
        return CRYPT_OK;
    default:
        return CRYPT_ERROR_PARAM2;
    }
}

int EW_SetPassword(EW_ENVELOPE *e, const void *password, int length) {
    if (e->started)
        return CRYPT_ERROR_INITED;
    if (length < 1 || length > KDF_MAX_PASSWORD)
        return CRYPT_ERROR_PARAM4;
    BQ_Wipe(e->password, sizeof e->password);
    memcpy(e->password, password, static_cast<size_t>(length));
    e->passwordLen = static_cast<size_t>(length);
    return CRYPT_OK;
}

int EW_Push(EW_ENVELOPE *e, const uint8_t *data, size_t length, size_t *copied) {
    *copied = 0;
    if (e->failed)
        return e->failed;
    if (e->flushed)
        return CRYPT_ERROR_COMPLETE;
    if (length == 0)
        return CRYPT_OK;
    size_t n = length;
    if (Definite(e)) {
        uint64_t left = static_cast<uint64_t>(e->dataSize) - e->pushed;
        if (n > left)
            n = static_cast<size_t>(left);
    }
    if (e->bufferSize) {
        size_t queued = BQ_Size(&e->out);
        size_t room = e->bufferSize > queued ? e->bufferSize - queued : 0;
        if (n > room)
            n = room;
    }
    if (n == 0)
        return CRYPT_ERROR_OVERFLOW;
    if (!e->started && Start(e) != CRYPT_OK)
        return e->failed;
    int rc;
    if (e->cipher) {
        rc = EncryptData(e, data, n);
    } else {
        rc = SegmentHeader(e, n);
        if (rc == CRYPT_OK)
            rc = Emit(e, data, n);
    }
    if (rc != CRYPT_OK)
        return rc;
    e->pushed += n;
    *copied = n;
    return CRYPT_OK;
}

int EW_Flush(EW_ENVELOPE *e) {
    if (e->failed)
        return e->failed;
    if (e->flushed)
        return CRYPT_OK;
    if (Definite(e) && e->pushed < static_cast<uint64_t>(e->dataSize))
        return CRYPT_ERROR_UNDERFLOW;
    if (!e->started && Start(e) != CRYPT_OK)
        return e->failed;
    if (Finish(e) != CRYPT_OK)
        return e->failed;
    e->flushed = true;
    return CRYPT_OK;
}

int EW_Pop(EW_ENVELOPE *e, uint8_t *buffer, size_t length, size_t *copied) {
    *copied = 0;
    if (e->failed)
        return e->failed;
    *copied = BQ_Read(&e->out, buffer, length);
    return CRYPT_OK;
}
