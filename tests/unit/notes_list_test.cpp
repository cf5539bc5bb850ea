#include "model/notes_list.h"

#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "tools/note_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace testsupport;

namespace {
class NotesList : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SW_ReleaseNotizen();
        ui.noteCalls.clear();
    }
    void TearDown() override {
        SW_ReleaseNotizen();
        PL_SetFreeObserver(nullptr);
        TempDirTest::TearDown();
    }
    NOTIZ *Note(const char *text) {
        NOTIZ *n = NW_AppendNote(lpNOTIZstart ? "NW_M_02" : "NW_M_00");
        EXPECT_EQ(NW_SetNoteText(n, text), 0);
        return n;
    }
    static std::string Texts() {
        std::string s;
        for (NOTIZ *n = lpNOTIZstart; n; n = n->next)
            s += std::string(n->lpText ? n->lpText : "-") + " ";
        return s;
    }
    FakeUi ui;
};

std::set<const void *> g_freed;
const void *g_text = nullptr;
bool g_textWiped = false;
void SeeFree(const void *block) {
    g_freed.insert(block);
    if (block == g_text)
        g_textWiped = static_cast<const char *>(block)[0] == 0;
}
} // namespace

TEST_F(NotesList, DeletingTheHeadTheMiddleAndTheTailKeepsTheChainAndItsTail) {
    NOTIZ *a = Note("a"), *b = Note("b"), *c = Note("c"), *d = Note("d");
    NW_DeleteNote(a);
    EXPECT_EQ(lpNOTIZstart, b);
    EXPECT_FALSE(NW_IsNote(a));
    NW_DeleteNote(c);
    EXPECT_EQ(Texts(), "b d ");
    NW_DeleteNote(d);
    EXPECT_EQ(lpNOTIZact, b);
    NOTIZ *e = Note("e");
    EXPECT_EQ(Texts(), "b e ");
    EXPECT_EQ(lpNOTIZact, e);
    EXPECT_EQ(NW_CountNotes(), 2);
    EXPECT_TRUE(NW_IsNote(e));
}

TEST_F(NotesList, ADeletedNotesWindowGoesBeforeItsRecordAndTheLastTakesTheNotesCommand) {
    NOTIZ *a = Note("a"), *b = Note("b");
    g_freed.clear();
    PL_SetFreeObserver(SeeFree);
    NW_DeleteNote(a);
    ASSERT_EQ(ui.noteCalls.size(), 1u);
    EXPECT_EQ(ui.noteCalls[0].call, "destroy");
    EXPECT_EQ(ui.noteCalls[0].note, a);
    EXPECT_EQ(ui.commands.count(IDT_NOTES), 0u) << "a note is left";
    NW_DeleteNote(b);
    EXPECT_EQ(ui.commands[IDT_NOTES], 0);
    EXPECT_EQ(lpNOTIZstart, nullptr);
    EXPECT_EQ(lpNOTIZact, nullptr);
    EXPECT_TRUE(g_freed.count(a) && g_freed.count(b));
}

TEST_F(NotesList, AStrangerIsNotDeletedAndNothingChanges) {
    NOTIZ *a = Note("a");
    NOTIZ stranger{};
    NW_DeleteNote(&stranger);
    EXPECT_EQ(lpNOTIZstart, a);
    EXPECT_EQ(lpNOTIZact, a);
}

TEST_F(NotesList, ReleasingTheNotesDestroysEveryWindowAndWipesTheTexts) {
    NOTIZ *a = Note("my secret note");
    Note("another");
    g_text = a->lpText;
    g_textWiped = false;
    PL_SetFreeObserver(SeeFree);
    SW_ReleaseNotizen();
    PL_SetFreeObserver(nullptr);
    EXPECT_TRUE(g_textWiped);
    int destroyed = 0;
    for (auto &c : ui.noteCalls)
        destroyed += c.call == "destroy";
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(lpNOTIZstart, nullptr);
    EXPECT_EQ(lpNOTIZact, nullptr);
}
