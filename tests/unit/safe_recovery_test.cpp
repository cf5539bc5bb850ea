#include "config/settings.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_recovery.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
const char kRecover[] = "This safe was not closed properly. Restore the changes made before?";
const char kConflict[] = "The safe was changed by another program since it was opened. Overwrite those changes?";

SafeContents One(const std::string &folder) {
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, folder, ""}};
    s.fields = {{1, 0, 1, "User", 0, 40, 0}};
    s.cards = {{1, 1, 1, "Card", ""}};
    s.contents = {{1, 0, "secret of " + folder}};
    return s;
}

class SafeRecovery : public SafeTest {
  protected:
    std::string safe;
    void SetUp() override {
        SafeTest::SetUp();
        safe = Path("home.saf");
        ASSERT_TRUE(WriteFile(safe, BuildSafe(One("Alpha"))));
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    }
    // An edit, its copy, and then the program is gone without closing the safe.
    void EditAndCrash(uint64_t copyAge) {
        strcpy(lpORDNERstart->cOrdnerName, "Edited");
        ASSERT_EQ(SW_KeepRecoveryCopy(), 0);
        ReleaseSafeState();
        uint64_t t = 0;
        ASSERT_EQ(PL_GetFileWriteTime(safe.c_str(), &t), 0);
        ASSERT_EQ(PL_SetFileWriteTime((safe + ".~rec").c_str(), t + copyAge - 50000000ull), 0);
    }
};
} // namespace

TEST_F(SafeRecovery, ACopyNewerThanItsSafeIsOfferedAndNothingGoesUnasked) {
    struct Row {
        uint64_t copyAge; // 100-ns units past the safe's time, offset by 5 s
        int answer;
        bool offered;
        const char *folder;
        bool copyKept;
    } rows[] = {
        {100000000ull, UI_IDYES, true, "Edited", true},
        {100000000ull, UI_IDNO, true, "Alpha", false},
        {0, UI_IDYES, false, "Alpha", true}, // older: a copy of a safe saved since
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.answer);
        EditAndCrash(r.copyAge);
        ui.shown.clear();
        ui.answers = {r.answer};
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
        EXPECT_EQ(!ui.shown.empty() && ui.shown[0].text == kRecover && ui.shown[0].caption == "Recover", r.offered);
        EXPECT_STREQ(lpORDNERstart->cOrdnerName, r.folder);
        EXPECT_STREQ(cActSafePath, safe.c_str());
        EXPECT_EQ(FileExists(safe + ".~rec"), r.copyKept);
        // A restored safe is written like any other and its copy goes with a normal close.
        ASSERT_EQ(SW_CloseSafe(1), 0);
        EXPECT_FALSE(FileExists(safe + ".~rec"));
        ReleaseSafeState();
        ASSERT_EQ(ReadSafeFile(safe, "pw"), 0);
        EXPECT_STREQ(lpORDNERstart->cOrdnerName, r.folder);
        ASSERT_TRUE(WriteFile(safe, BuildSafe(One("Alpha"))));
        ReleaseSafeState();
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    }
}

TEST_F(SafeRecovery, AFailedCopyNeverHarmsTheSafe) {
    std::string original = ReadFile(safe);
    for (PL_FAULT kind : {PL_FAULT_OPEN, PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        SCOPED_TRACE(kind);
        lpORDNERstart->cOrdnerName[0] = static_cast<char>('A' + kind);
        PL_FailCall(kind, 1);
        ui.shown.clear();
        EXPECT_EQ(SW_KeepRecoveryCopy(), -1);
        PL_ResetFaults();
        EXPECT_FALSE(ui.shown.empty()) << "told";
        EXPECT_EQ(ReadFile(safe), original);
        EXPECT_FALSE(FileExists(safe + ".~rec") || FileExists(safe + ".~rec.~tmp"));
        EXPECT_NE(hmySafe, nullptr);
    }
    ASSERT_EQ(SW_CloseSafe(1), 0) << "the safe itself still saves";
    EXPECT_NE(ReadFile(safe), original);
}

TEST_F(SafeRecovery, AFileChangedElsewhereIsOverwrittenOnlyWhenTheUserSaysSo) {
    FixedClock clock(LocalTime(2024, 3, 5, 7, 8));
    const std::string conflict = Path("home (conflict 2024-03-05 07-08).saf");
    for (int answer : {UI_IDNO, UI_IDYES}) {
        SCOPED_TRACE(answer);
        strcpy(lpORDNERstart->cOrdnerName, "Mine");
        std::string theirs = BuildSafe(One("Theirs"));
        ASSERT_TRUE(WriteFile(safe, theirs)); // a synced folder replaces it
        ui.shown.clear();
        ui.answers = {answer};
        ASSERT_EQ(SW_CloseSafe(1), 0);
        ASSERT_FALSE(ui.shown.empty());
        EXPECT_EQ(ui.shown[0].text, kConflict);
        EXPECT_EQ(ui.shown[0].caption, "Confirm");
        ReleaseSafeState();
        ASSERT_EQ(ReadSafeFile(safe, "pw"), 0);
        EXPECT_STREQ(lpORDNERstart->cOrdnerName, answer == UI_IDNO ? "Theirs" : "Mine");
        EXPECT_EQ(FileExists(conflict), answer == UI_IDNO);
        if (answer == UI_IDNO) {
            ReleaseSafeState();
            ASSERT_EQ(ReadSafeFile(conflict, "pw"), 0);
            EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Mine");
            ASSERT_EQ(PL_DeleteFile(conflict.c_str()), 0);
        }
        ReleaseSafeState();
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
        ui.shown.clear();
        ASSERT_EQ(SW_CloseSafe(1), 0); // unchanged elsewhere: no question
        EXPECT_TRUE(ui.shown.empty());
        ui.passwords = {"pw"};
        ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    }
}
