#include "config/settings.h"
#include "model/records.h"
#include "store/pda_copy.h"
#include "store/safe_state.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
SafeContents Sample() {
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, "Mail", "Mail.ico"}};
    s.fields = {{1, 0, 1, "User", 0, 30, 1}};
    s.cards = {{1, 1, 1, "Home", ""}};
    s.contents = {{1, 0, "alice"}};
    return s;
}
} // namespace

// The copy holds the safe as it stands in memory; the open safe keeps its path,
// its file and its bytes whether the copy succeeds or fails on the way.
TEST_F(SafeTest, SaveForPdaWritesACopyAndLeavesTheOpenSafeAlone) {
    const std::string path = Path("home.saf");
    ASSERT_EQ(PL_CreateDirectory(Path("pda").c_str()), 0);
    const struct {
        const char *pdaPath; // relative to the test directory; null: none set
        PL_FAULT fault;      // PL_FAULT_KINDS: none
        int rc;
        const char *message;
    } rows[] = {
        {"pda", PL_FAULT_KINDS, 0, "Notice: Backup done!"},
        {"pda", PL_FAULT_MOVE, -1, "Error: cannot write safe"},
        {"pda", PL_FAULT_WRITE, -1, "Error: cannot write safe"},
        {"missing", PL_FAULT_KINDS, -1, "Error: cannot create/open safe"},
        {nullptr, PL_FAULT_KINDS, -1, ""},
    };
    for (const auto &row : rows) {
        ReleaseSafeState();
        ASSERT_TRUE(WriteFile(path, BuildSafe(Sample())));
        ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
        MakeActive(path, "pw");
        SW_SetActiveFile(PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
        ASSERT_NE(hmySafe, nullptr);
        PL_HANDLE handle = hmySafe;
        const std::string original = ReadFile(path);
        strcpy(lpORDNERstart->cOrdnerName, "Edited");
        const std::string lists = DescribeLists();
        snprintf(Settings.PDA_Path, sizeof Settings.PDA_Path, "%s", row.pdaPath ? Path(row.pdaPath).c_str() : "");
        const std::string copy = Path("pda") + "\\home.saf";
        PL_DeleteFile(copy.c_str());
        ui.shown.clear();
        if (row.fault != PL_FAULT_KINDS)
            PL_FailCall(row.fault, 1);

        EXPECT_EQ(SW_SaveForPDA(), row.rc) << row.message;
        PL_ResetFaults();
        EXPECT_EQ(ui.shown.empty() ? "" : ui.shown.back().caption + ": " + ui.shown.back().text, row.message);
        EXPECT_STREQ(cActSafePath, path.c_str());
        EXPECT_EQ(hmySafe, handle);
        EXPECT_EQ(ReadFile(path), original) << "the open safe's file is not written";
        EXPECT_EQ(FileExists(copy), row.rc == 0) << row.message;
        if (row.rc == 0) {
            SW_DeactivateSafe();
            ReleaseSafeState();
            ASSERT_EQ(ReadSafeFile(copy, "pw"), 0);
            EXPECT_EQ(DescribeLists(), lists) << "the copy holds the safe as edited";
        } else {
            SW_DeactivateSafe();
        }
    }
}
