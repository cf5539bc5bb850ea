#include "support/drop_fixture.h"
#include "tools/droplist.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class DropList : public DropSafeTest {
  protected:
};
} // namespace

TEST_F(DropList, EntriesCountAndOnlyFilesAndFoldersReachTheList) {
    ASSERT_EQ(DW_AddDropList("C:\\a.txt", KZ_FILE, 0x21), 0);
    ASSERT_EQ(DW_AddDropList("C:\\pics", KZ_FOLDER, 0x10), 0);
    ASSERT_EQ(DW_AddDropList("C:\\pics\\1.jpg", KZ_MEMBER, PL_INVALID_ATTRIBUTES), 0);
    ASSERT_EQ(DW_AddDropList("C:\\pics\\2.jpg", KZ_MEMBER, 0x20), 0);
    EXPECT_EQ(Chain(), "C:\\a.txt 1 1 33\n"
                       "C:\\pics 2 2 16\n"
                       "C:\\pics\\1.jpg 3 16 987654\n"
                       "C:\\pics\\2.jpg 4 16 32\n");
    EXPECT_EQ(DropCounts.nDropCount, 4u);
    EXPECT_EQ(DropCounts.nDropFileCount, 1u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 1u);
    ASSERT_EQ(ui.dropItems.size(), 2u) << "members are not listed";
    EXPECT_EQ(ui.dropItems[1].filename, "C:\\a.txt") << "each at its place as it comes";
    EXPECT_EQ(ui.dropItems[1].image, 0);
    EXPECT_EQ(ui.dropItems[0].image, 1);
    EXPECT_EQ(ui.dropItems[0].index, 2u);
    EXPECT_EQ(ui.pumpWaits.size(), 4u) << "the pump runs after every entry";
    EXPECT_EQ(lpDROPLISTact->next, nullptr);
    EXPECT_STREQ(lpDROPLISTact->filename, "C:\\pics\\2.jpg");

    // A path that does not fit an entry is refused rather than cut.
    std::string longPath = "C:\\" + std::string(DROP_FILENAME_LEN, 'x');
    EXPECT_EQ(DW_AddDropList(longPath.c_str(), KZ_FILE, 0), -1);
    EXPECT_EQ(DropCounts.nDropCount, 4u);
}

TEST_F(DropList, LookupsCompareWholePathsAndTakeTheFirst) {
    EXPECT_EQ(DW_AddDropList("C:\\Docs\\a.txt", KZ_FILE, 0x20), 0);
    EXPECT_EQ(DW_AddDropList("C:\\Docs", KZ_FOLDER, 0x10), 0);
    EXPECT_EQ(DW_AddDropList("C:\\Docs\\a.txt", KZ_MEMBER, 0x20), 0);
    EXPECT_EQ(DW_IsInDropList("C:\\Docs\\a.txt"), 1);
    EXPECT_EQ(DW_IsInDropList("C:\\docs\\a.txt"), 0) << "case counts";
    EXPECT_EQ(DW_IsInDropList("C:\\Docs\\a.tx"), 0);
    EXPECT_EQ(DW_GetFileTyp("C:\\Docs\\a.txt"), static_cast<int>(KZ_FILE));
    EXPECT_EQ(DW_GetFileTyp("C:\\Docs"), static_cast<int>(KZ_FOLDER));
    EXPECT_EQ(Log().find("DW01"), std::string::npos);
    EXPECT_EQ(DW_GetFileTyp("C:\\Other"), -1);
    EXPECT_NE(Log().find("*DW01* error: DW_GetFileTyp(filename=C:\\Other) - cannot find dropfile"), std::string::npos);

    DW_FreeDroptabelle();
    std::string before = Log();
    EXPECT_EQ(DW_GetFileTyp("C:\\Other"), -1);
    EXPECT_EQ(Log(), before) << "an empty droplist logs nothing";
}

TEST_F(DropList, RemovingRestoresSavedAttributesAndRelinks) {
    std::string a = Path("a.txt"), b = Path("b.txt"), c = Path("c.txt");
    for (const std::string &p : {a, b, c})
        ASSERT_TRUE(WriteFile(p, "x"));
    uint32_t readOnly = PL_GetFileAttributes(a.c_str()) | PL_ATTR_READONLY;
    EXPECT_EQ(DW_AddDropList(a.c_str(), KZ_FILE, readOnly), 0);
    EXPECT_EQ(DW_AddDropList(b.c_str(), KZ_FOLDER, PL_INVALID_ATTRIBUTES), 0);
    EXPECT_EQ(DW_AddDropList(c.c_str(), KZ_MEMBER, 0x20), 0);
    ASSERT_EQ(PL_SetFileAttributes(a.c_str(), PL_ATTR_HIDDEN), 0);
    ASSERT_EQ(PL_SetFileAttributes(b.c_str(), PL_ATTR_HIDDEN), 0);

    DW_RemoveDropList(a.c_str()); // the head
    EXPECT_EQ(PL_GetFileAttributes(a.c_str()), readOnly);
    EXPECT_EQ(lpDROPLISTstart->kz, KZ_FOLDER);
    EXPECT_EQ(DropCounts.nDropCount, 2u);
    EXPECT_EQ(DropCounts.nDropFileCount, 0u);

    DW_RemoveDropList(c.c_str()); // the tail
    EXPECT_EQ(lpDROPLISTact, lpDROPLISTstart);
    EXPECT_EQ(lpDROPLISTact->next, nullptr);

    DW_RemoveDropList(b.c_str()); // no attributes saved: none restored
    EXPECT_TRUE(PL_GetFileAttributes(b.c_str()) & PL_ATTR_HIDDEN);
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_EQ(lpDROPLISTact, nullptr);
    EXPECT_EQ(DropCounts.nDropCount, 0u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 0u);

    DW_RemoveDropList(a.c_str()); // nothing left: nothing happens
    EXPECT_EQ(DropCounts.nDropCount, 0u);
    PL_SetFileAttributes(a.c_str(), PL_ATTR_NORMAL);
    PL_SetFileAttributes(b.c_str(), PL_ATTR_NORMAL);
}
