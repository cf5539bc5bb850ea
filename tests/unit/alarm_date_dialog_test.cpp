#include "model/fields.h"
#include "support/model_fixture.h"
#include "tools/alarm_date_dialog.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class AlarmDateDialog : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        AddFolder(1, 1, "Bank");
        AddField(1, 0, 1, "Renew", FT_ALARM, 10);
        AddCard(1, 7, 1, "Giro");
        AddContent(7, 0);
    }
    std::string Content() {
        char text[MAX_FELD_LAENGE + 1] = {};
        return FW_GetFeld(7, 0, text) == 0 ? text : "(none)";
    }
};
} // namespace

TEST_F(AlarmDateDialog, TheListsRunFrom01AndFrom2005To2019) {
    PL_SYSTEMTIME today{};
    today.wYear = 2008;
    today.wMonth = 1;
    today.wDay = 1;
    FixedClock clock(today);
    EXPECT_EQ(AW_DateListCount(AW_LIST_DAY), 31);
    EXPECT_EQ(AW_DateListCount(AW_LIST_MONTH), 12);
    EXPECT_EQ(AW_DateListCount(AW_LIST_YEAR), 15);
    char text[8];
    AW_DateListText(AW_LIST_DAY, 0, text);
    EXPECT_STREQ(text, "01");
    AW_DateListText(AW_LIST_DAY, 30, text);
    EXPECT_STREQ(text, "31");
    AW_DateListText(AW_LIST_MONTH, 11, text);
    EXPECT_STREQ(text, "12");
    AW_DateListText(AW_LIST_YEAR, 0, text);
    EXPECT_STREQ(text, "2005");
    AW_DateListText(AW_LIST_YEAR, 14, text);
    EXPECT_STREQ(text, "2019");
    EXPECT_EQ(AW_DateListValue(AW_LIST_YEAR, 14), 2019);
    EXPECT_EQ(AW_DateListValue(AW_LIST_DAY, -1), 0) << "nothing selected";
    EXPECT_EQ(AW_DateListPosition(AW_LIST_MONTH, 3), 2);
    EXPECT_EQ(AW_DateListPosition(AW_LIST_YEAR, 2024), -1) << "no year after 2019";
    EXPECT_EQ(AW_DateListPosition(AW_LIST_DAY, 0), -1);
}

TEST_F(AlarmDateDialog, TheYearsRunTenYearsPastToday) {
    PL_SYSTEMTIME today{};
    today.wYear = 2026;
    today.wMonth = 12;
    today.wDay = 8;
    FixedClock clock(today);
    EXPECT_EQ(AW_DateListCount(AW_LIST_YEAR), 32);
    char text[8];
    AW_DateListText(AW_LIST_YEAR, 0, text);
    EXPECT_STREQ(text, "2005") << "older alarm dates still preselect";
    AW_DateListText(AW_LIST_YEAR, 31, text);
    EXPECT_STREQ(text, "2036");
    EXPECT_EQ(AW_DateListPosition(AW_LIST_YEAR, 2027), 22);
    EXPECT_EQ(AW_DateListPosition(AW_LIST_YEAR, 2037), -1);
}

TEST_F(AlarmDateDialog, PreselectionComesFromTheFieldOrToday) {
    PL_SYSTEMTIME today{};
    today.wYear = 2012;
    today.wMonth = 6;
    today.wDay = 30;
    FixedClock clock(today);
    AW_DATESEL sel{};
    AW_AlarmDateInit(7, 0, &sel);
    EXPECT_EQ(sel.day, 30);
    EXPECT_EQ(sel.month, 6);
    EXPECT_EQ(sel.year, 2012);

    ASSERT_EQ(FW_PutFeld(7, 0, "11/05/2024", nullptr), 0);
    AW_AlarmDateInit(7, 0, &sel);
    EXPECT_EQ(sel.day, 5);
    EXPECT_EQ(sel.month, 11);
    EXPECT_EQ(sel.year, 2024);
    EXPECT_EQ(AW_DateListPosition(AW_LIST_YEAR, sel.year), -1) << "shown with no year preselected";
}

TEST_F(AlarmDateDialog, OkStoresMonthDayYearAndCancelNothing) {
    EXPECT_EQ(AW_AlarmDateOk(7, 0, 9, 4, 2010, nullptr), 0);
    EXPECT_EQ(Content(), "04/09/2010");
    EXPECT_EQ(AW_AlarmDateOk(7, 0, 9, 4, 0, nullptr), 0);
    EXPECT_EQ(Content(), "04/09/0000") << "no year chosen";
    AW_AlarmDateCancel(0);
    EXPECT_EQ(Content(), "04/09/0000");
    EXPECT_EQ(ui.redisplayedFields, (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(AW_AlarmDateOk(8, 0, 1, 1, 2010, nullptr), -1) << "no such card";
}
