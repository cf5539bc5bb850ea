#include "frame/trace.h"
#include "model/categories.h"
#include "support/category_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
using Categories = CategoryTest;
} // namespace

TEST_F(Categories, NewIndexIsTheSmallestFreeOne) {
    dwTraceLevel = TRACE_FUNCTIONS;
    EXPECT_EQ(CC_GetNewCategoryIndex(), 1u) << "empty table";
    AddCategory(1, "Bank");
    CATEGORYTAB *two = AddCategory(2, "Work");
    AddCategory(3, "Home");
    EXPECT_EQ(CC_GetNewCategoryIndex(), 4u);
    two->index = 7;
    EXPECT_EQ(CC_GetNewCategoryIndex(), 2u) << "an index freed by a deletion is given out again";
    lpCATEGORYTABstart->index = 0xFFFFFFFFu;
    EXPECT_EQ(CC_GetNewCategoryIndex(), 1u) << "a huge index from a damaged file costs no huge array";
    auto trace = TraceLines("CC_FNK");
    ASSERT_EQ(trace.size(), 8u);
    EXPECT_EQ(trace[0], "B CC_GetNewCategoryIndex()");
    EXPECT_EQ(trace[1], "E CC_GetNewCategoryIndex() (return nNewCatId=1)");
    EXPECT_EQ(trace[5], "E CC_GetNewCategoryIndex() (return nNewCatId=2)");
}

TEST_F(Categories, SortMovesContentsAndKeepsTheLinks) {
    CATEGORYTAB *a = AddCategory(3, "Three");
    CATEGORYTAB *b = AddCategory(1, "One");
    CATEGORYTAB *c = AddCategory(2, "Two");
    dwTraceLevel = TRACE_FUNCTIONS;
    CC_SortCategory();
    EXPECT_EQ(Table(), "1 One|2 Two|3 Three");
    EXPECT_EQ(lpCATEGORYTABstart, a);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, c);
    EXPECT_EQ(lpCATEGORYTABact, c);
    EXPECT_EQ(c->next, nullptr);
    char line[80];
    snprintf(line, sizeof line, "B CC_SortCategory() (lpCC_SortCategory()start = %x)", TRACE_PTR(a));
    EXPECT_EQ(TraceLines("CC_FNK"), std::vector<std::string>{line});
}

TEST_F(Categories, ReleaseEmptiesTheTableAndAppendStartsAgain) {
    CATEGORYTAB *first = AddCategory(1, "Bank");
    AddCategory(2, "Work");
    dwTraceLevel = TRACE_FUNCTIONS;
    CC_ReleaseCategoryTable();
    EXPECT_EQ(lpCATEGORYTABstart, nullptr);
    EXPECT_EQ(lpCATEGORYTABact, nullptr);
    char line[80];
    snprintf(line, sizeof line, "B CC_ReleaseCategoryTable (lpCATEGORYTABstart=%x)", TRACE_PTR(first));
    EXPECT_EQ(TraceLines("CC_FNK"), std::vector<std::string>{line});
    AddCategory(5, "Again");
    EXPECT_EQ(Table(), "5 Again");
    EXPECT_EQ(lpCATEGORYTABstart, lpCATEGORYTABact);
}

TEST_F(Categories, FilterRule) {
    AddCategory(1, "Bank");
    AddCategory(2, "Work");
    EXPECT_TRUE(CC_IsShownUnder(2, 0)) << "\"all\" shows everything";
    EXPECT_TRUE(CC_IsShownUnder(0, 1)) << "display always";
    EXPECT_TRUE(CC_IsShownUnder(1, 1));
    EXPECT_FALSE(CC_IsShownUnder(2, 1));
    EXPECT_TRUE(CC_IsShownUnder(9, 1)) << "a category that no longer exists hides nothing";
    EXPECT_EQ(CC_FindCategory(0), nullptr);
    EXPECT_EQ(CC_FindCategory(9), nullptr);
    EXPECT_STREQ(CC_FindCategory(2)->name, "Work");
}

TEST_F(Categories, FoldersAndCardsUnderTheFilter) {
    AddCategory(1, "Bank");
    AddCategory(2, "Work");
    ORDNER *bank = AddFolder(1, 1, "Accounts");
    bank->nCategory = 1;
    ORDNER *work = AddFolder(2, 2, "Office");
    work->nCategory = 2;
    AddFolder(3, 3, "Misc"); // display always
    KARTE *inBankAlways = AddCard(1, 1, 1, "Giro");
    KARTE *inBankWork = AddCard(1, 2, 2, "Payroll");
    inBankWork->nCategory = 2;
    KARTE *inWorkBank = AddCard(2, 3, 1, "Company card");
    inWorkBank->nCategory = 1;
    KARTE *inMiscBank = AddCard(3, 4, 1, "Savings");
    inMiscBank->nCategory = 1;
    KARTE *orphan = AddCard(99, 5, 1, "Lost");

    CategoryState.nCategoryFilter = 0;
    for (KARTE *k : {inBankAlways, inBankWork, inWorkBank, inMiscBank})
        EXPECT_TRUE(CC_IsKarteShown(k)) << k->cKartenName;

    CategoryState.nCategoryFilter = 1;
    EXPECT_TRUE(CC_IsOrdnerShown(bank));
    EXPECT_FALSE(CC_IsOrdnerShown(work));
    EXPECT_TRUE(CC_IsOrdnerShown(lpORDNERact)) << "a folder of category 0 stays under every filter";
    EXPECT_TRUE(CC_IsKarteShown(inBankAlways));
    EXPECT_FALSE(CC_IsKarteShown(inBankWork));
    EXPECT_FALSE(CC_IsKarteShown(inWorkBank)) << "its own category passes, but its folder is hidden";
    EXPECT_TRUE(CC_IsKarteShown(inMiscBank));
    EXPECT_FALSE(CC_IsKarteShown(orphan)) << "no folder, no place in the tree";
    EXPECT_FALSE(CC_IsOrdnerShown(nullptr));
    EXPECT_FALSE(CC_IsKarteShown(nullptr));
}

TEST_F(Categories, FilterBoxEntriesAndPicks) {
    EXPECT_EQ(CC_FilterEntryCount(), 1u) << "no categories: only \"all\"";
    EXPECT_STREQ(CC_FilterEntryText(0), "all");
    EXPECT_EQ(CC_FilterEntryText(1), nullptr);

    AddCategory(1, "Bank");
    AddCategory(4, "Work");
    ASSERT_EQ(CC_FilterEntryCount(), 3u);
    EXPECT_STREQ(CC_FilterEntryText(2), "Work");
    EXPECT_EQ(CC_FilterEntryIndex(2), 4u);
    EXPECT_EQ(CC_FilterEntryIndex(0), 0u);
    EXPECT_EQ(CC_FilterEntryIndex(3), 0u);

    EXPECT_EQ(CC_PickFilterEntry(0), 0) << "already \"all\"";
    EXPECT_EQ(CC_PickFilterEntry(2), 1);
    EXPECT_EQ(CategoryState.nCategoryFilter, 4u);
    EXPECT_EQ(CC_PickFilterEntry(2), 0) << "the same entry again changes nothing";
    EXPECT_EQ(CC_PickFilterEntry(1), 1);
    EXPECT_EQ(CategoryState.nCategoryFilter, 1u);
    EXPECT_EQ(CC_PickFilterEntry(0), 1);
    EXPECT_EQ(CategoryState.nCategoryFilter, 0u);
}

TEST_F(Categories, RefillingTheFilterBoxSelectsAllAndRebuildsAFilteredTree) {
    AddCategory(1, "Bank");
    CC_FillFilterBox();
    EXPECT_EQ(ui.filterFills, 1);
    EXPECT_EQ(ui.treeRebuilds, 0) << "the tree showed everything already";

    CategoryState.nCategoryFilter = 1;
    CC_FillFilterBox();
    EXPECT_EQ(ui.filterFills, 2);
    EXPECT_EQ(CategoryState.nCategoryFilter, 0u) << "the box says \"all\", so the filter is \"all\"";
    EXPECT_EQ(ui.treeRebuilds, 1);
}
