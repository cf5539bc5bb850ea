// The split bar between the tree pane and the card pane: dragging it moves the
// tracking line over the panes and, on release, the split position.
#pragma once

#include "ui/ui_globals.h"

// The split position: the tree pane's width; 0 means half the client width.
int MA_GetSplitPosition();
void MA_SetSplitPosition(int position);

LRESULT CALLBACK MA_SplitBarProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The tracking line moves to the cursor in a pane and the split position
// follows it. The split bar calls it for the pane under the cursor after sending
// it UM_SPLITTRACK; calling it again at the same cursor changes nothing.
void MA_SplitTrack(HWND pane);
// Whether the split bar is being dragged.
BOOL MA_SplitDragging();
