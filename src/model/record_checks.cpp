#include "model/record_checks.h"

#include "model/desktop_profiles.h"
#include "model/records.h"

#include <map>
#include <set>
#include <utility>

namespace {
typedef std::pair<uint32_t, uint32_t> Key; // an owner's id and a number of its own

int Fault(std::string *why, const std::string &text) {
    *why = text;
    return -1;
}

std::string N(uint32_t v) { return std::to_string(v); }

// A field description of a folder or a card: in range, and once per owner.
int CheckField(std::set<Key> &fields, uint32_t owner, uint32_t index, uint32_t type, uint32_t length,
               const std::string &name, std::string *why) {
    if (!fields.insert(Key(owner, index)).second)
        return Fault(why, name + " is described twice");
    if (type > FT_ALARM2)
        return Fault(why, name + ": type " + N(type) + " is not 0 to 6");
    if (length > MAX_FELD_LAENGE)
        return Fault(why, name + ": length " + N(length) + " is more than " + N(MAX_FELD_LAENGE));
    return 0;
}
} // namespace

int SW_CheckSafeLists(std::string *why) {
    std::set<uint32_t> folders;
    for (const ORDNER *o = lpORDNERstart; o; o = o->next)
        if (o->nOrdnerKennung == 0 || !folders.insert(o->nOrdnerKennung).second)
            return Fault(why, "folder " + N(o->nOrdnerKennung) + ": the id is 0 or used twice");

    std::set<Key> fields;
    std::set<uint32_t> withFields;
    for (const FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next) {
        const std::string name = "field " + N(f->nFeldIndex) + " of folder " + N(f->nOrdnerKennung);
        if (!folders.count(f->nOrdnerKennung))
            return Fault(why, name + ": the folder does not exist");
        if (CheckField(fields, f->nOrdnerKennung, f->nFeldIndex, f->feldtyp, f->feldlaenge, name, why) != 0)
            return -1;
        withFields.insert(f->nOrdnerKennung);
    }
    std::map<uint32_t, uint32_t> cards; // card id, its folder
    for (const KARTE *k = lpKARTEstart; k; k = k->next) {
        if (k->nKartenKennung == 0 || cards.count(k->nKartenKennung))
            return Fault(why, "card " + N(k->nKartenKennung) + ": the id is 0 or used twice");
        if (!folders.count(k->nOrdnerKennung))
            return Fault(why, "card " + N(k->nKartenKennung) + ": folder " + N(k->nOrdnerKennung) + " does not exist");
        if (!withFields.count(k->nOrdnerKennung))
            return Fault(why, "folder " + N(k->nOrdnerKennung) + " holds cards but has no field");
        cards[k->nKartenKennung] = k->nOrdnerKennung;
    }

    std::set<Key> cardFields;
    std::set<uint32_t> withOwnFields;
    for (const FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next) {
        const std::string name = "card field " + N(f->FeldIndex) + " of card " + N(f->KartenKennung);
        if (!cards.count(f->KartenKennung))
            return Fault(why, name + ": the card does not exist");
        if (CheckField(cardFields, f->KartenKennung, f->FeldIndex, f->Feldtyp, f->Feldlaenge, name, why) != 0)
            return -1;
        withOwnFields.insert(f->KartenKennung);
    }

    // A card with fields of its own uses them alone, any other its folder's.
    std::set<Key> contents;
    for (const FELDINHALT *c = lpFELDINHALTstart; c; c = c->next) {
        const std::string name = "the content of field " + N(c->nFeldIndex) + " of card " + N(c->nKartenKennung);
        auto card = cards.find(c->nKartenKennung);
        if (card == cards.end())
            return Fault(why, name + ": the card does not exist");
        const bool own = withOwnFields.count(c->nKartenKennung) != 0;
        if (!(own ? cardFields : fields).count(Key(own ? c->nKartenKennung : card->second, c->nFeldIndex)))
            return Fault(why, name + ": the card has no such field");
        if (!contents.insert(Key(c->nKartenKennung, c->nFeldIndex)).second)
            return Fault(why, name + " is there twice");
    }

    // Icon positions are stored after the profiles, and only when there is one.
    std::set<uint32_t> profiles;
    for (const DTOPHEADER *h = lpDTOPHEADERstart; h; h = h->next)
        if (!profiles.insert(h->nProfilIndex).second)
            return Fault(why, "desktop profile " + N(h->nProfilIndex) + " is there twice");
    if (lpDESKTOPstart && profiles.empty())
        return Fault(why, "icon positions without a desktop profile");
    return 0;
}
