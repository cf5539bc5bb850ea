// The ciphers' contexts: their keys live in libgcrypt's secure pool.
#include "crypto/cipher.h"

#include "crypto/cryptlib.h"
#include "support/cms_builder.h"

#include <gcrypt.h>
#include <gtest/gtest.h>

using testsupport::PatternBytes;

TEST(Cipher, KeysLiveInTheSecurePool) {
    ASSERT_EQ(CI_InitLibrary(), 0);
    for (int algo : {CRYPT_ALGO_AES, CRYPT_ALGO_BLOWFISH, CRYPT_ALGO_CAST}) {
        SCOPED_TRACE(algo);
        const CI_INFO *c = CI_ForWriting(algo);
        ASSERT_NE(c, nullptr);
        std::string key = PatternBytes(c->writeKeyLen, 1), iv = PatternBytes(c->blockSize, 2);
        CI_CBC cbc;
        ASSERT_EQ(CI_Open(&cbc, c, reinterpret_cast<const uint8_t *>(key.data()), key.size(),
                          reinterpret_cast<const uint8_t *>(iv.data())),
                  0);
        EXPECT_TRUE(gcry_is_secure(cbc.gcry));
        CI_Close(&cbc);
    }
}
