#include "tools/desktop_icons.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/desktop_profiles.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "tools/desktop_dialog.h"

#include <cstring>

namespace {
const int kRestorePasses = 5;

void DesktopError(const char *code, const char *text, uint32_t error) {
    ML_WriteLog(code, text, error);
    UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP);
}

// Reaches the desktop's icon list; the failures are logged and shown.
bool ReachDesktop() {
    int failure = 0;
    if (PL_DesktopOpen(&failure) == 0)
        return true;
    if (failure == PL_DESKTOP_NO_ACCESS)
        DesktopError("DT01", "error: OpenProcess failed!", PL_GetLastError());
    else
        DesktopError("DT00", "error: GetWindowThreadProcessID failed!", 0);
    return false;
}

// Saving needs a desktop with icons. Without the shell's icon list (a desktop
// with no shell, as under Wine) or without icons the user is told before a
// profile is made that could only stay empty.
bool DesktopHasIcons() {
    int failure = 0;
    if (PL_DesktopOpen(&failure) != 0) {
        if (failure == PL_DESKTOP_NO_ACCESS) {
            DesktopError("DT01", "error: OpenProcess failed!", PL_GetLastError());
            return false;
        }
        ML_WriteLog("DT00", "error: GetWindowThreadProcessID failed!", 0);
        UI_MessageBox("This desktop has no icon list: there are no icon positions to save", "Error",
                      UI_MB_OK | UI_MB_ICONSTOP);
        return false;
    }
    const int n = PL_DesktopItemCount();
    PL_DesktopClose();
    if (n > 0)
        return true;
    UI_MessageBox("The desktop shows no icons: there are no icon positions to save", "Notice",
                  UI_MB_OK | UI_MB_ICONINFORMATION);
    return false;
}

ProfileView *g_view = nullptr;

// Runs the profile dialog; the chosen profile's id, or 0 when it was cancelled
// or there is no dialog to run.
uint32_t ChooseProfile(uint32_t mode) {
    if (!g_view) {
        ML_WriteLog("DT06", "no profile dialog", 0);
        return 0;
    }
    uint32_t id = 0;
    if (g_view->Choose(mode, &id) != 0)
        return 0;
    return id;
}
} // namespace

ProfileView::~ProfileView() = default;

void DT_SetProfileView(ProfileView *view) { g_view = view; }

int DT_StoreIconPositions(uint32_t id) {
    if (!ReachDesktop())
        return -1;
    int n = PL_DesktopItemCount();
    TRACE(TRACE_DUMP_DESKTOP, "ISAV", "** DT_SaveDesktopIcons() items=%d", n);
    int stored = 0;
    for (int i = 0; i < n; ++i) {
        DESKTOP *d = DT_AppendIcon(!DT_Icons().empty() ? "DT_M_01" : "DT_M_00");
        if (!d)
            break;
        d->nIndex = static_cast<uint32_t>(i);
        d->nProfilIndex = id;
        char text[DT_ITEM_TEXT_SIZE];
        if (PL_DesktopItemText(i, text, sizeof text) != 0)
            text[0] = 0;
        size_t len = strnlen(text, DESKTOP_TEXT_MAX);
        if (len > 0) {
            d->dwIconText = static_cast<char *>(T_Malloc("DT_M_02", len + 1));
            if (!d->dwIconText)
                break;
            memcpy(d->dwIconText, text, len);
            d->nTextLen = static_cast<uint32_t>(len);
        }
        PL_SecureZero(text, sizeof text);
        if (PL_DesktopGetItemPosition(i, &d->x, &d->y) != 0)
            d->x = d->y = 0;
        ++stored;
    }
    PL_DesktopClose();
    return stored;
}

int DT_PlaceIconPositions(uint32_t id) {
    if (!ReachDesktop())
        return -1;
    int n = PL_DesktopItemCount();
    // The labels of one pass, to count the icons that share a label.
    char *texts = n > 0 ? static_cast<char *>(T_Malloc("DT_M_03", static_cast<size_t>(n) * DT_ITEM_TEXT_SIZE))
                        : nullptr;
    for (int pass = 0; texts && pass < kRestorePasses; ++pass) {
        for (int k = 0; k < n; ++k) {
            char *text = texts + static_cast<size_t>(k) * DT_ITEM_TEXT_SIZE;
            if (PL_DesktopItemText(k, text, DT_ITEM_TEXT_SIZE) != 0)
                text[0] = 0;
            if (!text[0])
                continue;
            int nth = 0;
            for (int j = 0; j < k; ++j)
                nth += strcmp(texts + static_cast<size_t>(j) * DT_ITEM_TEXT_SIZE, text) == 0;
            if (DESKTOP *d = DT_FindIconNth(id, text, nth))
                PL_DesktopSetItemPosition(k, d->x, d->y);
        }
    }
    if (texts)
        T_FreeSecret("DT_F_07", texts, static_cast<size_t>(n) * DT_ITEM_TEXT_SIZE);
    PL_DesktopClose();
    return 0;
}

void DT_SaveDesktopIcons() {
    if (!DesktopHasIcons())
        return;
    uint32_t id = ChooseProfile(DT_MODE_SAVE);
    if (id == 0)
        return;
    if (DT_StoreIconPositions(id) <= 0)
        return;
    UI_EnableCommand(IDT_RESTOREDESKTOP, 1);
    UI_MessageBox("Icon positions saved!", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
}

void DT_RestoreDesktopIcons() {
    if (DT_Icons().empty())
        return;
    uint32_t id = ChooseProfile(DT_MODE_RESTORE);
    if (id == 0)
        return;
    if (DT_PlaceIconPositions(id) != 0)
        return;
    UI_MessageBox("Icon positions restored!", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
}
