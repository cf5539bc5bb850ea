#include "frame/trace.h"
#include "model/fields.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class Fields : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        AddFolder(1, 1, "Banking", Item(0xa1));
        AddField(1, 0, 1, "user", FT_NORMAL, 20, 1); // marked for dragging
        AddField(1, 1, 2, "password", FT_PASSWORT, 10, 0);
        AddField(1, 2, 3, "notes", FT_NORMAL, 250, 0);
        AddCard(1, 1, 1, "Bank", Item(0xc1));
        AddCard(1, 2, 2, "Hidden"); // filtered out of the tree
        AddCard(1, 3, 3, "Own", Item(0xc3));
        AddCardField(3, 0, 1, "pin", FT_PASSWORT, 4, 0);
        AddCardField(3, 1, 2, "login", FT_NORMAL, 30, 1);
        for (uint32_t card : {1u, 2u})
            for (uint32_t f = 0; f < 3; ++f)
                AddContent(card, f);
        AddContent(3, 0);
        AddContent(3, 1);
    }
    static FELDINHALT *Content(uint32_t card, uint32_t field) {
        for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next)
            if (f->nKartenKennung == card && f->nFeldIndex == field)
                return f;
        return nullptr;
    }
};
} // namespace

TEST_F(Fields, PutThenGetGivesTheTextBack) {
    ASSERT_EQ(FW_PutFeld(1, 1, "s3cret", Item(0xc1)), 0);
    FELDINHALT *c = Content(1, 1);
    EXPECT_STREQ(c->lpFeldInhalt, "s3cret");
    EXPECT_EQ(c->nFeldLaenge, 6u);
    char buffer[251];
    memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(FW_GetFeld(1, 1, buffer), 0);
    EXPECT_STREQ(buffer, "s3cret");

    ASSERT_EQ(FW_PutFeld(1, 1, "other", Item(0xc1)), 0);
    EXPECT_EQ(c->nFeldLaenge, 5u);
    ASSERT_EQ(FW_GetFeld(1, 1, buffer), 0);
    EXPECT_STREQ(buffer, "other");
    EXPECT_TRUE(ui.fieldItems.empty()) << "the password field carries no drag mark";
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(Fields, GetLeavesTheBufferAloneWhenThereIsNoText) {
    char buffer[16];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(FW_GetFeld(1, 2, buffer), -1) << "never filled";
    EXPECT_EQ(FW_GetFeld(1, 7, buffer), -1) << "no such content";
    EXPECT_EQ(FW_GetFeld(9, 0, buffer), -1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
}

TEST_F(Fields, PutWithoutAContentRecordChangesNothing) {
    EXPECT_EQ(FW_PutFeld(1, 3, "x", Item(0xc1)), -1);
    EXPECT_EQ(FW_PutFeld(4, 0, "x", Item(0xc1)), -1);
    for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next)
        EXPECT_EQ(f->lpFeldInhalt, nullptr);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(ui.fieldItems.empty());

    SW_FreeFeldInhaltTabelle();
    EXPECT_EQ(FW_PutFeld(1, 0, "x", Item(0xc1)), -1);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"*FW00* error: FW_PutFeld(lpFELDINHALTtmp = NULL)"});
}

TEST_F(Fields, AnEmptyTextIsKeptAsAnEmptyString) {
    ASSERT_EQ(FW_PutFeld(1, 0, "", Item(0xc1)), 0);
    FELDINHALT *c = Content(1, 0);
    ASSERT_NE(c->lpFeldInhalt, nullptr);
    EXPECT_STREQ(c->lpFeldInhalt, "");
    EXPECT_EQ(c->nFeldLaenge, 0u);
    EXPECT_TRUE(ui.fieldItems.empty()) << "an empty text gets no field item";
    char buffer[21] = "untouched";
    EXPECT_EQ(FW_GetFeld(1, 0, buffer), 0);
    EXPECT_STREQ(buffer, "");

    // The first real text brings the item, once; emptied and filled again, no second.
    ASSERT_EQ(FW_PutFeld(1, 0, "alice", Item(0xc1)), 0);
    ASSERT_EQ(ui.fieldItems.size(), 1u);
    ASSERT_EQ(FW_PutFeld(1, 0, "", Item(0xc1)), 0);
    ASSERT_EQ(FW_PutFeld(1, 0, "bob", Item(0xc1)), 0);
    EXPECT_EQ(ui.fieldItems.size(), 1u);
}

TEST_F(Fields, AMarkedFieldGetsItsTreeItemOnceWithItsFirstText) {
    ASSERT_EQ(FW_PutFeld(1, 0, "alice", Item(0xc1)), 0);
    ASSERT_EQ(ui.fieldItems.size(), 1u);
    EXPECT_EQ(ui.fieldItems[0].parent, Item(0xc1));
    EXPECT_EQ(ui.fieldItems[0].text, "user");
    EXPECT_EQ(Content(1, 0)->hFeldTree, ui.fieldItems[0].item);

    ASSERT_EQ(FW_PutFeld(1, 0, "bob", Item(0xc1)), 0);
    EXPECT_EQ(ui.fieldItems.size(), 1u) << "storing over a text adds no second item";

    // A card not shown in the tree gets no field item.
    ASSERT_EQ(FW_PutFeld(2, 0, "carol", nullptr), 0);
    EXPECT_EQ(ui.fieldItems.size(), 1u);
    EXPECT_EQ(Content(2, 0)->hFeldTree, nullptr);

    // An individual card asks its own field table, not its folder's.
    ASSERT_EQ(FW_PutFeld(3, 0, "1234", Item(0xc3)), 0);
    EXPECT_EQ(ui.fieldItems.size(), 1u) << "own field 0 carries no mark (the folder's field 0 does)";
    ASSERT_EQ(FW_PutFeld(3, 1, "dave", Item(0xc3)), 0);
    ASSERT_EQ(ui.fieldItems.size(), 2u);
    EXPECT_EQ(ui.fieldItems[1].parent, Item(0xc3));
    EXPECT_EQ(ui.fieldItems[1].text, "login");
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(Fields, TextsAreCutAtTheFieldsLengthAndNever250) {
    std::string long250(250, 'a'), long300(300, 'b');
    ASSERT_EQ(FW_PutFeld(1, 2, long250.c_str(), Item(0xc1)), 0);
    EXPECT_EQ(Content(1, 2)->nFeldLaenge, 250u) << "250 characters are stored whole";
    EXPECT_EQ(std::string(Content(1, 2)->lpFeldInhalt), long250);
    ASSERT_EQ(FW_PutFeld(1, 2, long300.c_str(), Item(0xc1)), 0);
    EXPECT_EQ(Content(1, 2)->nFeldLaenge, 250u);
    ASSERT_EQ(FW_PutFeld(1, 1, "0123456789abc", Item(0xc1)), 0);
    EXPECT_STREQ(Content(1, 1)->lpFeldInhalt, "0123456789") << "the password field holds 10";
    ASSERT_EQ(FW_PutFeld(3, 0, "123456", Item(0xc3)), 0);
    EXPECT_STREQ(Content(3, 0)->lpFeldInhalt, "1234") << "the card's own field holds 4";

    // A text longer than its field (a damaged safe) never overruns a buffer of
    // the field's length plus one.
    FELDINHALT *c = Content(1, 1);
    FW_FreeInhalt("TT_F_00", c);
    c->lpFeldInhalt = static_cast<char *>(T_Malloc("TT_M_05", 40));
    memset(c->lpFeldInhalt, 'z', 40);
    c->nFeldLaenge = 40;
    char buffer[12];
    memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(FW_GetFeld(1, 1, buffer), 0);
    EXPECT_EQ(std::string(buffer, 11), std::string(10, 'z') + '\0');
    EXPECT_EQ(buffer[11], '#');
}

TEST_F(Fields, TheOldTextIsWipedAndTheTraceShowsNoSecret) {
    ASSERT_EQ(FW_PutFeld(1, 1, "s3cret", Item(0xc1)), 0);
    FreedTexts watch;
    watch.Watch(Content(1, 1)->lpFeldInhalt, 6);
    dwTraceLevel = TRACE_FUNCTIONS;
    ASSERT_EQ(FW_PutFeld(1, 1, "n3w", Item(0xc1)), 0);
    EXPECT_EQ(watch.freed, std::vector<std::string>{std::string(6, '\0')});
    EXPECT_EQ(TraceLines("SW_FNK"), std::vector<std::string>{"B FW_PutFeld(nKarte 1, nFeld 1, lpInhalt ***)"});
    EXPECT_EQ(ReadFile(Path("orvtrace.log")).find("n3w"), std::string::npos);
}

TEST_F(Fields, CardOfAFieldItem) {
    ASSERT_EQ(FW_PutFeld(1, 0, "alice", Item(0xc1)), 0);
    EXPECT_EQ(FW_GetCardID(Content(1, 0)->hFeldTree), 1);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(FW_GetCardID(Item(0x77)), -1);
    EXPECT_EQ(FW_GetCardID(nullptr), -1) << "contents without an item are not found by no item";
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "*FW01* P-Error: FW_GetCardID - cannot find card id (HTREEITEM=77)",
                              "*FW01* P-Error: FW_GetCardID - cannot find card id (HTREEITEM=0)",
                          }));
}
