// The real main window with a safe opened through the UI port, checked through
// the window messages a user's view is made of: the tree's items, the menu and
// toolbar states, the status bar.
#include "config/settings.h"
#include "model/fields.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "support/safe_fixture.h"
#include "ui/ids_dialogs.h"
#include "ui/mainwnd.h"
#include "ui/tree_view.h"
#include "ui/uiport_win32.h"
#include "win/dialog_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
using D = DialogDriver;

// Commands of the menu bar and the toolbar.
enum : unsigned {
    CMD_CREATE_SAFE = 32774,
    CMD_OPEN_SAFE = 32773,
    CMD_CLOSE_SAFE = 32800,
    CMD_PASSWORD = 32828,
    CMD_CREATE_FOLDER = 32802,
    CMD_CREATE_CARD = 32803,
    CMD_FOLDER_ORDER = 32806,
    CMD_BACKUP = 32798,
    CMD_PDA = 32805,
    CMD_SAVE_DESKTOP = 2011,
    CMD_RESTORE_DESKTOP = 2012,
    TB_CHANGE_CARD = 2003,
    TB_DISPLAY_CARD = 2002,
    TVB_OPTIONS = 2006,
    TB_QUICKWIN = 2008,
    TB_HELP = 2007,
    TB_SEARCH = 2009,
    TB_CLOSE_TREES = 2010,
    TB_CREATE_NOTE = 2013,
    TB_NOTES = 2014,
};

// Folders out of order and with a field not marked for dragging, an empty
// content, a URL field: what the tree shows is decided, not copied.
SafeContents Sample(const std::string &password) {
    SafeContents s;
    s.password = password;
    s.folders = {{1, 2, "Web", ""}, {2, 1, "Banking", ""}};
    s.fields = {{2, 0, 1, "Account", 0, 40, 1}, {2, 1, 2, "PIN", 1, 10, 1},
                {1, 0, 1, "User", 0, 40, 1},    {1, 1, 2, "Password", 1, 40, 0},
                {1, 2, 3, "Address", 2, 100, 1}};
    s.cards = {{2, 1, 1, "Savings", ""}, {1, 3, 2, "zeta.net", ""}, {1, 2, 1, "example.org", ""}};
    s.contents = {{1, 0, "DE0012345678"}, {1, 1, ""},
                  {2, 0, "alice"},        {2, 1, "s3cret"},
                  {2, 2, "https://www.example.org"}, {3, 0, "bob"}};
    return s;
}

std::string ItemText(HWND tree, HTREEITEM item, LPARAM *kind) {
    char text[260] = {};
    TVITEMA tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_PARAM;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    *kind = tvi.lParam;
    return text;
}

// The tree as a user reads it, one line an item: indentation by depth, the
// item's kind, its text.
void Walk(HWND tree, HTREEITEM item, int depth, std::vector<std::string> *lines) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        LPARAM kind = 0;
        std::string text = ItemText(tree, item, &kind);
        lines->push_back(std::string(2 * depth, ' ') + std::to_string(kind) + " " + text);
        TV_FillItems(item); // a collapsed item's children are there once asked for
        Walk(tree,
             reinterpret_cast<HTREEITEM>(
                 SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
             depth + 1, lines);
    }
}

std::vector<std::string> Tree() {
    std::vector<std::string> lines;
    if (MainWindows.hWndLinks)
        Walk(MainWindows.hWndLinks,
             reinterpret_cast<HTREEITEM>(SendMessageA(MainWindows.hWndLinks, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0,
             &lines);
    return lines;
}

bool MenuEnabled(unsigned id) {
    UINT state = GetMenuState(GetMenu(MainWindows.hWndMain), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool ButtonEnabled(unsigned id) { return SendMessageA(MainWindows.hToolbar, TB_ISBUTTONENABLED, id, 0) != 0; }

std::string StatusText(int part) {
    char text[256] = {};
    if (LOWORD(SendMessageA(MainWindows.hStatusWnd, SB_GETTEXTLENGTHA, part, 0)) < sizeof text)
        SendMessageA(MainWindows.hStatusWnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

// The main window lives for the whole suite, as it lives for the whole run.
class MainProgram : public SafeTest {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES};
        InitCommonControlsEx(&icc);
    }
    static void TearDownTestSuite() {
        if (MainWindows.hWndMain)
            DestroyWindow(MainWindows.hWndMain);
        MSG msg; // the window's end asks the loop to end: that is not this runner's loop
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
    }
    void SetUp() override {
        SafeTest::SetUp();
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nSafePath=" + dir + "\r\nOpenLastSafe=no\r\n"));
        II_ReadSettings();
        UI_SetPort(&port);
        if (!MainWindows.hWndMain) {
            ASSERT_TRUE(MA_InitInstance(GetModuleHandleA(nullptr), SW_HIDE));
            ASSERT_NE(MainWindows.hWndMain, nullptr);
        }
        Pump();
    }
    void TearDown() override {
        if (hmySafe) {
            EXPECT_EQ(SW_CloseSafe(0), 0);
        }
        Pump();
        UI_SetPort(&ui);
        EXPECT_TRUE(driver.unexpected.empty()) << "first unexpected: " << driver.unexpected.front();
        EXPECT_TRUE(driver.Done()) << "a scripted dialog never appeared";
        SafeTest::TearDown();
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    std::string Put(const std::string &name, const SafeContents &spec) {
        std::string path = Path(name);
        EXPECT_TRUE(WriteFile(path, BuildSafe(spec)));
        return path;
    }
    // Opens a safe as the program does, the password typed into the real prompt.
    int Open(const std::string &path, const std::string &password) {
        driver.Expect("Enter Safe - Password", [password](HWND d) {
            D::Type(d, IDC_SD_PASSWORD, password);
            D::Click(d, IDOK);
        });
        int rc = SW_GetSafe(path.c_str());
        Pump();
        return rc;
    }
    Win32UiPort port;
    DialogDriver driver;
};

const std::vector<std::string> kSampleTree = {
    "1 sample.saf",
    "  2 Banking",
    "    4 Savings",
    "      8 Account",
    "  2 Web",
    "    4 example.org",
    "      8 User",
    "    4 zeta.net",
    "      8 User",
};
} // namespace

TEST_F(MainProgram, TheOpenedSafeFillsTheTreeInOrderWithTheKindsOfItsItems) {
    std::string path = Put("sample.saf", Sample("pw"));
    ASSERT_EQ(Open(path, "pw"), 0);
    EXPECT_EQ(Tree(), kSampleTree);
}

TEST_F(MainProgram, CommandsFollowTheSafe) {
    for (unsigned id : {CMD_CLOSE_SAFE, CMD_PASSWORD, CMD_CREATE_FOLDER, CMD_CREATE_CARD, CMD_FOLDER_ORDER, CMD_BACKUP,
                        CMD_PDA, CMD_SAVE_DESKTOP, CMD_RESTORE_DESKTOP})
        EXPECT_FALSE(MenuEnabled(id)) << id << " before a safe is open";
    for (unsigned id : {CMD_CREATE_SAFE, CMD_OPEN_SAFE, TB_HELP, TVB_OPTIONS, TB_QUICKWIN})
        EXPECT_TRUE(ButtonEnabled(id)) << id << " is always there";
    for (unsigned id : {TB_CHANGE_CARD, TB_DISPLAY_CARD, TB_SEARCH, TB_CLOSE_TREES, CMD_SAVE_DESKTOP, TB_CREATE_NOTE,
                        TB_NOTES})
        EXPECT_FALSE(ButtonEnabled(id)) << id << " before a safe is open";

    std::string path = Put("sample.saf", Sample("pw"));
    ASSERT_EQ(Open(path, "pw"), 0);
    for (unsigned id : {CMD_CLOSE_SAFE, CMD_PASSWORD, CMD_BACKUP, CMD_CREATE_FOLDER, CMD_FOLDER_ORDER, CMD_SAVE_DESKTOP})
        EXPECT_TRUE(MenuEnabled(id)) << id << " with a safe open";
    EXPECT_FALSE(MenuEnabled(CMD_PDA)) << "no PDA path";
    EXPECT_FALSE(MenuEnabled(CMD_CREATE_CARD)) << "no folder chosen";
    for (unsigned id : {TB_CLOSE_TREES, TB_SEARCH, CMD_SAVE_DESKTOP, TB_CREATE_NOTE, TB_NOTES})
        EXPECT_TRUE(ButtonEnabled(id)) << id << " with a safe open";
    EXPECT_FALSE(ButtonEnabled(TB_CHANGE_CARD)) << "no card chosen";
    EXPECT_FALSE(ButtonEnabled(TB_DISPLAY_CARD)) << "no card chosen";

    ASSERT_EQ(SW_CloseSafe(0), 0);
    Pump();
    EXPECT_TRUE(Tree().empty()) << "closing the safe empties the tree";
    for (unsigned id : {CMD_CLOSE_SAFE, CMD_PASSWORD, CMD_CREATE_FOLDER, CMD_FOLDER_ORDER, CMD_BACKUP, CMD_PDA,
                        CMD_SAVE_DESKTOP, CMD_RESTORE_DESKTOP})
        EXPECT_FALSE(MenuEnabled(id)) << id << " after closing";
    for (unsigned id : {TB_SEARCH, TB_CLOSE_TREES, CMD_SAVE_DESKTOP, CMD_RESTORE_DESKTOP, TB_CREATE_NOTE, TB_NOTES})
        EXPECT_FALSE(ButtonEnabled(id)) << id << " after closing";
}

TEST_F(MainProgram, TheStatusBarCountsFoldersAndCards) {
    std::string path = Put("sample.saf", Sample(""));
    ASSERT_EQ(SW_GetSafe(path.c_str()), 0) << "no password, no prompt";
    Pump();
    EXPECT_EQ(StatusText(2), "Folder:");
    EXPECT_EQ(StatusText(3), "  2");
    EXPECT_EQ(StatusText(4), "Cards:");
    EXPECT_EQ(StatusText(5), "  3");
}

TEST_F(MainProgram, AFailedOpenLeavesThePreviousSafeOpenAndShown) {
    std::string path = Put("sample.saf", Sample("pw"));
    SafeContents other = Sample("other");
    other.folders = {{1, 1, "Elsewhere", ""}};
    std::string otherPath = Put("other.saf", other);
    ASSERT_EQ(Open(path, "pw"), 0);

    std::string owner;
    driver.Expect("Enter Safe - Password", [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "wrong");
        D::Click(d, IDOK);
    });
    driver.Expect("Error", [&](HWND d) {
        char caption[64] = {};
        GetWindowTextA(GetWindow(d, GW_OWNER), caption, sizeof caption);
        owner = caption;
        D::Click(d, IDOK);
    });
    EXPECT_EQ(SW_GetSafe(otherPath.c_str()), -1);
    Pump();
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Error: error in encrypt safe"});
    EXPECT_EQ(owner, "orvSafe") << "the message belongs to the main window";
    EXPECT_STREQ(cActSafePath, path.c_str());
    EXPECT_EQ(Tree(), kSampleTree);
    EXPECT_TRUE(MenuEnabled(CMD_CLOSE_SAFE));
    EXPECT_TRUE(ButtonEnabled(TB_CLOSE_TREES));
}

namespace {
HTREEITEM FindItem(HWND tree, HTREEITEM item, const std::string &text) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        LPARAM kind = 0;
        if (ItemText(tree, item, &kind) == text)
            return item;
        TV_FillItems(item);
        HTREEITEM child = FindItem(
            tree,
            reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
            text);
        if (child)
            return child;
    }
    return nullptr;
}

std::string Cell(int row, int column) {
    char text[300] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(MainWindows.hWndRechts, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::string> CardList() {
    std::vector<std::string> rows;
    int n = static_cast<int>(SendMessageA(MainWindows.hWndRechts, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        rows.push_back(Cell(i, 0) + "=" + Cell(i, 1));
    return rows;
}

// A click on a row of the card list, as the list reports it to its pane.
void ClickRow(int row) {
    RECT rc = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(MainWindows.hWndRechts, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = MainWindows.hWndRechts;
    click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(MainWindows.hWndRechts));
    click.hdr.code = NM_CLICK;
    click.iItem = row;
    click.ptAction.x = rc.left + 40;
    click.ptAction.y = (rc.top + rc.bottom) / 2;
    SendMessageA(MainWindows.hMyEdit, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

std::string Content(uint32_t card, uint32_t field) {
    char text[300] = {};
    EXPECT_EQ(FW_GetFeld(card, field, text), 0) << card << "/" << field;
    return text;
}
} // namespace

TEST_F(MainProgram, AnInPlaceEditIsStoredAndWrittenToTheFile) {
    std::string path = Put("sample.saf", Sample("pw"));
    ASSERT_EQ(Open(path, "pw"), 0);

    // The keyboard moves from the folder to its first card, as a click would choose it.
    HTREEITEM web = FindItem(MainWindows.hWndLinks, TreeView_GetRoot(MainWindows.hWndLinks), "Web");
    ASSERT_NE(web, nullptr);
    TreeView_Expand(MainWindows.hWndLinks, web, TVE_EXPAND);
    TreeView_SelectItem(MainWindows.hWndLinks, web);
    SendMessageA(MainWindows.hWndLinks, WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(StatusText(1), " Display card content:   example.org");
    EXPECT_TRUE(ButtonEnabled(TB_CHANGE_CARD));
    EXPECT_FALSE(ButtonEnabled(TB_DISPLAY_CARD));

    SendMessageA(MainWindows.hWndMain, WM_COMMAND, TB_CHANGE_CARD, 0);
    Pump();
    EXPECT_EQ(CardList(), (std::vector<std::string>{"User=alice", "Password=s3cret", "Address=https://www.example.org"}));
    EXPECT_FALSE(ButtonEnabled(TB_CHANGE_CARD));
    EXPECT_TRUE(ButtonEnabled(TB_DISPLAY_CARD));

    ClickRow(0);
    HWND edit = GetDlgItem(MainWindows.hWndRechts, 800);
    ASSERT_NE(edit, nullptr) << "the editor opens over the content";
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "alice");
    SetWindowTextA(edit, "alicia");
    // Tab stores the text and goes on to the next row.
    SendMessageA(edit, WM_KEYDOWN, VK_TAB, 0);
    Pump();
    EXPECT_EQ(Cell(0, 1), "alicia");
    EXPECT_EQ(Content(2, 0), "alicia") << "stored in the card's contents";
    edit = GetDlgItem(MainWindows.hWndRechts, 800);
    ASSERT_NE(edit, nullptr) << "Tab goes on to the next row";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "s3cret");
    SetWindowTextA(edit, "n3w-s3cret");
    SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    Pump();
    EXPECT_EQ(GetDlgItem(MainWindows.hWndRechts, 800), nullptr) << "the editor is gone";
    EXPECT_EQ(Content(2, 1), "n3w-s3cret");

    // Closing the safe writes it: the file holds the new texts under the password.
    ASSERT_EQ(SW_CloseSafe(1), 0);
    Pump();
    ReleaseSafeState();
    UI_SetPort(&ui);
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    EXPECT_EQ(Content(2, 0), "alicia");
    EXPECT_EQ(Content(2, 1), "n3w-s3cret");
    EXPECT_EQ(Content(3, 0), "bob") << "the other card is as it was";
    EXPECT_EQ(ReadFile(path).find("alicia"), std::string::npos) << "no clear text in the file";
}

TEST_F(MainProgram, TheFileMenuCreatesAndOpensSafesThroughTheirDialogs) {
    // "Create Safe": a safe named home in SafePath, shown as the tree's only item.
    driver.Expect("Create New Safe", [](HWND d) {
        D::Type(d, IDC_SD_NAME, "home");
        D::Type(d, IDC_SD_PASSWORD, "pw-home");
        D::Type(d, IDC_SD_CONFIRM, "pw-home");
        D::Click(d, IDOK);
    });
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, CMD_CREATE_SAFE, 0);
    Pump();
    const std::string home = Path("home.saf");
    EXPECT_STREQ(cActSafePath, home.c_str());
    EXPECT_TRUE(FileExists(home));
    EXPECT_EQ(Tree(), std::vector<std::string>{"1 home.saf"});
    for (unsigned id : {CMD_CLOSE_SAFE, CMD_PASSWORD, CMD_BACKUP})
        EXPECT_TRUE(MenuEnabled(id)) << id << " after creating";
    EXPECT_FALSE(MenuEnabled(CMD_FOLDER_ORDER)) << "no folders to order";
    EXPECT_EQ(StatusText(3), "  0");

    // "Open Safe" with a bare name: sample.saf in SafePath; home is written and closed first.
    std::string sample = Put("sample.saf", Sample("pw"));
    driver.Expect("open safe", [](HWND d) {
        D::Type(d, IDC_SD_PATH, "sample");
        D::Click(d, IDOK);
    });
    driver.Expect("Enter Safe - Password", [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "pw");
        D::Click(d, IDOK);
    });
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, CMD_OPEN_SAFE, 0);
    Pump();
    EXPECT_STREQ(cActSafePath, sample.c_str());
    EXPECT_EQ(Tree(), kSampleTree);
    EXPECT_EQ(StatusText(5), "  3");

    // "Create/Change password": the next write envelopes the safe under the new one.
    driver.Expect("Safe Password", [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "pw-2");
        D::Type(d, IDC_SD_CONFIRM, "pw-2");
        D::Click(d, IDOK);
    });
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, CMD_PASSWORD, 0);
    Pump();
    ASSERT_EQ(SW_CloseSafe(1), 0);
    Pump();
    ReleaseSafeState();
    UI_SetPort(&ui);
    EXPECT_EQ(ReadSafeFile(sample, "pw-2"), 0);
    EXPECT_EQ(ReadSafeFile(home, "pw-home"), 0);
}

TEST_F(MainProgram, WithoutSafePathTheFileMenuOnlyTellsSo) {
    Settings.SafePath[0] = 0;
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, CMD_CREATE_SAFE, 0);
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, CMD_OPEN_SAFE, 0);
    Pump();
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"Error: missing safe path", "Error: missing safe path"}));
    EXPECT_EQ(cActSafePath[0], 0);
}
