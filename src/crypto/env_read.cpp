#include "crypto/env_read.h"

#include "crypto/asn1.h"
#include "crypto/bytequeue.h"
#include "crypto/cipher.h"
#include "crypto/crypt_codes.h"
#include "crypto/kdf.h"
#include "crypto/oids.h"
#include "crypto/pwri.h"
#include "platform/platform.h"

#include <cstring>

namespace {
enum {
    kMaxDepth = 16,       // open constructed forms, the envelope's own included
    kMaxHeaderElement = 16384,
    kMaxSmallElement = 1024,
};
const size_t kMinBuffer = 1024;
const size_t kMaxBuffer = size_t(1) << 30;

enum State {
    S_CONTENTINFO,       // ContentInfo SEQUENCE
    S_CONTENT_TYPE,      // its contentType
    S_DATA_EXPLICIT,     // data: [0], or the end of a ContentInfo without content
    S_DATA_OCTETS,       // data: the OCTET STRING
    S_ENV_EXPLICIT,      // envelopedData: [0]
    S_ED_SEQUENCE,       // EnvelopedData
    S_ED_VERSION,
    S_ED_ORIGINATOR,     // originatorInfo [0] OPTIONAL
    S_ED_RECIPIENTS,     // recipientInfos SET
    S_NEED_KEY,          // waiting for the password
    S_ECI_SEQUENCE,      // EncryptedContentInfo
    S_ECI_TYPE,
    S_ECI_ALGORITHM,
    S_ECI_CONTENT,       // encryptedContent [0] IMPLICIT
    S_STREAM,            // the content octets
    S_CLOSING,           // end-of-contents and lengths after the content
    S_DONE,
    S_FAILED,
};

// What one step of the parser came to.
enum Step { STEP_PROGRESS, STEP_WAIT, STEP_KEY, STEP_WRONGKEY, STEP_DONE, STEP_BAD, STEP_MEMORY };

struct Frame {
    bool indefinite;
    uint64_t remaining; // definite: value bytes not yet consumed
};
} // namespace

struct ER_ENVELOPE {
    State state;
    int error; // sticky once set
    bool recognised; // the data was seen to be an envelope: later damage is reported by pop and flush
    bool ended;      // flushed: no more data comes
    size_t bufferSize;
    BQ_QUEUE in;  // pushed bytes not parsed yet
    BQ_QUEUE out; // content ready to pop
    size_t withheld; // the last decrypted block stays until its padding is checked
    size_t waitFor;  // an element of unknown size is tried again once this many bytes are there
    Frame frames[kMaxDepth];
    int depth;
    int contentBase; // depth at which the content ends

    bool encrypted;
    bool legacy;
    bool attributesSeen;
    // The first password recipient we can use: each one tried would cost a
    // derivation of up to the iteration limit, so no other is.
    PWRI_RECIPIENT recipient;
    bool haveRecipient;
    uint8_t password[KDF_MAX_PASSWORD]; // a password given before the recipients were read
    size_t passwordLen;
    uint8_t cek[CI_MAX_KEY];
    size_t cekLen;
    bool haveKey;
    const CI_INFO *cipher;
    CI_CBC cbc;
    uint8_t partial[CI_MAX_BLOCK]; // ciphertext short of a whole block
    size_t partialLen;
    uint64_t cipherBytes;

    bool inString;     // inside a primitive OCTET STRING of the content
    uint64_t stringLeft;
};

namespace {
// ---------------------------------------------------------------- the input and its frames
const uint8_t *InData(const ER_ENVELOPE *e) { return BQ_Data(&e->in); }
size_t InSize(const ER_ENVELOPE *e) { return BQ_Size(&e->in); }

// What the innermost frame of known length still allows.
uint64_t Limit(const ER_ENVELOPE *e) {
    for (int i = e->depth - 1; i >= 0; --i)
        if (!e->frames[i].indefinite)
            return e->frames[i].remaining;
    return UINT64_MAX;
}

void Consume(ER_ENVELOPE *e, size_t n) {
    for (int i = 0; i < e->depth; ++i)
        if (!e->frames[i].indefinite)
            e->frames[i].remaining -= n;
    BQ_Consume(&e->in, n);
    e->waitFor = 0;
}

// The tag and length at the current position, checked against the frames around it.
Step PeekHeader(ER_ENVELOPE *e, ASN_HDR *h) {
    int r = ASN_ReadHeader(InData(e), InSize(e), h);
    if (r == ASN_NEED_MORE)
        return STEP_WAIT;
    if (r != ASN_OK)
        return STEP_BAD;
    uint64_t need = h->hdrLen + (h->indefinite ? 0 : h->len);
    if (need > Limit(e) || (h->tag == 0 && !h->indefinite))
        return STEP_BAD;
    return STEP_PROGRESS;
}

Step OpenFrame(ER_ENVELOPE *e, const ASN_HDR *h) {
    if (e->depth >= kMaxDepth)
        return STEP_BAD;
    Consume(e, h->hdrLen);
    e->frames[e->depth].indefinite = h->indefinite;
    e->frames[e->depth].remaining = h->indefinite ? 0 : h->len;
    ++e->depth;
    return STEP_PROGRESS;
}

// Expects a constructed form with this tag, enters it and moves on to state next.
Step Enter(ER_ENVELOPE *e, uint8_t tag, State next) {
    ASN_HDR h;
    Step s = PeekHeader(e, &h);
    if (s != STEP_PROGRESS)
        return s;
    if (h.tag != tag)
        return STEP_BAD;
    s = OpenFrame(e, &h);
    if (s == STEP_PROGRESS)
        e->state = next;
    return s;
}

// Whether the innermost frame ends here: 1 yes, 0 no, or a step to return.
int AtFrameEnd(ER_ENVELOPE *e, Step *s) {
    const Frame &f = e->frames[e->depth - 1];
    if (!f.indefinite)
        return f.remaining == 0;
    if (InSize(e) < 2) {
        *s = STEP_WAIT;
        return -1;
    }
    return InData(e)[0] == 0 && InData(e)[1] == 0;
}

Step CloseFrame(ER_ENVELOPE *e) {
    Frame &f = e->frames[e->depth - 1];
    if (f.indefinite) {
        --e->depth; // the end-of-contents belongs to the frames around it
        if (Limit(e) < 2)
            return STEP_BAD;
        Consume(e, 2);
    } else {
        --e->depth;
    }
    return STEP_PROGRESS;
}

// A whole element of at most maxSize bytes at the current position, with this
// tag unless tag is 0; *size is what to consume once it has been read.
Step ReadElement(ER_ENVELOPE *e, uint8_t tag, size_t maxSize, ASN_ELEM *elem, size_t *size) {
    ASN_HDR h;
    Step s = PeekHeader(e, &h);
    if (s != STEP_PROGRESS)
        return s;
    if (h.tag == 0 || (tag && h.tag != tag))
        return STEP_BAD;
    uint64_t total;
    if (!h.indefinite) {
        total = h.hdrLen + h.len;
        if (total > maxSize)
            return STEP_BAD;
        if (InSize(e) < total)
            return STEP_WAIT;
    } else {
        // Its size shows only at its end: look again once the input has doubled.
        if (InSize(e) < e->waitFor)
            return STEP_WAIT;
        size_t avail = InSize(e) < maxSize ? InSize(e) : maxSize;
        int r = ASN_ElementSize(InData(e), avail, kMaxDepth, &total);
        if (r == ASN_NEED_MORE) {
            if (avail >= maxSize)
                return STEP_BAD;
            e->waitFor = avail * 2 < maxSize ? avail * 2 : maxSize;
            return STEP_WAIT;
        }
        if (r != ASN_OK || total > Limit(e))
            return STEP_BAD;
    }
    elem->tag = h.tag;
    elem->constructed = h.constructed;
    elem->value = InData(e) + h.hdrLen;
    elem->len = static_cast<size_t>(total - h.hdrLen - (h.indefinite ? 2 : 0));
    *size = static_cast<size_t>(total);
    return STEP_PROGRESS;
}

// ---------------------------------------------------------------- keys
// Derives the key-encryption key and unwraps the content key with it.
Step TryPassword(ER_ENVELOPE *e, const uint8_t *password, size_t len) {
    const PWRI_RECIPIENT &r = e->recipient;
    uint8_t kek[KDF_MAX_KEY];
    int rc = -1;
    if (KDF_Derive(password, len, &r.kdf, kek) == 0)
        rc = PWRI_Unwrap(r.kek, kek, r.kdf.keyLen, r.kekIv, r.wrapped, r.wrappedLen, e->cek, sizeof e->cek,
                         &e->cekLen);
    if (rc == 0)
        KDF_Remember(password, len, &r.kdf, kek);
    BQ_Wipe(kek, sizeof kek);
    if (rc != 0)
        return STEP_WRONGKEY;
    e->haveKey = true;
    return STEP_PROGRESS;
}

// ---------------------------------------------------------------- content
Step Output(ER_ENVELOPE *e, const uint8_t *p, size_t n) {
    return BQ_Append(&e->out, p, n) == 0 ? STEP_PROGRESS : STEP_MEMORY;
}

Step DecryptOut(ER_ENVELOPE *e, const uint8_t *p, size_t n) {
    uint8_t *dst = BQ_Extend(&e->out, n);
    if (!dst)
        return STEP_MEMORY;
    memcpy(dst, p, n);
    if (CI_Decrypt(&e->cbc, dst, n) != 0)
        return STEP_BAD;
    e->withheld = e->cipher->blockSize;
    return STEP_PROGRESS;
}

Step Feed(ER_ENVELOPE *e, const uint8_t *p, size_t n) {
    if (!e->encrypted)
        return Output(e, p, n);
    size_t bs = e->cipher->blockSize;
    e->cipherBytes += n;
    if (e->partialLen) {
        size_t take = bs - e->partialLen < n ? bs - e->partialLen : n;
        memcpy(e->partial + e->partialLen, p, take);
        e->partialLen += take;
        p += take;
        n -= take;
        if (e->partialLen < bs)
            return STEP_PROGRESS;
        e->partialLen = 0;
        Step s = DecryptOut(e, e->partial, bs);
        if (s != STEP_PROGRESS)
            return s;
    }
    size_t full = n / bs * bs;
    if (full) {
        Step s = DecryptOut(e, p, full);
        if (s != STEP_PROGRESS)
            return s;
    }
    memcpy(e->partial, p + full, n - full);
    e->partialLen = n - full;
    return STEP_PROGRESS;
}

// The content ended: check and strip the padding.
Step ContentEnd(ER_ENVELOPE *e) {
    e->state = S_CLOSING;
    if (!e->encrypted)
        return STEP_PROGRESS;
    size_t bs = e->cipher->blockSize;
    if (e->partialLen || e->cipherBytes == 0 || e->withheld != bs || BQ_Size(&e->out) < bs)
        return STEP_BAD;
    const uint8_t *last = BQ_Data(&e->out) + BQ_Size(&e->out) - bs;
    uint8_t pad = last[bs - 1];
    if (pad == 0 || pad > bs)
        return STEP_BAD;
    for (size_t i = bs - pad; i < bs; ++i)
        if (last[i] != pad)
            return STEP_BAD;
    BQ_Truncate(&e->out, pad);
    e->withheld = 0;
    return STEP_PROGRESS;
}

// Starts the content string: primitive (definite) or constructed of segments.
Step StartContent(ER_ENVELOPE *e, uint8_t primitiveTag, uint8_t constructedTag) {
    ASN_HDR h;
    Step s = PeekHeader(e, &h);
    if (s != STEP_PROGRESS)
        return s;
    e->state = S_STREAM;
    if (h.tag == primitiveTag) {
        Consume(e, h.hdrLen);
        e->inString = true;
        e->stringLeft = h.len;
        e->contentBase = e->depth;
        return STEP_PROGRESS;
    }
    if (h.tag == constructedTag) {
        e->contentBase = e->depth;
        return OpenFrame(e, &h);
    }
    return STEP_BAD;
}

Step StreamStep(ER_ENVELOPE *e) {
    if (e->inString) {
        if (e->stringLeft == 0) {
            e->inString = false;
            return e->depth == e->contentBase ? ContentEnd(e) : STEP_PROGRESS;
        }
        size_t n = InSize(e);
        if (n == 0)
            return STEP_WAIT;
        if (n > e->stringLeft)
            n = static_cast<size_t>(e->stringLeft);
        Step s = Feed(e, InData(e), n);
        if (s != STEP_PROGRESS)
            return s;
        Consume(e, n);
        e->stringLeft -= n;
        return STEP_PROGRESS;
    }
    if (e->depth == e->contentBase)
        return ContentEnd(e);
    Step s = STEP_PROGRESS;
    int end = AtFrameEnd(e, &s);
    if (end < 0)
        return s;
    if (end)
        return CloseFrame(e);
    // Segments: OCTET STRINGs, which BER lets be constructed again.
    ASN_HDR h;
    s = PeekHeader(e, &h);
    if (s != STEP_PROGRESS)
        return s;
    if (h.tag == ASN_OCTETSTRING) {
        Consume(e, h.hdrLen);
        e->inString = true;
        e->stringLeft = h.len;
        return STEP_PROGRESS;
    }
    if (h.tag == (ASN_OCTETSTRING | ASN_CONSTRUCTED))
        return OpenFrame(e, &h);
    return STEP_BAD;
}

// After the content: end-of-contents and exact lengths up to the ContentInfo's
// end; unprotectedAttrs [1] are passed over.
Step ClosingStep(ER_ENVELOPE *e) {
    if (e->depth == 0) {
        e->state = S_DONE;
        return STEP_PROGRESS;
    }
    Step s = STEP_PROGRESS;
    int end = AtFrameEnd(e, &s);
    if (end < 0)
        return s;
    if (end)
        return CloseFrame(e);
    if (InSize(e) < 1)
        return STEP_WAIT;
    const int edDepth = 3; // ContentInfo, [0], EnvelopedData
    if (e->encrypted && e->depth == edDepth && !e->attributesSeen &&
        InData(e)[0] == (ASN_CONTEXT | ASN_CONSTRUCTED | 1)) {
        ASN_ELEM elem;
        size_t size;
        s = ReadElement(e, 0, kMaxHeaderElement, &elem, &size);
        if (s != STEP_PROGRESS)
            return s;
        Consume(e, size);
        e->attributesSeen = true;
        return STEP_PROGRESS;
    }
    return STEP_BAD;
}

Step ReadRecipients(ER_ENVELOPE *e) {
    ASN_ELEM set, ri;
    size_t size;
    Step s = ReadElement(e, ASN_SET, kMaxHeaderElement, &set, &size);
    if (s != STEP_PROGRESS)
        return s;
    ASN_IN in;
    ASN_Enter(&set, &in);
    while (ASN_Next(&in, &ri)) {
        // Only password recipients can be opened here; others are passed over.
        if (ri.tag == (ASN_CONTEXT | ASN_CONSTRUCTED | 3) && !e->haveRecipient &&
            PWRI_Read(&ri, e->legacy, &e->recipient) == 0)
            e->haveRecipient = true;
    }
    if (!ASN_AtEnd(&in) || !e->haveRecipient)
        return STEP_BAD;
    Consume(e, size);
    e->state = S_NEED_KEY;
    return STEP_PROGRESS;
}

Step ReadContentAlgorithm(ER_ENVELOPE *e) {
    ASN_ELEM alg;
    size_t size;
    Step s = ReadElement(e, ASN_SEQUENCE, kMaxSmallElement, &alg, &size);
    if (s != STEP_PROGRESS)
        return s;
    uint8_t iv[CI_MAX_BLOCK];
    const CI_INFO *c = nullptr;
    if (CI_ReadAlgorithm(&alg, &c, iv) != 0 || !CI_KeyLengthValid(c, e->cekLen) ||
        CI_Open(&e->cbc, c, e->cek, e->cekLen, iv) != 0)
        return STEP_BAD;
    e->cipher = c;
    Consume(e, size);
    e->state = S_ECI_CONTENT;
    return STEP_PROGRESS;
}

// The outer ContentInfo names plain data or an enveloped one.
Step ReadContentType(ER_ENVELOPE *e) {
    ASN_ELEM elem;
    size_t size = 0;
    Step s = ReadElement(e, ASN_OID, 64, &elem, &size);
    if (s != STEP_PROGRESS)
        return s;
    if (ASN_IsOid(&elem, OID_DATA, sizeof OID_DATA)) {
        e->encrypted = false;
        e->state = S_DATA_EXPLICIT;
    } else if (ASN_IsOid(&elem, OID_ENVELOPED_DATA, sizeof OID_ENVELOPED_DATA)) {
        e->encrypted = true;
        e->state = S_ENV_EXPLICIT;
    } else {
        return STEP_BAD;
    }
    e->recognised = true;
    Consume(e, size);
    return STEP_PROGRESS;
}

Step DataExplicitStep(ER_ENVELOPE *e) {
    Step s = STEP_PROGRESS;
    int end = AtFrameEnd(e, &s);
    if (end < 0)
        return s;
    if (end) { // a ContentInfo without content: nothing in it
        e->contentBase = e->depth;
        e->state = S_CLOSING;
        return STEP_PROGRESS;
    }
    return Enter(e, ASN_CONTEXT | ASN_CONSTRUCTED | 0, S_DATA_OCTETS);
}

Step ReadVersion(ER_ENVELOPE *e) {
    ASN_ELEM elem;
    size_t size = 0;
    Step s = ReadElement(e, ASN_INTEGER, 16, &elem, &size);
    if (s != STEP_PROGRESS)
        return s;
    uint64_t version = 0;
    if (!ASN_GetUnsigned(&elem, &version) || version > 4)
        return STEP_BAD;
    e->legacy = version == 0; // cryptlib's own envelopes
    Consume(e, size);
    e->state = S_ED_ORIGINATOR;
    return STEP_PROGRESS;
}

Step SkipOriginator(ER_ENVELOPE *e) {
    if (InSize(e) < 1)
        return STEP_WAIT;
    if (InData(e)[0] == (ASN_CONTEXT | ASN_CONSTRUCTED | 0)) {
        ASN_ELEM elem;
        size_t size = 0;
        Step s = ReadElement(e, 0, kMaxHeaderElement, &elem, &size);
        if (s != STEP_PROGRESS)
            return s;
        Consume(e, size);
    }
    e->state = S_ED_RECIPIENTS;
    return STEP_PROGRESS;
}

Step NeedKeyStep(ER_ENVELOPE *e) {
    if (!e->haveKey) {
        if (!e->passwordLen)
            return STEP_KEY;
        // A password given before the recipients were read is tried once, now.
        Step s = TryPassword(e, e->password, e->passwordLen);
        BQ_Wipe(e->password, sizeof e->password);
        e->passwordLen = 0;
        if (s != STEP_PROGRESS)
            return s;
    }
    e->state = S_ECI_SEQUENCE;
    return STEP_PROGRESS;
}

Step SkipContentType(ER_ENVELOPE *e) {
    ASN_ELEM elem;
    size_t size = 0;
    Step s = ReadElement(e, ASN_OID, 64, &elem, &size);
    if (s != STEP_PROGRESS)
        return s;
    Consume(e, size);
    e->state = S_ECI_ALGORITHM;
    return STEP_PROGRESS;
}

Step EncryptedContentStep(ER_ENVELOPE *e) {
    // Without encryptedContent the content travels elsewhere: nothing to open here.
    Step s = STEP_PROGRESS;
    int end = AtFrameEnd(e, &s);
    if (end < 0)
        return s;
    if (end)
        return STEP_BAD;
    return StartContent(e, ASN_CONTEXT | 0, ASN_CONTEXT | ASN_CONSTRUCTED | 0);
}

Step StepOnce(ER_ENVELOPE *e) {
    switch (e->state) {
    case S_CONTENTINFO: return Enter(e, ASN_SEQUENCE, S_CONTENT_TYPE);
    case S_CONTENT_TYPE: return ReadContentType(e);
    case S_DATA_EXPLICIT: return DataExplicitStep(e);
    case S_DATA_OCTETS: return StartContent(e, ASN_OCTETSTRING, ASN_OCTETSTRING | ASN_CONSTRUCTED);
    case S_ENV_EXPLICIT: return Enter(e, ASN_CONTEXT | ASN_CONSTRUCTED | 0, S_ED_SEQUENCE);
    case S_ED_SEQUENCE: return Enter(e, ASN_SEQUENCE, S_ED_VERSION);
    case S_ED_VERSION: return ReadVersion(e);
    case S_ED_ORIGINATOR: return SkipOriginator(e);
    case S_ED_RECIPIENTS: return ReadRecipients(e);
    case S_NEED_KEY: return NeedKeyStep(e);
    case S_ECI_SEQUENCE: return Enter(e, ASN_SEQUENCE, S_ECI_TYPE);
    case S_ECI_TYPE: return SkipContentType(e);
    case S_ECI_ALGORITHM: return ReadContentAlgorithm(e);
    case S_ECI_CONTENT: return EncryptedContentStep(e);
    case S_STREAM: return StreamStep(e);
    case S_CLOSING: return ClosingStep(e);
    case S_DONE: return InSize(e) ? STEP_BAD : STEP_DONE; // nothing may follow the envelope
    case S_FAILED: return STEP_BAD;
    }
    return STEP_BAD;
}

int Fail(ER_ENVELOPE *e, int code) {
    e->state = S_FAILED;
    e->error = code;
    BQ_Free(&e->in);
    BQ_Free(&e->out);
    e->withheld = 0;
    return code;
}

// Parses as far as the input and the key allow.
Step Run(ER_ENVELOPE *e) {
    for (;;) {
        Step s = StepOnce(e);
        if (s == STEP_PROGRESS)
            continue;
        if (s == STEP_WAIT && e->ended)
            s = STEP_BAD; // the data ended inside the envelope
        if (s == STEP_BAD)
            Fail(e, CRYPT_ERROR_BADDATA);
        else if (s == STEP_MEMORY)
            Fail(e, CRYPT_ERROR_MEMORY);
        return s;
    }
}
} // namespace

int ER_Create(ER_ENVELOPE **envelope) {
    ER_ENVELOPE *e = static_cast<ER_ENVELOPE *>(PL_Alloc(sizeof(ER_ENVELOPE)));
    if (!e)
        return CRYPT_ERROR_MEMORY;
    memset(e, 0, sizeof *e);
    e->state = S_CONTENTINFO;
    BQ_Init(&e->in);
    BQ_Init(&e->out);
    *envelope = e;
    return CRYPT_OK;
}

void ER_Destroy(ER_ENVELOPE *e) {
    if (!e)
        return;
    BQ_Free(&e->in);
    BQ_Free(&e->out);
    if (e->cipher)
        CI_Close(&e->cbc);
    BQ_Wipe(e, sizeof *e);
    PL_Free(e);
}

int ER_SetAttribute(ER_ENVELOPE *e, int attribute, int value) {
    if (attribute != CRYPT_ATTRIBUTE_BUFFERSIZE)
        return CRYPT_ERROR_PARAM2;
    if (value < static_cast<int>(kMinBuffer) || static_cast<size_t>(value) > kMaxBuffer)
        return CRYPT_ERROR_PARAM3;
    e->bufferSize = static_cast<size_t>(value);
    return CRYPT_OK;
}

int ER_SetPassword(ER_ENVELOPE *e, const void *password, int length) {
    if (e->error)
        return e->error;
    if (length < 1 || length > KDF_MAX_PASSWORD)
        return CRYPT_ERROR_PARAM4;
    if (e->haveKey || (e->recognised && !e->encrypted))
        return CRYPT_ERROR_INITED; // nothing (more) to open with a password
    const uint8_t *pw = static_cast<const uint8_t *>(password);
    size_t len = static_cast<size_t>(length);
    if (e->state != S_NEED_KEY) {
        BQ_Wipe(e->password, sizeof e->password);
        memcpy(e->password, pw, len);
        e->passwordLen = len;
        return CRYPT_OK;
    }
    if (TryPassword(e, pw, len) != STEP_PROGRESS)
        return CRYPT_ERROR_WRONGKEY; // the envelope waits for another try
    e->state = S_ECI_SEQUENCE;
    Step s = Run(e);
    return s == STEP_MEMORY ? CRYPT_ERROR_MEMORY : CRYPT_OK; // damage shows at pop and flush
}

int ER_Push(ER_ENVELOPE *e, const uint8_t *data, size_t length, size_t *copied) {
    *copied = 0;
    if (e->error)
        return e->error;
    if (e->ended)
        return CRYPT_ERROR_COMPLETE;
    size_t n = length;
    if (e->bufferSize) {
        // A header element is waited for whole, so the buffer is never smaller than one.
        size_t cap = e->bufferSize;
        if (e->state != S_STREAM && cap < 2 * kMaxHeaderElement)
            cap = 2 * kMaxHeaderElement;
        size_t held = InSize(e) + BQ_Size(&e->out);
        size_t room = cap > held ? cap - held : 0;
        if (n > room)
            n = room;
    }
    if (n == 0 && length > 0)
        return e->state == S_NEED_KEY && !e->haveKey ? CRYPT_ENVELOPE_RESOURCE : CRYPT_ERROR_OVERFLOW;
    if (BQ_Append(&e->in, data, n) != 0)
        return CRYPT_ERROR_MEMORY;
    *copied = n;
    switch (Run(e)) {
    case STEP_KEY:
        return CRYPT_ENVELOPE_RESOURCE;
    case STEP_WRONGKEY:
        return CRYPT_ERROR_WRONGKEY;
    case STEP_MEMORY:
        return CRYPT_ERROR_MEMORY;
    case STEP_BAD:
        if (!e->recognised) {
            *copied = 0;
            return CRYPT_ERROR_BADDATA; // not an envelope at all
        }
        return CRYPT_OK; // a damaged envelope: pop and flush say so
    default:
        return CRYPT_OK;
    }
}

int ER_Flush(ER_ENVELOPE *e) {
    if (e->error)
        return e->error;
    e->ended = true;
    switch (Run(e)) {
    case STEP_KEY:
        return CRYPT_ENVELOPE_RESOURCE;
    case STEP_WRONGKEY:
        return CRYPT_ERROR_WRONGKEY;
    case STEP_DONE:
        return CRYPT_OK;
    default:
        return e->error ? e->error : CRYPT_ERROR_BADDATA;
    }
}

int ER_Pop(ER_ENVELOPE *e, uint8_t *buffer, size_t length, size_t *copied) {
    *copied = 0;
    if (e->error)
        return e->error;
    if (e->state == S_NEED_KEY && !e->haveKey)
        return CRYPT_ENVELOPE_RESOURCE;
    size_t ready = BQ_Size(&e->out) - e->withheld;
    *copied = BQ_Read(&e->out, buffer, length < ready ? length : ready);
    return CRYPT_OK;
}
