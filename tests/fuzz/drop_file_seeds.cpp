// Writes the seeds of the drop-file target into a folder: droplists of files,
// folders and their members as the program writes them, once as the plain
// content (enveloped by the target) and once as the file under "fuzz".
#include "crypto/cryptlib.h"
#include "crypto/envelope_stream.h"
#include "crypto/kdf.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "fuzz/scratch_dir.h"
#include "fuzz/seed_files.h"
#include "store/drop_file.h"
#include "store/safe_state.h"
#include "tools/droplist.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {
// The drop file the program writes for the droplist, under the password or none.
std::string DropFile(const char *password) {
    SAFEHEADER header{};
    header.nPasswort = password[0] ? 1 : 0;
    SW_SetPassword(cActPasswort, password);
    if (SW_WriteDropList(&header) != 0)
        return "";
    char path[DROPLIST_IMAGE_SIZE];
    SW_DropFilePath(cActSafePath, path, sizeof path);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
} // namespace

int main(int argc, char **argv) {
    const std::string folder = fuzzseeds::Folder(argc, argv, "drop_file_seeds");
    if (folder.empty())
        return 2;
    const std::string dir = fuzzseeds::ScratchProgramDir("drop_seeds");
    snprintf(cActSafePath, sizeof cActSafePath, "%s/seed.saf", dir.c_str());
    KDF_SetTestIterations(1, 1000);
    if (cryptInit() != CRYPT_OK)
        return 1;
    const char *paths[] = {"C:\\Users\\me\\tax.pdf", "C:\\Users\\me\\photos", "C:\\Users\\me\\photos\\a.jpg",
                           "D:\\x"};
    const uint32_t kinds[] = {KZ_FILE, KZ_FOLDER, KZ_MEMBER, KZ_FILE};
    int n = 0;
    for (int entries = 1; entries <= 4; entries += 3) {
        DW_FreeDroptabelle();
        DW_ResetDropCounters();
        for (int i = 0; i < entries; ++i)
            DW_AddDropList(paths[i], kinds[i], i == 3 ? PL_INVALID_ATTRIBUTES : 0x20);
        std::string open = DropFile(""), sealed = DropFile("fuzz");
        char *plain = nullptr;
        uint32_t length = 0;
        if (open.empty() || sealed.empty() ||
            CY_OpenEnvelope(open.data(), static_cast<uint32_t>(open.size()), "", &plain, &length) != CY_OPEN_OK)
            return 1;
        bool ok = fuzzseeds::Write(folder, "plain-" + std::to_string(n), std::string(1, '\0') + std::string(plain, length)) &&
                  fuzzseeds::Write(folder, "file-" + std::to_string(n), std::string(1, '\3') + sealed);
        T_FreeSecret("FZ_F_00", plain, length);
        if (!ok)
            return 1;
        ++n;
    }
    DW_FreeDroptabelle();
    cryptEnd();
    return 0;
}
