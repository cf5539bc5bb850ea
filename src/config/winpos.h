// Window rectangles kept in section "Settings" of the settings file as
// "left,top,right,bottom"; the windows themselves are reached through the UI port.
#pragma once

#include "platform/uiport.h"

#include <cstdint>

#define IW_NUMBER_SIZE 50 // the buffer one number of a rectangle is taken through

// Reads a rectangle key of section "Settings" into rect: 0, or -1 (rect
// untouched) when the key is missing or empty. With asSize, right and bottom
// become a width (right - left) and a height (bottom - top). A number missing
// because the text ran out is 0.
int IW_GetWindowRect(UI_RECT *rect, const char *key, int asSize);

// Takes the next number off the front of a comma-separated text: the text up to
// the first comma (at most IW_NUMBER_SIZE - 1 characters of it) is parsed as an
// integer and the rest after the comma moves to the front; without a comma the
// whole text is the number and the text becomes empty.
int32_t IW_NextNumber(char *text);

// Writes MainWindow, SplitBar, DropWindow and SearchWindow (the main window is
// being destroyed; the caller skips this in quick window mode). When a rectangle
// cannot be had, the rest is skipped and "IW01" logged; -1 then, else 0.
int IW_SaveWindowPositions();
