// The drop window "orvDrop": a top-level window made hidden with the main
// window, living as long as it; closing it only hides it.
#pragma once

#include "ui/ui_globals.h"

LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
