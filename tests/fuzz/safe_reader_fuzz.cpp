// libFuzzer target for the whole safe reader: the bytes are written to a file
// and read as opening a safe reads it (header, control block with the password
// "fuzz", every section, with and without a password). Whatever the bytes, the
// read must end with 0 or -1, and ASan must stay quiet.
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "frame/logs.h"
#include "model/desktop_profiles.h"
#include "model/list_release.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "platform/uiport.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::string path = "/tmp/orv-safe-fuzz-" + std::to_string(getpid()) + ".saf";
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

    SW_SetPassword(cTmpPasswort, "fuzz");
    if (SW_OpenSafe(path.c_str()) == 0) {
        if (SW_ReadSafeHeader() == 0)
            SW_ReadSafeSections(path.c_str());
        if (tmpSafe)
            PL_CloseHandle(tmpSafe);
        tmpSafe = nullptr;
    }
    SW_ReleaseSafeLists();
    return 0;
}
