// What the drop window shows and whether it is shown: its list rebuilt from the
// droplist, its status bar counts, and the "display/hide crypted files" command
// states. The window itself belongs to the window layer, which this module
// reaches through the UI port.
#pragma once

// The drop window is shown; mirrors the setting CryptWindowActive.
extern int bDropWindowActive;

// Rebuilds the list from the droplist: one item per dropped file and folder
// (members of a dropped folder are not listed), in chain order.
void DW_FillList();
// Shows or hides the window, switches the commands so that only the other one
// is offered, and writes CryptWindowActive ("yes"/"no") to the settings file.
void DW_ShowWindow();
void DW_HideWindow();
// The status bar: the droplist's folder and file counts.
void DW_ShowCounts();
