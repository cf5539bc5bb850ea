#include "tools/drop_window.h"

#include "config/settings.h"
#include "frame/trace.h"
#include "model/droplist_records.h"
#include "platform/uiport.h"


DropView::~DropView() = default;

namespace {
DropView *g_view = nullptr;
int bDropWindowActive = 0;

const char kCryptWindowActive[] = "CryptWindowActive";

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

void DW_SetView(DropView *view) { g_view = view; }
DropView *DW_GetView() { return g_view; }

void DW_FillList() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B DW_FillList() (lpDROPLISTstart=%x)", TRACE_PTR(DW_DropList().first));
    if (!g_view)
        return;
    g_view->ListClear();
    if (DW_DropList().empty())
        return;
    if (!bDropWindowActive)
        UI_EnableCommand(IDT_SHOWCRYPTED, 1);
    for (DROPLIST *d : DW_DropList())
        if (d->kz == KZ_FILE || d->kz == KZ_FOLDER)
            g_view->ListAdd(d->filename, static_cast<int>(d->kz) - 1, d->index);
}

void DW_ShowWindow() { SetShown(true); }
void DW_HideWindow() { SetShown(false); }

void DW_ShowCounts() {
    if (g_view)
        g_view->Counts(DropCounts.nDropFolderCount, DropCounts.nDropFileCount);
}
