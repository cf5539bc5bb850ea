#include "tools/quick_window.h"

#include "config/settings.h"
#include "tools/timeout.h"

namespace {
int bQWShrunk = 0;
UI_RECT rcQWStrip = {}; // the strip's rectangle when it began to shrink
}

int QW_Shrunk() { return bQWShrunk; }

WL_BOX QW_StripBox(int32_t screenWidth, int32_t screenHeight, int32_t taskbarTop, int32_t dpi) {
    const int32_t w = WL_Scale(QW_STRIP_WIDTH, dpi);
    return {screenWidth - w, 0, w, taskbarTop > 0 ? taskbarTop : screenHeight};
}

void QW_SetTimer(uint32_t ms) { UI_SetTimer(QW_TIMER_SHRINK, ms); }

int QW_ShrinkSteps(const UI_RECT *strip, int32_t dpi, WL_BOX steps[QW_SHRINK_STEPS]) {
    UI_KillTimer(QW_TIMER_SHRINK);
    if (Inactivity.bSafeClosedByTimeOut || bQWShrunk)
        return 0;
    rcQWStrip = *strip;
    // As many steps at every scale, each QW_SHRINK_STEP pixels at 96 DPI.
    const int32_t full = WL_Scale(QW_STRIP_WIDTH, dpi), tab = WL_Scale(QW_TAB_WIDTH, dpi);
    int n = 0;
    for (int i = 1; i <= QW_SHRINK_STEPS; ++i) {
        const int32_t w = full - (full - tab) * i / QW_SHRINK_STEPS;
        steps[n++] = {strip->left + (full - w), strip->top, w, strip->bottom};
    }
    bQWShrunk = 1;
    return n;
}

int QW_RegrowBox(WL_BOX *full) {
    if (!bQWShrunk)
        return 0;
    *full = {rcQWStrip.left, rcQWStrip.top, rcQWStrip.right - rcQWStrip.left, rcQWStrip.bottom};
    bQWShrunk = 0;
    QW_SetTimer(T_Seconds2Ms(Settings.QWMinimizeTime));
    return 1;
}

void QW_Reset() {
    UI_KillTimer(QW_TIMER_SHRINK);
    bQWShrunk = 0;
}
