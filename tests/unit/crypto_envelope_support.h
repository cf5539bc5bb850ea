// Helpers the envelope engine's tests share: whole envelopes through the public
// calls, in one piece or in chunks, popping after every push as the program does.
#pragma once

#include "crypto/cryptlib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace cryptotest {

struct Sealed {
    int rc = CRYPT_OK; // the first call that failed
    std::string bytes;
};

// Pops until nothing more comes, appending to out; the first error goes to *rc
// (when it is still CRYPT_OK).
inline void PopAll(CRYPT_ENVELOPE env, std::string *out, int *rc) {
    char buf[4096];
    int n = 0;
    do {
        int r = cryptPopData(env, buf, sizeof buf, &n);
        if (r != CRYPT_OK && *rc == CRYPT_OK)
            *rc = r;
        out->append(buf, static_cast<size_t>(n));
    } while (n > 0);
}

// Envelopes plain; password nullptr for none; algo 0 leaves the default;
// chunk 0 pushes all at once; withSize sets CRYPT_ENVINFO_DATASIZE.
inline Sealed Seal(const std::string &plain, const char *password, int algo, bool withSize, size_t chunk = 0,
                   int bufferSize = 0) {
    Sealed s;
    CRYPT_ENVELOPE env = 0;
    s.rc = cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB);
    if (s.rc != CRYPT_OK)
        return s;
    if (bufferSize)
        cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, bufferSize);
    if (password)
        cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password)));
    if (algo)
        cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, algo);
    if (withSize)
        cryptSetAttribute(env, CRYPT_ENVINFO_DATASIZE, static_cast<int>(plain.size()));
    size_t pos = 0;
    while (pos < plain.size()) {
        size_t len = chunk ? std::min(chunk, plain.size() - pos) : plain.size() - pos;
        int copied = 0;
        int rc = cryptPushData(env, plain.data() + pos, static_cast<int>(len), &copied);
        if (rc != CRYPT_OK) {
            s.rc = rc;
            cryptDestroyEnvelope(env);
            return s;
        }
        pos += static_cast<size_t>(copied);
        PopAll(env, &s.bytes, &s.rc);
    }
    s.rc = cryptFlushData(env);
    PopAll(env, &s.bytes, &s.rc);
    cryptDestroyEnvelope(env);
    return s;
}

struct Opened {
    int pushRc = CRYPT_OK;     // the last push's answer other than the resource request
    int resourceAt = -1;       // input offset after the push that asked for the password
    int passwordRc = 1;        // 1: never asked
    int flushRc = 1;
    int popRc = CRYPT_OK;      // the first pop error
    std::string data;
};

// Opens an envelope, giving the password when asked; chunk 0 pushes it whole.
inline Opened Open(const std::string &envelope, const char *password, size_t chunk = 0) {
    Opened o;
    CRYPT_ENVELOPE env = 0;
    EXPECT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    size_t pos = 0;
    while (pos < envelope.size()) {
        size_t len = chunk ? std::min(chunk, envelope.size() - pos) : envelope.size() - pos;
        int copied = 0;
        int rc = cryptPushData(env, envelope.data() + pos, static_cast<int>(len), &copied);
        pos += static_cast<size_t>(copied);
        if (rc == CRYPT_ENVELOPE_RESOURCE) {
            o.resourceAt = static_cast<int>(pos);
            o.passwordRc = password ? cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, password,
                                                              static_cast<int>(strlen(password)))
                                    : CRYPT_ENVELOPE_RESOURCE;
            if (o.passwordRc != CRYPT_OK)
                break;
        } else if (rc != CRYPT_OK) {
            o.pushRc = rc;
            break;
        } else if (copied == 0 && len > 0) {
            o.pushRc = CRYPT_ERROR_OVERFLOW;
            break;
        }
        PopAll(env, &o.data, &o.popRc);
    }
    o.flushRc = cryptFlushData(env);
    PopAll(env, &o.data, &o.popRc);
    cryptDestroyEnvelope(env);
    return o;
}

inline bool OpenedCleanly(const Opened &o) {
    return o.pushRc == CRYPT_OK && (o.passwordRc == 1 || o.passwordRc == CRYPT_OK) && o.flushRc == CRYPT_OK &&
           o.popRc == CRYPT_OK;
}

} // namespace cryptotest
