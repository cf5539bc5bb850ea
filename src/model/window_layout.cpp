#include "model/window_layout.h"

int32_t WL_Scale(int32_t px96, int32_t dpi) {
    if (dpi <= 0)
        dpi = WL_BASE_DPI;
    // Rounded half away from zero, as MulDiv does.
    const int64_t n = static_cast<int64_t>(px96) * dpi;
    return static_cast<int32_t>(n >= 0 ? (n + WL_BASE_DPI / 2) / WL_BASE_DPI : (n - WL_BASE_DPI / 2) / WL_BASE_DPI);
}

int32_t WL_ImageSize(int32_t px96, int32_t dpi) {
    static const int32_t drawn[] = {48, 32, 24, 16};
    const int32_t want = WL_Scale(px96, dpi);
    for (int32_t size : drawn)
        if (size <= want)
            return size;
    return 16;
}

int32_t WL_SplitPosition(int32_t stored, int32_t clientRight, int quick) {
    if (quick)
        return WL_QUICK_SPLIT;
    return stored != 0 ? stored : clientRight / 2;
}

void WL_LayoutMain(const UI_RECT *client, int32_t toolbarHeight, int32_t statusHeight, int32_t storedSplit, int quick,
                   int32_t toolbarWidth, int32_t dpi, WL_MAINLAYOUT *out) {
    const int32_t top = client->top + toolbarHeight;
    const int32_t h = client->bottom - toolbarHeight - statusHeight;
    const int32_t p = quick ? WL_Scale(WL_QUICK_SPLIT, dpi) : WL_SplitPosition(storedSplit, client->right, 0);
    const int32_t one = WL_Scale(1, dpi), two = WL_Scale(2, dpi), combo = WL_Scale(100, dpi);
    out->splitPos = p;
    out->showSplit = !quick;
    out->status = {client->left, client->bottom - statusHeight, client->right - client->left, statusHeight};
    out->tree = {client->left, top, p, h};
    out->split = {p + one, top, two, h};
    out->card = {p + one + two + one, top, client->right - p - two, h};
    out->combo = {toolbarWidth - combo - one, 0, combo, combo};
}

// A sample text's width and its margin, or the edge 0 when it could not be measured.
static int32_t Edge(int32_t from, int32_t width, int32_t dpi) {
    return width < 0 ? 0 : from - width - WL_Scale(10, dpi);
}

void WL_StatusEdgesMain(int32_t clientLeft, int32_t clientRight, int32_t w12345, int32_t wCards, int32_t w123,
                        int32_t wFolder, int32_t dpi, int32_t edges[6]) {
    edges[0] = clientLeft + WL_Scale(20, dpi);
    edges[5] = clientRight;
    edges[4] = Edge(edges[5], w12345, dpi);
    edges[3] = Edge(edges[4], wCards, dpi);
    edges[2] = Edge(edges[3], w123, dpi);
    edges[1] = Edge(edges[2], wFolder, dpi);
}

void WL_StatusEdgesDrop(int32_t clientRight, int32_t w555555, int32_t wFiles, int32_t w555, int32_t wFolder, int32_t dpi,
                        int32_t edges[5]) {
    edges[4] = clientRight;
    edges[3] = Edge(edges[4], w555555, dpi);
    edges[2] = Edge(edges[3], wFiles, dpi);
    edges[1] = Edge(edges[2], w555, dpi);
    edges[0] = Edge(edges[1], wFolder, dpi);
}

void WL_StatusEdgesSearch(int32_t clientRight, int32_t w555555, int32_t wResults, int32_t dpi, int32_t edges[3]) {
    edges[2] = clientRight;
    edges[1] = Edge(edges[2], w555555, dpi);
    edges[0] = Edge(edges[1], wResults, dpi);
}

int WL_StoredRectFits(const UI_RECT *r, int32_t screenWidth, int32_t screenHeight) {
    // Sums in 64 bits: a damaged settings file must not wrap into a fitting place.
    const int64_t right = static_cast<int64_t>(r->left) + r->right;
    const int64_t bottom = static_cast<int64_t>(r->top) + r->bottom;
    // A place without area would make a window nobody can see.
    return r->right > 0 && r->bottom > 0 && right <= screenWidth && bottom <= screenHeight;
}

WL_TRACK WL_SplitTrack(int32_t x, int32_t mainLeft, int32_t mainRight, int32_t treeRight, int32_t listLeft) {
    if (x < mainLeft + WL_DRAG_MARGIN || x > mainRight - WL_DRAG_MARGIN)
        return WL_TRACK_IGNORE;
    if (x <= treeRight - 4)
        return WL_TRACK_TREE;
    if (x >= listLeft + 2)
        return WL_TRACK_CARD;
    return WL_TRACK_BAR;
}
