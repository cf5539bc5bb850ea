#include "exchange/exchange.h"

#include "model/card_fields.h"
#include "model/fields.h"
#include "model/records.h"
#include "frame/logs.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <cstring>
#include <memory>
#include <strings.h>

namespace {

struct Custom {
    std::string name, value; // UTF-8
    bool secret;
};

// One card as the other managers see it, in UTF-8.
struct Item {
    uint32_t id;
    std::string title, fields[5]; // by XC_MEANING; [XC_OTHER] unused
    std::vector<Custom> custom;
};

struct Group {
    std::string name;
    uint32_t id;
    std::vector<std::unique_ptr<Group>> groups;
    std::vector<Item> items;
};

void Wipe(std::string *s) {
    if (!s->empty())
        PL_SecureZero(&(*s)[0], s->size());
}

void WipeGroup(Group *g) {
    for (Item &i : g->items) {
        for (std::string &f : i.fields)
            Wipe(&f);
        for (Custom &c : i.custom)
            Wipe(&c.value);
    }
    for (auto &sub : g->groups)
        WipeGroup(sub.get());
}

// A card's fields by meaning; the continuations an import made ("<name> +2",
// ...) joined to the value they continue, and the whole title and path it kept
// in "Title" and "Group" put back.
Item ReadCard(const KARTE *k, const std::string &folder, std::string *path) {
    Item item{k->nKartenKennung, XC_ToUtf8(k->cKartenName), {}, {}};
    struct Raw {
        std::string name, value;
        uint32_t type;
    };
    std::vector<Raw> raw;
    CF_CURSOR cursor;
    CF_FIELD f;
    int next = 2;
    for (int more = CF_First(k->nKartenKennung, &cursor, &f); more; more = CF_Next(&cursor, &f)) {
        char text[MAX_FELD_LAENGE + 1] = {};
        if (FW_GetFeld(k->nKartenKennung, f.nFeldIndex, text) != 0)
            text[0] = 0;
        const std::string suffix = " +" + std::to_string(next);
        if (!raw.empty() && f.name == raw.back().name.substr(0, 24 - suffix.size()) + suffix) {
            raw.back().value += text;
            ++next;
        } else {
            raw.push_back({f.name, text, f.type});
            next = 2;
        }
        PL_SecureZero(text, sizeof text);
    }
    for (Raw &r : raw) {
        const XC_MEANING m = XC_MeaningOf(r.name.c_str(), r.type);
        if (m != XC_OTHER && item.fields[m].empty() && !r.value.empty()) {
            item.fields[m] = XC_ToUtf8(r.value);
        } else if (r.type == FT_NORMAL && r.name == "Title" && r.value.compare(0, strlen(k->cKartenName), k->cKartenName) == 0) {
            item.title = XC_ToUtf8(r.value);
        } else if (r.type == FT_NORMAL && r.name == "Group" && r.value.compare(0, folder.size(), folder) == 0) {
            *path = r.value;
        } else if (!r.value.empty()) {
            item.custom.push_back({XC_ToUtf8(r.name), XC_ToUtf8(r.value), r.type == FT_PASSWORT});
        }
        Wipe(&r.value);
    }
    // Keys are unique within an entry in KeePass.
    for (size_t c = 0; c < item.custom.size(); ++c) {
        static const char *const kTaken[] = {"Title", "UserName", "Password", "URL", "Notes"};
        for (int n = 2;; ++n) {
            bool taken = false;
            for (const char *t : kTaken)
                taken |= item.custom[c].name == t;
            for (size_t d = 0; d < c; ++d)
                taken |= item.custom[d].name == item.custom[c].name;
            if (!taken)
                break;
            item.custom[c].name += " (" + std::to_string(n) + ")";
        }
    }
    return item;
}

// The folders as a tree of groups: "A/B" is B within A.
void Collect(Group *root) {
    for (const ORDNER *o : SW_Folders()) {
        for (const KARTE *k : SW_Cards()) {
            if (k->nOrdnerKennung != o->nOrdnerKennung)
                continue;
            std::string path = o->cOrdnerName;
            Item item = ReadCard(k, o->cOrdnerName, &path);
            Group *g = root;
            size_t start = 0;
            const std::string utf8 = XC_ToUtf8(path);
            // The folder an import made of a root group's own entries is that group again.
            if (utf8 == root->name)
                start = utf8.size() + 1;
            while (start <= utf8.size()) {
                size_t cut = utf8.find('/', start);
                if (cut == std::string::npos)
                    cut = utf8.size();
                const std::string name = utf8.substr(start, cut - start);
                start = cut + 1;
                if (name.empty())
                    continue;
                Group *sub = nullptr;
                for (auto &s : g->groups)
                    if (s->name == name)
                        sub = s.get();
                if (!sub) {
                    g->groups.push_back(std::make_unique<Group>());
                    sub = g->groups.back().get();
                    sub->name = name;
                    sub->id = o->nOrdnerKennung;
                }
                g = sub;
            }
            g->items.push_back(std::move(item));
        }
    }
}

// Appended where it goes: a text of the safe passes through no temporary copy.
void Xml(std::string *out, const std::string &text) {
    for (char c : text) {
        switch (c) {
        case '&': *out += "&amp;"; break;
        case '<': *out += "&lt;"; break;
        case '>': *out += "&gt;"; break;
        case '"': *out += "&quot;"; break;
        default:
            // XML 1.0 has no way to write the other control characters.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                out->push_back(c);
        }
    }
}

std::string Uuid(uint32_t kind, uint32_t id, uint32_t serial) {
    unsigned char b[16] = {'o', 'r', 'v', 'S'};
    for (int k = 0; k < 4; ++k) {
        b[4 + k] = static_cast<unsigned char>(kind >> (8 * k));
        b[8 + k] = static_cast<unsigned char>(id >> (8 * k));
        b[12 + k] = static_cast<unsigned char>(serial >> (8 * k));
    }
    static const char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (int k = 0; k < 16; k += 3) {
        unsigned v = b[k] << 16 | (k + 1 < 16 ? b[k + 1] << 8 : 0) | (k + 2 < 16 ? b[k + 2] : 0);
        out.push_back(kB64[(v >> 18) & 63]);
        out.push_back(kB64[(v >> 12) & 63]);
        out += k + 1 < 16 ? kB64[(v >> 6) & 63] : '=';
        out += k + 2 < 16 ? kB64[v & 63] : '=';
    }
    return out;
}

void String(std::string *out, const std::string &indent, const std::string &key, const std::string &value,
            bool secret) {
    *out += indent + "<String><Key>";
    Xml(out, key);
    *out += secret ? "</Key><Value ProtectInMemory=\"True\">" : "</Key><Value>";
    Xml(out, value);
    *out += "</Value></String>\n";
}

void WriteGroup(const Group &g, int depth, uint32_t *serial, std::string *out) {
    const std::string in(static_cast<size_t>(depth) + 2, '\t');
    *out += in + "<Group>\n" + in + "\t<UUID>" + Uuid(1, g.id, ++*serial) + "</UUID>\n" + in + "\t<Name>";
    Xml(out, g.name);
    *out += "</Name>\n";
    static const char *const kKeys[] = {"", "UserName", "Password", "URL", "Notes"};
    for (const Item &i : g.items) {
        *out += in + "\t<Entry>\n" + in + "\t\t<UUID>" + Uuid(2, i.id, ++*serial) + "</UUID>\n";
        String(out, in + "\t\t", "Title", i.title, false);
        for (int m = XC_USER; m <= XC_NOTES; ++m)
            String(out, in + "\t\t", kKeys[m], i.fields[m], m == XC_PASSWORD);
        for (const Custom &c : i.custom)
            String(out, in + "\t\t", c.name, c.value, c.secret);
        *out += in + "\t</Entry>\n";
    }
    for (const auto &sub : g.groups)
        WriteGroup(*sub, depth + 1, serial, out);
    *out += in + "</Group>\n";
}

void Csv(std::string *out, const std::string &text, char after) {
    out->push_back('"');
    for (char c : text) {
        out->push_back(c);
        if (c == '"')
            out->push_back('"');
    }
    out->push_back('"');
    out->push_back(after);
}

void WriteCsv(const Group &g, const std::string &path, std::string *out) {
    for (const Item &i : g.items) {
        std::string notes = i.fields[XC_NOTES], totp;
        // The columns have no room for other fields: they follow the notes, one a line.
        for (const Custom &c : i.custom) {
            if (totp.empty() && (strcasecmp(c.name.c_str(), "TOTP") == 0 || strcasecmp(c.name.c_str(), "otp") == 0)) {
                totp = c.value;
                continue;
            }
            notes += (notes.empty() ? "" : "\n") + c.name + ": " + c.value;
        }
        for (const std::string *column : std::initializer_list<const std::string *>{&path, &i.title, &i.fields[XC_USER], &i.fields[XC_PASSWORD], &i.fields[XC_URL],
                                          &notes, &totp})
            Csv(out, *column, ',');
        *out += "\"0\",\"\",\"\"\n";
        Wipe(&notes);
        Wipe(&totp);
    }
    for (const auto &sub : g.groups)
        WriteCsv(*sub, path + "/" + sub->name, out);
}

} // namespace

bool XC_Export(int format, std::string *out) {
    out->clear();
    if (format != XC_KEEPASS_XML && format != XC_KEEPASSXC_CSV)
        return false;
    Group root{"Root", 0, {}, {}};
    Collect(&root);
    // Room for every text escaped at its longest, so that the document is never
    // moved (and a copy of it left behind unwiped) while it grows.
    size_t room = 4096;
    for (const FELDINHALT *c : SW_Contents())
        room += 512 + (c->lpFeldInhalt ? 18 * strlen(c->lpFeldInhalt) : 0);
    out->reserve(room);
    uint32_t serial = 0;
    if (format == XC_KEEPASS_XML) {
        *out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<KeePassFile>\n\t<Meta>\n"
               "\t\t<Generator>orvSafe</Generator>\n\t</Meta>\n\t<Root>\n";
        WriteGroup(root, 0, &serial, out);
        *out += "\t</Root>\n</KeePassFile>\n";
    } else {
        *out = "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\",\"Last "
               "Modified\",\"Created\"\n";
        WriteCsv(root, "Root", out);
    }
    WipeGroup(&root);
    return true;
}

int XC_WriteNewFile(const char *path, const std::string &doc) {
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_NEW, 0);
    uint32_t err = h ? 0 : PL_GetLastError();
    size_t at = 0;
    while (h && !err && at < doc.size()) {
        uint32_t done = 0;
        const uint32_t chunk = static_cast<uint32_t>(std::min<size_t>(doc.size() - at, 1u << 20));
        if (PL_WriteFile(h, doc.data() + at, chunk, &done) != 0 || done == 0)
            err = PL_GetLastError() ? PL_GetLastError() : 1;
        at += done;
    }
    if (h && !err && PL_FlushFileBuffers(h) != 0)
        err = PL_GetLastError() ? PL_GetLastError() : 1;
    if (h && PL_CloseHandle(h) != 0 && !err)
        err = PL_GetLastError() ? PL_GetLastError() : 1;
    if (!err)
        return 0;
    if (h && PL_DeleteFile(path) != 0)
        ML_WriteLogF("XC04", PL_GetLastError(), "cannot remove the broken export '%s'", path);
    char text[400];
    snprintf(text, sizeof text, "The export could not be written to %s: %s", path, T_GetSystemMessage(err));
    ML_WriteLog("XC03", text, err);
    UI_MessageBox(text, "Export", UI_MB_OK | UI_MB_ICONSTOP);
    return -1;
}
