// Where the main window's parts go, the status bar parts, the stored window
// place and the split bar's drag.
#include "model/window_layout.h"

#include <gtest/gtest.h>

namespace {

void ExpectBox(const WL_BOX &b, int x, int y, int w, int h) {
    EXPECT_EQ(b.x, x);
    EXPECT_EQ(b.y, y);
    EXPECT_EQ(b.w, w);
    EXPECT_EQ(b.h, h);
}

TEST(WindowLayout, SplitZeroIsHalfTheClientWidthAtEverySize) {
    for (int width : {600, 801, 1000}) {
        const UI_RECT client = {0, 0, width, 500};
        WL_MAINLAYOUT l;
        WL_LayoutMain(&client, 30, 20, 0, 0, width, 96, &l);
        EXPECT_EQ(l.splitPos, width / 2);
        ExpectBox(l.status, 0, 480, width, 20);
        ExpectBox(l.tree, 0, 30, width / 2, 450);
        ExpectBox(l.split, width / 2 + 1, 30, 2, 450);
        ExpectBox(l.card, width / 2 + 4, 30, width - width / 2 - 2, 450);
        EXPECT_TRUE(l.showSplit);
    }
}

TEST(WindowLayout, StoredSplitQuickModeAndTheCategoryBox) {
    const UI_RECT client = {0, 0, 900, 600};
    WL_MAINLAYOUT l;
    WL_LayoutMain(&client, 28, 22, 333, 0, 890, 96, &l);
    ExpectBox(l.tree, 0, 28, 333, 550);
    ExpectBox(l.card, 337, 28, 900 - 333 - 2, 550);
    ExpectBox(l.combo, 890 - 101, 0, 100, 100);

    WL_LayoutMain(&client, 28, 22, 333, 1, 890, 96, &l);
    EXPECT_EQ(l.splitPos, WL_QUICK_SPLIT);
    EXPECT_FALSE(l.showSplit);
    ExpectBox(l.tree, 0, 28, 150, 550);
    EXPECT_EQ(WL_SplitPosition(0, 900, 0), 450);
    EXPECT_EQ(WL_SplitPosition(0, 901, 0), 450);
    EXPECT_EQ(WL_SplitPosition(77, 901, 1), 150);
}

TEST(WindowLayout, MainStatusEdgesFromTheSampleWidths) {
    int32_t e[6];
    // "12345" 30, "Cards:" 32, "123" 18, "Folder:" 36 pixels wide.
    WL_StatusEdgesMain(0, 800, 30, 32, 18, 36, 96, e);
    EXPECT_EQ(e[0], 20);
    EXPECT_EQ(e[5], 800);
    EXPECT_EQ(e[4], 800 - 30 - 10);
    EXPECT_EQ(e[3], 760 - 32 - 10);
    EXPECT_EQ(e[2], 718 - 18 - 10);
    EXPECT_EQ(e[1], 690 - 36 - 10);
    // A width that cannot be measured gives an edge of 0.
    WL_StatusEdgesMain(0, 800, 30, -1, 18, 36, 96, e);
    EXPECT_EQ(e[3], 0);
}

TEST(WindowLayout, DropAndSearchStatusEdges) {
    int32_t d[5];
    WL_StatusEdgesDrop(600, 36, 24, 18, 36, 96, d);
    EXPECT_EQ(d[4], 600);
    EXPECT_EQ(d[3], 554);
    EXPECT_EQ(d[2], 520);
    EXPECT_EQ(d[1], 492);
    EXPECT_EQ(d[0], 446);
    int32_t s[3];
    WL_StatusEdgesSearch(600, 36, 80, 96, s);
    EXPECT_EQ(s[2], 600);
    EXPECT_EQ(s[1], 554);
    EXPECT_EQ(s[0], 464);
}

// The 96-DPI sizes at 96, and scaled at 144 and 192 (a damaged DPI of 0 counts as 96).
TEST(WindowLayout, SizesScaleWithTheScreen) {
    const struct { int dpi, splitX, splitW, cardX, cardW, comboX, comboW, quick, status0, margin, image16, image24, image32; } rows[] = {
        {96, 334, 2, 337, 565, 789, 100, 150, 20, 10, 16, 24, 32},
        {0, 334, 2, 337, 565, 789, 100, 150, 20, 10, 16, 24, 32},
        {144, 335, 3, 340, 564, 738, 150, 225, 30, 15, 24, 32, 48},
        {192, 335, 4, 341, 563, 688, 200, 300, 40, 20, 32, 48, 48},
    };
    const UI_RECT client = {0, 0, 900, 600};
    for (const auto &r : rows) {
        WL_MAINLAYOUT l;
        WL_LayoutMain(&client, 28, 22, 333, 0, 890, r.dpi, &l);
        ExpectBox(l.split, r.splitX, 28, r.splitW, 550);
        ExpectBox(l.card, r.cardX, 28, r.cardW, 550);
        EXPECT_EQ(l.combo.x, r.comboX) << r.dpi;
        EXPECT_EQ(l.combo.w, r.comboW) << r.dpi;
        WL_LayoutMain(&client, 28, 22, 333, 1, 890, r.dpi, &l);
        EXPECT_EQ(l.tree.w, r.quick) << r.dpi;
        int32_t e[6];
        WL_StatusEdgesMain(0, 800, 30, 32, 18, 36, r.dpi, e);
        EXPECT_EQ(e[0], r.status0) << r.dpi;
        EXPECT_EQ(e[4], 800 - 30 - r.margin) << r.dpi;
        EXPECT_EQ(WL_ImageSize(16, r.dpi), r.image16) << r.dpi;
        EXPECT_EQ(WL_ImageSize(24, r.dpi), r.image24) << r.dpi;
        EXPECT_EQ(WL_ImageSize(32, r.dpi), r.image32) << r.dpi;
    }
}

TEST(WindowLayout, StoredPlaceMustEndWithinTheScreen) {
    UI_RECT r = {100, 50, 800, 600}; // left, top, width, height
    EXPECT_TRUE(WL_StoredRectFits(&r, 1024, 768));
    r = {300, 50, 800, 600};
    EXPECT_FALSE(WL_StoredRectFits(&r, 1024, 768)) << "beyond the right edge";
    r = {0, 200, 800, 600};
    EXPECT_FALSE(WL_StoredRectFits(&r, 1024, 768)) << "beyond the bottom";
    r = {224, 168, 800, 600};
    EXPECT_TRUE(WL_StoredRectFits(&r, 1024, 768)) << "touching both edges fits";
    r = {10, 10, 0, 400};
    EXPECT_FALSE(WL_StoredRectFits(&r, 1024, 768)) << "no width";
    r = {0x7FFFFFF0, 0, 0x7FFFFFF0, 10};
    EXPECT_FALSE(WL_StoredRectFits(&r, 1024, 768)) << "a sum past 32 bits does not wrap into the screen";
}

TEST(WindowLayout, SplitDragKeepsAwayFromTheEdges) {
    // Main window from 100 to 1100 on the screen; the tree ends at 500, the list starts at 504.
    EXPECT_EQ(WL_SplitTrack(299, 100, 1100, 500, 504), WL_TRACK_IGNORE);
    EXPECT_EQ(WL_SplitTrack(901, 100, 1100, 500, 504), WL_TRACK_IGNORE);
    EXPECT_EQ(WL_SplitTrack(300, 100, 1100, 500, 504), WL_TRACK_TREE);
    EXPECT_EQ(WL_SplitTrack(496, 100, 1100, 500, 504), WL_TRACK_TREE);
    EXPECT_EQ(WL_SplitTrack(497, 100, 1100, 500, 504), WL_TRACK_BAR);
    EXPECT_EQ(WL_SplitTrack(505, 100, 1100, 500, 504), WL_TRACK_BAR);
    EXPECT_EQ(WL_SplitTrack(506, 100, 1100, 500, 504), WL_TRACK_CARD);
    EXPECT_EQ(WL_SplitTrack(900, 100, 1100, 500, 504), WL_TRACK_CARD);
}

} // namespace
