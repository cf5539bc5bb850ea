// The ASN.1 writer's encodings and the reader's refusals.
#include "crypto/asn1.h"

#include "support/cms_builder.h"

#include <gtest/gtest.h>

using testsupport::FromHex;
using testsupport::ToHex;

namespace {
std::string Written(const ASN_OUT &o) { return std::string(reinterpret_cast<const char *>(o.p), o.len); }
const uint8_t *U(const std::string &s) { return reinterpret_cast<const uint8_t *>(s.data()); }
} // namespace

TEST(Asn1, DefiniteLengthsAndIntegers) {
    uint8_t buf[64];
    ASN_OUT o;
    ASN_Init(&o, buf, sizeof buf);
    ASN_Header(&o, 0x04, 0x7F);
    ASN_Header(&o, 0x04, 0x80);
    ASN_Header(&o, 0x04, 0x1234);
    ASN_Header(&o, 0x04, 0x123456);
    EXPECT_EQ(ToHex(Written(o)), "047f04818004821234" "0483123456");
    EXPECT_EQ(ASN_HeaderSize(0x7F), 2u);
    EXPECT_EQ(ASN_HeaderSize(0x80), 3u);
    EXPECT_EQ(ASN_HeaderSize(0x123456), 5u);
    ASN_Init(&o, buf, sizeof buf);
    ASN_Integer(&o, 0);
    ASN_Integer(&o, 3);
    ASN_Integer(&o, 128);
    ASN_Integer(&o, 1000000);
    EXPECT_EQ(ToHex(Written(o)), "020100" "020103" "02020080" "02030f4240");
}

TEST(Asn1, TheWriterNeverOverrunsItsBuffer) {
    uint8_t buf[4];
    ASN_OUT o;
    ASN_Init(&o, buf, sizeof buf);
    ASN_Tlv(&o, 0x04, "abcdef", 6);
    EXPECT_TRUE(o.overflow);
    EXPECT_LE(o.len, 4u);
}

TEST(Asn1, HeadersTheReaderRefuses) {
    ASN_HDR h;
    EXPECT_EQ(ASN_ReadHeader(U(FromHex("1f01")), 2, &h), ASN_BAD);             // high tag number
    EXPECT_EQ(ASN_ReadHeader(U(FromHex("0480")), 2, &h), ASN_BAD);             // indefinite primitive
    EXPECT_EQ(ASN_ReadHeader(U(FromHex("0489010203040506070809")), 11, &h), ASN_BAD); // nine length bytes
    EXPECT_EQ(ASN_ReadHeader(U(FromHex("0484")), 2, &h), ASN_NEED_MORE);
    ASSERT_EQ(ASN_ReadHeader(U(FromHex("3080")), 2, &h), ASN_OK);
    EXPECT_TRUE(h.indefinite);
    ASSERT_EQ(ASN_ReadHeader(U(FromHex("04820100")), 4, &h), ASN_OK);
    EXPECT_EQ(h.len, 256u);
    EXPECT_EQ(h.hdrLen, 4u);
}

TEST(Asn1, ElementSizesFollowIndefiniteLengthsWithinLimits) {
    uint64_t size = 0;
    std::string e = FromHex("3080" "0401aa" "2480040162" "0000" "0000");
    EXPECT_EQ(ASN_ElementSize(U(e), e.size(), 16, &size), ASN_OK);
    EXPECT_EQ(size, e.size());
    EXPECT_EQ(ASN_ElementSize(U(e), e.size() - 1, 16, &size), ASN_NEED_MORE);
    EXPECT_EQ(ASN_ElementSize(U(e), e.size(), 1, &size), ASN_BAD); // nested deeper than allowed
    std::string definite = FromHex("0405aabb");
    EXPECT_EQ(ASN_ElementSize(U(definite), definite.size(), 16, &size), ASN_NEED_MORE);
}

TEST(Asn1, WalkingElementsInMemory) {
    std::string seq = FromHex("3080" "020105" "0403616263" "0000");
    ASN_IN in, inner;
    ASN_ELEM e, x;
    ASN_Open(&in, U(seq), seq.size());
    ASSERT_TRUE(ASN_Next(&in, &e));
    EXPECT_TRUE(ASN_AtEnd(&in));
    EXPECT_EQ(e.len, 8u); // without the end-of-contents
    ASSERT_TRUE(ASN_Enter(&e, &inner));
    uint64_t v = 0;
    ASSERT_TRUE(ASN_NextIf(&inner, 0x02, &x));
    ASSERT_TRUE(ASN_GetUnsigned(&x, &v));
    EXPECT_EQ(v, 5u);
    EXPECT_FALSE(ASN_NextIf(&inner, 0x02, &x));
    ASSERT_TRUE(ASN_NextIf(&inner, 0x04, &x));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(x.value), x.len), "abc");
    EXPECT_FALSE(ASN_Next(&inner, &x));
    // negative and oversized integers are not counts
    std::string neg = FromHex("0201ff"), big = FromHex("0209010000000000000000");
    ASN_Open(&in, U(neg), neg.size());
    ASSERT_TRUE(ASN_Next(&in, &x));
    EXPECT_FALSE(ASN_GetUnsigned(&x, &v));
    ASN_Open(&in, U(big), big.size());
    ASSERT_TRUE(ASN_Next(&in, &x));
    EXPECT_FALSE(ASN_GetUnsigned(&x, &v));
}
