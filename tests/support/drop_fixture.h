// A fixture for the droplist and the tools around it: the safe store's fixture
// with the droplist, its counters, the drop window flag and the recovery request
// empty before and after every test, SafePath set to the program directory, and
// safes made and opened on the spot.
#pragma once

#include "support/safe_fixture.h"

#include <string>

namespace testsupport {

class DropSafeTest : public SafeTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    static void ResetDropState();
    // The bytes of a safe with one folder of that name.
    static std::string SafeBytes(const std::string &password, const std::string &folderName = "Mail");
    // Writes such a safe as folder\name (the program directory when folder is
    // empty) and opens it, answering the password prompt; the safe's path.
    std::string OpenSafe(const std::string &name, const std::string &password, const std::string &folder = "");
    // The droplist one entry a line: path, index, kind, saved attributes.
    static std::string Chain();
};

} // namespace testsupport
