#include "frame/trace.h"
#include "model/folder_order.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class FolderOrder : public ModelTest {
  protected:
    static std::string Names(const OW_ORDERLIST &l) {
        std::string s;
        for (uint32_t i = 0; i < l.nCount; ++i)
            s += std::string(i ? "," : "") + l.lpOrdner[i].cOrdnerName + std::to_string(l.lpOrdner[i].nOrdnerOrder);
        return s;
    }
    static std::string ListNames() {
        std::string s;
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            s += std::string(o == lpORDNERstart ? "" : ",") + o->cOrdnerName + std::to_string(o->nOrdnerOrder);
        return s;
    }
};
} // namespace

TEST_F(FolderOrder, UpAndDownMoveALineAndOkGivesTheListItsOrder) {
    ORDNER *a = AddFolder(1, 1, "a", Item(1));
    ORDNER *b = AddFolder(2, 2, "b", Item(2));
    ORDNER *c = AddFolder(3, 3, "c", Item(3));
    OW_ORDERLIST l;
    ASSERT_EQ(OW_OrderBegin(&l), 0);
    EXPECT_EQ(Names(l), "a1,b2,c3");
    EXPECT_FALSE(OW_OrderCanUp(&l, 0));
    EXPECT_TRUE(OW_OrderCanDown(&l, 0));
    EXPECT_TRUE(OW_OrderCanUp(&l, 2));
    EXPECT_FALSE(OW_OrderCanDown(&l, 2));
    EXPECT_EQ(OW_OrderUp(&l, 2), 1);
    EXPECT_EQ(Names(l), "a1,c2,b3");
    EXPECT_EQ(OW_OrderUp(&l, 1), 0);
    EXPECT_EQ(Names(l), "c1,a2,b3");
    EXPECT_EQ(OW_OrderUp(&l, 0), 0) << "the first line stays";
    EXPECT_EQ(OW_OrderDown(&l, 2), 2) << "the last line stays";
    EXPECT_EQ(ListNames(), "a1,b2,c3") << "nothing changes before OK";
    dwTraceLevel = TRACE_DUMP_SORT;
    OW_OrderOk(&l);
    dwTraceLevel = 0;
    EXPECT_EQ(l.lpOrdner, nullptr);
    EXPECT_EQ(ListNames(), "c1,a2,b3");
    EXPECT_EQ(lpORDNERstart, a) << "the records keep their places and links";
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, c);
    EXPECT_EQ(c->next, nullptr);
    EXPECT_EQ(a->nOrdnerKennung, 3u) << "c's contents moved into the first record";
    EXPECT_EQ(a->hOrdnerTree, Item(3));
    EXPECT_EQ(ui.treeRebuilds, 1);
    EXPECT_FALSE(TraceLines("DMP S B").empty());
    EXPECT_FALSE(TraceLines("DMP S E").empty());
}

TEST_F(FolderOrder, CancelChangesNothingAndOrdersWithGapsStillMove) {
    AddFolder(1, 5, "a");
    AddFolder(2, 9, "b");
    OW_ORDERLIST l;
    ASSERT_EQ(OW_OrderBegin(&l), 0);
    EXPECT_EQ(OW_OrderDown(&l, 0), 1);
    EXPECT_EQ(Names(l), "b1,a2");
    OW_OrderCancel(&l);
    EXPECT_EQ(ListNames(), "a5,b9");
    EXPECT_EQ(ui.treeRebuilds, 0);
    ReleaseAll();
    EXPECT_EQ(OW_OrderBegin(&l), -1);
}
