// The "Search" dialog and the results window as a user meets them: the real
// main window over a real safe, the scripted user typing and clicking.
#include "config/settings.h"
#include "model/cards.h"
#include "model/categories.h"
#include "model/records.h"
#include "model/search.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "support/drop_fixture.h"
#include "support/safe_builder.h"
#include "ui/ids_main.h"
#include "ui/ids_search.h"
#include "ui/mainwnd.h"
#include "ui/search_window.h"
#include "ui/statusbar.h"
#include "ui/tree_view.h"
#include "ui/uiport_win32.h"
#include "win/main_window_fixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {
using D = DialogDriver;

class SearchWindow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Card 11 carries category 1, which the filter can hide.
        SafeContents s;
        s.folders = {{1, 1, "My Bank", "bank"}};
        s.fields = {{1, 0, 1, "User", 0, 40}, {1, 1, 2, "Password", 1, 30}};
        s.cards = {{1, 10, 1, "bank portal", ""}, {1, 11, 2, "Savings", "", 0, 1}};
        s.contents = {{10, 0, "alice"}, {10, 1, "BankPass!"}, {11, 0, "bank holder"}};
        ASSERT_TRUE(WriteFile(Path("find.saf"), BuildSafe(s)));
        ui.passwords = {""};
        ASSERT_EQ(SW_GetSafe(Path("find.saf").c_str()), 0);
        CATEGORYTAB *c = CC_AppendCategory("CC_M_00");
        ASSERT_NE(c, nullptr);
        c->index = 1;
        UseRealDialogs();
    }
    void TearDown() override {
        CategoryState.nCategoryFilter = 0;
        CC_ReleaseCategoryTable();
        SE_FreeResults();
        MainWindowTest::TearDown();
    }
    // The dialog as a user fills it: the text typed, "Content" as given.
    void Search(const std::string &text, bool content) {
        driver.Expect("Search", [text, content](HWND d) {
            D::Type(d, IDC_SE_TEXT, text);
            if (!content)
                D::Check(d, IDC_SE_CONTENT, false);
            D::Click(d, IDC_SE_SEARCH);
        });
        SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDT_SEARCH, 0);
    }
    // "image:text" per row, in list order.
    static std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int i = 0; i < ListView_GetItemCount(MainWindows.hSearchListWnd); ++i) {
            char text[100] = {};
            LVITEMA it = {};
            it.mask = LVIF_TEXT | LVIF_IMAGE;
            it.iItem = i;
            it.pszText = text;
            it.cchTextMax = sizeof text;
            SendMessageA(MainWindows.hSearchListWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
            rows.push_back(std::to_string(it.iImage) + ":" + text);
        }
        return rows;
    }
    static void ClickRow(int row) {
        NMITEMACTIVATE n = {};
        n.hdr.hwndFrom = MainWindows.hSearchListWnd;
        n.hdr.idFrom = IDC_SEARCHLIST;
        n.hdr.code = NM_CLICK;
        n.iItem = row;
        SendMessageA(MainWindows.hSearchWnd, WM_NOTIFY, IDC_SEARCHLIST, reinterpret_cast<LPARAM>(&n));
    }
    static std::string Status(int part) {
        char text[64] = {};
        SendMessageA(MainWindows.hSearchStatusWnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
};
} // namespace

TEST_F(SearchWindow, HitsAreListedInOrderAndAClickSelectsTheCard) {
    ASSERT_FALSE(IsWindowVisible(MainWindows.hSearchWnd));
    Search("BANK", true);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0:My Bank", "1:bank portal", "2:*********", "2:bank holder"}));
    EXPECT_TRUE(IsWindowVisible(MainWindows.hSearchWnd));
    EXPECT_EQ(Status(2), "    4");
    ClickRow(2); // a card of a folder never expanded: its item is made to be selected
    EXPECT_EQ(reinterpret_cast<TREEHANDLE>(TV_GetSelection()), CW_GetCardTreeHandle(10));
    EXPECT_EQ(ListState.nLVCardId, 10u) << "the right pane follows the hit";
    EXPECT_EQ(GetFocus(), MainWindows.hWndLinks);

    // A new search replaces the rows; closing only hides the window.
    Search("sav", false);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1:Savings"}));
    SendMessageA(MainWindows.hSearchWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hSearchWnd));
    EXPECT_TRUE(IsWindow(MainWindows.hSearchWnd));
}

TEST_F(SearchWindow, AHitTheFilterHidesIsToldNotSelected) {
    Search("holder", true);
    ASSERT_EQ(Rows(), (std::vector<std::string>{"2:bank holder"}));
    CategoryState.nCategoryFilter = 2; // another category: card 11 leaves the tree
    TV_FillTree();
    SetFocus(MainWindows.hWndLinks); // where the keyboard is, and the tree has a selection then
    HTREEITEM before = TV_GetSelection();
    driver.Expect("Notice", [](HWND d) { D::Click(d, IDOK); });
    ClickRow(0);
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"Notice: This entry is hidden by the category filter"}));
    EXPECT_EQ(TV_GetSelection(), before);
}
