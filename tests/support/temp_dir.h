// A fresh folder per test, used as the program directory; removed afterwards.
// Paths are built with backslashes as the program builds them, and all file
// access goes through the seam, so the same test runs natively and under Wine.
#pragma once

#include "frame/logs.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

std::string MakeTempDir();
void RemoveTree(const std::string &path);
std::string ReadFile(const std::string &path);        // whole file; "" when missing
bool WriteFile(const std::string &path, const std::string &data);
bool FileExists(const std::string &path);
std::vector<std::string> Lines(const std::string &text); // split at "\r\n"

// A local time of that date and time of day.
PL_SYSTEMTIME LocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Installs a fixed local time for PL_GetLocalTime until destroyed.
class FixedClock {
  public:
    explicit FixedClock(PL_SYSTEMTIME t);
    ~FixedClock();
    static PL_SYSTEMTIME now;
};

// Test fixture: a temporary program directory, trace mask 0, no faults armed.
class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string &name) const { return dir + "\\" + name; }
    std::string Log() const { return ReadFile(Path("orvsafe.log")); } // the program's log
    std::string dir;
};

} // namespace testsupport
