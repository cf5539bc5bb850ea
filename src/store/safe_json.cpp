#include "store/safe_json.h"

#include "frame/json.h"
#include "frame/memory.h"
#include "model/desktop_profiles.h"
#include "model/list_release.h"
#include "model/notes_list.h"
#include "model/record_checks.h"
#include "model/records.h"

#include <cmath>
#include <cstring>

namespace {
const char kFormat[] = "orvsafe-export";

// ---------------------------------------------------------------- writing
struct Obj {
    std::string s;
    bool first = true;
    Obj &Key(const char *k) {
        s += first ? "{" : ", ";
        first = false;
        s += JsonQuote(k) + ": ";
        return *this;
    }
    Obj &Num(const char *k, int64_t v) {
        Key(k);
        s += std::to_string(v);
        return *this;
    }
    Obj &Str(const char *k, const std::string &v) {
        Key(k);
        s += JsonQuote(v);
        return *this;
    }
    Obj &Raw(const char *k, const std::string &v) {
        Key(k);
        s += v;
        return *this;
    }
    std::string End() { return first ? "{}" : s + "}"; }
};

std::string Fixed(const char *p, size_t n) { return std::string(p, strnlen(p, n)); }

void Section(std::string &out, const char *name, const std::vector<std::string> &items, bool last = false) {
    out += "  " + JsonQuote(name) + ": [";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + items[i];
    out += items.empty() ? "]" : "\n  ]";
    out += last ? "\n" : ",\n";
}

// ---------------------------------------------------------------- reading
struct Reader {
    std::string error;
    bool Fail(const std::string &what) {
        if (error.empty())
            error = what;
        return false;
    }
    bool U32(const JsonValue &o, const char *key, uint32_t *v) {
        const JsonValue *x = o.Get(key);
        if (!x || x->kind != JsonValue::NUMBER || x->number < 0 || x->number > 4294967295.0 ||
            std::floor(x->number) != x->number)
            return Fail(std::string("\"") + key + "\" is missing or not a number from 0 to 4294967295");
        *v = static_cast<uint32_t>(x->number);
        return true;
    }
    bool I32(const JsonValue &o, const char *key, int32_t *v) {
        const JsonValue *x = o.Get(key);
        if (!x || x->kind != JsonValue::NUMBER || x->number < -2147483648.0 || x->number > 2147483647.0 ||
            std::floor(x->number) != x->number)
            return Fail(std::string("\"") + key + "\" is missing or not a 32-bit number");
        *v = static_cast<int32_t>(x->number);
        return true;
    }
    // A text into a fixed field of `size` bytes: at most size - 1 characters
    // (exactly `size` with `terminated` false).
    bool Text(const JsonValue &o, const char *key, char *field, size_t size, bool terminated = true) {
        const JsonValue *x = o.Get(key);
        if (!x || x->kind != JsonValue::STRING)
            return Fail(std::string("\"") + key + "\" is missing or not a text");
        size_t max = terminated ? size - 1 : size;
        if (x->text.size() > max || x->text.find('\0') != std::string::npos)
            return Fail(std::string("\"") + key + "\" is longer than " + std::to_string(max) + " characters");
        memset(field, 0, size);
        memcpy(field, x->text.data(), x->text.size());
        return true;
    }
    // A list of the document (its records were taken while it was read).
    bool List(const JsonValue &root, const char *key) {
        const JsonValue *x = root.Get(key);
        return (x && x->kind == JsonValue::ARRAY) || Fail(std::string("\"") + key + "\" is missing or not a list");
    }
    // An owned text of `length` characters (the length field must match the text).
    bool OwnedText(const JsonValue &o, const char *key, uint32_t length, uint32_t max, char **text, const char *tag) {
        const JsonValue *x = o.Get(key);
        if (!x || x->kind != JsonValue::STRING)
            return Fail(std::string("\"") + key + "\" is missing or not a text");
        if (x->text.size() != length || length > max || x->text.find('\0') != std::string::npos)
            return Fail(std::string("\"") + key + "\" does not match its length");
        *text = nullptr;
        if (length == 0)
            return true;
        *text = static_cast<char *>(T_Malloc(tag, length + 1));
        if (!*text)
            return Fail("out of memory");
        memcpy(*text, x->text.data(), length);
        return true;
    }
};

} // namespace

std::string SW_ExportJson(const SAFEHEADER &header, const SAFECONTROL &control) {
    std::string out = "{\n  \"format\": \"orvsafe-export\",\n  \"formatVersion\": 1,\n";
    out += "  \"header\": " +
           Obj().Num("nPasswort", header.nPasswort).Num("nMajorRelease", header.nMajorRelease)
               .Num("nMinorRelease", header.nMinorRelease).Num("nReserved", control.nReserved).End() + ",\n";
    std::vector<std::string> items;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        items.push_back(Obj().Num("nOrdnerKennung", o->nOrdnerKennung).Num("nOrdnerOrder", o->nOrdnerOrder)
                            .Str("cOrdnerName", Fixed(o->cOrdnerName, sizeof o->cOrdnerName))
                            .Str("cIconName", Fixed(o->cIconName, sizeof o->cIconName))
                            .Num("nExpanded", o->nExpanded).Num("nCategory", o->nCategory).End());
    Section(out, "folders", items);
    items.clear();
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
        items.push_back(Obj().Num("nOrdnerKennung", f->nOrdnerKennung).Num("nFeldIndex", f->nFeldIndex)
                            .Num("nFeldOrder", f->nFeldOrder).Str("feldname", Fixed(f->feldname, sizeof f->feldname))
                            .Num("feldtyp", f->feldtyp).Num("feldlaenge", f->feldlaenge).Num("drag", f->drag).End());
    Section(out, "fields", items);
    items.clear();
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        items.push_back(Obj().Num("nOrdnerKennung", k->nOrdnerKennung).Num("nKartenKennung", k->nKartenKennung)
                            .Num("nKartenOrder", k->nKartenOrder)
                            .Str("cKartenName", Fixed(k->cKartenName, sizeof k->cKartenName))
                            .Str("cIconName", Fixed(k->cIconName, sizeof k->cIconName))
                            .Num("nExpanded", k->nExpanded).Num("nCategory", k->nCategory).End());
    Section(out, "cards", items);
    items.clear();
    for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next) {
        std::string text = f->lpFeldInhalt ? Fixed(f->lpFeldInhalt, f->nFeldLaenge) : "";
        items.push_back(Obj().Num("nKartenKennung", f->nKartenKennung).Num("nFeldIndex", f->nFeldIndex)
                            .Num("nFeldLaenge", static_cast<int64_t>(text.size())).Str("lpFeldInhalt", text).End());
    }
    Section(out, "contents", items);
    items.clear();
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
        items.push_back(Obj().Num("KartenKennung", f->KartenKennung).Num("FeldIndex", f->FeldIndex)
                            .Num("FeldOrder", f->FeldOrder).Str("FeldName", Fixed(f->FeldName, sizeof f->FeldName))
                            .Num("Feldtyp", f->Feldtyp).Num("Feldlaenge", f->Feldlaenge).Num("drag", f->drag).End());
    Section(out, "cardFieldTables", items);
    items.clear();
    for (NOTIZ *n = lpNOTIZstart; n; n = n->next) {
        std::string text = n->lpText && n->nTextSize ? Fixed(n->lpText, n->nTextSize - 1) : "";
        std::string rect = "[" + std::to_string(n->rcWindow.left) + ", " + std::to_string(n->rcWindow.top) + ", " +
                           std::to_string(n->rcWindow.right) + ", " + std::to_string(n->rcWindow.bottom) + "]";
        items.push_back(Obj().Num("nReserved", n->nReserved).Num("crBackground", n->crBackground).Raw("rcWindow", rect)
                            .Num("nTextSize", text.empty() ? 0 : static_cast<int64_t>(text.size() + 1))
                            .Str("lpText", text).Str("szAlarmDate", Fixed(n->szAlarmDate, 6))
                            .Str("szAlarmTime", Fixed(n->szAlarmTime, 4)).Num("crText", n->crText).End());
    }
    Section(out, "notes", items);
    items.clear();
    for (DTOPHEADER *h = lpDTOPHEADERstart; h; h = h->next)
        items.push_back(Obj().Num("nProfilIndex", h->nProfilIndex).Num("nWidth", h->nWidth).Num("nHeight", h->nHeight)
                            .Str("szProfilName", Fixed(h->szProfilName, sizeof h->szProfilName))
                            .Str("szComputerName", Fixed(h->szComputerName, sizeof h->szComputerName))
                            .Str("szCreated", Fixed(h->szCreated, sizeof h->szCreated)).End());
    Section(out, "desktopProfiles", items);
    items.clear();
    for (DESKTOP *d = lpDESKTOPstart; d; d = d->next) {
        std::string text = d->dwIconText ? Fixed(d->dwIconText, d->nTextLen) : "";
        items.push_back(Obj().Num("nIndex", d->nIndex).Num("nProfilIndex", d->nProfilIndex)
                            .Num("nTextLen", static_cast<int64_t>(text.size())).Num("x", d->x).Num("y", d->y)
                            .Str("dwIconText", text).End());
    }
    Section(out, "desktopIcons", items, true);
    return out + "}\n";
}

namespace {
// One record of each list, read from its item; false with the reason in r.
bool ReadFolder(Reader &r, const JsonValue &o) {
    ORDNER *x = SW_AppendOrdner("SW_M_01");
    if (!x || !r.U32(o, "nOrdnerKennung", &x->nOrdnerKennung) || !r.U32(o, "nOrdnerOrder", &x->nOrdnerOrder) ||
        !r.Text(o, "cOrdnerName", x->cOrdnerName, sizeof x->cOrdnerName) ||
        !r.Text(o, "cIconName", x->cIconName, sizeof x->cIconName) || !r.U32(o, "nExpanded", &x->nExpanded) ||
        !r.U32(o, "nCategory", &x->nCategory))
        return false;
    ++RecordCounts.nOrdnerCount;
    return true;
}

bool ReadField(Reader &r, const JsonValue &o) {
    FELDTABELLE *x = SW_AppendFeldTabelle("SW_M_03");
    if (!x || !r.U32(o, "nOrdnerKennung", &x->nOrdnerKennung) || !r.U32(o, "nFeldIndex", &x->nFeldIndex) ||
        !r.U32(o, "nFeldOrder", &x->nFeldOrder) || !r.Text(o, "feldname", x->feldname, sizeof x->feldname) ||
        !r.U32(o, "feldtyp", &x->feldtyp) || !r.U32(o, "feldlaenge", &x->feldlaenge) || !r.U32(o, "drag", &x->drag))
        return false;
    ++RecordCounts.nFeldCount;
    return true;
}

bool ReadCard(Reader &r, const JsonValue &o) {
    KARTE *x = SW_AppendKarte("SW_M_05");
    if (!x || !r.U32(o, "nOrdnerKennung", &x->nOrdnerKennung) || !r.U32(o, "nKartenKennung", &x->nKartenKennung) ||
        !r.U32(o, "nKartenOrder", &x->nKartenOrder) ||
        !r.Text(o, "cKartenName", x->cKartenName, sizeof x->cKartenName) ||
        !r.Text(o, "cIconName", x->cIconName, sizeof x->cIconName) || !r.U32(o, "nExpanded", &x->nExpanded) ||
        !r.U32(o, "nCategory", &x->nCategory))
        return false;
    ++RecordCounts.nCardCount;
    return true;
}

bool ReadContent(Reader &r, const JsonValue &o) {
    FELDINHALT *x = SW_AppendFeldInhalt("SW_M_07");
    return x && r.U32(o, "nKartenKennung", &x->nKartenKennung) && r.U32(o, "nFeldIndex", &x->nFeldIndex) &&
           r.U32(o, "nFeldLaenge", &x->nFeldLaenge) &&
           r.OwnedText(o, "lpFeldInhalt", x->nFeldLaenge, MAX_FELD_LAENGE, &x->lpFeldInhalt, "SW_M_09");
}

bool ReadCardField(Reader &r, const JsonValue &o) {
    FELDTABCARD *x = SW_AppendFeldTabCard("SW_M_11");
    return x && r.U32(o, "KartenKennung", &x->KartenKennung) && r.U32(o, "FeldIndex", &x->FeldIndex) &&
           r.U32(o, "FeldOrder", &x->FeldOrder) && r.Text(o, "FeldName", x->FeldName, sizeof x->FeldName) &&
           r.U32(o, "Feldtyp", &x->Feldtyp) && r.U32(o, "Feldlaenge", &x->Feldlaenge) && r.U32(o, "drag", &x->drag);
}

bool ReadNote(Reader &r, const JsonValue &o) {
    NOTIZ *x = NW_AppendNote("NW_M_00");
    const JsonValue *rect = o.Get("rcWindow");
    if (!x || !r.U32(o, "nReserved", &x->nReserved) || !r.U32(o, "crBackground", &x->crBackground) ||
        !r.U32(o, "crText", &x->crText) || !r.U32(o, "nTextSize", &x->nTextSize) ||
        !r.Text(o, "szAlarmDate", x->szAlarmDate, sizeof x->szAlarmDate, false) ||
        !r.Text(o, "szAlarmTime", x->szAlarmTime, sizeof x->szAlarmTime, false))
        return false;
    if (!rect || rect->kind != JsonValue::ARRAY || rect->items.size() != 4)
        return r.Fail("\"rcWindow\" is not a list of 4 numbers");
    int32_t *edges[4] = {&x->rcWindow.left, &x->rcWindow.top, &x->rcWindow.right, &x->rcWindow.bottom};
    for (int k = 0; k < 4; ++k) {
        const JsonValue &e = rect->items[static_cast<size_t>(k)];
        if (e.kind != JsonValue::NUMBER || std::fabs(e.number) > 2147483647.0)
            return r.Fail("\"rcWindow\" is not a list of 4 numbers");
        *edges[k] = static_cast<int32_t>(e.number);
    }
    uint32_t length = x->nTextSize ? x->nTextSize - 1 : 0;
    if (!r.OwnedText(o, "lpText", length, NOTE_TEXT_MAX, &x->lpText, "NW_M_01"))
        return false;
    if (!x->lpText)
        x->nTextSize = 0;
    return true;
}

bool ReadProfile(Reader &r, const JsonValue &o) {
    DTOPHEADER *x = DT_AppendProfile("DT_M_04");
    if (!x)
        return false;
    memcpy(x->szDesktopId, DESKTOP_MARKER, DESKTOP_MARKER_LEN);
    return r.U32(o, "nProfilIndex", &x->nProfilIndex) && r.U32(o, "nWidth", &x->nWidth) &&
           r.U32(o, "nHeight", &x->nHeight) && r.Text(o, "szProfilName", x->szProfilName, sizeof x->szProfilName) &&
           r.Text(o, "szComputerName", x->szComputerName, sizeof x->szComputerName) &&
           r.Text(o, "szCreated", x->szCreated, sizeof x->szCreated, false);
}

bool ReadIcon(Reader &r, const JsonValue &o) {
    DESKTOP *x = DT_AppendIcon("DT_M_00");
    return x && r.U32(o, "nIndex", &x->nIndex) && r.U32(o, "nProfilIndex", &x->nProfilIndex) &&
           r.U32(o, "nTextLen", &x->nTextLen) && r.I32(o, "x", &x->x) && r.I32(o, "y", &x->y) &&
           r.OwnedText(o, "dwIconText", x->nTextLen, DESKTOP_TEXT_MAX, &x->dwIconText, "DT_M_02");
}

const struct {
    const char *key;
    bool (*read)(Reader &, const JsonValue &);
} kLists[] = {
    {"folders", ReadFolder},    {"fields", ReadField}, {"cards", ReadCard},           {"contents", ReadContent},
    {"cardFieldTables", ReadCardField}, {"notes", ReadNote}, {"desktopProfiles", ReadProfile},
    {"desktopIcons", ReadIcon},
};

// A record holds a few values; a document holding many more at once is no export.
const size_t kMaxValuesHeld = 1000;
} // namespace

bool SW_ImportJson(const std::string &doc, bool *hasPassword, uint16_t *reserved, std::string *error) {
    SW_ReleaseSafeLists();
    if (doc.size() > SW_JSON_MAX_SIZE) {
        *error = "the document is larger than " + std::to_string(SW_JSON_MAX_SIZE >> 20) + " MiB";
        return false;
    }
    // Each record is read as its item arrives; after the first refused one the
    // rest are only parsed, so the reason for refusing the whole comes first.
    Reader r;
    const JsonTake take = [&r](const std::string &key, const JsonValue &item) {
        for (const auto &list : kLists) {
            if (!r.error.empty() || key != list.key)
                continue;
            if (item.kind != JsonValue::OBJECT)
                r.Fail(std::string("\"") + key + "\" holds something other than records");
            else
                list.read(r, item);
        }
        return true;
    };
    JsonValue root;
    std::string parseError;
    if (!JsonParseLists(doc, kMaxValuesHeld, &take, &root, &parseError)) {
        SW_ReleaseSafeLists();
        *error = "not a JSON document: " + parseError;
        return false;
    }
    const JsonValue *format = root.Get("format");
    if (root.kind != JsonValue::OBJECT || !format || format->text != kFormat) {
        SW_ReleaseSafeLists();
        *error = "not an orvSafe export (\"format\" is not \"orvsafe-export\")";
        return false;
    }
    const JsonValue *header = root.Get("header");
    uint32_t pw = 0, res = 0;
    if (!header || header->kind != JsonValue::OBJECT)
        r.Fail("\"header\" is missing");
    else if (r.U32(*header, "nPasswort", &pw) && pw > 1)
        r.Fail("\"nPasswort\" is not 0 or 1");
    else if (r.U32(*header, "nReserved", &res) && res > 0xFFFF)
        r.Fail("\"nReserved\" is larger than 65535");
    *hasPassword = pw == 1;
    *reserved = static_cast<uint16_t>(res);
    for (const auto &list : kLists)
        r.List(root, list.key);
    // Lists that do not hang together would be written as a safe that reads back otherwise.
    std::string broken;
    if (r.error.empty() && SW_CheckSafeLists(&broken) != 0)
        r.Fail(broken);
    if (!r.error.empty()) {
        SW_ReleaseSafeLists();
        *error = r.error;
        return false;
    }
    return true;
}
