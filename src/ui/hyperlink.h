// Static text controls of dialogs turned into links: blue text, underlined
// while the pointer is over it, the hand pointer; a click reaches the dialog
// as a command from the control.
#pragma once

#include "ui/ui_globals.h"

#define HL_LINK_COLOUR RGB(0, 0, 0xC0) // 0x00C00000

BOOL HL_MakeHyperlink(HWND hStatic);
BOOL HL_MakeDlgItemHyperlink(HWND hDlg, int id);
