// The files and folders that the recovery file's paths name in its fuzz target:
// made by the target, named by its seeds. Nothing in them is ever changed.
#pragma once

#include "platform/platform.h"

#include <string>

namespace fuzzseeds {

const char kRecoverTree[] = "/tmp/orv-recover-fuzz";

// Entries of the tree: its path and the attributes it is given.
struct RecoverEntry {
    const char *name;
    bool folder;
    uint32_t attributes;
};
const RecoverEntry kRecoverEntries[] = {
    {"file.txt", false, PL_ATTR_NORMAL},   {"folder", true, PL_ATTR_NORMAL},
    {"folder/inner.txt", false, PL_ATTR_NORMAL}, {"readonly.txt", false, PL_ATTR_READONLY},
    {"system.txt", false, PL_ATTR_SYSTEM},
};

inline void MakeRecoverTree() {
    PL_CreateDirectory(kRecoverTree);
    for (const RecoverEntry &e : kRecoverEntries) {
        std::string path = std::string(kRecoverTree) + "/" + e.name;
        if (e.folder) {
            PL_CreateDirectory(path.c_str());
        } else if (PL_HANDLE h = PL_CreateFile(path.c_str(), PL_GENERIC_WRITE, PL_SHARE_NONE, PL_OPEN_ALWAYS, 0)) {
            PL_CloseHandle(h);
        }
        PL_SetFileAttributes(path.c_str(), e.attributes);
    }
}

} // namespace fuzzseeds
