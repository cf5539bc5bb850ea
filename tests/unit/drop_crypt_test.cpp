#include "config/settings.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/cms_builder.h"
#include "support/drop_fixture.h"
#include "tools/drop_crypt.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace testsupport;

namespace {
class DropCrypt : public DropSafeTest {
  protected:
    void SetUp() override {
        DropSafeTest::SetUp();
        safe = OpenSafe("home.saf", "pw");
        data = Path("data");
        ASSERT_EQ(PL_CreateDirectory(data.c_str()), 0);
    }
    std::string Make(const std::string &path, size_t size, unsigned seed) {
        std::string bytes = PatternBytes(size, seed);
        EXPECT_TRUE(WriteFile(path, bytes));
        contents[path] = bytes;
        return path;
    }
    void Dir(const std::string &path) { ASSERT_EQ(PL_CreateDirectory(path.c_str()), 0); }
    // Attributes of every path the test made, read now.
    std::map<std::string, uint32_t> Attributes(const std::vector<std::string> &paths) {
        std::map<std::string, uint32_t> a;
        for (auto &p : paths)
            a[p] = PL_GetFileAttributes(p.c_str());
        return a;
    }
    int Drop(const std::vector<std::string> &paths) {
        std::vector<const char *> p;
        for (auto &s : paths)
            p.push_back(s.c_str());
        return DW_CryptFiles(p.data(), static_cast<uint32_t>(p.size()));
    }
    int Decrypt(const std::vector<std::string> &paths) {
        std::vector<const char *> p;
        for (auto &s : paths)
            p.push_back(s.c_str());
        return DW_DecryptSelection(p.data(), static_cast<uint32_t>(p.size()));
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> t;
        for (auto &m : ui.shown)
            t.push_back(m.caption + ": " + m.text);
        return t;
    }
    std::string safe, data;
    std::map<std::string, std::string> contents;
};
} // namespace

TEST_F(DropCrypt, DropOfTwoFilesAndAFolderThenDecryptingRestoresEveryByteAndAttribute) {
    std::string a = Make(data + "\\a.txt", 100, 1);
    std::string b = Make(data + "\\b.doc", 30000, 2); // large: with the progress window
    std::string photos = data + "\\photos", sub = photos + "\\sub";
    Dir(photos);
    Dir(sub);
    std::string p1 = Make(photos + "\\p1.jpg", 5000, 3);
    std::string p2 = Make(photos + "\\p2.jpg", 0, 4);
    std::string p3 = Make(sub + "\\p3.jpg", 70000, 5);
    std::string p4 = Make(sub + "\\p4.jpg", 1, 6);
    ASSERT_EQ(PL_SetFileAttributes(b.c_str(), PL_GetFileAttributes(b.c_str()) | PL_ATTR_READONLY), 0);
    ASSERT_EQ(PL_SetFileAttributes(p1.c_str(), PL_GetFileAttributes(p1.c_str()) | PL_ATTR_READONLY), 0);
    ASSERT_EQ(PL_SetFileAttributes(p4.c_str(), PL_GetFileAttributes(p4.c_str()) | PL_ATTR_HIDDEN), 0);
    std::vector<std::string> all = {a, b, photos, sub, p1, p2, p3, p4};
    auto before = Attributes(all);

    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({a, b, photos}), 0);
    ASSERT_EQ(Texts(), std::vector<std::string>{"Cryptography: Crypt files(s) ?        "});
    EXPECT_EQ(ui.shown[0].style, UI_MB_OKCANCEL | UI_MB_ICONQUESTION | UI_MB_TOPMOST);
    EXPECT_EQ(DropCounts.nDropFileCount, 2u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 1u);
    EXPECT_EQ(DropCounts.nDropCount, 8u);
    EXPECT_EQ(Chain(), a + " 1 1 " + std::to_string(before[a]) + "\n" +         //
                           b + " 2 1 " + std::to_string(before[b]) + "\n" +     //
                           photos + " 3 2 " + std::to_string(before[photos]) + "\n" +
                           p1 + " 4 16 " + std::to_string(before[p1]) + "\n" + //
                           p2 + " 5 16 " + std::to_string(before[p2]) + "\n" + //
                           sub + " 6 16 " + std::to_string(before[sub]) + "\n" +
                           p3 + " 7 16 " + std::to_string(before[p3]) + "\n" + //
                           p4 + " 8 16 " + std::to_string(before[p4]) + "\n");
    for (auto &p : {a, b, p1, p3, p4}) {
        EXPECT_NE(ReadFile(p), contents[p]) << p << " is encrypted";
        EXPECT_EQ(PL_GetFileAttributes(p.c_str()) & (PL_ATTR_HIDDEN | PL_ATTR_READONLY), uint32_t(PL_ATTR_HIDDEN)) << p;
        EXPECT_FALSE(FileExists(p + ".cks"));
    }
    EXPECT_TRUE(PL_GetFileAttributes(photos.c_str()) & PL_ATTR_HIDDEN);
    EXPECT_TRUE(PL_GetFileAttributes(sub.c_str()) & PL_ATTR_HIDDEN);

    // What the windows were told: shown, listed, counted.
    EXPECT_EQ(DW_WindowActive(), 1);
    EXPECT_TRUE(ui.dropWindowShown);
    EXPECT_GE(ui.mainWindowShows, 1);
    ASSERT_EQ(ui.dropItems.size(), 3u);
    EXPECT_EQ(ui.dropItems[0].filename, photos);
    EXPECT_EQ(ui.dropItems[0].image, 1);
    ASSERT_FALSE(ui.dropCounts.empty());
    EXPECT_EQ(ui.dropCounts.back(), std::make_pair(1u, 2u));
    // The small file went without a progress window, the large one and the folder with one.
    ASSERT_EQ(ui.progressOpens, (std::vector<std::string>{b, photos + "\\*"}));
    EXPECT_EQ(ui.progressMax, 50);
    EXPECT_GT(ui.progressSteps, 0);
    EXPECT_FALSE(ui.progressShown);

    // The drop file holds all eight entries under the safe's password.
    std::string dropFile = safe + ".df";
    ASSERT_TRUE(FileExists(dropFile));
    EXPECT_EQ(ReadFile(dropFile).find("photos"), std::string::npos);
    std::string chain = Chain();
    DW_FreeDroptabelle();
    DW_ResetDropCounters();
    ASSERT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), 0);
    EXPECT_EQ(Chain(), chain);
    EXPECT_EQ(DropCounts.nDropCount, 8u);

    ui.shown.clear();
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Decrypt({a, photos, b}), 0);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Confirm: decrypt ?"});
    for (auto &p : {a, b, p1, p2, p3, p4})
        EXPECT_TRUE(ReadFile(p) == contents[p]) << p << " has its bytes back";
    EXPECT_EQ(Attributes(all), before) << "every attribute is back";
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_EQ(DropCounts.nDropCount, 0u);
    EXPECT_EQ(DropCounts.nDropFileCount, 0u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 0u);
    EXPECT_FALSE(FileExists(dropFile)) << "an empty droplist has no drop file";
    EXPECT_EQ(DW_WindowActive(), 0) << "the window hides when nothing is left";
    EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("CryptWindowActive=no"), std::string::npos);
    EXPECT_EQ(ui.dropCounts.back(), std::make_pair(0u, 0u));
}

TEST_F(DropCrypt, RefusedItemsAreNamedAndLeftAlone) {
    std::string roDir = data + "\\ro", missing = data + "\\missing.txt";
    Dir(roDir);
    ASSERT_EQ(PL_SetFileAttributes(roDir.c_str(), PL_ATTR_READONLY), 0);
    std::string plain = Make(data + "\\plain.txt", 10, 1);
    std::vector<std::string> refused = {missing, safe, safe + ".df"};
    if (PL_GetFileAttributes(roDir.c_str()) & PL_ATTR_READONLY) // Wine keeps no read-only folders
        refused.insert(refused.begin(), roDir);
    // Attributes the file system may not keep (Wine keeps no temporary or offline bit).
    for (uint32_t bit : {uint32_t(PL_ATTR_SYSTEM), uint32_t(PL_ATTR_TEMPORARY), uint32_t(PL_ATTR_OFFLINE)}) {
        std::string p = Make(data + "\\attr" + std::to_string(bit), 10, bit);
        if (PL_SetFileAttributes(p.c_str(), bit) == 0 && (PL_GetFileAttributes(p.c_str()) & bit))
            refused.push_back(p);
    }
    std::vector<std::string> dropped = refused;
    dropped.push_back(plain);
    dropped.push_back(plain);

    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop(dropped), 0);
    std::vector<std::string> expected = {"Cryptography: Crypt files(s) ?        "};
    for (auto &p : refused)
        expected.push_back("Fehler: File " + p + " not allowed");
    expected.push_back("Notice: File: " + plain + " already crypted!");
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(DropCounts.nDropCount, 1u);
    EXPECT_STREQ(lpDROPLISTstart->filename, plain.c_str());
    for (auto &p : refused) {
        if (contents.count(p)) {
            EXPECT_TRUE(ReadFile(p) == contents[p]) << p;
        }
    }
    PL_SetFileAttributes(roDir.c_str(), PL_ATTR_NORMAL);
}

TEST_F(DropCrypt, AReadOnlyFileThatCannotBeMadeWritableIsWriteProtected) {
    std::string p = Make(data + "\\ro.txt", 10, 1);
    uint32_t ro = PL_GetFileAttributes(p.c_str()) | PL_ATTR_READONLY;
    ASSERT_EQ(PL_SetFileAttributes(p.c_str(), ro), 0);
    PL_FailCall(PL_FAULT_ATTRIBUTES, 1);
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({p}), 0);
    EXPECT_EQ(Texts().back(), "Fehler: File " + p + " is write protected");
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_TRUE(ReadFile(p) == contents[p]);
    EXPECT_EQ(PL_GetFileAttributes(p.c_str()), ro);

    // Encryption that fails (a full disk) leaves no entry and the file read-only.
    PL_ResetFaults();
    PL_FailCall(PL_FAULT_WRITE, 1, 50);
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({p}), 0);
    PL_ResetFaults();
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_TRUE(ReadFile(p) == contents[p]);
    EXPECT_EQ(PL_GetFileAttributes(p.c_str()), ro);
    EXPECT_FALSE(FileExists(p + ".cks"));
    PL_SetFileAttributes(p.c_str(), PL_ATTR_NORMAL);
}

TEST_F(DropCrypt, NoPasswordOrCancelChangesNothing) {
    std::string p = Make(data + "\\a.txt", 10, 1);
    ui.answers = {UI_IDCANCEL};
    EXPECT_EQ(Drop({p}), -1);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ReadFile(p) == contents[p]);

    EXPECT_EQ(SW_CloseSafe(0), 0);
    ui.shown.clear();
    EXPECT_EQ(Drop({p}), -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: please enter safe password first!"});
    EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);

    // A safe without a password cannot encrypt anything either.
    OpenSafe("open.saf", "");
    ui.shown.clear();
    EXPECT_EQ(Drop({p}), -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: please enter safe password first!"});
    EXPECT_TRUE(ReadFile(p) == contents[p]);

    ui.shown.clear();
    ui.answers = {UI_IDCANCEL};
    EXPECT_EQ(Decrypt({p}), -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Confirm: decrypt ?"});
}

TEST_F(DropCrypt, FolderSizeCountsWhatAWalkWouldEncrypt) {
    std::string f = data + "\\f", sub = f + "\\sub";
    Dir(f);
    Dir(sub);
    Make(f + "\\a", 100, 1);
    Make(sub + "\\b", 250, 2);
    std::string ro = Make(f + "\\ro", 1000, 3);
    ASSERT_EQ(PL_SetFileAttributes(ro.c_str(), PL_ATTR_READONLY), 0);
    EXPECT_EQ(DW_GetFolderSize(f.c_str()), 350u);
    EXPECT_EQ(DW_GetFolderSize((data + "\\none").c_str()), 0u);
    PL_SetFileAttributes(ro.c_str(), PL_ATTR_NORMAL);
}

TEST_F(DropCrypt, AFolderOfEmptyFilesIsDecryptedWholeToo) {
    std::string f = data + "\\empty", sub = f + "\\sub";
    Dir(f);
    Dir(sub);
    std::string e1 = Make(f + "\\e1", 0, 1), e2 = Make(sub + "\\e2", 0, 2);
    auto before = Attributes({f, sub, e1, e2});
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({f}), 0);
    EXPECT_EQ(DropCounts.nDropCount, 4u);
    EXPECT_TRUE(PL_GetFileAttributes(e2.c_str()) & PL_ATTR_HIDDEN);
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Decrypt({f}), 0);
    EXPECT_EQ(DropCounts.nDropCount, 0u) << "no member is left behind";
    EXPECT_EQ(Attributes({f, sub, e1, e2}), before);
}

TEST_F(DropCrypt, TheOpenSafeAndItsDropFileAreNeverEncrypted) {
    std::string box = data + "\\box";
    Dir(box);
    std::string other = Make(box + "\\letter.txt", 300, 9);
    std::string boxSafe = OpenSafe("box.saf", "pw2", box);
    std::string safeBytes = ReadFile(boxSafe);
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({box}), 0);
    EXPECT_EQ(DW_IsInDropList(boxSafe.c_str()), 0);
    EXPECT_EQ(DW_IsInDropList((boxSafe + ".df").c_str()), 0);
    EXPECT_EQ(DW_IsInDropList(other.c_str()), 1);
    EXPECT_EQ(ReadFile(boxSafe), safeBytes);
    ASSERT_EQ(SW_PutSafe(0, 0), 0) << "the safe is still ours to write";
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Decrypt({box}), 0);
    EXPECT_TRUE(ReadFile(other) == contents[other]);
}

// The program's own files and folders are refused in any spelling, and a walk
// passes them over: encrypted, they would be written over in plain or appended
// to (settings, logs, backups) and never decrypt again.
TEST_F(DropCrypt, TheProgramsOwnFilesAreRefusedHoweverTheyAreSpelt) {
    for (const char *name : {"orvsafe.ini", "orvtemplate.ini", "orvcategory.dat", "orvsafe.log", "orvcrypt.log",
                             "orvtrace.log", "orvrecover.txt"})
        Make(Path(name), 50, 1);
    const std::string box = data + "\\box", backup = box + "\\Backup generations", pda = data + "\\pda";
    for (auto &d : {box, backup, pda})
        Dir(d);
    const std::string generation = Make(backup + "\\home.saf.1", 300, 2), copy = Make(pda + "\\home.saf", 300, 3);
    const std::string letter = Make(box + "\\letter.txt", 300, 4);
    snprintf(Settings.BackupPath, sizeof Settings.BackupPath, "%s", backup.c_str());
    snprintf(Settings.PDA_Path, sizeof Settings.PDA_Path, "%s", pda.c_str());
    std::vector<std::string> spellings = {dir, dir + "\\orvsafe.ini", data + "\\..\\orvtemplate.ini",
                                          dir + "/orvcategory.dat", dir + "\\.\\orvsafe.log",
                                          data + "\\..\\.\\orvcrypt.log", Path("orvtrace.log"), Path("orvrecover.txt"),
                                          backup, generation, pda + "\\", copy, data + "\\..\\home.saf", safe + ".df"};
    char shortName[300];
    if (PL_GetShortPathName(generation.c_str(), shortName, sizeof shortName) == 0 && generation != shortName)
        spellings.push_back(shortName); // Windows: "BACKUP~1"
#ifdef _WIN32
    spellings.push_back(Path("ORVSAFE.INI"));
#else
    std::string target = backup, link = data + "\\link";
    for (auto *p : {&target, &link})
        std::replace(p->begin(), p->end(), '\\', '/');
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    spellings.push_back(data + "\\link\\home.saf.1");
#endif
    ASSERT_TRUE(WriteFile(safe + ".df", "the drop file"));
    auto before = contents;
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop(spellings), 0);
    std::vector<std::string> expected = {"Cryptography: Crypt files(s) ?        "};
    for (auto &p : spellings)
        expected.push_back("Fehler: File " + p + " not allowed");
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(lpDROPLISTstart, nullptr);

    // A folder holding the backup folder: the rest is encrypted, the backups are passed over.
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({box}), 0);
    EXPECT_EQ(DW_IsInDropList(letter.c_str()), 1);
    EXPECT_EQ(DropCounts.nDropCount, 2u) << "the dropped folder and the letter alone";
    EXPECT_NE(Log().find("*DW04* the program's own file, not encrypted: " + backup),
              std::string::npos);
    for (auto &p : {letter, Path("orvsafe.ini"), Path("orvsafe.log")}) // the program writes the last two itself
        before.erase(p);
    for (auto &[path, bytes] : before)
        EXPECT_TRUE(ReadFile(path) == bytes) << path;
}

#ifndef _WIN32
// Links inside a dropped folder (to a folder or a file elsewhere) are passed
// over: nothing outside the dropped folder is encrypted or counted.
TEST_F(DropCrypt, AWalkDoesNotFollowLinksOutOfTheDroppedFolder) {
    std::string outside = data + "\\outside", f = data + "\\f";
    Dir(outside);
    Dir(f);
    std::string o1 = Make(outside + "\\o1.txt", 400, 1), o2 = Make(outside + "\\o2.txt", 500, 2);
    std::string a = Make(f + "\\a.txt", 100, 3);
    auto Native = [](std::string p) {
        std::replace(p.begin(), p.end(), '\\', '/');
        return p;
    };
    ASSERT_EQ(symlink(Native(outside).c_str(), Native(f + "\\dirlink").c_str()), 0);
    ASSERT_EQ(symlink(Native(o2).c_str(), Native(f + "\\filelink").c_str()), 0);
    EXPECT_EQ(DW_GetFolderSize(f.c_str()), 100u);
    ui.answers = {UI_IDOK};
    ASSERT_EQ(Drop({f}), 0);
    EXPECT_TRUE(ReadFile(o1) == contents[o1]);
    EXPECT_TRUE(ReadFile(o2) == contents[o2]);
    EXPECT_FALSE(ReadFile(a) == contents[a]);
    EXPECT_EQ(DropCounts.nDropCount, 2u) << Chain();
}
#endif

// Whatever fails on the way, each file is either encrypted and listed or as it
// was and unlisted, and the drop file says the same as the droplist.
TEST_F(DropCrypt, AFailureHalfwayLeavesEveryFileListedExactlyWhenEncrypted) {
    std::string f = data + "\\f";
    Dir(f);
    std::string a = Make(f + "\\a.txt", 3000, 1), b = Make(f + "\\b.txt", 3000, 2), c = Make(data + "\\c.txt", 3000, 3);
    auto consistent = [&](const std::string &when) {
        for (auto &p : {a, b, c})
            EXPECT_EQ(ReadFile(p) != contents[p], DW_IsInDropList(p.c_str()) == 1) << p << " " << when;
        EXPECT_EQ(DW_IsInDropList(f.c_str()), DW_IsInDropList(a.c_str()) | DW_IsInDropList(b.c_str()))
            << "the folder stays listed while a member is: " << when;
        std::string chain = Chain();
        DW_FreeDroptabelle();
        DW_ResetDropCounters();
        ASSERT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), 0);
        EXPECT_EQ(Chain(), chain) << when;
    };
    const struct {
        bool encrypt;
        std::vector<std::string> items;
        PL_FAULT fault;
    } steps[] = {
        {true, {f, c}, PL_FAULT_WRITE}, // the folder's first member cannot be written
        {false, {c}, PL_FAULT_WRITE},   // nor can the decrypted file
        {false, {f, c}, PL_FAULT_MOVE}, // the folder's member cannot replace its envelope
    };
    for (const auto &s : steps) {
        PL_FailCall(s.fault, 1);
        ui.answers = {UI_IDOK};
        ASSERT_EQ(s.encrypt ? Drop(s.items) : Decrypt(s.items), 0);
        PL_ResetFaults();
        consistent(s.encrypt ? "after the drop" : "after decrypting");
    }
}
