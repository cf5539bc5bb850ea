#include "store/safe_state.h"

#include <cstring>

PL_HANDLE tmpSafe = nullptr;
char cTmpSafePath[SAFE_PATH_SIZE];
SAFEHEADER TmpSafeHeader;
SAFECONTROL TmpSafeControl;
char cTmpPasswort[SAFE_PASSWORD_SIZE];

PL_HANDLE hmySafe = nullptr;
char cActSafePath[SAFE_PATH_SIZE];
SAFEHEADER ActSafeHeader;
SAFECONTROL ActSafeControl;
char cActPasswort[SAFE_PASSWORD_SIZE];

void SW_ClearPassword(char *buffer) { PL_SecureZero(buffer, SAFE_PASSWORD_SIZE); }

void SW_SetPassword(char *buffer, const char *password) {
    SW_ClearPassword(buffer);
    if (password)
        memcpy(buffer, password, strnlen(password, SAFE_PASSWORD_MAX));
}
