// The note windows as a user meets them: the real main window over a real safe,
// notes typed into, recoloured, moved, written and read back; an alarm going off.
#include "config/settings.h"
#include "model/notes_list.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "support/drop_fixture.h"
#include "support/fake_shell.h"
#include "support/safe_builder.h"
#include "tools/note_alarms.h"
#include "ui/ids_main.h"
#include "ui/ids_notes.h"
#include "ui/mainwnd.h"
#include "ui/uiport_win32.h"
#include "win/main_window_fixture.h"

#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <string>

using namespace testsupport;

namespace {
using D = DialogDriver;

class NoteWindowsWin : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SafeContents s;
        s.folders = {{1, 1, "Mail", "mail"}};
        ASSERT_TRUE(WriteFile(Path("notes.saf"), BuildSafe(s)));
        Open();
        UseRealDialogs();
    }
    void Open() { ASSERT_EQ(SW_GetSafe(Path("notes.saf").c_str()), 0); }
    static void Command(HWND target, unsigned id) { SendMessageA(target, WM_COMMAND, id, 0); }
    static HWND Window(const NOTIZ *n) { return reinterpret_cast<HWND>(n->hWnd); }
    static HWND Edit(const NOTIZ *n) { return reinterpret_cast<HWND>(n->hEdit); }
    static std::string Title(const NOTIZ *n) {
        char t[64] = {};
        GetWindowTextA(Window(n), t, sizeof t);
        return t;
    }
    // Return is a key the text takes, the rest characters.
    static void Type(const NOTIZ *n, const std::string &text) {
        for (unsigned char c : text)
            SendMessageA(Edit(n), c == '\r' ? WM_KEYDOWN : WM_CHAR, c == '\r' ? VK_RETURN : c, 1);
    }
    // The colour dialog as a user fills it: red, green and blue, then OK.
    void ChooseColour(HWND note, unsigned command, int r, int g, int b) {
        driver.Expect("Color", [r, g, b](HWND d) {
            SetDlgItemInt(d, 706, static_cast<UINT>(r), FALSE); // the "Red", "Green" and "Blue" fields
            SetDlgItemInt(d, 707, static_cast<UINT>(g), FALSE);
            SetDlgItemInt(d, 708, static_cast<UINT>(b), FALSE);
            D::Click(d, IDOK);
        });
        Command(note, command);
    }
    static COLORREF TextColour(const NOTIZ *n) {
        SendMessageA(Edit(n), EM_SETSEL, 0, -1);
        CHARFORMAT2A cf = {};
        cf.cbSize = sizeof cf;
        SendMessageA(Edit(n), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf.crTextColor;
    }
};
} // namespace

TEST_F(NoteWindowsWin, ANoteTypedRecolouredAndMovedComesBackWithTheSafe) {
    Command(MainWindows.hWndMain, IDT_CREATENOTE);
    NOTIZ *n = lpNOTIZstart;
    ASSERT_NE(n, nullptr);
    ASSERT_TRUE(IsWindowVisible(Window(n)));
    RECT r;
    GetWindowRect(Window(n), &r);
    EXPECT_EQ(r.left, 10) << "the first note is placed 10 pixels from the corner";
    Type(n, "Shopping\rmilk");
    EXPECT_EQ(std::string(n->lpText), "Shopping\rmilk");
    EXPECT_EQ(Title(n), "Shopping");
    ChooseColour(Window(n), IDM_NT_BACKGROUND, 0x20, 0x40, 0x60);
    ChooseColour(Window(n), IDM_NT_TEXTCOLOR, 0x11, 0x22, 0x33);
    EXPECT_EQ(n->crBackground, 0x00604020u);
    EXPECT_EQ(n->crText, 0x00332211u);
    SetWindowPos(Window(n), nullptr, 120, 130, 260, 90, SWP_NOZORDER);
    const NOTE_RECT kept = n->rcWindow;
    EXPECT_EQ(kept.left, 120);
    EXPECT_EQ(kept.top, 130);
    EXPECT_EQ(kept.right, 380);

    HWND old = Window(n);
    ASSERT_EQ(SW_CloseSafe(1), 0);
    EXPECT_FALSE(IsWindow(old)) << "the note went with its safe";
    Open();
    n = lpNOTIZstart;
    ASSERT_NE(n, nullptr);
    ASSERT_TRUE(IsWindowVisible(Window(n)));
    EXPECT_EQ(std::string(n->lpText), "Shopping\rmilk");
    EXPECT_EQ(Title(n), "Shopping");
    EXPECT_EQ(n->crBackground, 0x00604020u);
    EXPECT_EQ(TextColour(n), 0x00332211u);
    GetWindowRect(Window(n), &r);
    EXPECT_EQ(r.left, kept.left);
    EXPECT_EQ(r.top, kept.top);
    EXPECT_EQ(r.right, kept.right);
    EXPECT_EQ(n->rcWindow.bottom, r.bottom);
}

TEST_F(NoteWindowsWin, AnAlarmSetAMinuteAheadShowsItsHiddenNoteBeforeItIsCleared) {
    FixedClock clock{LocalTime(2026, 1, 15, 10, 0, 30)};
    snprintf(Settings.NoteAlertSoundFile, sizeof Settings.NoteAlertSoundFile, "%s", "C:\\orv\\Sounds\\bell.wav");
    Command(MainWindows.hWndMain, IDT_CREATENOTE);
    NOTIZ *n = lpNOTIZstart;
    ASSERT_NE(n, nullptr);
    Type(n, "Pay rent");
    driver.Expect("Alarm date / time", [](HWND d) {
        EXPECT_EQ(D::Text(d, IDC_NA_MINUTE), "01") << "a minute ahead";
        D::Click(d, IDOK);
    });
    Command(Window(n), IDM_NT_ALARM);
    EXPECT_EQ(std::string(n->szAlarmDate, 6) + std::string(n->szAlarmTime, 4), "1501261001");
    EXPECT_EQ(Title(n), "Alert: 01/15/26 10:01");
    Command(MainWindows.hWndMain, IDT_NOTES);
    ASSERT_FALSE(IsWindowVisible(Window(n)));

    FakeShell shell;
    bool shownWhenSounded = false;
    shell.onSound = [&] { shownWhenSounded = IsWindowVisible(Window(n)) != FALSE; };
    NW_CheckAlarms();
    EXPECT_TRUE(shell.sounds.empty()) << "not during its minute";
    EXPECT_FALSE(IsWindowVisible(Window(n)));
    FixedClock::now = LocalTime(2026, 1, 15, 10, 2, 0);
    NW_CheckAlarms();
    EXPECT_EQ(shell.sounds, std::vector<std::string>{"C:\\orv\\Sounds\\bell.wav"});
    EXPECT_TRUE(shownWhenSounded);
    EXPECT_TRUE(IsWindowVisible(Window(n)));
    EXPECT_EQ(n->szAlarmDate[0], 0);
    EXPECT_EQ(Title(n), "Pay rent");
}

TEST_F(NoteWindowsWin, ClosingANoteAsksFirstAndNoKeepsIt) {
    Settings.NOTE_Confirm2Delete = 1;
    Command(MainWindows.hWndMain, IDT_CREATENOTE);
    NOTIZ *n = lpNOTIZstart;
    ASSERT_NE(n, nullptr);
    HWND note = Window(n);
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDNO); });
    SendMessageA(note, WM_CLOSE, 0, 0);
    EXPECT_EQ(lpNOTIZstart, n);
    EXPECT_TRUE(IsWindowVisible(note));
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDYES); });
    SendMessageA(note, WM_CLOSE, 0, 0);
    EXPECT_EQ(lpNOTIZstart, nullptr);
    EXPECT_FALSE(IsWindow(note));
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"Confirm: Delete note ?", "Confirm: Delete note ?"}));
}
