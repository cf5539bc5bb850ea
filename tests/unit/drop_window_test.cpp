#include "config/settings.h"
#include "support/drop_fixture.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {
class DropWindow : public DropSafeTest {
  protected:
    std::string Ini() { return ReadFile(Path("orvsafe.ini")); }
};
} // namespace

TEST_F(DropWindow, FillListShowsDroppedItemsOnly) {
    DW_FillList();
    EXPECT_EQ(ui.dropListClears, 1);
    EXPECT_TRUE(ui.commands.empty()) << "an empty droplist stops after clearing";

    EXPECT_EQ(DW_AddDropList("C:\\a", KZ_FOLDER, 0x10), 0);
    EXPECT_EQ(DW_AddDropList("C:\\a\\1", KZ_MEMBER, 0x20), 0);
    EXPECT_EQ(DW_AddDropList("C:\\b.txt", KZ_FILE, 0x20), 0);
    DW_FillList();
    ASSERT_EQ(ui.dropItems.size(), 2u) << "sorted descending";
    EXPECT_EQ(ui.dropItems[1].filename, "C:\\a");
    EXPECT_EQ(ui.dropItems[1].image, 1);
    EXPECT_EQ(ui.dropItems[1].index, 1u);
    EXPECT_EQ(ui.dropItems[0].filename, "C:\\b.txt");
    EXPECT_EQ(ui.dropItems[0].image, 0);
    EXPECT_EQ(ui.dropItems[0].index, 3u);
    EXPECT_EQ(ui.commands[IDT_SHOWCRYPTED], 1) << "a hidden window can be displayed";

    DW_ShowCounts();
    ASSERT_EQ(ui.dropCounts.size(), 1u);
    EXPECT_EQ(ui.dropCounts[0], std::make_pair(1u, 1u));
}

TEST_F(DropWindow, ShowAndHideSwitchTheCommandsAndTheSetting) {
    DW_ShowWindow();
    EXPECT_EQ(DW_WindowActive(), 1);
    EXPECT_TRUE(ui.dropWindowShown);
    EXPECT_EQ(ui.commands[IDT_SHOWCRYPTED], 0);
    EXPECT_EQ(ui.commands[IDT_HIDECRYPTED], 1);
    EXPECT_TRUE(Settings.CryptWindowActive);
    EXPECT_NE(Ini().find("[Settings]\r\nCryptWindowActive=yes"), std::string::npos) << Ini();

    EXPECT_EQ(DW_AddDropList("C:\\b.txt", KZ_FILE, 0x20), 0);
    ui.commands.clear();
    DW_FillList();
    EXPECT_EQ(ui.commands.count(IDT_SHOWCRYPTED), 0u) << "the shown window offers no display";

    DW_HideWindow();
    EXPECT_EQ(DW_WindowActive(), 0);
    EXPECT_FALSE(ui.dropWindowShown);
    EXPECT_EQ(ui.commands[IDT_SHOWCRYPTED], 1);
    EXPECT_EQ(ui.commands[IDT_HIDECRYPTED], 0);
    EXPECT_NE(Ini().find("CryptWindowActive=no"), std::string::npos);
}
