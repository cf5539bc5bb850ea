// RFC 3211 key wrapping: round trips per cipher, and what a wrong key or a
// damaged wrapped key comes to.
#include "crypto/pwri.h"

#include "crypto/cryptlib.h"
#include "support/cms_builder.h"

#include <gtest/gtest.h>

using testsupport::PatternBytes;

namespace {
const uint8_t *U(const std::string &s) { return reinterpret_cast<const uint8_t *>(s.data()); }
} // namespace

TEST(Pwri, WrapAndUnwrapForEveryCipherWeWrite) {
    ASSERT_EQ(CI_InitLibrary(), 0);
    for (int algo : {CRYPT_ALGO_AES, CRYPT_ALGO_BLOWFISH, CRYPT_ALGO_CAST, CRYPT_ALGO_SKIPJACK}) {
        SCOPED_TRACE(algo);
        const CI_INFO *c = CI_ForWriting(algo);
        ASSERT_NE(c, nullptr);
        std::string kek = PatternBytes(c->writeKekLen, 1), iv = PatternBytes(c->blockSize, 2);
        std::string cek = PatternBytes(c->writeKeyLen, 3);
        uint8_t wrapped[PWRI_MAX_WRAPPED], back[256];
        size_t wrappedLen = 0, backLen = 0;
        ASSERT_EQ(PWRI_Wrap(c, U(kek), kek.size(), U(iv), U(cek), cek.size(), wrapped, &wrappedLen), 0);
        // LEN, three check bytes and the key, in whole blocks, at least two.
        size_t expect = (cek.size() + 4 + c->blockSize - 1) / c->blockSize * c->blockSize;
        EXPECT_EQ(wrappedLen, std::max(expect, 2 * c->blockSize));
        ASSERT_EQ(PWRI_Unwrap(c, U(kek), kek.size(), U(iv), wrapped, wrappedLen, back, sizeof back, &backLen), 0);
        EXPECT_EQ(std::string(reinterpret_cast<char *>(back), backLen), cek);

        std::string otherKek = PatternBytes(c->writeKekLen, 9);
        EXPECT_EQ(PWRI_Unwrap(c, U(otherKek), otherKek.size(), U(iv), wrapped, wrappedLen, back, sizeof back, &backLen), 1);
        wrapped[0] ^= 1; // damage anywhere garbles the length and check bytes
        EXPECT_EQ(PWRI_Unwrap(c, U(kek), kek.size(), U(iv), wrapped, wrappedLen, back, sizeof back, &backLen), 1);
        EXPECT_EQ(PWRI_Unwrap(c, U(kek), kek.size(), U(iv), wrapped, wrappedLen - 1, back, sizeof back, &backLen), -1);
        EXPECT_EQ(PWRI_Unwrap(c, U(kek), kek.size(), U(iv), wrapped, c->blockSize, back, sizeof back, &backLen), -1);
    }
}
