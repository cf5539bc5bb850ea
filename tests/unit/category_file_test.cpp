#include "model/category_file.h"
#include "support/category_fixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
// Category file images, built byte by byte.
std::string Le32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>(v >> (8 * i));
    return s;
}

std::string Header(uint32_t first = 1, uint32_t second = 0) { return Le32(first) + Le32(second); }

std::string Record(uint32_t index, const std::string &name, uint32_t link) {
    std::string n = name;
    n.resize(32, '\0');
    return Le32(index) + n + Le32(link);
}

class CategoryFile : public CategoryTest {
  protected:
    std::string File() const { return Path("orvcategory.dat"); }
    void Put(const std::string &bytes) { ASSERT_TRUE(WriteFile(File(), bytes)); }
    std::string Read() const { return ReadFile(File()); }
    bool Contains(const std::string &needle) const {
        return Log().find(needle) != std::string::npos;
    }
};
} // namespace

TEST_F(CategoryFile, WrittenByteForByteHiddenAndReadBack) {
    AddCategory(1, "Bank");
    AddCategory(2, "Work");
    CATEGORYTAB *c = AddCategory(3, "Home");
    memcpy(c->name + 5, "junk", 4); // behind the name's zero: must not reach the file
    ASSERT_EQ(CC_WriteCategory(), 0);
    EXPECT_EQ(Read(), Header() + Record(1, "Bank", 1) + Record(2, "Work", 1) + Record(3, "Home", 0));
    uint32_t attributes = PL_GetFileAttributes(File().c_str());
    EXPECT_TRUE(attributes & PL_ATTR_HIDDEN);
    EXPECT_FALSE(FileExists(File() + ".tmp"));
    EXPECT_TRUE(ui.shown.empty());

    CC_ReleaseCategoryTable();
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "1 Bank|2 Work|3 Home");
    EXPECT_EQ(CategoryState.nCategoryCount, 3u);
    EXPECT_EQ(std::string(lpCATEGORYTABact->name, 32), std::string("Home", 4) + std::string(28, '\0'));

    // Written again over the hidden file it left.
    lpCATEGORYTABact->index = 7;
    ASSERT_EQ(CC_WriteCategory(), 0);
    EXPECT_EQ(Read(), Header() + Record(1, "Bank", 1) + Record(2, "Work", 1) + Record(7, "Home", 0));
}

TEST_F(CategoryFile, NoCategoriesDeleteTheFile) {
    Put(Header() + Record(1, "Bank", 0));
    ASSERT_EQ(CC_WriteCategory(), 0) << "empty table";
    EXPECT_FALSE(FileExists(File()));
    EXPECT_EQ(CC_WriteCategory(), 0) << "nothing to delete is no failure";
}

TEST_F(CategoryFile, MissingFileGivesAnEmptyTable) {
    AddCategory(1, "Unsaved");
    EXPECT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "");
    EXPECT_EQ(CategoryState.nCategoryCount, 0u);
    EXPECT_EQ(CC_FilterEntryCount(), 1u);
}

TEST_F(CategoryFile, ReaderTakesTheLinksAsTheyCome) {
    // Last record with a non-zero link, and the file ends after it.
    Put(Header() + Record(1, "Bank", 1) + Record(2, "Work", 1));
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "1 Bank|2 Work");

    // Any non-zero link means "more"; a zero link ends the list, whatever follows.
    Put(Header() + Record(1, "Bank", 0xDEADBEEF) + Record(2, "Work", 0) + Record(3, "After the end", 1));
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "1 Bank|2 Work");

    // The header words are not looked at: a huge "count" changes nothing.
    Put(Header(0xFFFFFFFF, 0x7FFFFFFF) + Record(1, "Bank", 0));
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "1 Bank");
    EXPECT_FALSE(FileExists(Path("orvsafe.log"))) << "nothing wrong with these files";
}

TEST_F(CategoryFile, FileEndingEarlyKeepsTheWholeRecords) {
    std::string full = Header() + Record(1, "Bank", 1) + Record(2, "Work", 1) + Record(3, "Home", 0);
    Put(full.substr(0, 8 + 40 + 40 + 17)); // cut inside the third record
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "1 Bank|2 Work");
    EXPECT_TRUE(Contains("*CC03* categoryfile: ends inside a record, 17 bytes ignored"));

    Put(full.substr(0, 8 + 20)); // cut inside the first
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "");

    for (size_t n : {0, 3, 8}) { // empty, cut in the header, header alone
        AddCategory(9, "Before");
        Put(full.substr(0, n));
        ASSERT_EQ(CC_ReadCategory(), 0) << n;
        EXPECT_EQ(Table(), "") << n;
    }
}

TEST_F(CategoryFile, RecordsAreSortedAndUnusableIndexesDropped) {
    Put(Header() + Record(3, "Three", 1) + Record(0, "No index", 1) + Record(1, "One", 1) + Record(3, "Again three", 1) +
        Record(2, "Two", 0));
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(Table(), "1 One|2 Two|3 Three");
    EXPECT_EQ(CategoryState.nCategoryCount, 3u);
    EXPECT_TRUE(Contains("*CC03* categoryfile: 2 records without a usable index ignored"));
    EXPECT_EQ(CC_GetNewCategoryIndex(), 4u);
}

TEST_F(CategoryFile, NamesAreAlwaysTerminated) {
    std::string full32(32, 'N');
    std::string withJunk = std::string("Bank") + '\0' + "junk";
    Put(Header() + Record(1, full32, 1) + Record(2, withJunk, 1) + Record(3, "Banking", 0));
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(strlen(CC_FindCategory(1)->name), 31u) << "32 bytes without a zero are cut to 31";
    EXPECT_STREQ(CC_FindCategory(2)->name, "Bank");
    EXPECT_STREQ(CC_FindCategory(3)->name, "Banking") << "a name that begins with another is its own";
    ASSERT_EQ(CC_WriteCategory(), 0);
    EXPECT_EQ(Read(), Header() + Record(1, full32.substr(0, 31), 1) + Record(2, "Bank", 1) + Record(3, "Banking", 0))
        << "what followed a name's zero is not written back";
}

TEST_F(CategoryFile, MoreRecordsThanAnyoneKeepsAreNotAllTaken) {
    std::string image = Header();
    for (uint32_t i = 1; i <= CC_MAX_CATEGORIES + 10; ++i)
        image += Record(i, "C" + std::to_string(i), 1);
    Put(image);
    ASSERT_EQ(CC_ReadCategory(), 0);
    EXPECT_EQ(CC_CountCategories(), static_cast<uint32_t>(CC_MAX_CATEGORIES));
    EXPECT_EQ(lpCATEGORYTABact->index, static_cast<uint32_t>(CC_MAX_CATEGORIES));
    EXPECT_TRUE(Contains("*CC03* categoryfile: more than 4096 categories, the rest is ignored"));
}

TEST_F(CategoryFile, CreationIsTriedThreeTimes) {
    Put(Header() + Record(1, "Old", 0));
    AddCategory(1, "New");
    PL_FailCall(PL_FAULT_OPEN, 1, 2);
    ASSERT_EQ(CC_WriteCategory(), 0) << "the third attempt succeeds";
    EXPECT_EQ(Read(), Header() + Record(1, "New", 0));
    EXPECT_TRUE(ui.shown.empty());

    PL_ResetFaults();
    PL_FailCall(PL_FAULT_OPEN, 1, 3);
    lpCATEGORYTABact->index = 2;
    EXPECT_EQ(CC_WriteCategory(), -1);
    EXPECT_EQ(PL_CallCount(PL_FAULT_OPEN) - 1, 3) << "three attempts (and the log)";
    EXPECT_EQ(Read(), Header() + Record(1, "New", 0)) << "the file stays as it was";
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "error: cannot create category-file");
    EXPECT_EQ(ui.shown[0].caption, "Error");
    EXPECT_EQ(ui.shown[0].style, unsigned(UI_MB_OK | UI_MB_ICONSTOP));
    EXPECT_TRUE(Contains("*CC00* error: cannot create categoryfile - code: " +
                         std::to_string(PL_ERROR_ACCESS_DENIED) + " \r\n"));
    EXPECT_EQ(Table(), "2 New") << "the table in memory stays";
}

TEST_F(CategoryFile, FailedWritesLeaveTheOldFile) {
    const std::string old = Header() + Record(1, "Old", 0);
    struct Case {
        PL_FAULT kind;
        int nth;
        const char *logged;
    } cases[] = {
        {PL_FAULT_WRITE, 1, "PGM-Source=CC00"}, // header
        {PL_FAULT_WRITE, 2, "PGM-Source=CC01"}, // records
        {PL_FAULT_FLUSH, 1, "*CC02* error: cannot flush categoryfile "},
        {PL_FAULT_MOVE, 1, "*CC02* error: cannot replace categoryfile - code: "},
    };
    AddCategory(1, "New");
    AddCategory(2, "Newer");
    for (const Case &c : cases) {
        Put(old);
        PL_DeleteFile(Path("orvsafe.log").c_str());
        ui.shown.clear();
        PL_ResetFaults();
        PL_FailCall(c.kind, c.nth, c.kind == PL_FAULT_MOVE ? 3 : 1);
        EXPECT_EQ(CC_WriteCategory(), -1) << c.logged;
        EXPECT_EQ(Read(), old) << c.logged;
        EXPECT_FALSE(FileExists(File() + ".tmp")) << c.logged;
        ASSERT_EQ(ui.shown.size(), 1u) << c.logged;
        EXPECT_EQ(ui.shown[0].text, "error: cannot write category-file");
        EXPECT_EQ(ui.shown[0].caption, "Error");
        EXPECT_TRUE(Contains(c.logged)) << c.logged;
    }
    PL_ResetFaults();
    PL_FailCall(PL_FAULT_MOVE, 1, 2);
    EXPECT_EQ(CC_WriteCategory(), 0) << "the move, too, gets three attempts";
    EXPECT_EQ(Read(), Header() + Record(1, "New", 1) + Record(2, "Newer", 0));
}

TEST_F(CategoryFile, AFileThatCannotBeReadIsNotOverwritten) {
    const std::string kept = Header() + Record(1, "Bank", 1) + Record(2, "Work", 0);
    Put(kept);
    PL_FailCall(PL_FAULT_OPEN, 1);
    EXPECT_EQ(CC_ReadCategory(), -1);
    EXPECT_EQ(Table(), "") << "left as it was: empty at start";
    EXPECT_TRUE(Contains("*CC04* error: cannot read categoryfile - code: "));
    EXPECT_EQ(CC_WriteCategory(), -1) << "an empty table must not delete what we could not read";
    EXPECT_EQ(Read(), kept);
    AddCategory(1, "Other");
    EXPECT_EQ(CC_WriteCategory(), -1);
    EXPECT_EQ(Read(), kept);
    EXPECT_TRUE(Contains("*CC04* categoryfile not written: it could not be read at start"));

    CC_ReleaseCategoryTable();
    AddCategory(5, "Before");
    PL_ResetFaults();
    PL_FailCall(PL_FAULT_READ, 1);
    EXPECT_EQ(CC_ReadCategory(), -1) << "a failing read, too";
    EXPECT_EQ(Table(), "5 Before");

    ASSERT_EQ(CC_ReadCategory(), 0) << "read at last";
    EXPECT_EQ(Table(), "1 Bank|2 Work");
    EXPECT_EQ(CC_WriteCategory(), 0);
}
