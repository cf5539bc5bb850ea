#include "crypto/cryptlib.h"

#include "crypto/cipher.h"
#include "crypto/env_read.h"
#include "crypto/env_write.h"
#include "crypto/kdf.h"

#include <cstring>

namespace {
enum { kMaxEnvelopes = 256 };

struct Slot {
    int handle; // 0: free
    EW_ENVELOPE *writer;
    ER_ENVELOPE *reader;
};
Slot g_slots[kMaxEnvelopes];
bool g_initialised = false;
int g_nextHandle = 1;

Slot *Find(CRYPT_HANDLE handle) {
    if (handle <= 0)
        return nullptr;
    for (Slot &s : g_slots)
        if (s.handle == handle)
            return &s;
    return nullptr;
}

// The envelope behind a handle, or the answer for a call that cannot reach one.
int Lookup(CRYPT_HANDLE handle, Slot **slot) {
    if (!g_initialised)
        return CRYPT_ERROR_NOTINITED;
    *slot = Find(handle);
    return *slot ? CRYPT_OK : CRYPT_ERROR_PARAM1;
}

// Push and pop: the envelope and the (buffer, length, bytesCopied) arguments.
int LookupForData(CRYPT_ENVELOPE envelope, const void *buffer, int length, int *bytesCopied, Slot **slot) {
    if (bytesCopied)
        *bytesCopied = 0;
    int rc = Lookup(envelope, slot);
    if (rc != CRYPT_OK)
        return rc;
    if (!buffer && length)
        return CRYPT_ERROR_PARAM2;
    if (length < 0)
        return CRYPT_ERROR_PARAM3;
    return bytesCopied ? CRYPT_OK : CRYPT_ERROR_PARAM4;
}

void Release(Slot *s) {
    EW_Destroy(s->writer);
    ER_Destroy(s->reader);
    memset(s, 0, sizeof *s);
}
} // namespace

int cryptInit() {
    if (CI_InitLibrary() != 0)
        return CRYPT_ERROR_FAILED;
    g_initialised = true;
    return CRYPT_OK;
}

int cryptEnd() {
    if (!g_initialised)
        return CRYPT_ERROR_NOTINITED;
    for (Slot &s : g_slots)
        if (s.handle)
            Release(&s);
    KDF_Wipe();
    g_initialised = false;
    return CRYPT_OK;
}

int cryptCreateEnvelope(CRYPT_ENVELOPE *envelope, CRYPT_USER cryptUser, CRYPT_FORMAT_TYPE formatType) {
    if (!g_initialised)
        return CRYPT_ERROR_NOTINITED;
    if (!envelope)
        return CRYPT_ERROR_PARAM1;
    if (cryptUser != CRYPT_UNUSED)
        return CRYPT_ERROR_PARAM2;
    if (formatType != CRYPT_FORMAT_AUTO && formatType != CRYPT_FORMAT_CRYPTLIB)
        return CRYPT_ERROR_PARAM3;
    Slot *slot = nullptr;
    for (Slot &s : g_slots) {
        if (!s.handle) {
            slot = &s;
            break;
        }
    }
    if (!slot)
        return CRYPT_ERROR_OVERFLOW;
    int rc = formatType == CRYPT_FORMAT_AUTO ? ER_Create(&slot->reader) : EW_Create(&slot->writer);
    if (rc != CRYPT_OK)
        return rc;
    slot->handle = g_nextHandle++;
    if (g_nextHandle <= 0)
        g_nextHandle = 1;
    *envelope = slot->handle;
    return CRYPT_OK;
}

int cryptDestroyEnvelope(CRYPT_ENVELOPE envelope) {
    Slot *s = nullptr;
    int rc = Lookup(envelope, &s);
    if (rc == CRYPT_OK)
        Release(s);
    return rc;
}

int cryptSetAttribute(CRYPT_HANDLE cryptHandle, CRYPT_ATTRIBUTE_TYPE attributeType, int value) {
    Slot *s = nullptr;
    int rc = Lookup(cryptHandle, &s);
    if (rc != CRYPT_OK)
        return rc;
    return s->writer ? EW_SetAttribute(s->writer, attributeType, value)
                     : ER_SetAttribute(s->reader, attributeType, value);
}

int cryptSetAttributeString(CRYPT_HANDLE cryptHandle, CRYPT_ATTRIBUTE_TYPE attributeType,
                            const void *value, int valueLength) {
    Slot *s = nullptr;
    int rc = Lookup(cryptHandle, &s);
    if (rc != CRYPT_OK)
        return rc;
    if (attributeType != CRYPT_ENVINFO_PASSWORD)
        return CRYPT_ERROR_PARAM2;
    if (!value)
        return CRYPT_ERROR_PARAM3;
    return s->writer ? EW_SetPassword(s->writer, value, valueLength)
                     : ER_SetPassword(s->reader, value, valueLength);
}

int cryptPushData(CRYPT_ENVELOPE envelope, const void *buffer, int length, int *bytesCopied) {
    Slot *s = nullptr;
    int rc = LookupForData(envelope, buffer, length, bytesCopied, &s);
    if (rc != CRYPT_OK)
        return rc;
    size_t copied = 0;
    const uint8_t *data = static_cast<const uint8_t *>(buffer);
    rc = s->writer ? EW_Push(s->writer, data, static_cast<size_t>(length), &copied)
                   : ER_Push(s->reader, data, static_cast<size_t>(length), &copied);
    *bytesCopied = static_cast<int>(copied);
    return rc;
}

int cryptFlushData(CRYPT_ENVELOPE envelope) {
    Slot *s = nullptr;
    int rc = Lookup(envelope, &s);
    if (rc != CRYPT_OK)
        return rc;
    return s->writer ? EW_Flush(s->writer) : ER_Flush(s->reader);
}

int cryptPopData(CRYPT_ENVELOPE envelope, void *buffer, int length, int *bytesCopied) {
    Slot *s = nullptr;
    int rc = LookupForData(envelope, buffer, length, bytesCopied, &s);
    if (rc != CRYPT_OK)
        return rc;
    size_t copied = 0;
    uint8_t *out = static_cast<uint8_t *>(buffer);
    rc = s->writer ? EW_Pop(s->writer, out, static_cast<size_t>(length), &copied)
                   : ER_Pop(s->reader, out, static_cast<size_t>(length), &copied);
    *bytesCopied = static_cast<int>(copied);
    return rc;
}
