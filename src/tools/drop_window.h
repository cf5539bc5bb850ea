// What the drop window shows and whether it is shown: its list rebuilt from the
// droplist, its status bar counts, and the "display/hide crypted files" command
// states. The window itself belongs to the window layer, which registers it as
// the drop view while it exists.
#pragma once

#include <cstdint>
#include <string>

// The drop window: shown or hidden; its list showing a number of rows, each read
// through DW_ListRow; the list's own order of names as a key per name (two keys
// compared byte by byte order their names as the list does; it shows the rows
// sorted descending); its status bar counts.
class DropView {
  public:
    virtual ~DropView();
    virtual void Show(int show) = 0;
    virtual void ListRows(uint32_t rows) = 0;
    virtual std::string SortKey(const char *name) = 0;
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
// (members of a dropped folder are not listed), in the list's order.
void DW_FillList();
// Shows or hides the window, switches the commands so that only the other one
// is offered, and writes CryptWindowActive ("yes"/"no") to the settings file.
void DW_ShowWindow();
void DW_HideWindow();
// The status bar: the droplist's folder and file counts.
void DW_ShowCounts();

// A row of the drop window's list: a dropped file or folder (image 0 a file,
// 1 a folder; index the entry's). The rows are copies: an entry removed before
// the list is filled again still shows what it was.
struct DW_ROW {
    const char *filename;
    int image;
    uint32_t index;
};
// The row at a position of the list (sorted descending by the view's order,
// of equal names the later dropped first); false past the last.
bool DW_ListRow(uint32_t row, DW_ROW *out);
// One entry more in the list, at its place in the order.
void DW_ListInsert(const char *filename, uint32_t kz, uint32_t index);
// The list emptied (the safe was closed).
void DW_ListClear();
