// The ciphers' contexts: their keys live in libgcrypt's secure pool, weak ones too.
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

// A key Blowfish calls weak (one random key in about 33,000) is still used.
TEST(Cipher, AWeakKeyStillEncrypts) {
    ASSERT_EQ(CI_InitLibrary(), 0);
    std::string key = testsupport::FromHex("4b0d080304050607ab45200b0c0d0e0f"), iv(8, '\1');
    uint8_t block[8] = {'w', 'e', 'a', 'k', ' ', 'k', 'e', 'y'};
    CI_CBC cbc;
    ASSERT_EQ(CI_Open(&cbc, CI_ForWriting(CRYPT_ALGO_BLOWFISH), reinterpret_cast<const uint8_t *>(key.data()),
                      key.size(), reinterpret_cast<const uint8_t *>(iv.data())),
              0);
    EXPECT_EQ(CI_Encrypt(&cbc, block, sizeof block), 0);
    CI_Close(&cbc);
}
