#include "model/card_fields.h"

namespace {
int FromCard(CF_CURSOR *c, CF_FIELD *field) {
    for (const FELDTABCARD *f = c->lpCard; f; f = f->next)
        if (f->KartenKennung == c->nKartenKennung) {
            *field = CF_FromCardTable(f);
            c->lpCard = f->next;
            return 1;
        }
    c->lpCard = nullptr;
    return 0;
}

int FromFolder(CF_CURSOR *c, CF_FIELD *field) {
    for (const FELDTABELLE *f = c->lpFolder; f; f = f->next)
        if (f->nOrdnerKennung == c->nOrdnerKennung) {
            *field = CF_FromFolderTable(f);
            c->lpFolder = f->next;
            return 1;
        }
    c->lpFolder = nullptr;
    return 0;
}
} // namespace

CF_FIELD CF_FromCardTable(const FELDTABCARD *f) {
    return {f->FeldIndex, f->FeldName, f->Feldtyp, f->Feldlaenge, f->drag};
}

CF_FIELD CF_FromFolderTable(const FELDTABELLE *f) {
    return {f->nFeldIndex, f->feldname, f->feldtyp, f->feldlaenge, f->drag};
}

uint32_t CF_CardFolder(uint32_t nKartenKennung) {
    const KARTE *k = SW_FindKarte(nKartenKennung);
    return k ? k->nOrdnerKennung : 0;
}

int CF_First(uint32_t nKartenKennung, CF_CURSOR *cursor, CF_FIELD *field) {
    *cursor = {};
    cursor->nKartenKennung = nKartenKennung;
    cursor->nOrdnerKennung = CF_CardFolder(nKartenKennung);
    for (const FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
        if (f->KartenKennung == nKartenKennung) {
            cursor->bOwn = 1;
            cursor->lpCard = f;
            break;
        }
    if (!cursor->bOwn)
        cursor->lpFolder = cursor->nOrdnerKennung ? lpFELDTABELLEstart : nullptr;
    return CF_Next(cursor, field);
}

int CF_Next(CF_CURSOR *cursor, CF_FIELD *field) {
    return cursor->bOwn ? FromCard(cursor, field) : FromFolder(cursor, field);
}

int CF_FindField(uint32_t nKartenKennung, uint32_t nFeldIndex, CF_FIELD *field) {
    CF_CURSOR c;
    for (int more = CF_First(nKartenKennung, &c, field); more; more = CF_Next(&c, field))
        if (field->nFeldIndex == nFeldIndex)
            return 0;
    return -1;
}
