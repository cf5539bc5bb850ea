// Writes the seeds of the JSON import's target into a folder: the exports of
// the sample safes, read from the files the safe builder makes.
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "frame/logs.h"
#include "fuzz/safe_file.h"
#include "fuzz/seed_files.h"
#include "fuzz/seed_safes.h"
#include "store/safe_json.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char **argv) {
    const std::string folder = fuzzseeds::Folder(argc, argv, "safe_json_seeds");
    if (folder.empty())
        return 2;
    KDF_SetTestIterations(1, 1000);
    szProgramDir[0] = 0; // no logs, no settings file
    if (cryptInit() != CRYPT_OK)
        return 1;
    const std::string path = "/tmp/orv-json-seeds-" + std::to_string(getpid()) + ".saf";
    int n = 0;
    for (const auto &spec : fuzzseeds::SampleSafes()) {
        if (!fuzzseeds::WriteFile(path, testsupport::BuildSafe(spec)) ||
            fuzzseeds::ReadSafeFile(path) != 0 ||
            !fuzzseeds::Write(folder, "seed-" + std::to_string(n++), SW_ExportJson(TmpSafeHeader, TmpSafeControl)))
            return 1;
        fuzzseeds::ReleaseSafe();
    }
    remove(path.c_str());
    cryptEnd();
    return 0;
}
