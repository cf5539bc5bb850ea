#include "model/search.h"
#include "model/search_dialog.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class SearchDialog : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        AddFolder(1, 1, "Mail");
        AddField(1, 0, 1, "Note", FT_NORMAL, 250);
        AddCard(1, 1, 1, "Provider");
        AddContent(1, 0, kLong);
    }
    void TearDown() override {
        SE_FreeResults();
        ModelTest::TearDown();
    }
    // 30 characters, the most the text field takes, then more.
    static constexpr const char *kLong = "abcdefghijklmnopqrstuvwxyz0123456789";
};
} // namespace

TEST_F(SearchDialog, EmptyTextKeepsTheDialogOpenQuietly) {
    ASSERT_EQ(SE_Search("mail", SE_FOLDERS), 1u);
    uint32_t hits = 99;
    EXPECT_EQ(SE_SearchDialogSearch("", 1, 1, 1, &hits), SE_DLG_FOCUS_TEXT);
    EXPECT_EQ(hits, 0u);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_NE(SE_FindResult(0), nullptr) << "no search was run";
}

TEST_F(SearchDialog, NothingFoundIsSaidAndTheDialogCloses) {
    uint32_t hits = 99;
    EXPECT_EQ(SE_SearchDialogSearch("bank", 1, 1, 1, &hits), SE_DLG_CLOSE);
    EXPECT_EQ(hits, 0u);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Sorry, nothing found");
    EXPECT_EQ(ui.shown[0].caption, "Notice");
    EXPECT_EQ(ui.shown[0].style, unsigned(UI_MB_OK | UI_MB_ICONINFORMATION));

    ui.shown.clear();
    EXPECT_EQ(SE_SearchDialogSearch("MAIL", 1, 0, 0, &hits), SE_DLG_CLOSE);
    EXPECT_EQ(hits, 1u);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(SE_SearchDialogSearch("MAIL", 0, 1, 1, &hits), SE_DLG_CLOSE) << "folder names not checked";
    EXPECT_EQ(hits, 0u);
    EXPECT_EQ(SE_SearchDialogSearch("MAIL", 0, 0, 0, &hits), SE_DLG_CLOSE) << "nothing checked, nothing found";
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(SearchDialog, ThirtyCharactersAreSearched) {
    std::string thirty = std::string(kLong).substr(0, SE_TEXT_LIMIT);
    uint32_t hits = 0;
    EXPECT_EQ(SE_SearchDialogSearch(("X" + thirty.substr(1)).c_str(), 0, 0, 1, &hits), SE_DLG_CLOSE);
    EXPECT_EQ(hits, 0u) << "all 30 characters take part";
    EXPECT_EQ(SE_SearchDialogSearch((thirty + "!").c_str(), 0, 0, 1, &hits), SE_DLG_CLOSE);
    EXPECT_EQ(hits, 1u) << "a 31st character is not taken";
    EXPECT_EQ(SE_DialogOptions(1, 0, 1), SE_FOLDERS | SE_CONTENTS);
    EXPECT_EQ(SE_DialogOptions(0, 0, 0), 0u);
}
