#include "exchange/exchange.h"

#include "platform/platform.h"

#include "pugixml.hpp"

#include <cstring>

namespace {

const int kMostDepth = 64; // groups within groups; deeper is a hostile file

struct Walk {
    std::vector<XC_ENTRY> *entries;
    std::string error;
};

XC_MEANING MeaningOfKey(const char *key) {
    static const struct {
        const char *key;
        XC_MEANING meaning;
    } kKeys[] = {{"UserName", XC_USER}, {"Password", XC_PASSWORD}, {"URL", XC_URL}, {"Notes", XC_NOTES}};
    for (const auto &k : kKeys)
        if (strcmp(key, k.key) == 0)
            return k.meaning;
    return XC_OTHER;
}

void TakeEntry(const pugi::xml_node &node, const std::vector<std::string> &path, Walk *w) {
    XC_ENTRY e;
    e.group = path;
    for (pugi::xml_node s = node.child("String"); s; s = s.next_sibling("String")) {
        const char *key = s.child_value("Key");
        pugi::xml_node value = s.child("Value");
        if (strcmp(key, "Title") == 0) {
            e.title = value.child_value();
            continue;
        }
        const XC_MEANING meaning = MeaningOfKey(key);
        const bool secret = value.attribute("ProtectInMemory").as_bool() || value.attribute("Protected").as_bool();
        e.fields.push_back({meaning == XC_OTHER ? key : "", value.child_value(), meaning, secret});
    }
    if (const char *tags = node.child_value("Tags"); *tags)
        e.fields.push_back({"Tags", tags, XC_OTHER, false});
    w->entries->push_back(std::move(e));
}

bool TakeGroup(const pugi::xml_node &group, std::vector<std::string> *path, int depth, Walk *w) {
    if (depth > kMostDepth) {
        w->error = "groups nested too deeply";
        return false;
    }
    for (pugi::xml_node n = group.first_child(); n; n = n.next_sibling()) {
        if (strcmp(n.name(), "Entry") == 0) {
            // The root group's own entries go into a folder named after it.
            if (path->empty())
                path->push_back(group.child_value("Name"));
            TakeEntry(n, *path, w);
            if (depth == 0)
                path->clear();
        } else if (strcmp(n.name(), "Group") == 0) {
            if (depth > 0)
                path->push_back(n.child_value("Name"));
            else
                path->assign(1, n.child_value("Name"));
            if (!TakeGroup(n, path, depth + 1, w))
                return false;
            path->pop_back();
        }
    }
    return true;
}

} // namespace

namespace {
bool Parse(std::string *doc, std::vector<XC_ENTRY> *entries, XC_ERROR *error) {
    pugi::xml_document xml;
    pugi::xml_parse_result parsed =
        xml.load_buffer_inplace(&(*doc)[0], doc->size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        XC_Position(*doc, static_cast<size_t>(parsed.offset), error);
        error->text = parsed.description();
        return false;
    }
    pugi::xml_node root = xml.child("KeePassFile").child("Root").child("Group");
    if (!root) {
        error->text = "no KeePassFile/Root/Group: not a KeePass XML file";
        error->line = error->column = 1;
        return false;
    }
    Walk w{entries, ""};
    std::vector<std::string> path;
    bool ok = TakeGroup(root, &path, 0, &w);
    if (!ok) {
        error->text = w.error;
        error->line = error->column = 1;
    }
    return ok;
}
} // namespace

bool XC_ParseKeePassXml(const std::string &doc, std::vector<XC_ENTRY> *entries, XC_ERROR *error) {
    if (doc.empty()) {
        error->text = "an empty file";
        error->line = error->column = 1;
        return false;
    }
    // Parsed in place in a copy of our own, so that every text of the tree lies
    // in one buffer that is wiped afterwards.
    std::string buffer = doc;
    bool ok = Parse(&buffer, entries, error);
    PL_SecureZero(&buffer[0], buffer.size());
    return ok;
}
