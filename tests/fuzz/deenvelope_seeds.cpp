// Writes the seed corpus for deenvelope_fuzz into the folder named on the
// command line: envelopes under the password "fuzz" at one PBKDF2 iteration in
// every form the reader knows, each behind the byte that tells the target how
// to push it.
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "support/cms_builder.h"
#include "unit/crypto_envelope_support.h"

#include <cstdio>
#include <string>

using namespace testsupport;

namespace {
std::string g_dir;
int g_count = 0;

void Write(const std::string &envelope) {
    // one seed pushed whole, one in 13-byte pieces
    for (unsigned char how : {255, 12}) {
        std::string path = g_dir + "/seed" + std::to_string(++g_count);
        FILE *f = fopen(path.c_str(), "wb");
        if (!f)
            return;
        fputc(how, f);
        fwrite(envelope.data(), 1, envelope.size(), f);
        fclose(f);
    }
}
} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: deenvelope_seeds FOLDER\n");
        return 2;
    }
    g_dir = argv[1];
    KDF_SetTestIterations(1, 0);
    if (cryptInit() != CRYPT_OK)
        return 1;
    const std::string plain = PatternBytes(100, 1);
    for (int algo : {CRYPT_ALGO_AES, CRYPT_ALGO_BLOWFISH, CRYPT_ALGO_CAST, CRYPT_ALGO_SKIPJACK})
        for (bool withSize : {true, false})
            Write(cryptotest::Seal(plain, "fuzz", algo, withSize, 37).bytes);
    Write(cryptotest::Seal(plain, nullptr, 0, true).bytes);
    Write(cryptotest::Seal(plain, nullptr, 0, false, 30).bytes);

    CmsSample legacy; // cryptlib's version 0, AES-256, hmacWithSHA1, 8-byte salt
    legacy.iterations = 1;
    Write(MakePasswordEnvelope(legacy, "fuzz", plain));
    CmsSample cast = legacy;
    cast.cipherOid = "1.2.840.113533.7.66.10";
    cast.gcryAlgo = GCRY_CIPHER_CAST5;
    cast.blockSize = 8;
    cast.cekLen = cast.kekLen = 16;
    cast.params = CMS_PARAMS_SEQ_IV_KEYBITS;
    cast.pwriKekWrapper = false;
    Write(MakePasswordEnvelope(cast, "fuzz", plain));
    CmsSample des = legacy;
    des.cipherOid = "1.2.840.113549.3.7";
    des.gcryAlgo = GCRY_CIPHER_3DES;
    des.blockSize = 8;
    des.cekLen = des.kekLen = 24;
    des.indefinite = true;
    des.segment = 9;
    Write(MakePasswordEnvelope(des, "fuzz", plain));
    Write(MakeDataEnvelope(plain, true));
    // Wraps that hold under the password but carry keys longer than any cipher's:
    // the fuzzer cannot make them itself, the wrap being encrypted.
    for (size_t length : {64, 65, 150, 255}) {
        CmsSample longKey = legacy;
        longKey.wrappedKeyLen = length;
        Write(MakePasswordEnvelope(longKey, "fuzz", plain));
    }
    cryptEnd();
    printf("%d seeds in %s\n", g_count, g_dir.c_str());
    return 0;
}
