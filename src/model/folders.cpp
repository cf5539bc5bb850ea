#include "model/folders.h"

#include "frame/logs.h"
#include "frame/trace.h"
#include "model/new_id.h"

#include <cstring>

namespace {
const char TAG_FNK[] = "OR_FNK";

ORDNER *ByTreeItem(TREEHANDLE hItem) {
    if (!hItem)
        return nullptr;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        if (o->hOrdnerTree == hItem)
            return o;
    return nullptr;
}

FELDTABELLE *Field(uint32_t folder, uint32_t index) {
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
        if (f->nOrdnerKennung == folder && f->nFeldIndex == index)
            return f;
    return nullptr;
}

// The folder's next field description after f in list order (its first when f is null).
const FELDTABELLE *NextField(const FELDTABELLE *f, uint32_t folder) {
    for (f = f ? f->next : lpFELDTABELLEstart; f; f = f->next)
        if (f->nOrdnerKennung == folder)
            return f;
    return nullptr;
}
} // namespace

int OW_GetOrdnerId(TREEHANDLE hItem) {
    if (ORDNER *o = ByTreeItem(hItem))
        return static_cast<int>(o->nOrdnerKennung);
    ML_WriteLogF("OW02", 0, "OW_GetOrdnerId(HTREEITEM nhFIndex=%x) [return -1]", TRACE_PTR(hItem));
    return -1;
}

char *OW_GetOrdnerName(TREEHANDLE hItem) {
    ORDNER *o = ByTreeItem(hItem);
    return o ? o->cOrdnerName : nullptr;
}

char *OW_GetIconName(TREEHANDLE hItem) {
    ORDNER *o = ByTreeItem(hItem);
    return o ? o->cIconName : nullptr;
}

int OW_GetOrdnerCategory(TREEHANDLE hItem) {
    ORDNER *o = ByTreeItem(hItem);
    return o ? static_cast<int>(o->nCategory) : -1;
}

void OW_SetOrdnerCategory(TREEHANDLE hItem, uint32_t nCategory) {
    if (ORDNER *o = ByTreeItem(hItem))
        o->nCategory = nCategory;
}

int OW_SetOrdnerExpanded(TREEHANDLE hItem, uint32_t nExpanded) {
    ORDNER *o = ByTreeItem(hItem);
    if (!o)
        return 0;
    o->nExpanded = nExpanded;
    return 1;
}

ORDNER *OW_GetOrdnerStructAdr(uint32_t nOrdnerID) {
    if (ORDNER *o = SW_FindOrdner(nOrdnerID))
        return o;
    ML_WriteLogF("OW07", 0, "OW_GetOrdnerStructAdr(UINT nOrdnerID=%d) [return 0]", static_cast<int>(nOrdnerID));
    return nullptr;
}

TREEHANDLE OW_GetTreeHandle(uint32_t nIndex) {
    if (ORDNER *o = SW_FindOrdner(nIndex))
        return o->hOrdnerTree;
    ML_WriteLogF("OW01", 0, "OW_GetTreeHandle(UINT nIndex=%d) [return NULL]", static_cast<int>(nIndex));
    return nullptr;
}

char *OW_GetOrdnerNameById(uint32_t nOrdnerID) {
    ORDNER *o = SW_FindOrdner(nOrdnerID);
    return o ? o->cOrdnerName : nullptr;
}

uint32_t OW_GetFeldtyp(uint32_t nOIndex, uint32_t nFIndex) {
    if (FELDTABELLE *f = Field(nOIndex, nFIndex))
        return f->feldtyp;
    ML_WriteLogF("OW05", 0, "OW_GetFeldtyp(UINT nOIndex=%d UINT nFIndex=%d) [return 0]", static_cast<int>(nOIndex),
                 static_cast<int>(nFIndex));
    return 0;
}

int OW_GetFeldLaenge(uint32_t nOrdner, uint32_t nFeld) {
    if (FELDTABELLE *f = Field(nOrdner, nFeld))
        return static_cast<int>(f->feldlaenge);
    ML_WriteLogF("OW00", 0, "OW_GetFeldLaenge(UINT nOrdner=%d, UINT nFeld=%d) [return -1]", static_cast<int>(nOrdner),
                 static_cast<int>(nFeld));
    return -1;
}

uint32_t OW_GetDropKZ(uint32_t nOIndex, uint32_t nFIndex) {
    if (FELDTABELLE *f = Field(nOIndex, nFIndex))
        return f->drag;
    ML_WriteLogF("OW04", 0, "OW_GetDropKZ(UINT nOIndex=%d UINT nFIndex=%d) [return 0]", static_cast<int>(nOIndex),
                 static_cast<int>(nFIndex));
    return 0;
}

FELDTABELLE *OW_GetPointer2Feld(uint32_t nOIndex, uint32_t nFIndex) {
    if (FELDTABELLE *f = Field(nOIndex, nFIndex))
        return f;
    ML_WriteLogF("OW03", 0, "OW_GetPointer2Feld(UINT nOIndex=%d UINT nFIndex=%d) [return NULL]",
                 static_cast<int>(nOIndex), static_cast<int>(nFIndex));
    return nullptr;
}

uint32_t OW_GetNewFolderNumber() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B OW_GetNewFolderNumber() (nOrdnerCount=%d)", static_cast<int>(RecordCounts.nOrdnerCount));
    uint32_t nNewFolderId = SW_SmallestFreeId(
        lpORDNERstart, [](const ORDNER *o) { return o->nOrdnerKennung; }, "OW_M_00", "OW_F_00");
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "E OW_GetNewFolderNumber() (return nNewFolderId=%d)",
          static_cast<int>(nNewFolderId));
    return nNewFolderId;
}

// A card keeps its contents by field index, so it fits only where the field of
// each index has the same name and type and at least the length; the display
// order (changed by Up/Down) has no say. The target must also have exactly as
// many fields: with fewer the card's last contents would hang on nothing, with
// more the card would have no content record to store the extra fields in.
int OW_CompareFeldTabelle(uint32_t nSource, uint32_t nTarget) {
    size_t sourceCount = 0, targetCount = 0;
    for (const FELDTABELLE *src = NextField(nullptr, nSource); src; src = NextField(src, nSource)) {
        const FELDTABELLE *dst = Field(nTarget, src->nFeldIndex);
        if (!dst || src->feldtyp != dst->feldtyp || src->feldlaenge > dst->feldlaenge ||
            strncmp(src->feldname, dst->feldname, FELD_NAME_LEN) != 0)
            return 1;
        ++sourceCount;
    }
    for (const FELDTABELLE *dst = NextField(nullptr, nTarget); dst; dst = NextField(dst, nTarget))
        ++targetCount;
    return (sourceCount == 0 || sourceCount != targetCount) ? 1 : 0;
}
