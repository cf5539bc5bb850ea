#include "model/templates.h"

#include "config/inifile.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/feldstruct.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>
#include <string>

char cTemplateName[TW_NAME_LEN] = "";

namespace {
const char TAG_FNK[] = "TW_FNK";

// One section of the template file in a block of TW_READ_SIZE bytes: strings
// "key=value", each ended by a zero, the last by two.
class Section {
  public:
    explicit Section(const char *name) {
        buf_ = static_cast<char *>(T_Malloc("TW_M_00", TW_READ_SIZE));
        if (buf_)
            length_ = RDmyini_section(name, buf_, TW_READ_SIZE, INI_FILE_TEMPLATES);
    }
    ~Section() {
        if (buf_)
            T_Free("TW_F_00", buf_);
    }
    Section(const Section &) = delete;
    Section &operator=(const Section &) = delete;
    // The first line; null when the section is missing or empty.
    const char *First() const { return (buf_ && length_ > 0 && buf_[0]) ? buf_ : nullptr; }
    static const char *Next(const char *line) {
        line += strlen(line) + 1;
        return *line ? line : nullptr;
    }

  private:
    char *buf_ = nullptr;
    uint32_t length_ = 0;
};

void ErrorEquals(const char *code) {
    UI_MessageBox(TW_ERROR_EQUALS, "Error", UI_MB_OK | UI_MB_ICONSTOP);
    ML_WriteLog(code, TW_ERROR_EQUALS, 0);
}

// The comma-separated token starting at p, blanks around it removed; p moves
// past the comma (to the end when there is none).
std::string Token(const char *&p) {
    const char *end = strchr(p, ',');
    if (!end)
        end = p + strlen(p);
    const char *a = p, *b = end;
    while (a < b && (*a == ' ' || *a == '\t'))
        ++a;
    while (b > a && (b[-1] == ' ' || b[-1] == '\t'))
        --b;
    p = *end ? end + 1 : end;
    return std::string(a, b);
}

// A decimal number at the start of a token; 0 when there is none.
uint32_t Number(const std::string &token) {
    uint32_t n = 0;
    for (char c : token) {
        if (c < '0' || c > '9')
            break;
        n = n > 100000000u ? n : n * 10 + static_cast<uint32_t>(c - '0');
    }
    return n;
}

// The number of an "Ordner<n>" key; 0 for any other key.
uint32_t OrdnerNumber(const char *line) {
    for (int i = 0; i < 6; ++i) // key names match without regard to case
        if ((line[i] | 0x20) != "ordner"[i])
            return 0;
    const char *eq = strchr(line, '=');
    std::string digits(line + 6, eq ? eq : line + strlen(line));
    for (char c : digits)
        if (c < '0' || c > '9')
            return 0;
    return Number(digits);
}

// A name as the file keeps it: blanks around it do not count, at most 24 characters.
std::string CleanName(const char *name) {
    std::string s = name ? name : "";
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    s = a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
    return s.substr(0, TW_NAME_LEN - 1);
}
} // namespace

int TW_LoadTemplate(const char *name) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B TW_LoadTemplate(%s)", name ? name : "");
    FS_Clear();
    if (!name || !name[0])
        return 0;
    Section s(name);
    const char *line = s.First();
    if (!line)
        return 0;
    for (; line && FeldEditor.nFeldStructCount < FELDSTRUCT_MAX; line = Section::Next(line)) {
        const char *p = strchr(line, '=');
        if (!p) {
            ErrorEquals("TW05");
            return 0;
        }
        ++p;
        std::string fieldName = Token(p).substr(0, TW_NAME_LEN - 1);
        uint32_t type = Number(Token(p));
        uint32_t length = Number(Token(p));
        uint32_t drag = Number(Token(p));
        // A hand-edited file must not give fields the safe cannot hold.
        if (fieldName.empty())
            continue;
        if (type > FT_ALARM2)
            type = FT_NORMAL;
        if (length > MAX_FELD_LAENGE)
            length = MAX_FELD_LAENGE;
        FS_Append(fieldName.c_str(), type, length, drag);
    }
    return FeldEditor.nFeldStructCount > 0 ? 1 : 0;
}

std::string TW_CleanName(const char *name) { return CleanName(name); }

bool TW_TemplateExists(const char *name) {
    Section s(name);
    return s.First() != nullptr;
}

int TW_CountTemplates(const char *section) {
    Section s(section);
    int n = 0;
    for (const char *line = s.First(); line && strchr(line, '='); line = Section::Next(line))
        ++n;
    return n;
}

int TW_GetTemplateNumber(const char *name) {
    if (!name || !name[0])
        return 0;
    Section s(TW_SECTION_TEMPLATES);
    for (const char *line = s.First(); line; line = Section::Next(line)) {
        const char *p = strchr(line, '=');
        if (!p)
            continue;
        ++p;
        if (Token(p) == name) // the whole name: "Bank" is not "Bank account"
            return static_cast<int>(OrdnerNumber(line));
    }
    return 0;
}

int TW_GetTemplateIcon(const char *name, char *icon, const char *logCode) {
    icon[0] = 0;
    if (!name || !name[0])
        return -1;
    Section s(TW_SECTION_TEMPLATES);
    for (const char *line = s.First(); line; line = Section::Next(line)) {
        const char *p = strchr(line, '=');
        if (!p) {
            ErrorEquals(logCode);
            return -1;
        }
        ++p;
        if (Token(p) == name) {
            snprintf(icon, TW_NAME_LEN, "%.24s", Token(p).c_str());
            return 0;
        }
    }
    return -1;
}

int TW_WriteTemplate(uint32_t nMode, const char *name, const char *icon) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B TW_WriteTemplate(nMode=%u, %s)", nMode, name ? name : "");
    if (!name || !name[0])
        return -1;
    // A template keeps its number. Any other takes the number after the highest
    // in use (the count plus one in a file numbered 1..n), so a gap left by a
    // hand-edited file never makes it overwrite another template's line.
    int n = TW_GetTemplateNumber(name);
    if (n <= 0) {
        Section s(TW_SECTION_TEMPLATES);
        uint32_t highest = 0, count = 0;
        for (const char *line = s.First(); line; line = Section::Next(line)) {
            ++count;
            uint32_t k = OrdnerNumber(line);
            highest = k > highest ? k : highest;
        }
        n = static_cast<int>((highest > count ? highest : count) + 1);
    }
    char key[24], value[2 * TW_NAME_LEN + 2];
    snprintf(key, sizeof key, "Ordner%d", n);
    snprintf(value, sizeof value, "%.24s,%.24s", name, icon ? icon : "");
    II_PutString(TW_SECTION_TEMPLATES, key, value, INI_FILE_TEMPLATES);

    // The section is replaced whole, so a template that lost fields keeps no old lines.
    std::string data;
    uint32_t used = FS_UsedEntries();
    for (uint32_t i = 0; i < used; ++i) {
        const FELDSTRUCT *e = &FeldStruct[i];
        char line[80];
        snprintf(line, sizeof line, "Feld%u=%.24s,%u,%u,%u", i + 1, e->cName, e->nTyp, e->nLaenge, e->nDrag);
        data += line;
        data += '\0';
    }
    data += '\0';
    return II_PutSection(name, data.c_str(), INI_FILE_TEMPLATES);
}

int TW_ListTemplates(TW_ListFn fn, void *ctx) {
    Section s(TW_SECTION_TEMPLATES);
    int n = 0;
    for (const char *line = s.First(); line; line = Section::Next(line)) {
        const char *p = strchr(line, '=');
        if (!p) {
            ErrorEquals("TW01");
            break;
        }
        ++p;
        std::string name = Token(p).substr(0, TW_NAME_LEN - 1);
        std::string icon = Token(p).substr(0, TW_NAME_LEN - 1);
        if (fn)
            fn(ctx, name.c_str(), icon.c_str());
        ++n;
    }
    return n;
}

DLG_ANSWER TW_ChooserOk(TW_CHOOSE *block, const char *selected) {
    if (!selected || !selected[0])
        return DLG_Stay();
    snprintf(block->cTemplate, sizeof block->cTemplate, "%.24s", selected);
    block->nCancelled = 0;
    return DLG_Close(DLG_CLOSE_OK);
}

DLG_ANSWER TW_ChooserCancel(TW_CHOOSE *block) {
    block->nCancelled = -1;
    return DLG_Close(DLG_CLOSE_CANCEL);
}
