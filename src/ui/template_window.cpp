// "Foldertemplates": change a template chosen by name or through the chooser,
// or name a new one; either opens "Folder - Settings" on the template, whose
// OK writes it back to the template file.
#include "model/template_dialog.h"
#include "ui/dialog_util.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"

#include <cstdio>

static_assert(IDC_TW_EXISTING == TW_ID_EXISTING && IDC_TW_BROWSE == TW_ID_BROWSE && IDC_TW_NEWNAME == TW_ID_NEWNAME &&
                  IDC_TW_CREATE == TW_ID_CREATE,
              "\"Foldertemplates\" carries the controls its logic names");

namespace {
void Browse(HWND hDlg) {
    TW_CHOOSE block = {};
    snprintf(block.cCaption, sizeof block.cCaption, "Please select template");
    if (DL_ChooseTemplate(&block) == IDOK)
        SetDlgItemTextA(hDlg, IDC_TW_EXISTING, block.cTemplate);
}

// "Change template" keeps the dialog open; "Create" closes it after the editor.
void Edit(HWND hDlg, int nameId, DLG_ANSWER (*open)(const char *, FE_EDITOR *), bool closeAfter) {
    char name[TW_NAME_LEN + 8];
    FL_Text(hDlg, nameId, name, sizeof name);
    FE_EDITOR ed;
    if (DU_ApplyAnswer(hDlg, open(name, &ed)) != DLG_NEXT)
        return;
    DL_FieldEditor(&ed);
    if (closeAfter)
        EndDialog(hDlg, IDOK);
}

INT_PTR CALLBACK FolderTemplatesProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        DU_CentreOnOwner(hDlg);
        SendDlgItemMessageA(hDlg, IDC_TW_EXISTING, EM_LIMITTEXT, TW_NAME_LEN - 1, 0);
        SendDlgItemMessageA(hDlg, IDC_TW_NEWNAME, EM_LIMITTEXT, TW_NAME_LEN - 1, 0);
        cTemplateName[0] = 0;
        DU_Focus(hDlg, IDC_TW_EXISTING);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_TW_BROWSE: Browse(hDlg); return TRUE;
        case IDOK: Edit(hDlg, IDC_TW_EXISTING, TW_ChangeTemplate, false); return TRUE;
        case IDC_TW_CREATE: Edit(hDlg, IDC_TW_NEWNAME, TW_CreateTemplate, true); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}
} // namespace

void DL_FolderTemplates() { DU_RunDialog(IDD_FOLDERTEMPLATES, FolderTemplatesProc, 0); }
