// The drop window's list, the progress window of long file work and the
// "Recover" dialog.
#pragma once

// The drop window's list view (its status bar is IDC_DROPSTATUS).
#define IDC_DROPLIST 1005

// The drop window's images: a file, a folder.
#define IDI_DW_FILE 250
#define IDI_DW_FOLDER 251

// "Progress": the bar and the line naming the file at work.
#define IDD_PROGRESS 310
#define IDC_PROGRESS_BAR 1301
#define IDC_PROGRESS_TEXT 1302

// "Recover": the backups, and the one chosen ("Backup filename:").
#define IDD_RECOVER 311
#define IDC_RECOVER_LIST 1303
#define IDC_RECOVER_NAME 1304
