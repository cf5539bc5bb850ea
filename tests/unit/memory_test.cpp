#include "frame/memory.h"
#include "frame/trace.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testsupport;

namespace {
int g_saves = 0;
void CountSave() { ++g_saves; }

class Memory : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        g_saves = 0;
        T_SetOutOfMemoryHook(CountSave);
    }
    void TearDown() override {
        T_SetOutOfMemoryHook(nullptr);
        TempDirTest::TearDown();
    }
    FakeUi ui;
};
} // namespace

TEST_F(Memory, BlocksAreZeroedAndOneByteLonger) {
    char *p = static_cast<char *>(T_Malloc("TO_M_00", 0));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 0);
    T_Free("TO_F_00", p);

    p = static_cast<char *>(T_Malloc("TO_M_00", 10));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(p[i], 0);
    memset(p, 'a', 10);
    p = static_cast<char *>(T_Realloc("TO_R_00", p, 10, 20));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, 10), std::string(10, 'a'));
    for (int i = 10; i < 20; ++i)
        EXPECT_EQ(p[i], 0) << i;
    T_Free("TO_F_00", p);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(Memory, OutOfMemoryWarnsSavesAndLogsOnceButQuitsEveryTime) {
    PL_FailCall(PL_FAULT_ALLOC, 1);
    EXPECT_EQ(T_Malloc("SW_M_03", 1234), nullptr);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "error: not enough memory available, program abort!");
    EXPECT_EQ(ui.shown[0].caption, "Error");
    EXPECT_EQ(ui.shown[0].style, UI_MB_OK | UI_MB_ICONSTOP);
    EXPECT_EQ(g_saves, 1);
    EXPECT_EQ(ui.quits.size(), 1u);
    std::string log = Log();
    EXPECT_NE(log.find("*TO00* T_Malloc(SW_M_03,1234) malloc failed \r\n"), std::string::npos) << log;

    void *keep = T_Malloc("SW_M_03", 8);
    ASSERT_NE(keep, nullptr);
    PL_FailCall(PL_FAULT_ALLOC, 1);
    EXPECT_EQ(T_Realloc("SW_R_00", keep, 8, 64), nullptr);
    EXPECT_EQ(ui.shown.size(), 1u) << "no second message box";
    EXPECT_EQ(g_saves, 1) << "no second save";
    EXPECT_EQ(ui.quits.size(), 2u) << "but quit again";
    EXPECT_EQ(Log(), log) << "and no second log line";
    T_Free("SW_F_00", keep); // the old block stayed valid
}

TEST_F(Memory, ReallocFailureIsLoggedWithBothSizes) {
    void *p = T_Malloc("CC_M_00", 4);
    PL_FailCall(PL_FAULT_ALLOC, 1);
    EXPECT_EQ(T_Realloc("CC_R_01", p, 4, 400), nullptr);
    EXPECT_NE(Log().find("*TO01* T_Realloc(CC_R_01,oldsize=4,size=400) realloc failed"),
              std::string::npos);
    T_Free("CC_F_00", p);
}

TEST_F(Memory, MemoryTraceLinesCarryTheTag) {
    dwTraceLevel = TRACE_MEMORY;
    void *p = T_Malloc("SW_M_03", 7);
    p = T_Realloc("SW_R_00", p, 7, 9);
    T_Free("SW_F_00", p);
    auto lines = Lines(ReadFile(Path("orvtrace.log")));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 9), "*SW_M_03*");
    EXPECT_NE(lines[0].find(" MALLOC <size=000007> <pointer="), std::string::npos);
    EXPECT_EQ(lines[1].substr(0, 9), "*SW_R_00*");
    EXPECT_NE(lines[1].find(" REALLOC <size=000009> <oldsize=7> <oldpointer="), std::string::npos);
    EXPECT_EQ(lines[2].substr(0, 9), "*SW_F_00*");
    EXPECT_NE(lines[2].find(" FREE <pointer="), std::string::npos);
}
