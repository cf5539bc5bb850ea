#include "config/settings.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/drop_fixture.h"
#include "tools/backup.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/recover_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
const uint64_t kDay = 864000000000ull;
const uint64_t k2020 = 132223104000000000ull; // 2020-01-01 00:00 UTC

class RecoverList : public DropSafeTest {
  protected:
    void SetUp() override {
        DropSafeTest::SetUp();
        backups = Path("backups");
        ASSERT_EQ(PL_CreateDirectory(backups.c_str()), 0);
        snprintf(Settings.BackupPath, sizeof Settings.BackupPath, "%s", backups.c_str());
        Settings.BackupGenerations = 3;
        safe = Path("home.saf");
    }
    void TearDown() override {
        BW_FreeBackupList(BackupList.lpBWRECOVERstart);
        BackupList.lpBWRECOVERstart = nullptr;
        BackupList.bBackupListed = 0;
        SW_SetAutoBackup(nullptr);
        DropSafeTest::TearDown();
    }
    static std::string SafeBytes(const std::string &folder) { return DropSafeTest::SafeBytes("pw", folder); }
    void Put(const std::string &name, const std::string &bytes, uint64_t time) {
        std::string p = backups + "\\" + name;
        ASSERT_TRUE(WriteFile(p, bytes));
        ASSERT_EQ(PL_SetFileWriteTime(p.c_str(), time), 0);
    }
    static std::vector<std::string> Names(BW_BACKUPFILE *list) {
        std::vector<std::string> n;
        for (; list; list = list->next)
            n.push_back(list->cFileName);
        return n;
    }
    std::string safe, backups;
};
} // namespace

TEST_F(RecoverList, ListsSafeBackupsOldestFirstWithoutDropFiles) {
    BW_BACKUPFILE *list = reinterpret_cast<BW_BACKUPFILE *>(1);
    EXPECT_EQ(BW_ReadBackupList(backups.c_str(), &list), 0);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(BW_RecoverDialogOpen(), 0) << "the dialog then shows " BW_NO_BACKUPS_TEXT;
    EXPECT_EQ(BackupList.bBackupListed, 0);
    char chosen[128] = "";
    EXPECT_EQ(BW_RecoverDialogClick(BW_NO_BACKUPS_TEXT, chosen, sizeof chosen), -1) << "nothing can be chosen";

    Put("home.saf.0", "a", k2020 + 3 * kDay);
    Put("home.saf.1", "b", k2020 + 1 * kDay);
    Put("home.saf.df.1", "d", k2020);
    Put("work.saf.2", "c", k2020 + 2 * kDay);
    Put("home.saf.12", "e", k2020);
    Put("notes.txt", "f", k2020);
    ASSERT_EQ(BW_ReadBackupList(backups.c_str(), &list), 3);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"home.saf.1", "work.saf.2", "home.saf.0"}));
    EXPECT_EQ(list->ftLastWriteTime, k2020 + kDay);
    BW_FreeBackupList(list);

    EXPECT_EQ(BW_RecoverDialogOpen(), 3);
    EXPECT_EQ(BackupList.bBackupListed, 1);
    EXPECT_EQ(BW_RecoverDialogClick("home.saf.1", chosen, sizeof chosen), 0);
    EXPECT_STREQ(chosen, "home.saf.1");
    EXPECT_EQ(BW_RecoverDialogClick(std::string(150, 'n').c_str(), chosen, sizeof chosen), 0);
    EXPECT_EQ(strlen(chosen), 100u) << "the name field takes 100 characters";
    EXPECT_EQ(BW_RecoverDialogClick("", chosen, sizeof chosen), -1) << "no selection";

    char date[11], time[9];
    BW_FormatBackupTime(k2020 + kDay / 2, date, time); // noon, so any time zone keeps the day
    EXPECT_STREQ(date, "2020.01.01");
    EXPECT_EQ(strlen(time), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
}

TEST_F(RecoverList, OkRestoresTheGenerationWithItsDropFileAndOpensIt) {
    const std::string current = SafeBytes("Current"), backedUp = SafeBytes("Backed up");
    ASSERT_TRUE(WriteFile(safe, current));
    ASSERT_TRUE(WriteFile(safe + ".df", "current drop file"));
    Put("home.saf.1", backedUp, k2020);
    Put("home.saf.df.1", "drop file of generation 1", k2020);

    ui.answers = {UI_IDCANCEL};
    EXPECT_EQ(BW_RecoverDialogOk("home.saf.1"), -1) << "the dialog stays";
    EXPECT_EQ(ui.shown.back().text, "replace safe 'home.saf' with backup: 'home.saf.1' ?");
    EXPECT_EQ(ui.shown.back().caption, "Confirm");
    EXPECT_EQ(ui.shown.back().style, UI_MB_OKCANCEL | UI_MB_ICONQUESTION);
    EXPECT_EQ(ReadFile(safe), current);

    ui.answers = {UI_IDOK};
    ui.passwords = {"pw"};
    EXPECT_EQ(BW_RecoverDialogOk("home.saf.1"), 0);
    EXPECT_EQ(ReadFile(safe), backedUp);
    ASSERT_NE(hmySafe, nullptr) << "the restored safe is open";
    EXPECT_STREQ(cActSafePath, safe.c_str());
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Backed up");
    EXPECT_EQ(ReadFile(safe + ".df"), "drop file of generation 1");
    EXPECT_FALSE(FileExists(safe + ".~tmp"));
}

TEST_F(RecoverList, AFailedRestoreLeavesTheSafeIntact) {
    const std::string current = SafeBytes("Current");
    ASSERT_TRUE(WriteFile(safe, current));
    Put("home.saf.0", SafeBytes("Backed up"), k2020);
    for (PL_FAULT fault : {PL_FAULT_WRITE, PL_FAULT_MOVE}) {
        ui.shown.clear();
        ui.answers = {UI_IDOK};
        PL_FailCall(fault, 1);
        EXPECT_EQ(BW_RecoverDialogOk("home.saf.0"), 0) << "the dialog ends";
        PL_ResetFaults();
        EXPECT_EQ(ReadFile(safe), current) << fault;
        EXPECT_FALSE(FileExists(safe + ".~tmp"));
        EXPECT_EQ(hmySafe, nullptr) << "no safe is open";
        ASSERT_EQ(ui.shown.size(), 2u);
        EXPECT_EQ(ui.shown[1].text, "recover error (Details in logfile)!");
        EXPECT_EQ(ui.shown[1].caption, "Error");
    }
    EXPECT_NE(Log().find("*BW00* recover error - s=" + backups + "\\home.saf.0 d=" + safe + " - code: "),
              std::string::npos);
}

TEST_F(RecoverList, TheCommandClosesTheSafeAndCancelOpensItAgain) {
    ASSERT_TRUE(WriteFile(safe, SafeBytes("Mail")));
    ui.passwords = {"pw"};
    ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    strcpy(lpORDNERstart->cOrdnerName, "Edited");
    Settings.AutoBackup = true;
    BW_InstallAutoBackup();

    // Yes writes the safe back (no automatic backup), the dialog is cancelled, the safe comes back.
    ui.answers = {UI_IDYES};
    ui.passwords = {"pw"};
    ui.recoverActions = {[] {
        EXPECT_EQ(hmySafe, nullptr) << "closed while the dialog is open";
        BW_RecoverDialogOpen();
        BW_RecoverDialogCancel();
    }};
    EXPECT_EQ(BW_RecoverSafeCommand(), 0);
    EXPECT_EQ(ui.shown[0].text, "write back current safe ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.recoverDialogs, 1);
    ASSERT_NE(hmySafe, nullptr);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Edited");
    EXPECT_FALSE(FileExists(backups + "\\home.saf.0"));
    EXPECT_TRUE(Settings.AutoBackup);

    // No closes it unwritten; without a dialog it is opened again as after Cancel.
    strcpy(lpORDNERstart->cOrdnerName, "Lost");
    ui.answers = {UI_IDNO};
    ui.passwords = {"pw"};
    EXPECT_EQ(BW_RecoverSafeCommand(), 0);
    ASSERT_NE(hmySafe, nullptr);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Edited");

    // Without a backup path there is no dialog.
    Settings.BackupPath[0] = 0;
    ui.shown.clear();
    EXPECT_EQ(BW_Recover(), -1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "missing backup path");
    EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);
    // Nor through the command, which opens again the safe it closed.
    ui.shown.clear();
    ui.answers = {UI_IDNO};
    ui.passwords = {"pw"};
    EXPECT_EQ(BW_RecoverSafeCommand(), -1);
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].text, "missing backup path");
    EXPECT_NE(hmySafe, nullptr) << "the user is never left with the safe closed and no dialog";
}
