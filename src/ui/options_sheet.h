// The Options sheet "Properties" (menu "Settings", toolbar): five pages whose
// rules live in tools/options_pages; these are their window procedures.
#pragma once

#include <windows.h>

// Runs the modal sheet over owner's windows; OK applies every page opened.
void OP_PropertySheet(HWND owner);
