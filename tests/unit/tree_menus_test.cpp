#include "model/tree_menus.h"

#include "model/card_clipboard.h"
#include "model/tree_build.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class TreeMenus : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        memset(&CutCard, 0, sizeof CutCard);
        AddFolder(1, 1, "One", Item(0xf1));
        AddField(1, 0, 1, "User");
        AddCard(1, 1, 1, "Only", Item(0xc1));
    }
    void TearDown() override {
        memset(&CutCard, 0, sizeof CutCard);
        ModelTest::TearDown();
    }
};
} // namespace

TEST_F(TreeMenus, EachKindItsMenu) {
    EXPECT_EQ(TM_MenuForKind(TV_KIND_SAFE), 152u);
    EXPECT_EQ(TM_MenuForKind(TV_KIND_FOLDER), 150u);
    EXPECT_EQ(TM_MenuForKind(TV_KIND_CARD), 149u);
    EXPECT_EQ(TM_MenuForKind(TV_KIND_FIELD), 0u);
    EXPECT_EQ(TM_MenuForKind(TV_KIND_URL), 0u);
}

TEST_F(TreeMenus, OrdersNeedTwoToChange) {
    EXPECT_TRUE(TM_IsGreyed(IDM_TV_FOLDERORDER, Item(1)));
    EXPECT_TRUE(TM_IsGreyed(IDM_TV_CARDORDER, Item(0xf1)));
    AddFolder(2, 2, "Two", Item(0xf2));
    AddCard(2, 2, 1, "Elsewhere", Item(0xc2));
    EXPECT_FALSE(TM_IsGreyed(IDM_TV_FOLDERORDER, Item(1)));
    EXPECT_TRUE(TM_IsGreyed(IDM_TV_CARDORDER, Item(0xf1))) << "cards of other folders do not count";
    AddCard(1, 3, 2, "Second", Item(0xc3));
    EXPECT_FALSE(TM_IsGreyed(IDM_TV_CARDORDER, Item(0xf1)));
    EXPECT_EQ(TM_CountCards(1), 2u);
    EXPECT_EQ(TM_CountCards(2), 1u);
}

TEST_F(TreeMenus, PasteNeedsACardCutFromAnotherFolder) {
    AddFolder(2, 2, "Two", Item(0xf2));
    AddField(2, 0, 1, "User");
    EXPECT_TRUE(TM_IsGreyed(IDM_TV_PASTECARD, Item(0xf2))) << "nothing cut";
    ASSERT_EQ(CW_CutCard(Item(0xc1)), 0);
    EXPECT_TRUE(TM_IsGreyed(IDM_TV_PASTECARD, Item(0xf1))) << "the folder it was cut from";
    EXPECT_FALSE(TM_IsGreyed(IDM_TV_PASTECARD, Item(0xf2)));
}

TEST_F(TreeMenus, TheOtherItemsAreNeverGreyed) {
    for (unsigned cmd : {IDM_TV_CREATEFOLDER, IDM_TV_PASSWORD, IDM_TV_CREATECARD, IDM_TV_CHANGEFOLDER,
                         IDM_TV_DELETEFOLDER, IDM_TV_FOLDERCATEGORY, IDM_TV_CHANGECARD, IDM_TV_DELETECARD,
                         IDM_TV_CUTCARD, IDM_TV_CARDCATEGORY})
        EXPECT_FALSE(TM_IsGreyed(cmd, Item(0xf1))) << cmd;
}
