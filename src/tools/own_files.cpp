#include "tools/own_files.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "frame/logs.h"
#include "model/category_file.h"
#include "platform/platform.h"
#include "store/safe_state.h"
#include "tools/recover_file.h"

#include <string>
#include <vector>

namespace {
enum PlaceKind {
    PLACE_SELF,   // the file or folder alone
    PLACE_TREE,   // a folder and everything in it
    PLACE_PREFIX, // every name that begins with the text (the open safe's companions)
};
struct Place {
    std::string path;
    PlaceKind kind;
};
std::vector<Place> g_places;

const uint32_t kResolved = 1024;

bool Separator(char c) { return c == '\\' || c == '/'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// As the system resolves it, with backslashes on every system.
bool Resolve(const std::string &path, std::string *out) {
    char buf[kResolved];
    if (PL_ResolvePath(path.c_str(), buf, sizeof buf) != 0)
        return false;
    *out = buf;
    for (char &c : *out)
        if (c == '/')
            c = '\\';
    return true;
}

// A place that does not exist yet is its resolved folder and the name the program will give it.
bool ResolvePlace(const std::string &path, std::string *out) {
    if (Resolve(path, out))
        return true;
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos || cut == 0 || !Resolve(path.substr(0, cut), out))
        return false;
    if (out->empty() || out->back() != '\\')
        *out += '\\';
    *out += path.substr(cut + 1);
    return true;
}

void Add(const std::string &path, PlaceKind kind) {
    Place p{std::string(), kind};
    if (ResolvePlace(path, &p.path))
        g_places.push_back(p);
}

bool Holds(const Place &p, const std::string &r) {
    switch (p.kind) {
    case PLACE_SELF:
        return r == p.path;
    case PLACE_TREE:
        return r.compare(0, p.path.size(), p.path) == 0 &&
               (r.size() == p.path.size() || Separator(p.path.back()) || Separator(r[p.path.size()]));
    case PLACE_PREFIX:
        // A file the program made from the safe's name as the user spelt it may differ in case.
        if (r.size() < p.path.size())
            return false;
        for (size_t i = 0; i < p.path.size(); ++i)
            if (Lower(r[i]) != Lower(p.path[i]))
                return false;
        return true;
    }
    return false;
}
} // namespace

void DW_LoadOwnFiles() {
    g_places.clear();
    if (szProgramDir[0]) {
        const std::string dir = szProgramDir;
        Add(dir, PLACE_SELF);
        for (const char *name : {"\\" INI_NAME_SETTINGS, "\\" INI_NAME_TEMPLATES, "\\" CC_FILE_NAME, LOG_NAME_PROGRAM,
                                 LOG_NAME_CRYPT, LOG_NAME_TRACE, "\\" REC_FILE_NAME})
            Add(dir + name, PLACE_SELF);
    }
    for (const char *folder : {Settings.BackupPath, Settings.PDA_Path})
        if (folder[0])
            Add(folder, PLACE_TREE);
    if (cActSafePath[0]) {
        std::string safe;
        if (Resolve(cActSafePath, &safe)) {
            g_places.push_back({safe, PLACE_SELF});
            g_places.push_back({safe + ".", PLACE_PREFIX});
        }
    }
}

int DW_IsOwnFile(const char *path) {
    std::string r;
    if (!Resolve(path, &r))
        return 0;
    for (const Place &p : g_places)
        if (Holds(p, r))
            return 1;
    return 0;
}
