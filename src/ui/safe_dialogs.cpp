// Placeholder dialogs until they are built.
#include "ui/safe_dialogs.h"

int SD_AskPassword(const char *, char *, unsigned) { return IDCANCEL; }
void SD_CreateSafeDialog() {}
void SD_OpenSafeDialog() {}
void SD_ChangePasswordDialog() {}
