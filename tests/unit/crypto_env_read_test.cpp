// De-enveloping what others wrote: hand-made envelopes in the forms older
// cryptlib versions and OpenSSL produce, built from their ASN.1 without the
// engine's help, and what the reader must refuse.
#include "crypto/env_read.h"

#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "support/cms_builder.h"
#include "unit/crypto_envelope_support.h"

#include <gcrypt.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace cryptotest;
using testsupport::CmsSample;
using testsupport::MakePasswordEnvelope;
using testsupport::PatternBytes;

namespace {
const char kPassword[] = "old safe password";
const char *const kSha256 = "1.2.840.113549.2.9";

class EnvRead : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(cryptInit(), CRYPT_OK); }
};

CmsSample Aes256() { return CmsSample(); }
CmsSample Blowfish(const char *oid, size_t cek, size_t kek) {
    CmsSample s;
    s.cipherOid = oid;
    s.gcryAlgo = GCRY_CIPHER_BLOWFISH;
    s.blockSize = 8;
    s.cekLen = cek;
    s.kekLen = kek;
    return s;
}
CmsSample Cast5() {
    CmsSample s;
    s.cipherOid = "1.2.840.113533.7.66.10";
    s.gcryAlgo = GCRY_CIPHER_CAST5;
    s.blockSize = 8;
    s.cekLen = s.kekLen = 16;
    return s;
}
CmsSample Skipjack() {
    CmsSample s;
    s.cipherOid = "2.16.840.1.101.2.1.1.4";
    s.gcryAlgo = 0;
    s.blockSize = 8;
    s.cekLen = s.kekLen = 10;
    s.params = testsupport::CMS_PARAMS_SEQ_IV;
    return s;
}
CmsSample TripleDes() {
    CmsSample s;
    s.cipherOid = "1.2.840.113549.3.7";
    s.gcryAlgo = GCRY_CIPHER_3DES;
    s.blockSize = 8;
    s.cekLen = s.kekLen = 24;
    return s;
}
CmsSample Aes(const char *oid, size_t key) {
    CmsSample s;
    s.envelopedVersion = 3;
    s.cipherOid = oid;
    s.gcryAlgo = key == 16 ? GCRY_CIPHER_AES128 : key == 24 ? GCRY_CIPHER_AES192 : GCRY_CIPHER_AES256;
    s.cekLen = s.kekLen = key;
    return s;
}

std::string Repeat(const char *piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

void ExpectOpens(const CmsSample &spec, const std::string &plain, size_t chunk = 0) {
    std::string env = MakePasswordEnvelope(spec, kPassword, plain);
    Opened o = Open(env, kPassword, chunk);
    EXPECT_TRUE(OpenedCleanly(o)) << o.pushRc << " " << o.passwordRc << " " << o.flushRc << " " << o.popRc;
    EXPECT_EQ(o.passwordRc, CRYPT_OK);
    EXPECT_TRUE(o.data == plain);
    EXPECT_EQ(Open(env, "not the password", chunk).passwordRc, CRYPT_ERROR_WRONGKEY);
}
} // namespace

TEST_F(EnvRead, CryptlibVersionZeroForms) {
    std::string plain = PatternBytes(777, 1);
    {
        SCOPED_TRACE("AES-256, hmacWithSHA1 implied, 8-byte salt");
        ExpectOpens(Aes256(), plain);
    }
    {
        SCOPED_TRACE("Blowfish under 1.3.6.1.4.1.3029.1.1.2, 32-byte keys");
        ExpectOpens(Blowfish("1.3.6.1.4.1.3029.1.1.2", 32, 32), plain);
    }
    {
        SCOPED_TRACE("Blowfish under 1.3.6.1.4.1.3029.1.2 in a version 0 envelope: 32-byte keys");
        ExpectOpens(Blowfish("1.3.6.1.4.1.3029.1.2", 32, 32), plain);
    }
    {
        SCOPED_TRACE("CAST5 with SEQUENCE { iv, keyLength }");
        CmsSample s = Cast5();
        s.params = testsupport::CMS_PARAMS_SEQ_IV_KEYBITS;
        ExpectOpens(s, plain);
    }
    {
        SCOPED_TRACE("Skipjack with SEQUENCE { iv }");
        ExpectOpens(Skipjack(), plain);
    }
    {
        SCOPED_TRACE("3DES-CBC");
        ExpectOpens(TripleDes(), plain);
    }
}

TEST_F(EnvRead, TheOlderFormWithoutTheKekWrapper) {
    for (CmsSample s : {Aes256(), TripleDes(), Skipjack()}) {
        s.pwriKekWrapper = false;
        ExpectOpens(s, PatternBytes(100, 2));
    }
}

TEST_F(EnvRead, OpenSslForms) {
    std::string plain = PatternBytes(4097, 3);
    ExpectOpens(Aes("2.16.840.1.101.3.4.1.2", 16), plain);
    ExpectOpens(Aes("2.16.840.1.101.3.4.1.22", 24), plain);
    ExpectOpens(Aes("2.16.840.1.101.3.4.1.42", 32), plain);
    CmsSample bf = Blowfish("1.3.6.1.4.1.3029.1.2", 16, 16); // OpenSSL's Blowfish: 16-byte keys, version 3
    bf.envelopedVersion = 3;
    ExpectOpens(bf, plain);
    CmsSample cast = Cast5();
    cast.envelopedVersion = 3;
    ExpectOpens(cast, plain);
    // BER, as openssl cms -stream writes it, in odd segment sizes and pushes.
    for (size_t segment : {1, 7, 16, 1000}) {
        CmsSample s = Aes("2.16.840.1.101.3.4.1.2", 16);
        s.indefinite = true;
        s.segment = segment;
        ExpectOpens(s, plain, 333);
    }
}

TEST_F(EnvRead, DerivationParametersAsWritten) {
    CmsSample s = Aes256();
    s.envelopedVersion = 3;
    s.prfOid = kSha256;
    s.writeKeyLength = true;
    s.saltLen = 16;
    ExpectOpens(s, "sha256");
    // An explicit key length says which key-encryption key: 16 bytes of Blowfish in a version 0 envelope.
    CmsSample bf = Blowfish("1.3.6.1.4.1.3029.1.1.2", 32, 16);
    bf.writeKeyLength = true;
    ExpectOpens(bf, "explicit");
}

TEST_F(EnvRead, IterationCountsBeyondTenMillionAreRefusedWithoutDeriving) {
    CmsSample s = Aes256();
    s.claimedIterations = 10000000; // the most accepted: the recipient asks for the key
    std::string env = MakePasswordEnvelope(s, kPassword, "x");
    CRYPT_ENVELOPE e;
    int copied = 0;
    ASSERT_EQ(cryptCreateEnvelope(&e, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    EXPECT_EQ(cryptPushData(e, env.data(), int(env.size()), &copied), CRYPT_ENVELOPE_RESOURCE);
    cryptDestroyEnvelope(e);

    for (uint32_t count : {10000001u, 0xFFFFFFFFu}) {
        s.claimedIterations = count;
        env = MakePasswordEnvelope(s, kPassword, "x");
        long before = KDF_DerivationCount();
        auto start = std::chrono::steady_clock::now();
        Opened o = Open(env, kPassword);
        EXPECT_EQ(o.passwordRc, 1); // never asked
        EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
        EXPECT_EQ(o.popRc, CRYPT_ERROR_BADDATA);
        EXPECT_EQ(KDF_DerivationCount(), before);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
}

TEST_F(EnvRead, UnknownAlgorithmsAndBrokenRecipients) {
    using testsupport::DerOid;
    std::string good = MakePasswordEnvelope(Aes256(), kPassword, "abc");
    CmsSample sha = Aes256();
    sha.prfOid = kSha256;
    std::string goodSha = MakePasswordEnvelope(sha, kPassword, "abc");
    struct Case {
        const char *name;
        const std::string *env;
        std::string from, to; // replacements of the same length
    } cases[] = {
        {"unknown cipher", &good, DerOid("2.16.840.1.101.3.4.1.42"), DerOid("2.16.840.1.101.3.4.1.46")},
        {"unknown KDF", &good, DerOid("1.2.840.113549.1.5.12"), DerOid("1.2.840.113549.1.5.13")},
        {"unknown PRF", &goodSha, DerOid(kSha256), DerOid("1.2.840.113549.2.15")},
        {"not PWRI-KEK", &good, DerOid("1.2.840.113549.1.9.16.3.9"), DerOid("1.2.840.113549.1.9.16.3.8")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string bad = *c.env;
        size_t at = bad.find(c.from);
        ASSERT_NE(at, std::string::npos);
        ASSERT_EQ(c.from.size(), c.to.size());
        bad.replace(at, c.from.size(), c.to);
        Opened o = Open(bad, kPassword);
        EXPECT_FALSE(OpenedCleanly(o));
        EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
        EXPECT_TRUE(o.data.empty());
    }
    // A wrapped key one byte short of whole blocks (and the lengths around it no longer adding up).
    std::string env = good;
    size_t at = env.find(std::string("\x04\x30", 2)); // the 48-byte wrapped key
    ASSERT_NE(at, std::string::npos);
    env[at + 1] = 0x2f;
    env.erase(at + 2, 1);
    EXPECT_EQ(Open(env, kPassword).flushRc, CRYPT_ERROR_BADDATA);
}

TEST_F(EnvRead, AHeaderElementOfUnknownSizeIsWaitedForOnlyUpToItsLimit) {
    using testsupport::Ber;
    using testsupport::Der;
    using testsupport::DerInt;
    using testsupport::DerOid;
    // An originatorInfo of indefinite length that never ends, fed a byte at a time.
    std::string env = Ber(0x30, DerOid("1.2.840.113549.1.7.3") +
                                    Ber(0xA0, Ber(0x30, DerInt(2) + std::string("\xa0\x80", 2) + Repeat("\x04\x01\x41", 7000))));
    auto start = std::chrono::steady_clock::now();
    Opened o = Open(env, kPassword, 1);
    EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(EnvRead, DataEnvelopesOfOtherShapes) {
    using testsupport::Ber;
    using testsupport::Der;
    using testsupport::DerOid;
    std::string plain = PatternBytes(3333, 8);
    for (bool indefinite : {false, true}) {
        Opened o = Open(testsupport::MakeDataEnvelope(plain, indefinite), nullptr, 100);
        EXPECT_TRUE(OpenedCleanly(o));
        EXPECT_TRUE(o.data == plain);
    }
    // A ContentInfo(data) without content holds nothing.
    Opened o = Open(Der(0x30, DerOid("1.2.840.113549.1.7.1")), nullptr);
    EXPECT_TRUE(OpenedCleanly(o));
    EXPECT_TRUE(o.data.empty());
}

// A wrap that holds under the password but carries a key longer than any
// cipher's: refused as it is unwrapped, never copied past the key's room.
TEST_F(EnvRead, AWrappedKeyLongerThanAnyKeyIsRefused) {
    for (size_t length : {65, 150, 255}) {
        SCOPED_TRACE(length);
        CmsSample s = Aes256();
        s.wrappedKeyLen = length;
        Opened o = Open(MakePasswordEnvelope(s, kPassword, "planted"), kPassword);
        EXPECT_EQ(o.passwordRc, CRYPT_ERROR_WRONGKEY);
        EXPECT_TRUE(o.data.empty());
    }
}

// Each password recipient costs a derivation: only the first one is tried.
TEST_F(EnvRead, OnlyTheFirstPasswordRecipientIsTried) {
    CmsSample s = Aes256();
    s.recipients = 4;
    std::string env = MakePasswordEnvelope(s, kPassword, "abc");
    long before = KDF_DerivationCount();
    EXPECT_EQ(Open(env, "not the password").passwordRc, CRYPT_ERROR_WRONGKEY);
    EXPECT_EQ(KDF_DerivationCount() - before, 1);
    EXPECT_TRUE(Open(env, kPassword).data == "abc");
}
