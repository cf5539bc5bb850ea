#include "tools/update_handoff.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "frame/logs.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>

int AU_StartUpdate(intptr_t mainWindow) {
    ML_WriteLog("UPDT", "start autoupdate", 0);
    char path[MAX_PGM_DIR + 32];
    if (II_GetIniPath(INI_FILE_UPDATE, path, sizeof path) == 0)
        (void)PL_DeleteFile(path); // there is usually none left from before
    char text[MAX_PGM_DIR + 32];
    // The updater reads the handle back as a 32-bit number.
    snprintf(text, sizeof text, "%d", static_cast<int>(mainWindow));
    // II_PutString logs its own failures; the updater then finds no script.
    (void)II_PutString("setuporvSafe.exe", "hMainHWND", text, INI_FILE_UPDATE);
    snprintf(text, sizeof text, "%s\\orvSafe.exe", szProgramDir);
    (void)II_PutString("Parameter", "ApplicationPath", text, INI_FILE_UPDATE);
    (void)II_PutString("Parameter", "ApplicationName", "orvSafe", INI_FILE_UPDATE);

    char parameters[64];
    int n = snprintf(parameters, sizeof parameters, "/udt_id %s", AU_UPDATE_ID);
    for (int i = 8; i < n; ++i)
        if (parameters[i] == ' ')
            parameters[i] = '_';
    char updater[MAX_PGM_DIR + 32];
    snprintf(updater, sizeof updater, "%s\\%s", szProgramDir, AU_UPDATER_NAME);
    // Without the updater the shell would start nothing and say nothing.
    if (PL_GetFileAttributes(updater) == PL_INVALID_ATTRIBUTES) {
        ML_WriteLogF("UPDT", 0, "updater not found: %s", updater);
        UI_MessageBox("update program orvSafeUpdate.exe not found", "Update", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    // The updater closes the program through its main window: that must end it, not hide it.
    Settings.TrayOnClose = false;
    // By its full path, quoted: nothing of that name elsewhere, nor a program at
    // the path's first blank, is started in its place.
    char quoted[MAX_PGM_DIR + 40];
    snprintf(quoted, sizeof quoted, "\"%s\"", updater);
    if (PL_ShellOpen(quoted, parameters, szProgramDir) != 0) {
        ML_WriteLogF("UPDT", PL_GetLastError(), "cannot start updater: %s", updater);
        UI_MessageBox("cannot start update program orvSafeUpdate.exe", "Update", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    return 0;
}
