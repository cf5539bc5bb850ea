// The drop window "orvDrop": a top-level window made hidden with the main
// window, living as long as it; closing it only hides it. Its list shows the
// dropped files and folders; a right click decrypts the selected ones. It
// registers itself as the core's drop view while it exists.
#pragma once

#include "ui/ui_globals.h"

#include <shellapi.h>


LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A drop on the drop window or the main window: its paths go to the encryption,
// then the drop is released.
void DW_DropFiles(HDROP hDrop);
