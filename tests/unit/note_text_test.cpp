#include "tools/note_text.h"

#include "model/notes_list.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"
#include "tools/note_windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
class NoteText : public SafeTest {
  protected:
    NOTIZ *Note() { return NW_AppendNote(lpNOTIZstart ? "NW_M_02" : "NW_M_00"); }
    static std::string Title(const char *text) {
        char t[NW_TITLE_SIZE];
        NW_TextTitle(text, t);
        return t;
    }
};

const void *g_old = nullptr;
bool g_oldWiped = false;
void SeeFree(const void *block) {
    if (block == g_old)
        g_oldWiped = static_cast<const char *>(block)[0] == 0 && static_cast<const char *>(block)[1] == 0;
}
} // namespace

TEST_F(NoteText, TheBufferHoldsExactlyTheTextAndItsZero) {
    NOTIZ *n = Note();
    ASSERT_EQ(NW_SetNoteText(n, "Hello"), 0);
    EXPECT_EQ(n->nTextSize, 6u);
    EXPECT_STREQ(n->lpText, "Hello");
    ASSERT_EQ(NW_SetNoteText(n, "Hello world"), 0);
    EXPECT_EQ(n->nTextSize, 12u);
    EXPECT_STREQ(n->lpText, "Hello world");
    ASSERT_EQ(NW_SetNoteText(n, "Hi"), 0);
    EXPECT_EQ(n->nTextSize, 3u) << "a shorter text shrinks the size with it";
    EXPECT_STREQ(n->lpText, "Hi");
    ASSERT_EQ(NW_SetNoteText(n, "Ho"), 0);
    EXPECT_STREQ(n->lpText, "Ho");
}

TEST_F(NoteText, AnEmptiedNoteKeepsNoBuffer) {
    NOTIZ *n = Note();
    EXPECT_EQ(NW_SetNoteText(n, "gone soon"), 0);
    ASSERT_EQ(NW_SetNoteText(n, ""), 0);
    EXPECT_EQ(n->lpText, nullptr);
    EXPECT_EQ(n->nTextSize, 0u);
    ASSERT_EQ(NW_SetNoteText(n, nullptr), 0);
    EXPECT_EQ(n->nTextSize, 0u);
}

TEST_F(NoteText, AReplacedTextIsWipedBeforeItsBufferIsFreed) {
    NOTIZ *n = Note();
    EXPECT_EQ(NW_SetNoteText(n, "PIN 1234"), 0);
    g_old = n->lpText;
    g_oldWiped = false;
    PL_SetFreeObserver(SeeFree);
    EXPECT_EQ(NW_SetNoteText(n, "PIN 1234 and more"), 0);
    PL_SetFreeObserver(nullptr);
    EXPECT_TRUE(g_oldWiped);
}

TEST_F(NoteText, TheTitleIsTheFirst25CharactersUpToTheFirstLineBreak) {
    EXPECT_EQ(Title("Shopping\r\nmilk"), "Shopping");
    EXPECT_EQ(Title("Shopping\nmilk"), "Shopping");
    EXPECT_EQ(Title("abcdefghijklmnopqrstuvwxyz0123"), "abcdefghijklmnopqrstuvwxy");
    EXPECT_EQ(Title("\r\nfirst line empty"), "");
    EXPECT_EQ(Title(""), "");
    EXPECT_EQ(Title(nullptr), "");
}

TEST_F(NoteText, TheAlarmTitleShowsMonthDayYearHourAndMinute) {
    NOTIZ *n = Note();
    memcpy(n->szAlarmDate, "150126", 6);
    memcpy(n->szAlarmTime, "0905", 4);
    char t[NW_TITLE_SIZE];
    NW_AlarmTitle(n, t);
    EXPECT_STREQ(t, "Alert: 01/15/26 09:05");
    NW_NoteTitle(n, t);
    EXPECT_STREQ(t, "Alert: 01/15/26 09:05");
}

TEST_F(NoteText, AChangedTextSetsTheTitleFirstAndKeepsTheText) {
    NOTIZ *n = Note();
    ASSERT_EQ(NW_NoteTextChanged(n, "Call Anna\rabout Friday"), 0);
    EXPECT_EQ(ui.noteTitles[n], "Call Anna");
    EXPECT_STREQ(n->lpText, "Call Anna\rabout Friday");
    memcpy(n->szAlarmDate, "010225", 6);
    memcpy(n->szAlarmTime, "1830", 4);
    NW_NoteTextChanged(n, "Call Anna now");
    EXPECT_EQ(ui.noteTitles[n], "Alert: 02/01/25 18:30") << "with an alarm the title stays the alarm's";
    EXPECT_EQ(n->nTextSize, 14u);
}

TEST_F(NoteText, NotesRoundTripThroughASafeWithAndWithoutAPassword) {
    for (const std::string pw : {"", "secret"}) {
        ReleaseSafeState();
        NOTIZ *a = NW_CreateNote();
        NW_NoteTextChanged(a, "first\r\nsecond line");
        memcpy(a->szAlarmDate, "311225", 6);
        memcpy(a->szAlarmTime, "2359", 4);
        a->rcWindow = {-40, 5, 160, 205};
        a->crBackground = 0x00123456;
        a->crText = 0x00654321;
        NOTIZ *empty = NW_CreateNote(); // no text: dropped by the save
        NOTIZ *b = NW_CreateNote();
        NW_NoteTextChanged(b, std::string(3000, 'b').c_str());

        std::string path = Path("notes" + pw + ".saf");
        MakeActive(path, pw);
        ui.noteCalls.clear();
        ASSERT_EQ(SW_PutSafe(0, 1), 0) << pw;
        SW_DeactivateSafe();
        ASSERT_FALSE(NW_IsNote(empty));
        ASSERT_EQ(ui.noteCalls.size(), 1u) << "the empty note's window went with it";
        EXPECT_EQ(ui.noteCalls[0].call, "destroy");
        EXPECT_EQ(ReadFile(path).find("second line") == std::string::npos, !pw.empty());

        std::string before = DescribeLists();
        ReleaseSafeState();
        ASSERT_EQ(ReadSafeFile(path, pw), 0) << pw;
        EXPECT_EQ(DescribeLists(), before) << pw;
        ASSERT_EQ(NW_CountNotes(), 2);
        EXPECT_EQ(lpNOTIZstart->nTextSize, strlen("first\r\nsecond line") + 1);
        EXPECT_EQ(lpNOTIZact->nTextSize, 3001u);
        EXPECT_EQ(lpNOTIZstart->rcWindow.left, -40);
    }
}
