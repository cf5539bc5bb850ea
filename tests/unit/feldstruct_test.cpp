#include "model/feldstruct.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class FeldStructTest : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        FS_Clear();
    }
};
} // namespace

TEST_F(FeldStructTest, AppendingAppliesTheTypeRulesAndStopsAt49) {
    EXPECT_EQ(FS_Append("Date", FT_ALARM, 200, 1)->nLaenge, 10u);
    EXPECT_EQ(FeldStruct[0].nDrag, 0u);
    EXPECT_EQ(FS_Append("Second alarm", FT_ALARM2, 0, 1)->nLaenge, 3u);
    EXPECT_EQ(FeldStruct[1].nDrag, 0u);
    EXPECT_EQ(FS_Append("Marked", FT_NORMAL, 20, 5)->nDrag, 1u) << "a drag mark is 0 or 1";
    EXPECT_STREQ(FS_Append("A name of thirty characters...", FT_NORMAL, 1, 0)->cName, "A name of thirty charact");
    while (FeldEditor.nFeldStructCount < FELDSTRUCT_MAX)
        ASSERT_NE(FS_Append("more", FT_NORMAL, 1, 0), nullptr);
    EXPECT_EQ(FS_Append("one too many", FT_NORMAL, 1, 0), nullptr);
    EXPECT_EQ(FeldStruct[48].nIndex, 48u);
    EXPECT_EQ(FeldStruct[49].cName[0], 0) << "the last entry always stays empty";
    EXPECT_EQ(FS_UsedEntries(), 49u);
}

TEST_F(FeldStructTest, TheListEndsAtTheFirstEntryWithoutAName) {
    FS_Append("a", 0, 1, 0);
    FS_Append("b", 0, 1, 0);
    FS_Append("c", 0, 1, 0);
    FeldStruct[1].cName[0] = 0;
    EXPECT_EQ(FS_UsedEntries(), 1u);
    FS_Clear();
    EXPECT_EQ(FS_UsedEntries(), 0u);
    EXPECT_EQ(FeldStruct[0].cName[0], 0);
}

TEST_F(FeldStructTest, ChooserRowsShowTypeNameDragAndSize) {
    FS_ROW row;
    FS_DescribeEntry(FS_Append("Login", FT_PASSWORT, 32, 1), &row);
    EXPECT_STREQ(row.cName, "Login");
    EXPECT_STREQ(row.cTyp, "PASSWORT");
    EXPECT_STREQ(row.cDrag, "Y");
    EXPECT_STREQ(row.cSize, "32");
    FS_DescribeEntry(FS_Append("Due", FT_ALARM2, 0, 0), &row);
    EXPECT_STREQ(row.cTyp, "") << "type 6 is not in the type table";
    EXPECT_STREQ(row.cDrag, "");
    EXPECT_STREQ(row.cSize, "3");
}

TEST_F(FeldStructTest, AdjustingAContentCutsKeepsOrEmptiesItAndWipesWhatGoes) {
    FELDINHALT *c = AddContent(1, 0, "0123456789");
    FreedTexts freed;
    freed.Watch(c->lpFeldInhalt, 10);
    FS_AdjustInhalt(c, 30, FT_NORMAL, 5, FT_NORMAL);
    EXPECT_STREQ(c->lpFeldInhalt, "01234");
    EXPECT_EQ(c->nFeldLaenge, 5u);
    ASSERT_EQ(freed.freed.size(), 1u);
    EXPECT_EQ(freed.freed[0], std::string(10, '\0')) << "the old text is wiped, cut-off part included";

    FS_AdjustInhalt(c, 5, FT_NORMAL, 250, FT_NORMAL);
    EXPECT_STREQ(c->lpFeldInhalt, "01234") << "lengthening keeps the text";
    EXPECT_EQ(c->nFeldLaenge, 5u);
    FS_AdjustInhalt(c, 250, FT_NORMAL, 250, FT_PASSWORT);
    EXPECT_STREQ(c->lpFeldInhalt, "01234") << "a new type that is no alarm keeps the text";

    FS_AdjustInhalt(c, 250, FT_PASSWORT, 10, FT_ALARM);
    EXPECT_EQ(c->lpFeldInhalt, nullptr) << "becoming an alarm empties the content";
    EXPECT_EQ(c->nFeldLaenge, 0u);

    FELDINHALT *date = AddContent(1, 1, "12/24/2024");
    FS_AdjustInhalt(date, 10, FT_ALARM, 10, FT_ALARM);
    EXPECT_STREQ(date->lpFeldInhalt, "12/24/2024") << "an alarm that stays an alarm keeps its date";
    FS_AdjustInhalt(date, 10, FT_ALARM, 3, FT_ALARM2);
    EXPECT_EQ(date->lpFeldInhalt, nullptr) << "another alarm type empties it too";

    FELDINHALT *never = AddContent(1, 2);
    FS_AdjustInhalt(never, 30, FT_NORMAL, 5, FT_NORMAL);
    EXPECT_EQ(never->lpFeldInhalt, nullptr) << "a field never filled stays so";
}
