// The Options sheet, the autostart entry and the update hand-off under Wine:
// the real pages driven by a scripted user, the real registry and a stand-in
// for the updater.
#include "config/inifile.h"
#include "config/settings.h"
#include "support/temp_dir.h"
#include "tools/run_entry.h"
#include "tools/update_handoff.h"
#include "ui/ids_options.h"
#include "ui/options_sheet.h"
#include "ui/uiport_win32.h"
#include "win/dialog_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
using D = DialogDriver;

class OptionsSheet : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Options]\r\nBackupGenerations=3\r\nCryptAlgo=8\r\n"));
        II_ReadSettings();
        UI_SetPort(&port);
    }
    void TearDown() override {
        UI_SetPort(nullptr);
        EXPECT_TRUE(driver.unexpected.empty()) << "first unexpected: " << driver.unexpected.front();
        EXPECT_TRUE(driver.Done()) << "a scripted dialog never appeared";
        for (PL_REG_ROOT root : {PL_REG_LOCAL_MACHINE, PL_REG_CURRENT_USER})
            Forget(root);
        TempDirTest::TearDown();
    }
    static std::string Stored(const char *key) {
        char value[II_VALUE_SIZE];
        return II_GetString(II_SECTION_OPTIONS, key, value, INI_FILE_SETTINGS) ? value : "(none)";
    }
    // The Run value under one root; "(none)" without it.
    static std::string RunValue(PL_REG_ROOT root) {
        PL_REGKEY key;
        char text[259] = "(none)";
        if (PL_RegOpenKey(root, RG_RUN_KEY, PL_REG_READ, &key) == 0) {
            if (PL_RegGetString(key, RG_RUN_VALUE, text, sizeof text) != 0)
                snprintf(text, sizeof text, "(none)");
            PL_RegCloseKey(key);
        }
        return text;
    }
    static void Forget(PL_REG_ROOT root) {
        PL_REGKEY key;
        if (PL_RegOpenKey(root, RG_RUN_KEY, PL_REG_WRITE, &key) == 0) {
            (void)PL_RegDeleteValue(key, RG_RUN_VALUE);
            PL_RegCloseKey(key);
        }
    }
    // The sheet's page on show after selecting it.
    static HWND Page(HWND sheet, int index) {
        PropSheet_SetCurSel(sheet, nullptr, index);
        return PropSheet_GetCurrentPageHwnd(sheet);
    }
    static void Retype(HWND page, int id, const std::string &text) {
        D::Clear(page, id);
        D::Type(page, id, text);
    }
    Win32UiPort port;
    DialogDriver driver;
};
} // namespace

TEST_F(OptionsSheet, EachPageStoresWhatTheUserChose) {
    driver.Expect("Properties", [this](HWND sheet) {
        HWND p = Page(sheet, 0);
        Retype(p, IDC_OP_GENERATIONS, "7");
        Retype(p, IDC_OP_BACKUPPATH, dir);
        D::Check(p, IDC_OP_AUTOBACKUP, true);
        D::Check(Page(sheet, 1), IDC_OP_ICON32, true);
        p = Page(sheet, 2);
        D::Check(p, IDC_OP_TRAYMIN, true);
        D::Check(p, IDC_OP_AUTOSTART, true);
        Retype(p, IDC_OP_MINUTES, "5");
        D::Check(Page(sheet, 3), IDC_OP_BLOWFISH, true);
        p = Page(sheet, 4);
        Retype(p, IDC_OP_SECONDS, "30");
        D::Check(p, IDC_OP_QWFOLDER, true);
    });
    // The clicks above are posted: they are handled before OK is pressed.
    driver.Expect("Properties", [](HWND sheet) {
        EXPECT_FALSE(IsDlgButtonChecked(Page(sheet, 3), IDC_OP_AES)) << "one algorithm at a time";
        EXPECT_FALSE(IsDlgButtonChecked(Page(sheet, 1), IDC_OP_ICON24)) << "one icon size at a time";
        PropSheet_PressButton(sheet, PSBTN_OK);
    });
    OP_PropertySheet(nullptr);
    const std::pair<const char *, std::string> expected[] = {
        {"BackupGenerations", "7"}, {"BackupPath", dir},     {"AutoBackup", "yes"},     {"IconSize", "32"},
        {"TrayOnMinimize", "yes"},  {"TimeOutMinutes", "5"}, {"CryptAlgo", "9"},        {"QWMinimizeTime", "30"},
        {"QWShowFolder", "yes"},    {"StartMinimized", "no"},
    };
    for (const auto &e : expected)
        EXPECT_EQ(Stored(e.first), e.second) << e.first;
    EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("\r\nSkinfile=\r\n"), std::string::npos) << "the Windows look";
    EXPECT_EQ(Settings.CryptAlgo, 9);
    EXPECT_EQ(Settings.BackupGenerations, 7);
    EXPECT_EQ(RunValue(PL_REG_LOCAL_MACHINE), "\"" + dir + "\\orvSafe.exe\" " + dir);
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(OptionsSheet, BadGenerationsKeepTheSheetOpenAndStoreNothingOfThem) {
    driver.Expect("Properties", [this](HWND sheet) {
        Retype(Page(sheet, 0), IDC_OP_GENERATIONS, "0");
        PropSheet_PressButton(sheet, PSBTN_OK);
    });
    driver.Expect("Error", [](HWND box) { D::Click(box, IDOK); });
    driver.Expect("Properties", [](HWND sheet) {
        EXPECT_EQ(PropSheet_GetCurrentPageHwnd(sheet), PropSheet_IndexToHwnd(sheet, 0)) << "still on its page";
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    OP_PropertySheet(nullptr);
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Error: invalid backup generations (1-9)!"});
    EXPECT_EQ(Stored("BackupGenerations"), "3");
    EXPECT_EQ(Settings.BackupGenerations, 3);
}

TEST_F(OptionsSheet, TheRunEntryFallsBackToTheUsersKeyWhenTheMachineKeyIsShut) {
    const std::string value = "\"" + dir + "\\orvSafe.exe\" " + dir;
    ASSERT_EQ(RG_CreateRunEntry(), 0);
    EXPECT_EQ(RunValue(PL_REG_LOCAL_MACHINE), value);
    EXPECT_EQ(RG_HasRunEntry(), 1);
    ASSERT_EQ(RG_DeleteRunEntry(), 0);
    EXPECT_EQ(RG_HasRunEntry(), 0);

    PL_FailCall(PL_FAULT_REGISTRY, 1); // the machine-wide key refuses us
    ASSERT_EQ(RG_CreateRunEntry(), 0);
    EXPECT_EQ(RunValue(PL_REG_LOCAL_MACHINE), "(none)");
    EXPECT_EQ(RunValue(PL_REG_CURRENT_USER), value);
    EXPECT_EQ(RG_HasRunEntry(), 1);
    ASSERT_EQ(RG_DeleteRunEntry(), 0);
    EXPECT_EQ(RunValue(PL_REG_CURRENT_USER), "(none)");
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(OptionsSheet, TheUpdaterGetsItsScriptAndParameters) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string standIn(self);
    standIn = standIn.substr(0, standIn.find_last_of("\\/") + 1) + "orv_stand_in.exe";
    driver.Expect("Update", [](HWND box) { D::Click(box, IDOK); });
    EXPECT_EQ(AU_StartUpdate(4660), -1) << "no updater yet";
    EXPECT_EQ(driver.Messages(), std::vector<std::string>{"Update: update program orvSafeUpdate.exe not found"});
    Settings.TrayOnClose = true;
    ASSERT_TRUE(CopyFileA(standIn.c_str(), Path("orvSafeUpdate.exe").c_str(), FALSE));
    ASSERT_EQ(AU_StartUpdate(4660), 0);
    EXPECT_EQ(ReadFile(Path("udt_scr.ini")), "[setuporvSafe.exe]\r\nhMainHWND=4660\r\n[Parameter]\r\nApplicationPath=" +
                                                  dir + "\\orvSafe.exe\r\nApplicationName=orvSafe\r\n");
    std::string seen;
    for (int i = 0; i < 200 && seen.empty(); ++i) {
        Sleep(50);
        seen = ReadFile(Path("stand_in.txt"));
    }
    EXPECT_EQ(seen, "/udt_id orvSafe_update\r\n" + dir + "\r\n");
    EXPECT_FALSE(Settings.TrayOnClose) << "the updater's close request must end the program";
}
