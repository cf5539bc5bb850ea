// What a key does in the main window's panes: the tree, the card view of
// display mode, the card list of change mode and its in-place editor.
#pragma once

enum KR_KEY { KR_KEY_TAB, KR_KEY_F6, KR_KEY_ENTER, KR_KEY_F2, KR_KEY_ESCAPE, KR_KEY_MENU /* Shift+F10, context key */ };
enum KR_PLACE { KR_IN_TREE, KR_IN_VIEW, KR_IN_LIST, KR_IN_EDITOR };
enum KR_ACTION {
    KR_PASS,          // the control keeps the key
    KR_FOCUS_PANE,    // the right pane takes the focus (the card view in display mode)
    KR_FOCUS_TREE,    // back to the tree (an open edit is stored first)
    KR_CONTEXT_MENU,  // the tree's context menu at the selected item
    KR_SHOW_CARD,     // display mode for the selected card, the card view focused
    KR_CHANGE_FIRST,  // change mode with the first field in edit
    KR_EDIT_ROW,      // the list's selected row in edit
    KR_STORE_NEXT,    // the edit is stored and the next field taken into edit
    KR_LEAVE_EDIT     // the edit closes unstored, the list keeps the focus
};

// The action for a key at a place; card says a card is selected in the tree.
KR_ACTION KR_KeyAction(KR_KEY key, KR_PLACE place, int card);
