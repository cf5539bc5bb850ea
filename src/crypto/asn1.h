// The little ASN.1 the envelopes need: a DER writer into a fixed buffer, and a
// BER reader that never believes a length it cannot see the bytes for. Tags are
// single bytes (numbers below 31); lengths up to 2^62.
#pragma once

#include <cstddef>
#include <cstdint>

enum : uint8_t {
    ASN_INTEGER = 0x02,
    ASN_OCTETSTRING = 0x04,
    ASN_NULL = 0x05,
    ASN_OID = 0x06,
    ASN_SEQUENCE = 0x30,
    ASN_SET = 0x31,
    ASN_CONSTRUCTED = 0x20,
    ASN_CONTEXT = 0x80, // [n] primitive: ASN_CONTEXT | n; constructed: ASN_CONTEXT | ASN_CONSTRUCTED | n
};

// ---------------------------------------------------------------- writer
struct ASN_OUT {
    uint8_t *p;
    size_t cap;
    size_t len;
    bool overflow; // something did not fit; the contents are then useless
};
void ASN_Init(ASN_OUT *out, uint8_t *buf, size_t cap);
void ASN_Bytes(ASN_OUT *out, const void *data, size_t n);
// Tag and definite length of a value of n bytes that the caller writes next.
void ASN_Header(ASN_OUT *out, uint8_t tag, uint64_t n);
void ASN_IndefHeader(ASN_OUT *out, uint8_t tag); // tag, 0x80
void ASN_EndOfContents(ASN_OUT *out);           // 00 00
void ASN_Tlv(ASN_OUT *out, uint8_t tag, const void *value, size_t n);
void ASN_Integer(ASN_OUT *out, uint64_t value);
// Size of the tag and length octets for a value of n bytes.
size_t ASN_HeaderSize(uint64_t n);

// ---------------------------------------------------------------- reader
enum { ASN_OK = 0, ASN_NEED_MORE = 1, ASN_BAD = -1 };

struct ASN_HDR {
    uint8_t tag;
    bool constructed;
    bool indefinite;
    uint64_t len;  // value length when definite
    size_t hdrLen; // tag and length octets
};
// Reads the tag and length at p (avail bytes there). ASN_NEED_MORE when they are
// not all there yet, ASN_BAD for forms the envelopes never use or BER forbids.
int ASN_ReadHeader(const uint8_t *p, size_t avail, ASN_HDR *h);
// The whole size of the element at p, following indefinite lengths down to
// maxDepth levels; ASN_NEED_MORE when it ends beyond avail.
int ASN_ElementSize(const uint8_t *p, size_t avail, int maxDepth, uint64_t *size);

// A complete element in memory.
struct ASN_ELEM {
    uint8_t tag;
    bool constructed;
    const uint8_t *value; // contents without an indefinite form's end-of-contents
    size_t len;
};
// Walks the elements of a value held in memory.
struct ASN_IN {
    const uint8_t *p;
    size_t len;
    size_t pos;
};
void ASN_Open(ASN_IN *in, const uint8_t *p, size_t len);
bool ASN_AtEnd(const ASN_IN *in);
// The next element; false at the end or when it is malformed or runs past the value.
bool ASN_Next(ASN_IN *in, ASN_ELEM *e);
// The next element only when it carries this tag (nothing is consumed otherwise).
bool ASN_NextIf(ASN_IN *in, uint8_t tag, ASN_ELEM *e);
// Opens a constructed element for walking.
bool ASN_Enter(const ASN_ELEM *e, ASN_IN *in);
// A non-negative INTEGER up to 2^63.
bool ASN_GetUnsigned(const ASN_ELEM *e, uint64_t *value);
// An OBJECT IDENTIFIER equal to the given contents octets.
bool ASN_IsOid(const ASN_ELEM *e, const uint8_t *oid, size_t oidLen);
