// Card lookups over the card list and the card field tables, and the removal of
// a card with everything that hangs on it. Every lookup walks its list from the
// start and the first match wins; when nothing matches it answers its not-found
// value and, where noted, logs a line. A null tree item is no item: it never
// matches a card that is not shown.
#pragma once

#include "model/records.h"

#include <cstdint>

// By tree item.
int CW_GetCardId(TREEHANDLE hItem);        // nKartenKennung; -1 + log "CA04"
int CW_GetCardOrdnerId(TREEHANDLE hItem);  // folder identifier; -1 + error box + log "CA03"
char *CW_GetCardName(TREEHANDLE hItem);    // null
int CW_GetCardCategory(TREEHANDLE hItem);  // nCategory; -1
void CW_SetCardCategory(TREEHANDLE hItem, uint32_t nCategory);
int CW_SetCardExpanded(TREEHANDLE hItem, uint32_t nExpanded); // 1; 0 when not found

// By card identifier.
int CW_GetCardOrdnerId_CID(uint32_t nCardID);   // folder identifier; -1 + log "CA06"
KARTE *CW_GetCardStructAdr(uint32_t nCardID);   // null + log "CA08"
char *CW_GetCardNameById(uint32_t nCardID);     // null
TREEHANDLE CW_GetCardTreeHandle(uint32_t nCardID); // null; fills a folder whose cards are to come
char *CW_GetCardIconName(uint32_t nCardID);     // null
void CW_MoveCard(uint32_t nCardID, uint32_t nOrdnerID); // sets the card's folder; nothing when not found

// The first card of that exact (case-sensitive) name; -1 when none.
int CW_GetCardIdByName(const char *name);

// A card's own field table (an individual card has one and uses it alone), by
// card identifier and FeldIndex.
FELDTABCARD *CW_GetFirstCardField(uint32_t nCardID);                // null: no own field table
uint32_t CW_GetFeldtyp(uint32_t nKIndex, uint32_t nFIndex);          // 0 + log "CW09"
uint32_t CW_GetFeldLaenge(uint32_t nKIndex, uint32_t nFIndex);       // 0 + log "CW10"
uint32_t CW_GetDropKZ(uint32_t nKIndex, uint32_t nFIndex);           // 0 + log "CW11"
FELDTABCARD *CW_GetPointer2Feld(uint32_t nKIndex, uint32_t nFIndex); // null + log "CW12"

// The smallest positive card identifier not in use anywhere in the safe.
uint32_t CW_GetNewCardId();

// The widest field name in pixels on the card list, of a card's own field table
// (bCardTable set: nID is a card) or of a folder's (clear: nID is a folder).
// 0 + log "CA05" when there is no name to measure.
int CW_GetCardMaxFieldNameLength(uint32_t nID, int bCardTable);

// Removes the card of a tree item with its contents (texts wiped) and its own
// field descriptions, then finds the list tails again. Counters and the tree are
// the caller's. 0, or -1 + log "CA02" when there is no such card.
[[nodiscard]] int CW_RemoveCardStruct(TREEHANDLE hItem);
// The same by card identifier, for cards the tree does not show (a category
// filter hides them); 0, or -1 when there is no such card.
[[nodiscard]] int CW_RemoveCardStructById(uint32_t nCardID);
