// What the drop window shows and whether it is shown: its list rebuilt from the
// droplist, its status bar counts, and the "display/hide crypted files" command
// states. The window itself belongs to the window layer, which registers it as
// the drop view while it exists.
#pragma once

#include <cstdint>

// The drop window: shown or hidden; its list emptied; one item added (image 0
// a file, 1 a folder; index as the item's parameter); its status bar counts.
class DropView {
  public:
    virtual ~DropView();
    virtual void Show(int show) = 0;
    virtual void ListClear() = 0;
    virtual void ListAdd(const char *filename, int image, uint32_t index) = 0;
    virtual void Counts(uint32_t folders, uint32_t files) = 0;
};
// Without a drop window there is no list to keep: the droplist stays in the
// safe's drop file, and nothing is shown.
void DW_SetView(DropView *view);
DropView *DW_GetView();

// The drop window is shown; mirrors the setting CryptWindowActive.
int DW_WindowActive();
// Forgets it, as at the program's start.
void DW_ResetWindowActive();

// Rebuilds the list from the droplist: one item per dropped file and folder
// (members of a dropped folder are not listed), in chain order.
void DW_FillList();
// Shows or hides the window, switches the commands so that only the other one
// is offered, and writes CryptWindowActive ("yes"/"no") to the settings file.
void DW_ShowWindow();
void DW_HideWindow();
// The status bar: the droplist's folder and file counts.
void DW_ShowCounts();
