// Dropped files and folders as Windows itself sees them: the system's own
// attribute calls (not the seam) check that an encrypted item is hidden, and
// that decrypting gives back hidden and read-only exactly, read-only still
// refusing writes, and that the recover list and backups find the system's times.
#include "config/settings.h"
#include "store/safe_lifecycle.h"
#include "support/drop_fixture.h"
#include "tools/backup.h"
#include "tools/drop_crypt.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/recover_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {
class DropAttributes : public DropSafeTest {
  protected:
    void SetUp() override {
        DropSafeTest::SetUp();
        safe = OpenSafe("home.saf", "pw");
    }
    static DWORD Attr(const std::string &p) { return GetFileAttributesA(p.c_str()); }
    int Run(bool encrypt, const std::vector<std::string> &paths) {
        std::vector<const char *> p;
        for (auto &s : paths)
            p.push_back(s.c_str());
        ui.answers = {UI_IDOK};
        return encrypt ? DW_CryptFiles(p.data(), static_cast<uint32_t>(p.size()))
                       : DW_DecryptSelection(p.data(), static_cast<uint32_t>(p.size()));
    }
    std::string safe;
};
} // namespace

TEST_F(DropAttributes, HiddenAndReadOnlyComeBackAsWindowsSeesThem) {
    std::string folder = Path("folder"), ro = Path("ro.txt"), hidden = folder + "\\hidden.txt";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteFile(ro, std::string(3000, 'r')));
    ASSERT_TRUE(WriteFile(hidden, std::string(3000, 'h')));
    ASSERT_TRUE(SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    DWORD roBefore = Attr(ro), hiddenBefore = Attr(hidden), folderBefore = Attr(folder);

    ASSERT_EQ(Run(true, {ro, folder}), 0);
    EXPECT_EQ(DropCounts.nDropCount, 3u);
    EXPECT_TRUE(Attr(ro) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(Attr(ro) & FILE_ATTRIBUTE_READONLY) << "an encrypted file is writable";
    EXPECT_TRUE(Attr(folder) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(ReadFile(ro), std::string(3000, 'r'));

    ASSERT_EQ(Run(false, {ro, folder}), 0);
    EXPECT_EQ(Attr(ro), roBefore);
    EXPECT_EQ(Attr(hidden), hiddenBefore);
    EXPECT_EQ(Attr(folder), folderBefore);
    EXPECT_EQ(ReadFile(ro), std::string(3000, 'r'));
    EXPECT_EQ(ReadFile(hidden), std::string(3000, 'h'));
    // Read-only again in earnest: the system refuses to open it for writing,
    // as it refuses a file made read-only by hand (Wine run by root refuses neither).
    std::string probe = Path("probe.txt");
    ASSERT_TRUE(WriteFile(probe, "p"));
    ASSERT_TRUE(SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY));
    auto writable = [](const std::string &p) {
        HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(h);
        return true;
    };
    EXPECT_EQ(writable(ro), writable(probe));
    SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DropAttributes, BackupsOfTheOpenSafeKeepItsTimeAndAreListed) {
    std::string backups = Path("backups");
    ASSERT_TRUE(CreateDirectoryA(backups.c_str(), nullptr));
    snprintf(Settings.BackupPath, sizeof Settings.BackupPath, "%s", backups.c_str());
    Settings.BackupGenerations = 2;
    ASSERT_EQ(BW_Backup(safe.c_str()), 0) << "the safe is open while it is copied";
    WIN32_FILE_ATTRIBUTE_DATA source, copy;
    ASSERT_TRUE(GetFileAttributesExA(safe.c_str(), GetFileExInfoStandard, &source));
    ASSERT_TRUE(GetFileAttributesExA((backups + "\\home.saf.0").c_str(), GetFileExInfoStandard, &copy));
    EXPECT_EQ(CompareFileTime(&source.ftLastWriteTime, &copy.ftLastWriteTime), 0);
    BW_BACKUPFILE *list = nullptr;
    ASSERT_EQ(BW_ReadBackupList(backups.c_str(), &list), 1);
    EXPECT_STREQ(list->cFileName, "home.saf.0");
    BW_FreeBackupList(list);
}
