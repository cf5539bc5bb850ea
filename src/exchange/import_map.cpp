#include "exchange/exchange.h"

#include "frame/logs.h"
#include "model/card_ops.h"
#include "model/cards.h"
#include "model/feldstruct.h"
#include "model/fields.h"
#include "model/folder_ops.h"
#include "model/folders.h"
#include "model/records.h"
#include "model/templates.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace {

const char kTemplate[] = "Web login";
const char kNoGroup[] = "Imported";
const size_t kFolderMost = ORDNER_NAME_LEN - 1, kCardMost = KARTEN_NAME_LEN - 1, kFieldNameMost = 24;

// One field of the card being planned, in Windows-1252.
struct Planned {
    std::string name;
    uint32_t type, length, drag;
    std::string value;
};

struct Mapper {
    std::vector<FELDSTRUCT> tmpl;
    char icon[TW_NAME_LEN] = {};
    std::map<std::string, uint32_t> folders; // the group's whole path -> its folder
    XC_REPORT *report;
    std::string where; // "folder/card: " of the report's lines

    void Note(const std::string &why) { report->lines.push_back(where + why); }

    // Converted, its replacements named in the report.
    std::string Safe(const std::string &utf8, const char *what) {
        std::string out;
        if (size_t n = XC_ToSafeText(utf8, &out))
            Note(std::string(what) + ": " + std::to_string(n) + " character" + (n == 1 ? "" : "s") +
                 " outside Windows-1252 written as [U+code]");
        return out;
    }

    // A name with its line breaks and tabs as blanks, no longer than most.
    std::string Name(const std::string &text, size_t most, const char *what, bool *cut) {
        std::string name = text;
        bool blanked = false;
        for (char &c : name)
            if (static_cast<unsigned char>(c) < 0x20) {
                c = ' ';
                blanked = true;
            }
        if (blanked)
            Note(std::string(what) + " \"" + name + "\": line breaks and tabs became blanks");
        *cut = name.size() > most;
        if (*cut)
            name.resize(most);
        return name;
    }

    bool FolderNameUsed(const std::string &name) {
        for (const ORDNER *o : SW_Folders())
            if (name == o->cOrdnerName)
                return true;
        return false;
    }

    // A name not yet taken: " (2)", " (3)", ... replacing its end where it would be too long.
    template <typename Used> static std::string Unique(const std::string &name, size_t most, Used used) {
        if (!used(name))
            return name;
        for (int n = 2;; ++n) {
            const std::string suffix = " (" + std::to_string(n) + ")";
            const std::string candidate = name.substr(0, most - suffix.size()) + suffix;
            if (!used(candidate))
                return candidate;
        }
    }

    // The folder of a group path, made from the template at its first card.
    int Folder(const std::string &path, uint32_t *id) {
        auto found = folders.find(path);
        if (found != folders.end()) {
            *id = found->second;
            return 0;
        }
        bool cut = false;
        std::string name = Name(path, kFolderMost, "folder", &cut);
        const std::string whole = name;
        name = Unique(name, kFolderMost, [this](const std::string &n) { return FolderNameUsed(n); });
        if (cut)
            Note("folder name shortened to \"" + name + "\", the whole path kept in each card's field \"Group\"");
        else if (name != whole)
            Note("folder named \"" + name + "\": the safe has a folder \"" + whole + "\"");
        FS_Clear();
        for (const FELDSTRUCT &f : tmpl)
            FS_Append(f.cName, f.nTyp, f.nLaenge, f.nDrag);
        *id = OW_NewOrdner(name.c_str(), icon);
        if (*id == 0)
            return -1;
        ++report->folders;
        report->newFolders.push_back(*id);
        folders[path] = *id;
        return 0;
    }

    void Add(std::vector<Planned> *fields, const std::string &name, uint32_t type, std::string value) {
        fields->push_back({name, type, MAX_FELD_LAENGE, 0, std::move(value)});
    }

    // The card's fields: the template's filled by meaning, one more for each
    // other value; too long a value takes a longer field, and beyond the longest
    // continues in fields "<name> +2", "<name> +3", ...
    std::vector<Planned> Plan(const XC_ENTRY &e, const std::string &title, bool titleCut, const std::string &group,
                              bool groupCut) {
        std::vector<Planned> fields;
        for (const FELDSTRUCT &f : tmpl)
            fields.push_back({f.cName, f.nTyp, f.nLaenge, f.nDrag, ""});
        for (const XC_FIELD &src : e.fields) {
            std::string value = Safe(src.value, "value");
            bool placed = false;
            for (size_t k = 0; k < tmpl.size() && src.meaning != XC_OTHER && !placed; ++k)
                if (XC_MeaningOf(tmpl[k].cName, tmpl[k].nTyp) == src.meaning && fields[k].value.empty()) {
                    fields[k].value = std::move(value);
                    placed = true;
                }
            if (placed || value.empty())
                continue;
            static const char *const kMeaningNames[] = {"", "User name", "Password", "URL", "Notes"};
            const std::string whole = src.meaning == XC_OTHER ? Safe(src.name, "field name") : kMeaningNames[src.meaning];
            bool cut = false;
            const std::string name = Name(whole.empty() ? "Field" : whole, kFieldNameMost, "field name", &cut);
            if (cut)
                Note("field name \"" + whole + "\" shortened to \"" + name + "\"");
            Add(&fields, name,
                src.secret || src.meaning == XC_PASSWORD ? FT_PASSWORT : src.meaning == XC_URL ? FT_URL : FT_NORMAL,
                std::move(value));
        }
        if (titleCut)
            Add(&fields, "Title", FT_NORMAL, title);
        if (groupCut)
            Add(&fields, "Group", FT_NORMAL, group);
        // Field names unique within the card, so that each can be named.
        for (size_t k = 0; k < fields.size(); ++k) {
            const std::string name = fields[k].name;
            fields[k].name = Unique(name, kFieldNameMost, [&](const std::string &n) {
                for (size_t j = 0; j < k; ++j)
                    if (strcasecmp(fields[j].name.c_str(), n.c_str()) == 0)
                        return true;
                return false;
            });
            if (fields[k].name != name)
                Note("field \"" + name + "\" named \"" + fields[k].name + "\": the card has one of that name");
        }
        std::vector<Planned> out;
        for (Planned &f : fields) {
            if (f.value.size() > f.length && f.length < MAX_FELD_LAENGE)
                f.length = MAX_FELD_LAENGE;
            std::string rest = f.value.size() > f.length ? f.value.substr(f.length) : "";
            if (!rest.empty())
                PL_SecureZero(&f.value[f.length], rest.size());
            f.value.resize(std::min<size_t>(f.value.size(), f.length));
            const std::string base = f.name;
            const uint32_t type = f.type;
            out.push_back(std::move(f));
            for (int n = 2; !rest.empty(); ++n) {
                const std::string suffix = " +" + std::to_string(n);
                Planned more{base.substr(0, kFieldNameMost - suffix.size()) + suffix, type, MAX_FELD_LAENGE, 0,
                             rest.substr(0, MAX_FELD_LAENGE)};
                PL_SecureZero(&rest[0], std::min<size_t>(rest.size(), MAX_FELD_LAENGE));
                rest.erase(0, MAX_FELD_LAENGE);
                if (n == 2)
                    Note("the value of \"" + base + "\" is longer than a field holds: continued in \"" + more.name +
                         "\" and on");
                out.push_back(std::move(more));
            }
        }
        if (out.size() > FELDSTRUCT_MAX) {
            for (size_t k = FELDSTRUCT_MAX; k < out.size(); ++k) {
                Note("field \"" + out[k].name + "\" skipped: a card holds at most 49 fields");
                if (!out[k].value.empty())
                    PL_SecureZero(&out[k].value[0], out[k].value.size());
            }
            out.resize(FELDSTRUCT_MAX);
        }
        return out;
    }

    bool SameAsTemplate(const std::vector<Planned> &fields) const {
        if (fields.size() != tmpl.size())
            return false;
        for (size_t k = 0; k < fields.size(); ++k)
            if (fields[k].name != tmpl[k].cName || fields[k].type != tmpl[k].nTyp || fields[k].length != tmpl[k].nLaenge)
                return false;
        return true;
    }

    int Entry(const XC_ENTRY &e) {
        std::string path;
        for (const std::string &g : e.group)
            path += (path.empty() ? "" : "/") + g;
        where = "";
        std::string group = path.empty() ? kNoGroup : Safe(path, "folder name");
        uint32_t folder = 0;
        where = group + ": ";
        if (Folder(group, &folder) != 0)
            return -1;
        const std::string folderName = OW_GetOrdnerNameById(folder);
        std::string title = e.title;
        if (title.empty())
            for (const XC_FIELD &f : e.fields)
                if (f.meaning == XC_URL && !f.value.empty()) {
                    title = f.value;
                    break;
                }
        std::string safeTitle;
        const size_t replaced = XC_ToSafeText(title, &safeTitle);
        where = folderName + "/" + (title.empty() ? "(untitled)" : safeTitle) + ": ";
        if (replaced)
            Note("title: " + std::to_string(replaced) + " character" + (replaced == 1 ? "" : "s") +
                 " outside Windows-1252 written as [U+code]");
        bool titleCut = false;
        std::string name = Name(safeTitle.empty() ? "(untitled)" : safeTitle, kCardMost, "card name", &titleCut);
        if (e.title.empty())
            Note("no title: the card is named \"" + name + "\"");
        const std::string first = name;
        name = Unique(name, kCardMost, [folder](const std::string &n) {
            for (const KARTE *k : SW_Cards())
                if (k->nOrdnerKennung == folder && n == k->cKartenName)
                    return true;
            return false;
        });
        if (titleCut)
            Note("card name shortened to \"" + name + "\", the whole title kept in the field \"Title\"");
        else if (name != first)
            Note("card named \"" + name + "\": the folder has a card \"" + first + "\"");
        std::vector<Planned> fields = Plan(e, safeTitle, titleCut, group, group.size() > kFolderMost);
        CARDEDIT block;
        const bool own = !SameAsTemplate(fields);
        if (own) { // the card's own field table
            CW_PrepareCardEdit(&block, CE_MODE_NEW, name.c_str(), icon, "", 0);
            FS_Clear();
            for (const Planned &f : fields)
                FS_Append(f.name.c_str(), f.type, f.length, f.drag);
            CW_AppendCardFields(block.nKartenKennung);
        }
        int id = CW_NewKarte(OW_GetTreeHandle(folder), name.c_str(), icon, own ? &block : nullptr);
        int rc = id < 0 ? -1 : 0;
        for (size_t k = 0; rc == 0 && k < fields.size(); ++k)
            if (!fields[k].value.empty())
                rc = FW_PutFeld(static_cast<uint32_t>(id), static_cast<uint32_t>(k), fields[k].value.c_str(),
                                CW_GetCardTreeHandle(static_cast<uint32_t>(id)));
        for (Planned &f : fields)
            if (!f.value.empty())
                PL_SecureZero(&f.value[0], f.value.size());
        if (rc != 0)
            return -1;
        ++report->cards;
        report->fields += static_cast<unsigned>(fields.size());
        return 0;
    }
};

} // namespace

int XC_ImportEntries(const std::vector<XC_ENTRY> &entries, XC_REPORT *report) {
    *report = XC_REPORT();
    Mapper m;
    if (!TW_TemplateExists(kTemplate) || TW_GetTemplateIcon(kTemplate, m.icon, "XC01") != 0 ||
        !TW_LoadTemplate(kTemplate)) {
        char text[96];
        snprintf(text, sizeof text, "The folder template \"%s\" is missing: nothing was imported.", kTemplate);
        UI_MessageBox(text, "Import", UI_MB_OK | UI_MB_ICONSTOP);
        ML_WriteLog("XC01", text, 0);
        return -1;
    }
    m.report = report;
    m.tmpl.assign(FeldStruct, FeldStruct + FS_UsedEntries());
    for (const XC_ENTRY &e : entries)
        if (m.Entry(e) != 0) {
            ML_WriteLog("XC02", "the import stopped: a folder or card could not be made", 0);
            UI_MessageBox("The import stopped: a folder or card could not be made.", "Import",
                          UI_MB_OK | UI_MB_ICONSTOP);
            return -1;
        }
    return 0;
}
