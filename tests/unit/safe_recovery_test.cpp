#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_recovery.h"
#include "store/safe_state.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
SafeContents One(const std::string &folder) {
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, folder, ""}};
    return s;
}

class SafeRecovery : public SafeTest {
  protected:
    std::string safe;
    void SetUp() override {
        SafeTest::SetUp();
        safe = Path("home.saf");
        Reopen(true);
    }
    void Reopen(bool fresh) {
        ReleaseSafeState();
        ASSERT_TRUE(!fresh || WriteFile(safe, BuildSafe(One("Alpha"))));
        ui.passwords = {"pw"};
        ui.shown.clear();
        ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    }
    std::string FolderIn(const std::string &path) {
        return ReleaseSafeState(), ReadSafeFile(path, "pw") == 0 ? lpORDNERstart->cOrdnerName : "(unreadable)";
    }
};
} // namespace

TEST_F(SafeRecovery, ACopyNewerThanItsSafeIsOfferedAndNothingGoesUnasked) {
    struct {
        int64_t copyAge; // against the safe's last-write time, 100-ns units
        int answer;
        const char *folder; // what opens
        bool copyKept;
    } rows[] = {{50000000, UI_IDYES, "Edited", true}, {50000000, UI_IDNO, "Alpha", false}, {-50000000, UI_IDYES, "Alpha", true}};
    for (const auto &r : rows) {
        strcpy(lpORDNERstart->cOrdnerName, "Edited");
        ASSERT_EQ(SW_KeepRecoveryCopy(), 0);
        ReleaseSafeState(); // killed
        uint64_t t = 0;
        ASSERT_EQ(PL_GetFileWriteTime(safe.c_str(), &t), 0);
        ASSERT_EQ(PL_SetFileWriteTime((safe + ".~rec").c_str(), t + r.copyAge), 0);
        ui.answers = {r.answer};
        Reopen(false);
        bool offered = !ui.shown.empty() && ui.shown[0].caption == "Recover" &&
                       ui.shown[0].text == "This safe was not closed properly. Restore the changes made before?";
        EXPECT_EQ(offered, r.copyAge > 0);
        EXPECT_STREQ(lpORDNERstart->cOrdnerName, r.folder);
        EXPECT_EQ(FileExists(safe + ".~rec"), r.copyKept);
        ASSERT_EQ(SW_CloseSafe(1), 0); // a normal close writes the safe and removes the copy
        EXPECT_FALSE(FileExists(safe + ".~rec"));
        EXPECT_EQ(FolderIn(safe), r.folder);
        Reopen(true);
    }
}

TEST_F(SafeRecovery, AFailedCopyNeverHarmsTheSafe) {
    std::string original = ReadFile(safe);
    for (PL_FAULT kind : {PL_FAULT_OPEN, PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        lpORDNERstart->cOrdnerName[0] = static_cast<char>('A' + kind);
        PL_FailCall(kind, 1);
        EXPECT_EQ(SW_KeepRecoveryCopy(), -1) << kind;
        PL_ResetFaults();
        EXPECT_FALSE(ui.shown.empty()) << kind;
        EXPECT_EQ(ReadFile(safe), original) << kind;
        EXPECT_FALSE(FileExists(safe + ".~rec") || FileExists(safe + ".~rec.~tmp")) << kind;
    }
}

TEST_F(SafeRecovery, AFileChangedElsewhereIsOverwrittenOnlyWhenTheUserSaysSo) {
    FixedClock clock(LocalTime(2024, 3, 5, 7, 8));
    const std::string conflict = Path("home (conflict 2024-03-05 07-08).saf");
    for (int answer : {UI_IDNO, UI_IDYES}) {
        strcpy(lpORDNERstart->cOrdnerName, "Mine");
        SW_DeactivateSafe(); // a sync client does not ask our sharing
        ASSERT_TRUE(WriteFile(safe, BuildSafe(One("Theirs"))));
        SW_SetActiveFile(PL_CreateFile(safe.c_str(), PL_GENERIC_READ, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
        ui.answers = {answer};
        ASSERT_EQ(SW_CloseSafe(1), 0);
        EXPECT_EQ(ui.shown.at(0).caption + ": " + ui.shown[0].text,
                  "Confirm: The safe was changed by another program since it was opened. Overwrite those changes?");
        EXPECT_EQ(FolderIn(safe), answer == UI_IDNO ? "Theirs" : "Mine");
        EXPECT_EQ(FolderIn(conflict), answer == UI_IDNO ? "Mine" : "(unreadable)");
        PL_DeleteFile(conflict.c_str());
        Reopen(false);
        ASSERT_EQ(SW_CloseSafe(1), 0);
        EXPECT_TRUE(ui.shown.empty()) << "unchanged elsewhere: no question";
        Reopen(false);
    }
}
