#include "model/categories.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "model/exchange_sort.h"
#include "model/new_id.h"
#include "platform/uiport.h"

CATEGORYTAB *lpCATEGORYTABstart = nullptr, *lpCATEGORYTABact = nullptr;
CATEGORYSTATE CategoryState;

namespace {
const char TAG_FNK[] = "CC_FNK";
const char kAll[] = "all";

CATEGORYTAB *LastOf(CATEGORYTAB *c) {
    while (c && c->next)
        c = c->next;
    return c;
}

// The category at a position of the table (0 = first), null past the end.
CATEGORYTAB *AtPosition(uint32_t pos) {
    CATEGORYTAB *c = lpCATEGORYTABstart;
    while (c && pos-- > 0)
        c = c->next;
    return c;
}
} // namespace

CATEGORYTAB *CC_AppendCategory(const char *tag) {
    CATEGORYTAB *rec = static_cast<CATEGORYTAB *>(T_Malloc(tag, sizeof(CATEGORYTAB)));
    if (!rec)
        return nullptr;
    if (lpCATEGORYTABstart && !lpCATEGORYTABact)
        lpCATEGORYTABact = LastOf(lpCATEGORYTABstart);
    if (!lpCATEGORYTABstart)
        lpCATEGORYTABstart = rec;
    else
        lpCATEGORYTABact->next = rec;
    lpCATEGORYTABact = rec;
    return rec;
}

void CC_ReleaseCategoryTable() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CC_ReleaseCategoryTable (lpCATEGORYTABstart=%x)",
          TRACE_PTR(lpCATEGORYTABstart));
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c;) {
        CATEGORYTAB *next = c->next;
        T_Free("CC_F_00", c);
        c = next;
    }
    lpCATEGORYTABstart = lpCATEGORYTABact = nullptr;
}

uint32_t CC_GetNewCategoryIndex() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CC_GetNewCategoryIndex()");
    uint32_t nNewCatId = SW_SmallestFreeId(
        lpCATEGORYTABstart, [](const CATEGORYTAB *c) { return c->index; }, "CC_M_01", "CC_F_01");
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "E CC_GetNewCategoryIndex() (return nNewCatId=%d)", static_cast<int>(nNewCatId));
    return nNewCatId;
}

void CC_SortCategory() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CC_SortCategory() (lpCC_SortCategory()start = %x)",
          TRACE_PTR(lpCATEGORYTABstart));
    uint32_t n = 0;
    CATEGORYTAB **recs = SW_ListArray(lpCATEGORYTABstart, &n);
    if (!recs)
        return;
    SW_ExchangeSortRecords(recs, n, [](const CATEGORYTAB *c) { return c->index; });
    T_Free("SW_F_41", recs);
}

void CC_FindCategoryTail() { lpCATEGORYTABact = LastOf(lpCATEGORYTABstart); }

CATEGORYTAB *CC_FindCategory(uint32_t index) {
    if (index == 0)
        return nullptr;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next)
        if (c->index == index)
            return c;
    return nullptr;
}

uint32_t CC_CountCategories() {
    uint32_t n = 0;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next)
        ++n;
    return n;
}

int CC_IsShownUnder(uint32_t nCategory, uint32_t nFilter) {
    if (nFilter == 0 || nCategory == 0 || nCategory == nFilter)
        return 1;
    return CC_FindCategory(nCategory) ? 0 : 1;
}

int CC_IsOrdnerShown(const ORDNER *lpOrdner) {
    return lpOrdner && CC_IsShownUnder(lpOrdner->nCategory, CategoryState.nCategoryFilter);
}

int CC_IsKarteShown(const KARTE *lpKarte) {
    if (!lpKarte || !CC_IsShownUnder(lpKarte->nCategory, CategoryState.nCategoryFilter))
        return 0;
    for (const ORDNER *o = lpORDNERstart; o; o = o->next)
        if (o->nOrdnerKennung == lpKarte->nOrdnerKennung)
            return CC_IsOrdnerShown(o);
    return 0; // a card without its folder has no place in the tree
}

uint32_t CC_FilterEntryCount() { return 1 + CC_CountCategories(); }

const char *CC_FilterEntryText(uint32_t pos) {
    if (pos == 0)
        return kAll;
    CATEGORYTAB *c = AtPosition(pos - 1);
    return c ? c->name : nullptr;
}

uint32_t CC_FilterEntryIndex(uint32_t pos) {
    CATEGORYTAB *c = pos == 0 ? nullptr : AtPosition(pos - 1);
    return c ? c->index : 0;
}

int CC_PickFilterEntry(uint32_t pos) {
    uint32_t k = CC_FilterEntryIndex(pos);
    if (k == CategoryState.nCategoryFilter)
        return 0;
    CategoryState.nCategoryFilter = k;
    return 1;
}

CategoryFilterView::~CategoryFilterView() = default;

static CategoryFilterView *g_filterView = nullptr;

void CC_SetFilterView(CategoryFilterView *view) { g_filterView = view; }

void CC_FillFilterBox() {
    uint32_t before = CategoryState.nCategoryFilter;
    CategoryState.nCategoryFilter = 0;
    // Without the box the filter is "all" all the same.
    if (g_filterView)
        g_filterView->Fill();
    // The box now says "all": a tree still filtered by a category would contradict it.
    if (before != 0)
        UI_RebuildTree();
}
