// The four dialogs of a safe: create, open, enter password, change password.
// Each reads its controls and leaves the deciding to the safe lifecycle.
#pragma once

#include "ui/ui_globals.h"

// "Enter Safe - Password" for the safe named: IDOK with password filled, or IDCANCEL.
int SD_AskPassword(const char *safeName, char *password, unsigned size);
void SD_CreateSafeDialog();
void SD_OpenSafeDialog();
void SD_ChangePasswordDialog();
