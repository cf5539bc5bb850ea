// libFuzzer target for the drop-file reader. The first byte says what the rest
// is: 0 and 1 the drop file's plain content, enveloped here without a password
// or under "fuzz" (so the fuzzer works on the records, not on ciphertext), 2 and
// 3 the file's bytes as they are, read for a safe without or with a password.
// Whatever the bytes, the read ends with 0 or -1 and ASan stays quiet; a
// droplist it accepted is written out again and reads back the same.
#include "crypto/cryptlib.h"
#include "crypto/envelope_stream.h"
#include "crypto/kdf.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "fuzz/scratch_dir.h"
#include "store/drop_file.h"
#include "store/safe_state.h"
#include "tools/droplist.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {
std::string Chain() {
    std::string s;
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next) {
        if (memchr(d->filename, 0, sizeof d->filename) == nullptr)
            abort();
        s += std::string(d->filename) + "|" + std::to_string(d->index) + "|" + std::to_string(d->kz) + "|" +
             std::to_string(d->dwAttribute) + "\n";
    }
    return s;
}

void Release() {
    DW_FreeDroptabelle();
    DW_ResetDropCounters();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The drop file and the log lines about it go to a folder of our own.
    static const std::string dir = fuzzseeds::ScratchProgramDir("drop_fuzz");
    snprintf(cActSafePath, sizeof cActSafePath, "%s/fuzz.saf", dir.c_str());
    KDF_SetTestIterations(1, 1000);
    cryptInit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > (1u << 20))
        return 0;
    const int how = data[0] % 4;
    SAFEHEADER header{};
    header.nPasswort = how % 2;
    SW_SetPassword(cActPasswort, header.nPasswort ? "fuzz" : "");
    char path[DROPLIST_IMAGE_SIZE];
    if (SW_DropFilePath(cActSafePath, path, sizeof path) != 0)
        return 0;
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_NORMAL);
    if (!h)
        return 0;
    bool written = how < 2 ? CY_EnvelopeToFile(data + 1, static_cast<uint32_t>(size - 1), cActPasswort,
                                               static_cast<int>(header.nPasswort), h, "FUZZ") == 0
                           : T_WriteFile("FUZZ", h, data + 1, static_cast<uint32_t>(size - 1)) == 0;
    PL_CloseHandle(h);
    if (!written)
        return 0;

    if (SW_ReadDropList(cActSafePath, &header) == 0) {
        const std::string read = Chain();
        if (SW_WriteDropList(&header) != 0)
            abort();
        Release();
        if (SW_ReadDropList(cActSafePath, &header) != 0 || Chain() != read)
            abort();
    }
    Release();
    return 0;
}
