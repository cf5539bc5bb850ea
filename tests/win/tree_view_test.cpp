// The tree pane and the card pane as a user meets them: a sample safe opened,
// the tree read back through its messages, a card shown, edited and saved.
#include "config/settings.h"
#include "model/card_clipboard.h"
#include "model/card_view.h"
#include "model/cards.h"
#include "model/fields.h"
#include "model/tree_build.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/fake_shell.h"
#include "support/safe_fixture.h"
#include "win/dialog_driver.h"
#include "ui/message_routing.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {
LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// Classes this test registered; given back after each test, so the main
// window's own registration is the one other tests find.
std::vector<std::string> registered;

void Register(const char *name, WNDPROC proc) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = name;
    if (RegisterClassExA(&wc)) // a class already there (the main window made it) is fine
        registered.push_back(name);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<std::string> paintedRows;
void OnPaintRow(const CW_ROW *row) { paintedRows.push_back(std::string(row->name) + "=" + row->text); }

// Folder "Mail" (User, Password, Web, Note) with cards "Home" and "Work"; folder
// "Bank" (Account, Tool) with card "Savings", expanded; "Home" expanded.
SafeContents Sample() {
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, "Mail", "", 0, 0}, {2, 2, "Bank", "", 1, 0}};
    s.fields = {{1, 0, 1, "User", 0, 30, 1},  {1, 1, 2, "Password", 1, 30, 1}, {1, 2, 3, "Web", 2, 60, 1},
                {1, 3, 4, "Note", 0, 30, 0},  {2, 0, 1, "Account", 0, 20, 1},  {2, 1, 2, "Tool", 4, 200, 0}};
    s.cards = {{1, 1, 1, "Home", "", 1, 0}, {1, 2, 2, "Work", "", 0, 0}, {2, 3, 1, "Savings", "", 0, 0}};
    s.contents = {{1, 0, "alice"}, {1, 1, "s3cr3t!"}, {1, 2, "mail.example.org"}, {1, 3, "a note"},
                  {2, 0, "bob"},   {2, 1, ""},        {2, 2, ""},                 {2, 3, ""},
                  {3, 0, "12345"}, {3, 1, "C:\\nothing\\here.exe"}};
    return s;
}

// The scripted port, but the tree, the list and the card view are the real ones.
class WindowsUi : public FakeUi {
  public:
    TREEHANDLE InsertFieldItem(TREEHANDLE hCard, const char *text) override { return TV_InsertFieldItem(hCard, text); }
    void ShowFolderCards(TREEHANDLE hFolder) override { TV_FillItems(reinterpret_cast<HTREEITEM>(hFolder)); }
    int CardListTextWidth(const char *text) override { return LV_TextWidth(text); }
    void RedisplayCardField(uint32_t fieldIndex) override { CW_RedisplayField(fieldIndex); }
};

class TreeView : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        Settings.IconSize = 16;
        Settings.TViewBKColor = 0xFFFFFF;
        Settings.LViewBKColor = 0xF3FFFF;
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        hInst = GetModuleHandleA(nullptr);
        Register("orvTreeTestHost", HostProc);
        Register(CLASS_TREE, TV_TreePaneProc);
        Register(CLASS_EDIT, LV_CardPaneProc);
        Register(CLASS_CARDVIEW, CW_CardViewProc);
        host = CreateWindowExA(0, "orvTreeTestHost", "tree test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 700,
                               400, nullptr, nullptr, hInst, nullptr);
        ASSERT_NE(host, nullptr);
        MainWindows.hMyTree =
            CreateWindowExA(0, CLASS_TREE, "", WS_CHILD | WS_VISIBLE, 0, 0, 250, 360, host, nullptr, hInst, nullptr);
        MainWindows.hMyEdit =
            CreateWindowExA(0, CLASS_EDIT, "", WS_CHILD | WS_VISIBLE, 254, 0, 430, 360, host, nullptr, hInst, nullptr);
        ASSERT_NE(MainWindows.hWndLinks, nullptr);
        ASSERT_NE(MainWindows.hWndRechts, nullptr);
        ASSERT_NE(MainWindows.hCardView, nullptr);
        ShowWindow(host, SW_SHOW);
        paintedRows.clear();
        CW_SetPaintHook(OnPaintRow);
        memset(&CutCard, 0, sizeof CutCard);
    }
    void TearDown() override {
        CW_SetPaintHook(nullptr);
        if (host)
            DestroyWindow(host);
        Pump();
        for (const std::string &name : registered)
            UnregisterClassA(name.c_str(), GetModuleHandleA(nullptr));
        registered.clear();
        MainWindows.hMyTree = MainWindows.hMyEdit = nullptr;
        MainModes.bCardDisplayMode = FALSE;
        MainModes.bQuickWindowMode = FALSE;
        ListState.nLVEditRow = -1;
        memset(&CutCard, 0, sizeof CutCard);
        SafeTest::TearDown();
    }
    void Open(const SafeContents &spec) {
        path = Path("sample.saf");
        WriteFile(path, BuildSafe(spec));
        port.passwords.push_back(spec.password);
        ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
        TV_FillTree();
    }

    static std::string Text(HTREEITEM item) {
        char buf[100] = {};
        TVITEMA it = {};
        it.mask = TVIF_TEXT;
        it.hItem = item;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(MainWindows.hWndLinks, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    // Every item depth-first: "  text kind image [+]" (+ when expanded).
    static void Describe(HTREEITEM item, int depth, std::vector<std::string> &out) {
        for (; item; item = TreeView_GetNextSibling(MainWindows.hWndLinks, item)) {
            TVITEMA it = {};
            it.mask = TVIF_PARAM | TVIF_IMAGE | TVIF_STATE;
            it.stateMask = TVIS_EXPANDED;
            it.hItem = item;
            SendMessageA(MainWindows.hWndLinks, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
            out.push_back(std::string(depth * 2, ' ') + Text(item) + " " + std::to_string(it.lParam) + " " +
                          std::to_string(it.iImage) + ((it.state & TVIS_EXPANDED) ? " +" : ""));
            TV_FillItems(item); // a collapsed item's children are there once asked for
            Describe(TreeView_GetChild(MainWindows.hWndLinks, item), depth + 1, out);
        }
    }
    static std::vector<std::string> Tree() {
        std::vector<std::string> out;
        Describe(TreeView_GetRoot(MainWindows.hWndLinks), 0, out);
        return out;
    }
    static HTREEITEM Card(const char *name) {
        return reinterpret_cast<HTREEITEM>(CW_GetCardTreeHandle(static_cast<uint32_t>(CW_GetCardIdByName(name))));
    }
    static HTREEITEM Folder(uint32_t id) {
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            if (o->nOrdnerKennung == id)
                return reinterpret_cast<HTREEITEM>(o->hOrdnerTree);
        return nullptr;
    }
    static void Select(HTREEITEM item) {
        TreeView_SelectItem(MainWindows.hWndLinks, item);
        TV_ItemSelected(item);
    }
    static std::string Cell(int row, int col) {
        char buf[300] = {};
        ListView_GetItemText(MainWindows.hWndRechts, row, col, buf, sizeof buf);
        return buf;
    }
    static std::vector<std::string> Rows() {
        std::vector<std::string> out;
        for (int i = 0; i < ListView_GetItemCount(MainWindows.hWndRechts); ++i) {
            LVITEMA it = {};
            it.mask = LVIF_PARAM;
            it.iItem = i;
            ListView_GetItem(MainWindows.hWndRechts, &it);
            out.push_back(Cell(i, 0) + "|" + Cell(i, 1) + "|" + std::to_string(it.lParam));
        }
        return out;
    }
    static int RowY(int row) {
        RECT rc = {};
        ListView_GetItemRect(MainWindows.hWndRechts, row, &rc, LVIR_BOUNDS);
        return (rc.top + rc.bottom) / 2;
    }
    HWND host = nullptr;
    std::string path;
    FakeShell shell;
    WindowsUi port; // made after the fixture's own, so it is the one in use
};
} // namespace

TEST_F(TreeView, TheSafeItsFoldersCardsAndDragFieldsInOrder) {
    Open(Sample());
    std::vector<std::string> want = {
        "sample.saf 1 0 +",
        "  Mail 2 1",
        "    Home 4 2 +",
        "      User 8 3",
        "      Password 8 3",
        "    Work 4 2",
        "      User 8 3",
        "  Bank 2 1 +",
        "    Savings 4 2",
        "      Account 8 3",
    };
    EXPECT_EQ(Tree(), want);
    EXPECT_EQ(port.shown.size(), 0u);

    // The image list: seven fixed images of the icon size.
    HIMAGELIST images = TreeView_GetImageList(MainWindows.hWndLinks, TVSIL_NORMAL);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 7);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);

    TV_CollapseAll();
    for (const std::string &line : Tree())
        EXPECT_TRUE(line.rfind(" +") == std::string::npos || line == "sample.saf 1 0 +") << line;
    EXPECT_EQ(lpKARTEstart->nExpanded, 0u);

    TV_ClearTree();
    EXPECT_EQ(TreeView_GetCount(MainWindows.hWndLinks), 0u);
    EXPECT_EQ(lpORDNERstart->hOrdnerTree, nullptr);
}

TEST_F(TreeView, AFilledFieldGetsItsItemAtOnce) {
    Open(Sample());
    HTREEITEM work = Card("Work");
    for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
        if (c->nKartenKennung == 2 && c->nFeldIndex == 1)
            FW_FreeInhalt("TT_F_00", c); // a content never filled
    ASSERT_EQ(FW_PutFeld(2, 1, "pw2", reinterpret_cast<TREEHANDLE>(work)), 0);
    std::vector<std::string> below;
    TV_FillItems(work);
    Describe(TreeView_GetChild(MainWindows.hWndLinks, work), 0, below);
    EXPECT_EQ(below, (std::vector<std::string>{"User 8 3", "Password 8 3"}));
}

TEST_F(TreeView, ACollapsedCardGetsItsFieldItemsWhenTheUserExpandsIt) {
    Open(Sample());
    HTREEITEM savings = Card("Savings");
    EXPECT_EQ(TreeView_GetChild(MainWindows.hWndLinks, savings), nullptr);
    EXPECT_EQ(TreeView_GetCount(MainWindows.hWndLinks), 4u) << "the safe, two folders and Bank's card";
    TreeView_Expand(MainWindows.hWndLinks, Folder(1), TVE_EXPAND);
    EXPECT_EQ(TreeView_GetCount(MainWindows.hWndLinks), 8u) << "and Mail's two cards with Home's two fields";
    EXPECT_EQ(lpORDNERstart->nExpanded, 1u);
    TreeView_Expand(MainWindows.hWndLinks, savings, TVE_EXPAND);
    std::vector<std::string> below;
    Describe(TreeView_GetChild(MainWindows.hWndLinks, savings), 0, below);
    EXPECT_EQ(below, std::vector<std::string>{"Account 8 3"});
    EXPECT_EQ(lpKARTEstart->next->next->nExpanded, 1u);
}

TEST_F(TreeView, SelectingACardFillsTheListAndShowsTheCardView) {
    Open(Sample());
    Select(Card("Home"));
    EXPECT_EQ(TreeState.nTVLastKind, TV_KIND_CARD);
    EXPECT_TRUE(MainModes.bCardDisplayMode);
    EXPECT_TRUE(IsWindowVisible(MainWindows.hCardView));
    std::vector<std::string> want = {"User|alice|0", "Password|s3cr3t!|1", "Web|mail.example.org|2",
                                     "Note|a note|3"};
    EXPECT_EQ(Rows(), want) << "change mode's list shows passwords in clear";
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    char title[20];
    col.pszText = title;
    col.cchTextMax = sizeof title;
    ASSERT_TRUE(ListView_GetColumn(MainWindows.hWndRechts, 0, &col));
    EXPECT_STREQ(title, "Feld");
    ASSERT_TRUE(ListView_GetColumn(MainWindows.hWndRechts, 1, &col));
    EXPECT_STREQ(title, "Inhalt");
    EXPECT_EQ(ListView_GetColumnWidth(MainWindows.hWndRechts, 0), LV_TextWidth("Password") + 10);
    EXPECT_STREQ(TV_SelectedCardName(), "Home");

    // A folder leaves display mode.
    Select(Folder(2));
    EXPECT_EQ(TreeState.nTVLastKind, 0u);
    EXPECT_FALSE(MainModes.bCardDisplayMode);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hCardView));
    EXPECT_STREQ(TV_SelectedCardName(), "");
}

TEST_F(TreeView, TheCardViewMasksPasswordsAndOpensLinks) {
    Open(Sample());
    Select(Card("Home"));
    RedrawWindow(MainWindows.hCardView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::vector<std::string> want = {"User=alice", "Password=*******", "Web=mail.example.org", "Note=a note"};
    EXPECT_EQ(paintedRows, want);
    ASSERT_NE(CW_FirstLinkSpot(), nullptr);
    EXPECT_EQ(CW_FirstLinkSpot()->type, FT_URL);
    EXPECT_EQ(CW_FirstLinkSpot()->next, nullptr);

    // A click on the link's row, even on its name, opens it.
    const LINKSPOT *web = CW_FirstLinkSpot();
    SendMessageA(MainWindows.hCardView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, web->y + 1));
    EXPECT_EQ(shell.Targets(), std::vector<std::string>{"http://mail.example.org"});
    EXPECT_TRUE(MainModes.bCardDisplayMode);

    // A row without a link switches to change mode.
    SendMessageA(MainWindows.hCardView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 1));
    EXPECT_FALSE(MainModes.bCardDisplayMode);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hCardView));
    EXPECT_EQ(ListView_GetItemCount(MainWindows.hWndRechts), 4);
    EXPECT_EQ(shell.opens.size(), 1u);
}

TEST_F(TreeView, AMissingProgramIsReported) {
    Open(Sample());
    Select(Card("Savings"));
    RedrawWindow(MainWindows.hCardView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_NE(CW_FirstLinkSpot(), nullptr);
    EXPECT_EQ(CW_FirstLinkSpot()->type, FT_PROGRAMM);
    SendMessageA(MainWindows.hCardView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, CW_FirstLinkSpot()->y));
    ASSERT_EQ(port.shown.size(), 1u);
    EXPECT_EQ(port.shown[0].text, "The programm doesn't exist");
    EXPECT_EQ(port.shown[0].caption, "Error");
    EXPECT_TRUE(shell.opens.empty());

    std::string exe = Path("tool.exe");
    WriteFile(exe, "MZ");
    TO_StartProgram(exe.c_str());
    ASSERT_EQ(shell.Targets(), std::vector<std::string>{exe});
    EXPECT_EQ(shell.opens[0].directory, dir) << "a program starts in its own folder";
}

TEST_F(TreeView, AnInPlaceEditIsStoredAndTabGoesOnToTheNextRowAndRoundToTheFirst) {
    Open(Sample());
    Select(Card("Home"));
    CW_EnterChangeMode();
    LV_ListClick(RowY(2));
    ASSERT_NE(ListState.hLVEdit, nullptr);
    EXPECT_EQ(ListState.nLVEditRow, 2);
    EXPECT_EQ(GetDlgCtrlID(ListState.hLVEdit), IDC_LV_EDIT);
    char text[300];
    GetWindowTextA(ListState.hLVEdit, text, sizeof text);
    EXPECT_STREQ(text, "mail.example.org");
    EXPECT_EQ(SendMessageA(ListState.hLVEdit, EM_GETLIMITTEXT, 0, 0), 60);

    SetWindowTextA(ListState.hLVEdit, "https://mail.example.net");
    SendMessageA(ListState.hLVEdit, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(Cell(2, 1), "https://mail.example.net");
    ASSERT_NE(ListState.hLVEdit, nullptr);
    EXPECT_EQ(ListState.nLVEditRow, 3);
    SetWindowTextA(ListState.hLVEdit, "changed note");
    SendMessageA(ListState.hLVEdit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(ListState.nLVEditRow, 0) << "after the last row the first";
    GetWindowTextA(ListState.hLVEdit, text, sizeof text);
    EXPECT_STREQ(text, "alice");

    // A click below the rows ends the edit and goes back to display mode.
    LV_ListClick(350);
    EXPECT_EQ(ListState.hLVEdit, nullptr);
    EXPECT_TRUE(MainModes.bCardDisplayMode);

    char stored[MAX_FELD_LAENGE + 1];
    ASSERT_EQ(FW_GetFeld(1, 2, stored), 0);
    EXPECT_STREQ(stored, "https://mail.example.net");
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    ASSERT_EQ(FW_GetFeld(1, 2, stored), 0);
    EXPECT_STREQ(stored, "https://mail.example.net");
    ASSERT_EQ(FW_GetFeld(1, 3, stored), 0);
    EXPECT_STREQ(stored, "changed note");
}

TEST_F(TreeView, AProgramFieldGetsABrowseButton) {
    Open(Sample());
    Select(Card("Savings"));
    CW_EnterChangeMode();
    LV_ListClick(RowY(1));
    ASSERT_NE(ListState.hLVEdit, nullptr);
    ASSERT_NE(ListState.hLVBrowse, nullptr);
    EXPECT_EQ(GetDlgCtrlID(ListState.hLVBrowse), IDC_LV_BROWSE);
    RECT e, b, row;
    GetWindowRect(ListState.hLVEdit, &e);
    GetWindowRect(ListState.hLVBrowse, &b);
    ListView_GetItemRect(MainWindows.hWndRechts, 1, &row, LVIR_BOUNDS);
    EXPECT_EQ(b.right - b.left, 20);
    int col0 = ListView_GetColumnWidth(MainWindows.hWndRechts, 0);
    EXPECT_EQ(e.right - e.left, row.right - col0 - 40);
    SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    EXPECT_EQ(ListState.hLVBrowse, nullptr);
    EXPECT_EQ(ListState.hLVEdit, nullptr);
}

TEST_F(TreeView, ContextMenusGreyWhatCannotBeDone) {
    Open(Sample());
    auto greyed = [](unsigned menuId, HTREEITEM sel, unsigned cmd) {
        HMENU menu = TV_BuildContextMenu(menuId, sel);
        EXPECT_NE(menu, nullptr);
        UINT state = GetMenuState(GetSubMenu(menu, 0), cmd, MF_BYCOMMAND);
        DestroyMenu(menu);
        return (state & MF_GRAYED) != 0;
    };
    HTREEITEM mail = Folder(1), bank = Folder(2);
    EXPECT_FALSE(greyed(IDM_SAFEMENU, TreeView_GetRoot(MainWindows.hWndLinks), IDM_TV_PASSWORD));
    EXPECT_FALSE(greyed(IDM_SAFEMENU, TreeView_GetRoot(MainWindows.hWndLinks), IDM_TV_FOLDERORDER)) << "two folders";
    EXPECT_FALSE(greyed(IDM_FOLDERMENU, mail, IDM_TV_CARDORDER)) << "two cards";
    EXPECT_TRUE(greyed(IDM_FOLDERMENU, bank, IDM_TV_CARDORDER)) << "one card";
    EXPECT_TRUE(greyed(IDM_FOLDERMENU, bank, IDM_TV_PASTECARD)) << "nothing cut";
    EXPECT_FALSE(greyed(IDM_CARDMENU, Card("Home"), IDM_TV_CUTCARD));

    // Cut "Savings": the menu of its own folder keeps "Paste card" greyed.
    TreeView_SelectItem(MainWindows.hWndLinks, Card("Savings"));
    TV_Command(MainWindows.hMyTree, IDM_TV_CUTCARD);
    EXPECT_TRUE(greyed(IDM_FOLDERMENU, bank, IDM_TV_PASTECARD));
    EXPECT_FALSE(greyed(IDM_FOLDERMENU, mail, IDM_TV_PASTECARD));

    // The folders do not fit each other: the paste is refused and the card stays cut.
    TreeView_SelectItem(MainWindows.hWndLinks, mail);
    TV_Command(MainWindows.hMyTree, IDM_TV_PASTECARD);
    ASSERT_EQ(port.shown.size(), 1u);
    EXPECT_EQ(port.shown[0].caption, "Notice");
    EXPECT_EQ(CW_GetCardOrdnerId_CID(3), 2);
    EXPECT_EQ(CutCard.nKartenKennung, 3u);

    // The menus' texts and order.
    HMENU menu = LoadMenuA(hInst, MAKEINTRESOURCEA(IDM_FOLDERMENU));
    ASSERT_NE(menu, nullptr);
    std::string items;
    HMENU popup = GetSubMenu(menu, 0);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char t[40] = {};
        GetMenuStringA(popup, i, t, sizeof t, MF_BYPOSITION);
        items += std::string(t) + "=" + std::to_string(GetMenuItemID(popup, i)) + ";";
    }
    DestroyMenu(menu);
    EXPECT_EQ(items, "Create card=32783;Paste card=32839;Change Card Order=32812;Change folder=32787;"
                     "Delete folder=32784;Category=32817;");
}

TEST_F(TreeView, LabelEditsRenameFoldersAndCardsOnly) {
    Open(Sample());
    auto notify = [](UINT code, HTREEITEM item, const char *text) {
        NMTVDISPINFOA info = {};
        info.hdr.hwndFrom = MainWindows.hWndLinks;
        info.hdr.code = code;
        info.item.hItem = item;
        info.item.pszText = const_cast<char *>(text);
        return SendMessageA(MainWindows.hMyTree, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    };
    HTREEITEM root = TreeView_GetRoot(MainWindows.hWndLinks), mail = Folder(1);
    HTREEITEM field = TreeView_GetChild(MainWindows.hWndLinks, Card("Home"));
    EXPECT_TRUE(notify(TVN_BEGINLABELEDITA, root, nullptr)) << "the safe is not renamed";
    EXPECT_TRUE(notify(TVN_BEGINLABELEDITA, field, nullptr)) << "nor a field";
    EXPECT_FALSE(notify(TVN_BEGINLABELEDITA, mail, nullptr));
    EXPECT_FALSE(notify(TVN_BEGINLABELEDITA, Card("Home"), nullptr));

    notify(TVN_ENDLABELEDITA, mail, "A folder name of forty characters, long!");
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "A folder name of forty c");
    EXPECT_EQ(Text(mail), "A folder name of forty c");
    notify(TVN_ENDLABELEDITA, Card("Home"), nullptr); // cancelled
    EXPECT_STREQ(lpKARTEstart->cKartenName, "Home");
    notify(TVN_ENDLABELEDITA, Card("Home"), "Private");
    EXPECT_STREQ(lpKARTEstart->cKartenName, "Private");
}

TEST_F(TreeView, ExpandingAndCollapsingIsRemembered) {
    Open(Sample());
    NMTREEVIEWA nm = {};
    nm.hdr.hwndFrom = MainWindows.hWndLinks;
    nm.hdr.code = TVN_ITEMEXPANDEDA;
    nm.action = TVE_EXPAND;
    nm.itemNew.hItem = Folder(1);
    SendMessageA(MainWindows.hMyTree, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(lpORDNERstart->nExpanded, 1u);
    nm.action = TVE_COLLAPSE;
    nm.itemNew.hItem = Card("Home");
    SendMessageA(MainWindows.hMyTree, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(lpKARTEstart->nExpanded, 0u);
}

TEST_F(TreeView, NoSafeNoTree) {
    TV_FillTree();
    EXPECT_EQ(TreeView_GetCount(MainWindows.hWndLinks), 0u);
}

TEST_F(TreeView, ItemsTakeTheirImagesAndMinusOneIsTheDefaultCardImage) {
    Open(Sample());
    HTREEITEM root = TreeView_GetRoot(MainWindows.hWndLinks);
    HTREEITEM item = TV_InsertItem(MainWindows.hWndLinks, "extra", root, TV_KIND_CARD, -1, -1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(TV_GetItemKind(item), TV_KIND_CARD);
    TV_SetItem(MainWindows.hWndLinks, "renamed", item, TV_IMG_ALARM, TV_IMG_ALARM);
    std::vector<std::string> all = Tree();
    EXPECT_EQ(all.back(), "  renamed 4 6");
    TV_SetItem(MainWindows.hWndLinks, "again", item, -1, -1);
    EXPECT_EQ(Tree().back(), "  again 4 2");
}

TEST_F(TreeView, TheQuickWindowOpensWebAddressesFromTheTree) {
    MainModes.bQuickWindowMode = TRUE;
    Settings.QWUrlQuickLink = true;
    Open(Sample());
    std::vector<std::string> tree = Tree();
    EXPECT_EQ(tree[1], "  Home 4 2 +") << "without folders every card sits below the safe";
    EXPECT_EQ(tree[4], "    Web 16 4");
    HTREEITEM web = TreeView_GetChild(MainWindows.hWndLinks, Card("Home"));
    while (web && Text(web) != "Web")
        web = TreeView_GetNextSibling(MainWindows.hWndLinks, web);
    ASSERT_NE(web, nullptr);
    Select(web);
    EXPECT_EQ(shell.Targets(), std::vector<std::string>{"http://mail.example.org"});
    Select(Card("Home")); // a card opens its address too, with the option on
    EXPECT_EQ(shell.opens.size(), 2u);
    EXPECT_EQ(shell.opens[1].target, "http://mail.example.org");
    Settings.QWUrlQuickLink = false;
    Select(Card("Work"));
    EXPECT_EQ(shell.opens.size(), 2u);
    // No renaming in the quick window.
    NMTVDISPINFOA info = {};
    info.hdr.hwndFrom = MainWindows.hWndLinks;
    info.hdr.code = TVN_BEGINLABELEDITA;
    info.item.hItem = Card("Home");
    EXPECT_TRUE(SendMessageA(MainWindows.hMyTree, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)));
    MainModes.bQuickWindowMode = FALSE;
}

TEST_F(TreeView, AContextMenuOutsideThePaneIsReported) {
    Open(Sample());
    TreeView_SelectItem(MainWindows.hWndLinks, Folder(1));
    TreeState.bTVRightClick = TRUE;
    RECT rc;
    GetWindowRect(MainWindows.hMyTree, &rc);
    SendMessageA(MainWindows.hMyTree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(MainWindows.hWndLinks),
                 MAKELPARAM(rc.left - 5, rc.top + 2));
    ASSERT_EQ(port.shown.size(), 1u);
    EXPECT_EQ(port.shown[0].text, "P-Error: Context-Menu (02)");
    EXPECT_EQ(port.shown[0].caption, "Error");
    std::string log = Log();
    EXPECT_NE(log.find("*M 05* Contextmenu Error"), std::string::npos) << log;

    // Without a pending right click nothing happens.
    TreeState.bTVRightClick = FALSE;
    SendMessageA(MainWindows.hMyTree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(MainWindows.hWndLinks),
                 MAKELPARAM(rc.left - 5, rc.top + 2));
    EXPECT_EQ(port.shown.size(), 1u);
}

TEST_F(TreeView, AnAlarmFieldOpensTheDateDialogAndNeverAnEditor) {
    SafeContents s;
    s.folders = {{1, 1, "Dates", "", 0, 0}};
    s.fields = {{1, 0, 1, "Name", 0, 30, 0}, {1, 1, 2, "Renew", 5, 10, 0}};
    s.cards = {{1, 1, 1, "Passport", "", 0, 0}};
    s.contents = {{1, 0, "mine"}, {1, 1, "03/15/2012"}};
    s.password = "pw";
    Open(s);
    Select(Card("Passport"));
    CW_EnterChangeMode();
    DialogDriver driver;
    std::vector<std::string> preselected;
    driver.Expect("Alarm Date", [&](HWND dlg) {
        for (int id : {IDC_AD_DAY, IDC_AD_MONTH, IDC_AD_YEAR})
            preselected.push_back(DialogDriver::Text(dlg, id));
        SendDlgItemMessageA(dlg, IDC_AD_DAY, CB_SETCURSEL, 0, 0);   // "01"
        SendDlgItemMessageA(dlg, IDC_AD_MONTH, CB_SETCURSEL, 6, 0); // "07"
        SendDlgItemMessageA(dlg, IDC_AD_YEAR, CB_SETCURSEL, 10, 0); // "2015"
        DialogDriver::Click(dlg, IDOK);
    });
    LV_ListClick(RowY(1));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(preselected, (std::vector<std::string>{"15", "03", "2012"}));
    EXPECT_EQ(ListState.hLVEdit, nullptr);
    char stored[MAX_FELD_LAENGE + 1];
    ASSERT_EQ(FW_GetFeld(1, 1, stored), 0);
    EXPECT_STREQ(stored, "07/01/2015");
    EXPECT_EQ(Cell(1, 1), "07/01/2015");
}

TEST_F(TreeView, TheSecondAlarmKindKeepsItsContentAndTheEditorGoes) {
    SafeContents s;
    s.folders = {{1, 1, "Dates", "", 0, 0}};
    s.fields = {{1, 0, 1, "Kept", 6, 10, 0}};
    s.cards = {{1, 1, 1, "Old", "", 0, 0}};
    s.contents = {{1, 0, "01/01/2010"}};
    s.password = "pw";
    Open(s);
    Select(Card("Old"));
    CW_EnterChangeMode();
    LV_ListClick(RowY(0));
    ASSERT_NE(ListState.hLVEdit, nullptr);
    SetWindowTextA(ListState.hLVEdit, "typed");
    SendMessageA(MainWindows.hMyEdit, UM_ENDEDIT, 0, reinterpret_cast<LPARAM>(MainWindows.hWndRechts));
    EXPECT_EQ(ListState.hLVEdit, nullptr);
    EXPECT_EQ(Cell(0, 1), "01/01/2010");
    char stored[MAX_FELD_LAENGE + 1];
    ASSERT_EQ(FW_GetFeld(1, 0, stored), 0);
    EXPECT_STREQ(stored, "01/01/2010");
}

TEST_F(TreeView, ADragWhoseCaptureIsLostIsForgotten) {
    Open(Sample());
    TV_BeginDrag(MainWindows.hMyTree, Card("Home"));
    EXPECT_EQ(TreeState.nTVDragKind, TV_KIND_CARD);
    EXPECT_EQ(GetCapture(), MainWindows.hMyTree);
    ReleaseCapture(); // as Escape or another window taking the mouse would
    EXPECT_EQ(TreeState.nTVDragKind, 0u);
    TV_BeginDrag(MainWindows.hMyTree, TreeView_GetRoot(MainWindows.hWndLinks));
    EXPECT_EQ(TreeState.nTVDragKind, 0u) << "the safe is not dragged";
    EXPECT_NE(GetCapture(), MainWindows.hMyTree);
}

// Keys through the loop: a card shown and changed, an edit left unstored, the
// panes swapped.
TEST_F(TreeView, TheKeyboardShowsAChangesAndLeavesACard) {
    Open(Sample());
    TreeView_SelectItem(MainWindows.hWndLinks, Card("Home"));
    SetFocus(MainWindows.hWndLinks);
    auto press = [](WPARAM key, HWND *want) { // read after the key: the editor is a new window
        PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
            MA_RouteMessage(&m);
        EXPECT_EQ(GetFocus(), *want) << key;
    };
    press(VK_RETURN, &MainWindows.hCardView);
    press(VK_F2, &ListState.hLVEdit);
    SetWindowTextA(ListState.hLVEdit, "carol");
    press(VK_RETURN, &ListState.hLVEdit);
    SetWindowTextA(ListState.hLVEdit, "not kept");
    press(VK_ESCAPE, &MainWindows.hWndRechts);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"User|carol|0", "Password|s3cr3t!|1", "Web|mail.example.org|2", "Note|a note|3"}));
    press(VK_F6, &MainWindows.hWndLinks);
    press(VK_TAB, &MainWindows.hWndRechts);
}
