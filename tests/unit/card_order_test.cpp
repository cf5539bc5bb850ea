#include "model/card_order.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class CardOrder : public ModelTest {
  protected:
    static std::string Cards() {
        std::string s;
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            s += std::to_string(k->nOrdnerKennung) + ":" + k->cKartenName + std::to_string(k->nKartenOrder) + " ";
        return s;
    }
};
} // namespace

TEST_F(CardOrder, AnEmptyFolderSaysSo) {
    AddFolder(1, 1, "Empty", Item(0xf1));
    CW_ORDERLIST l;
    DLG_ANSWER a = CW_OrderBegin(&l, Item(0xf1));
    EXPECT_EQ(a.nAction, DLG_CLOSE_CANCEL);
    EXPECT_STREQ(a.lpText, "folder is empty");
    EXPECT_STREQ(a.lpCaption, "Notice");
    EXPECT_EQ(a.nStyle, UI_MB_OK | UI_MB_ICONINFORMATION);
    EXPECT_EQ(l.lpKarten, nullptr);
}

TEST_F(CardOrder, OnlyTheFoldersCardsTakeTheNewOrder) {
    AddFolder(1, 1, "One", Item(0xf1));
    AddFolder(2, 2, "Two", Item(0xf2));
    // The folders' cards lie interleaved in the list.
    AddCard(1, 1, 1, "a");
    AddCard(2, 2, 1, "x");
    AddCard(1, 3, 2, "b");
    AddCard(2, 4, 2, "y");
    AddCard(1, 5, 3, "c");
    CW_ORDERLIST l;
    ASSERT_EQ(CW_OrderBegin(&l, Item(0xf1)).nAction, DLG_NEXT);
    ASSERT_EQ(l.nCount, 3u);
    EXPECT_TRUE(CW_OrderCanDown(&l, 1));
    EXPECT_FALSE(CW_OrderCanUp(&l, 0));
    EXPECT_EQ(CW_OrderDown(&l, 0), 1);
    EXPECT_EQ(CW_OrderDown(&l, 1), 2);
    CW_OrderOk(&l);
    EXPECT_EQ(Cards(), "1:b1 2:x1 1:c2 2:y2 1:a3 ");
    EXPECT_EQ(ui.treeRebuilds, 1);

    ASSERT_EQ(CW_OrderBegin(&l, Item(0xf2)).nAction, DLG_NEXT);
    CW_OrderUp(&l, 1);
    CW_OrderCancel(&l);
    EXPECT_EQ(Cards(), "1:b1 2:x1 1:c2 2:y2 1:a3 ");
    EXPECT_EQ(CW_OrderBegin(&l, Item(0xbad)).nAction, DLG_CLOSE_CANCEL);
}
