// The envelope engine through its public calls: round trips, streaming, the
// answers the data envelope and file encryption rely on, damage, the layout of
// what it writes and the cost of key derivation.
#include "crypto/cryptlib.h"

#include "crypto/asn1.h"
#include "crypto/kdf.h"
#include "crypto/oids.h"
#include "platform/platform.h"
#include "support/cms_builder.h"
#include "unit/crypto_envelope_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace cryptotest;
using testsupport::FromHex;
using testsupport::PatternBytes;
using testsupport::ToHex;

namespace {
const char kPassword[] = "Correct Horse 7";
const int kAlgos[] = {CRYPT_ALGO_AES, CRYPT_ALGO_BLOWFISH, CRYPT_ALGO_CAST, CRYPT_ALGO_SKIPJACK};
const size_t kSizes[] = {0, 1, 15, 16, 17, 4095, 4096, 100000};

// The engine stays initialised between tests, so the cache keeps the test
// password's key and most tests cost no derivation.
class CryptEnvelope : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(cryptInit(), CRYPT_OK); }
};

// Walks a DER envelope we wrote down to its parts.
struct Layout {
    uint64_t version = 99, pwriVersion = 99, iterations = 0, keyLength = 0;
    std::string salt, prfOid, prfParam, kekWrapperOid, kekOid, kekParams, wrapped, contentOid, contentParams,
        content;
};

std::string Str(const ASN_ELEM &e) { return std::string(reinterpret_cast<const char *>(e.value), e.len); }
std::string Tlv(const ASN_ELEM &e) {
    // the element with its tag and (short) length, for comparing parameter forms
    return std::string(1, static_cast<char>(e.tag)) + std::string(1, static_cast<char>(e.len)) + Str(e);
}

bool ParseLayout(const std::string &der, Layout *l) {
    ASN_IN top, ci, ex, ed, set, pwri, kd, kdp, prf, ke, kein, eci, alg;
    ASN_ELEM e, x;
    ASN_Open(&top, reinterpret_cast<const uint8_t *>(der.data()), der.size());
    if (!ASN_Next(&top, &e) || !ASN_AtEnd(&top) || !ASN_Enter(&e, &ci))
        return false;
    if (!ASN_Next(&ci, &x) || !ASN_IsOid(&x, OID_ENVELOPED_DATA, sizeof OID_ENVELOPED_DATA))
        return false;
    if (!ASN_Next(&ci, &x) || x.tag != 0xA0 || !ASN_Enter(&x, &ex) || !ASN_Next(&ex, &x) || !ASN_Enter(&x, &ed))
        return false;
    if (!ASN_Next(&ed, &x) || !ASN_GetUnsigned(&x, &l->version))
        return false;
    if (!ASN_Next(&ed, &x) || x.tag != 0x31 || !ASN_Enter(&x, &set) || !ASN_Next(&set, &x) || x.tag != 0xA3 ||
        !ASN_AtEnd(&set) || !ASN_Enter(&x, &pwri))
        return false;
    if (!ASN_Next(&pwri, &x) || !ASN_GetUnsigned(&x, &l->pwriVersion))
        return false;
    if (!ASN_Next(&pwri, &x) || x.tag != 0xA0 || !ASN_Enter(&x, &kd) || !ASN_Next(&kd, &x) ||
        !ASN_IsOid(&x, OID_PBKDF2, sizeof OID_PBKDF2) || !ASN_Next(&kd, &x) || !ASN_Enter(&x, &kdp))
        return false;
    if (!ASN_Next(&kdp, &x) || x.tag != ASN_OCTETSTRING)
        return false;
    l->salt = Str(x);
    if (!ASN_Next(&kdp, &x) || !ASN_GetUnsigned(&x, &l->iterations) || !ASN_Next(&kdp, &x) ||
        !ASN_GetUnsigned(&x, &l->keyLength))
        return false;
    if (!ASN_Next(&kdp, &x) || !ASN_Enter(&x, &prf) || !ASN_Next(&prf, &x))
        return false;
    l->prfOid = Str(x);
    if (!ASN_Next(&prf, &x))
        return false;
    l->prfParam = Tlv(x);
    if (!ASN_Next(&pwri, &x) || !ASN_Enter(&x, &ke) || !ASN_Next(&ke, &x))
        return false;
    l->kekWrapperOid = Str(x);
    if (!ASN_Next(&ke, &x) || !ASN_Enter(&x, &kein) || !ASN_Next(&kein, &x))
        return false;
    l->kekOid = Str(x);
    if (!ASN_Next(&kein, &x))
        return false;
    l->kekParams = Tlv(x);
    if (!ASN_Next(&pwri, &x) || x.tag != ASN_OCTETSTRING || !ASN_AtEnd(&pwri))
        return false;
    l->wrapped = Str(x);
    if (!ASN_Next(&ed, &x) || !ASN_Enter(&x, &eci) || !ASN_AtEnd(&ed))
        return false;
    if (!ASN_Next(&eci, &x) || !ASN_IsOid(&x, OID_DATA, sizeof OID_DATA) || !ASN_Next(&eci, &x) ||
        !ASN_Enter(&x, &alg) || !ASN_Next(&alg, &x))
        return false;
    l->contentOid = Str(x);
    if (!ASN_Next(&alg, &x))
        return false;
    l->contentParams = Tlv(x);
    if (!ASN_Next(&eci, &x) || x.tag != 0x80 || !ASN_AtEnd(&eci))
        return false;
    l->content = Str(x);
    return true;
}

std::string OidStr(const uint8_t *oid, size_t len) { return std::string(reinterpret_cast<const char *>(oid), len); }
} // namespace

// ---------------------------------------------------------------- round trips
TEST_F(CryptEnvelope, EveryCipherAndSizeRoundTripsWithAndWithoutDataSize) {
    for (int algo : kAlgos) {
        for (size_t size : kSizes) {
            std::string plain = PatternBytes(size, static_cast<unsigned>(size + algo));
            for (bool withSize : {true, false}) {
                SCOPED_TRACE(testing::Message() << "algo " << algo << " size " << size << " datasize " << withSize);
                Sealed s = Seal(plain, kPassword, algo, withSize);
                ASSERT_EQ(s.rc, CRYPT_OK);
                // Definite lengths with the size known, BER's indefinite form without it.
                EXPECT_EQ(static_cast<uint8_t>(s.bytes[1]) == 0x80, !withSize);
                Opened o = Open(s.bytes, kPassword);
                EXPECT_TRUE(OpenedCleanly(o));
                EXPECT_EQ(o.passwordRc, CRYPT_OK);
                EXPECT_TRUE(o.data == plain);
            }
        }
    }
}

TEST_F(CryptEnvelope, OddChunkSizesOnBothSides) {
    std::string plain = PatternBytes(10007, 3);
    for (int algo : {CRYPT_ALGO_AES, CRYPT_ALGO_SKIPJACK}) {
        for (size_t inChunk : {1, 7, 13, 2048, 4097}) {
            Sealed s = Seal(plain, kPassword, algo, false, inChunk);
            ASSERT_EQ(s.rc, CRYPT_OK);
            for (size_t outChunk : {1, 5, 17, 1000}) {
                SCOPED_TRACE(testing::Message() << algo << " " << inChunk << " " << outChunk);
                Opened o = Open(s.bytes, kPassword, outChunk);
                EXPECT_TRUE(OpenedCleanly(o));
                EXPECT_TRUE(o.data == plain);
            }
        }
    }
}

TEST_F(CryptEnvelope, AnEnvelopeWithoutPasswordOnlyWrapsTheData) {
    Sealed s = Seal("hello", nullptr, CRYPT_ALGO_BLOWFISH, true);
    ASSERT_EQ(s.rc, CRYPT_OK);
    // ContentInfo { data, [0] { OCTET STRING "hello" } }
    EXPECT_EQ(ToHex(s.bytes), "301406092a864886f70d010701a0070405" + ToHex("hello"));
    Sealed streamed = Seal("hello", nullptr, 0, false);
    EXPECT_EQ(ToHex(streamed.bytes), "308006092a864886f70d010701a08024800405" + ToHex("hello") + "000000000000");

    // It opens without a password: no request for one, any password refused as pointless.
    for (const std::string &env : {s.bytes, streamed.bytes}) {
        Opened o = Open(env, "whatever");
        EXPECT_TRUE(OpenedCleanly(o));
        EXPECT_EQ(o.passwordRc, 1);
        EXPECT_EQ(o.data, "hello");
    }
    CRYPT_ENVELOPE env;
    int copied = 0;
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, s.bytes.data(), static_cast<int>(s.bytes.size()), &copied), CRYPT_OK);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "x", 1), CRYPT_ERROR_INITED);
    cryptDestroyEnvelope(env);
}

TEST_F(CryptEnvelope, FileEncryptionPatternTakesEveryChunkWhole) {
    // Buffer 4,096, pushes of 2,048, a pop of up to 4,096 after each push but the last.
    std::string plain = PatternBytes(100000, 5);
    CRYPT_ENVELOPE env;
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
    ASSERT_EQ(cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, 4096), CRYPT_OK);
    ASSERT_EQ(cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, CRYPT_ALGO_CAST), CRYPT_OK);
    ASSERT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))), CRYPT_OK);
    std::string out;
    char buf[4096];
    int n = 0, copied = 0;
    for (size_t pos = 0; pos < plain.size(); pos += 2048) {
        int len = static_cast<int>(std::min<size_t>(2048, plain.size() - pos));
        ASSERT_EQ(cryptPushData(env, plain.data() + pos, len, &copied), CRYPT_OK);
        ASSERT_EQ(copied, len);
        if (pos + len == plain.size())
            break;
        ASSERT_EQ(cryptPopData(env, buf, 4096, &n), CRYPT_OK);
        out.append(buf, n);
    }
    ASSERT_EQ(cryptFlushData(env), CRYPT_OK);
    do {
        ASSERT_EQ(cryptPopData(env, buf, 4096, &n), CRYPT_OK);
        out.append(buf, n);
        ASSERT_EQ(cryptFlushData(env), CRYPT_OK);
    } while (n > 0);
    cryptDestroyEnvelope(env);

    // Decryption: pushes of 2,048 each followed by a pop of up to 4,096.
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    std::string back;
    bool asked = false;
    for (size_t pos = 0; pos < out.size();) {
        int len = static_cast<int>(std::min<size_t>(2048, out.size() - pos));
        int rc = cryptPushData(env, out.data() + pos, len, &copied);
        if (rc == CRYPT_ENVELOPE_RESOURCE) {
            EXPECT_FALSE(asked);
            asked = true;
            EXPECT_EQ(copied, len); // everything pushed was taken
            ASSERT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))),
                      CRYPT_OK);
        } else {
            ASSERT_EQ(rc, CRYPT_OK);
        }
        pos += copied;
        ASSERT_EQ(cryptPopData(env, buf, 4096, &n), CRYPT_OK);
        back.append(buf, n);
    }
    do {
        ASSERT_EQ(cryptFlushData(env), CRYPT_OK);
        ASSERT_EQ(cryptPopData(env, buf, 4096, &n), CRYPT_OK);
        back.append(buf, n);
    } while (n > 0);
    cryptDestroyEnvelope(env);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(back == plain);
}

TEST_F(CryptEnvelope, BufferSizeAndDataSizeBoundWhatAPushTakes) {
    CRYPT_ENVELOPE env;
    int copied = 0, n = 0;
    std::string plain = PatternBytes(10000, 9);
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
    ASSERT_EQ(cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, 4096), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, plain.data(), 10000, &copied), CRYPT_OK);
    EXPECT_EQ(copied, 4096);
    EXPECT_EQ(cryptPushData(env, plain.data() + 4096, 10000 - 4096, &copied), CRYPT_ERROR_OVERFLOW);
    EXPECT_EQ(copied, 0);
    std::vector<char> buf(8192);
    EXPECT_EQ(cryptPopData(env, buf.data(), 8192, &n), CRYPT_OK);
    EXPECT_GT(n, 4096);
    EXPECT_EQ(cryptPushData(env, plain.data() + 4096, 10000 - 4096, &copied), CRYPT_OK);
    EXPECT_EQ(copied, 4096);
    cryptDestroyEnvelope(env);

    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
    ASSERT_EQ(cryptSetAttribute(env, CRYPT_ENVINFO_DATASIZE, 10), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, plain.data(), 6, &copied), CRYPT_OK);
    EXPECT_EQ(cryptFlushData(env), CRYPT_ERROR_UNDERFLOW); // four bytes are still owed
    EXPECT_EQ(cryptPushData(env, plain.data(), 20, &copied), CRYPT_OK);
    EXPECT_EQ(copied, 4);
    EXPECT_EQ(cryptPushData(env, plain.data(), 1, &copied), CRYPT_ERROR_OVERFLOW);
    EXPECT_EQ(cryptFlushData(env), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, plain.data(), 1, &copied), CRYPT_ERROR_COMPLETE);
    cryptDestroyEnvelope(env);
}

// ---------------------------------------------------------------- opening
TEST_F(CryptEnvelope, ThePasswordRecipientAsksForTheKeyAfterTakingEverything) {
    Sealed s = Seal(PatternBytes(5000, 1), kPassword, CRYPT_ALGO_AES, true);
    CRYPT_ENVELOPE env;
    int copied = 0, n = 0;
    char buf[8];
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, s.bytes.data(), int(s.bytes.size()), &copied), CRYPT_ENVELOPE_RESOURCE);
    EXPECT_EQ(copied, int(s.bytes.size()));
    // Until a password comes, popping and flushing ask for it again.
    EXPECT_EQ(cryptPopData(env, buf, sizeof buf, &n), CRYPT_ENVELOPE_RESOURCE);
    EXPECT_EQ(n, 0);
    cryptDestroyEnvelope(env);
}

TEST_F(CryptEnvelope, AWrongPasswordLeavesTheEnvelopeWaitingForTheRightOne) {
    std::string plain = PatternBytes(3000, 2);
    for (int algo : kAlgos) {
        Sealed s = Seal(plain, kPassword, algo, true);
        CRYPT_ENVELOPE env;
        int copied = 0, n = 0;
        std::vector<char> buf(8192);
        ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
        ASSERT_EQ(cryptPushData(env, s.bytes.data(), int(s.bytes.size()), &copied), CRYPT_ENVELOPE_RESOURCE);
        EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "correct horse 7", 15), CRYPT_ERROR_WRONGKEY);
        EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))), CRYPT_OK);
        EXPECT_EQ(cryptFlushData(env), CRYPT_OK);
        EXPECT_EQ(cryptPopData(env, buf.data(), 8192, &n), CRYPT_OK);
        EXPECT_TRUE(std::string(buf.data(), n) == plain);
        cryptDestroyEnvelope(env);
    }
}

TEST_F(CryptEnvelope, TheDataEnvelopesWrongPasswordPathPopsNothing) {
    // push, wrong password, flush, one pop: an error and not a byte.
    Sealed s = Seal("ORVSAFE", kPassword, CRYPT_ALGO_SKIPJACK, true);
    CRYPT_ENVELOPE env;
    int copied = 0, n = -1;
    char out[64] = {0};
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    ASSERT_EQ(cryptPushData(env, s.bytes.data(), int(s.bytes.size()), &copied), CRYPT_ENVELOPE_RESOURCE);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "wrong", 5), CRYPT_ERROR_WRONGKEY);
    EXPECT_EQ(cryptFlushData(env), CRYPT_ENVELOPE_RESOURCE);
    EXPECT_NE(cryptPopData(env, out, sizeof out, &n), CRYPT_OK);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(std::string(out, sizeof out), std::string(sizeof out, '\0'));
    cryptDestroyEnvelope(env);
}

TEST_F(CryptEnvelope, APasswordGivenBeforeTheDataIsTriedWhenTheRecipientArrives) {
    Sealed s = Seal("early", kPassword, CRYPT_ALGO_AES, false);
    CRYPT_ENVELOPE env;
    int copied = 0, n = 0;
    char buf[64];
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    ASSERT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, s.bytes.data(), int(s.bytes.size()), &copied), CRYPT_OK);
    EXPECT_EQ(cryptFlushData(env), CRYPT_OK);
    EXPECT_EQ(cryptPopData(env, buf, sizeof buf, &n), CRYPT_OK);
    EXPECT_EQ(std::string(buf, n), "early");
    cryptDestroyEnvelope(env);

    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    ASSERT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "nope", 4), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, s.bytes.data(), int(s.bytes.size()), &copied), CRYPT_ERROR_WRONGKEY);
    EXPECT_EQ(copied, int(s.bytes.size()));
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))), CRYPT_OK);
    EXPECT_EQ(cryptFlushData(env), CRYPT_OK);
    EXPECT_EQ(cryptPopData(env, buf, sizeof buf, &n), CRYPT_OK);
    EXPECT_EQ(std::string(buf, n), "early");
    cryptDestroyEnvelope(env);
}

TEST_F(CryptEnvelope, DataThatIsNotAnEnvelopeIsRefusedByThePush) {
    const std::string notEnvelopes[] = {
        "Just a text file\r\n",
        std::string("\x30\x0b\x06\x09\x2a\x86\x48\x86\xf7\x0d\x01\x07\x02", 13), // signedData
        std::string("\x04\x03" "abc", 5),
        std::string("\x30\x80\x30\x80\x30\x80\x30\x80", 8),
        std::string(1, '\0') + std::string(100, 'x'),
    };
    for (const std::string &data : notEnvelopes) {
        CRYPT_ENVELOPE env;
        int copied = -1;
        ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
        EXPECT_EQ(cryptPushData(env, data.data(), int(data.size()), &copied), CRYPT_ERROR_BADDATA) << ToHex(data);
        EXPECT_EQ(copied, 0);
        EXPECT_EQ(cryptFlushData(env), CRYPT_ERROR_BADDATA);
        cryptDestroyEnvelope(env);
    }
    // Too little to tell: taken, and refused when no more comes.
    Opened o = Open(std::string("\x30", 1), kPassword);
    EXPECT_EQ(o.pushRc, CRYPT_OK);
    EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
    o = Open("", kPassword);
    EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
}

TEST_F(CryptEnvelope, TruncatedEnvelopesFailAtFlushAndPop) {
    std::string plain = PatternBytes(5000, 4);
    for (bool withSize : {true, false}) {
        Sealed s = Seal(plain, kPassword, CRYPT_ALGO_AES, withSize);
        for (size_t keep : {size_t(20), size_t(200), s.bytes.size() / 2, s.bytes.size() - 17, s.bytes.size() - 1}) {
            SCOPED_TRACE(testing::Message() << withSize << " keep " << keep);
            Opened o = Open(s.bytes.substr(0, keep), kPassword, 1000);
            EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
            EXPECT_EQ(o.popRc, CRYPT_ERROR_BADDATA);
        }
    }
}

TEST_F(CryptEnvelope, DamageFailsAtPopOrFlushAndSticks) {
    std::string plain = PatternBytes(1000, 6);
    Sealed s = Seal(plain, kPassword, CRYPT_ALGO_AES, true);
    // The last byte of the next-to-last block turns the padding byte into 0x8X.
    std::string bad = s.bytes;
    bad[bad.size() - 17] ^= static_cast<char>(0x80);
    CRYPT_ENVELOPE env;
    int copied = 0, n = 0;
    std::vector<char> buf(4096);
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    ASSERT_EQ(cryptPushData(env, bad.data(), int(bad.size()), &copied), CRYPT_ENVELOPE_RESOURCE);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))), CRYPT_OK);
    EXPECT_EQ(cryptPopData(env, buf.data(), 4096, &n), CRYPT_ERROR_BADDATA);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(cryptFlushData(env), CRYPT_ERROR_BADDATA);
    EXPECT_EQ(cryptPushData(env, "x", 1, &copied), CRYPT_ERROR_BADDATA);
    cryptDestroyEnvelope(env);

    // A broken segment header, a broken end-of-contents, bytes after the end.
    Sealed streamed = Seal(plain, kPassword, CRYPT_ALGO_AES, false);
    size_t firstSegment = streamed.bytes.find(std::string("\x04\x82\x03\xe0", 4));
    ASSERT_NE(firstSegment, std::string::npos);
    std::string badSegment = streamed.bytes;
    badSegment[firstSegment] = 0x05;
    std::string badEnd = streamed.bytes;
    badEnd[badEnd.size() - 3] = 0x01;
    std::string trailing = streamed.bytes + std::string(2, '\0');
    for (const std::string &env2 : {badSegment, badEnd, trailing}) {
        SCOPED_TRACE(ToHex(env2.substr(env2.size() - 12)));
        Opened o = Open(env2, kPassword, 512);
        // The push that brings the damage takes it; the calls after it refuse.
        EXPECT_TRUE(o.pushRc == CRYPT_OK || o.pushRc == CRYPT_ERROR_BADDATA);
        EXPECT_EQ(o.passwordRc, CRYPT_OK);
        EXPECT_EQ(o.popRc, CRYPT_ERROR_BADDATA);
        EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
    }
    EXPECT_TRUE(OpenedCleanly(Open(streamed.bytes, kPassword, 512)));
}

TEST_F(CryptEnvelope, LengthsAndNestingBeyondTheInputAreRefused) {
    using testsupport::Ber;
    using testsupport::Der;
    // A definite ContentInfo claiming far more than there is.
    std::string huge = std::string("\x30\x88\x00\x00\x01\x00\x00\x00\x00\x00", 10) +
                       testsupport::DerOid("1.2.840.113549.1.7.1") + std::string("\xa0\x80\x04\x01x\x00\x00", 7);
    Opened o = Open(huge, kPassword);
    EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
    // An OCTET STRING longer than the [0] around it.
    std::string inner = Der(0x30, testsupport::DerOid("1.2.840.113549.1.7.1") +
                                      std::string("\xa0\x03\x04\x7f" "abc", 7));
    o = Open(inner, kPassword);
    EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
    // Constructed strings nested deeper than any writer nests them.
    std::string nested = "x";
    for (int i = 0; i < 40; ++i)
        nested = Ber(0x24, i == 0 ? testsupport::DerOctets(nested) : nested);
    o = Open(Ber(0x30, testsupport::DerOid("1.2.840.113549.1.7.1") + Ber(0xA0, nested)), kPassword);
    EXPECT_EQ(o.flushRc, CRYPT_ERROR_BADDATA);
    // Four levels are fine.
    nested = testsupport::DerOctets("abc");
    for (int i = 0; i < 4; ++i)
        nested = Ber(0x24, nested);
    o = Open(Ber(0x30, testsupport::DerOid("1.2.840.113549.1.7.1") + Ber(0xA0, nested)), kPassword);
    EXPECT_TRUE(OpenedCleanly(o));
    EXPECT_EQ(o.data, "abc");
}

// ---------------------------------------------------------------- what it writes
TEST_F(CryptEnvelope, TheEnvelopeLayoutPerCipher) {
    struct Expect {
        int algo;
        std::string oid;
        std::string params; // IV parameter's form: tag and length
        size_t keyLength;   // of the key-encryption key
        size_t wrapped;     // wrapped content key: 4 + key length, in whole blocks
        size_t bs;
    };
    const Expect expects[] = {
        {CRYPT_ALGO_AES, OidStr(OID_AES256_CBC, sizeof OID_AES256_CBC), "\x04\x10", 32, 48, 16},
        {CRYPT_ALGO_BLOWFISH, OidStr(OID_BLOWFISH_CBC, sizeof OID_BLOWFISH_CBC), "\x04\x08", 16, 40, 8},
        {CRYPT_ALGO_CAST, OidStr(OID_CAST5_CBC, sizeof OID_CAST5_CBC), "\x04\x08", 16, 24, 8},
        {CRYPT_ALGO_SKIPJACK, OidStr(OID_SKIPJACK_CBC, sizeof OID_SKIPJACK_CBC), std::string("\x30\x0a\x04\x08", 4),
         10, 16, 8},
    };
    for (const Expect &x : expects) {
        SCOPED_TRACE(x.algo);
        Sealed s = Seal(PatternBytes(100, 1), kPassword, x.algo, true);
        Layout l;
        ASSERT_TRUE(ParseLayout(s.bytes, &l));
        EXPECT_EQ(l.version, 3u);
        EXPECT_EQ(l.pwriVersion, 0u);
        EXPECT_EQ(l.salt.size(), 16u);
        EXPECT_EQ(l.iterations, 1000000u);
        EXPECT_EQ(l.keyLength, x.keyLength);
        EXPECT_EQ(l.prfOid, OidStr(OID_HMAC_SHA256, sizeof OID_HMAC_SHA256));
        EXPECT_EQ(l.prfParam, std::string("\x05\x00", 2));
        EXPECT_EQ(l.kekWrapperOid, OidStr(OID_PWRI_KEK, sizeof OID_PWRI_KEK));
        EXPECT_EQ(l.kekOid, x.oid);
        EXPECT_EQ(l.contentOid, x.oid);
        EXPECT_EQ(l.kekParams.substr(0, x.params.size()), x.params);
        EXPECT_EQ(l.contentParams.substr(0, x.params.size()), x.params);
        EXPECT_EQ(l.wrapped.size(), x.wrapped);
        EXPECT_EQ(l.content.size(), (100 / x.bs + 1) * x.bs);
        EXPECT_NE(l.kekParams, l.contentParams); // separate random IVs
    }
}

TEST_F(CryptEnvelope, AnUnknownCipherNumberLeavesAes) {
    CRYPT_ENVELOPE env;
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
    EXPECT_EQ(cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, 5), CRYPT_ERROR_NOTAVAIL);
    EXPECT_EQ(cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, CRYPT_ALGO_3DES), CRYPT_ERROR_NOTAVAIL);
    cryptDestroyEnvelope(env);
    Sealed s = Seal("x", kPassword, 5, true);
    Layout l;
    ASSERT_TRUE(ParseLayout(s.bytes, &l));
    EXPECT_EQ(l.contentOid, OidStr(OID_AES256_CBC, sizeof OID_AES256_CBC));
}

// ---------------------------------------------------------------- key derivation
TEST_F(CryptEnvelope, OneSaltPerPasswordPerRun) {
    Layout a, b, c, d;
    ASSERT_TRUE(ParseLayout(Seal("1", "salt test A", 0, true).bytes, &a));
    ASSERT_TRUE(ParseLayout(Seal("2", "salt test A", 0, true).bytes, &b));
    EXPECT_EQ(a.salt, b.salt);
    EXPECT_NE(a.wrapped, b.wrapped); // a fresh content key each time
    EXPECT_NE(a.content, b.content);
    ASSERT_TRUE(ParseLayout(Seal("3", "salt test B", 0, true).bytes, &c));
    EXPECT_NE(a.salt, c.salt);
    ASSERT_EQ(cryptEnd(), CRYPT_OK);
    ASSERT_EQ(cryptInit(), CRYPT_OK);
    ASSERT_TRUE(ParseLayout(Seal("4", "salt test A", 0, true).bytes, &d));
    EXPECT_NE(a.salt, d.salt); // a new run, a new salt
}

TEST_F(CryptEnvelope, ASafeWriteAnOpenAndABatchEachCostOneDerivation) {
    const char *pw = "derivation count";
    std::vector<std::string> blocks;
    ASSERT_EQ(cryptEnd(), CRYPT_OK);
    ASSERT_EQ(cryptInit(), CRYPT_OK);
    long start = KDF_DerivationCount();
    for (int i = 0; i < 4; ++i) // control block and text blocks of one safe
        blocks.push_back(Seal(PatternBytes(200 + i, i), pw, CRYPT_ALGO_BLOWFISH, true).bytes);
    EXPECT_EQ(KDF_DerivationCount() - start, 1);

    ASSERT_EQ(cryptEnd(), CRYPT_OK); // the next program run opens them
    ASSERT_EQ(cryptInit(), CRYPT_OK);
    start = KDF_DerivationCount();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Open(blocks[i], pw).data == PatternBytes(200 + i, i));
    EXPECT_EQ(KDF_DerivationCount() - start, 1);

    ASSERT_EQ(cryptEnd(), CRYPT_OK);
    ASSERT_EQ(cryptInit(), CRYPT_OK);
    start = KDF_DerivationCount();
    for (int i = 0; i < 100; ++i) // a folder of files in one go
        ASSERT_EQ(Seal(PatternBytes(50, i), pw, 0, false, 2048, 4096).rc, CRYPT_OK);
    EXPECT_EQ(KDF_DerivationCount() - start, 1);
}

TEST_F(CryptEnvelope, WrongPasswordsAreNotKeptAndANewPasswordWipesTheOld) {
    Sealed s = Seal("x", "first password", 0, true);
    long start = KDF_DerivationCount();
    EXPECT_EQ(Open(s.bytes, "guess one").passwordRc, CRYPT_ERROR_WRONGKEY);
    EXPECT_EQ(Open(s.bytes, "guess one").passwordRc, CRYPT_ERROR_WRONGKEY);
    EXPECT_EQ(KDF_DerivationCount() - start, 2); // a wrong guess is never cached
    EXPECT_EQ(Open(s.bytes, "first password").data, "x");
    EXPECT_EQ(KDF_DerivationCount() - start, 2); // the right one still is

    // Writing under a changed password drops the old password's keys.
    Seal("y", "second password", 0, true);
    start = KDF_DerivationCount();
    EXPECT_EQ(Open(s.bytes, "first password").data, "x");
    EXPECT_EQ(KDF_DerivationCount() - start, 1);
}

// ---------------------------------------------------------------- calls and arguments
TEST_F(CryptEnvelope, ArgumentsAndLifecycle) {
    CRYPT_ENVELOPE env = 0;
    int copied = 0;
    EXPECT_EQ(cryptCreateEnvelope(&env, 0, CRYPT_FORMAT_AUTO), CRYPT_ERROR_PARAM2);
    EXPECT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, 3), CRYPT_ERROR_PARAM3);
    EXPECT_EQ(cryptCreateEnvelope(nullptr, CRYPT_UNUSED, 1), CRYPT_ERROR_PARAM1);
    EXPECT_EQ(cryptPushData(12345, "x", 1, &copied), CRYPT_ERROR_PARAM1);
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
    EXPECT_EQ(cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, 100), CRYPT_ERROR_PARAM3);
    EXPECT_EQ(cryptSetAttribute(env, 4711, 1), CRYPT_ERROR_PARAM2);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "", 0), CRYPT_ERROR_PARAM4);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, std::string(256, 'p').c_str(), 256),
              CRYPT_ERROR_PARAM4);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, "abc", 3, &copied), CRYPT_OK);
    EXPECT_EQ(cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, CRYPT_ALGO_CAST), CRYPT_ERROR_INITED);
    EXPECT_EQ(cryptSetAttribute(env, CRYPT_ENVINFO_DATASIZE, 3), CRYPT_ERROR_INITED);
    EXPECT_EQ(cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, "other", 5), CRYPT_ERROR_INITED);
    EXPECT_EQ(cryptDestroyEnvelope(env), CRYPT_OK);
    EXPECT_EQ(cryptDestroyEnvelope(env), CRYPT_ERROR_PARAM1);

    // cryptEnd takes every envelope with it; nothing works until cryptInit.
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    EXPECT_EQ(cryptEnd(), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, "x", 1, &copied), CRYPT_ERROR_NOTINITED);
    EXPECT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_ERROR_NOTINITED);
    ASSERT_EQ(cryptInit(), CRYPT_OK);
    EXPECT_EQ(cryptPushData(env, "x", 1, &copied), CRYPT_ERROR_PARAM1);
}

// ---------------------------------------------------------------- memory
namespace {
// Envelopes and opens size bytes in the file-encryption pattern without keeping
// anything; answers how many blocks the engine allocated on the way.
int StreamAllocations(size_t size, bool withSize) {
    PL_ResetFaults();
    std::string chunk = PatternBytes(2048, 1);
    std::string envelopeStart; // the first bytes, enough to open it again below
    CRYPT_ENVELOPE enc, dec;
    int copied = 0, n = 0;
    std::vector<char> buf(4096), plain(4096);
    EXPECT_EQ(cryptCreateEnvelope(&enc, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB), CRYPT_OK);
    EXPECT_EQ(cryptCreateEnvelope(&dec, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    cryptSetAttribute(enc, CRYPT_ATTRIBUTE_BUFFERSIZE, 4096);
    cryptSetAttributeString(enc, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword)));
    if (withSize)
        cryptSetAttribute(enc, CRYPT_ENVINFO_DATASIZE, int(size));
    size_t restored = 0;
    auto feed = [&](int len) {
        // what one side pops goes straight into the other
        for (int pos = 0; pos < len;) {
            int rc = cryptPushData(dec, buf.data() + pos, len - pos, &copied);
            if (rc == CRYPT_ENVELOPE_RESOURCE)
                EXPECT_EQ(cryptSetAttributeString(dec, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword))),
                          CRYPT_OK);
            else
                EXPECT_EQ(rc, CRYPT_OK);
            pos += copied;
            int m = 0;
            while (cryptPopData(dec, plain.data(), 4096, &m) == CRYPT_OK && m > 0)
                restored += m;
        }
    };
    for (size_t done = 0; done < size; done += 2048) {
        EXPECT_EQ(cryptPushData(enc, chunk.data(), 2048, &copied), CRYPT_OK);
        EXPECT_EQ(cryptPopData(enc, buf.data(), 4096, &n), CRYPT_OK);
        feed(n);
    }
    EXPECT_EQ(cryptFlushData(enc), CRYPT_OK);
    do {
        EXPECT_EQ(cryptPopData(enc, buf.data(), 4096, &n), CRYPT_OK);
        feed(n);
    } while (n > 0);
    EXPECT_EQ(cryptFlushData(dec), CRYPT_OK);
    int m = 0;
    while (cryptPopData(dec, plain.data(), 4096, &m) == CRYPT_OK && m > 0)
        restored += m;
    EXPECT_EQ(restored, size);
    cryptDestroyEnvelope(enc);
    cryptDestroyEnvelope(dec);
    return PL_CallCount(PL_FAULT_ALLOC);
}
} // namespace

TEST_F(CryptEnvelope, StreamingNeedsTheSameMemoryForAnySize) {
    for (bool withSize : {false, true}) {
        int small = StreamAllocations(64 * 2048, withSize);
        int large = StreamAllocations(4096 * 2048, withSize);
        EXPECT_EQ(small, large) << withSize;
        EXPECT_LE(large, 8);
    }
}

TEST_F(CryptEnvelope, RunningOutOfMemoryIsAnsweredNotFatal) {
    CRYPT_ENVELOPE env;
    PL_ResetFaults();
    PL_FailCall(PL_FAULT_ALLOC, 1);
    EXPECT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_ERROR_MEMORY);
    Sealed s = Seal(PatternBytes(100, 1), kPassword, CRYPT_ALGO_AES, true);
    ASSERT_EQ(cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO), CRYPT_OK);
    PL_FailCall(PL_FAULT_ALLOC, 1, 10);
    int copied = 0;
    EXPECT_EQ(cryptPushData(env, s.bytes.data(), int(s.bytes.size()), &copied), CRYPT_ERROR_MEMORY);
    PL_ResetFaults();
    cryptDestroyEnvelope(env);
    EXPECT_TRUE(OpenedCleanly(Open(s.bytes, kPassword)));
}
