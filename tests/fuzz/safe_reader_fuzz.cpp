// libFuzzer target for the whole safe reader: the bytes are written to a file
// and read as opening a safe reads it (header, control block with the password
// "fuzz", every section, with and without a password). Whatever the bytes, the
// read must end with 0 or -1, and ASan must stay quiet. Inputs reach a megabyte
// (safe_reader_fuzz.options), so costs that grow faster than the records show.
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "frame/logs.h"
#include "fuzz/safe_file.h"
#include "fuzz/scratch_dir.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::string dir = fuzzseeds::ScratchDir("safe_fuzz"), path = dir + "/fuzz.saf";
    static const bool ready = [] {
        KDF_SetTestIterations(1, 1000);
        szProgramDir[0] = 0; // no logs, no settings file
        return cryptInit() == CRYPT_OK;
    }();
    if (!ready)
        return 0;
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    fuzzseeds::ReadSafeFile(path);
    fuzzseeds::ReleaseSafe();
    return 0;
}
