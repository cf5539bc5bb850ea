// The envelope engine's costs: the time of one key derivation (PBKDF2 at the
// iterations we write), the number of derivations for a safe write of four
// envelopes, for opening them in the next run and for a batch of 100 files,
// and the engine's streaming throughput per cipher in the file-encryption
// pattern (pushes of 2,048 bytes, pops of up to 4,096), beside
// `openssl enc -aes-256-cbc` on the same amount of data when openssl is there.
#include "crypto/cipher.h"
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

const char kPassword[] = "bench password";

std::string Seal(const std::string &plain, int algo, bool withSize) {
    CRYPT_ENVELOPE env;
    cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB);
    cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword)));
    cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, algo);
    if (withSize)
        cryptSetAttribute(env, CRYPT_ENVINFO_DATASIZE, int(plain.size()));
    int copied = 0, n = 0;
    cryptPushData(env, plain.data(), int(plain.size()), &copied);
    cryptFlushData(env);
    std::string out(plain.size() * 4 + 500, '\0');
    cryptPopData(env, &out[0], int(out.size()), &n);
    out.resize(n);
    cryptDestroyEnvelope(env);
    return out;
}

bool Open(const std::string &envelope, std::string *plain) {
    CRYPT_ENVELOPE env;
    cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO);
    int copied = 0, n = 0;
    if (cryptPushData(env, envelope.data(), int(envelope.size()), &copied) == CRYPT_ENVELOPE_RESOURCE)
        cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword)));
    cryptFlushData(env);
    plain->assign(envelope.size(), '\0');
    int rc = cryptPopData(env, &(*plain)[0], int(plain->size()), &n);
    plain->resize(n);
    cryptDestroyEnvelope(env);
    return rc == CRYPT_OK;
}

void NewRun() {
    cryptEnd();
    cryptInit();
}

void DerivationTimes() {
    const struct {
        const char *name;
        KDF_PRF prf;
        size_t keyLen;
    } kinds[] = {{"PBKDF2-HMAC-SHA256, 32-byte key", KDF_PRF_SHA256, 32},
                 {"PBKDF2-HMAC-SHA256, 16-byte key", KDF_PRF_SHA256, 16},
                 {"PBKDF2-HMAC-SHA1, 32-byte key (older envelopes)", KDF_PRF_SHA1, 32}};
    for (const auto &k : kinds) {
        KDF_PARAMS p;
        memset(&p, 0, sizeof p);
        p.saltLen = 16;
        p.iterations = KDF_WriteIterations();
        p.prf = k.prf;
        p.keyLen = k.keyLen;
        uint8_t key[64];
        double best = 1e9;
        for (int i = 0; i < 3; ++i) {
            p.salt[0] = static_cast<uint8_t>(i); // never from the cache
            auto t = Clock::now();
            if (KDF_Derive(reinterpret_cast<const uint8_t *>(kPassword), strlen(kPassword), &p, key) != 0) {
                printf("the derivation failed\n");
                return;
            }
            double s = Seconds(t);
            best = s < best ? s : best;
        }
        printf("one derivation, %s, %u iterations: %.3f s\n", k.name, p.iterations, best);
    }
}

void DerivationCounts() {
    NewRun();
    long start = KDF_DerivationCount();
    std::vector<std::string> blocks;
    auto t = Clock::now();
    for (int i = 0; i < 4; ++i)
        blocks.push_back(Seal(std::string(1000 * (i + 1), char('a' + i)), CRYPT_ALGO_AES, true));
    printf("safe write, 4 envelopes: %ld derivation(s), %.3f s\n", KDF_DerivationCount() - start, Seconds(t));

    NewRun();
    start = KDF_DerivationCount();
    t = Clock::now();
    std::string plain;
    int ok = 0;
    for (const std::string &b : blocks)
        ok += Open(b, &plain);
    printf("safe open in the next run, 4 envelopes (%d opened): %ld derivation(s), %.3f s\n", ok,
           KDF_DerivationCount() - start, Seconds(t));

    NewRun();
    start = KDF_DerivationCount();
    t = Clock::now();
    std::vector<std::string> files;
    for (int i = 0; i < 100; ++i)
        files.push_back(Seal(std::string(5000, char(i)), CRYPT_ALGO_AES, false));
    printf("batch of 100 files encrypted: %ld derivation(s), %.3f s\n", KDF_DerivationCount() - start, Seconds(t));
    NewRun();
    start = KDF_DerivationCount();
    t = Clock::now();
    ok = 0;
    for (const std::string &f : files)
        ok += Open(f, &plain);
    printf("batch of 100 files decrypted in the next run (%d opened): %ld derivation(s), %.3f s\n", ok,
           KDF_DerivationCount() - start, Seconds(t));
}

// Pushes total bytes in 2,048-byte chunks popping up to 4,096 after each; returns MB/s.
double StreamEnvelope(int algo, size_t total, std::string *keep) {
    CRYPT_ENVELOPE env;
    cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB);
    cryptSetAttribute(env, CRYPT_ATTRIBUTE_BUFFERSIZE, 4096);
    cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, algo);
    cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword)));
    std::string chunk(2048, 'x');
    int copied = 0, n = 0;
    // The envelope is kept in memory touched before the clock starts, as openssl
    // writes to /dev/null: growing a string is no part of enveloping.
    keep->assign(total + total / 256 + 8192, '\0');
    size_t kept = 0;
    auto t = Clock::now();
    for (size_t done = 0; done < total; done += 2048) {
        cryptPushData(env, chunk.data(), 2048, &copied);
        cryptPopData(env, &(*keep)[kept], 4096, &n);
        kept += size_t(n);
    }
    cryptFlushData(env);
    do {
        cryptPopData(env, &(*keep)[kept], 4096, &n);
        kept += size_t(n);
    } while (n > 0);
    double s = Seconds(t);
    keep->resize(kept);
    cryptDestroyEnvelope(env);
    return total / s / 1e6;
}

double StreamOpen(const std::string &envelope) {
    CRYPT_ENVELOPE env;
    cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO);
    char out[4096];
    int copied = 0, n = 0;
    size_t plain = 0;
    auto t = Clock::now();
    for (size_t pos = 0; pos < envelope.size();) {
        int len = int(envelope.size() - pos < 2048 ? envelope.size() - pos : 2048);
        if (cryptPushData(env, envelope.data() + pos, len, &copied) == CRYPT_ENVELOPE_RESOURCE)
            cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, kPassword, int(strlen(kPassword)));
        pos += copied;
        cryptPopData(env, out, 4096, &n);
        plain += n;
    }
    do {
        cryptFlushData(env);
        cryptPopData(env, out, 4096, &n);
        plain += n;
    } while (n > 0);
    double s = Seconds(t);
    cryptDestroyEnvelope(env);
    return plain / s / 1e6;
}

void Throughput() {
    const size_t mib = 1024 * 1024;
    const struct {
        const char *name;
        int algo;
        size_t size;
    } ciphers[] = {{"AES-256", CRYPT_ALGO_AES, 128 * mib},
                   {"Blowfish", CRYPT_ALGO_BLOWFISH, 64 * mib},
                   {"CAST5", CRYPT_ALGO_CAST, 64 * mib},
                   {"Skipjack", CRYPT_ALGO_SKIPJACK, 16 * mib}};
    std::string envelope;
    StreamEnvelope(CRYPT_ALGO_AES, 4096, &envelope); // derive once, outside the timing
    for (const auto &c : ciphers) {
        double enc = StreamEnvelope(c.algo, c.size, &envelope);
        double dec = StreamOpen(envelope);
        printf("engine %-8s %4zu MiB: envelope %7.1f MB/s, de-envelope %7.1f MB/s\n", c.name, c.size / mib, enc, dec);
    }
    if (system("openssl version >/dev/null 2>&1") != 0)
        return;
    const char *file = "/tmp/orv_envelope_bench.bin";
    // As much data as the engine took; Blowfish and CAST5 need the legacy provider.
    for (const char *cipher : {"aes-256-cbc", "bf-cbc", "cast5-cbc"}) {
        size_t mb = strcmp(cipher, "aes-256-cbc") == 0 ? 128 : 64;
        std::string cmd = "head -c " + std::to_string(mb * mib) + " /dev/zero > " + file;
        if (system(cmd.c_str()) != 0)
            return;
        cmd = std::string("openssl enc -") + cipher +
              " -provider legacy -provider default -pbkdf2 -iter 1 -pass pass:x -in " + file + " -out /dev/null";
        auto t = Clock::now();
        if (system(cmd.c_str()) == 0)
            printf("openssl enc -%-11s %4zu MiB file to /dev/null: %7.1f MB/s\n", cipher, mb,
                   mb * mib / Seconds(t) / 1e6);
    }
    remove(file);
}
} // namespace

int main() {
    if (cryptInit() != CRYPT_OK)
        return 1;
    DerivationTimes();
    DerivationCounts();
    Throughput();
    cryptEnd();
    return 0;
}
