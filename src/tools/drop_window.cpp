#include "tools/drop_window.h"

#include "config/settings.h"
#include "frame/trace.h"
#include "platform/uiport.h"
#include "tools/droplist.h"

int bDropWindowActive = 0;

namespace {
const char kCryptWindowActive[] = "CryptWindowActive";

void SetShown(bool shown) {
    bDropWindowActive = shown ? 1 : 0;
    Settings.CryptWindowActive = shown;
    UI_ShowDropWindow(shown ? 1 : 0);
    UI_EnableCommand(IDT_SHOWCRYPTED, shown ? 0 : 1);
    UI_EnableCommand(IDT_HIDECRYPTED, shown ? 1 : 0);
    II_PutFlag(II_SECTION_SETTINGS, kCryptWindowActive, shown);
}
} // namespace

void DW_FillList() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B DW_FillList() (lpDROPLISTstart=%x)", TRACE_PTR(lpDROPLISTstart));
    UI_DropListClear();
    if (!lpDROPLISTstart)
        return;
    if (!bDropWindowActive)
        UI_EnableCommand(IDT_SHOWCRYPTED, 1);
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next)
        if (d->kz == KZ_FILE || d->kz == KZ_FOLDER)
            UI_DropListAdd(d->filename, static_cast<int>(d->kz) - 1, d->index);
}

void DW_ShowWindow() { SetShown(true); }
void DW_HideWindow() { SetShown(false); }

void DW_ShowCounts() { UI_DropCounts(nDropFolderCount, nDropFileCount); }
