// The logic behind the two category dialogs; their window procedures read the
// controls, call these and show what they answer.
//
// "Modify Category" (menu command 32815): a list of the categories (line text the
// name, line data the index), a name edit of at most 30 characters, "Delete",
// "New", OK and Cancel. The dialog changes the table in place; Cancel puts back
// the table as it was when the dialog opened, and the folders and cards whose
// category the user agreed to remove lose it only at OK, so Cancel changes nothing.
//
// "Category" (context menu 32817 for a folder, 32819 for a card): one drop-down
// list with "display always" followed by the category names in list order.
#pragma once

#include "model/records.h"

#include <cstdint>

// Control identifiers.
enum : int {
    CC_IDC_LIST = 1201,
    CC_IDC_NAME = 1202,
    CC_IDC_DELETE = 1203,
    CC_IDC_NEW = 1205,
    CC_IDC_CHOICE = 1208,
};

struct CATEGORYTAB;

// State of one "Modify Category" dialog, from CC_EditOpen to CC_EditOk or CC_EditCancel.
struct CC_EDIT {
    CATEGORYTAB *lpSaved;     // the table as it was at opening
    uint32_t *lpClearFolders; // categories whose folders lose it at OK
    uint32_t nClearFolders;
    uint32_t *lpClearCards;   // categories whose cards lose it at OK
    uint32_t nClearCards;
};

// Opening: keeps a copy of the table for Cancel. The list is filled from the
// table in list order (CC_FilterEntryText/Index from position 1 give the lines);
// "Delete" and "New" start disabled. 0, or -1 when memory ran out.
int CC_EditOpen(CC_EDIT *e);
// While typing: "New" is enabled for a name of at least 3 characters.
int CC_EditNewEnabled(const char *typed);
// "New": appends the category (name cut at 30 characters) with the smallest free
// index and answers the list position to insert it at, its index in *pIndex;
// -1 for a name too short. The window then clears the edit and disables "New"
// and "Delete".
[[nodiscard]] int CC_EditNew(CC_EDIT *e, const char *typed, uint32_t *pIndex);
// "Delete" of the category with that index: asks, titled "remove category", about
// the folders and then the cards that carry it ("%d Folder with this category
// existing,\nremove category from this folders ?", "%d Cards with this category
// existing,\nremove category from this cards ?"); Cancel stops the deletion.
// Answers 0 when the category was removed (the window removes the line and
// disables "Delete"), 1 when the user cancelled, -1 when there is no such category.
[[nodiscard]] int CC_EditDelete(CC_EDIT *e, uint32_t index);
// OK: clears the agreed folders and cards, sorts the table and refills the filter box.
void CC_EditOk(CC_EDIT *e);
// Cancel: the table as it was at opening; folders and cards unchanged.
void CC_EditCancel(CC_EDIT *e);

// "Category" dialog. The entries: "display always" and the category names.
uint32_t CC_ChoiceCount();
const char *CC_ChoiceText(uint32_t pos); // null past the end
uint32_t CC_ChoiceIndex(uint32_t pos);   // 0 for "display always" and past the end
// The entry to select for a present category: its position, 0 ("display always")
// for none and for a category that no longer exists.
uint32_t CC_ChoiceOf(uint32_t nCategory);
// Preselection for the folder or card of a tree item; 0 when it is not found.
uint32_t CC_OrdnerChoice(TREEHANDLE hItem);
uint32_t CC_CardChoice(TREEHANDLE hItem);
// OK: stores the chosen entry's category in the folder's or card's nCategory.
// 0, or -1 (nothing changed) for a position past the end or an unknown item.
[[nodiscard]] int CC_SetOrdnerChoice(TREEHANDLE hItem, uint32_t pos);
[[nodiscard]] int CC_SetCardChoice(TREEHANDLE hItem, uint32_t pos);
