#include "frame/fileio.h"
#include "frame/logs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class FileIo : public TempDirTest {};
} // namespace

TEST_F(FileIo, WriteAllAndReadAllRoundTrip) {
    std::string data(200000, 'q');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    PL_HANDLE h = PL_CreateFile(Path("a.bin").c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, 0, PL_CREATE_ALWAYS, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(T_WriteFile("TEST", h, data.data(), static_cast<uint32_t>(data.size())), 0);
    EXPECT_EQ(T_WriteFile("TEST", h, nullptr, 0), 0) << "length 0 writes nothing";
    ASSERT_EQ(PL_SetFilePointer(h, 0, PL_FILE_BEGIN, nullptr), 0);
    std::string back(data.size(), '\0');
    EXPECT_EQ(T_ReadFile("TEST", h, &back[0], static_cast<uint32_t>(back.size())), 0);
    EXPECT_EQ(back, data);
    PL_CloseHandle(h);
    EXPECT_EQ(T_GetFileSize(Path("a.bin").c_str()), data.size());
    EXPECT_EQ(T_GetFileSize(Path("missing.bin").c_str()), 0u);
    EXPECT_FALSE(FileExists(Path("orvsafe.log")));
}

TEST_F(FileIo, ReadingPastTheEndFailsAndLogsTheCaller) {
    ASSERT_TRUE(WriteFile(Path("ten.bin"), "0123456789"));
    PL_HANDLE h = PL_CreateFile(Path("ten.bin").c_str(), PL_GENERIC_READ, 0, PL_OPEN_EXISTING, 0);
    ASSERT_NE(h, nullptr);
    PL_SetFilePointer(h, 6, PL_FILE_BEGIN, nullptr);
    char buf[10];
    EXPECT_EQ(T_ReadFile("SW07", h, buf, 10), -1);
    PL_CloseHandle(h);
    auto lines = Lines(Log());
    ASSERT_GE(lines.size(), 1u);
    EXPECT_NE(lines[0].find("*TO03* error read file in T_ReadFile (PGM-Source=SW07, dwReadLenght=10) "),
              std::string::npos)
        << lines[0];
}

TEST_F(FileIo, AFailingWriteIsLoggedWithTheSystemError) {
    PL_HANDLE h = PL_CreateFile(Path("b.bin").c_str(), PL_GENERIC_WRITE, 0, PL_CREATE_ALWAYS, 0);
    ASSERT_NE(h, nullptr);
    PL_FailCall(PL_FAULT_WRITE, 1);
    EXPECT_EQ(T_WriteFile("SW09", h, "abc", 3), -1);
    PL_CloseHandle(h);
    auto lines = Lines(Log());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("*TO02* error write file in T_WriteFile (PGM-Source=SW09, dwWriteLenght=3) "),
              std::string::npos);
    EXPECT_NE(lines[1].find("*TO02* ERRORCODE: " + std::to_string(PL_ERROR_DISK_FULL) + " = "), std::string::npos);
}

TEST(SystemMessage, TrimsThePeriodAndLineEnd) {
    std::string text = T_GetSystemMessage(PL_ERROR_ACCESS_DENIED);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '.');
    EXPECT_EQ(text.find('\r'), std::string::npos);
}
