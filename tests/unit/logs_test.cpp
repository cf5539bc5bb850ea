#include "frame/logs.h"
#include "frame/trace.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
PL_SYSTEMTIME Wednesday() {
    PL_SYSTEMTIME t{};
    t.wYear = 2006;
    t.wMonth = 3;
    t.wDay = 1;
    t.wDayOfWeek = 3;
    t.wHour = 18;
    t.wMinute = 5;
    t.wSecond = 9;
    return t;
}

class Logs : public TempDirTest {
  protected:
    FixedClock clock{Wednesday()};
};
} // namespace

TEST_F(Logs, ProgramLogLineHasVersionDateTimeAndCode) {
    ML_WriteLog("SW14", "unsupported Safe Version 2.0", 0);
    ML_WriteLog("TOOLONG", "x", 0);
    EXPECT_EQ(Log(), "1.13.000 2006/03/01 18:05:09 *SW14* unsupported Safe Version 2.0 \r\n"
                                             "1.13.000 2006/03/01 18:05:09 *TOOL* x \r\n");
}

TEST_F(Logs, ErrorNumberAddsASecondLineWithTheSystemText) {
    ML_WriteLog("SW01", "cannot open", PL_ERROR_FILE_NOT_FOUND);
    auto lines = Lines(Log());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1.13.000 2006/03/01 18:05:09 *SW01* cannot open ");
    std::string prefix = "1.13.000 2006/03/01 18:05:09 *SW01* ERRORCODE: " +
                         std::to_string(PL_ERROR_FILE_NOT_FOUND) + " = ";
    ASSERT_EQ(lines[1].substr(0, prefix.size()), prefix);
    std::string text = lines[1].substr(prefix.size());
    EXPECT_GT(text.size(), 2u);
    EXPECT_NE(text.back(), '.') << "the closing period is trimmed: " << text;
}

TEST_F(Logs, CryptLogAndTraceLogFormats) {
    ML_WriteCryptLog("C:\\data\\letter.doc");
    EXPECT_EQ(ReadFile(Path("orvcrypt.log")), "1.13.000 2006/03/01 18:05:09 crypted: => C:\\data\\letter.doc\r\n");
    ML_WriteTrace("SW_FNK_TOO_LONG", "B SW_GetSafe()");
    EXPECT_EQ(ReadFile(Path("orvtrace.log")), "*SW_FNK_* Wed Mar 01 18:05:09 B SW_GetSafe() \r\n");
}

TEST_F(Logs, LogIsEmptiedOncePastOneMillionBytes) {
    std::string line = "1.13.000 2006/03/01 18:05:09 *MAIN* next \r\n";
    ASSERT_TRUE(WriteFile(Path("orvsafe.log"), std::string(1000000, 'x')));
    ML_WriteLog("MAIN", "next", 0);
    EXPECT_EQ(Log().size(), 1000000u + line.size()) << "exactly the limit: appended";

    ASSERT_TRUE(WriteFile(Path("orvsafe.log"), std::string(1000001, 'x')));
    ML_WriteLog("MAIN", "next", 0);
    EXPECT_EQ(Log(), line) << "past the limit: started again";
}

TEST_F(Logs, AnUnopenableLogIsSkippedSilently) {
    snprintf(szProgramDir, sizeof szProgramDir, "%s", Path("no-such-folder").c_str());
    ML_WriteLog("MAIN", "lost", 0);
    ML_WriteTrace("TAG", "lost");
    ML_WriteCryptLog("lost");
    EXPECT_FALSE(FileExists(Path("no-such-folder")));
}

TEST_F(Logs, AFailingWriteOfTheLogDoesNotLogItself) {
    PL_FailCall(PL_FAULT_WRITE, 1, 100);
    ML_WriteLog("MAIN", "x", 0); // must return instead of recursing
    PL_ResetFaults();
    ML_WriteLog("MAIN", "after", 0);
    EXPECT_EQ(Lines(Log()).back(), "1.13.000 2006/03/01 18:05:09 *MAIN* after ");
}

TEST_F(Logs, TraceMacroFormatsNothingWhileItsBitIsClear) {
    dwTraceLevel = TRACE_FUNCTIONS;
    TRACE(TRACE_BASIC, "MA_B_00", "currentdir = %s", "x");
    EXPECT_FALSE(FileExists(Path("orvtrace.log")));
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B SW_OpenSafe(LPSTR %s)", "a.saf");
    EXPECT_EQ(ReadFile(Path("orvtrace.log")), "*SW_FNK* Wed Mar 01 18:05:09 B SW_OpenSafe(LPSTR a.saf) \r\n");
}

TEST_F(Logs, FormattedProgramLogLine) {
    ML_WriteLogF("OW07", 0, "OW_GetOrdnerStructAdr(UINT nOrdnerID=%d) [return 0]", 3);
    EXPECT_EQ(Log(),
              "1.13.000 2006/03/01 18:05:09 *OW07* OW_GetOrdnerStructAdr(UINT nOrdnerID=3) [return 0] \r\n");
}
