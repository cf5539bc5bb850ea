#include "tools/note_windows.h"

#include "config/settings.h"
#include "model/notes_list.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "tools/note_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace testsupport;

namespace {
class NoteWindows : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SW_ReleaseNotizen();
        Settings = SETTINGS{};
        NoteState.bNotesHidden = NoteState.bNotesLoading = 0;
        ui.noteCalls.clear();
    }
    void TearDown() override {
        SW_ReleaseNotizen();
        TempDirTest::TearDown();
    }
    std::string Calls() const {
        std::string s;
        for (auto &c : ui.noteCalls) {
            int i = 0;
            for (NOTIZ *n = lpNOTIZstart; n && n != c.note; n = n->next)
                ++i;
            s += c.call + " " + std::to_string(i);
            if (c.call == "cascade")
                s += " " + std::to_string(c.a) + "," + std::to_string(c.b);
            if (c.call == "title")
                s += " [" + c.text + "]";
            s += "\n";
        }
        return s;
    }
    FakeUi ui;
};
} // namespace

TEST_F(NoteWindows, NewNotesAreYellowBlackAndCascadeTenPixelsANote) {
    NOTIZ *a = NW_CreateNote();
    NOTIZ *b = NW_CreateNote();
    NOTIZ *c = NW_CreateNote();
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->crBackground, 0x0085FFFFu);
    EXPECT_EQ(c->crText, 0u);
    EXPECT_EQ(Calls(), "make 0\ncascade 0 10,10\nshow 0\n"
                       "make 1\ncascade 1 20,20\nshow 1\n"
                       "make 2\ncascade 2 30,30\nshow 2\n");
    EXPECT_EQ(ui.commands[IDT_NOTES], 1);
    EXPECT_EQ(a->hWnd, reinterpret_cast<NOTEWINDOW>(0x2000));
}

TEST_F(NoteWindows, ANoteWhoseWindowCannotBeMadeIsNotKept) {
    ui.failNoteWindows = true;
    EXPECT_EQ(NW_CreateNote(), nullptr);
    EXPECT_EQ(lpNOTIZstart, nullptr);
}

TEST_F(NoteWindows, OpeningASafesNotesLoadsEachWindowAndShowsThemUnlessHiddenOnStart) {
    NOTIZ *a = NW_AppendNote("NW_M_00");
    EXPECT_EQ(NW_SetNoteText(a, "Groceries\r\nmilk"), 0);
    NOTIZ *b = NW_AppendNote("NW_M_02");
    memcpy(b->szAlarmDate, "241206", 6);
    memcpy(b->szAlarmTime, "0930", 4);
    NW_OpenNotes();
    EXPECT_EQ(Calls(), "make 0\nload 0\ntitle 0 [Groceries]\n"
                       "make 1\nload 1\ntitle 1 [Alert: 12/24/06 09:30]\n"
                       "show 0\nshow 1\n");
    EXPECT_EQ(ui.mainFocused, 1);
    EXPECT_EQ(NoteState.bNotesHidden, 0);
    EXPECT_EQ(NoteState.bNotesLoading, 0);

    ui.noteCalls.clear();
    Settings.NOTE_HideOnStart = true;
    NW_OpenNotes();
    EXPECT_EQ(Calls().find("show"), std::string::npos);
    EXPECT_EQ(NoteState.bNotesHidden, 1);
    ui.noteCalls.clear();
    NW_ToggleNotes();
    EXPECT_EQ(Calls(), "show 0\nshow 1\n");
    EXPECT_EQ(NoteState.bNotesHidden, 0);
    ui.noteCalls.clear();
    NW_ToggleNotes();
    EXPECT_EQ(Calls(), "hide 0\nhide 1\n");
    EXPECT_EQ(NoteState.bNotesHidden, 1);
}

TEST_F(NoteWindows, WhileLoadingANewNoteIsNeitherCascadedNorShown) {
    NoteState.bNotesLoading = 1;
    NW_CreateNote();
    NoteState.bNotesLoading = 0;
    EXPECT_EQ(Calls(), "make 0\n");
}

TEST_F(NoteWindows, ClosingANoteAsksOnlyWhenConfirmationIsOn) {
    NOTIZ *a = NW_CreateNote();
    NOTIZ *b = NW_CreateNote();
    EXPECT_EQ(NW_CloseNote(a), 1);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(NW_IsNote(a));

    Settings.NOTE_Confirm2Delete = true;
    ui.answers = {UI_IDNO};
    EXPECT_EQ(NW_CloseNote(b), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Delete note ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.shown[0].style, UI_MB_YESNO | UI_MB_ICONQUESTION);
    EXPECT_TRUE(NW_IsNote(b));
    EXPECT_EQ(NW_CloseNote(b), 1);
    EXPECT_EQ(ui.commands[IDT_NOTES], 0);
}

TEST_F(NoteWindows, TheWindowGrowsWithItsTextAndAMargin) {
    EXPECT_EQ(NW_NoteWindowHeight(150, 180, 120, 0, 96), 150 + 60 + 25);
    EXPECT_EQ(NW_NoteWindowHeight(150, 100, 120, 0, 96), 150 - 20 + 25);
    EXPECT_EQ(NW_NoteWindowHeight(150, 120, 120, 1, 96), 150 + 40);
    EXPECT_EQ(NW_NoteWindowHeight(150, 120, 120, 1, 192), 150 + 80) << "the margin grows with the scale";
}
