// Screen scale: every pixel size the program sets is one at 96 DPI, scaled to
// the DPI of the window it is for. At 96 DPI every size stays as it was.
#pragma once

#include "ui/ui_globals.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The window's DPI (per monitor where the system knows it), the system's for a
// null window or a system without it; 96 when nothing answers.
int DP_WindowDpi(HWND hWnd);
// A 96-DPI size at the window's DPI.
int DP_Scale(HWND hWnd, int px96);
// The drawn image size (16, 24, 32 or 48) for a 96-DPI image size.
int DP_ImageSize(HWND hWnd, int px96);
// A system metric at the window's DPI.
int DP_Metric(HWND hWnd, int index);
// A stock font's description with its height at the window's DPI (stock fonts
// come at the system's).
void DP_StockFont(HWND hWnd, int stock, LOGFONTA *lf);
