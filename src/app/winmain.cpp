// The program's entry: one instance, the program directory, the main window,
// the message loop and the orderly end.
#include "app/main_loop.h"
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "frame/logs.h"
#include "frame/startup.h"
#include "frame/trace.h"
#include "model/alarm_fields.h"
#include "model/categories.h"
#include "model/category_file.h"
#include "model/default_templates.h"
#include "model/desktop_profiles.h"
#include "model/list_release.h"
#include "model/notes_list.h"
#include "model/search.h"
#include "platform/platform.h"
#include "store/envelope_settings.h"
#include "store/safe_lifecycle.h"
#include "tools/backup.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/note_alarms.h"
#include "tools/safe_listeners.h"
#include "tools/timeout.h"
#include "ui/icon_list.h"
#include "ui/ids_main.h"
#include "ui/mainwnd.h"
#include "ui/message_routing.h"
#include "ui/quick_window.h"
#include "ui/skins.h"
#include "ui/splash.h"
#include "ui/statusbar.h"
#include "ui/tray.h"
#include "ui/uiport_win32.h"

#include <commctrl.h>
#include <objbase.h>
#include <windows.h>

// Everything the run built up, released once the loop has ended.
static void ReleaseAll(BOOL dropShown) {
    (void)CC_WriteCategory(); // a failure has been shown; the old file stays
    cryptEnd();
    IC_FreeIcons();
    SW_ReleaseSafeLists();
    AW_ReleaseAlarmTable();
    CC_ReleaseCategoryTable();
    SE_FreeResults();
    II_PutFlag(II_SECTION_SETTINGS, "CryptWindowActive", dropShown != FALSE);
}

// The common controls, and the rich-edit control from the system folder only.
// Answers FALSE when that control could not be loaded.
static BOOL LoadControls() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    return PL_LoadSystemLibrary("Riched20.dll") ? TRUE : FALSE;
}

// Settings, envelopes, timers, templates, the library and the hooks between the
// layers: all that must be in place before the first window.
static void InitCore() {
    static Win32UiPort port;
    UI_SetPort(&port);
    II_ReadSettings();
    SW_UseSettingsForEnvelopes();
    T_InitTimers();
    (void)TW_InstallDefaultTemplates(); // a first run gets the shipped folder templates; a failure is logged
    BW_InstallAutoBackup();       // every save with AutoBackup on leaves a generation behind
    if (cryptInit() != CRYPT_OK) {
        ML_WriteLog("M 00", "error cryptInit", 0);
        ExitProcess(static_cast<UINT>(-1));
    }
    MA_InstallStoreHooks();
    NW_InstallAlarmCheck();
    // The tools follow the safe before the windows do: the tree shows the alarms found.
    TL_InstallSafeListeners();
    (void)CC_ReadCategory(); // a file that cannot be read is left alone and not written at the end
}

// The main window, built hidden behind the splash, with its icons and skin.
static BOOL CreateWindows(HINSTANCE hInstance) {
    if (!MA_InitInstance(hInstance, SW_HIDE))
        return FALSE;
    MA_SetAccelerators(MainWindows.hWndMain, LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(IDA_MAIN)));
    MA_SetInputHook(QW_Regrow);
    MA_WatchInput();
    T_ArmAlarmTimer(); // the timers belong to the main window, which exists from here on
    HWND splash = MA_ShowSplash();

    IC_LoadIcons();
    TRACE(TRACE_BASIC, "MA_B_01",
          "WinMain() [hWndMain=%x] [hWndLinks=%x] [hWndRechts=%x] [hStatusWnd=%x] [hMyTree=%x] [hMyEdit=%x] "
          "[hTrennWnd=%x]",
          TRACE_PTR(MainWindows.hWndMain), TRACE_PTR(MainWindows.hWndLinks), TRACE_PTR(MainWindows.hWndRechts),
          TRACE_PTR(MainWindows.hStatusWnd), TRACE_PTR(MainWindows.hMyTree), TRACE_PTR(MainWindows.hMyEdit),
          TRACE_PTR(MainWindows.hTrennWnd));
    SB_LayoutMain();
    Sleep(500);
    MA_CloseSplash(splash);

    SK_InitLib();
    SK_LoadSkin(Settings.Skinfile, FALSE);
    if (MainModes.bSkinLoaded) {
        SK_SetWindowSkin(MainWindows.hWndMain, SK_MAIN_SKIN);
        SK_SetDialogSkin(SK_DIALOG_SKIN);
    }
    return TRUE;
}

// The last safe, the main window as the settings want it, and the drop window.
static void ShowStart() {
    if (SW_OpenLastSafe() != 0 && Settings.CryptWindowActive) {
        Settings.CryptWindowActive = false; // the drop window has nothing to show
        II_PutFlag(II_SECTION_SETTINGS, "CryptWindowActive", false);
    }
    if (Settings.StartMinimized) {
        TR_HideToTray();
    } else {
        ShowWindow(MainWindows.hWndMain, SW_SHOWNORMAL);
        UpdateWindow(MainWindows.hWndMain);
    }
    if (Settings.CryptWindowActive)
        DW_ShowWindow();
    DW_FillList();
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int) {
    // Before any DLL is loaded: none may come from the program's folder or the
    // current one. A system that cannot restrict it is logged once the log is there.
    int dllSearchLimited = PL_LimitDllSearch();
    // Held for the life of the process; a second start ends here without a word.
    HANDLE hMutex = CreateMutexA(nullptr, FALSE, MUTEX_NAME);
    if (hMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(hMutex);
        return 0;
    }
    if (!LoadControls())
        dllSearchLimited = -1;

    MA_SetProgramDir(lpCmdLine);
    ML_WriteLog("MAIN", "start pgm", 0);
    if (dllSearchLimited != 0)
        ML_WriteLog("MAIN", "DLL search not limited to the system folder, or Riched20.dll missing", GetLastError());

    // Screen readers get the card view's accessible object through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com))
        ML_WriteLog("MAIN", "COM not started: the card view stays silent to screen readers", static_cast<uint32_t>(com));

    InitCore();
    if (!CreateWindows(hInstance))
        return 0;
    ShowStart();

    const int exitCode = MA_RunMessageLoop();
    // Running out of memory ends the loop with the window still there: its tray
    // icon must not stay behind as a dead icon.
    TR_RemoveIcon();

    SK_ExitLib();
    ReleaseAll(MainModes.bDropShownAtEnd);
    if (SUCCEEDED(com))
        CoUninitialize();
    ML_WriteLog("MAIN", "exit pgm", 0);
    return exitCode;
}
