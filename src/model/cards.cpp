#include "model/cards.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/new_id.h"
#include "platform/uiport.h"

#include <cstring>

namespace {
const char TAG_FNK[] = "CW_FNK";

KARTE *ByTreeItem(TREEHANDLE hItem) {
    if (!hItem)
        return nullptr;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (k->hCardTree == hItem)
            return k;
    return nullptr;
}

// Unlinks and frees every record of a list that belongs to the card.
template <typename T, typename Owns, typename Release> void RemoveAll(T *&start, Owns owns, Release release) {
    T **link = &start;
    while (*link) {
        T *r = *link;
        if (owns(r)) {
            *link = r->next;
            release(r);
        } else {
            link = &r->next;
        }
    }
}
} // namespace

int CW_GetCardId(TREEHANDLE hItem) {
    if (KARTE *k = ByTreeItem(hItem))
        return static_cast<int>(k->nKartenKennung);
    ML_WriteLogF("CA04", 0, "P-Error: CW_GetCardId - cannot find card id (HTREEITEM=%x)", TRACE_PTR(hItem));
    return -1;
}

int CW_GetCardOrdnerId(TREEHANDLE hItem) {
    if (KARTE *k = ByTreeItem(hItem))
        return static_cast<int>(k->nOrdnerKennung);
    UI_MessageBox("CW_GetCardOrdnerID: folder not found", "Error", UI_MB_OK | UI_MB_ICONSTOP);
    ML_WriteLogF("CA03", 0, "P-Error: CW_GetCardOrdnerId - cannot find folder id (HTREEITEM=%x)", TRACE_PTR(hItem));
    return -1;
}

char *CW_GetCardName(TREEHANDLE hItem) {
    KARTE *k = ByTreeItem(hItem);
    return k ? k->cKartenName : nullptr;
}

int CW_GetCardCategory(TREEHANDLE hItem) {
    KARTE *k = ByTreeItem(hItem);
    return k ? static_cast<int>(k->nCategory) : -1;
}

void CW_SetCardCategory(TREEHANDLE hItem, uint32_t nCategory) {
    if (KARTE *k = ByTreeItem(hItem))
        k->nCategory = nCategory;
}

int CW_SetCardExpanded(TREEHANDLE hItem, uint32_t nExpanded) {
    KARTE *k = ByTreeItem(hItem);
    if (!k)
        return 0;
    k->nExpanded = nExpanded;
    return 1;
}

int CW_GetCardOrdnerId_CID(uint32_t nCardID) {
    if (KARTE *k = SW_FindKarte(nCardID))
        return static_cast<int>(k->nOrdnerKennung);
    ML_WriteLogF("CA06", 0, "P-Error: CW_GetCardOrdnerId_CID - cannot find folder id (HTREEITEM=%x)", nCardID);
    return -1;
}

KARTE *CW_GetCardStructAdr(uint32_t nCardID) {
    if (KARTE *k = SW_FindKarte(nCardID))
        return k;
    ML_WriteLogF("CA08", 0, "P-Error: CW_GetCardStructAdr(nCardID=%d) - cannot find card id",
                 static_cast<int>(nCardID));
    return nullptr;
}

char *CW_GetCardNameById(uint32_t nCardID) {
    KARTE *k = SW_FindKarte(nCardID);
    return k ? k->cKartenName : nullptr;
}

TREEHANDLE CW_GetCardTreeHandle(uint32_t nCardID) {
    KARTE *k = SW_FindKarte(nCardID);
    if (!k)
        return nullptr;
    // A card of a folder never expanded gets its item when the folder's cards are inserted.
    if (!k->hCardTree)
        if (const ORDNER *o = SW_FindOrdner(k->nOrdnerKennung); o && o->hOrdnerTree)
            UI_ShowFolderCards(o->hOrdnerTree);
    return k->hCardTree;
}

char *CW_GetCardIconName(uint32_t nCardID) {
    KARTE *k = SW_FindKarte(nCardID);
    return k ? k->cIconName : nullptr;
}

void CW_MoveCard(uint32_t nCardID, uint32_t nOrdnerID) {
    if (KARTE *k = SW_FindKarte(nCardID))
        k->nOrdnerKennung = nOrdnerID;
}

int CW_GetCardIdByName(const char *name) {
    if (!name || strlen(name) >= KARTEN_NAME_LEN)
        return -1;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (strncmp(k->cKartenName, name, KARTEN_NAME_LEN) == 0)
            return static_cast<int>(k->nKartenKennung);
    return -1;
}

FELDTABCARD *CW_GetFirstCardField(uint32_t nCardID) {
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
        if (f->KartenKennung == nCardID)
            return f;
    return nullptr;
}

uint32_t CW_GetFeldtyp(uint32_t nKIndex, uint32_t nFIndex) {
    if (FELDTABCARD *f = SW_FindCardField(nKIndex, nFIndex))
        return f->Feldtyp;
    ML_WriteLogF("CW09", 0, "CW_GetFeldtyp(UINT nKIndex=%d UINT nFIndex=%d) [return 0]", static_cast<int>(nKIndex),
                 static_cast<int>(nFIndex));
    return 0;
}

uint32_t CW_GetFeldLaenge(uint32_t nKIndex, uint32_t nFIndex) {
    if (FELDTABCARD *f = SW_FindCardField(nKIndex, nFIndex))
        return f->Feldlaenge;
    ML_WriteLogF("CW10", 0, "CW_GetFeldLaenge(UINT nKIndex=%d UINT nFIndex=%d) [return 0]", static_cast<int>(nKIndex),
                 static_cast<int>(nFIndex));
    return 0;
}

uint32_t CW_GetDropKZ(uint32_t nKIndex, uint32_t nFIndex) {
    if (FELDTABCARD *f = SW_FindCardField(nKIndex, nFIndex))
        return f->drag;
    ML_WriteLogF("CW11", 0, "CW_GetDropKZ(UINT nKIndex=%d UINT nFIndex=%d) [return 0]", static_cast<int>(nKIndex),
                 static_cast<int>(nFIndex));
    return 0;
}

FELDTABCARD *CW_GetPointer2Feld(uint32_t nKIndex, uint32_t nFIndex) {
    if (FELDTABCARD *f = SW_FindCardField(nKIndex, nFIndex))
        return f;
    ML_WriteLogF("CW12", 0, "CW_GetPointer2Feld(UINT nKIndex=%d UINT nFIndex=%d) [return NULL]",
                 static_cast<int>(nKIndex), static_cast<int>(nFIndex));
    return nullptr;
}

uint32_t CW_GetNewCardId() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CW_GetNewCardId()");
    uint32_t nNewCardId = SW_SmallestFreeId(
        lpKARTEstart, [](const KARTE *k) { return k->nKartenKennung; }, "CW_M_00", "CW_F_00");
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "E CW_GetNewCardId() (nCardCount=%d) (return nNewCardId=%d)",
          static_cast<int>(RecordCounts.nCardCount), static_cast<int>(nNewCardId));
    return nNewCardId;
}

int CW_GetCardMaxFieldNameLength(uint32_t nID, int bCardTable) {
    int widest = 0;
    if (bCardTable) {
        for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
            if (f->KartenKennung == nID) {
                int w = UI_CardListTextWidth(f->FeldName);
                widest = w > widest ? w : widest;
            }
    } else {
        for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
            if (f->nOrdnerKennung == nID) {
                int w = UI_CardListTextWidth(f->feldname);
                widest = w > widest ? w : widest;
            }
    }
    if (widest == 0)
        ML_WriteLogF("CA05", 0, "P-Error: CW_GetCardMaxFieldNameLength - no cards ? (nID=%d)", static_cast<int>(nID));
    return widest;
}

namespace {
void RemoveCard(KARTE *card) {
    const uint32_t id = card->nKartenKennung;
    RemoveAll(
        lpFELDINHALTstart, [id](FELDINHALT *f) { return f->nKartenKennung == id; },
        [](FELDINHALT *f) {
            FW_FreeInhalt("CW_F_01", f);
            T_Free("CW_F_02", f);
        });
    RemoveAll(
        lpFELDTABCARDstart, [id](FELDTABCARD *f) { return f->KartenKennung == id; },
        [](FELDTABCARD *f) { T_Free("CW_F_03", f); });
    RemoveAll(
        lpKARTEstart, [card](KARTE *k) { return k == card; }, [](KARTE *k) { T_Free("CW_F_04", k); });
    SW_FindListTails();
}
} // namespace

int CW_RemoveCardStruct(TREEHANDLE hItem) {
    KARTE *card = ByTreeItem(hItem);
    if (!card) {
        ML_WriteLogF("CA02", 0, "P-Error: CW_RemoveCardStruct - cannot find CardStruct (HTREEITEM=%x)",
                     TRACE_PTR(hItem));
        return -1;
    }
    RemoveCard(card);
    return 0;
}

int CW_RemoveCardStructById(uint32_t nCardID) {
    KARTE *card = SW_FindKarte(nCardID);
    if (!card)
        return -1;
    RemoveCard(card);
    return 0;
}
