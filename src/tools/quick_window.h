// The quick window's logic: the strip at the screen's right edge, its shrink
// to a 20-pixel tab after QWMinimizeTime seconds (timer 30) and its regrow on
// input. The window layer moves the window (ui/quick_window.cpp).
#pragma once

#include "model/window_layout.h"
#include "platform/uiport.h"

#include <cstdint>

enum : unsigned { QW_TIMER_SHRINK = 30 };
#define QW_STRIP_WIDTH 150
#define QW_TAB_WIDTH 20
#define QW_SHRINK_STEP 5
#define QW_SHRINK_STEPS 26 // 145, 140, ... 20
#define QW_STEP_PAUSE_MS 30

int QW_Shrunk(); // the strip is shrunk to its tab

// The sizes are pixels at 96 DPI, scaled to the screen's dpi.
// The strip on a screen: at its right edge, 150 wide, from the top down to the
// taskbar's top edge; the whole height when there is no taskbar (taskbarTop
// 0 or less: none, or docked at the top or a side).
WL_BOX QW_StripBox(int32_t screenWidth, int32_t screenHeight, int32_t taskbarTop, int32_t dpi);

// Starts (or restarts) timer 30.
void QW_SetTimer(uint32_t ms);

// Timer 30 fired with the strip at *strip: the timer stops. Unless a safe was
// closed by a time-out or the strip is shrunk already, the places it passes
// through on the way to its tab go to steps (QW_SHRINK_STEPS of them, each
// followed by a pause of QW_STEP_PAUSE_MS) and the strip counts as shrunk.
// Answers the number of steps, 0 for none.
int QW_ShrinkSteps(const UI_RECT *strip, int32_t dpi, WL_BOX steps[QW_SHRINK_STEPS]);

// A key press or mouse movement: a shrunk strip grows back to *full (1, its width before the shrink) and
// its timer starts again with QWMinimizeTime; 0 when it is not shrunk.
int QW_RegrowBox(WL_BOX *full);

// Out of quick window mode: the timer stops, the strip is no longer shrunk.
void QW_Reset();
