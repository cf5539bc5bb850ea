// What the windows that fill a safe share: the user icons in an image list, a
// chosen icon shown in a picture control, and the four-column field list of
// the template and card choosers.
#pragma once

#include "ui/ui_globals.h"

#include <commctrl.h>

// An image list of every user icon at size x size pixels, in icon list order
// (a record's position is its image); null when it cannot be made.
HIMAGELIST FL_IconImages(int size);
// The position of the icon named exactly so in the icon list; -1 when none.
int FL_IconPosition(const char *name);
// Shows the icon of that name in a picture control (nothing for an unknown name).
void FL_ShowIcon(HWND hDlg, int id, const char *icon);

// Adds a list view row (text, image, item data) at the end; answers its position.
int FL_AddRow(HWND list, const char *text, int image, LPARAM data);
// The selected row of a list view, -1 when none, and its text.
int FL_Selected(HWND list);
void FL_RowText(HWND list, int row, char *text, int size);
// Selects a row and keeps it in sight.
void FL_Select(HWND list, int row);

// The field list of a chooser: "Fieldname", "Fieldtype", "D" and "Size" over
// 3, 3, 1 and 2 tenths of its width; FL_ShowFields lists FELDSTRUCT in it,
// each row carrying the field's index, from the highest index down.
void FL_FieldColumns(HWND list);
void FL_ShowFields(HWND list);

// Reads a control's text into a buffer; the text is cut to size - 1 characters.
void FL_Text(HWND hDlg, int id, char *text, int size);
