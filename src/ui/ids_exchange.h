// "Import...", "Export..." and the import's report.
#pragma once

#define IDD_IMPORTREPORT 330 // "Import" report
#define IDC_XW_REPORT 1501   // the report, read-only
#define IDC_XW_SAVE 1502     // "Save..." the report as a text file
#define IDC_XW_UNDO 1503     // "Undo import"

// The File menu's commands.
#define IDM_IMPORT 32850
#define IDM_EXPORT 32851
