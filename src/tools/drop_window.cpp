#include "tools/drop_window.h"

#include "config/settings.h"
#include "frame/trace.h"
#include "model/droplist_records.h"
#include "platform/uiport.h"

#include <algorithm>
#include <string>
#include <vector>

DropView::~DropView() = default;

namespace {
DropView *g_view = nullptr;
int bDropWindowActive = 0;

const char kCryptWindowActive[] = "CryptWindowActive";

// The list's rows in its order; the window asks for the ones it paints, so ten
// thousand dropped files are one sort, not ten thousand sorted insertions, and
// each name's key is made once, not at every comparison.
struct Row {
    std::string filename;
    uint32_t kz;
    uint32_t index;
    std::string key;
};
std::vector<Row> g_rows;

Row MakeRow(const char *filename, uint32_t kz, uint32_t index) {
    return {filename, kz, index, g_view->SortKey(filename)};
}

// Whether a comes before b: the list sorts descending, so the greater name first.
bool Before(const Row &a, const Row &b) { return a.key > b.key; }

void SetShown(bool shown) {
    bDropWindowActive = shown ? 1 : 0;
    Settings.CryptWindowActive = shown;
    if (g_view)
        g_view->Show(shown ? 1 : 0);
    UI_EnableCommand(IDT_SHOWCRYPTED, shown ? 0 : 1);
    UI_EnableCommand(IDT_HIDECRYPTED, shown ? 1 : 0);
    II_PutFlag(II_SECTION_SETTINGS, kCryptWindowActive, shown);
}
} // namespace

int DW_WindowActive() { return bDropWindowActive; }
void DW_ResetWindowActive() { bDropWindowActive = 0; }

void DW_SetView(DropView *view) {
    g_view = view;
    g_rows.clear(); // a new window starts with an empty list
}
DropView *DW_GetView() { return g_view; }

void DW_FillList() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B DW_FillList() (lpDROPLISTstart=%x)", TRACE_PTR(DW_DropList().first));
    if (!g_view)
        return;
    g_rows.clear();
    if (!DW_DropList().empty()) {
        if (!bDropWindowActive)
            UI_EnableCommand(IDT_SHOWCRYPTED, 1);
        for (DROPLIST *d : DW_DropList())
            if (d->kz == KZ_FILE || d->kz == KZ_FOLDER)
                g_rows.push_back(MakeRow(d->filename, d->kz, d->index));
        // Of equal names the later dropped comes first, as one inserted into the
        // sorted list goes before its equals.
        std::reverse(g_rows.begin(), g_rows.end());
        std::stable_sort(g_rows.begin(), g_rows.end(), Before);
    }
    g_view->ListRows(static_cast<uint32_t>(g_rows.size()));
}

void DW_ListInsert(const char *filename, uint32_t kz, uint32_t index) {
    if (!g_view || !(kz == KZ_FILE || kz == KZ_FOLDER))
        return;
    Row row = MakeRow(filename, kz, index);
    g_rows.insert(std::lower_bound(g_rows.begin(), g_rows.end(), row, Before), std::move(row));
    g_view->ListRows(static_cast<uint32_t>(g_rows.size()));
}

void DW_ListClear() {
    g_rows.clear();
    if (g_view)
        g_view->ListRows(0);
}

bool DW_ListRow(uint32_t row, DW_ROW *out) {
    if (row >= g_rows.size())
        return false;
    const Row &r = g_rows[row];
    *out = {r.filename.c_str(), static_cast<int>(r.kz) - 1, r.index};
    return true;
}

void DW_ShowWindow() { SetShown(true); }
void DW_HideWindow() { SetShown(false); }

void DW_ShowCounts() {
    if (g_view)
        g_view->Counts(DropCounts.nDropFolderCount, DropCounts.nDropFileCount);
}
