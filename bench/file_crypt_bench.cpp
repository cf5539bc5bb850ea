// Throughput of file encryption in place (docryptMyFile, then doencryptMyFile)
// on a 256 MiB file, against `openssl enc -aes-256-cbc` on the same file in the
// same run. Usage: file_crypt_bench [MiB]
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "crypto/file_crypt.h"
#include "frame/logs.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }
} // namespace

int main(int argc, char **argv) {
    size_t mib = argc > 1 ? static_cast<size_t>(atoi(argv[1])) : 256;
    cryptInit();
    Settings.CryptAlgo = 8;
    szProgramDir[0] = 0;
    std::string path = "/tmp/orv-file-bench-" + std::to_string(getpid()) + ".bin";
    {
        FILE *f = fopen(path.c_str(), "wb");
        std::vector<char> block(1 << 20);
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>(i * 131 + 7);
        for (size_t i = 0; i < mib; ++i)
            fwrite(block.data(), 1, block.size(), f);
        fclose(f);
    }
    // The one key derivation is made on a small file first.
    std::string small = path + ".small";
    FILE *s = fopen(small.c_str(), "wb");
    fputs("warm", s);
    fclose(s);
    bool warmed = docryptMyFile(small.c_str(), "bench", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) == 0 && doencryptMyFile(small.c_str(), "bench", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) == 0;
    unlink(small.c_str());
    if (!warmed)
        return 1;

    auto t = Clock::now();
    if (docryptMyFile(path.c_str(), "bench", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) != 0)
        return 1;
    double enc = Seconds(t);
    t = Clock::now();
    if (doencryptMyFile(path.c_str(), "bench", NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) != 0)
        return 1;
    double dec = Seconds(t);
    std::string cmd = "openssl enc -aes-256-cbc -pbkdf2 -iter 1 -pass pass:bench -in " + path + " -out " + path +
                      ".ossl";
    t = Clock::now();
    int rc = system(cmd.c_str());
    double ossl = Seconds(t);
    unlink((path + ".ossl").c_str());
    unlink(path.c_str());
    printf("file of %zu MiB, AES-256\n", mib);
    printf("docryptMyFile:   %.2f s, %.0f MiB/s\n", enc, mib / enc);
    printf("doencryptMyFile: %.2f s, %.0f MiB/s\n", dec, mib / dec);
    if (rc == 0) {
        printf("openssl enc:     %.2f s, %.0f MiB/s\n", ossl, mib / ossl);
        printf("docryptMyFile / openssl throughput: %.2f\n", ossl / enc);
    }
    cryptEnd();
    return 0;
}
