// Interop with an independent CMS implementation: OpenSSL's cms command opens
// what we write, and we open what it writes. Native only (it runs the openssl
// program); skipped when there is none.
#ifndef _WIN32

#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "support/cms_builder.h"
#include "support/temp_dir.h"
#include "unit/crypto_envelope_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

using namespace cryptotest;
using testsupport::PatternBytes;

namespace {
const char kPassword[] = "Interop pass 1";
const size_t kSizes[] = {0, 1, 15, 16, 17, 4095, 4096, 100000};

struct Cipher {
    int algo;
    const char *opensslName;
    bool legacyProvider; // OpenSSL 3 keeps Blowfish and CAST5 in its legacy provider
};
const Cipher kCiphers[] = {
    {CRYPT_ALGO_AES, "-aes256", false},
    {CRYPT_ALGO_BLOWFISH, "-bf-cbc", true},
    {CRYPT_ALGO_CAST, "-cast5-cbc", true},
};

// OpenSSL's side runs as a program; its files are ours through the seam.
class OpenSslInterop : public testsupport::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        if (system("openssl version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "no openssl program";
        ASSERT_EQ(cryptInit(), CRYPT_OK);
    }
    void TearDown() override {
        KDF_SetTestIterations(0, 0);
        TempDirTest::TearDown();
    }
    // The POSIX seam takes backslashes; the shell wants slashes.
    std::string Native(const std::string &name) const {
        std::string p = Path(name);
        for (char &c : p)
            if (c == '\\')
                c = '/';
        return p;
    }
    int OpenSsl(const std::string &args, bool legacy) {
        std::string cmd = std::string("openssl cms ") + args + " -pwri_password '" + kPassword + "'" +
                          (legacy ? " -provider legacy -provider default" : "") + " 2>'" + Native("err.txt") + "'";
        int rc = system(cmd.c_str());
        return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    }
    // OpenSSL opens our envelope: the bytes it restores, or "<failed>".
    std::string OpenSslDecrypt(const std::string &envelope, bool legacy) {
        EXPECT_TRUE(testsupport::WriteFile(Path("env.der"), envelope));
        PL_DeleteFile(Path("out.bin").c_str());
        int rc = OpenSsl("-decrypt -binary -inform DER -in '" + Native("env.der") + "' -out '" + Native("out.bin") + "'",
                         legacy);
        if (rc != 0)
            return "<failed> " + testsupport::ReadFile(Path("err.txt"));
        return testsupport::ReadFile(Path("out.bin"));
    }
    // OpenSSL writes an envelope of plain.
    std::string OpenSslEncrypt(const std::string &plain, const Cipher &c, bool stream) {
        EXPECT_TRUE(testsupport::WriteFile(Path("plain.bin"), plain));
        PL_DeleteFile(Path("env.der").c_str());
        int rc = OpenSsl(std::string("-encrypt -binary -outform DER ") + (stream ? "-stream " : "") + c.opensslName +
                             " -in '" + Native("plain.bin") + "' -out '" + Native("env.der") + "'",
                         c.legacyProvider);
        EXPECT_EQ(rc, 0) << testsupport::ReadFile(Path("err.txt"));
        return testsupport::ReadFile(Path("env.der"));
    }
};
} // namespace

TEST_F(OpenSslInterop, OpenSslOpensWhatWeWrite) {
    // The size sweep at fewer iterations (OpenSSL derives afresh for every file) ...
    KDF_SetTestIterations(2048, 0);
    for (const Cipher &c : kCiphers) {
        for (size_t size : kSizes) {
            std::string plain = PatternBytes(size, static_cast<unsigned>(size) + 1);
            for (bool withSize : {true, false}) {
                SCOPED_TRACE(testing::Message() << c.opensslName << " size " << size << " datasize " << withSize);
                Sealed s = Seal(plain, kPassword, c.algo, withSize, 2048, withSize ? 0 : 4096);
                ASSERT_EQ(s.rc, CRYPT_OK);
                EXPECT_TRUE(OpenSslDecrypt(s.bytes, c.legacyProvider) == plain);
            }
        }
    }
    // ... and every cipher and form once as the program writes it, at 1,000,000.
    KDF_SetTestIterations(0, 0);
    std::string plain = PatternBytes(4097, 77);
    for (const Cipher &c : kCiphers) {
        for (bool withSize : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.opensslName << " datasize " << withSize);
            Sealed s = Seal(plain, kPassword, c.algo, withSize);
            EXPECT_TRUE(OpenSslDecrypt(s.bytes, c.legacyProvider) == plain);
        }
    }
    // An envelope without a password is plain CMS data.
    Sealed s = Seal("no secret", nullptr, 0, true);
    EXPECT_TRUE(testsupport::WriteFile(Path("data.der"), s.bytes));
    std::string cmd = "openssl cms -data_out -binary -inform DER -in '" + Native("data.der") + "' -out '" +
                      Native("data.out") + "' 2>/dev/null";
    EXPECT_EQ(system(cmd.c_str()), 0);
    EXPECT_EQ(testsupport::ReadFile(Path("data.out")), "no secret");
}

TEST_F(OpenSslInterop, WeOpenWhatOpenSslWrites) {
    const Cipher ciphers[] = {
        {CRYPT_ALGO_AES, "-aes128", false},
        {CRYPT_ALGO_AES, "-aes256", false},
        {CRYPT_ALGO_BLOWFISH, "-bf-cbc", true},
        {CRYPT_ALGO_CAST, "-cast5-cbc", true},
    };
    for (const Cipher &c : ciphers) {
        for (size_t size : kSizes) {
            std::string plain = PatternBytes(size, static_cast<unsigned>(size) + 2);
            for (bool stream : {false, true}) {
                SCOPED_TRACE(testing::Message() << c.opensslName << " size " << size << " stream " << stream);
                std::string env = OpenSslEncrypt(plain, c, stream);
                ASSERT_FALSE(env.empty());
                Opened o = Open(env, kPassword, 2048); // as file decryption feeds it
                EXPECT_TRUE(OpenedCleanly(o));
                EXPECT_EQ(o.passwordRc, CRYPT_OK);
                EXPECT_TRUE(o.data == plain);
                EXPECT_EQ(Open(env, "Interop pass 2").passwordRc, CRYPT_ERROR_WRONGKEY);
            }
        }
    }
}

#endif
