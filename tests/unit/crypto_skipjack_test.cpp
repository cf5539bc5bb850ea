// Skipjack against the published test vector, and CBC over it.
#include "crypto/skipjack.h"

#include "crypto/cipher.h"
#include "support/cms_builder.h"

#include <gtest/gtest.h>

#include <cstring>

using testsupport::FromHex;
using testsupport::PatternBytes;
using testsupport::ToHex;

namespace {
const uint8_t *U(const std::string &s) { return reinterpret_cast<const uint8_t *>(s.data()); }
} // namespace

TEST(Skipjack, PublishedVector) {
    // NIST's vector: key 00998877665544332211, plaintext 33221100ddccbbaa.
    std::string key = FromHex("00998877665544332211");
    std::string plain = FromHex("33221100ddccbbaa");
    SJ_KEY k;
    SJ_SetKey(&k, U(key));
    uint8_t out[8], back[8];
    SJ_EncryptBlock(&k, U(plain), out);
    EXPECT_EQ(ToHex(std::string(reinterpret_cast<char *>(out), 8)), "2587cae27a12d300");
    SJ_DecryptBlock(&k, out, back);
    EXPECT_EQ(ToHex(std::string(reinterpret_cast<char *>(back), 8)), "33221100ddccbbaa");
}

TEST(Skipjack, DecryptionInvertsEncryptionForManyKeys) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::string key = PatternBytes(10, seed), block = PatternBytes(8, seed + 1000);
        SJ_KEY k;
        SJ_SetKey(&k, U(key));
        uint8_t c[8], p[8];
        SJ_EncryptBlock(&k, U(block), c);
        ASSERT_NE(memcmp(c, block.data(), 8), 0);
        SJ_DecryptBlock(&k, c, p);
        ASSERT_EQ(memcmp(p, block.data(), 8), 0) << seed;
    }
}

TEST(Skipjack, CbcChainsAcrossCalls) {
    ASSERT_EQ(CI_InitLibrary(), 0);
    const CI_INFO *sj = CI_ForWriting(10);
    ASSERT_NE(sj, nullptr);
    std::string key = FromHex("00998877665544332211"), iv = FromHex("0001020304050607");
    std::string data = PatternBytes(64, 5);
    // One call over four blocks equals four calls of one block.
    std::string whole = data, pieces = data;
    CI_CBC a, b;
    ASSERT_EQ(CI_Open(&a, sj, U(key), 10, U(iv)), 0);
    ASSERT_EQ(CI_Encrypt(&a, reinterpret_cast<uint8_t *>(&whole[0]), 64), 0);
    ASSERT_EQ(CI_Open(&b, sj, U(key), 10, U(iv)), 0);
    for (int i = 0; i < 64; i += 8)
        ASSERT_EQ(CI_Encrypt(&b, reinterpret_cast<uint8_t *>(&pieces[i]), 8), 0);
    EXPECT_EQ(whole, pieces);
    // The first block is E(p0 xor iv).
    uint8_t first[8];
    for (int i = 0; i < 8; ++i)
        first[i] = static_cast<uint8_t>(data[i] ^ iv[i]);
    SJ_KEY k;
    SJ_SetKey(&k, U(key));
    SJ_EncryptBlock(&k, first, first);
    EXPECT_EQ(memcmp(first, whole.data(), 8), 0);
    CI_Close(&a);
    CI_Close(&b);
    ASSERT_EQ(CI_Open(&a, sj, U(key), 10, U(iv)), 0);
    ASSERT_EQ(CI_Decrypt(&a, reinterpret_cast<uint8_t *>(&whole[0]), 64), 0);
    EXPECT_EQ(whole, data);
    CI_Close(&a);
    EXPECT_NE(CI_Open(&a, sj, U(key), 16, U(iv)), 0); // Skipjack keys are 80 bits
}
