// The tree's context menus: which menu an item kind opens and which of its
// items are greyed for the item selected.
#pragma once

#include "model/records.h"

#include <cstdint>

// Menu resources.
enum : unsigned { TM_MENU_CARD = 149, TM_MENU_FOLDER = 150, TM_MENU_SAFE = 152 };

// Commands of the three menus (sent to the tree pane).
enum : unsigned {
    TM_CMD_CREATE_FOLDER = 32780,
    TM_CMD_CREATE_CARD = 32783,
    TM_CMD_DELETE_FOLDER = 32784,
    TM_CMD_DELETE_CARD = 32785,
    TM_CMD_CHANGE_CARD = 32786,
    TM_CMD_CHANGE_FOLDER = 32787,
    TM_CMD_PASSWORD = 32796,
    TM_CMD_FOLDER_ORDER = 32808,
    TM_CMD_CARD_ORDER = 32812,
    TM_CMD_FOLDER_CATEGORY = 32817,
    TM_CMD_CARD_CATEGORY = 32819,
    TM_CMD_CUT_CARD = 32838,
    TM_CMD_PASTE_CARD = 32839,
};

// The menu of an item kind (TV_KIND_*); 0 for a kind without one.
unsigned TM_MenuForKind(uint32_t kind);

// Whether a command of a menu is greyed for the item selected: "Change Folder
// Order" below two folders, "Change Card Order" below two cards in the folder,
// "Paste card" when nothing is cut or the folder is the one it was cut from.
int TM_IsGreyed(unsigned command, TREEHANDLE hSelected);

// Cards of a folder.
uint32_t TM_CountCards(uint32_t nOrdnerKennung);
