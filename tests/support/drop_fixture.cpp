#include "support/drop_fixture.h"

#include "config/settings.h"
#include "store/safe_lifecycle.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/recover_file.h"

#include <cstdio>

namespace testsupport {

void DropSafeTest::ResetDropState() {
    DW_FreeDroptabelle();
    DW_ResetDropCounters();
    DW_ResetWindowActive();
    REC_ResetRecoverRequest();
}

void DropSafeTest::SetUp() {
    SafeTest::SetUp();
    ResetDropState();
    snprintf(Settings.SafePath, sizeof Settings.SafePath, "%s", dir.c_str());
}

void DropSafeTest::TearDown() {
    ResetDropState();
    SafeTest::TearDown();
}

std::string DropSafeTest::SafeBytes(const std::string &password, const std::string &folderName) {
    SafeContents s;
    s.password = password;
    s.folders = {{1, 1, folderName, ""}};
    return BuildSafe(s);
}

std::string DropSafeTest::OpenSafe(const std::string &name, const std::string &password, const std::string &folder) {
    std::string path = (folder.empty() ? dir : folder) + "\\" + name;
    EXPECT_TRUE(WriteFile(path, SafeBytes(password)));
    ui.passwords = {password};
    EXPECT_EQ(SW_GetSafe(path.c_str()), 0);
    return path;
}

std::string DropSafeTest::Chain() {
    std::string s;
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next)
        s += std::string(d->filename) + " " + std::to_string(d->index) + " " + std::to_string(d->kz) + " " +
             std::to_string(d->dwAttribute) + "\n";
    return s;
}

} // namespace testsupport
