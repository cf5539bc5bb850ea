// The setting CryptAlgo chooses the cipher of the next envelope made, and a value
// the program does not know gives AES.
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "crypto/data_envelope.h"
#include "crypto/oids.h"
#include "frame/memory.h"

#include <gtest/gtest.h>

#include <string>

TEST(EnvelopeSettings, TheNextEnvelopeUsesTheCipherSetNow) {
    ASSERT_EQ(cryptInit(), CRYPT_OK);
    const SETTINGS saved = Settings;
    const struct {
        int32_t setting;
        const uint8_t *oid;
        size_t oidLen;
    } cases[] = {{8, OID_AES256_CBC, sizeof OID_AES256_CBC},     {9, OID_BLOWFISH_CBC, sizeof OID_BLOWFISH_CBC},
                 {4, OID_CAST5_CBC, sizeof OID_CAST5_CBC},       {10, OID_SKIPJACK_CBC, sizeof OID_SKIPJACK_CBC},
                 {3, OID_AES256_CBC, sizeof OID_AES256_CBC}};
    for (const auto &c : cases) {
        Settings.CryptAlgo = c.setting;
        CRYPTRESULT r{};
        ASSERT_EQ(docryptMyData("sixteen bytes!!!", 16, "pw", NPWYESNO_YES, &r), 0) << c.setting;
        std::string bytes(r.lpData, r.nLength);
        EXPECT_NE(bytes.find(std::string(reinterpret_cast<const char *>(c.oid), c.oidLen)), std::string::npos) << c.setting;
        T_Free("TEST", r.lpData);
    }
    Settings = saved;
}
