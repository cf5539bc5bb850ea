#include "model/card_clipboard.h"

#include "frame/logs.h"
#include "model/cards.h"
#include "model/folders.h"
#include "model/list_sorts.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

CUTCARD CutCard;

int CW_CutCard(TREEHANDLE hCard) {
    int id = CW_GetCardId(hCard);
    KARTE *k = id < 0 ? nullptr : SW_FindKarte(static_cast<uint32_t>(id));
    if (!k)
        return -1;
    memset(&CutCard, 0, sizeof CutCard);
    CutCard.nKartenKennung = k->nKartenKennung;
    snprintf(CutCard.cKartenName, sizeof CutCard.cKartenName, "%s", k->cKartenName);
    CutCard.nOrdnerKennung = k->nOrdnerKennung;
    const char *folder = OW_GetOrdnerNameById(k->nOrdnerKennung);
    snprintf(CutCard.cOrdnerName, sizeof CutCard.cOrdnerName, "%s", folder ? folder : "");
    CutCard.bIndividual = CW_GetFirstCardField(k->nKartenKennung) ? 1 : 0;
    return 0;
}

int CW_CanPasteCard(TREEHANDLE hFolder) {
    if (CutCard.nKartenKennung == 0)
        return 0;
    for (ORDNER *o = lpORDNERstart; hFolder && o; o = o->next)
        if (o->hOrdnerTree == hFolder)
            return o->nOrdnerKennung != CutCard.nOrdnerKennung;
    return 0;
}

namespace {
int Refuse(const char *text, bool forget) {
    UI_MessageBox(text, "Notice", UI_MB_OK | UI_MB_ICONSTOP);
    if (forget)
        CW_ClearCutCard();
    return 1;
}
} // namespace

int CW_PasteCard(TREEHANDLE hFolder) {
    int target = OW_GetOrdnerId(hFolder);
    if (target < 0)
        return -1;
    if (CutCard.nKartenKennung == 0)
        return Refuse(CW_TEXT_NOTHINGCUT, false);
    // A card renamed since the cut is still the card cut; one moved elsewhere is not.
    KARTE *k = SW_FindKarte(CutCard.nKartenKennung);
    if (!k || k->nOrdnerKennung != CutCard.nOrdnerKennung)
        return Refuse(CW_TEXT_CARDGONE, true);
    const uint32_t destination = static_cast<uint32_t>(target);
    if (destination == CutCard.nOrdnerKennung)
        return Refuse(CW_TEXT_SAMEFOLDER, false);
    const bool individual = CW_GetFirstCardField(k->nKartenKennung) != nullptr;
    if (!individual && OW_CompareFeldTabelle(CutCard.nOrdnerKennung, destination) != 0)
        return Refuse(CW_TEXT_NOMATCH, false);
    UI_ResetRightPane();
    CW_MoveCard(CutCard.nKartenKennung, destination);
    SW_SortKarten();
    const char *source = OW_GetOrdnerNameById(CutCard.nOrdnerKennung);
    const char *dest = OW_GetOrdnerNameById(destination);
    ML_WriteLogF(individual ? "M 01" : "M 08", 0,
                 individual ? "Cut/paste ind. card [%s] folder source [%s] destination [%s]"
                            : "Cut/paste card [%s] folder source [%s] destination [%s]",
                 k->cKartenName, source ? source : CutCard.cOrdnerName, dest ? dest : "");
    UI_RebuildTree();
    CW_ClearCutCard();
    return 0;
}

void CW_ForgetCutCard(uint32_t nKartenKennung) {
    if (CutCard.nKartenKennung == nKartenKennung)
        memset(&CutCard, 0, sizeof CutCard);
}

void CW_ClearCutCard() { memset(&CutCard, 0, sizeof CutCard); }
