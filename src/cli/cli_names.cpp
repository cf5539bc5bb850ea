#include "cli/cli_names.h"

#include "cli/cli_streams.h"
#include "cli/cli_text.h"
#include "model/templates.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {

bool SameIgnoringCase(const std::string &a, const char *b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// Picks from the candidates by the rule above; kind names them in messages.
// 0 found, 2 none, 3 more than one (quiet: nothing said).
template <typename T, typename NameOf>
int Pick(const std::vector<T *> &all, const std::string &name, NameOf nameOf, const char *kind, T **found,
         bool quiet = false) {
    std::vector<T *> exact, folded;
    for (T *x : all) {
        if (name == nameOf(x))
            exact.push_back(x);
        else if (SameIgnoringCase(name, nameOf(x)))
            folded.push_back(x);
    }
    const std::vector<T *> &hits = !exact.empty() ? exact : folded;
    if (hits.size() == 1) {
        *found = hits[0];
        return 0;
    }
    if (!quiet && hits.empty())
        fprintf(CLI_Err(), "orvsafe-cli: no %s \"%s\"\n", kind, CLI_Shown(name, false).c_str());
    if (!quiet && !hits.empty())
        fprintf(CLI_Err(), "orvsafe-cli: %s name \"%s\" is ambiguous (%zu match)\n", kind,
                CLI_Shown(name, false).c_str(), hits.size());
    return hits.empty() ? 2 : 3;
}

std::vector<ORDNER *> Folders() {
    std::vector<ORDNER *> v;
    for (ORDNER *o : SW_Folders())
        v.push_back(o);
    return v;
}

const char *FolderName(ORDNER *o) { return o->cOrdnerName; }
const char *CardName(KARTE *k) { return k->cKartenName; }

} // namespace

int CLI_FindFolder(const std::string &name, ORDNER **found) {
    return Pick(Folders(), name, FolderName, "folder", found) == 0 ? 0 : 2;
}

int CLI_FindCard(const ORDNER *folder, const std::string &name, KARTE **found) {
    std::vector<KARTE *> cards;
    for (KARTE *k : SW_Cards())
        if (k->nOrdnerKennung == folder->nOrdnerKennung)
            cards.push_back(k);
    return Pick(cards, name, CardName, "card", found) == 0 ? 0 : 2;
}

int CLI_FindTemplate(const std::string &name, std::string *found) {
    std::vector<std::string> names;
    TW_ListTemplates([](void *ctx, const char *n, const char *) { static_cast<std::vector<std::string> *>(ctx)->push_back(n); },
                     &names);
    std::vector<std::string *> all;
    for (std::string &n : names)
        all.push_back(&n);
    std::string *hit = nullptr;
    if (Pick(all, name, [](std::string *n) { return n->c_str(); }, "template", &hit) != 0)
        return 2;
    *found = *hit;
    return 0;
}

int CLI_FindCardPath(const std::string &path, ORDNER **folder, KARTE **card) {
    for (size_t cut = path.rfind('/'); cut != std::string::npos && cut > 0; cut = path.rfind('/', cut - 1)) {
        ORDNER *o = nullptr;
        int rc = Pick(Folders(), path.substr(0, cut), FolderName, "folder", &o, true);
        if (rc == 3) // said now, with the count
            return CLI_FindFolder(path.substr(0, cut), &o);
        if (rc == 0) {
            *folder = o;
            return CLI_FindCard(o, path.substr(cut + 1), card);
        }
    }
    fprintf(CLI_Err(), "orvsafe-cli: \"%s\" names no card: give FOLDER/CARD with a folder of the safe\n",
            CLI_Shown(path, false).c_str());
    return 2;
}
