// The Win32 side of the seam's terminal: the console's code pages and its echo.
#include "platform/platform.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(TerminalSeam, TheConsolesCodePagesAndEchoAreTheTerminals) {
    HANDLE before = GetStdHandle(STD_INPUT_HANDLE);
    FreeConsole(); // a console of its own, whatever the runner was started with
    ASSERT_TRUE(AllocConsole());
    HANDLE in = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    SetStdHandle(STD_INPUT_HANDLE, in);
    DWORD mode = 0, now = 0;
    ASSERT_TRUE(GetConsoleMode(in, &mode) && SetConsoleMode(in, mode |= ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT));
    EXPECT_TRUE(PL_InputIsTerminal());
    EXPECT_EQ(PL_SetInputEcho(false), 0);
    EXPECT_TRUE(GetConsoleMode(in, &now) && now == (mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT))) << now;
    EXPECT_EQ(PL_SetInputEcho(true), 0);
    EXPECT_TRUE(GetConsoleMode(in, &now) && now == mode) << "as it was: " << now;

    // Code page 850 has é at 0x82 and no euro sign.
    ASSERT_TRUE(SetConsoleCP(850) && SetConsoleOutputCP(850));
    std::u32string cps;
    EXPECT_EQ(PL_TerminalDecode(PL_TEXT_INPUT, 0, "caf\x82", 4, &cps, nullptr), 0);
    EXPECT_EQ(cps, U"caf\u00e9");
    std::string out;
    EXPECT_TRUE(PL_TerminalEncode(0xE9, &out) && !PL_TerminalEncode(0x20AC, &out));
    EXPECT_EQ(out, "\x82");
    SetStdHandle(STD_INPUT_HANDLE, before);
    CloseHandle(in);
    FreeConsole();
}
