#include "config/settings.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "support/drop_fixture.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/recover_file.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {
class RecoverFile : public DropSafeTest {
  protected:
    void SetUp() override {
        DropSafeTest::SetUp();
        recover = Path("orvrecover.txt");
    }
    std::string PutSafe(const std::string &name) {
        std::string path = Path(name);
        EXPECT_TRUE(WriteFile(path, SafeBytes("pw")));
        return path;
    }
    std::string recover;
};
} // namespace

TEST_F(RecoverFile, TheQuestionIsAskedOnlyWhenTheFileExists) {
    EXPECT_EQ(REC_CheckRecoverFile(), 0);
    EXPECT_TRUE(ui.shown.empty());

    ASSERT_TRUE(WriteFile(recover, "C:\\x\r\n"));
    ui.answers = {UI_IDNO};
    EXPECT_EQ(REC_CheckRecoverFile(), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Droplist recoverfile exist! Proceed ?");
    EXPECT_EQ(ui.shown[0].caption, "Confirm");
    EXPECT_EQ(ui.shown[0].style, UI_MB_YESNO | UI_MB_ICONQUESTION);
    EXPECT_EQ(REC_RecoverRequested(), 0);
    EXPECT_TRUE(FileExists(recover)) << "No leaves the file for the next opening";
    EXPECT_NE(Log().find("*RC00* drop recover file detected"), std::string::npos);

    ui.answers = {UI_IDYES};
    EXPECT_EQ(REC_CheckRecoverFile(), 1);
    EXPECT_EQ(REC_RecoverRequested(), 1);
}

TEST_F(RecoverFile, ValidLinesBecomeEntriesWithoutAttributes) {
    std::string file = Path("f.txt"), folder = Path("d"), ro = Path("ro.txt");
    ASSERT_TRUE(WriteFile(file, "x"));
    ASSERT_TRUE(WriteFile(ro, "x"));
    ASSERT_EQ(PL_CreateDirectory(folder.c_str()), 0);
    ASSERT_EQ(PL_SetFileAttributes(ro.c_str(), PL_ATTR_READONLY), 0);
    std::string longLine = dir + "\\" + std::string(300, 'y');
    ASSERT_TRUE(WriteFile(recover, file + "\r\n" + folder + "\r\n" + ro + "\r\n" + Path("gone") + "\r\n" + file +
                                       "\r\n" + longLine + "\r\n" + folder + "-last-line-without-end"));
    REC_AddDropList();
    EXPECT_EQ(Chain(), file + " 1 1 987654\n" + folder + " 2 2 987654\n") << "a path listed twice is one entry";
    EXPECT_EQ(DropCounts.nDropCount, 2u);
    EXPECT_EQ(DropCounts.nDropFileCount, 1u);
    EXPECT_EQ(DropCounts.nDropFolderCount, 1u);
    EXPECT_FALSE(FileExists(recover)) << "read once and deleted";
    std::string log = Log();
    EXPECT_NE(log.find("*RC03* REC_AddDropList() error file/directory [" + ro + "] not valid"), std::string::npos);
    EXPECT_NE(log.find("*RC03* REC_AddDropList() error file/directory [" + Path("gone") + "] not valid"),
              std::string::npos);
    EXPECT_NE(log.find("*RC03* REC_AddDropList() error file/directory [" + longLine.substr(0, 260) + "] not valid"),
              std::string::npos);
    EXPECT_EQ(log.find("last-line-without-end"), std::string::npos);
    EXPECT_FALSE(FileExists(Path("home.saf.df"))) << "no drop file is written here";

    // With no file the step makes none that stays.
    DW_FreeDroptabelle();
    REC_AddDropList();
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_FALSE(FileExists(recover));
    PL_SetFileAttributes(ro.c_str(), PL_ATTR_NORMAL);

    // One path repeated makes one entry (not a droplist of the file's size), and lines beyond the cap are left out.
    std::string lines;
    for (int i = 0; i < REC_MAX_LINES; ++i)
        lines += file + "\r\n";
    ASSERT_TRUE(WriteFile(recover, lines + folder + "\r\n"));
    REC_AddDropList();
    EXPECT_TRUE(lpDROPLISTstart && !lpDROPLISTstart->next && file == lpDROPLISTstart->filename) << Chain();
    EXPECT_NE(Log().find("*RC04* REC_AddDropList() more than 10000 lines, the rest left out"), std::string::npos);
}

TEST_F(RecoverFile, OpeningASafeWithoutDropFileOffersTheRecoveryFile) {
    std::string doc = Path("doc.txt");
    ASSERT_TRUE(WriteFile(doc, "x"));
    std::string safe = PutSafe("home.saf");
    ASSERT_TRUE(WriteFile(recover, doc + "\r\n"));

    ui.passwords = {"pw"};
    ui.answers = {UI_IDNO};
    ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_TRUE(FileExists(recover));

    EXPECT_EQ(SW_CloseSafe(0), 0);
    ui.passwords = {"pw"};
    ui.answers = {UI_IDYES};
    ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    EXPECT_EQ(Chain(), doc + " 1 1 987654\n");
    EXPECT_FALSE(FileExists(recover));
    ASSERT_EQ(ui.dropItems.size(), 1u) << "the drop window shows the rebuilt list";
    EXPECT_EQ(ui.dropItems[0].filename, doc);

    // The next save writes the rebuilt list; opening again reads it, and with
    // the request still set the (now missing) recovery file adds nothing.
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ASSERT_TRUE(FileExists(safe + ".df"));
    EXPECT_EQ(SW_CloseSafe(0), 0);
    ui.passwords = {"pw"};
    size_t asked = ui.shown.size();
    ASSERT_EQ(SW_GetSafe(safe.c_str()), 0);
    EXPECT_EQ(Chain(), doc + " 1 1 987654\n");
    EXPECT_EQ(ui.shown.size(), asked) << "no question when the drop file exists";
    EXPECT_FALSE(FileExists(recover));
}

TEST_F(RecoverFile, ASafeWithoutDropFileStartsWithAnEmptyDroplist) {
    std::string a = PutSafe("a.saf"), b = PutSafe("b.saf");
    ASSERT_TRUE(WriteFile(Path("doc.txt"), "x"));
    ui.passwords = {"pw"};
    ASSERT_EQ(SW_GetSafe(a.c_str()), 0);
    EXPECT_EQ(DW_AddDropList(Path("doc.txt").c_str(), KZ_FILE, 0x20), 0);
    ASSERT_EQ(SW_PutSafe(0, 0), 0);
    ui.passwords = {"pw"};
    ASSERT_EQ(SW_GetSafe(b.c_str()), 0);
    EXPECT_EQ(lpDROPLISTstart, nullptr);
    EXPECT_EQ(DropCounts.nDropCount, 0u) << "no count is left from the safe before";
    EXPECT_EQ(DropCounts.nDropFileCount, 0u);
}
