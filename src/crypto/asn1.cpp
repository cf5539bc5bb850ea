#include "crypto/asn1.h"

#include <cstring>

// ---------------------------------------------------------------- writer
void ASN_Init(ASN_OUT *out, uint8_t *buf, size_t cap) {
    out->p = buf;
    out->cap = cap;
    out->len = 0;
    out->overflow = false;
}

void ASN_Bytes(ASN_OUT *out, const void *data, size_t n) {
    if (out->overflow || n > out->cap - out->len) {
        out->overflow = true;
        return;
    }
    if (n)
        memcpy(out->p + out->len, data, n);
    out->len += n;
}

size_t ASN_HeaderSize(uint64_t n) {
    size_t size = 2;
    if (n >= 0x80)
        for (uint64_t v = n; v; v >>= 8)
            ++size;
    return size;
}

void ASN_Header(ASN_OUT *out, uint8_t tag, uint64_t n) {
    uint8_t h[10];
    size_t k = 0;
    h[k++] = tag;
    if (n < 0x80) {
        h[k++] = static_cast<uint8_t>(n);
    } else {
        int bytes = 0;
        for (uint64_t v = n; v; v >>= 8)
            ++bytes;
        h[k++] = static_cast<uint8_t>(0x80 | bytes);
        for (int i = bytes - 1; i >= 0; --i)
            h[k++] = static_cast<uint8_t>(n >> (8 * i));
    }
    ASN_Bytes(out, h, k);
}

void ASN_IndefHeader(ASN_OUT *out, uint8_t tag) {
    const uint8_t h[2] = {tag, 0x80};
    ASN_Bytes(out, h, 2);
}

void ASN_EndOfContents(ASN_OUT *out) {
    const uint8_t h[2] = {0, 0};
    ASN_Bytes(out, h, 2);
}

void ASN_Tlv(ASN_OUT *out, uint8_t tag, const void *value, size_t n) {
    ASN_Header(out, tag, n);
    ASN_Bytes(out, value, n);
}

void ASN_Integer(ASN_OUT *out, uint64_t value) {
    uint8_t v[9];
    size_t k = 0;
    int bytes = 1;
    while (bytes < 8 && (value >> (8 * bytes)))
        ++bytes;
    if ((value >> (8 * bytes - 1)) & 1)
        v[k++] = 0; // keep it positive
    for (int i = bytes - 1; i >= 0; --i)
        v[k++] = static_cast<uint8_t>(value >> (8 * i));
    ASN_Tlv(out, ASN_INTEGER, v, k);
}

// ---------------------------------------------------------------- reader
int ASN_ReadHeader(const uint8_t *p, size_t avail, ASN_HDR *h) {
    if (avail < 2)
        return ASN_NEED_MORE;
    uint8_t tag = p[0];
    if ((tag & 0x1F) == 0x1F)
        return ASN_BAD; // high tag numbers: nothing of ours
    h->tag = tag;
    h->constructed = (tag & ASN_CONSTRUCTED) != 0;
    h->indefinite = false;
    h->len = 0;
    uint8_t l = p[1];
    if (l < 0x80) {
        h->len = l;
        h->hdrLen = 2;
        return ASN_OK;
    }
    if (l == 0x80) {
        if (!h->constructed)
            return ASN_BAD;
        h->indefinite = true;
        h->hdrLen = 2;
        return ASN_OK;
    }
    size_t bytes = l & 0x7F;
    if (bytes > 8)
        return ASN_BAD;
    if (avail < 2 + bytes)
        return ASN_NEED_MORE;
    uint64_t len = 0;
    for (size_t i = 0; i < bytes; ++i) {
        if (len >> 54)
            return ASN_BAD;
        len = (len << 8) | p[2 + i];
    }
    if (len >> 62)
        return ASN_BAD;
    h->len = len;
    h->hdrLen = 2 + bytes;
    return ASN_OK;
}

int ASN_ElementSize(const uint8_t *p, size_t avail, int maxDepth, uint64_t *size) {
    ASN_HDR h;
    int r = ASN_ReadHeader(p, avail, &h);
    if (r != ASN_OK)
        return r;
    if (h.tag == 0 && h.len != 0)
        return ASN_BAD; // end-of-contents carries nothing
    if (!h.indefinite) {
        *size = h.hdrLen + h.len;
        return *size <= avail ? ASN_OK : ASN_NEED_MORE;
    }
    if (maxDepth <= 0)
        return ASN_BAD;
    size_t pos = h.hdrLen;
    for (;;) {
        if (avail - pos >= 2 && p[pos] == 0 && p[pos + 1] == 0) {
            *size = pos + 2;
            return ASN_OK;
        }
        uint64_t inner = 0;
        r = ASN_ElementSize(p + pos, avail - pos, maxDepth - 1, &inner);
        if (r != ASN_OK)
            return r;
        if (p[pos] == 0)
            return ASN_BAD; // a long-form end-of-contents
        pos += static_cast<size_t>(inner);
    }
}

void ASN_Open(ASN_IN *in, const uint8_t *p, size_t len) {
    in->p = p;
    in->len = len;
    in->pos = 0;
}

bool ASN_AtEnd(const ASN_IN *in) { return in->pos >= in->len; }

namespace {
const int kMemoryDepth = 16; // nesting followed inside one element held in memory
}

bool ASN_Next(ASN_IN *in, ASN_ELEM *e) {
    if (in->pos >= in->len)
        return false;
    const uint8_t *p = in->p + in->pos;
    size_t avail = in->len - in->pos;
    ASN_HDR h;
    uint64_t size = 0;
    if (ASN_ReadHeader(p, avail, &h) != ASN_OK || h.tag == 0)
        return false;
    if (ASN_ElementSize(p, avail, kMemoryDepth, &size) != ASN_OK)
        return false;
    e->tag = h.tag;
    e->constructed = h.constructed;
    e->value = p + h.hdrLen;
    e->len = static_cast<size_t>(size) - h.hdrLen - (h.indefinite ? 2 : 0);
    in->pos += static_cast<size_t>(size);
    return true;
}

bool ASN_NextIf(ASN_IN *in, uint8_t tag, ASN_ELEM *e) {
    if (in->pos >= in->len || in->p[in->pos] != tag)
        return false;
    return ASN_Next(in, e);
}

bool ASN_Enter(const ASN_ELEM *e, ASN_IN *in) {
    if (!e->constructed)
        return false;
    ASN_Open(in, e->value, e->len);
    return true;
}

bool ASN_GetUnsigned(const ASN_ELEM *e, uint64_t *value) {
    if (e->tag != ASN_INTEGER || e->len == 0)
        return false;
    if (e->value[0] & 0x80)
        return false; // negative
    size_t i = 0;
    while (i + 1 < e->len && e->value[i] == 0)
        ++i;
    if (e->len - i > 8 || (e->len - i == 8 && (e->value[i] & 0x80)))
        return false;
    uint64_t v = 0;
    for (; i < e->len; ++i)
        v = (v << 8) | e->value[i];
    *value = v;
    return true;
}

bool ASN_IsOid(const ASN_ELEM *e, const uint8_t *oid, size_t oidLen) {
    return e->tag == ASN_OID && e->len == oidLen && memcmp(e->value, oid, oidLen) == 0;
}
