// "Import..." and "Export..." as a user meets them: the real main window over a
// real safe, the scripted user in the file choosers, the report and the prompts.
#include "model/default_templates.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "support/safe_builder.h"
#include "ui/ids_dialogs.h"
#include "ui/ids_exchange.h"
#include "ui/mainwnd.h"
#include "win/main_window_fixture.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

namespace {
using D = DialogDriver;

class ExchangeWindow : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_EQ(TW_InstallDefaultTemplates(), 0);
        SafeContents s;
        s.password = "pw";
        s.folders = {{1, 1, "Mail", ""}};
        s.fields = {{1, 0, 1, "User", 0, 40}};
        ASSERT_TRUE(WriteFile(Path("x.saf"), BuildSafe(s)));
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(Path("x.saf").c_str()), 0);
        UseRealDialogs();
    }
    // The file dialog's name box: the combo of the newer layout or the edit of the older.
    void Choose(const char *caption, const std::string &path) {
        driver.Expect(caption, [path](HWND d) {
            SetDlgItemTextA(d, GetDlgItem(d, 0x47c) ? 0x47c : 0x480, path.c_str());
            D::Click(d, IDOK);
        });
    }
    static int Folders() {
        int n = 0;
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            ++n;
        return n;
    }
};
} // namespace

TEST_F(ExchangeWindow, AnImportIsReportedAndUndoneWhole) {
    WriteFile(Path("in.csv"), "name,url,username,password,note\r\nForum,https://f.example,ann,\"p,w\",\r\nForum,,,,\r\n");
    std::string report;
    Choose("Import", Path("in.csv"));
    driver.Expect("Import", [&](HWND d) {
        report = D::Text(d, IDC_XW_REPORT);
        D::Click(d, IDC_XW_UNDO);
    });
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_IMPORT, 0);
    EXPECT_EQ(report, "Imported 1 folder, 2 cards, 8 fields.\r\nImported/Forum: card named \"Forum (2)\": the "
                      "folder has a card \"Forum\"\r\n");
    EXPECT_EQ(Folders(), 1) << "Undo import takes the folder and its cards out again";
    EXPECT_EQ(lpKARTEstart, nullptr);
}

TEST_F(ExchangeWindow, AnExportWithTheWrongPasswordWritesNothing) {
    Choose("Export", Path("out.xml"));
    driver.Expect("Enter Safe - Password", [](HWND d) {
        D::Type(d, IDC_SD_PASSWORD, "wrong");
        D::Click(d, IDOK);
    });
    driver.Expect("Export", [](HWND d) { D::Click(d, IDOK); });
    SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_EXPORT, 0);
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Export: Wrong password: nothing was exported."});
    EXPECT_EQ(GetFileAttributesA(Path("out.xml").c_str()), INVALID_FILE_ATTRIBUTES);
}

// With the safe's password, the export waits for the warning's answer: Cancel writes nothing.
TEST_F(ExchangeWindow, AnExportIsWrittenOnlyAfterTheWarningIsAnsweredOk) {
    for (int answer : {IDCANCEL, IDOK}) {
        Choose("Export", Path("out.xml"));
        driver.Expect("Enter Safe - Password", [](HWND d) {
            D::Type(d, IDC_SD_PASSWORD, "pw");
            D::Click(d, IDOK);
        });
        driver.Expect("Export", [answer](HWND d) { D::Click(d, answer); });
        SendMessageA(MainWindows.hWndMain, WM_COMMAND, IDM_EXPORT, 0);
        EXPECT_EQ(ReadFile(Path("out.xml")).find("<KeePassFile>") != std::string::npos, answer == IDOK) << answer;
    }
}
