// libFuzzer target for the de-enveloping engine: whatever the bytes, opening
// them must end (no hang, no unbounded memory) with a result code, and ASan
// must stay quiet. The first byte chooses how the rest is pushed, so chunk
// boundaries fall everywhere; a password recipient gets the password "fuzz".
// The seeds (deenvelope_seeds) are envelopes under that password at one
// iteration; reading refuses counts above 1,000 here to keep runs fast.
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const bool ready = [] {
        KDF_SetTestIterations(1, 1000);
        return cryptInit() == CRYPT_OK;
    }();
    if (!ready || size < 1)
        return 0;
    // 0..191: pushes of 1..64 bytes; above: everything in one push, as the data envelope does.
    size_t chunk = data[0] < 192 ? data[0] % 64 + 1 : size;
    ++data;
    --size;

    CRYPT_ENVELOPE env;
    if (cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO) != CRYPT_OK)
        return 0;
    if (chunk == 7)
        cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, 4096);
    static char out[4096];
    int n = 0;
    size_t pos = 0;
    bool stop = false;
    while (pos < size && !stop) {
        int len = static_cast<int>(size - pos < chunk ? size - pos : chunk);
        int copied = 0;
        int rc = cryptPushData(env, data + pos, len, &copied);
        if (rc == CRYPT_ENVELOPE_RESOURCE)
            stop = cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "fuzz", 4) != CRYPT_OK;
        else if (rc != CRYPT_OK)
            stop = true;
        pos += static_cast<size_t>(copied);
        if (copied == 0 && rc != CRYPT_ENVELOPE_RESOURCE)
            stop = true;
        while (cryptPopData(env, out, sizeof out, &n) == CRYPT_OK && n > 0) {
        }
    }
    cryptFlushData(env);
    while (cryptPopData(env, out, sizeof out, &n) == CRYPT_OK && n > 0) {
    }
    cryptDestroyEnvelope(env);
    return 0;
}
