// PBKDF2 against published vectors, and the key-derivation cache.
#include "crypto/kdf.h"

#include "crypto/cipher.h"
#include "support/cms_builder.h"

#include <gtest/gtest.h>

#include <cstring>

using testsupport::ToHex;

namespace {
const uint8_t *U(const char *s) { return reinterpret_cast<const uint8_t *>(s); }

KDF_PARAMS Params(const char *salt, uint32_t iterations, KDF_PRF prf, size_t keyLen) {
    KDF_PARAMS p;
    memset(&p, 0, sizeof p);
    p.saltLen = strlen(salt);
    memcpy(p.salt, salt, p.saltLen);
    p.iterations = iterations;
    p.prf = prf;
    p.keyLen = keyLen;
    return p;
}

std::string Derive(const char *password, const KDF_PARAMS &p) {
    uint8_t key[KDF_MAX_KEY];
    EXPECT_EQ(KDF_Derive(U(password), strlen(password), &p, key), 0);
    return ToHex(std::string(reinterpret_cast<char *>(key), p.keyLen));
}

class Kdf : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(CI_InitLibrary(), 0);
        KDF_Wipe();
    }
    void TearDown() override { KDF_Wipe(); }
};
} // namespace

TEST_F(Kdf, PublishedVectors) {
    // RFC 6070 (HMAC-SHA1) and the usual SHA-256 companions of it.
    EXPECT_EQ(Derive("password", Params("salt", 1, KDF_PRF_SHA1, 20)), "0c60c80f961f0e71f3a9b524af6012062fe037a6");
    EXPECT_EQ(Derive("password", Params("salt", 4096, KDF_PRF_SHA1, 20)), "4b007901b765489abead49d926f721d065a429c1");
    EXPECT_EQ(Derive("password", Params("salt", 1, KDF_PRF_SHA256, 32)),
              "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b");
    EXPECT_EQ(Derive("password", Params("salt", 4096, KDF_PRF_SHA256, 32)),
              "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a");
}

TEST_F(Kdf, TheCacheHoldsProvenKeysOfOnePassword) {
    KDF_PARAMS p = Params("0123456789abcdef", 2000, KDF_PRF_SHA256, 32);
    uint8_t key[32], again[32];
    long start = KDF_DerivationCount();
    ASSERT_EQ(KDF_Derive(U("alpha"), 5, &p, key), 0);
    ASSERT_EQ(KDF_Derive(U("alpha"), 5, &p, again), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 2); // nothing kept until it proved right
    KDF_Remember(U("alpha"), 5, &p, key);
    ASSERT_EQ(KDF_Derive(U("alpha"), 5, &p, again), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 2);
    EXPECT_EQ(memcmp(key, again, 32), 0);

    // Other parameters, another password: derived afresh.
    KDF_PARAMS q = p;
    q.keyLen = 16;
    ASSERT_EQ(KDF_Derive(U("alpha"), 5, &q, again), 0);
    ASSERT_EQ(KDF_Derive(U("alphA"), 5, &p, again), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 4);

    // A key proved for another password wipes alpha's.
    KDF_Remember(U("beta"), 4, &p, again);
    ASSERT_EQ(KDF_Derive(U("alpha"), 5, &p, again), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 5);
    // and the cache is gone at the end of the run
    KDF_Remember(U("alpha"), 5, &p, key);
    KDF_Wipe();
    ASSERT_EQ(KDF_Derive(U("alpha"), 5, &p, again), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 6);
}

TEST_F(Kdf, EightKeysAreKeptTheLeastRecentlyUsedGoes) {
    long start = KDF_DerivationCount();
    uint8_t key[16];
    for (int i = 0; i < 9; ++i) {
        char salt[8];
        snprintf(salt, sizeof salt, "salt%d", i);
        KDF_PARAMS p = Params(salt, 1, KDF_PRF_SHA1, 16);
        ASSERT_EQ(KDF_Derive(U("pw"), 2, &p, key), 0);
        KDF_Remember(U("pw"), 2, &p, key);
    }
    EXPECT_EQ(KDF_DerivationCount() - start, 9);
    KDF_PARAMS newest = Params("salt8", 1, KDF_PRF_SHA1, 16), oldest = Params("salt0", 1, KDF_PRF_SHA1, 16);
    ASSERT_EQ(KDF_Derive(U("pw"), 2, &newest, key), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 9);
    ASSERT_EQ(KDF_Derive(U("pw"), 2, &oldest, key), 0);
    EXPECT_EQ(KDF_DerivationCount() - start, 10);
}

TEST_F(Kdf, OneWriteSaltPerPassword) {
    uint8_t a[KDF_WRITE_SALT], b[KDF_WRITE_SALT], c[KDF_WRITE_SALT];
    KDF_WriteSalt(U("one"), 3, a);
    KDF_WriteSalt(U("one"), 3, b);
    EXPECT_EQ(memcmp(a, b, sizeof a), 0);
    KDF_WriteSalt(U("two"), 3, c);
    EXPECT_NE(memcmp(a, c, sizeof a), 0);
    KDF_WriteSalt(U("one"), 3, b); // back to the first password: a salt of its own again, but new
    EXPECT_NE(memcmp(a, b, sizeof a), 0);
    EXPECT_EQ(KDF_WriteIterations(), 1000000u);
    EXPECT_EQ(KDF_MaxIterations(), 10000000u);
}
