#include "config/settings.h"
#include "crypto/envelope_stream.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/safe_fixture.h"
#include "tools/drop_crypt.h"
#include "tools/droplist.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
class DropFile : public SafeTest {
  protected:
    void SetUp() override {
        SafeTest::SetUp();
        safe = Path("home.saf");
        MakeActive(safe, "pw");
        dropPath = safe + ".df";
    }
    void TearDown() override {
        DW_FreeDroptabelle();
        DW_ResetDropCounters();
        SafeTest::TearDown();
    }
    void Add(const std::string &name, uint32_t kz, uint32_t attributes = 0x20) {
        DROPLIST *d = DW_AppendDropRecord("DW_M_00");
        snprintf(d->filename, sizeof d->filename, "%s", name.c_str());
        d->kz = kz;
        d->dwAttribute = attributes;
        DW_CountDropRecord(d);
        d->index = DropCounts.nDropCount;
    }
    std::string Describe() {
        std::string s;
        for (DROPLIST *d = lpDROPLISTstart; d; d = d->next)
            s += std::string(d->filename) + " " + std::to_string(d->index) + " " + std::to_string(d->kz) + " " +
                 std::to_string(d->dwAttribute) + "\n";
        return s;
    }
    std::string safe, dropPath;
};
} // namespace

TEST_F(DropFile, RoundTripsHiddenAndEncryptedBesideTheSafe) {
    Add("C:\\docs\\a.txt", KZ_FILE);
    Add("C:\\docs\\b.txt", KZ_FILE, 0x21);
    Add("C:\\photos", KZ_FOLDER, 0x10);
    for (int i = 0; i < 5; ++i)
        Add("C:\\photos\\p" + std::to_string(i) + ".jpg", KZ_MEMBER, NO_ATTRIBUTES);
    EXPECT_EQ(DropCounts.nDropCount, 8u);
    EXPECT_EQ(DropCounts.nDropFileCount, 2u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 1u);
    std::string before = Describe();

    ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
    uint32_t attrs = PL_GetFileAttributes(dropPath.c_str());
    ASSERT_NE(attrs, PL_INVALID_ATTRIBUTES);
    EXPECT_TRUE(attrs & PL_ATTR_HIDDEN);
    std::string bytes = ReadFile(dropPath);
    EXPECT_EQ(bytes.find("photos"), std::string::npos) << "no path in clear on disk";
    EXPECT_FALSE(FileExists(dropPath + ".~tmp"));

    DW_FreeDroptabelle();
    DW_ResetDropCounters();
    ASSERT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), 0);
    EXPECT_EQ(Describe(), before);
    EXPECT_EQ(DropCounts.nDropCount, 8u);
    EXPECT_EQ(DropCounts.nDropFileCount, 2u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 1u);
    EXPECT_EQ(ReadFile(dropPath), bytes) << "reading leaves the file as it was";

    // An empty droplist removes the drop file.
    DW_FreeDroptabelle();
    ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
    EXPECT_FALSE(FileExists(dropPath));
}

TEST_F(DropFile, AnOlderDropFileIsConverted) {
    // Version 1.7: 276-byte records without attributes.
    std::string plain;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            plain.push_back(static_cast<char>(v >> (8 * i)));
    };
    u32(1);
    u32(7);
    plain += std::string("ORVSAFE\0", 8);
    u32(0);
    for (int i = 0; i < 2; ++i) {
        std::string name = "C:\\old" + std::to_string(i) + ".txt";
        name.resize(264, '\0');
        plain += name;
        u32(i + 1);
        u32(KZ_FILE);
        u32(i == 0 ? 1 : 0);
    }
    PL_HANDLE h = PL_CreateFile(dropPath.c_str(), PL_GENERIC_WRITE, 0, PL_CREATE_ALWAYS, PL_ATTR_HIDDEN);
    ASSERT_EQ(CY_EnvelopeToFile(plain.data(), static_cast<uint32_t>(plain.size()), "pw", 1, h, "TEST"), 0);
    PL_CloseHandle(h);
    ASSERT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), 0);
    EXPECT_EQ(Describe(), "C:\\old0.txt 1 1 987654\nC:\\old1.txt 2 1 987654\n");
    EXPECT_NE(Log().find("*SW16* **dropfile conversion** " + dropPath +
                                                 " version - old 1.7 to new 1.8"),
              std::string::npos);
}

TEST_F(DropFile, ADropFileThatDoesNotOpenIsLeftAlone) {
    Add("C:\\a.txt", KZ_FILE);
    ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
    std::string bytes = ReadFile(dropPath);
    DW_FreeDroptabelle();
    SW_SetPassword(cActPasswort, "other");
    EXPECT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), -1);
    EXPECT_EQ(ui.shown.back().text, "error: cannot open dropfile with the safe's password, it was left unchanged");
    EXPECT_EQ(ReadFile(dropPath), bytes);
    EXPECT_EQ(lpDROPLISTstart, nullptr);

    ASSERT_TRUE(WriteFile(dropPath, "not an envelope at all"));
    EXPECT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), -1);
    EXPECT_EQ(ReadFile(dropPath), "not an envelope at all");
    // Nor does the next save remove it for the empty list, nor a drop add to it.
    EXPECT_EQ(SW_WriteDropList(&ActSafeHeader), -1);
    EXPECT_EQ(ReadFile(dropPath), "not an envelope at all");
    const char *dropped[] = {safe.c_str()};
    EXPECT_EQ(DW_CryptFiles(dropped, 1), -1);
    EXPECT_EQ(ui.shown.back().text, "error: dropfile could not be opened, no files can be crypted");

    // Beside a safe with a password, a drop file enveloped without it was planted.
    ASSERT_EQ(PL_DeleteFile(dropPath.c_str()), 0);
    SW_ForgetDropFileFound();
    SW_SetPassword(cActPasswort, "pw");
    ActSafeHeader.nPasswort = 0;
    Add("C:\\planted.txt", KZ_FILE);
    ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
    DW_FreeDroptabelle();
    ActSafeHeader.nPasswort = 1;
    EXPECT_EQ(SW_ReadDropList(safe.c_str(), &ActSafeHeader), -1);
    EXPECT_EQ(lpDROPLISTstart, nullptr);
}

TEST_F(DropFile, AFailedWriteKeepsThePreviousDropFile) {
    Add("C:\\a.txt", KZ_FILE);
    ASSERT_EQ(SW_WriteDropList(&ActSafeHeader), 0);
    std::string bytes = ReadFile(dropPath);
    Add("C:\\b.txt", KZ_FILE);
    for (PL_FAULT kind : {PL_FAULT_WRITE, PL_FAULT_FLUSH, PL_FAULT_MOVE}) {
        PL_FailCall(kind, 1);
        EXPECT_EQ(SW_WriteDropList(&ActSafeHeader), -1) << kind;
        PL_ResetFaults();
        EXPECT_EQ(ui.shown.back().text, "error: cannot write dropfile");
        EXPECT_EQ(ReadFile(dropPath), bytes) << kind;
        EXPECT_FALSE(FileExists(dropPath + ".~tmp"));
    }
    PL_FailCall(PL_FAULT_OPEN, 1, 3);
    EXPECT_EQ(SW_WriteDropList(&ActSafeHeader), -1);
    PL_ResetFaults();
    EXPECT_EQ(ui.shown.back().text, "error: cannot create dropfile");
    EXPECT_NE(Log().find("*SW05* error: cannot create dropfile - code: "), std::string::npos);
    PL_FailCall(PL_FAULT_OPEN, 1, 2);
    EXPECT_EQ(SW_WriteDropList(&ActSafeHeader), 0) << "the third attempt succeeds";
    PL_ResetFaults();
}

TEST_F(DropFile, SavingTheSafeWritesItsDropFile) {
    SW_FOCUS focus;
    snprintf(Settings.SafePath, sizeof Settings.SafePath, "%s", dir.c_str());
    ASSERT_EQ(SW_CreateSafeOK("withdrop", "pw", "pw", false, &focus), 0);
    Add("C:\\a.txt", KZ_FILE);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    EXPECT_TRUE(FileExists(Path("withdrop.saf.df")));
    EXPECT_EQ(SW_CloseSafe(0), 0);
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    ui.passwords = {"pw"};
    ASSERT_EQ(SW_GetSafe(Path("withdrop.saf").c_str()), 0);
    EXPECT_EQ(Describe(), "C:\\a.txt 1 1 32\n");
}
