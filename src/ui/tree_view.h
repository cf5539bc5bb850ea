// The left pane (the tree of the open safe) and the right pane (the card list
// with its in-place editor, under the card view).
#pragma once

#include "platform/uiport.h"
#include "ui/ui_globals.h"

LRESULT CALLBACK TV_TreePaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LV_CardPaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CW_CardViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Rebuilds the whole tree from the record tables.
void TV_FillTree();
// Replaces the tree's root item with one named after the safe at path.
void TV_DisplayTreeSafe(const char *path);
// The name of the card selected in the tree ("" when none), for the status bar.
const char *TV_SelectedCardName();
// Empties the tree (no safe open).
void TV_ClearTree();
// Every folder and card collapsed, then the tree filled again.
void TV_CollapseAll();
// Appends a field item under a card item; its handle, or null.
TREEHANDLE TV_InsertFieldItem(TREEHANDLE hCard, const char *text);
// Selects a tree item and gives the tree the focus.
void TV_SelectItem(TREEHANDLE item);
// Width of a text on the card list's device context.
int LV_TextWidth(const char *text);
// The card view shows a field of the current card again.
void CW_RedisplayField(uint32_t fieldIndex);

// The card view's two modes, switched by the toolbar (commands 2002 and 2003).
// Display: end an open in-place edit, set the display-mode flag, status text
// "Display card content", show the card view. Change: clear the flag, hide the
// card view, fill the change list for the selected tree item.
void CW_EnterDisplayMode();
void CW_EnterChangeMode();
// Leaves display mode without showing anything (the right pane is being reset).
void CW_ClearDisplayMode();
