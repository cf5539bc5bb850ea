// The four dialogs of a safe: create, open, enter password, change password.
// Each reads its controls and leaves the deciding to the safe lifecycle.
#pragma once

#include "ui/ui_globals.h"

// "Enter Safe - Password" for the safe named: IDOK with password filled (at
// most size - 1 characters, never more than 31), or IDCANCEL with it empty.
int SD_AskPassword(const char *safeName, char *password, unsigned size);
// "Create New Safe", "open safe", "Safe Password": IDOK when the dialog closed
// with a change made, IDCANCEL when it was left (or not shown).
int SD_CreateSafeDialog();
int SD_OpenSafeDialog();
int SD_ChangePasswordDialog();
