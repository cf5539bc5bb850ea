// A fixture for tests of the safe store: a temporary program directory, a
// scripted UI port, and empty record lists before and after every test.
#pragma once

#include "support/fake_ui.h"
#include "support/safe_builder.h"
#include "support/temp_dir.h"

#include <string>

namespace testsupport {

// Frees every list of the open safe, clears both safe descriptors.
void ReleaseSafeState();

// Reads a safe file as opening it does: header, password check, every section.
// Leaves the lists filled; 0, or -1 at the first step that failed.
int ReadSafeFile(const std::string &path, const std::string &password);

// Makes the lists the active safe at path (no file opened yet) with this password.
void MakeActive(const std::string &path, const std::string &password);

// A text of every list, record by record, for comparing two safes.
std::string DescribeLists();

class SafeTest : public TempDirTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    FakeUi ui;
};

} // namespace testsupport
