#include "model/card_ops.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/card_clipboard.h"
#include "model/cards.h"
#include "model/feldstruct.h"
#include "model/field_sorts.h"
#include "model/folders.h"
#include "model/list_sorts.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
const char TAG_FNK[] = "CW_FNK";

void RemoveCardFields(uint32_t card) {
    for (FELDTABCARD **link = &lpFELDTABCARDstart; *link;) {
        FELDTABCARD *f = *link;
        if (f->KartenKennung == card) {
            *link = f->next;
            T_Free("CW_F_10", f);
        } else {
            link = &f->next;
        }
    }
    SW_FindListTails();
}

// A tree item that leads to no record: an error box and the same line in the log.
void ShowAndLog(const char *code, const char *format, TREEHANDLE item) {
    char text[80];
    snprintf(text, sizeof text, format, TRACE_PTR(item));
    UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP);
    ML_WriteLog(code, text, 0);
}

void AppendContent(uint32_t card, uint32_t index) {
    if (FELDINHALT *c = SW_AppendFeldInhalt("CW_M_12")) {
        c->nKartenKennung = card;
        c->nFeldIndex = index;
    }
}

// A field description between the editor's table and a card's own list. The
// name is zero-filled: a card rewritten unchanged keeps its bytes.
void ToCardField(const FELDSTRUCT *e, uint32_t order, FELDTABCARD *f) {
    f->FeldOrder = order;
    memset(f->FeldName, 0, sizeof f->FeldName);
    snprintf(f->FeldName, sizeof f->FeldName, "%.24s", e->cName);
    f->Feldtyp = e->nTyp;
    f->Feldlaenge = e->nLaenge;
    f->drag = e->nDrag;
}

void FromCardField(const FELDTABCARD *f, uint32_t index, uint32_t order, FELDSTRUCT *e) {
    e->nIndex = index;
    e->nOrder = order;
    snprintf(e->cName, sizeof e->cName, "%.24s", f->FeldName);
    e->nTyp = f->Feldtyp;
    e->nLaenge = f->Feldlaenge;
    e->nDrag = f->drag;
}
} // namespace

uint32_t CW_LoadFeldStruct(uint32_t nKartenKennung, uint32_t nMode) {
    FS_Clear();
    const bool own = nMode == CE_MODE_CHANGE || nMode == CE_MODE_VIEW;
    for (FELDTABCARD *f = lpFELDTABCARDstart; f && FeldEditor.nFeldStructCount < FELDSTRUCT_MAX; f = f->next) {
        if (f->KartenKennung != nKartenKennung)
            continue;
        FromCardField(f, own ? f->FeldIndex : FeldEditor.nFeldStructCount, own ? f->FeldOrder : FeldEditor.nFeldStructCount,
                      &FeldStruct[FeldEditor.nFeldStructCount]);
        ++FeldEditor.nFeldStructCount;
    }
    return FeldEditor.nFeldStructCount;
}

int CW_HasIndividualCards() {
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (CW_GetFirstCardField(k->nKartenKennung))
            return 1;
    return 0;
}

uint32_t CW_ListIndividualCards(CW_ListFn fn, void *ctx) {
    uint32_t n = 0;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (CW_GetFirstCardField(k->nKartenKennung)) {
            if (fn)
                fn(ctx, k->nKartenKennung, k->cKartenName, k->cIconName);
            ++n;
        }
    return n;
}

DLG_ANSWER CW_CheckCard(const char *name, const char *icon) {
    if (DLG_IsBlank(name))
        return DLG_Error("please enter cardname!", CW_ID_CARDNAME);
    if (!icon || !icon[0])
        return DLG_Error("please choose icon!", CW_ID_CHOOSEICON);
    return {DLG_NEXT, nullptr, nullptr, 0, 0};
}

void CW_PrepareCardEdit(CARDEDIT *block, uint32_t nMode, const char *name, const char *icon, const char *source,
                        uint32_t nSourceCard) {
    memset(block, 0, sizeof *block);
    block->nMode = nMode;
    snprintf(block->cKartenName, sizeof block->cKartenName, "%.49s", name ? name : "");
    snprintf(block->cIconName, sizeof block->cIconName, "%.24s", icon ? icon : "");
    snprintf(block->cSourceName, sizeof block->cSourceName, "%.49s", source ? source : "");
    block->nSourceCard = nSourceCard;
    block->nKartenKennung = CW_GetNewCardId();
    block->nCancelled = -1;
}

uint32_t CW_AppendCardFields(uint32_t nKartenKennung) {
    // Run twice for one card (never from the dialogs), the second structure replaces the first.
    RemoveCardFields(nKartenKennung);
    const uint32_t used = FS_UsedEntries();
    uint32_t n = 0;
    for (; n < used; ++n) {
        FELDTABCARD *f = SW_AppendFeldTabCard("CW_M_10");
        if (!f)
            break;
        f->KartenKennung = nKartenKennung;
        f->FeldIndex = n;
        ToCardField(&FeldStruct[n], n, f);
    }
    return n;
}

int CW_NewKarte(TREEHANDLE hFolder, const char *name, const char *icon, const CARDEDIT *block) {
    int folder = OW_GetOrdnerId(hFolder);
    if (folder < 0) {
        ShowAndLog("CA00", "P-Error: cannot get folder id, TVIEWhSelected: %x", hFolder);
        if (block) // the editor's field descriptions would belong to no card
            RemoveCardFields(block->nKartenKennung);
        return -1;
    }
    uint32_t id = block ? block->nKartenKennung : CW_GetNewCardId();
    KARTE *k = SW_AppendKarte("CW_M_11");
    if (!k)
        return -1;
    ++RecordCounts.nCardCount;
    snprintf(k->cKartenName, sizeof k->cKartenName, "%.49s", name ? name : "");
    snprintf(k->cIconName, sizeof k->cIconName, "%.24s", icon ? icon : "");
    k->nOrdnerKennung = static_cast<uint32_t>(folder);
    k->nKartenKennung = id;
    k->nKartenOrder = 9999;
    SW_SortKarten(); // last in its folder

    // One empty content for every field of the card's effective field table.
    if (CW_GetFirstCardField(id)) {
        for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
            if (f->KartenKennung == id)
                AppendContent(id, f->FeldIndex);
    } else {
        for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
            if (f->nOrdnerKennung == static_cast<uint32_t>(folder))
                AppendContent(id, f->nFeldIndex);
    }
    UI_RebuildTree();
    if (TREEHANDLE item = CW_GetCardTreeHandle(id))
        UI_SelectTreeItem(item);
    UI_ShowCounts();
    return static_cast<int>(id);
}

int CW_ChangeKarteBegin(TREEHANDLE hCard, CARDEDIT *block) {
    int id = CW_GetCardId(hCard);
    KARTE *k = id < 0 ? nullptr : SW_FindKarte(static_cast<uint32_t>(id));
    if (!k)
        return -1;
    memset(block, 0, sizeof *block);
    block->nMode = CE_MODE_CHANGE;
    block->nKartenKennung = k->nKartenKennung;
    snprintf(block->cKartenName, sizeof block->cKartenName, "%s", k->cKartenName);
    snprintf(block->cIconName, sizeof block->cIconName, "%s", k->cIconName);
    block->nCancelled = -1;
    return CW_GetFirstCardField(k->nKartenKennung) ? 1 : 0;
}

DLG_ANSWER CW_ChangeKarteOk(CARDEDIT *block, const char *name, const char *icon) {
    DLG_ANSWER a = CW_CheckCard(name, icon);
    if (a.nAction != DLG_NEXT)
        return a;
    snprintf(block->cKartenName, sizeof block->cKartenName, "%.49s", name);
    snprintf(block->cIconName, sizeof block->cIconName, "%.24s", icon);
    block->nCancelled = 0;
    return DLG_Close(DLG_CLOSE_OK);
}

int CW_ChangeKarteEnd(const CARDEDIT *block) {
    if (block->nCancelled != 0)
        return 1;
    KARTE *k = SW_FindKarte(block->nKartenKennung);
    if (!k)
        return -1;
    UI_ResetRightPane(); // an open in-place edit is stored before the contents change
    memset(k->cKartenName, 0, sizeof k->cKartenName);
    snprintf(k->cKartenName, sizeof k->cKartenName, "%.49s", block->cKartenName);
    memset(k->cIconName, 0, sizeof k->cIconName);
    snprintf(k->cIconName, sizeof k->cIconName, "%.24s", block->cIconName);
    const uint32_t id = k->nKartenKennung;
    if (CW_GetFirstCardField(id)) {
        const uint32_t used = FS_UsedEntries();
        for (uint32_t i = 0; i < used; ++i) {
            const FELDSTRUCT *e = &FeldStruct[i];
            FELDTABCARD *f = SW_FindCardField(id, e->nIndex);
            if (!f)
                continue;
            for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
                if (c->nKartenKennung == id && c->nFeldIndex == f->FeldIndex)
                    FS_AdjustInhalt(c, f->Feldlaenge, f->Feldtyp, e->nLaenge, e->nTyp);
            ToCardField(e, e->nOrder, f);
        }
        FW_SortCardFieldTab();
    }
    UI_RebuildTree();
    return 0;
}

int CW_DeleteKarte(TREEHANDLE hCard) {
    int id = CW_GetCardId(hCard);
    if (id < 0) {
        ShowAndLog("CA01", "P-Error: cannot get card id, TVIEWhSelected: %x", hCard);
        return -1;
    }
    const char *name = CW_GetCardNameById(static_cast<uint32_t>(id));
    char question[KARTEN_NAME_LEN + 24];
    snprintf(question, sizeof question, "delete card [%s] ?", name ? name : "");
    if (UI_MessageBox(question, "Confirm", UI_MB_OKCANCEL | UI_MB_ICONQUESTION) != UI_IDOK)
        return 1;
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CW_DeleteKarte() (TVIEWhSelected=%x)", TRACE_PTR(hCard));
    UI_ResetRightPane();
    if (CW_RemoveCardStruct(hCard) != 0)
        return -1; // logged: no such card
    CW_ForgetCutCard(static_cast<uint32_t>(id));
    if (RecordCounts.nCardCount > 0)
        --RecordCounts.nCardCount;
    SW_SortKarten();
    UI_RebuildTree();
    UI_ShowCounts();
    return 0;
}
