#include "frame/datetext.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
std::string Today8() {
    char s[9];
    T_TodayDDMMYYYY(s);
    return s;
}
std::string Today6() {
    char s[7];
    T_TodayDDMMYY(s);
    return s;
}
std::string Now4() {
    char s[5];
    T_NowHHMM(s);
    return s;
}
} // namespace

TEST(DateText, TodayAndNowInTheirDigitFormsFromTheSeamsClock) {
    FixedClock clock(LocalTime(2006, 3, 1, 8, 5));
    EXPECT_EQ(Today8(), "01032006");
    EXPECT_EQ(Today6(), "010306");
    EXPECT_EQ(Now4(), "0805");
    FixedClock::now = LocalTime(2025, 12, 31, 23, 59);
    EXPECT_EQ(Today8(), "31122025");
    EXPECT_EQ(Today6(), "311225");
    EXPECT_EQ(Now4(), "2359");
}

TEST(DateText, TheTwoDigitYearStaysTwoDigitsOutsideTheTwentyFirstCentury) {
    // A clock past 2099 or before 2000 must not write a third digit into a six-byte field.
    FixedClock clock(LocalTime(2105, 7, 4, 0, 0));
    EXPECT_EQ(Today6(), "040705");
    EXPECT_EQ(Now4(), "0000");
    FixedClock::now = LocalTime(1999, 1, 2, 3, 4);
    EXPECT_EQ(Today6(), "020199");
    EXPECT_EQ(Today8(), "02011999");
}

TEST(DateText, TwoDigitsReadsDigitsAndTakesAnythingElseAsZero) {
    EXPECT_EQ(T_TwoDigits("07"), 7);
    EXPECT_EQ(T_TwoDigits("99x"), 99);
    EXPECT_EQ(T_TwoDigits("\0\0"), 0);
    EXPECT_EQ(T_TwoDigits("a5"), 5);
}
