// The seam's file times and the attributes only Windows has.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class Platform : public TempDirTest {};
const uint64_t kNoon2020 = 132223104000000000ull + 432000000000ull; // 2020-01-01 12:00 UTC
} // namespace

TEST_F(Platform, WriteTimesRoundTripAndShowInTheDirectoryWalk) {
    std::string p = Path("t.bin");
    ASSERT_TRUE(WriteFile(p, "x"));
    ASSERT_EQ(PL_SetFileWriteTime(p.c_str(), kNoon2020 + 1234567), 0);
    uint64_t t = 0;
    ASSERT_EQ(PL_GetFileWriteTime(p.c_str(), &t), 0);
    EXPECT_EQ(t, kNoon2020 + 1234567);
    PL_FIND_DATA fd{};
    PL_FIND f = PL_FindFirstFile((dir + "\\t.*").c_str(), &fd);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fd.ftLastWriteTime, t);
    PL_FindClose(f);
    EXPECT_EQ(PL_GetFileWriteTime(Path("missing").c_str(), &t), -1);

    PL_SYSTEMTIME st{};
    ASSERT_EQ(PL_FileTimeToLocalTime(kNoon2020, &st), 0);
    EXPECT_EQ(st.wYear, 2020);
    EXPECT_EQ(st.wMonth, 1);
    EXPECT_EQ(st.wDay, 1) << "noon is the same day in every time zone";
}

TEST_F(Platform, TemporaryAndOfflineAreKeptWhereTheSystemKeepsThem) {
    std::string p = Path("a.tmp");
    ASSERT_TRUE(WriteFile(p, "x"));
    ASSERT_EQ(PL_SetFileAttributes(p.c_str(), PL_ATTR_TEMPORARY | PL_ATTR_HIDDEN), 0);
    uint32_t a = PL_GetFileAttributes(p.c_str());
    EXPECT_TRUE(a & PL_ATTR_HIDDEN);
#ifndef _WIN32
    EXPECT_EQ(a, uint32_t(PL_ATTR_TEMPORARY | PL_ATTR_HIDDEN));
    ASSERT_EQ(PL_SetFileAttributes(p.c_str(), PL_ATTR_OFFLINE | PL_ATTR_READONLY), 0);
    EXPECT_EQ(PL_GetFileAttributes(p.c_str()), uint32_t(PL_ATTR_OFFLINE | PL_ATTR_READONLY));
    ASSERT_EQ(PL_MoveFileEx(p.c_str(), Path("b.tmp").c_str(), PL_MOVE_REPLACE_EXISTING), 0);
    EXPECT_EQ(PL_GetFileAttributes(Path("b.tmp").c_str()), uint32_t(PL_ATTR_OFFLINE | PL_ATTR_READONLY));
#endif
}

#ifndef _WIN32
TEST_F(Platform, WithoutShellOrRegistryTheirCallsFail) {
    PL_REGKEY key = nullptr;
    EXPECT_EQ(PL_RegOpenKey(PL_REG_CURRENT_USER, "Software\\orvSafe", PL_REG_CREATE, &key), -1);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(PL_ShellOpen("https://orvsafe.example.org", nullptr, nullptr), -1);
    EXPECT_EQ(PL_PlaySound(Path("bell.wav").c_str()), -1);
}
#endif
