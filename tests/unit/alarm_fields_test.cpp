#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "model/alarm_fields.h"
#include "store/safe_lifecycle.h"
#include "support/model_fixture.h"
#include "support/safe_builder.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {
PL_SYSTEMTIME Day(int year, int month, int day) {
    PL_SYSTEMTIME t{};
    t.wYear = static_cast<uint16_t>(year);
    t.wMonth = static_cast<uint16_t>(month);
    t.wDay = static_cast<uint16_t>(day);
    t.wHour = 9;
    return t;
}

class AlarmFields : public ModelTest {
  protected:
    void TearDown() override {
        AW_ReleaseAlarmTable();
        ModelTest::TearDown();
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> b;
        for (auto &m : ui.shown)
            b.push_back(m.text);
        return b;
    }
    std::string Table() {
        std::string s;
        for (ALARMTAB *a = lpALARMTABstart; a; a = a->next)
            s += std::to_string(a->nOrdnerKennung) + "/" + std::to_string(a->nKartenKennung) + "/" +
                 std::to_string(a->nFeldIndex) + " ";
        return s;
    }
};
} // namespace

TEST_F(AlarmFields, EveryFieldDueTodayIsAnnouncedInFolderCardAndFieldOrder) {
    FixedClock clock(Day(2024, 3, 7));
    AddFolder(1, 1, "Bank");
    AddFolder(2, 2, "Home");
    AddField(1, 0, 1, "Login");
    AddField(1, 1, 2, "Renew", FT_ALARM);
    AddField(1, 2, 3, "Expires", FT_ALARM);
    AddField(2, 0, 1, "Due", FT_ALARM);
    AddField(2, 1, 2, "Other kind", FT_ALARM2);
    AddCard(1, 10, 1, "Giro");
    AddCard(2, 20, 1, "Rent");
    AddCard(1, 11, 2, "Savings");
    AddCard(2, 21, 2, "Own fields");
    AddContent(10, 0, "03/07/2024"); // a normal field, not an alarm
    AddContent(10, 1, "03/07/2024");
    AddContent(10, 2, "03/08/2024"); // tomorrow
    AddContent(11, 1, "03/07/2023"); // a year ago
    AddContent(11, 2, "03/07/2024");
    AddContent(20, 0, "03/07/2024");
    AddContent(20, 1, "03/07/2024"); // the second alarm kind is never checked
    AddContent(21, 0, "03/07/2024"); // its own descriptions say this is no alarm
    AddContent(21, 5, "03/07/2024");
    AddContent(21, 6, "03/07/202"); // too short to be a date
    AddCardField(21, 0, 1, "Plain");
    AddCardField(21, 5, 2, "Check", FT_ALARM);
    AddCardField(21, 6, 3, "Broken", FT_ALARM);

    EXPECT_EQ(AW_CheckAlarms(), 1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Folder: Bank\nCard: Giro\nField: Renew",
                                                  "Folder: Bank\nCard: Savings\nField: Expires",
                                                  "Folder: Home\nCard: Rent\nField: Due",
                                                  "Folder: Home\nCard: Own fields\nField: Check"}));
    for (auto &m : ui.shown) {
        EXPECT_EQ(m.caption, "ALARM");
        EXPECT_EQ(m.style, UI_MB_OK | UI_MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(Table(), "1/10/1 1/11/2 2/20/0 2/21/5 ");

    // Every scan starts afresh; a day without alarms leaves the table empty.
    FixedClock tomorrow(Day(2024, 3, 8));
    ui.shown.clear();
    EXPECT_EQ(AW_CheckAlarms(), 1);
    EXPECT_EQ(Table(), "1/10/2 ");
    FixedClock never(Day(2030, 1, 1));
    EXPECT_EQ(AW_CheckAlarms(), 0);
    EXPECT_EQ(lpALARMTABstart, nullptr);
    EXPECT_EQ(lpALARMTABact, nullptr);
}

TEST_F(AlarmFields, DateTexts) {
    char text[AW_DATE_LEN + 1];
    AW_FormatAlarmDate(7, 3, 2024, text);
    EXPECT_STREQ(text, "03/07/2024");
    AW_FormatAlarmDate(0, 0, 0, text);
    EXPECT_STREQ(text, "00/00/0000");
    int d, m, y;
    EXPECT_EQ(AW_ParseAlarmDate("12/31/2019", &d, &m, &y), 0);
    EXPECT_EQ(d, 31);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(y, 2019);
    EXPECT_EQ(AW_ParseAlarmDate("12/31/201", &d, &m, &y), -1);
    EXPECT_EQ(AW_ParseAlarmDate("1a/31/2019", &d, &m, &y), -1);
    EXPECT_EQ(d + m + y, 0);
}

TEST_F(AlarmFields, OpeningASafeAnnouncesItsAlarms) {
    FixedClock clock(Day(2024, 3, 7));
    cryptInit();
    Settings = SETTINGS{};
    SafeContents s;
    s.folders = {{1, 1, "Bank", ""}};
    s.fields = {{1, 0, 1, "Renew", FT_ALARM, 10, 0}};
    s.cards = {{1, 5, 1, "Giro", ""}};
    s.contents = {{5, 0, "03/07/2024"}};
    std::string path = Path("alarm.saf");
    ASSERT_TRUE(WriteFile(path, BuildSafe(s)));
    ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Folder: Bank\nCard: Giro\nField: Renew"});
    EXPECT_EQ(Table(), "1/5/0 ");
    EXPECT_EQ(SW_CloseSafe(0), 0);
    EXPECT_EQ(Table(), "") << "the marks go with the safe";

    // Nor does a safe created after it show them.
    ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
    snprintf(Settings.SafePath, sizeof Settings.SafePath, "%s", dir.c_str());
    SW_FOCUS focus;
    ASSERT_EQ(SW_CreateSafeOK("fresh", "", "", true, &focus), 0);
    EXPECT_EQ(Table(), "");
    EXPECT_EQ(SW_CloseSafe(0), 0);
    DW_FreeDroptabelle();
}
