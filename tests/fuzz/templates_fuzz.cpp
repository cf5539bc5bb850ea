// libFuzzer target for the folder templates: the input is "orvtemplate.ini".
// Whatever the bytes, listing the templates and loading each stays within its
// buffers and gives field descriptions the safe can hold; a template with a
// plain name (as the editor accepts them), listed once, that is written back
// loads the same.
#include "config/inifile.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "fuzz/scratch_dir.h"
#include "model/feldstruct.h"
#include "model/templates.h"
#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
char g_file[MAX_PGM_DIR + 32]; // as the program names it, with a backslash

struct Listed {
    std::string name, icon;
};

void Collect(void *ctx, const char *name, const char *icon) {
    static_cast<std::vector<Listed> *>(ctx)->push_back({name, icon});
}

std::string Fields() {
    if (FeldEditor.nFeldStructCount > FELDSTRUCT_MAX || FeldStruct[FeldEditor.nFeldStructCount].cName[0] != 0)
        abort();
    std::string s;
    for (uint32_t i = 0; i < FeldEditor.nFeldStructCount; ++i) {
        const FELDSTRUCT &e = FeldStruct[i];
        size_t len = strnlen(e.cName, sizeof e.cName);
        if (len == 0 || len >= TW_NAME_LEN || e.nTyp > FT_ALARM2 || e.nLaenge > MAX_FELD_LAENGE || e.nDrag > 1)
            abort();
        s += std::string(e.cName) + "," + std::to_string(e.nTyp) + "," + std::to_string(e.nLaenge) + "," +
             std::to_string(e.nDrag) + "\n";
    }
    return s;
}

// A name the template editor would take and the file keeps as it is.
bool Plain(const std::string &s) {
    if (s.empty() || s.front() == ' ' || s.back() == ' ')
        return false;
    for (unsigned char c : s)
        if (c < 0x20 || c > 0x7E || strchr(",[]=;\"'", c))
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    static const std::string dir = fuzzseeds::ScratchProgramDir("templates_fuzz");
    II_GetIniPath(INI_FILE_TEMPLATES, g_file, sizeof g_file);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > TW_READ_SIZE)
        return 0;
    PL_HANDLE h = PL_CreateFile(g_file, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_NORMAL);
    if (!h)
        return 0;
    bool written = T_WriteFile("FZ00", h, data, static_cast<uint32_t>(size)) == 0;
    PL_CloseHandle(h);
    if (!written)
        return 0;

    std::vector<Listed> listed;
    int n = TW_ListTemplates(Collect, &listed);
    if (n != static_cast<int>(listed.size()) || TW_CountTemplates(TW_SECTION_TEMPLATES) < n)
        abort();
    for (size_t i = 0; i < listed.size() && i < 4; ++i) {
        const Listed &t = listed[i];
        char icon[TW_NAME_LEN];
        memset(icon, 0x55, sizeof icon);
        TW_GetTemplateIcon(t.name.c_str(), icon, "FZ01");
        if (memchr(icon, 0, sizeof icon) == nullptr)
            abort();
        TW_GetTemplateNumber(t.name.c_str());
        if (TW_LoadTemplate(t.name.c_str()) != 1)
            continue;
        const std::string fields = Fields();
        size_t listings = 0;
        for (const Listed &other : listed)
            listings += other.name == t.name;
        if (listings > 1 || !Plain(t.name) || !Plain(t.icon))
            continue; // of a name listed twice the first line's icon is the one read back
        bool plainFields = true;
        for (uint32_t k = 0; k < FeldEditor.nFeldStructCount; ++k)
            plainFields = plainFields && Plain(FeldStruct[k].cName);
        if (!plainFields)
            continue;
        if (TW_WriteTemplate(FE_MODE_CHANGE_TEMPLATE, t.name.c_str(), t.icon.c_str()) != 0 ||
            TW_LoadTemplate(t.name.c_str()) != 1 || Fields() != fields ||
            TW_GetTemplateIcon(t.name.c_str(), icon, "FZ01") != 0 || t.icon != icon)
            abort();
    }
    FS_Clear();
    return 0;
}
