// Auto-type: synthesised key strokes to whatever window has the keyboard focus.
#pragma once

void AT_TypeChar(char c);
// Home, a pause of 100 ms, then Delete 100 times.
void AT_ClearField();
void AT_SendTab();
void AT_TypeText(const char *text);
