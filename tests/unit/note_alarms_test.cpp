#include "tools/note_alarms.h"

#include "config/settings.h"
#include "model/notes_list.h"
#include "support/fake_shell.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "tools/note_text.h"
#include "tools/timeout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace testsupport;

namespace {
PL_SYSTEMTIME At(int year, int month, int day, int hour, int minute) {
    return LocalTime(year, month, day, hour, minute, 30); // the seconds do not count
}

bool Due(const char *date, const char *time, PL_SYSTEMTIME now) {
    NOTIZ n{};
    memcpy(n.szAlarmDate, date, 6);
    memcpy(n.szAlarmTime, time, 4);
    return NW_AlarmDue(&n, &now);
}

class NoteAlarms : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SW_ReleaseNotizen();
        Settings = SETTINGS{};
        ui.noteCalls.clear();
    }
    void TearDown() override {
        SW_ReleaseNotizen();
        T_SetAlarmCheckHook(nullptr);
        TempDirTest::TearDown();
    }
    NOTIZ *Note(const char *text, const char *date = nullptr, const char *time = nullptr) {
        NOTIZ *n = NW_AppendNote(lpNOTIZstart ? "NW_M_02" : "NW_M_00");
        EXPECT_EQ(NW_SetNoteText(n, text), 0);
        n->crBackground = 0x00C0FFEE;
        if (date)
            memcpy(n->szAlarmDate, date, 6);
        if (time)
            memcpy(n->szAlarmTime, time, 4);
        n->hWnd = reinterpret_cast<NOTEWINDOW>(n); // as if its window had been made
        return n;
    }
    std::vector<std::string> CallsFor(NOTIZ *n) const {
        std::vector<std::string> out;
        for (auto &c : ui.noteCalls)
            if (c.note == n)
                out.push_back(c.call + (c.call == "background" ? " " + std::to_string(c.a) : "") +
                              (c.call == "title" ? " " + c.text : ""));
        return out;
    }
    static bool NoAlarm(const NOTIZ *n) {
        static const char zero[10] = {};
        return memcmp(n->szAlarmDate, zero, 6) == 0 && memcmp(n->szAlarmTime, zero, 4) == 0;
    }
    FakeUi ui;
    FixedClock clock{At(2026, 1, 15, 10, 1)};
};
} // namespace

TEST(NoteAlarmDue, AnAlarmGoesOffOnceItsMinuteHasPassedComparedYearFirst) {
    // 15 January 2026, 10:00.
    EXPECT_FALSE(Due("150126", "1000", At(2025, 12, 1, 9, 0))) << "the December before";
    EXPECT_FALSE(Due("150126", "1000", At(2026, 1, 15, 10, 0))) << "not during its minute";
    EXPECT_TRUE(Due("150126", "1000", At(2026, 1, 15, 10, 1)));
    EXPECT_TRUE(Due("150126", "1000", At(2026, 2, 1, 0, 0)));
    EXPECT_FALSE(Due("150126", "1000", At(2026, 1, 14, 23, 59)));
    EXPECT_FALSE(Due("150126", "1000", At(2025, 1, 16, 10, 1))) << "a day later a year earlier";
}

TEST(NoteAlarmDue, AroundMidnightAndTheTurnOfTheYear) {
    EXPECT_FALSE(Due("311225", "2359", At(2025, 12, 31, 23, 59)));
    EXPECT_TRUE(Due("311225", "2359", At(2026, 1, 1, 0, 0)));
    EXPECT_FALSE(Due("010126", "0000", At(2025, 12, 31, 23, 59)));
    EXPECT_FALSE(Due("010126", "0000", At(2026, 1, 1, 0, 0)));
    EXPECT_TRUE(Due("010126", "0000", At(2026, 1, 1, 0, 1)));
}

TEST(NoteAlarmDue, TwoDigitYearsAreYearsOfThisCentury) {
    EXPECT_TRUE(Due("010199", "1200", At(2100, 1, 1, 0, 0)));
    EXPECT_FALSE(Due("010199", "1200", At(2098, 12, 31, 23, 59))) << "99 is 2099, not 1999";
    EXPECT_TRUE(Due("010106", "1200", At(2010, 1, 1, 0, 0)));
    NOTIZ none{};
    PL_SYSTEMTIME now = At(2030, 1, 1, 0, 0);
    EXPECT_FALSE(NW_AlarmDue(&none, &now)) << "no date, no alarm";
}

TEST_F(NoteAlarms, ADueNoteIsShownFlashedRestoredAndGetsItsTextTitleBack) {
    NOTIZ *due = Note("Dentist\r\nbring card", "150126", "1000");
    NOTIZ *later = Note("Later", "150126", "1001");
    NOTIZ *plain = Note("No alarm");
    snprintf(Settings.NoteAlertSoundFile, sizeof Settings.NoteAlertSoundFile, "%s", "C:\\orv\\Sounds\\bell.wav");
    FakeShell shell;
    NW_CheckAlarms();
    EXPECT_EQ(shell.sounds, std::vector<std::string>{"C:\\orv\\Sounds\\bell.wav"});
    std::vector<std::string> expect = {"show"};
    for (int i = 0; i < NW_FLASH_COUNT; ++i) {
        expect.push_back("background " + std::to_string(0x002B1AFF));
        expect.push_back("background " + std::to_string(0x00FFFFFF));
    }
    expect.push_back("background " + std::to_string(0x00C0FFEE));
    expect.push_back("title Dentist");
    EXPECT_EQ(CallsFor(due), expect);
    EXPECT_EQ(ui.pumpWaits, std::vector<uint32_t>(2 * NW_FLASH_COUNT, 100));
    EXPECT_EQ(ui.mainFocused, 1);
    EXPECT_TRUE(NoAlarm(due));
    EXPECT_EQ(due->crBackground, 0x00C0FFEEu);
    EXPECT_TRUE(CallsFor(later).empty()) << "its minute has not passed yet";
    EXPECT_FALSE(NoAlarm(later));
    EXPECT_TRUE(CallsFor(plain).empty());

    // It goes off once: the next check finds nothing more, until the next minute.
    ui.noteCalls.clear();
    NW_CheckAlarms();
    EXPECT_TRUE(ui.noteCalls.empty());
    FixedClock::now = At(2026, 1, 15, 10, 2);
    NW_CheckAlarms();
    EXPECT_EQ(CallsFor(later).back(), "title Later");
    EXPECT_EQ(shell.sounds.size(), 2u) << "one sound a due note";
}

TEST_F(NoteAlarms, ANoteClosedWhileItFlashesStopsItsAlertAndTheOthersStillGoOff) {
    NOTIZ *first = Note("first", "140126", "0800");
    NOTIZ *second = Note("second", "140126", "0900");
    int pumps = 0;
    ui.onPump = [&] {
        if (++pumps == 3)
            NW_DeleteNote(first); // the user closes it meanwhile
    };
    NW_CheckAlarms();
    EXPECT_FALSE(NW_IsNote(first));
    EXPECT_EQ(CallsFor(second).back(), "title second");
    EXPECT_TRUE(NoAlarm(second));
    EXPECT_EQ(ui.pumpWaits.size(), 3u + 2 * NW_FLASH_COUNT);
}

TEST_F(NoteAlarms, ANewAlarmSetWhileFlashingStays) {
    NOTIZ *n = Note("again", "140126", "0800");
    ui.onPump = [&] {
        if (ui.pumpWaits.size() == 1)
            memcpy(n->szAlarmDate, "200126", 6), memcpy(n->szAlarmTime, "0700", 4);
    };
    NW_CheckAlarms();
    EXPECT_EQ(std::string(n->szAlarmDate, 6), "200126");
    EXPECT_EQ(CallsFor(n).back(), "title Alert: 01/20/26 07:00");
}

TEST_F(NoteAlarms, TheAlarmTimerRunsTheCheckOnceInstalled) {
    NOTIZ *n = Note("timer", "150126", "0959");
    T_AlarmTimer();
    EXPECT_FALSE(NoAlarm(n)) << "not installed yet";
    NW_InstallAlarmCheck();
    T_AlarmTimer();
    EXPECT_TRUE(NoAlarm(n));
    EXPECT_EQ(ui.timers[T_TIMER_ALARM], 60000u);
}

TEST_F(NoteAlarms, TheDialogsAnswerSetsOrClearsTheAlarmAndTheTitleFollows) {
    NOTIZ *n = Note("Pay rent\rtoday");
    NW_ALARMREQUEST r;
    NW_AlarmRequestOf(n, &r);
    EXPECT_EQ(r.szDate[0], 0);
    memcpy(r.szDate, "010226", 6);
    memcpy(r.szTime, "0800", 4);
    r.nResult = NW_ALARM_CANCELLED;
    NW_ApplyAlarmRequest(n, &r);
    EXPECT_TRUE(NoAlarm(n));
    EXPECT_TRUE(ui.noteCalls.empty());

    r.nResult = NW_ALARM_SET;
    NW_ApplyAlarmRequest(n, &r);
    EXPECT_EQ(std::string(n->szAlarmDate, 6), "010226");
    EXPECT_EQ(std::string(n->szAlarmTime, 4), "0800");
    EXPECT_EQ(ui.noteTitles[n], "Alert: 02/01/26 08:00");

    NW_AlarmRequestOf(n, &r);
    EXPECT_EQ(std::string(r.szDate, 6), "010226");
    r.nResult = NW_ALARM_OFF;
    NW_ApplyAlarmRequest(n, &r);
    EXPECT_TRUE(NoAlarm(n));
    EXPECT_EQ(ui.noteTitles[n], "Pay rent");

    ui.noteCalls.clear();
    memset(&r, 0, sizeof r);
    r.nResult = NW_ALARM_SET; // a new alarm without a date: nothing more
    NW_ApplyAlarmRequest(n, &r);
    EXPECT_TRUE(ui.noteCalls.empty());
}

TEST_F(NoteAlarms, WithoutTheNoteWindowsADueAlarmStaysUntilItsNoteCanBeShown) {
    NOTIZ *due = Note("Dentist", "150126", "1000");
    FakeShell shell;
    NW_SetView(nullptr);
    NW_CheckAlarms();
    EXPECT_FALSE(NoAlarm(due)) << "nothing was shown";
    EXPECT_TRUE(shell.sounds.empty());
    NW_SetView(&ui);
    NW_CheckAlarms();
    EXPECT_EQ(CallsFor(due).front(), "show");
    EXPECT_TRUE(NoAlarm(due));
}

TEST_F(NoteAlarms, AnAlarmIsUsedUpOnlyWhenItsNoteWasShown) {
    // Notes whose window could not be made (at the safe's opening, say) cannot
    // be shown: their alarms stay due, without a sound; the others go off.
    const struct {
        bool window;
        const char *text;
    } rows[] = {{false, "first unseen"}, {true, "seen"}, {false, "last unseen"}};
    std::vector<NOTIZ *> notes;
    for (const auto &r : rows) {
        notes.push_back(Note(r.text, "150126", "1000"));
        if (!r.window)
            notes.back()->hWnd = nullptr;
    }
    FakeShell shell;
    NW_CheckAlarms();
    for (size_t i = 0; i < notes.size(); ++i)
        EXPECT_EQ(NoAlarm(notes[i]), rows[i].window) << rows[i].text;
    EXPECT_EQ(shell.sounds.size(), 1u);
}
