// The dialogs the tree's context menus and the card list open. Their windows
// come with the folder, card, category and alarm dialogs; until then each entry
// shows nothing.
#pragma once

#include <cstdint>

void OWCreateOrdner();      // "Create Folder"
void OW_ChangeOrdner();     // "Folder - Settings" for the selected folder
void OWChgOrdnerOrder();    // "Change folder order"
void OWChgCardOrder();      // "Change card order" of the selected folder
void CWCreateKarte();       // "Card" for a new card in the selected folder
void CW_ChangeKarte();      // "Card" / "Card - Definition" for the selected card
void CC_SetOrdnerCategory(); // "Category" of the selected folder
void CC_SetCardCategory();   // "Category" of the selected card
// "Alarm Date" for a field of the card the list shows (alarm_date_box.cpp).
void AW_AlarmDateDialog(uint32_t nFeldIndex);
