// The safe dialogs as a user meets them: the real dialog templates and
// procedures under Wine, answered by a scripted user, over real safe files.
#include "config/settings.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"
#include "tools/droplist.h"
#include "ui/ids_dialogs.h"
#include "ui/safe_dialogs.h"
#include "ui/uiport_win32.h"
#include "win/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
using D = DialogDriver;

const char kEnter[] = "Enter Safe - Password";
const char kCreate[] = "Create New Safe";
const char kOpen[] = "open safe";
const char kChange[] = "Safe Password";

class SafeDialogs : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        snprintf(Settings.SafePath, sizeof Settings.SafePath, "%s", dir.c_str());
        UI_SetPort(&port); // real message boxes and dialogs
    }
    void TearDown() override {
        UI_SetPort(&ui);
        EXPECT_TRUE(driver.unexpected.empty()) << "first unexpected: " << driver.unexpected.front();
        EXPECT_TRUE(driver.Done()) << "a scripted dialog never appeared";
        SafeTest::TearDown();
    }
    std::string Put(const std::string &name, const SafeContents &spec) {
        std::string path = Path(name);
        EXPECT_TRUE(WriteFile(path, BuildSafe(spec)));
        return path;
    }
    // Opens a safe through the real password prompt.
    void OpenWith(const std::string &path, const std::string &password) {
        driver.Expect(kEnter, [password](HWND d) {
            D::Type(d, IDC_SD_PASSWORD, password);
            D::Click(d, IDOK);
        });
        ASSERT_EQ(SW_GetSafe(path.c_str()), 0);
    }
    // Whether a file opens with a password, read with the scripted port. The
    // active safe's file is let go first: it is kept open against writers.
    bool OpensWith(const std::string &path, const std::string &password) {
        if (hmySafe)
            SW_DeactivateSafe();
        UI_SetPort(&ui);
        int rc = ReadSafeFile(path, password);
        UI_SetPort(&port);
        return rc == 0;
    }
    Win32UiPort port;
    DialogDriver driver;
};
} // namespace

TEST_F(SafeDialogs, ThePasswordPromptNamesTheSafeAndTakesAtMost31Characters) {
    const std::string typed40 = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
    std::string shownName;
    int focus = 0;
    driver.Expect(kEnter, [&](HWND d) {
        shownName = D::Text(d, IDC_SD_SAFENAME);
        focus = GetDlgCtrlID(GetFocus());
        D::Type(d, IDC_SD_PASSWORD, typed40);
        EXPECT_EQ(D::Text(d, IDC_SD_PASSWORD), typed40.substr(0, 32)) << "the field accepts 32 characters";
        EXPECT_EQ(GetWindowLongA(GetDlgItem(d, IDC_SD_PASSWORD), GWL_STYLE) & ES_PASSWORD, ES_PASSWORD);
        D::Click(d, IDOK);
    });
    char password[SAFE_PASSWORD_SIZE];
    memset(password, 'x', sizeof password);
    EXPECT_EQ(SD_AskPassword("home.saf", password, sizeof password), IDOK);
    EXPECT_EQ(shownName, "home.saf");
    EXPECT_EQ(focus, IDC_SD_PASSWORD);
    EXPECT_EQ(std::string(password), typed40.substr(0, 31));

    driver.Expect(kEnter, [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "secret");
        D::Click(d, IDCANCEL);
    });
    EXPECT_EQ(SD_AskPassword("home.saf", password, sizeof password), IDCANCEL);
    for (char c : password)
        EXPECT_EQ(c, 0) << "a cancelled prompt hands nothing back";
}

TEST_F(SafeDialogs, AWrongOrCancelledPasswordLeavesTheActiveSafeAloneAndWritesNothing) {
    std::string a = Put("a.saf", Small("pw-a", "Alpha"));
    std::string b = Put("b.saf", Small("pw-b", "Beta"));
    OpenWith(a, "pw-a");
    strcpy(lpORDNERstart->cOrdnerName, "Edited");
    const std::string aBytes = ReadFile(a), bBytes = ReadFile(b);

    // The bare name "b" is b.saf in SafePath; the wrong password is refused and
    // the dialog stays with the focus on the path.
    int focusAfterWrong = 0, focusAfterCancel = 0;
    driver.Expect(kOpen, [](HWND d) {
        D::Type(d, IDC_SD_PATH, "b");
        D::Click(d, IDOK);
    });
    driver.Expect(kEnter, [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "wrong");
        D::Click(d, IDOK);
    });
    std::string errorOwner;
    driver.Expect("Error", [&](HWND d) {
        char owner[64] = {};
        GetWindowTextA(GetWindow(d, GW_OWNER), owner, sizeof owner);
        errorOwner = owner;
        D::Click(d, IDOK);
    });
    driver.Expect(kOpen, [&](HWND d) {
        focusAfterWrong = GetDlgCtrlID(GetFocus());
        D::Click(d, IDOK); // the same path again, and this time the prompt is cancelled
    });
    driver.Expect(kEnter, [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "pw-b");
        D::Click(d, IDCANCEL);
    });
    driver.Expect(kOpen, [&](HWND d) {
        focusAfterCancel = GetDlgCtrlID(GetFocus());
        D::Click(d, IDCANCEL);
    });
    EXPECT_EQ(SD_OpenSafeDialog(), IDCANCEL);

    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Error: error in encrypt safe"})
        << "a cancelled prompt shows nothing";
    EXPECT_EQ(errorOwner, kOpen) << "the message keeps the dialog under it from being used";
    EXPECT_EQ(focusAfterWrong, IDC_SD_PATH);
    EXPECT_EQ(focusAfterCancel, IDC_SD_PATH);
    EXPECT_STREQ(cActSafePath, a.c_str());
    EXPECT_STREQ(cActPasswort, "pw-a");
    EXPECT_NE(hmySafe, nullptr);
    EXPECT_EQ(tmpSafe, nullptr) << "the working file is closed";
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Edited");
    EXPECT_EQ(ReadFile(a), aBytes) << "nothing written";
    EXPECT_EQ(ReadFile(b), bBytes);
}

TEST_F(SafeDialogs, OpeningThroughTheDialogWritesTheActiveSafeAndShowsTheNewOne) {
    std::string a = Put("a.saf", Small("", "Alpha"));
    std::string b = Put("b.saf", Small("pw-b", "Beta"));
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0) << "no password, no prompt";
    strcpy(lpORDNERstart->cOrdnerName, "Edited");
    std::string ownerOfPrompt;
    driver.Expect(kOpen, [&](HWND d) {
        D::Type(d, IDC_SD_PATH, b);
        D::Click(d, IDOK);
    });
    driver.Expect(kEnter, [&](HWND d) {
        char owner[64] = {};
        GetWindowTextA(GetWindow(d, GW_OWNER), owner, sizeof owner);
        ownerOfPrompt = owner;
        D::Type(d, IDC_SD_PASSWORD, "pw-b");
        D::Click(d, IDOK);
    });
    EXPECT_EQ(SD_OpenSafeDialog(), IDOK);
    EXPECT_EQ(ownerOfPrompt, kOpen) << "the prompt belongs to the open dialog";
    EXPECT_STREQ(cActSafePath, b.c_str());
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Beta");
    ASSERT_TRUE(OpensWith(a, ""));
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Edited") << "the first safe was written before the switch";
}

TEST_F(SafeDialogs, TheBrowseButtonNeedsASafePathAndOffersSafeFiles) {
    Put("a.saf", Small("", "Alpha"));
    std::string chosen;
    driver.Expect(kOpen, [](HWND d) { D::Click(d, IDC_SD_BROWSE); });
    driver.Expect("Select Safe", [](HWND d) {
        // The file name box of the file dialog: the combo of the newer layout or the edit of the older.
        int id = GetDlgItem(d, 0x47c) ? 0x47c : 0x480;
        SetDlgItemTextA(d, id, "a.saf");
        D::Click(d, IDOK);
    });
    driver.Expect(kOpen, [&](HWND d) {
        chosen = D::Text(d, IDC_SD_PATH);
        Settings.SafePath[0] = 0;
        D::Click(d, IDC_SD_BROWSE);
    });
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    driver.Expect(kOpen, [](HWND d) { D::Click(d, IDCANCEL); });
    EXPECT_EQ(SD_OpenSafeDialog(), IDCANCEL);
    EXPECT_EQ(chosen, Path("a.saf"));
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Error: missing safe path"});
    EXPECT_EQ(cActSafePath[0], 0) << "nothing opened";
}

TEST_F(SafeDialogs, CreatingASafeChecksItsFieldsAndWritesTheNewFile) {
    const std::string typed32 = "0123456789abcdefghijklmnopqrstuv";
    std::vector<int> focus;
    driver.Expect(kCreate, [&](HWND d) {
        focus.push_back(GetDlgCtrlID(GetFocus()));
        D::Type(d, IDC_SD_PASSWORD, "one");
        D::Type(d, IDC_SD_CONFIRM, "two");
        D::Click(d, IDOK);
    });
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    driver.Expect(kCreate, [&](HWND d) {
        focus.push_back(GetDlgCtrlID(GetFocus()));
        D::Clear(d, IDC_SD_PASSWORD);
        D::Clear(d, IDC_SD_CONFIRM);
        D::Type(d, IDC_SD_PASSWORD, typed32);
        D::Type(d, IDC_SD_CONFIRM, typed32);
        D::Click(d, IDOK);
    });
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    driver.Expect(kCreate, [&](HWND d) {
        focus.push_back(GetDlgCtrlID(GetFocus()));
        D::Type(d, IDC_SD_NAME, "home");
        D::Click(d, IDOK);
    });
    EXPECT_EQ(SD_CreateSafeDialog(), IDOK);
    EXPECT_EQ(driver.Messages(),
              (std::vector<std::string>{"Error: passwords doesn't match!", "Error: please enter safename"}));
    EXPECT_TRUE(driver.AllStop()) << "errors show the stop icon";
    EXPECT_EQ(focus, (std::vector<int>{IDC_SD_NAME, IDC_SD_PASSWORD, IDC_SD_NAME}));

    const std::string home = Path("home.saf");
    EXPECT_STREQ(cActSafePath, home.c_str());
    EXPECT_EQ(std::string(cActPasswort), typed32.substr(0, 31)) << "the 32nd character is not taken";
    ASSERT_TRUE(FileExists(home));
    EXPECT_TRUE(OpensWith(home, typed32.substr(0, 31)));
    EXPECT_FALSE(OpensWith(home, typed32.substr(0, 30)));
    EXPECT_EQ(lpORDNERstart, nullptr) << "a new safe has no folders";

    // Typing the same 32 characters at the prompt opens it.
    OpenWith(home, typed32);
    EXPECT_STREQ(cActSafePath, home.c_str());
}

TEST_F(SafeDialogs, CreateWithoutPasswordAndTheAutomaticPassword) {
    bool enabledAfterCheck = true, enabledAfterUncheck = false;
    std::string generated, confirm;
    bool maskedBefore = false, shownAfter = false;
    driver.Expect(kCreate, [&](HWND d) {
        maskedBefore = SendDlgItemMessageA(d, IDC_SD_PASSWORD, EM_GETPASSWORDCHAR, 0, 0) != 0;
        D::Click(d, IDC_SD_AUTOMATIC);
    });
    driver.Expect(kCreate, [&](HWND d) {
        shownAfter = SendDlgItemMessageA(d, IDC_SD_PASSWORD, EM_GETPASSWORDCHAR, 0, 0) == 0 &&
                     SendDlgItemMessageA(d, IDC_SD_CONFIRM, EM_GETPASSWORDCHAR, 0, 0) == 0;
        generated = D::Text(d, IDC_SD_PASSWORD);
        confirm = D::Text(d, IDC_SD_CONFIRM);
        D::Check(d, IDC_SD_NOPASSWORD, true);
    });
    driver.Expect(kCreate, [&](HWND d) {
        enabledAfterCheck = D::Enabled(d, IDC_SD_PASSWORD) || D::Enabled(d, IDC_SD_CONFIRM) ||
                            D::Enabled(d, IDC_SD_AUTOMATIC);
        D::Check(d, IDC_SD_NOPASSWORD, false);
    });
    driver.Expect(kCreate, [&](HWND d) {
        enabledAfterUncheck = D::Enabled(d, IDC_SD_PASSWORD) && D::Enabled(d, IDC_SD_CONFIRM) &&
                              D::Enabled(d, IDC_SD_AUTOMATIC);
        D::Check(d, IDC_SD_NOPASSWORD, true);
    });
    driver.Expect(kCreate, [](HWND d) {
        D::Type(d, IDC_SD_NAME, "open");
        D::Click(d, IDOK);
    });
    EXPECT_EQ(SD_CreateSafeDialog(), IDOK);
    EXPECT_TRUE(maskedBefore) << "typed passwords are masked";
    EXPECT_TRUE(shownAfter) << "a generated password is shown, or nobody would know it";
    EXPECT_EQ(generated.size(), 10u);
    EXPECT_EQ(generated, confirm);
    EXPECT_FALSE(enabledAfterCheck);
    EXPECT_TRUE(enabledAfterUncheck);
    EXPECT_EQ(ActSafeHeader.nPasswort, 0u) << "the generated password is dropped with \"without Password\"";
    EXPECT_TRUE(OpensWith(Path("open.saf"), ""));
}

TEST_F(SafeDialogs, ChangingThePasswordReEnvelopesTheSafeAtTheNextWrite) {
    std::string a = Put("a.saf", Small("old-pw", "Alpha"));
    OpenWith(a, "old-pw");
    std::string name;
    bool checked = true;
    int focusAfterMismatch = 0;
    driver.Expect(kChange, [&](HWND d) {
        name = D::Text(d, IDC_SD_SAFENAME);
        checked = IsDlgButtonChecked(d, IDC_SD_NOPASSWORD) == BST_CHECKED;
        D::Type(d, IDC_SD_PASSWORD, "new-pw");
        D::Type(d, IDC_SD_CONFIRM, "new-px");
        D::Click(d, IDOK);
    });
    driver.Expect("Error", [](HWND d) { D::Click(d, IDOK); });
    driver.Expect(kChange, [&](HWND d) {
        focusAfterMismatch = GetDlgCtrlID(GetFocus());
        D::Click(d, IDCANCEL);
    });
    EXPECT_EQ(SD_ChangePasswordDialog(), IDCANCEL);
    EXPECT_EQ(name, "a.saf");
    EXPECT_FALSE(checked);
    EXPECT_EQ(focusAfterMismatch, IDC_SD_PASSWORD);
    EXPECT_STREQ(cActPasswort, "old-pw") << "a mismatch and Cancel keep the old password";

    driver.Expect(kChange, [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "new-pw");
        D::Type(d, IDC_SD_CONFIRM, "new-pw");
        D::Click(d, IDOK);
    });
    EXPECT_EQ(SD_ChangePasswordDialog(), IDOK);
    EXPECT_STREQ(cActPasswort, "new-pw");
    EXPECT_EQ(ActSafeHeader.nPasswort, 1u);
    const std::string before = ReadFile(a);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    EXPECT_NE(ReadFile(a), before);
    EXPECT_FALSE(OpensWith(a, "old-pw"));
    EXPECT_TRUE(OpensWith(a, "new-pw"));
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Alpha");
}

TEST_F(SafeDialogs, WithoutPasswordWritesThePlainSafeAndTheNextDialogShowsIt) {
    std::string a = Put("a.saf", Small("old-pw", "Alpha"));
    OpenWith(a, "old-pw");
    driver.Expect(kChange, [](HWND d) {
        D::Check(d, IDC_SD_NOPASSWORD, true);
        D::Click(d, IDOK);
    });
    EXPECT_EQ(SD_ChangePasswordDialog(), IDOK);
    EXPECT_EQ(ActSafeHeader.nPasswort, 0u);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    EXPECT_NE(ReadFile(a).find("text of Alpha"), std::string::npos) << "no encryption at all";

    bool checked = false, passwordEnabled = true;
    driver.Expect(kChange, [&](HWND d) {
        checked = IsDlgButtonChecked(d, IDC_SD_NOPASSWORD) == BST_CHECKED;
        passwordEnabled = D::Enabled(d, IDC_SD_PASSWORD) || D::Enabled(d, IDC_SD_AUTOMATIC);
        D::Click(d, IDCANCEL);
    });
    EXPECT_EQ(SD_ChangePasswordDialog(), IDCANCEL);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(passwordEnabled);
}

TEST_F(SafeDialogs, ThePasswordCannotChangeWhileFilesAreInTheDroplist) {
    std::string a = Put("a.saf", Small("pw", "Alpha"));
    OpenWith(a, "pw");
    ASSERT_TRUE(WriteFile(Path("doc.txt"), "x"));
    ASSERT_EQ(DW_AddDropList(Path("doc.txt").c_str(), 0, 0), 0);
    driver.Expect("Notice", [](HWND d) { D::Click(d, IDOK); });
    EXPECT_EQ(SD_ChangePasswordDialog(), IDCANCEL);
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Notice: not allowed: Files already in droplist!"});
    EXPECT_TRUE(driver.AllStop());
    EXPECT_STREQ(cActPasswort, "pw");
    DW_FreeDroptabelle();
}

TEST_F(SafeDialogs, MessagesAndDialogsBelongToTheMainWindow) {
    HWND main = CreateWindowExA(0, "STATIC", "orvSafe", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 100, 100, 600, 400,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr);
    MainWindows.hWndMain = main;
    std::string owner;
    HICON icon = nullptr;
    driver.Expect("Confirm", [&](HWND d) {
        char caption[64] = {};
        GetWindowTextA(GetWindow(d, GW_OWNER), caption, sizeof caption);
        owner = caption;
        icon = reinterpret_cast<HICON>(SendDlgItemMessageA(d, 0x0440, STM_GETICON, 0, 0));
        D::Click(d, IDNO);
    });
    EXPECT_EQ(UI_MessageBox("write back current safe ?", "Confirm", UI_MB_YESNOCANCEL | UI_MB_ICONQUESTION), UI_IDNO);
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Confirm: write back current safe ?"});
    EXPECT_EQ(owner, "orvSafe");
    EXPECT_EQ(icon, LoadIconA(nullptr, MAKEINTRESOURCEA(32514))) << "the question mark";

    // A dialog sits in the middle of the main window.
    RECT rcMain, rcDlg = {};
    GetWindowRect(main, &rcMain);
    driver.Expect(kCreate, [&](HWND d) {
        GetWindowRect(d, &rcDlg);
        char caption[64] = {};
        GetWindowTextA(GetWindow(d, GW_OWNER), caption, sizeof caption);
        owner = caption;
        D::Click(d, IDCANCEL);
    });
    EXPECT_EQ(SD_CreateSafeDialog(), IDCANCEL);
    EXPECT_EQ(owner, "orvSafe");
    EXPECT_NEAR((rcDlg.left + rcDlg.right) / 2, (rcMain.left + rcMain.right) / 2, 2);
    EXPECT_NEAR((rcDlg.top + rcDlg.bottom) / 2, (rcMain.top + rcMain.bottom) / 2, 2);
    EXPECT_EQ(cActSafePath[0], 0) << "Cancel creates nothing";
    MainWindows.hWndMain = nullptr;
    DestroyWindow(main);
}
