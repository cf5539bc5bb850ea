#include "config/settings.h"
#include "crypto/kdf.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
class SafeLifecycle : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        snprintf(Settings.SafePath, sizeof Settings.SafePath, "%s", dir.c_str());
    }
    std::string Put(const std::string &name, const SafeContents &spec) {
        std::string path = Path(name);
        EXPECT_TRUE(WriteFile(path, BuildSafe(spec)));
        return path;
    }
    std::string Ini() { return ReadFile(Path("orvsafe.ini")); }
};
} // namespace

TEST_F(SafeLifecycle, OpeningAskesForThePasswordAndMakesTheSafeActive) {
    std::string a = Put("a.saf", Small("pw-a", "Alpha"));
    ui.passwords = {"pw-a"};
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    EXPECT_EQ(ui.passwordPrompts, std::vector<std::string>{"a.saf"}) << "the prompt names the safe";
    EXPECT_NE(hmySafe, nullptr);
    EXPECT_EQ(tmpSafe, nullptr);
    EXPECT_STREQ(cActSafePath, a.c_str());
    EXPECT_STREQ(cActPasswort, "pw-a");
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Alpha");
    ASSERT_FALSE(ui.safeEvents.empty());
    EXPECT_EQ(ui.safeEvents.back().first, SW_EVENT_OPENED);
    EXPECT_NE(Ini().find("LastSafe=" + a), std::string::npos);
}

TEST_F(SafeLifecycle, CancelOrAWrongPasswordLeavesTheActiveSafeAlone) {
    std::string a = Put("a.saf", Small("", "Alpha"));
    std::string b = Put("b.saf", Small("pw-b", "Beta"));
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    strcpy(lpORDNERstart->cOrdnerName, "Edited");
    std::string aBytes = ReadFile(a);

    EXPECT_EQ(SW_GetSafe(b.c_str()), -1) << "cancelled";
    ui.passwords = {"wrong"};
    EXPECT_EQ(SW_GetSafe(b.c_str()), -1);
    EXPECT_EQ(ui.shown.back().text, "error in encrypt safe");
    EXPECT_STREQ(cActSafePath, a.c_str());
    EXPECT_NE(hmySafe, nullptr);
    EXPECT_EQ(tmpSafe, nullptr) << "the working file is closed";
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Edited") << "the lists are the active safe's";
    EXPECT_EQ(ReadFile(a), aBytes) << "nothing written";
    for (char c : std::string(cTmpPasswort, SAFE_PASSWORD_SIZE))
        EXPECT_EQ(c, 0) << "the working password is wiped";
}

TEST_F(SafeLifecycle, OpeningASecondSafeWritesTheFirstBeforeReadingTheSecond) {
    std::string a = Put("a.saf", Small("", "Alpha"));
    std::string b = Put("b.saf", Small("pw-b", "Beta"));
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    strcpy(lpORDNERstart->cOrdnerName, "Edited");
    ui.passwords = {"pw-b"};
    ASSERT_EQ(SW_GetSafe(b.c_str()), 0);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Beta");
    EXPECT_NE(ReadFile(a).find("Edited"), std::string::npos);
    EXPECT_EQ(SW_CloseSafe(1), 0);
    EXPECT_EQ(hmySafe, nullptr);
    EXPECT_EQ(ui.safeEvents.back().first, SW_EVENT_CLOSED);
}

TEST_F(SafeLifecycle, ASafeThatCannotBeWrittenStaysActiveWhenAnotherIsOpened) {
    std::string a = Put("a.saf", Small("", "Alpha"));
    std::string b = Put("b.saf", Small("pw-b", "Beta"));
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    strcpy(lpORDNERstart->cOrdnerName, "Edited");
    std::string aBytes = ReadFile(a);
    ui.passwords = {"pw-b"};
    PL_FailCall(PL_FAULT_WRITE, 1);
    EXPECT_EQ(SW_GetSafe(b.c_str()), -1);
    PL_ResetFaults();
    EXPECT_EQ(ui.shown.back().text, "cannot write safe");
    EXPECT_STREQ(cActSafePath, a.c_str());
    EXPECT_NE(hmySafe, nullptr);
    EXPECT_EQ(tmpSafe, nullptr);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Edited") << "the edit is still there to be saved";
    EXPECT_EQ(ReadFile(a), aBytes);
    ASSERT_EQ(SW_CloseSafe(1), 0);
    EXPECT_NE(ReadFile(a).find("Edited"), std::string::npos);
}

TEST_F(SafeLifecycle, CreatingASafeWritesOnlyItsHeaderAndControlBlock) {
    std::string typed(32, 'k'); // the field takes 32, the program uses 31
    SW_FOCUS focus;
    ASSERT_EQ(SW_CreateSafeOK("home", typed.c_str(), typed.c_str(), false, &focus), 0);
    std::string path = Path("home.saf");
    EXPECT_STREQ(cActSafePath, path.c_str());
    EXPECT_EQ(std::string(cActPasswort), std::string(31, 'k'));
    EXPECT_EQ(ui.safeEvents.back(), std::make_pair(SW_EVENT_CREATED, path));
    std::string bytes = ReadFile(path);
    ASSERT_GE(bytes.size(), 16u);
    uint32_t control = static_cast<unsigned char>(bytes[12]) | static_cast<unsigned char>(bytes[13]) << 8;
    EXPECT_EQ(bytes.size(), 16u + control) << "header and control block, nothing else";
    EXPECT_EQ(bytes[0], 1) << "with a password";

    EXPECT_EQ(SW_CloseSafe(1), 0);
    ui.passwords = {typed};
    EXPECT_EQ(SW_GetSafe(path.c_str()), 0) << "the same 32 characters typed again open it";
}

TEST_F(SafeLifecycle, CreateChecksItsFields) {
    SW_FOCUS focus;
    EXPECT_EQ(SW_CreateSafeOK("x", "one", "two", false, &focus), -1);
    EXPECT_EQ(ui.shown.back().text, "passwords doesn't match!");
    EXPECT_EQ(focus, SW_FOCUS_PASSWORD);
    EXPECT_EQ(SW_CreateSafeOK("", "pw", "pw", false, &focus), -1);
    EXPECT_EQ(ui.shown.back().text, "please enter safename");
    EXPECT_EQ(focus, SW_FOCUS_NAME);
    ASSERT_EQ(SW_CreateSafeOK("plain", "ignored", "differs", true, &focus), 0) << "without a password";
    EXPECT_EQ(ActSafeHeader.nPasswort, 0u);
    EXPECT_EQ(SW_CloseSafe(1), 0);
    std::string before = ReadFile(Path("plain.saf"));
    EXPECT_EQ(SW_CreateSafeOK("plain", "", "", true, &focus), -1) << "an existing safe is never replaced";
    EXPECT_EQ(focus, SW_FOCUS_NAME);
    EXPECT_EQ(ReadFile(Path("plain.saf")), before);
}

TEST_F(SafeLifecycle, ANewSafeStartsWithNothingOfTheOldOne) {
    SafeContents s = Small("", "Alpha");
    s.notes = {{"old note"}};
    s.cardFields = {{1, 0, 1, "Own", 0, 10, 0}};
    s.profiles = {{1, "P", "PC", "01012006"}};
    s.icons = {{0, 1, "Trash", 1, 1}};
    std::string a = Put("a.saf", s);
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    SW_FOCUS focus;
    ASSERT_EQ(SW_CreateSafeOK("fresh", "", "", true, &focus), 0);
    EXPECT_EQ(DescribeLists(), "");
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(Path("fresh.saf"), ""), 0);
    EXPECT_EQ(DescribeLists(), "");
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(a, ""), 0);
    EXPECT_NE(DescribeLists().find("[old note]"), std::string::npos) << "the old safe kept its own";
}

TEST_F(SafeLifecycle, TheOpenDialogTakesBareNamesAndPaths) {
    char path[SAFE_PATH_SIZE];
    SW_BuildSafePath("home", path, sizeof path);
    EXPECT_EQ(std::string(path), dir + "\\home.saf");
    SW_BuildSafePath("E:home.saf", path, sizeof path);
    EXPECT_STREQ(path, "E:home.saf");
    SW_BuildSafePath("C:\\x\\y.saf", path, sizeof path);
    EXPECT_STREQ(path, "C:\\x\\y.saf");

    Put("home.saf", Small("", "Home"));
    SW_FOCUS focus;
    EXPECT_EQ(SW_OpenSafeOK("", &focus), -1);
    EXPECT_EQ(ui.shown.back().text, "please enter safename");
    ASSERT_EQ(SW_OpenSafeOK("home", &focus), 0);
    EXPECT_STREQ(lpORDNERstart->cOrdnerName, "Home");
    EXPECT_EQ(SW_OpenSafeOK("missing", &focus), -1);
    EXPECT_EQ(focus, SW_FOCUS_PATH);
    EXPECT_EQ(ui.shown.back().text, "cannot open safe");

    Settings.SafePath[0] = 0;
    EXPECT_EQ(SW_OpenSafeBrowse(), -1);
    EXPECT_EQ(ui.shown.back().text, "missing safe path");
}

TEST_F(SafeLifecycle, ChangingThePasswordReachesTheFileWithTheNextSave) {
    std::string a = Put("a.saf", Small("old", "Alpha"));
    ui.passwords = {"old"};
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    SW_FOCUS focus;
    EXPECT_EQ(SW_ChangePasswordOK("new", "other", false, &focus), -1);
    EXPECT_EQ(ui.shown.back().text, "passwords doesn't match!");
    EXPECT_STREQ(cActPasswort, "old");
    ASSERT_EQ(SW_ChangePasswordOK("", "", true, &focus), 0);
    EXPECT_EQ(ActSafeHeader.nPasswort, 0u);
    EXPECT_EQ(SW_CloseSafe(1), 0);
    EXPECT_NE(ReadFile(a).find("text of Alpha"), std::string::npos) << "saved without any encryption";
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    EXPECT_EQ(ui.passwordPrompts.size(), 1u) << "no password asked any more";
}

TEST_F(SafeLifecycle, AFailingLastSafeIsNotTriedAgain) {
    Settings.OpenLastSafe = true;
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nLastSafe=" + Path("gone.saf") + "\r\n"));
    EXPECT_EQ(SW_OpenLastSafe(), -1);
    EXPECT_NE(Ini().find("LastSafe=\r\n"), std::string::npos) << Ini();

    std::string a = Put("a.saf", Small("pw", "Alpha"));
    ASSERT_TRUE(WriteFile(Path("orvsafe.ini"), "[Settings]\r\nLastSafe=" + a + "\r\n"));
    EXPECT_EQ(SW_OpenLastSafe(), -1) << "the prompt was cancelled";
    EXPECT_NE(Ini().find("LastSafe=\r\n"), std::string::npos);
}

// Closing a safe (by command, by the time-out or by opening another) forgets the
// keys derived from its password: opening it again derives them anew.
TEST_F(SafeLifecycle, ClosingASafeForgetsTheKeysOfItsPassword) {
    std::string a = Put("a.saf", Small("pw-a", "Alpha"));
    std::string b = Put("b.saf", Small("", "Beta"));
    for (int how : {0, 1, 2}) { // close, close with save, open a safe without password
        SCOPED_TRACE(how);
        ui.passwords = {"pw-a"};
        ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
        ASSERT_EQ(how < 2 ? SW_CloseSafe(how) : SW_GetSafe(b.c_str()), 0);
        long before = KDF_DerivationCount();
        ui.passwords = {"pw-a"};
        ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
        EXPECT_GT(KDF_DerivationCount(), before);
        ASSERT_EQ(SW_CloseSafe(0), 0);
    }
}
