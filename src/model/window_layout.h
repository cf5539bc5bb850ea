// Where the main window's parts go, worked out from numbers alone: the panes
// and the split bar, the status bar parts of the three windows, whether a
// stored window place fits the screen, and what a drag of the split bar does.
#pragma once

#include "platform/uiport.h"

#include <cstdint>

#define WL_QUICK_SPLIT 150 // the tree pane's width in quick window mode
#define WL_DRAG_MARGIN 200 // the split bar keeps this far from the window's edges

struct WL_BOX {
    int32_t x, y, w, h;
};

struct WL_MAINLAYOUT {
    WL_BOX status, tree, split, card, combo;
    int32_t splitPos; // the tree pane's width
    int showSplit;    // 0 in quick window mode: the bar stays where it is
};

// Every pixel size here is one at 96 DPI, scaled to the window's DPI (dpi 96:
// unchanged). Stored places and split positions stay in the units stored.
#define WL_BASE_DPI 96
int32_t WL_Scale(int32_t px96, int32_t dpi);
// The image size for a 96-DPI size at dpi: the largest of the drawn sizes 16,
// 24, 32 and 48 that the scaled size holds (16 at least).
int32_t WL_ImageSize(int32_t px96, int32_t dpi);

// The split position in use: the stored one, half the client width when it is
// 0, 150 in quick window mode.
int32_t WL_SplitPosition(int32_t stored, int32_t clientRight, int quick);

// The layout for a client rectangle, the toolbar's and status bar's heights,
// the stored split position and the toolbar's client width (for the combo box).
void WL_LayoutMain(const UI_RECT *client, int32_t toolbarHeight, int32_t statusHeight, int32_t storedSplit, int quick,
                   int32_t toolbarWidth, int32_t dpi, WL_MAINLAYOUT *out);

// Right edges of the status bar parts, from the widths of the sample texts
// ("12345", "Cards:", "123", "Folder:" for the main bar, as the windows measure
// them; a width that cannot be measured makes its edge 0).
void WL_StatusEdgesMain(int32_t clientLeft, int32_t clientRight, int32_t w12345, int32_t wCards, int32_t w123,
                        int32_t wFolder, int32_t dpi, int32_t edges[6]);
void WL_StatusEdgesDrop(int32_t clientRight, int32_t w555555, int32_t wFiles, int32_t w555, int32_t wFolder, int32_t dpi,
                        int32_t edges[5]);
void WL_StatusEdgesSearch(int32_t clientRight, int32_t w555555, int32_t wResults, int32_t dpi, int32_t edges[3]);

// A stored main window place (left, top, width, height) is used only when it
// ends within the screen and has a width and a height; otherwise the system
// chooses. 1 to use it.
int WL_StoredRectFits(const UI_RECT *placeAsSize, int32_t screenWidth, int32_t screenHeight);

// A drag of the split bar with the cursor at screen x.
enum WL_TRACK {
    WL_TRACK_IGNORE, // too near an edge of the main window
    WL_TRACK_TREE,   // over the tree: the tree pane draws the line
    WL_TRACK_CARD,   // over the card list: the card pane draws it
    WL_TRACK_BAR,    // over the bar itself: the line goes, the old position comes back
};
WL_TRACK WL_SplitTrack(int32_t x, int32_t mainLeft, int32_t mainRight, int32_t treeRight, int32_t listLeft);
