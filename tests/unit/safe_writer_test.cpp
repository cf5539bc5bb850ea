#include "config/settings.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
SafeContents Rich(const std::string &password) {
    SafeContents s;
    s.password = password;
    s.folders = {{1, 1, "Bank", "bank", 1, 2}, {4, 2, "Web", "globe", 0, 0}};
    s.fields = {{1, 0, 1, "IBAN", 0, 34, 1}, {1, 1, 2, "PIN", 1, 8, 0}, {4, 0, 1, "URL", 2, 250, 1}};
    s.cards = {{1, 2, 1, "Giro", "card", 0, 0}, {4, 7, 1, "Shop", "", 1, 3}, {4, 9, 2, "Empty", "", 0, 0}};
    s.contents = {{2, 0, "DE00 1234 5678"}, {2, 1, "4711"}, {7, 0, std::string(250, 'u')}, {9, 0, ""}};
    s.cardFields = {{9, 0, 1, "Own field", 0, 30, 0}};
    s.notes = {{"first note\r\nsecond line", 0x0085FFFF, 0, 5, 6, 300, 200, "241206", "0930"}, {"x"}};
    s.profiles = {{1, "Office", "PC-1", "01032006", 1600, 1200}, {2, "Home", "PC-2", "02032006"}};
    s.icons = {{0, 1, "Trash", 10, 20}, {1, 1, "", -5, 7}, {0, 2, "Computer", 100, 200}};
    return s;
}

class SafeWriter : public SafeTest {
  protected:
    // Reads a sample into the lists and makes it the active safe at `path`.
    void LoadActive(const SafeContents &spec, const std::string &path) {
        ASSERT_TRUE(WriteFile(path, BuildSafe(spec)));
        ASSERT_EQ(ReadSafeFile(path, spec.password), 0);
        MakeActive(path, spec.password);
        SW_SetActiveFile(PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
        ASSERT_NE(hmySafe, nullptr);
    }
};
} // namespace

TEST_F(SafeWriter, SavedSafesReadBackIdenticallyForEveryCipher) {
    for (int algo : {8, 9, 4, 10, 0}) {
        for (std::string pw : {std::string(), std::string("p\xe4ssw\xf6rd of 31 characters......")}) {
            if (algo != 8 && pw.empty())
                continue;
            ASSERT_TRUE(pw.empty() || pw.size() == 31) << pw.size();
            ReleaseSafeState();
            Settings.CryptAlgo = algo;
            std::string path = Path("round.saf");
            LoadActive(Rich(pw), path);
            std::string before = DescribeLists();
            ASSERT_EQ(SW_PutSafe(0, 0), 0) << algo;
            EXPECT_NE(hmySafe, nullptr) << "the new file is the active one";
            EXPECT_EQ(DescribeLists(), before) << "writing leaves the lists alone";
            EXPECT_FALSE(FileExists(path + ".~tmp"));
            ReleaseSafeState();
            ASSERT_EQ(ReadSafeFile(path, pw), 0) << algo;
            EXPECT_EQ(DescribeLists(), before) << algo << " " << pw;
            EXPECT_TRUE(ui.shown.empty());
        }
    }
}

TEST_F(SafeWriter, TextsAreInClearOnlyWithoutAPassword) {
    std::string path = Path("plain.saf");
    LoadActive(Rich(""), path);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    SW_DeactivateSafe();
    std::string bytes = ReadFile(path);
    for (const char *t : {"DE00 1234 5678", "4711", "first note", "Trash", "Computer", "Bank", "IBAN", "Giro"})
        EXPECT_NE(bytes.find(t), std::string::npos) << t;
    EXPECT_EQ(bytes.substr(4, 8), std::string("\1\0\0\0\x0b\0\0\0", 8)) << "written as version 1.11";

    ReleaseSafeState();
    path = Path("secret.saf");
    LoadActive(Rich("pw"), path);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    SW_DeactivateSafe();
    bytes = ReadFile(path);
    for (const char *t : {"DE00", "4711", "first note", "Trash", "Computer", "ORVSAFE"})
        EXPECT_EQ(bytes.find(t), std::string::npos) << t;
    for (const char *t : {"Bank", "IBAN", "Giro", "Own field", "Office", "NOTIZ_ID", "FTC_ID", "DESKTOP_ID"})
        EXPECT_NE(bytes.find(t), std::string::npos) << "names stay readable: " << t;
}

TEST_F(SafeWriter, AllEmptyContentsStillGetATextBlock) {
    SafeContents s;
    s.password = "pw";
    s.folders = {{1, 1, "F", ""}};
    s.fields = {{1, 0, 1, "Name", 0, 20, 0}};
    s.cards = {{1, 1, 1, "Card", ""}};
    s.contents = {{1, 0, ""}};
    s.notes = {{"note after empty contents"}};
    std::string path = Path("empty.saf");
    LoadActive(s, path);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    std::string before = DescribeLists();
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    EXPECT_EQ(DescribeLists(), before);
    EXPECT_NE(before.find("[note after empty contents]"), std::string::npos);
}

TEST_F(SafeWriter, NotesWithoutTextAreDroppedOnSave) {
    std::string path = Path("notes.saf");
    LoadActive(Rich("pw"), path);
    NOTIZ *empty = NW_AppendNote("NW_M_02");
    empty->crBackground = 1;
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    int n = 0;
    for (NOTIZ *x = lpNOTIZstart; x; x = x->next)
        ++n;
    EXPECT_EQ(n, 2);
    ReleaseSafeState();
    ASSERT_EQ(ReadSafeFile(path, "pw"), 0);
    n = 0;
    for (NOTIZ *x = lpNOTIZstart; x; x = x->next)
        ++n;
    EXPECT_EQ(n, 2);
}

TEST_F(SafeWriter, NoActiveSafeWritesNothing) {
    EXPECT_EQ(SW_PutSafe(0, 0), 0);
    EXPECT_EQ(SW_PutSafe(1, 0), 0);
    EXPECT_FALSE(FileExists(Path("orvsafe.log")));
}

// The records reach the disk in blocks: a safe with a password and a large one
// without, whose records and texts fill several blocks, and one whose text
// block is larger than a block.
namespace {
SafeContents Large(const std::string &password) {
    SafeContents s = Rich(password);
    for (uint32_t i = 0; i < 1500; ++i)
        s.contents.push_back({7, 0, std::string(200 + i % 50, static_cast<char>('a' + i % 26))});
    return s;
}
} // namespace

TEST_F(SafeWriter, AFailedWriteAtAnyPointLeavesTheOldSafeAsItWas) {
    for (const SafeContents &spec : {Rich("pw"), Large(""), Large("pw")}) {
        SCOPED_TRACE(spec.contents.size());
        ReleaseSafeState();
        std::string path = Path("keep.saf");
        LoadActive(spec, path);
        std::string original = ReadFile(path);
        std::string lists = DescribeLists();
        // Change something so a completed save would differ.
        strcpy(lpORDNERstart->cOrdnerName, "Changed");

        PL_ResetFaults();
        ASSERT_EQ(SW_PutSafe(0, 0), 0); // count the writes of one save
        int writes = PL_CallCount(PL_FAULT_WRITE);
        ASSERT_GE(writes, 4); // header, control block, the sections, the log line
        ASSERT_TRUE(WriteFile(path + ".orig", original));
        SW_DeactivateSafe();
        ASSERT_EQ(PL_MoveFileEx((path + ".orig").c_str(), path.c_str(), PL_MOVE_REPLACE_EXISTING), 0);
        SW_ForgetSafeFile(); // the old safe as if just opened

        // The last write of a save is its "saved" line in the program log.
        for (int n = 1; n < writes; ++n) {
            hmySafe =
                PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0);
            ASSERT_NE(hmySafe, nullptr);
            ui.shown.clear();
            PL_ResetFaults();
            PL_FailCall(PL_FAULT_WRITE, n);
            EXPECT_EQ(SW_PutSafe(0, 0), -1) << "write " << n;
            PL_ResetFaults();
            ASSERT_FALSE(ui.shown.empty()) << n;
            EXPECT_EQ(ui.shown.back().text, "cannot write safe") << n;
            EXPECT_NE(hmySafe, nullptr) << "the old safe stays open";
            EXPECT_EQ(ReadFile(path), original) << "write " << n;
            EXPECT_FALSE(FileExists(path + ".~tmp")) << n;
            SW_DeactivateSafe();
        }
        for (PL_FAULT kind : {PL_FAULT_FLUSH, PL_FAULT_MOVE, PL_FAULT_OPEN}) {
            hmySafe =
                PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0);
            PL_FailCall(kind, 1);
            EXPECT_EQ(SW_PutSafe(0, 0), -1) << kind;
            PL_ResetFaults();
            EXPECT_EQ(ReadFile(path), original) << kind;
            EXPECT_FALSE(FileExists(path + ".~tmp")) << kind;
            SW_DeactivateSafe();
        }
        // And the old safe still opens with what it held.
        std::string changed = DescribeLists();
        ReleaseSafeState();
        ASSERT_EQ(ReadSafeFile(path, spec.password), 0);
        EXPECT_EQ(DescribeLists(), lists);
        EXPECT_NE(changed, lists);
    }
}

TEST_F(SafeWriter, InconsistentListsAreRefused) {
    std::string path = Path("bad.saf");
    LoadActive(Rich(""), path);
    std::string original = ReadFile(path);
    RecordCounts.nOrdnerCount = 5;
    ORDNER *keep = lpORDNERstart;
    lpORDNERstart = nullptr;
    EXPECT_EQ(SW_PutSafe(0, 0), -1);
    lpORDNERstart = keep;
    EXPECT_EQ(ui.shown.back().text, "error: safe could be destroyed, please recover");
    EXPECT_NE(Log().find("*SW07* error: lpORDNERstart = 00000000, nOrdnerCount = 5"),
              std::string::npos);
    EXPECT_EQ(ReadFile(path), original);
}
