// The program's entry: one instance, the program directory, the main window
// and the message loop.
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "frame/logs.h"
#include "frame/startup.h"
#include "model/default_templates.h"
#include "tools/backup.h"
#include "ui/mainwnd.h"
#include "ui/uiport_win32.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    // Held for the life of the process; a second start ends here without a word.
    HANDLE hMutex = CreateMutexA(nullptr, FALSE, MUTEX_NAME);
    if (hMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(hMutex);
        return 0;
    }

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLibraryA("Riched20.dll");

    MA_SetProgramDir(lpCmdLine);
    ML_WriteLog("MAIN", "start pgm", 0);

    static Win32UiPort port;
    UI_SetPort(&port);
    II_ReadSettings();
    TW_InstallDefaultTemplates(); // a first run gets the shipped folder templates
    BW_InstallAutoBackup();       // every save with AutoBackup on leaves a generation behind
    if (cryptInit() != CRYPT_OK) {
        ML_WriteLog("M 00", "error cryptInit", 0);
        ExitProcess(static_cast<UINT>(-1));
    }

    if (!MA_InitInstance(hInstance, nCmdShow))
        return 0;

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    cryptEnd();
    ML_WriteLog("MAIN", "exit pgm", 0);
    return static_cast<int>(msg.wParam);
}
