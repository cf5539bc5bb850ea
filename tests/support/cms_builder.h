// Builds CMS envelopes by hand from their ASN.1, independently of the envelope
// engine (libgcrypt directly, our Skipjack for the one cipher it lacks), so the
// tests can hand the reader the forms older cryptlib versions and other tools
// wrote, and damage them on purpose.
#pragma once

#include <gcrypt.h>

#include <cstdint>
#include <string>

namespace testsupport {

using Bytes = std::string;

Bytes Der(uint8_t tag, const Bytes &content); // definite length
Bytes Ber(uint8_t tag, const Bytes &content); // indefinite length, end-of-contents after it
Bytes DerInt(uint64_t value);
Bytes DerOid(const char *dotted);
Bytes DerOctets(const Bytes &value);
Bytes DerNull();
Bytes FromHex(const char *hex);
std::string ToHex(const Bytes &bytes);
// Reproducible bytes for test data.
Bytes PatternBytes(size_t n, unsigned seed = 1);

enum CmsParams {
    CMS_PARAMS_IV,              // OCTET STRING iv
    CMS_PARAMS_SEQ_IV,          // SEQUENCE { iv }
    CMS_PARAMS_SEQ_IV_KEYBITS,  // SEQUENCE { iv, keyLength INTEGER (bits) }  (CAST5, RFC 2144)
};

struct CmsSample {
    int envelopedVersion = 0;
    const char *cipherOid = "2.16.840.1.101.3.4.1.42";
    int gcryAlgo = GCRY_CIPHER_AES256; // libgcrypt cipher id; 0: Skipjack
    size_t blockSize = 16;
    size_t cekLen = 32;      // content key
    size_t kekLen = 32;      // key-encryption key
    CmsParams params = CMS_PARAMS_IV;
    bool pwriKekWrapper = true; // keyEncryptionAlgorithm inside id-alg-PWRI-KEK
    const char *prfOid = nullptr; // nullptr: implied hmacWithSHA1
    bool writeKeyLength = false;  // PBKDF2-params keyLength
    size_t saltLen = 8;
    uint32_t iterations = 1000;
    uint32_t claimedIterations = 0; // written instead of iterations (the key stays derived with those)
    bool indefinite = false;   // BER with the content in segments
    size_t segment = 1000;     // segment size for indefinite content
    size_t wrappedKeyLen = 0;  // a key of this length in the wrap instead of the content key (hostile lengths)
    int recipients = 1;        // copies of the password recipient
};

// ContentInfo(envelopedData) with one PasswordRecipientInfo, as RFC 3211 lays it out.
Bytes MakePasswordEnvelope(const CmsSample &spec, const std::string &password, const Bytes &plain);
// ContentInfo(data) around the bytes.
Bytes MakeDataEnvelope(const Bytes &plain, bool indefinite);

} // namespace testsupport
