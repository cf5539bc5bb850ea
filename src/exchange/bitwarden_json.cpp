#include "exchange/exchange.h"

#include "frame/json.h"
#include "platform/platform.h"

#include <cstdio>
#include <map>

namespace {

std::string Text(const JsonValue *v) {
    if (!v)
        return "";
    if (v->kind == JsonValue::STRING)
        return v->text;
    if (v->kind == JsonValue::BOOL)
        return v->boolean ? "true" : "false";
    if (v->kind == JsonValue::NUMBER) {
        char n[32];
        snprintf(n, sizeof n, "%.15g", v->number);
        return n;
    }
    return "";
}

void Wipe(JsonValue *v) {
    if (!v->text.empty())
        PL_SecureZero(&v->text[0], v->text.size());
    for (JsonValue &i : v->items)
        Wipe(&i);
    for (auto &m : v->members)
        Wipe(&m.second);
}

// A card's or an identity's details: one field each, named by its key.
void AddDetails(const JsonValue *details, XC_ENTRY *e) {
    if (!details || details->kind != JsonValue::OBJECT)
        return;
    for (const auto &m : details->members) {
        const std::string value = Text(&m.second);
        if (!value.empty())
            e->fields.push_back({m.first, value, XC_OTHER, m.first == "code" || m.first == "number"});
    }
}

bool TakeItem(const JsonValue &item, const std::map<std::string, std::string> &folders, XC_ENTRY *e) {
    if (item.kind != JsonValue::OBJECT)
        return false;
    e->title = Text(item.Get("name"));
    auto folder = folders.find(Text(item.Get("folderId")));
    if (folder != folders.end()) {
        size_t start = 0; // nested folders are named by their path
        const std::string &path = folder->second;
        for (size_t cut; (cut = path.find('/', start)) != std::string::npos; start = cut + 1)
            if (cut > start)
                e->group.push_back(path.substr(start, cut - start));
        if (start < path.size())
            e->group.push_back(path.substr(start));
    }
    if (const JsonValue *login = item.Get("login")) {
        e->fields.push_back({"", Text(login->Get("username")), XC_USER, false});
        e->fields.push_back({"", Text(login->Get("password")), XC_PASSWORD, false});
        const JsonValue *uris = login->Get("uris");
        size_t n = 0;
        for (const JsonValue &u : uris ? uris->items : std::vector<JsonValue>())
            e->fields.push_back({n++ ? "URL" : "", Text(u.Get("uri")), n == 1 ? XC_URL : XC_OTHER, false});
        if (const std::string totp = Text(login->Get("totp")); !totp.empty())
            e->fields.push_back({"TOTP", totp, XC_OTHER, true});
    }
    e->fields.push_back({"", Text(item.Get("notes")), XC_NOTES, false});
    AddDetails(item.Get("card"), e);
    AddDetails(item.Get("identity"), e);
    if (const JsonValue *fields = item.Get("fields"))
        for (const JsonValue &f : fields->items) {
            const JsonValue *type = f.Get("type");
            e->fields.push_back({Text(f.Get("name")), Text(f.Get("value")), XC_OTHER,
                                 type && type->kind == JsonValue::NUMBER && type->number == 1});
        }
    return true;
}

} // namespace

bool XC_ParseBitwardenJson(const std::string &doc, std::vector<XC_ENTRY> *entries, XC_ERROR *error) {
    JsonValue root;
    size_t offset = 0;
    std::string why;
    bool ok = JsonParseUtf8(doc, &root, &why, &offset);
    if (!ok) {
        XC_Position(doc, offset, error);
        error->text = why;
    } else if (root.kind != JsonValue::OBJECT || !root.Get("items") || root.Get("items")->kind != JsonValue::ARRAY) {
        ok = false;
        error->text = "no list \"items\": not a Bitwarden export";
        error->line = error->column = 1;
    } else if (const JsonValue *encrypted = root.Get("encrypted"); encrypted && encrypted->boolean) {
        ok = false;
        error->text = "an encrypted Bitwarden export: export it unencrypted";
        error->line = error->column = 1;
    }
    if (ok) {
        std::map<std::string, std::string> folders;
        if (const JsonValue *list = root.Get("folders"))
            for (const JsonValue &f : list->items)
                folders[Text(f.Get("id"))] = Text(f.Get("name"));
        for (const JsonValue &item : root.Get("items")->items) {
            XC_ENTRY e;
            if (TakeItem(item, folders, &e))
                entries->push_back(std::move(e));
        }
    }
    Wipe(&root);
    return ok;
}
