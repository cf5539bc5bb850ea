// Auto-type into another window: the text arrives as typed, capitals through
// Shift, and a card dropped on a form fills its fields one after the other.
#include "config/settings.h"
#include "model/cards.h"
#include "model/tree_build.h"
#include "store/safe_lifecycle.h"
#include "support/safe_fixture.h"
#include "tools/auto_type_keys.h"
#include "ui/auto_type.h"
#include "ui/tree_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

using namespace testsupport;

namespace {
LRESULT CALLBACK FormProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// Runs the queue for a while; Tab moves between the form's fields as in a dialog.
void Pump(HWND form, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (form && IsDialogMessageA(form, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() < end);
}

std::string Text(HWND edit) {
    char buf[400] = {};
    GetWindowTextA(edit, buf, sizeof buf);
    return buf;
}

class AutoType : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = FormProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "orvAutoTypeForm";
        RegisterClassExA(&wc);
        form = CreateWindowExA(WS_EX_CONTROLPARENT, "orvAutoTypeForm", "form", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               100, 100, 400, 200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(form, nullptr);
        first = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10,
                                10, 360, 24, form, nullptr, wc.hInstance, nullptr);
        second = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10,
                                 50, 360, 24, form, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(form);
        SetFocus(first);
        Pump(form, 100);
    }
    void TearDown() override {
        if (form)
            DestroyWindow(form);
        Pump(nullptr, 50);
        SafeTest::TearDown();
    }
    HWND form = nullptr, first = nullptr, second = nullptr;
};
} // namespace

TEST_F(AutoType, TypesTheTextExactlyWithShiftForCapitals) {
    ASSERT_EQ(GetFocus(), first);
    const char *text = "Hello World! user@example.org ~ A-Z_09 (x) [y] {z} \"q\" 'p' 5%";
    AT_TypeText(text);
    Pump(form, 300);
    EXPECT_EQ(Text(first), text);
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0) << "Shift is released again";
}

TEST_F(AutoType, ClearingReplacesTheFieldAndTabMovesOn) {
    SetWindowTextA(first, "old text in the field");
    SendMessageA(first, EM_SETSEL, 21, 21); // the caret at the end: Home brings it back
    AT_ClearField();
    AT_TypeText("new");
    AT_SendTab();
    AT_TypeText("Next");
    Pump(form, 300);
    EXPECT_EQ(Text(first), "new");
    EXPECT_EQ(Text(second), "Next");
}

TEST_F(AutoType, ACardDroppedOnAFormFillsItsDragFieldsSeparatedByTab) {
    // Folder with User (drag), Note (no drag), Password (drag); one card.
    SafeContents s;
    s.folders = {{1, 1, "Web", "", 1, 0}}; // expanded: a card is dragged from a shown folder
    s.fields = {{1, 0, 1, "User", 0, 30, 1}, {1, 1, 2, "Note", 0, 30, 0}, {1, 2, 3, "Password", 1, 30, 1}};
    s.cards = {{1, 1, 1, "Shop", "", 0, 0}};
    s.contents = {{1, 0, "Alice"}, {1, 1, "not typed"}, {1, 2, "Pa55:word"}};
    std::string path = Path("typed.saf");
    WriteFile(path, BuildSafe(s));
    ASSERT_EQ(SW_GetSafe(path.c_str()), 0);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    MainWindows.hWndLinks =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 10, 10, form, nullptr, nullptr, nullptr);
    TV_FillTree();
    TreeView_SelectItem(MainWindows.hWndLinks, reinterpret_cast<HTREEITEM>(CW_GetCardTreeHandle(1)));

    RECT rc;
    GetWindowRect(first, &rc);
    POINT drop = {rc.left + 20, (rc.top + rc.bottom) / 2};
    TreeState.nTVDragKind = TV_KIND_CARD;
    TV_DropAt(drop);
    Pump(form, 500);
    EXPECT_EQ(TreeState.nTVDragKind, 0u);
    EXPECT_EQ(Text(first), "Alice");
    EXPECT_EQ(Text(second), "Pa55:word");
    DestroyWindow(MainWindows.hWndLinks);
    MainWindows.hWndLinks = nullptr;
}

// Letters, digits and the blank sit where the US table has them on every
// layout of that family (the X server's own keymap decides the rest).
TEST(AutoTypeLayout, LettersDigitsAndTheBlankAsTheUsTableHasThem) {
    std::string differ;
    for (int c = 0x20; c < 0x7F; ++c) {
        if (!isalnum(c) && c != ' ')
            continue;
        SHORT real = VkKeyScanA(static_cast<char>(c));
        if (real != AT_UsLayoutScan(static_cast<char>(c)))
            differ += static_cast<char>(c);
    }
    EXPECT_EQ(differ, "");
}
