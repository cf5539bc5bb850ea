// The two programs started as a user or another program would start them.
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace testsupport;

namespace {
// The programs are built beside the test runner.
std::string ProgramPath(const char *exe) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dir(self);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + exe;
}

// Starts a program with a command line exactly as given; nullptr-handle on failure.
PROCESS_INFORMATION Start(const std::string &exe, const std::string &cmdLine) {
    std::string line = cmdLine;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        pi.hProcess = nullptr;
    return pi;
}

DWORD RunAndWait(const std::string &exe, const std::string &cmdLine, DWORD timeoutMs = 20000) {
    PROCESS_INFORMATION pi = Start(exe, cmdLine);
    if (!pi.hProcess)
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFE;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

int Count(const std::string &text, const std::string &what) {
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

class Programs : public TempDirTest {};
} // namespace

TEST(OrvArgsProgram, ExitCodeFollowsTheFirstField) {
    const std::string exe = ProgramPath("orvArgs.exe");
    // The start-up code hands over what follows the program name and the blanks/TABs after it.
    EXPECT_EQ(RunAndWait(exe, "orvArgs.exe"), 94431u) << "no arguments keep \"<Leer>\"";
    EXPECT_EQ(RunAndWait(exe, "orvArgs.exe abc"), 0u);
    EXPECT_EQ(RunAndWait(exe, "orvArgs.exe abcd"), 94431u);
    EXPECT_EQ(RunAndWait(exe, "orvArgs.exe \t abc\t wxyz"), 0u);
    EXPECT_EQ(RunAndWait(exe, "orvArgs.exe ab\t cdefgh"), 0u);
    EXPECT_EQ(RunAndWait(exe, "\"orvArgs.exe\" abc d"), 94431u) << "a blank inside the first field counts";
    EXPECT_EQ(RunAndWait(exe, "orvArgs.exe " + std::string(2000, 'x')), 94431u);
}

TEST_F(Programs, OrvSafeRunsOnceAndLogsItsStartAndExit) {
    const std::string exe = ProgramPath("orvSafe.exe");
    PROCESS_INFORMATION first = Start(exe, "orvSafe.exe " + dir);
    ASSERT_NE(first.hProcess, nullptr);

    HWND main = nullptr;
    for (int i = 0; i < 300 && !main; ++i) {
        main = FindWindowA("orvSafe", "orvSafe");
        if (!main)
            Sleep(100);
    }
    ASSERT_NE(main, nullptr) << "the main window of class and title \"orvSafe\" appears";

    EXPECT_EQ(RunAndWait(exe, "orvSafe.exe " + dir), 0u) << "a second start ends at once";
    EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first keeps running";
    std::string log = Log();
    EXPECT_EQ(Count(log, "*MAIN* start pgm \r\n"), 1) << log;
    EXPECT_EQ(Count(log, "exit pgm"), 0);
    EXPECT_NE(ReadFile(Path("orvsafe.ini")).find("Version=1.13"), std::string::npos) << "the settings were read";
    EXPECT_TRUE(FileExists(Path("orvtemplate.ini"))) << "a first run installs the folder templates";

    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(first.hProcess, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 1;
    GetExitCodeProcess(first.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(first.hThread);
    CloseHandle(first.hProcess);
    log = Log();
    EXPECT_EQ(Count(log, "*MAIN* exit pgm \r\n"), 1) << log;
    EXPECT_LT(log.find("start pgm"), log.find("exit pgm"));
}
