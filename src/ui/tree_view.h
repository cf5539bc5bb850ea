// The left pane (the tree of the open safe) and the right pane (the card list
// with its in-place editor, under the card view).
#pragma once

#include "platform/uiport.h"
#include "ui/ui_globals.h"

#include <commctrl.h>

#include <cstdint>

LRESULT CALLBACK TV_TreePaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LV_CardPaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CW_CardViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- the tree (tree_fill.cpp)
// Rebuilds the whole tree from the record tables.
void TV_FillTree();
// Replaces the tree's root item with one named after the safe at path.
void TV_DisplayTreeSafe(const char *path);
// The name of the card selected in the tree ("" when none), for the status bar.
const char *TV_SelectedCardName();
// Empties the tree (no safe open); with the tree window gone, forgets its items.
void TV_ClearTree();
// Every folder and card collapsed, then the tree filled again.
void TV_CollapseAll();
// Appends a field item under a card item; its handle, or null (also while the
// card's field items wait for its first expansion).
TREEHANDLE TV_InsertFieldItem(TREEHANDLE hCard, const char *text);
// A collapsed folder's card items and a collapsed card's field items are
// inserted when it is first expanded; this inserts them now (nothing when they
// are there or the item is neither).
void TV_FillItems(HTREEITEM hItem);
// Selects a tree item and gives the tree the focus.
void TV_SelectItem(TREEHANDLE item);
// Selects a tree item as a click on it does: the right pane follows.
void TV_ClickItem(TREEHANDLE item);
// Appends an item as the last child of parent (the root level for none); an
// image of -1 stands for the default card image.
HTREEITEM TV_InsertItem(HWND hTree, const char *text, HTREEITEM hParent, uint32_t kind, int image, int selImage);
// Changes an item's text and images.
void TV_SetItem(HWND hTree, const char *text, HTREEITEM hItem, int image, int selImage);
// A new image list of the fixed images and the user icons, set on the tree.
void TV_CreateImageList();
// The kind of a tree item (its item data); 0 when it cannot be read.
uint32_t TV_GetItemKind(HTREEITEM hItem);
// The item selected in the tree, or null.
HTREEITEM TV_GetSelection();

// Selection state of the tree.
struct TV_STATE {
    uint32_t nTVLastKind; // 4 when the item last selected by a left click was a card, else 0
    BOOL bTVRightClick;   // a right click on an item awaits its context menu
    uint32_t nTVDragKind; // the kind being dragged out, 0 when none
};
extern TV_STATE TreeState;

// ---- the tree pane's own parts (tree_pane.cpp, tree_menus.cpp, tree_drag.cpp)
void TV_ItemSelected(HTREEITEM hItem);
void TV_ContextMenu(HWND hPane, int x, int y);
// A context menu loaded with its items greyed for the selected item; the
// caller destroys it.
HMENU TV_BuildContextMenu(unsigned menuId, HTREEITEM sel);
void TV_Command(HWND hPane, unsigned id);
void TV_BeginDrag(HWND hPane, HTREEITEM hItem);
void TV_EndDrag(HWND hPane);
// The mouse capture went elsewhere during a drag (Escape, another window):
// the drag is forgotten, so no later button release types anything.
void TV_CancelDrag();
// The drop itself at a screen point: a window not the program's own gets the
// focus by a click there and the dragged values typed.
void TV_DropAt(POINT screen);
// The split bar is dragged over a pane: the tracking line at the cursor.
void TV_SplitTrack(HWND hPane);

// ---- the card list (card_list.cpp, card_edit.cpp)
// Width of a text on the card list's device context.
int LV_TextWidth(const char *text);
// Fills the card list with the fields of a card item (change mode's list).
void CW_ShowCardContentList(HTREEITEM hCardItem);
// A click on the card list at client height y.
void LV_ListClick(int y);
// The in-place editor; UM_BEGINEDIT and UM_ENDEDIT land here.
void LV_BeginEdit();
void LV_EndEdit();
// Removes the edit control and the browse button without storing anything.
void LV_CloseEditor();
// The browse button of a PROGRAMM field was clicked.
void LV_Browse();
// Width of the name column's texts for a card (its effective field table).
int CW_NameColumnWidth(uint32_t nKartenKennung);
// State of the card list.
struct LV_STATE {
    int nLVEditRow;        // the row being edited, -1 for none
    HWND hLVEdit;          // the in-place editor while it is open
    HWND hLVBrowse;        // its browse button (PROGRAMM fields)
    uint32_t nLVCardId;    // the card the list shows
    HTREEITEM hLVCardItem; // and its tree item
};
extern LV_STATE ListState;

// ---- the card view (card_view.cpp)
// The card view's two modes, switched by the toolbar (IDT_DISPLAYCARD, IDT_CHANGECARD)
// and the tree. Display: end an open in-place edit, set the display-mode flag,
// status text "Display card content", show the card view. Change: clear the
// flag, hide the card view, fill the change list for the selected tree item.
void CW_EnterDisplayMode();
void CW_EnterChangeMode();
// Leaves display mode without showing anything (the right pane is being reset).
void CW_ClearDisplayMode();
// The card view shows a field of the current card again.
void CW_RedisplayField(uint32_t fieldIndex);
// Opens the selected card's URL field ("Click on card icon opens URL").
void CW_OpenCardUrl();
// Starts the program a PROGRAMM field names.
void TO_StartProgram(const char *path);
// Widest field name of the selected card's effective table, on the card list.
int CW_SelectedCardNameWidth(uint32_t nKartenKennung);
// Opens a text (a web or mail address) with the shell's "open" verb.
void CW_ShellOpen(const char *target);
// The card the view shows (display mode, a card selected); -1 for none.
int CW_ShownCard();
// The view's row height at its last paint; 0 before one.
int CW_ShownRowHeight();
// Opens a link of the view (an FT_URL, FT_EMAIL or FT_PROGRAMM content) as a click on it does.
void CW_OpenLink(uint32_t type, const char *text);
// WM_GETOBJECT: for the client, an accessible object whose children are the
// shown card's fields (card_access.cpp); 0 for other objects or on failure.
LRESULT CW_AnswerGetObject(HWND hWnd, WPARAM wParam, LPARAM lParam);
// The view's fonts are made again at its next paint (the screen's scale changed).
void CW_ResetFonts();
// Tests watch what is painted.
struct CW_ROW;
typedef void (*CW_PAINTHOOK)(const CW_ROW *row);
void CW_SetPaintHook(CW_PAINTHOOK hook);
