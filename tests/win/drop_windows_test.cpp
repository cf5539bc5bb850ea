// The drop window and the "Recover" dialog as a user meets them: real windows
// made with the main window, real drops built as the shell builds them, the
// scripted user answering the real message boxes and dialogs, over real files.
#include "config/inifile.h"
#include "config/settings.h"
#include "model/records.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "support/drop_fixture.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/recover_list.h"
#include "ui/drop_window.h"
#include "ui/ids_dialogs.h"
#include "ui/ids_drop.h"
#include "ui/mainwnd.h"
#include "ui/statusbar.h"
#include "ui/uiport_win32.h"
#include "win/main_window_fixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
using D = DialogDriver;

class DroppingOnWindows : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        safe = OpenSafe("home.saf", "pw");
        UseRealDialogs();
    }
    // A drop as the shell hands it over: a DROPFILES block and the paths, each
    // ended by a zero, the list by one more.
    static HDROP MakeDrop(const std::vector<std::string> &paths) {
        std::string names;
        for (const std::string &p : paths)
            names += p + '\0';
        names += '\0';
        HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
        auto *df = static_cast<DROPFILES *>(GlobalLock(h));
        df->pFiles = sizeof(DROPFILES);
        memcpy(reinterpret_cast<char *>(df) + sizeof(DROPFILES), names.data(), names.size());
        GlobalUnlock(h);
        return static_cast<HDROP>(h);
    }
    // Dropped, with the question answered OK; then the steps given.
    void Drop(HWND target, const std::vector<std::string> &paths, const std::vector<std::string> &notices = {}) {
        driver.Expect("Cryptography", [](HWND d) { D::Click(d, IDOK); });
        for (const std::string &caption : notices)
            driver.Expect(caption, [](HWND d) { D::Click(d, IDOK); });
        SendMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
    static std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        int n = static_cast<int>(SendMessageA(MainWindows.hDropListWnd, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[300] = {};
            LVITEMA it = {};
            it.pszText = text;
            it.cchTextMax = sizeof text;
            SendMessageA(MainWindows.hDropListWnd, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&it));
            rows.push_back(text);
        }
        return rows;
    }
    static std::string DropStatus(int part) {
        char text[64] = {};
        SendMessageA(MainWindows.hDropStatusWnd, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static DWORD Attr(const std::string &p) { return GetFileAttributesA(p.c_str()); }
    void ExpectPassword() {
        driver.Expect("Enter Safe - Password", [](HWND d) {
            D::Type(d, IDC_SD_PASSWORD, "pw");
            D::Click(d, IDOK);
        });
    }
    std::string safe;
};
} // namespace

TEST_F(DroppingOnWindows, DroppedFilesAndAFolderAreEncryptedListedAndDecryptedByRightClick) {
    const std::string big = Path("big.bin"), small = Path("small.txt"), folder = Path("docs");
    const std::string inner = folder + "\\inner.txt";
    std::string bigBytes(70000, '\0');
    for (size_t i = 0; i < bigBytes.size(); ++i)
        bigBytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(WriteFile(big, bigBytes));
    ASSERT_TRUE(WriteFile(small, "small"));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteFile(inner, "inside"));
    ASSERT_TRUE(SetFileAttributesA(small.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::vector<std::string> items = {big, small, folder, inner};
    std::vector<DWORD> before;
    for (const std::string &p : items)
        before.push_back(Attr(p));

    Drop(MainWindows.hDropWnd, {big, small, folder});
    ASSERT_TRUE(driver.Done());
    for (const std::string &p : {big, small, inner}) {
        std::string bytes = ReadFile(p);
        ASSERT_FALSE(bytes.empty()) << p;
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x30u) << p << " is an envelope";
        EXPECT_TRUE(Attr(p) & FILE_ATTRIBUTE_HIDDEN) << p;
    }
    std::vector<std::string> expected = {big, small, folder};
    std::sort(expected.rbegin(), expected.rend());
    EXPECT_EQ(Rows(), expected) << "the dropped items, newest name first; the folder's member is not listed";
    EXPECT_EQ(DropStatus(1), "Folder:");
    EXPECT_EQ(DropStatus(2), "    1");
    EXPECT_EQ(DropStatus(3), "Files:");
    EXPECT_EQ(DropStatus(4), "     2");
    EXPECT_TRUE(IsWindowVisible(MainWindows.hDropWnd));
    EXPECT_TRUE(IsWindowVisible(MainWindows.hWndMain)) << "shown again after the progress window hid it";
    // The drop file holds what the list shows.
    const std::string chain = Chain();
    DW_FreeDroptabelle();
    DW_ResetDropCounters();
    ASSERT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), 0);
    EXPECT_EQ(Chain(), chain);

    // A right click on the selected rows decrypts them, after the question.
    ListView_SetItemState(MainWindows.hDropListWnd, -1, LVIS_SELECTED, LVIS_SELECTED);
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDOK); });
    NMHDR click = {MainWindows.hDropListWnd, IDC_DROPLIST, static_cast<UINT>(NM_RCLICK)};
    SendMessageA(MainWindows.hDropWnd, WM_NOTIFY, IDC_DROPLIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"Cryptography: Crypt files(s) ?        ", "Confirm: decrypt ?"}));
    EXPECT_EQ(ReadFile(big), bigBytes);
    EXPECT_EQ(ReadFile(small), "small");
    EXPECT_EQ(ReadFile(inner), "inside");
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(Attr(items[i]), before[i]) << items[i];
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hDropWnd)) << "an empty droplist hides the window";
    EXPECT_FALSE(FileExists(safe + DROPFILE_SUFFIX));
    SetFileAttributesA(small.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The rows come in the order a list sorting its own items gives them, one
// added at a time or all sorted at once.
TEST_F(DroppingOnWindows, TheListOrdersItsRowsAsASortedListWould) {
    const char *const names[] = {"C:\\b.txt", "C:\\B.txt", "C:\\a-b", "C:\\ab",    "C:\\_x",
                                 "C:\\10.doc", "C:\\9.doc", "C:\\\xe9t\xe9", "C:\\e", "C:\\ f"};
    HWND sorted = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT | LVS_SORTDESCENDING, 0, 0, 10, 10,
                                  MainWindows.hDropWnd, nullptr, nullptr, nullptr);
    for (const char *name : names) {
        ASSERT_EQ(DW_AddDropList(name, KZ_FILE, FILE_ATTRIBUTE_NORMAL), 0);
        LVITEMA it = {};
        it.mask = LVIF_TEXT;
        it.pszText = const_cast<char *>(name);
        SendMessageA(sorted, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
    std::vector<std::string> want;
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i) {
        char text[300] = {};
        LVITEMA it = {};
        it.pszText = text;
        it.cchTextMax = sizeof text;
        SendMessageA(sorted, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&it));
        want.push_back(text);
    }
    DestroyWindow(sorted);
    EXPECT_EQ(Rows(), want);
    DW_FillList();
    EXPECT_EQ(Rows(), want);
}

TEST_F(DroppingOnWindows, TheOpenSafeDroppedOnTheMainWindowIsRefused) {
    const std::string bytes = ReadFile(safe);
    Drop(MainWindows.hWndMain, {safe}, {"Fehler"});
    EXPECT_EQ(driver.Messages(),
              (std::vector<std::string>{"Cryptography: Crypt files(s) ?        ", "Fehler: File " + safe + " not allowed"}));
    EXPECT_EQ(ReadFile(safe), bytes);
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(MainWindows.hWndMain, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

// A plain minimise leaves the drop window as it is; going to the tray switches
// it off, and off it stays.
TEST_F(DroppingOnWindows, TheTraySwitchesTheWindowOffAndAPlainMinimiseLeavesIt) {
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDT_SHOWCRYPTED, 0);
    EXPECT_TRUE(IsWindowVisible(MainWindows.hDropWnd));
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDT_SHOWCRYPTED, 0);
    EXPECT_TRUE(IsWindowVisible(MainWindows.hDropWnd));
    ShowWindow(MainWindows.hWndMain, SW_SHOW);
    Settings.TrayOnMinimize = false;
    SendMessageA(MainWindows.hWndMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(MainWindows.hWndMain)) << "the default handling";
    EXPECT_TRUE(IsWindowVisible(MainWindows.hDropWnd));
    EXPECT_EQ(DW_WindowActive(), 1);
    ShowWindow(MainWindows.hWndMain, SW_RESTORE);
    Settings.TrayOnMinimize = true;
    SendMessageA(MainWindows.hWndMain, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(MainWindows.hWndMain));
    EXPECT_FALSE(IsWindowVisible(MainWindows.hDropWnd));
    EXPECT_EQ(DW_WindowActive(), 0);
    EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("CryptWindowActive=no"), std::string::npos);
    DestroyWindow(MainWindows.hWndMain);
    EXPECT_FALSE(MainModes.bDropShownAtEnd);
    EXPECT_EQ(MainWindows.hDropListWnd, nullptr);
}

TEST_F(DroppingOnWindows, TheRecoveryFileFillsTheListOfASafeOpenedWithoutDropFile) {
    const std::string file = Path("listed.txt"), recover = Path("orvrecover.txt");
    ASSERT_TRUE(WriteFile(file, "already encrypted elsewhere"));
    ASSERT_TRUE(WriteFile(recover, file + "\r\n"));
    ASSERT_EQ(SW_CloseSafe(0), 0);
    ExpectPassword();
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDYES); });
    ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Confirm: Droplist recoverfile exist! Proceed ?"});
    EXPECT_EQ(Rows(), std::vector<std::string>{file});
    EXPECT_EQ(DropStatus(4), "     1");
    EXPECT_FALSE(FileExists(recover)) << "read once and deleted";
}

namespace {
// Three generations of home.saf, each with its own folder name, written at
// times that make 1 the oldest and 0 the newest, and a drop-file backup.
class RecoverWindow : public DroppingOnWindows {
  protected:
    void SetUp() override {
        DroppingOnWindows::SetUp();
        backups = Path("backups");
        ASSERT_TRUE(CreateDirectoryA(backups.c_str(), nullptr));
        snprintf(Settings.BackupPath, sizeof Settings.BackupPath, "%s", backups.c_str());
        const struct {
            int generation;
            int day;
        } gens[] = {{0, 3}, {1, 1}, {2, 2}};
        for (const auto &g : gens) {
            std::string p = backups + "\\home.saf." + std::to_string(g.generation);
            ASSERT_TRUE(WriteFile(p, SafeBytes("pw", "Gen" + std::to_string(g.generation))));
            SYSTEMTIME st = {2021, 3, 0, static_cast<WORD>(g.day), 12, 0, 0, 0};
            FILETIME ft;
            SystemTimeToFileTime(&st, &ft);
            HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            SetFileTime(h, nullptr, nullptr, &ft);
            CloseHandle(h);
        }
        // Generation 1's drop file lists one item, under the same password.
        listed = Path("listed.txt");
        ASSERT_EQ(DW_AddDropList(listed.c_str(), KZ_FILE, FILE_ATTRIBUTE_ARCHIVE), 0);
        ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
        ASSERT_TRUE(WriteFile(backups + "\\home.saf.df.1", ReadFile(safe + DROPFILE_SUFFIX)));
        DW_FreeDroptabelle();
        DW_ResetDropCounters();
        ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
        ASSERT_FALSE(FileExists(safe + DROPFILE_SUFFIX));
    }
    void TearDown() override {
        DroppingOnWindows::TearDown();
        BackupList.bBackupListed = 0; // kept for the run by the program, not beyond a test
    }
    static std::vector<std::string> Row(HWND list, int item) {
        std::vector<std::string> cells;
        for (int sub = 0; sub < 3; ++sub) {
            char text[100] = {};
            ListView_GetItemText(list, item, sub, text, sizeof text);
            cells.push_back(text);
        }
        return cells;
    }
    static void ClickRow(HWND d, int item) {
        HWND list = GetDlgItem(d, IDC_RECOVER_LIST);
        ListView_SetItemState(list, item, LVIS_SELECTED, LVIS_SELECTED);
        NMHDR click = {list, IDC_RECOVER_LIST, static_cast<UINT>(NM_CLICK)};
        SendMessageA(d, WM_NOTIFY, IDC_RECOVER_LIST, reinterpret_cast<LPARAM>(&click));
    }
    std::string backups, listed;
};
} // namespace

TEST_F(RecoverWindow, ListsTheGenerationsOldestFirstAndBringsTheChosenOneBack) {
    std::vector<std::vector<std::string>> rows;
    bool okAtFirst = true, okAfterClick = false;
    std::string chosen;
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDNO); });
    driver.Expect("Recover", [&](HWND d) {
        HWND list = GetDlgItem(d, IDC_RECOVER_LIST);
        for (int i = 0; i < ListView_GetItemCount(list); ++i)
            rows.push_back(Row(list, i));
        HWND header = ListView_GetHeader(list);
        for (int i = 0; i < 3; ++i) {
            char title[64] = {};
            HDITEMA hd = {};
            hd.mask = HDI_TEXT;
            hd.pszText = title;
            hd.cchTextMax = sizeof title;
            SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&hd));
            rows.push_back({title});
        }
        okAtFirst = D::Enabled(d, IDOK);
        ClickRow(d, 0);
        okAfterClick = D::Enabled(d, IDOK);
        chosen = D::Text(d, IDC_RECOVER_NAME);
        D::Click(d, IDOK);
    });
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDOK); });
    ExpectPassword();
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_RECOVERSAFE, 0);

    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"home.saf.1", "2021.03.01", rows[0][2]}));
    EXPECT_EQ(rows[1][0], "home.saf.2");
    EXPECT_EQ(rows[2][0], "home.saf.0");
    EXPECT_EQ(rows[2][1], "2021.03.03");
    EXPECT_EQ(rows[2][2].size(), 8u) << "hour:min:sec";
    EXPECT_EQ(rows[3][0], "File");
    EXPECT_EQ(rows[4][0], "Date (year.month.day)");
    EXPECT_EQ(rows[5][0], "Time (hour:min:sec)");
    EXPECT_FALSE(okAtFirst);
    EXPECT_TRUE(okAfterClick);
    EXPECT_EQ(chosen, "home.saf.1");
    EXPECT_EQ(driver.Messages(), (std::vector<std::string>{"Confirm: write back current safe ?",
                                                           "Confirm: replace safe 'home.saf' with backup: 'home.saf.1' ?"}));
    ASSERT_NE(hmySafe, nullptr);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Gen1");
    EXPECT_EQ(Rows(), std::vector<std::string>{listed}) << "its drop file came back with it";
}

TEST_F(RecoverWindow, CancelChangesNothingAndOpensTheClosedSafeAgain) {
    const std::string bytes = ReadFile(safe);
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDNO); });
    driver.Expect("Recover", [](HWND d) {
        ClickRow(d, 2);
        D::Click(d, IDCANCEL);
    });
    ExpectPassword();
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_RECOVERSAFE, 0);
    EXPECT_EQ(ReadFile(safe), bytes);
    EXPECT_FALSE(FileExists(safe + DROPFILE_SUFFIX));
    ASSERT_NE(hmySafe, nullptr);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Mail");

    // Without a backup path the user is told, and the safe comes back all the same.
    Settings.BackupPath[0] = 0;
    driver.Expect("Confirm", [](HWND d) { D::Click(d, IDNO); });
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    ExpectPassword();
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_RECOVERSAFE, 0);
    EXPECT_EQ(driver.Messages().back(), "Error: missing backup path");
    EXPECT_NE(hmySafe, nullptr);
}
