// libFuzzer target for the droplist recovery file: the input is
// "orvrecover.txt". Whatever the bytes, the file is read and deleted, and
// every entry it gives is a path that exists now, is not refused, and has the
// kind of what it names, without saved attributes; no path is entered twice,
// and no more than REC_MAX_LINES are. The seeds name the files
// and folders of recover_tree.h.
#include "frame/logs.h"
#include "fuzz/scratch_dir.h"
#include "fuzz/recover_tree.h"
#include "platform/platform.h"
#include "tools/droplist.h"
#include "tools/recover_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {
char g_file[MAX_PGM_DIR + 32];

void Check() {
    const uint32_t refused = PL_ATTR_READONLY | PL_ATTR_SYSTEM | PL_ATTR_TEMPORARY | PL_ATTR_OFFLINE;
    std::set<std::string> seen;
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next) {
        if (memchr(d->filename, 0, sizeof d->filename) == nullptr || !seen.insert(d->filename).second ||
            seen.size() > REC_MAX_LINES)
            abort(); // every entry is one path once, and no more than the lines read
        uint32_t a = PL_GetFileAttributes(d->filename);
        if (a == PL_INVALID_ATTRIBUTES || (a & refused) || d->dwAttribute != NO_ATTRIBUTES ||
            d->kz != ((a & PL_ATTR_DIRECTORY) ? KZ_FOLDER : KZ_FILE))
            abort();
    }
    if (PL_GetFileAttributes(g_file) != PL_INVALID_ATTRIBUTES)
        abort(); // read once and deleted
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    static const std::string dir = fuzzseeds::ScratchProgramDir("recover_fuzz");
    snprintf(g_file, sizeof g_file, "%s/%s", dir.c_str(), REC_FILE_NAME);
    fuzzseeds::MakeRecoverTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FILE *f = fopen(g_file, "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);
    REC_AddDropList();
    Check();
    DW_FreeDroptabelle();
    DW_ResetDropCounters();
    return 0;
}
