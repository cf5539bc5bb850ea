// A card's effective field table: its own field descriptions when it has any,
// else its folder's, walked in list order (display order once sorted). The tree,
// the card list and the card view all show a card through it.
#pragma once

#include "model/records.h"

#include <cstdint>

// One field description, whichever table it came from.
struct CF_FIELD {
    uint32_t nFeldIndex;
    const char *name;
    uint32_t type;
    uint32_t length;
    uint32_t drag;
};

// A walk over one card's descriptions.
struct CF_CURSOR {
    uint32_t nKartenKennung;
    uint32_t nOrdnerKennung;
    const FELDTABCARD *lpCard;   // own table: the next record to look at
    const FELDTABELLE *lpFolder; // folder table: the next record to look at
    int bOwn;
};

// The first description of the card's effective table: 1 with *field filled, 0 when none.
int CF_First(uint32_t nKartenKennung, CF_CURSOR *cursor, CF_FIELD *field);
// The next one: 1, or 0 at the end.
int CF_Next(CF_CURSOR *cursor, CF_FIELD *field);

// The description of one field of a card's effective table: 0, or -1 when the
// table has no field of that index. Logs nothing.
int CF_FindField(uint32_t nKartenKennung, uint32_t nFeldIndex, CF_FIELD *field);

// One description as a CF_FIELD.
CF_FIELD CF_FromCardTable(const FELDTABCARD *f);
CF_FIELD CF_FromFolderTable(const FELDTABELLE *f);

// The folder of a card; 0 when the card is unknown. Logs nothing.
uint32_t CF_CardFolder(uint32_t nKartenKennung);
