#include "crypto/envelope_stream.h"

#include "crypto/cryptlib.h"
#include "crypto/data_envelope.h"
#include "frame/fileio.h"
#include "frame/memory.h"
#include "platform/platform.h"

#include <cstring>

namespace {
const int kChunk = 2048;
const int kPop = 4096;

// A growing block of plain bytes; wiped whenever it moves or goes.
struct PlainBuffer {
    char *data = nullptr;
    uint32_t length = 0, capacity = 0;
    bool Append(const char *p, uint32_t n) {
        if (length + n + 1 > capacity) {
            uint32_t want = capacity ? capacity * 2 : 8192;
            while (want < length + n + 1)
                want *= 2;
            char *grown = static_cast<char *>(T_Malloc("CY_M_05", want));
            if (!grown)
                return false;
            if (data) {
                memcpy(grown, data, length);
                T_FreeSecret("CY_F_05", data, capacity);
            }
            data = grown;
            capacity = want;
        }
        memcpy(data + length, p, n);
        length += n;
        data[length] = 0;
        return true;
    }
    void Drop() {
        if (data)
            T_FreeSecret("CY_F_05", data, capacity);
        data = nullptr;
        length = capacity = 0;
    }
};

int PopAll(CRYPT_ENVELOPE env, PlainBuffer &out, char *buf) {
    for (;;) {
        int popped = 0;
        int rc = cryptPopData(env, buf, kPop, &popped);
        if (rc != CRYPT_OK)
            return rc;
        if (popped == 0)
            return CRYPT_OK;
        if (!out.Append(buf, static_cast<uint32_t>(popped)))
            return CRYPT_ERROR_MEMORY;
    }
}
} // namespace

int CY_EnvelopeToFile(const void *data, uint32_t length, const char *password, int NPWYESNO, PL_HANDLE out,
                      const char *code) {
    CRYPT_ENVELOPE env = 0;
    if (cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB) != CRYPT_OK)
        return -1;
    cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, kPop);
    cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, CY_GetCryptAlgo(CY_Options().cryptAlgo));
    if (NPWYESNO == NPWYESNO_YES)
        cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password)));
    char buf[kPop];
    const char *p = static_cast<const char *>(data);
    uint32_t left = length;
    int rc = 0;
    while (rc == 0 && left > 0) {
        int take = left < static_cast<uint32_t>(kChunk) ? static_cast<int>(left) : kChunk;
        int taken = 0;
        if (cryptPushData(env, p, take, &taken) != CRYPT_OK && taken == 0) {
            rc = -1;
            break;
        }
        p += taken;
        left -= static_cast<uint32_t>(taken);
        int popped = 0;
        if (cryptPopData(env, buf, kPop, &popped) != CRYPT_OK || T_WriteFile(code, out, buf, static_cast<uint32_t>(popped)) != 0)
            rc = -1;
    }
    if (rc == 0 && cryptFlushData(env) != CRYPT_OK)
        rc = -1;
    while (rc == 0) {
        int popped = 0;
        if (cryptPopData(env, buf, kPop, &popped) != CRYPT_OK) {
            rc = -1;
            break;
        }
        if (popped == 0)
            break;
        if (T_WriteFile(code, out, buf, static_cast<uint32_t>(popped)) != 0)
            rc = -1;
    }
    cryptDestroyEnvelope(env);
    return rc;
}

int CY_OpenEnvelope(const void *envelope, uint32_t length, const char *password, char **plain, uint32_t *plainLength) {
    *plain = nullptr;
    *plainLength = 0;
    CRYPT_ENVELOPE env = 0;
    if (cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO) != CRYPT_OK)
        return CY_OPEN_BADDATA;
    PlainBuffer out;
    char buf[kPop];
    const char *p = static_cast<const char *>(envelope);
    uint32_t left = length;
    int result = CY_OPEN_OK;
    bool anything = false, asked = false;
    while (left > 0 && result == CY_OPEN_OK) {
        int taken = 0;
        int rc = cryptPushData(env, p, static_cast<int>(left), &taken);
        if (rc == CRYPT_ENVELOPE_RESOURCE) {
            asked = true;
            if (cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password))) !=
                CRYPT_OK)
                result = CY_OPEN_WRONGPASSWORD;
        } else if (rc == CRYPT_ERROR_BADDATA) {
            result = anything ? CY_OPEN_BADDATA : CY_OPEN_NOTENVELOPE;
        } else if (rc != CRYPT_OK && taken == 0) {
            result = CY_OPEN_BADDATA;
        }
        anything = true;
        p += taken;
        left -= static_cast<uint32_t>(taken);
        if (result == CY_OPEN_OK) {
            rc = PopAll(env, out, buf);
            if (rc == CRYPT_ERROR_MEMORY)
                result = CY_OPEN_NOMEMORY;
            else if (rc != CRYPT_OK)
                result = CY_OPEN_BADDATA;
        }
    }
    if (result == CY_OPEN_OK && length == 0)
        result = CY_OPEN_NOTENVELOPE;
    // What was enveloped under a password asks for it; one that does not was put
    // there by someone who did not know the password.
    if (result == CY_OPEN_OK && !asked && password[0])
        result = CY_OPEN_BADDATA;
    if (result == CY_OPEN_OK && cryptFlushData(env) != CRYPT_OK)
        result = CY_OPEN_BADDATA;
    if (result == CY_OPEN_OK) {
        int rc = PopAll(env, out, buf);
        if (rc != CRYPT_OK)
            result = rc == CRYPT_ERROR_MEMORY ? CY_OPEN_NOMEMORY : CY_OPEN_BADDATA;
    }
    cryptDestroyEnvelope(env);
    PL_SecureZero(buf, sizeof buf);
    if (result != CY_OPEN_OK) {
        out.Drop();
        return result;
    }
    if (!out.data && !out.Append("", 0)) // an empty plain text is still a block
        return CY_OPEN_NOMEMORY;
    *plain = out.data;
    *plainLength = out.length;
    return CY_OPEN_OK;
}
