// Moving a card to another folder by cut and paste. Cut only remembers the card;
// it stays in its folder until a paste moves it. A card with the folder's field
// descriptions moves only into a folder whose fields fit it (OW_CompareFeldTabelle);
// an individual card brings its own and always moves.
#pragma once

#include "model/records.h"

#include <cstdint>

#define CW_TEXT_NOMATCH "The structure of this folder doesn't match sourcefolder,\ncannot paste card!"
#define CW_TEXT_NOTHINGCUT "No card is cut,\ncannot paste card!"
#define CW_TEXT_SAMEFOLDER "The card is in this folder already,\ncannot paste card!"
#define CW_TEXT_CARDGONE "The cut card is no longer there,\ncannot paste card!"

// The cut record; all zero while nothing is cut.
struct CUTCARD {
    uint32_t nKartenKennung;
    char cKartenName[KARTEN_NAME_LEN];
    uint32_t nOrdnerKennung; // the folder it was cut from
    char cOrdnerName[ORDNER_NAME_LEN];
    uint32_t bIndividual; // the card has its own field table
};
extern CUTCARD CutCard;

// "Cut card" on a card's tree item: 0, or -1 when the item is no card.
[[nodiscard]] int CW_CutCard(TREEHANDLE hCard);

// Whether "Paste card" is offered in a folder's menu: a card is cut, and from
// another folder.
int CW_CanPasteCard(TREEHANDLE hFolder);

// "Paste card" on a folder's tree item: moves the cut card (found by its
// identifier, whatever it was renamed to) there, logs the move ("M 01"
// individual card, "M 08" other card), refills the tree and empties the cut
// record. 0 moved; 1 nothing moved, and the user is told why (nothing cut, the
// same folder, the card is gone: the cut record empties; the structures do not
// fit: the card stays cut); -1 when the item is no folder.
[[nodiscard]] int CW_PasteCard(TREEHANDLE hFolder);

// A card that is deleted leaves the cut record (its identifier will be given out again).
void CW_ForgetCutCard(uint32_t nKartenKennung);
// A safe that closes takes its cut card along: the next safe's cards reuse identifiers.
void CW_ClearCutCard();
