// Windows and dialogs that arrive with later work, each behind the one entry
// point the main window calls. Until a window exists its entry point shows
// nothing (the tray falls back to an ordinary minimise).
#pragma once

#include "ui/ui_globals.h"

#include <shellapi.h>

// The drop window and the search results window, created hidden with the main window.
LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

void OW_CreateFolderDialog();   // "Create Folder"
void KW_CreateCardDialog();     // "Create Card"
void OW_FolderOrderDialog();    // "Change Folder Order"
int SW_SaveForPda(); // "Save for PDA": a copy of the safe into PDA_Path; 0 when written
// The procedures of the dialogs the launchers of dialog_launchers.h open.
INT_PTR CALLBACK TW_FolderTemplatesDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK IC_IconListDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TW_TemplateSettingsDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
void CC_CategoryDialog();       // "Categories"
void OP_OptionsSheet();         // "Options"
void UP_StartUpdate();          // the update hand-off, after "start autoupdate ?" was answered Yes
void QW_EnterQuickWindow();     // "Quickwin"
void SE_SearchDialog();         // "Search"
void DW_DropFiles(HDROP drop);  // files dropped on the main window
// The tray: hiding the program there, and the tray icon's notifications.
void TR_HideToTray();
void TR_TrayNotify(WPARAM wParam, LPARAM lParam);
