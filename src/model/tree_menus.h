// The tree's context menus: which menu an item kind opens and which of its
// items are greyed for the item selected.
#pragma once

#include "model/records.h"
#include "platform/command_ids.h"

#include <cstdint>

// Menu resources (the window layer loads them by these numbers; its commands
// are the IDM_TV_ ones).
enum : unsigned { TM_MENU_CARD = 149, TM_MENU_FOLDER = 150, TM_MENU_SAFE = 152 };

// The menu of an item kind (TV_KIND_*); 0 for a kind without one.
unsigned TM_MenuForKind(uint32_t kind);

// Whether a command of a menu is greyed for the item selected: "Change Folder
// Order" below two folders, "Change Card Order" below two cards in the folder,
// "Paste card" when nothing is cut or the folder is the one it was cut from.
int TM_IsGreyed(unsigned command, TREEHANDLE hSelected);

// Cards of a folder.
uint32_t TM_CountCards(uint32_t nOrdnerKennung);
