// A private folder for the files a fuzz target writes, in memory where there is
// such a file system: the readers and writers flush every file they replace,
// and on a disk the flushes would be most of each run.
#pragma once

#include "frame/logs.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace fuzzseeds {

// "<base>/orv_<name>_XXXXXX" made anew and removed at exit, one per program. A
// program that cannot have it stops: a target without its files would test nothing.
inline std::string ScratchDir(const char *name) {
    static std::string made;
    struct stat st;
    const char *base = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
    std::string dir = std::string(base) + "/orv_" + name + "_XXXXXX";
    if (!made.empty() || !mkdtemp(&dir[0]))
        abort();
    made = dir;
    atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(made, ignored);
    });
    return dir;
}

// A scratch folder made the program directory, so the logs, settings and files
// the program keeps there go into it; its path.
inline std::string ScratchProgramDir(const char *name) {
    std::string dir = ScratchDir(name);
    snprintf(szProgramDir, sizeof szProgramDir, "%s", dir.c_str());
    return dir;
}

} // namespace fuzzseeds
