// Entries of the dialogs still to come: each is called where its dialog will open.
#include "ui/pane_dialogs.h"

void OWCreateOrdner() {}
void OW_ChangeOrdner() {}
void OWChgOrdnerOrder() {}
void OWChgCardOrder() {}
void CWCreateKarte() {}
void CW_ChangeKarte() {}
void CC_SetOrdnerCategory() {}
void CC_SetCardCategory() {}
