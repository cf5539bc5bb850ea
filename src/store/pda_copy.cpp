#include "store/pda_copy.h"

#include "config/settings.h"
#include "frame/logs.h"
#include "platform/uiport.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"

#include <cstdio>
#include <cstring>

int SW_SaveForPDA() {
    if (!hmySafe || !Settings.PDA_Path[0])
        return -1; // the command is greyed then
    char target[SAFE_PATH_SIZE];
    int n = snprintf(target, sizeof target, "%s\\%s", Settings.PDA_Path, SW_ExtractSafeName(cActSafePath));
    if (n < 0 || static_cast<size_t>(n) >= sizeof target) {
        ML_WriteLogF("SW30", 0, "PDA path too long '%s'", Settings.PDA_Path);
        UI_MessageBox("invalid path", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    // The writer writes at the active path with no active file: the real ones
    // are kept aside meanwhile and put back whatever happens.
    char keptPath[SAFE_PATH_SIZE];
    memcpy(keptPath, cActSafePath, sizeof keptPath);
    PL_HANDLE keptHandle = SW_SwapActiveFile(nullptr);
    memcpy(cActSafePath, target, sizeof cActSafePath);
    int rc = SW_PutSafe(0, 1);
    memcpy(cActSafePath, keptPath, sizeof cActSafePath);
    SW_SetActiveFile(keptHandle); // the copy's file is closed
    if (rc != 0)
        return -1; // the writer told the user
    UI_MessageBox("Backup done!", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
    return 0;
}
