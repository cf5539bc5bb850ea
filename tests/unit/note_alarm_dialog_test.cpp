#include "tools/note_alarm_dialog.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
NW_ALARMREQUEST Request(const char *date, const char *time) {
    NW_ALARMREQUEST r{};
    if (date)
        memcpy(r.szDate, date, 6);
    if (time)
        memcpy(r.szTime, time, 4);
    return r;
}

std::string Chosen(const NW_ALARMDIALOG &d) {
    std::string s;
    for (int v : d.nSelected)
        s += std::to_string(v) + " ";
    return s + (d.bAM ? "AM" : "") + (d.bPM ? "PM" : "");
}

std::string Ok(const NW_ALARMDIALOG &d) {
    NW_ALARMREQUEST r = Request(nullptr, nullptr);
    NW_AlarmDialogOk(&d, &r);
    return std::to_string(r.nResult) + " " + std::string(r.szDate, 6) + " " + std::string(r.szTime, 4);
}

class AlarmDialog : public TempDirTest {
  protected:
    FixedClock clock{LocalTime(2026, 3, 9, 14, 20)};
    NW_ALARMDIALOG d;
};
} // namespace

TEST_F(AlarmDialog, ListsRunFromTheirFirstToLastItemAndTheYearsGoOnPastToday) {
    NW_ALARMREQUEST r = Request(nullptr, nullptr);
    NW_AlarmDialogOpen(&d, &r);
    int first, last;
    NW_AlarmListRange(&d, NW_LIST_DAY, &first, &last);
    EXPECT_EQ(first * 100 + last, 131);
    NW_AlarmListRange(&d, NW_LIST_MONTH, &first, &last);
    EXPECT_EQ(first * 100 + last, 112);
    NW_AlarmListRange(&d, NW_LIST_HOUR, &first, &last);
    EXPECT_EQ(first * 100 + last, 12);
    NW_AlarmListRange(&d, NW_LIST_MINUTE, &first, &last);
    EXPECT_EQ(first * 100 + last, 60) << "61 entries, 00 to 60";
    NW_AlarmListRange(&d, NW_LIST_YEAR, &first, &last);
    EXPECT_EQ(first, 6);
    EXPECT_EQ(last, 36) << "ten years after 2026";

    FixedClock::now = LocalTime(2007, 1, 1, 0, 0);
    NW_AlarmDialogOpen(&d, &r);
    NW_AlarmListRange(&d, NW_LIST_YEAR, &first, &last);
    EXPECT_EQ(last, 20) << "never shorter than 06 to 20";
    FixedClock::now = LocalTime(2095, 1, 1, 0, 0);
    NW_AlarmDialogOpen(&d, &r);
    NW_AlarmListRange(&d, NW_LIST_YEAR, &first, &last);
    EXPECT_EQ(last, 99);
}

TEST_F(AlarmDialog, WithoutAnAlarmTodayAndTheNextMinuteArePreselected) {
    NW_ALARMREQUEST r = Request(nullptr, nullptr);
    NW_AlarmDialogOpen(&d, &r);
    EXPECT_EQ(Chosen(d), "9 3 26 2 21 PM");
    EXPECT_TRUE(NW_AlarmInputsEnabled(&d));
    EXPECT_EQ(Ok(d), "0 090326 1421");

    FixedClock::now = LocalTime(2026, 3, 9, 23, 59);
    NW_AlarmDialogOpen(&d, &r);
    EXPECT_EQ(Chosen(d), "9 3 26 11 60 PM") << "minute 60 is on the list";
    FixedClock::now = LocalTime(2026, 3, 9, 0, 5);
    NW_AlarmDialogOpen(&d, &r);
    EXPECT_EQ(Chosen(d), "9 3 26 0 6 AM");
    FixedClock::now = LocalTime(2026, 3, 9, 12, 0);
    NW_AlarmDialogOpen(&d, &r);
    EXPECT_EQ(Chosen(d), "9 3 26 12 1 PM");
}

TEST_F(AlarmDialog, AnAlarmIsShownOnTheTwelveHourListAndComesBackUnchanged) {
    const char *times[] = {"0000", "0105", "1159", "1200", "1230", "1300", "2359"};
    const char *shown[] = {"0 0 AM", "1 5 AM", "11 59 AM", "12 0 PM", "12 30 PM", "1 0 PM", "11 59 PM"};
    for (int i = 0; i < 7; ++i) {
        NW_ALARMREQUEST r = Request("311227", times[i]);
        NW_AlarmDialogOpen(&d, &r);
        EXPECT_EQ(Chosen(d), std::string("31 12 27 ") + shown[i]) << times[i];
        EXPECT_EQ(Ok(d), std::string("0 311227 ") + times[i]);
    }
}

TEST_F(AlarmDialog, HourZeroAndTwelveAndTheCheckBoxesExcludeEachOther) {
    NW_ALARMREQUEST r = Request("010426", "0930");
    NW_AlarmDialogOpen(&d, &r);
    NW_AlarmDialogSelect(&d, NW_LIST_HOUR, 12);
    EXPECT_TRUE(d.bPM && !d.bAM);
    NW_AlarmDialogSelect(&d, NW_LIST_HOUR, 0);
    EXPECT_TRUE(d.bAM && !d.bPM);
    NW_AlarmDialogSelect(&d, NW_LIST_HOUR, 7);
    EXPECT_TRUE(d.bAM && !d.bPM) << "another hour leaves the boxes";
    NW_AlarmDialogSetPM(&d, 1);
    EXPECT_TRUE(d.bPM && !d.bAM);
    EXPECT_EQ(Ok(d), "0 010426 1930");
    NW_AlarmDialogSetAM(&d, 1);
    EXPECT_TRUE(d.bAM && !d.bPM);
    EXPECT_EQ(Ok(d), "0 010426 0730");
    NW_AlarmDialogSelect(&d, NW_LIST_HOUR, 12);
    NW_AlarmDialogSetAM(&d, 1);
    EXPECT_EQ(Ok(d), "0 010426 1230") << "12 stays 12";
}

TEST_F(AlarmDialog, AlarmOffDisablesTheInputsAndAnswersOne) {
    NW_ALARMREQUEST r = Request("010426", "0930");
    NW_AlarmDialogOpen(&d, &r);
    NW_AlarmDialogSetAlarmOff(&d, 1);
    EXPECT_FALSE(NW_AlarmInputsEnabled(&d));
    EXPECT_EQ(Ok(d).substr(0, 1), "1");
    NW_AlarmDialogSetAlarmOff(&d, 0);
    EXPECT_TRUE(NW_AlarmInputsEnabled(&d));
    EXPECT_EQ(Ok(d), "0 010426 0930");
    NW_AlarmDialogCancel(&r);
    EXPECT_EQ(r.nResult, -1);
}

TEST_F(AlarmDialog, AStoredValueNotOnAListIsNotPreselectedAndOkGivesZero) {
    NW_ALARMREQUEST r = Request("000405", "2575");
    NW_AlarmDialogOpen(&d, &r);
    EXPECT_EQ(Chosen(d), "-1 4 -1 -1 -1 PM");
    EXPECT_EQ(Ok(d), "0 000400 1200");
    NW_AlarmDialogSelect(&d, NW_LIST_YEAR, 27);
    NW_AlarmDialogSelect(&d, NW_LIST_DAY, 2);
    EXPECT_EQ(Ok(d), "0 020427 1200");
}
