#include "ui/dialog_launchers.h"

#include "ui/pending_windows.h"

int nTemplateSettingsMode = 0;

static INT_PTR Run(int id, HWND owner, DLGPROC proc) {
    return DialogBoxParamA(hInst, MAKEINTRESOURCEA(id), owner, proc, 0);
}

INT_PTR DL_FolderTemplates(HWND owner) { return Run(DL_IDD_FOLDERTEMPLATES, owner, TW_FolderTemplatesDlgProc); }

INT_PTR DL_IconList(HWND owner) { return Run(DL_IDD_ICONLIST, owner, IC_IconListDlgProc); }

INT_PTR DL_TemplateSettings0(HWND owner) {
    nTemplateSettingsMode = 0;
    return Run(DL_IDD_TEMPLATESETTINGS, owner, TW_TemplateSettingsDlgProc);
}

INT_PTR DL_TemplateSettings1(HWND owner) {
    nTemplateSettingsMode = 1;
    return Run(DL_IDD_TEMPLATESETTINGS, owner, TW_TemplateSettingsDlgProc);
}
