// Writes the seeds of the safe reader's fuzz target into a folder: sample safes
// of several versions, with and without the password "fuzz" (one iteration),
// and a large crafted safe whose folders share their ids.
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "fuzz/seed_files.h"
#include "fuzz/seed_safes.h"

#include <string>

int main(int argc, char **argv) {
    const std::string folder = fuzzseeds::Folder(argc, argv, "safe_reader_seeds");
    if (folder.empty())
        return 2;
    KDF_SetTestIterations(1, 1000);
    if (cryptInit() != CRYPT_OK)
        return 1;
    int n = 0;
    for (const auto &spec : fuzzseeds::SampleSafes())
        if (!fuzzseeds::Write(folder, "seed-" + std::to_string(n++), testsupport::BuildSafe(spec)))
            return 1;
    if (!fuzzseeds::Write(folder, "seed-shared-ids", testsupport::BuildSafe(fuzzseeds::SharedIdSafe(8000, 8000))))
        return 1;
    cryptEnd();
    return 0;
}
