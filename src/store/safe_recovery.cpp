#include "store/safe_recovery.h"

#include "frame/logs.h"
#include "platform/uiport.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"

#include <cstdio>
#include <cstdint>

namespace {
// What the copy (or the safe, right after opening) holds; compared after every
// message, so only a real change costs a write.
uint64_t g_written = 0;
bool g_hasBaseline = false;

const char kRecoverText[] = "This safe was not closed properly. Restore the changes made before?";
} // namespace

int SW_RecoveryPath(const char *safePath, char *out, unsigned size) {
    int n = snprintf(out, size, "%s%s", safePath, SW_RECOVERY_SUFFIX);
    return n > 0 && static_cast<unsigned>(n) < size ? 0 : -1;
}

void SW_RecoveryBaseline() {
    g_written = SW_ListsDigest();
    g_hasBaseline = true;
}

int SW_KeepRecoveryCopy() {
    if (!hmySafe || !g_hasBaseline)
        return 0;
    uint64_t now = SW_ListsDigest();
    if (now == g_written)
        return 0;
    char path[SAFE_PATH_SIZE + 8];
    if (SW_RecoveryPath(cActSafePath, path, sizeof path) != 0 || SW_WriteSafeCopy(path) != 0) {
        ML_WriteLogF("SW34", 0, "cannot write recovery copy of '%s'", cActSafePath);
        // Not tried again for the same contents: the next change tries anew.
        g_written = now;
        return -1;
    }
    g_written = now;
    return 0;
}

void SW_RemoveRecoveryCopy() {
    g_hasBaseline = false;
    char path[SAFE_PATH_SIZE + 8];
    if (!cActSafePath[0] || SW_RecoveryPath(cActSafePath, path, sizeof path) != 0)
        return;
    if (PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES && PL_DeleteFile(path) != 0)
        ML_WriteLogF("SW34", PL_GetLastError(), "cannot remove recovery copy '%s'", path);
}

int SW_RecoveryOffer(const char *path) {
    char copy[SAFE_PATH_SIZE + 8];
    uint64_t copyTime = 0, safeTime = 0;
    if (SW_RecoveryPath(path, copy, sizeof copy) != 0 || PL_GetFileWriteTime(copy, &copyTime) != 0 ||
        PL_GetFileWriteTime(path, &safeTime) != 0 || copyTime <= safeTime)
        return 0;
    if (UI_MessageBox(kRecoverText, "Recover", UI_MB_YESNO | UI_MB_ICONQUESTION) == UI_IDYES)
        return 1;
    if (PL_DeleteFile(copy) != 0)
        ML_WriteLogF("SW34", PL_GetLastError(), "cannot remove recovery copy '%s'", copy);
    return 0;
}

int SW_RecoveryAdopt(const char *path) {
    // The copy was read through the working file; the safe's own file is the
    // one held open, or the copy could not be replaced by the next change.
    SW_DeactivateSafe();
    snprintf(cActSafePath, sizeof cActSafePath, "%s", path);
    SW_SetActiveFile(PL_CreateFile(path, PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
    if (!hmySafe) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW04", err, "cannot create/open safe '%s' - code: %d", path, static_cast<int>(err));
        UI_MessageBox("cannot create/open safe", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    return 0;
}
