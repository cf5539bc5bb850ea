#include "tools/run_entry.h"

#include "frame/logs.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>

namespace {
const PL_REG_ROOT kRoots[] = {PL_REG_LOCAL_MACHINE, PL_REG_CURRENT_USER};

int SetRunValue(PL_REG_ROOT root, const char *data) {
    PL_REGKEY key;
    if (PL_RegOpenKey(root, RG_RUN_KEY, PL_REG_CREATE, &key) != 0) {
        ML_WriteLog("RG00", "error: cannot create registry run entry", PL_GetLastError());
        return -1;
    }
    int rc = PL_RegSetString(key, RG_RUN_VALUE, data);
    if (rc != 0)
        ML_WriteLog("RG01", "error: cannot create registry run value", PL_GetLastError());
    PL_RegCloseKey(key);
    return rc;
}

// 1 when that root's Run key holds the value.
int HasRunValue(PL_REG_ROOT root) {
    PL_REGKEY key;
    if (PL_RegOpenKey(root, RG_RUN_KEY, PL_REG_READ, &key) != 0) {
        ML_WriteLog("RG04", "error: cannot open registry run entry", 0);
        return 0;
    }
    char data[259];
    int found = PL_RegGetString(key, RG_RUN_VALUE, data, sizeof data) == 0;
    PL_RegCloseKey(key);
    return found;
}

int DeleteRunValue(PL_REG_ROOT root) {
    PL_REGKEY key;
    if (PL_RegOpenKey(root, RG_RUN_KEY, PL_REG_WRITE, &key) != 0) {
        ML_WriteLog("RG02", "error: cannot open registry run entry", 0);
        return -1;
    }
    int rc = PL_RegDeleteValue(key, RG_RUN_VALUE);
    if (rc != 0)
        ML_WriteLogF("RG03", 0, "error: cannot delete registry run value, errorcode = %d",
                     static_cast<int>(PL_GetLastError()));
    PL_RegCloseKey(key);
    return rc;
}
} // namespace

int RG_CreateRunEntry() {
    // The program with its own directory as argument: the entry starts it there.
    // The program's path is quoted, or a blank in it would let Windows start
    // C:\Program.exe first; the argument is taken whole, quotes and all, so it is not.
    char data[2 * MAX_PGM_DIR + 16];
    snprintf(data, sizeof data, "\"%s\\%s.exe\" %s", szProgramDir, "orvSafe", szProgramDir);
    for (PL_REG_ROOT root : kRoots)
        if (SetRunValue(root, data) == 0)
            return 0;
    UI_MessageBox("cannot create autostart entry", "Error", UI_MB_OK | UI_MB_ICONSTOP);
    return -1;
}

int RG_DeleteRunEntry() {
    int rc = 0;
    for (PL_REG_ROOT root : kRoots)
        if (HasRunValue(root) && DeleteRunValue(root) != 0)
            rc = -1;
    return rc;
}

int RG_HasRunEntry() {
    for (PL_REG_ROOT root : kRoots)
        if (HasRunValue(root))
            return 1;
    return 0;
}
