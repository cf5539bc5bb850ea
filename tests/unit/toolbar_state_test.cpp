// The toolbar's table and enable mask.
#include "model/toolbar_state.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class ToolbarState : public ::testing::Test {
  protected:
    void SetUp() override { TB_ResetMask(); }
    void TearDown() override { TB_ResetMask(); }
};

const uint32_t kMasked[] = {2002, 2003, 2004, 2005, 2009, 2010, 2011, 2012, 2013, 2014};
const uint32_t kAlways[] = {32774, 32773, 2006, 2008, 2007};

TEST_F(ToolbarState, TableHasFifteenImagesInOrderAndTenSeparators) {
    int separators = 0, next = 0;
    std::set<uint32_t> commands;
    for (const TB_BUTTON &b : TB_Buttons) {
        if (b.command == TB_SEPARATOR) {
            ++separators;
            EXPECT_EQ(b.image, -1);
            continue;
        }
        EXPECT_EQ(b.image, next++) << "images are used left to right";
        commands.insert(b.command);
    }
    EXPECT_EQ(separators, 10);
    EXPECT_EQ(next, 15);
    EXPECT_EQ(commands.size(), 15u);
    EXPECT_EQ(TB_Buttons[0].command, TB_SEPARATOR);
    EXPECT_EQ(TB_Buttons[18].command, 2011u) << "the desktop pair starts at index 18";
    EXPECT_EQ(TB_Buttons[19].command, 2012u);
    EXPECT_EQ(TB_Buttons[20].command, TB_SEPARATOR);
    EXPECT_EQ(TB_Buttons[24].command, 2007u);
}

TEST_F(ToolbarState, TooltipsByCommand) {
    EXPECT_STREQ(TB_TooltipText(32774), "create safe");
    EXPECT_STREQ(TB_TooltipText(32773), "open safe");
    EXPECT_STREQ(TB_TooltipText(2003), "change card content");
    EXPECT_STREQ(TB_TooltipText(2002), "display card content");
    EXPECT_STREQ(TB_TooltipText(2004), "display crypted files");
    EXPECT_STREQ(TB_TooltipText(2005), "hide crypted files");
    EXPECT_STREQ(TB_TooltipText(2006), "Options");
    EXPECT_STREQ(TB_TooltipText(2008), "Quickwin");
    EXPECT_STREQ(TB_TooltipText(2009), "Search");
    EXPECT_STREQ(TB_TooltipText(2010), "Close Trees");
    EXPECT_STREQ(TB_TooltipText(2011), "Save desktop icon position");
    EXPECT_STREQ(TB_TooltipText(2012), "Restore desktop icon position");
    EXPECT_STREQ(TB_TooltipText(2013), "Create note");
    EXPECT_STREQ(TB_TooltipText(2014), "Hide/display notes");
    EXPECT_STREQ(TB_TooltipText(2007), "Helpfile");
    EXPECT_EQ(TB_TooltipText(32800), nullptr) << "a menu-only command has no tooltip";
    EXPECT_EQ(TB_TooltipText(TB_SEPARATOR), nullptr);
}

TEST_F(ToolbarState, StartMaskLeavesOnlyTheFiveAlwaysEnabled) {
    for (uint32_t c : kAlways) {
        EXPECT_EQ(TB_MaskBit(c), 0u);
        EXPECT_TRUE(TB_IsEnabled(c)) << c;
    }
    for (uint32_t c : kMasked) {
        EXPECT_NE(TB_MaskBit(c), 0u);
        EXPECT_FALSE(TB_IsEnabled(c)) << c;
    }
}

TEST_F(ToolbarState, SafeOpenAndClose) {
    TB_ApplyState(TB_STATE_SAFEOPEN);
    for (uint32_t c : {2009u, 2010u, 2011u, 2013u, 2014u})
        EXPECT_TRUE(TB_IsEnabled(c)) << c;
    EXPECT_FALSE(TB_IsEnabled(2012)) << "restore waits for a saved profile";
    EXPECT_FALSE(TB_IsEnabled(2002));
    EXPECT_FALSE(TB_IsEnabled(2003));
    TB_SetBits(TB_BIT_RESTOREDESKTOP, 1);
    TB_ApplyState(TB_STATE_DISPLAYMODE);
    TB_ApplyState(TB_STATE_DROPSHOWN);
    TB_ApplyState(TB_STATE_SAFECLOSED);
    for (uint32_t c : {2002u, 2003u, 2009u, 2010u, 2011u, 2012u, 2013u, 2014u})
        EXPECT_FALSE(TB_IsEnabled(c)) << c;
    EXPECT_TRUE(TB_IsEnabled(2005)) << "the drop window does not depend on the safe";
    EXPECT_EQ(TB_Mask() & 0x2043u, 0x2043u) << "bits of no button stay as they were";
}

TEST_F(ToolbarState, CardModesAndDropWindowSwitchPairs) {
    TB_ApplyState(TB_STATE_DISPLAYMODE);
    EXPECT_TRUE(TB_IsEnabled(2003));
    EXPECT_FALSE(TB_IsEnabled(2002));
    TB_ApplyState(TB_STATE_CHANGEMODE);
    EXPECT_FALSE(TB_IsEnabled(2003));
    EXPECT_TRUE(TB_IsEnabled(2002));
    TB_ApplyState(TB_STATE_NOCARD);
    EXPECT_FALSE(TB_IsEnabled(2003));
    EXPECT_FALSE(TB_IsEnabled(2002));

    TB_ApplyState(TB_STATE_DROPHIDDEN);
    EXPECT_TRUE(TB_IsEnabled(2004));
    EXPECT_FALSE(TB_IsEnabled(2005));
    TB_ApplyState(TB_STATE_DROPSHOWN);
    EXPECT_FALSE(TB_IsEnabled(2004));
    EXPECT_TRUE(TB_IsEnabled(2005));
    TB_ApplyState(TB_STATE_DROPLIST);
    EXPECT_FALSE(TB_IsEnabled(2004));
    EXPECT_FALSE(TB_IsEnabled(2005));
}

TEST_F(ToolbarState, SetBitsTouchesOnlyThoseBits) {
    TB_SetBits(TB_BIT_NOTES | TB_BIT_SEARCH, 1);
    EXPECT_EQ(TB_Mask(), TB_START_MASK | TB_BIT_NOTES | TB_BIT_SEARCH);
    TB_SetBits(TB_BIT_NOTES, 0);
    EXPECT_EQ(TB_Mask(), TB_START_MASK | TB_BIT_SEARCH);
}

} // namespace
