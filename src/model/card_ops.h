// Card operations: creating a card from one of four sources, the card field
// editor's records, changing and deleting a card. The dialogs ("Card", "Card -
// Definition", the card chooser) call these and carry out what they answer.
#pragma once

#include "model/dialog_answer.h"
#include "model/records.h"

#include <cstdint>

// Modes of the card field editor, kept in its block.
enum : uint32_t {
    CE_MODE_NEW = 0,       // a structure made new for the card
    CE_MODE_COPY_CARD = 1, // copied from another individual card
    CE_MODE_TEMPLATE = 3,  // copied from a folder template
    CE_MODE_CHANGE = 10,   // changing an individual card
    CE_MODE_VIEW = 99,     // CW_LoadFeldStruct for the card chooser's field list
};

// The block the "Card" dialog hands the card field editor.
struct CARDEDIT {
    uint32_t nMode;
    char cKartenName[KARTEN_NAME_LEN];
    uint32_t nKartenKennung;
    char cIconName[ICON_NAME_LEN];
    char cSourceName[KARTEN_NAME_LEN]; // the template
    uint32_t nSourceCard;              // the card copied from ("Copy from other card")
    int32_t nCancelled;                // 0 after OK, -1 after Cancel
};

// Where a new card's field structure comes from (the "Card" dialog's radio buttons).
enum CW_SOURCE { CW_FROM_FOLDER = 0, CW_FROM_CARD = 1, CW_FROM_TEMPLATE = 2, CW_FROM_NEW = 3 };

// Control identifiers of "Card".
enum {
    CW_ID_CARDNAME = 1085,
    CW_ID_CHOOSEICON = 1086,
    CW_ID_ICON = 1087,
    CW_ID_FROM_FOLDER = 1179,
    CW_ID_FROM_CARD = 1180,
    CW_ID_FROM_TEMPLATE = 1181,
    CW_ID_FROM_NEW = 1182,
};

// Fills FELDSTRUCT from a card's own field descriptions in list order; with mode
// 10 or 99 each entry keeps the card's index and order, else both are the
// entry's position. Answers the count.
uint32_t CW_LoadFeldStruct(uint32_t nKartenKennung, uint32_t nMode);

// Whether any card of the safe has its own field table ("Copy from other card").
int CW_HasIndividualCards();
// The card chooser ("Please select Cardtemplate") takes a TW_CHOOSE block like the
// template chooser and answers through TW_ChooserOk/TW_ChooserCancel; its first
// list is every individual card once, in list order, its second the fields of the
// selected card (CW_LoadFeldStruct with mode 99, rows by FS_DescribeEntry).
typedef void (*CW_ListFn)(void *ctx, uint32_t nKartenKennung, const char *name, const char *icon);
uint32_t CW_ListIndividualCards(CW_ListFn fn, void *ctx);

// "Card" OK, for a new card and a changed one: a name and an icon are needed.
DLG_ANSWER CW_CheckCard(const char *name, const char *icon);

// Sets up the editor block for a new card: mode, name, icon, the template or
// the source card (two cards may share a name, so a card goes by identifier)
// and a new card identifier; cancelled until the editor's OK.
void CW_PrepareCardEdit(CARDEDIT *block, uint32_t nMode, const char *name, const char *icon, const char *source,
                        uint32_t nSourceCard);

// The card field editor's OK (modes other than 10): appends the card's own field
// descriptions from FELDSTRUCT, FeldIndex and FeldOrder 0, 1, 2, ... Answers the count.
uint32_t CW_AppendCardFields(uint32_t nKartenKennung);

// Creates the card in the folder of a tree item: with a block (its editor's OK
// gave the card its own fields) under the block's identifier, else with the
// folder's fields. One empty content per field of its field table; the tree is
// refilled and the card selected. Answers the identifier; -1 when the item is no
// folder (the error is shown and logged as "CA00").
[[nodiscard]] int CW_NewKarte(TREEHANDLE hFolder, const char *name, const char *icon, const CARDEDIT *block);

// "Change card": fills the block with the card's identifier, name and icon and
// answers 1 for an individual card (mode 10: run the card field editor) or 0 for
// any other (run "Card" in change mode, then CW_CheckCard); -1 when the item is
// no card. CW_ChangeKarteEnd applies the block unless it was cancelled: name and
// icon, and for an individual card its edited field descriptions with their
// contents adjusted. 0, 1 when cancelled, -1 when the card is gone.
[[nodiscard]] int CW_ChangeKarteBegin(TREEHANDLE hCard, CARDEDIT *block);
// "Card" OK in change mode (a card without its own field table): the checks of
// CW_CheckCard, then the name and icon go into the block and the dialog closes.
DLG_ANSWER CW_ChangeKarteOk(CARDEDIT *block, const char *name, const char *icon);
[[nodiscard]] int CW_ChangeKarteEnd(const CARDEDIT *block);

// "Delete card": asks "delete card [%s] ?", then removes the card with its
// contents and own field descriptions. 0 deleted, 1 when the user said no, -1
// when the item is no card (shown and logged as "CA01").
[[nodiscard]] int CW_DeleteKarte(TREEHANDLE hCard);
