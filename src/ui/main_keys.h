// The main window's panes by keyboard: the rules are the core's (key_rules.h),
// this carries them out on the tree, the card view, the card list and its editor.
#pragma once

#include "model/key_rules.h"
#include "ui/ui_globals.h"

// The key a virtual-key code stands for (Shift+F10 with shift); FALSE for others.
BOOL MK_KeyOf(WPARAM vk, BOOL shift, KR_KEY *key);
// The keyboard needs an item in the tree to move from: the safe's item when none is selected.
void MK_TreeCaret();
// Carries out an action of the rules.
void MK_Perform(KR_ACTION action);
// A key pressed in the tree, the card view or the card list: TRUE when the rules
// took it. The editor asks the rules itself (card_edit.cpp).
BOOL MK_TranslateKey(const MSG *msg);
