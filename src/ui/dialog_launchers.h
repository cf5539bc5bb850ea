// One-line launchers of modal dialogs that several commands open: the folder
// templates, the icon list and the folder settings in its two modes. Each runs
// with the program's instance and the owner given; it answers what the dialog
// ended with, or -1 when the dialog could not be shown.
#pragma once

#include "ui/ui_globals.h"

#define DL_IDD_FOLDERTEMPLATES 219 // "Foldertemplates"
#define DL_IDD_ICONLIST 195        // "List of icons"
#define DL_IDD_TEMPLATESETTINGS 192 // "Folder - Settings"

// The mode marker "Folder - Settings" reads when it opens: 0 or 1.
extern int nTemplateSettingsMode;

INT_PTR DL_FolderTemplates(HWND owner);
INT_PTR DL_IconList(HWND owner);
INT_PTR DL_TemplateSettings0(HWND owner);
INT_PTR DL_TemplateSettings1(HWND owner);
