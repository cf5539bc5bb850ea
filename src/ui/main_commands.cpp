// The main window's command table: menu, toolbar, tray menu and accelerators
// share it. "Reset" is MA_ResetRightPane before or after the action. A command
// whose window is not built yet has no entry here: its items stay greyed.
#include "config/settings.h"
#include "frame/logs.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/backup.h"
#include "tools/desktop_icons.h"
#include "tools/drop_window.h"
#include "tools/note_windows.h"
#include "tools/recover_list.h"
#include "tools/update_handoff.h"
#include "ui/about_box.h"
#include "ui/drop_window.h"
#include "ui/exchange_window.h"
#include "ui/ids_exchange.h"
#include "ui/fill_dialogs.h"
#include "ui/ids_main.h"
#include "ui/mainwnd.h"
#include "ui/options_sheet.h"
#include "ui/quick_window.h"
#include "ui/safe_dialogs.h"
#include "ui/search_window.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"

#include <cstdio>

static BOOL SafePathMissing() {
    if (Settings.SafePath[0])
        return FALSE;
    UI_MessageBox("missing safe path", "Error", UI_MB_OK | UI_MB_ICONSTOP);
    return TRUE;
}

// "Close Safe": Yes writes it back without an automatic backup, No closes it
// unwritten, Cancel keeps it.
static void CloseSafeCommand() {
    if (!hmySafe)
        return;
    switch (UI_MessageBox("write back current safe ?", "Confirm", UI_MB_YESNOCANCEL | UI_MB_ICONQUESTION)) {
    case UI_IDYES:
        // A safe that cannot be written stays open rather than losing its changes.
        if (SW_PutSafe(0, 0) != 0)
            return;
        (void)SW_CloseSafe(0); // closing unwritten cannot fail
        break;
    case UI_IDNO: (void)SW_CloseSafe(0); break;
    default: break;
    }
}

// The help file is handed to the shell; one that cannot be opened (not in the
// program directory, say) is told, or F1 would seem to do nothing.
static void OpenHelpFile() {
    char path[MAX_PGM_DIR + 16];
    snprintf(path, sizeof path, "%s\\orvsafe.chm", szProgramDir);
    if (PL_ShellOpen(path, nullptr, nullptr) != 0) {
        ML_WriteLogF("M 09", 0, "cannot open help file [%s]", path);
        UI_MessageBox("The help file orvsafe.chm cannot be opened.", "Error", UI_MB_OK | UI_MB_ICONSTOP);
    }
}

BOOL MA_Command(HWND hWnd, unsigned id) {
    switch (id) {
    case IDM_CREATESAFE:
        if (!SafePathMissing())
            SD_CreateSafeDialog();
        MA_ResetRightPane();
        return TRUE;
    case IDM_OPENSAFE:
        if (!SafePathMissing())
            SD_OpenSafeDialog();
        MA_ResetRightPane();
        return TRUE;
    case IDM_CLOSESAFE: CloseSafeCommand(); return TRUE;
    case IDM_CHANGEPASSWORD: SD_ChangePasswordDialog(); return TRUE;
    // Both commands tell the user what went wrong themselves.
    case IDM_BACKUPSAFE: (void)BW_BackupSafeCommand(); return TRUE;
    case IDM_RECOVERSAFE: (void)BW_RecoverSafeCommand(); return TRUE;
    case IDM_IMPORT: XW_ImportCommand(); return TRUE;
    case IDM_EXPORT: XW_ExportCommand(); return TRUE;
    case IDM_EXIT:
    case IDM_TRAYEXIT: MA_Exit(hWnd); return TRUE;
    case IDT_SAVEDESKTOP: DT_SaveDesktopIcons(); return TRUE;
    case IDT_RESTOREDESKTOP: DT_RestoreDesktopIcons(); return TRUE;
    case IDM_HELPFILE:
    case IDM_TRAYHELP:
    case IDT_HELPFILE: OpenHelpFile(); return TRUE;
    case IDM_OPTIONS:
    case IDT_OPTIONS: OP_PropertySheet(hWnd); return TRUE;
    case IDM_UPDATE:
        // The hand-off tells the user itself when the updater cannot start.
        if (UI_MessageBox("start autoupdate ?", "Update", UI_MB_YESNO | UI_MB_ICONQUESTION) == UI_IDYES)
            (void)AU_StartUpdate(reinterpret_cast<intptr_t>(hWnd));
        return TRUE;
    case IDM_ABOUT:
    case IDM_TRAYABOUT: AB_ShowAboutBox(); return TRUE;
    case IDT_DISPLAYCARD: CW_EnterDisplayMode(); return TRUE;
    case IDT_CHANGECARD: CW_EnterChangeMode(); return TRUE;
    // Asked of the list and the active flag: the window may be hidden with the
    // main window in the tray and still be the active one.
    case IDT_SHOWCRYPTED:
        if (MainWindows.hDropListWnd && !DW_WindowActive())
            DW_ShowWindow();
        return TRUE;
    case IDT_HIDECRYPTED:
        if (MainWindows.hDropListWnd && DW_WindowActive())
            DW_HideWindow();
        return TRUE;
    case IDT_SEARCH:
        // Ctrl+F comes here too, where the greyed button would not.
        if (!MainWindows.hToolbar || SendMessageA(MainWindows.hToolbar, TB_ISBUTTONENABLED, IDT_SEARCH, 0))
            SE_ShowSearchDialog();
        return TRUE;
    case IDT_QUICKWIN:
        MA_ResetRightPane();
        QW_Enter();
        return TRUE;
    case IDM_FOLDERORDER:
    case IDM_FOLDERTEMPLATES:
        MA_ResetRightPane();
        return FD_Command(id);
    case IDT_CLOSETREES:
        MA_ResetRightPane();
        TV_CollapseAll();
        if (MainWindows.hSearchWnd)
            ShowWindow(MainWindows.hSearchWnd, SW_HIDE);
        return TRUE;
    case IDT_CREATENOTE:
    case IDM_TRAYCREATENOTE:
        NW_ShowNotes();
        NW_CreateNote();
        return TRUE;
    case IDT_NOTES:
    case IDM_TRAYNOTES: NW_ToggleNotes(); return TRUE;
    default: return FD_Command(id);
    }
}
