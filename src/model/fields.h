// Field contents: storing and fetching the text of one field of one card.
#pragma once

#include "model/records.h"

#include <cstdint>

// Stores a content: the text (cut at the field's maximum length, never more than
// 250) replaces the old one, which is wiped. When the content had no text before
// and the field carries the drag mark, a non-empty text also gets its field item
// below the card's tree item. 0, or -1 when no content record exists for the pair.
[[nodiscard]] int FW_PutFeld(uint32_t nKarte, uint32_t nFeld, const char *lpInhalt, TREEHANDLE hCardItem);

// Copies a content with its terminating zero into buffer, which holds the field's
// maximum length plus one (251 bytes always do). 0, or -1 when the content record
// is missing or was never filled (buffer untouched).
[[nodiscard]] int FW_GetFeld(uint32_t nKarte, uint32_t nFeld, char *buffer);

// The card of a field's own tree item; -1 + log "FW01".
int FW_GetCardID(TREEHANDLE hItem);


// The maximum length of a card's field in its effective field table (the card's
// own when it has one, else its folder's), at most 250; 250 when the field is
// not described. Logs nothing.
uint32_t FW_GetMaxLaenge(uint32_t nKarte, uint32_t nFeld);
