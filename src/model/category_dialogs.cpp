#include "model/category_dialogs.h"

#include "frame/memory.h"
#include "model/cards.h"
#include "model/categories.h"
#include "model/folders.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
const char kDisplayAlways[] = "display always";

void FreeChain(CATEGORYTAB *c) {
    while (c) {
        CATEGORYTAB *next = c->next;
        T_Free("CC_F_04", c);
        c = next;
    }
}

// Adds k to a list of category indexes; false when memory ran out.
bool AddIndex(uint32_t *&list, uint32_t &n, uint32_t k) {
    uint32_t *grown = static_cast<uint32_t *>(
        T_Realloc("CC_R_00", list, sizeof(uint32_t) * n, sizeof(uint32_t) * (n + 1)));
    if (!grown)
        return false;
    list = grown;
    list[n++] = k;
    return true;
}

void FreeIndexes(uint32_t *&list, uint32_t &n) {
    if (list)
        T_Free("CC_F_05", list);
    list = nullptr;
    n = 0;
}

// Asks whether the records that carry the category lose it: IDYES, IDNO or
// IDCANCEL; IDNO without a question when there are none.
int AskRemove(uint32_t count, const char *format) {
    if (count == 0)
        return UI_IDNO;
    char text[160];
    snprintf(text, sizeof text, format, static_cast<int>(count));
    return UI_MessageBox(text, "remove category", UI_MB_YESNOCANCEL | UI_MB_ICONQUESTION | UI_MB_TOPMOST);
}

const char *EntryText(uint32_t pos, const char *first) {
    return pos == 0 ? first : CC_FilterEntryText(pos);
}
} // namespace

int CC_EditOpen(CC_EDIT *e) {
    memset(e, 0, sizeof *e);
    CATEGORYTAB *tail = nullptr;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next) {
        CATEGORYTAB *copy = static_cast<CATEGORYTAB *>(T_Malloc("CC_M_04", sizeof(CATEGORYTAB)));
        if (!copy) {
            FreeChain(e->lpSaved);
            e->lpSaved = nullptr;
            return -1;
        }
        *copy = *c;
        copy->next = nullptr;
        (tail ? tail->next : e->lpSaved) = copy;
        tail = copy;
    }
    return 0;
}

int CC_EditNewEnabled(const char *typed) { return typed && strlen(typed) >= CC_NAME_MIN ? 1 : 0; }

int CC_EditNew(CC_EDIT *, const char *typed, uint32_t *pIndex) {
    if (!CC_EditNewEnabled(typed))
        return -1;
    uint32_t index = CC_GetNewCategoryIndex();
    if (index == 0)
        return -1;
    CATEGORYTAB *c = CC_AppendCategory("CC_M_05");
    if (!c)
        return -1;
    c->index = index;
    memcpy(c->name, typed, strnlen(typed, CC_NAME_MAX));
    if (pIndex)
        *pIndex = index;
    // The list is ascending by index; as the new index is the smallest free one,
    // this is index - 1.
    int pos = 0;
    for (CATEGORYTAB *o = lpCATEGORYTABstart; o; o = o->next)
        if (o->index < index)
            ++pos;
    return pos;
}

int CC_EditDelete(CC_EDIT *e, uint32_t index) {
    CATEGORYTAB *victim = CC_FindCategory(index);
    if (!victim)
        return -1;
    uint32_t folders = 0, cards = 0;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        if (o->nCategory == index)
            ++folders;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (k->nCategory == index)
            ++cards;
    int clearFolders = AskRemove(folders, "%d Folder with this category existing,\nremove category from this folders ?");
    if (clearFolders == UI_IDCANCEL)
        return 1;
    int clearCards = AskRemove(cards, "%d Cards with this category existing,\nremove category from this cards ?");
    if (clearCards == UI_IDCANCEL)
        return 1;
    if (clearFolders == UI_IDYES && !AddIndex(e->lpClearFolders, e->nClearFolders, index))
        return 1;
    if (clearCards == UI_IDYES && !AddIndex(e->lpClearCards, e->nClearCards, index))
        return 1;

    CATEGORYTAB **link = &lpCATEGORYTABstart;
    while (*link != victim)
        link = &(*link)->next;
    *link = victim->next;
    T_Free("CC_F_06", victim);
    CC_FindCategoryTail();
    return 0;
}

void CC_EditOk(CC_EDIT *e) {
    for (uint32_t i = 0; i < e->nClearFolders; ++i)
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            if (o->nCategory == e->lpClearFolders[i])
                o->nCategory = 0;
    for (uint32_t i = 0; i < e->nClearCards; ++i)
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            if (k->nCategory == e->lpClearCards[i])
                k->nCategory = 0;
    FreeIndexes(e->lpClearFolders, e->nClearFolders);
    FreeIndexes(e->lpClearCards, e->nClearCards);
    FreeChain(e->lpSaved);
    e->lpSaved = nullptr;
    CC_SortCategory();
    CC_FillFilterBox();
}

void CC_EditCancel(CC_EDIT *e) {
    CC_ReleaseCategoryTable();
    lpCATEGORYTABstart = e->lpSaved;
    CC_FindCategoryTail();
    e->lpSaved = nullptr;
    FreeIndexes(e->lpClearFolders, e->nClearFolders);
    FreeIndexes(e->lpClearCards, e->nClearCards);
}

uint32_t CC_ChoiceCount() { return CC_FilterEntryCount(); }
const char *CC_ChoiceText(uint32_t pos) { return EntryText(pos, kDisplayAlways); }
uint32_t CC_ChoiceIndex(uint32_t pos) { return CC_FilterEntryIndex(pos); }

uint32_t CC_ChoiceOf(uint32_t nCategory) {
    uint32_t pos = 1;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next, ++pos)
        if (nCategory != 0 && c->index == nCategory)
            return pos;
    return 0;
}

// A record's category as the lookups give it (an int); a tree item that names no
// record has no choice but "display always".
uint32_t CC_OrdnerChoice(TREEHANDLE hItem) {
    if (!OW_GetOrdnerName(hItem))
        return 0;
    return CC_ChoiceOf(static_cast<uint32_t>(OW_GetOrdnerCategory(hItem)));
}

uint32_t CC_CardChoice(TREEHANDLE hItem) {
    if (!CW_GetCardName(hItem))
        return 0;
    return CC_ChoiceOf(static_cast<uint32_t>(CW_GetCardCategory(hItem)));
}

int CC_SetOrdnerChoice(TREEHANDLE hItem, uint32_t pos) {
    if (pos >= CC_ChoiceCount() || !OW_GetOrdnerName(hItem))
        return -1;
    OW_SetOrdnerCategory(hItem, CC_ChoiceIndex(pos));
    return 0;
}

int CC_SetCardChoice(TREEHANDLE hItem, uint32_t pos) {
    if (pos >= CC_ChoiceCount() || !CW_GetCardName(hItem))
        return -1;
    CW_SetCardCategory(hItem, CC_ChoiceIndex(pos));
    return 0;
}
