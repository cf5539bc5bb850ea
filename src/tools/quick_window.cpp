#include "tools/quick_window.h"

#include "config/settings.h"
#include "tools/timeout.h"

int bQWShrunk = 0;
namespace {
UI_RECT rcQWStrip = {}; // the strip's rectangle when it began to shrink
}

WL_BOX QW_StripBox(int32_t screenWidth, int32_t screenHeight, int32_t taskbarTop) {
    return {screenWidth - QW_STRIP_WIDTH, 0, QW_STRIP_WIDTH, taskbarTop > 0 ? taskbarTop : screenHeight};
}

void QW_SetTimer(uint32_t ms) { UI_SetTimer(QW_TIMER_SHRINK, ms); }

int QW_ShrinkSteps(const UI_RECT *strip, WL_BOX steps[QW_SHRINK_STEPS]) {
    UI_KillTimer(QW_TIMER_SHRINK);
    if (Inactivity.bSafeClosedByTimeOut || bQWShrunk)
        return 0;
    rcQWStrip = *strip;
    int n = 0;
    for (int32_t w = QW_STRIP_WIDTH - QW_SHRINK_STEP; w >= QW_TAB_WIDTH; w -= QW_SHRINK_STEP)
        steps[n++] = {strip->left + (QW_STRIP_WIDTH - w), strip->top, w, strip->bottom};
    bQWShrunk = 1;
    return n;
}

int QW_RegrowBox(WL_BOX *full) {
    if (!bQWShrunk)
        return 0;
    *full = {rcQWStrip.left, rcQWStrip.top, QW_STRIP_WIDTH, rcQWStrip.bottom};
    bQWShrunk = 0;
    QW_SetTimer(T_Seconds2Ms(Settings.QWMinimizeTime));
    return 1;
}

void QW_Reset() {
    UI_KillTimer(QW_TIMER_SHRINK);
    bQWShrunk = 0;
}
