// Writes the seeds of the safe reader's fuzz target into a folder: sample safes
// of several versions, with and without the password "fuzz" (one iteration).
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "support/safe_builder.h"

#include <cstdio>
#include <string>

using testsupport::SafeSpec;

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: safe_reader_seeds FOLDER\n");
        return 2;
    }
    KDF_SetTestIterations(1, 1000);
    if (cryptInit() != CRYPT_OK)
        return 1;
    int n = 0;
    for (uint32_t minor : {5u, 8u, 10u, 11u}) {
        for (const char *pw : {"", "fuzz"}) {
            SafeSpec s;
            s.minor = minor;
            s.password = pw;
            s.folders = {{1, 2, "Web", "globe", 1, 1}, {2, 1, "Bank", "", 0, 0}};
            s.fields = {{1, 0, 1, "User", 0, 40, 1}, {1, 1, 2, "Password", 1, 30, 0}, {2, 0, 1, "IBAN", 0, 34, 0}};
            s.cards = {{1, 3, 1, "mail", "", 0, 0}, {2, 4, 1, "Giro", "", 0, 0}};
            s.contents = {{3, 0, "alice"}, {3, 1, "secret"}, {4, 0, "DE00"}};
            s.cardFields = {{4, 0, 1, "Own", 0, 20, 0}};
            s.notes = {{"a note", 0x0085FFFF, 0, 1, 2, 3, 4, "010107", "1200"}};
            s.profiles = {{1, "P", "PC", "01012006"}};
            s.icons = {{0, 1, "Trash", 5, 6}, {1, 1, "", 7, 8}};
            std::string bytes = testsupport::BuildSafe(s);
            std::string path = std::string(argv[1]) + "/seed-" + std::to_string(n++);
            FILE *f = fopen(path.c_str(), "wb");
            if (!f)
                return 1;
            fwrite(bytes.data(), 1, bytes.size(), f);
            fclose(f);
        }
    }
    cryptEnd();
    return 0;
}
