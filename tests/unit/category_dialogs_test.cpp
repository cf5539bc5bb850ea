#include "model/category_dialogs.h"
#include "support/category_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
const unsigned kQuestion = UI_MB_YESNOCANCEL | UI_MB_ICONQUESTION | UI_MB_TOPMOST;
const char kTwoFolders[] = "2 Folder with this category existing,\nremove category from this folders ?";
const char kOneCard[] = "1 Cards with this category existing,\nremove category from this cards ?";

class CategoryEdit : public CategoryTest {
  protected:
    void SetUp() override {
        CategoryTest::SetUp();
        memset(&edit, 0, sizeof edit);
    }
    void TearDown() override {
        CC_EditCancel(&edit); // frees whatever a test left open
        CategoryTest::TearDown();
    }
    int New(const char *name, uint32_t *index = nullptr) {
        uint32_t dummy;
        return CC_EditNew(&edit, name, index ? index : &dummy);
    }
    CC_EDIT edit;
};
} // namespace

TEST_F(CategoryEdit, NewCategoriesTakeTheSmallestFreeIndexAndItsLine) {
    ASSERT_EQ(CC_EditOpen(&edit), 0);
    uint32_t index = 0;
    EXPECT_EQ(New("Bank", &index), 0);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(New("Work", &index), 1);
    EXPECT_EQ(New("Home", &index), 2);
    EXPECT_EQ(index, 3u);
    EXPECT_EQ(CC_EditDelete(&edit, 2), 0) << "in use nowhere: no question";
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(New("Travel", &index), 1) << "listed second";
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(Table(), "1 Bank|3 Home|2 Travel") << "appended until OK sorts";
    CC_EditOk(&edit);
    EXPECT_EQ(Table(), "1 Bank|2 Travel|3 Home");
    EXPECT_EQ(ui.filterFills, 1) << "OK refills the filter box";
    EXPECT_EQ(lpCATEGORYTABact->index, 3u);
}

TEST_F(CategoryEdit, NamesOfThreeToThirtyCharacters) {
    ASSERT_EQ(CC_EditOpen(&edit), 0);
    EXPECT_FALSE(CC_EditNewEnabled("ab"));
    EXPECT_TRUE(CC_EditNewEnabled("abc"));
    EXPECT_FALSE(CC_EditNewEnabled(""));
    EXPECT_FALSE(CC_EditNewEnabled(nullptr));
    EXPECT_EQ(New("ab"), -1);
    EXPECT_EQ(Table(), "");
    EXPECT_EQ(New("abc"), 0);
    EXPECT_EQ(New("A name that is far longer than thirty characters"), 1);
    EXPECT_STREQ(CC_FindCategory(2)->name, "A name that is far longer than");
    EXPECT_EQ(strlen(CC_FindCategory(2)->name), 30u);
}

TEST_F(CategoryEdit, DeletingAskedAboutFoldersAndCards) {
    AddCategory(1, "Bank");
    AddCategory(2, "Work");
    ORDNER *a = AddFolder(1, 1, "A");
    ORDNER *b = AddFolder(2, 2, "B");
    ORDNER *other = AddFolder(3, 3, "C");
    a->nCategory = b->nCategory = 2;
    other->nCategory = 1;
    KARTE *card = AddCard(3, 1, 1, "Card");
    card->nCategory = 2;

    // Cancel at the first question keeps everything, the category included.
    ASSERT_EQ(CC_EditOpen(&edit), 0);
    ui.answers = {UI_IDCANCEL};
    EXPECT_EQ(CC_EditDelete(&edit, 2), 1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kTwoFolders);
    EXPECT_EQ(ui.shown[0].caption, "remove category");
    EXPECT_EQ(ui.shown[0].style, kQuestion);
    EXPECT_EQ(Table(), "1 Bank|2 Work");

    // Yes for the folders, then Cancel for the cards: still nothing happens.
    ui.shown.clear();
    ui.answers = {UI_IDYES, UI_IDCANCEL};
    EXPECT_EQ(CC_EditDelete(&edit, 2), 1);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, kOneCard);
    CC_EditOk(&edit);
    EXPECT_EQ(Table(), "1 Bank|2 Work");
    EXPECT_EQ(a->nCategory, 2u);
    EXPECT_EQ(card->nCategory, 2u);

    // Yes for the folders, No for the card.
    ASSERT_EQ(CC_EditOpen(&edit), 0);
    ui.answers = {UI_IDYES, UI_IDNO};
    EXPECT_EQ(CC_EditDelete(&edit, 2), 0);
    EXPECT_EQ(Table(), "1 Bank");
    EXPECT_EQ(a->nCategory, 2u) << "folders change at OK";
    CC_EditOk(&edit);
    EXPECT_EQ(a->nCategory, 0u);
    EXPECT_EQ(b->nCategory, 0u);
    EXPECT_EQ(other->nCategory, 1u);
    EXPECT_EQ(card->nCategory, 2u) << "kept by the answer No";
    CategoryState.nCategoryFilter = 1;
    EXPECT_TRUE(CC_IsKarteShown(card)) << "its category is gone: shown under every filter";
}

TEST_F(CategoryEdit, CancelUndoesEverything) {
    AddCategory(1, "Bank");
    AddCategory(2, "Work");
    ORDNER *a = AddFolder(1, 1, "A");
    a->nCategory = 1;
    ASSERT_EQ(CC_EditOpen(&edit), 0);
    ui.answers = {UI_IDYES};
    EXPECT_EQ(CC_EditDelete(&edit, 1), 0);
    EXPECT_EQ(New("Travel"), 0);
    EXPECT_EQ(Table(), "2 Work|1 Travel");
    CC_EditCancel(&edit);
    EXPECT_EQ(Table(), "1 Bank|2 Work");
    EXPECT_EQ(a->nCategory, 1u) << "the folder keeps the category it had";
    EXPECT_EQ(ui.filterFills, 0);
    EXPECT_EQ(CC_GetNewCategoryIndex(), 3u);
    AddCategory(3, "After");
    EXPECT_EQ(lpCATEGORYTABstart->next->next->index, 3u) << "the tail is right after Cancel";
}

TEST_F(CategoryEdit, OkWithTheFilteredCategoryDeletedShowsEverythingAgain) {
    AddCategory(1, "Bank");
    AddCategory(2, "Work");
    CategoryState.nCategoryFilter = 2;
    ASSERT_EQ(CC_EditOpen(&edit), 0);
    EXPECT_EQ(CC_EditDelete(&edit, 2), 0);
    EXPECT_EQ(CC_EditDelete(&edit, 2), -1) << "gone already";
    CC_EditOk(&edit);
    EXPECT_EQ(CategoryState.nCategoryFilter, 0u);
    EXPECT_EQ(ui.treeRebuilds, 1);
}

TEST_F(CategoryEdit, CategoryDialogChoosesByIndexNotByName) {
    AddCategory(1, "Banking");
    AddCategory(2, "Bank");
    ORDNER *folder = AddFolder(1, 1, "Folder", Item(0xf1));
    KARTE *card = AddCard(1, 1, 1, "Card", Item(0xc1));
    card->nCategory = 2;
    folder->nCategory = 9; // deleted long ago

    ASSERT_EQ(CC_ChoiceCount(), 3u);
    EXPECT_STREQ(CC_ChoiceText(0), "display always");
    EXPECT_STREQ(CC_ChoiceText(1), "Banking");
    EXPECT_STREQ(CC_ChoiceText(2), "Bank");
    EXPECT_EQ(CC_ChoiceText(3), nullptr);
    EXPECT_EQ(CC_CardChoice(Item(0xc1)), 2u) << "\"Bank\", though \"Banking\" begins with it";
    EXPECT_EQ(CC_OrdnerChoice(Item(0xf1)), 0u) << "an unknown category preselects \"display always\"";
    EXPECT_EQ(CC_OrdnerChoice(Item(0xbad)), 0u);

    EXPECT_EQ(CC_SetOrdnerChoice(Item(0xf1), 2), 0);
    EXPECT_EQ(folder->nCategory, 2u);
    EXPECT_EQ(CC_SetCardChoice(Item(0xc1), 0), 0);
    EXPECT_EQ(card->nCategory, 0u) << "display always";
    EXPECT_EQ(CC_SetCardChoice(Item(0xc1), 3), -1) << "past the end";
    EXPECT_EQ(CC_SetCardChoice(Item(0xbad), 1), -1);
    EXPECT_EQ(card->nCategory, 0u);
}
