#include "store/safe_state.h"

#include "crypto/cipher.h"

#include <cstdio>
#include <cstring>

namespace {
// The two passwords live in libgcrypt's secure pool, beside the keys made from
// them: kept out of the swap file where the system lets us lock memory. A
// process the pool cannot serve keeps them here.
char g_unlockedPasswords[2][SAFE_PASSWORD_SIZE];
SAFE_PASSWORD &PasswordBuffer(int which) {
    void *block = CI_SecureBlock(SAFE_PASSWORD_SIZE);
    return block ? *static_cast<SAFE_PASSWORD *>(block) : g_unlockedPasswords[which];
}
} // namespace

PL_HANDLE tmpSafe = nullptr;
char cTmpSafePath[SAFE_PATH_SIZE];
SAFEHEADER TmpSafeHeader;
SAFECONTROL TmpSafeControl;
SAFE_PASSWORD &cTmpPasswort = PasswordBuffer(0);

PL_HANDLE hmySafe = nullptr;
char cActSafePath[SAFE_PATH_SIZE];
SAFEHEADER ActSafeHeader;
SAFECONTROL ActSafeControl;
SAFE_PASSWORD &cActPasswort = PasswordBuffer(1);

void SW_ClearPassword(char *buffer) { PL_SecureZero(buffer, SAFE_PASSWORD_SIZE); }

void SW_SetPassword(char *buffer, const char *password) {
    SW_ClearPassword(buffer);
    if (password)
        memcpy(buffer, password, strnlen(password, SAFE_PASSWORD_MAX));
}

PL_HANDLE SW_SwapActiveFile(PL_HANDLE file) {
    PL_HANDLE held = hmySafe;
    hmySafe = file;
    return held;
}

void SW_SetActiveFile(PL_HANDLE file) {
    PL_HANDLE held = SW_SwapActiveFile(file);
    if (held && held != file)
        PL_CloseHandle(held);
}

void SW_SetWorkFile(PL_HANDLE file) {
    if (tmpSafe && tmpSafe != file)
        PL_CloseHandle(tmpSafe);
    tmpSafe = file;
}

void SW_DeactivateSafe() { SW_SetActiveFile(nullptr); }

void SW_ActivateWorkCopy() {
    SW_SetActiveFile(tmpSafe);
    tmpSafe = nullptr; // held as the active safe's now
    ActSafeHeader = TmpSafeHeader;
    ActSafeControl = TmpSafeControl;
    snprintf(cActSafePath, sizeof cActSafePath, "%s", cTmpSafePath);
    SW_SetPassword(cActPasswort, cTmpPasswort);
    SW_ClearPassword(cTmpPasswort); // the active safe's copy is the only one kept
    TmpSafeHeader = SAFEHEADER{};
    TmpSafeControl = SAFECONTROL{};
}

void SW_ResetWorkCopy() {
    SW_SetWorkFile(nullptr);
    TmpSafeHeader = SAFEHEADER{};
    TmpSafeControl = SAFECONTROL{};
    SW_ClearPassword(cTmpPasswort);
}

void SW_ResetSafeState() {
    SW_ResetWorkCopy();
    SW_DeactivateSafe();
    cTmpSafePath[0] = cActSafePath[0] = 0;
    ActSafeHeader = SAFEHEADER{};
    ActSafeControl = SAFECONTROL{};
    SW_ClearPassword(cActPasswort);
}
