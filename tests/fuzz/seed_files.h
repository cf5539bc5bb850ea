// What every seed writer shares: the folder named on its command line, one file
// per seed in it.
#pragma once

#include <cstdio>
#include <string>

namespace fuzzseeds {

// The folder from the command line; empty (after a usage line) when there is none.
inline std::string Folder(int argc, char **argv, const char *program) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", program);
        return "";
    }
    return argv[1];
}

inline bool WriteFile(const std::string &path, const std::string &bytes) {
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

inline bool Write(const std::string &folder, const std::string &name, const std::string &bytes) {
    return WriteFile(folder + "/" + name, bytes);
}

} // namespace fuzzseeds
