// The search results window "orvSearch": a top-level window made hidden with
// the main window, living as long as it; closing it only hides it. A click on a
// hit selects its folder or card in the tree. It registers itself as the core's
// search view while it exists.
#pragma once

#include "ui/ui_globals.h"


LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The toolbar's "Search": the modal dialog 245 over the main window.
void SE_ShowSearchDialog();
