// The search results window "orvSearch": a top-level window made hidden with
// the main window, living as long as it; closing it only hides it.
#pragma once

#include "ui/ui_globals.h"

LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
