// "Create Folder" and "Change folder": both run the field-description editor
// over the folder's fields, and the core applies what the editor ends with.
#include "model/folder_ops.h"
#include "ui/dialog_util.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

#include <cstdio>

static_assert(IDC_OW_FOLDERNAME == OW_ID_FOLDERNAME && IDC_OW_TEMPLATE == OW_ID_TEMPLATE && IDC_OW_LIST == OW_ID_LIST,
              "\"Create Folder\" carries the controls its logic names");

namespace {
void ChooseTemplate(HWND hDlg) {
    TW_CHOOSE block = {};
    snprintf(block.cCaption, sizeof block.cCaption, "Please select template");
    if (DL_ChooseTemplate(&block) != IDOK)
        return;
    SetDlgItemTextA(hDlg, IDC_OW_TEMPLATE, block.cTemplate);
    OW_CreateOrdnerTemplate(block.cTemplate);
    DU_Focus(hDlg, IDOK); // with a template chosen, Enter goes on rather than choosing again
}

void CreateOk(HWND hDlg) {
    char name[ORDNER_NAME_LEN], templ[TW_NAME_LEN];
    FL_Text(hDlg, IDC_OW_FOLDERNAME, name, sizeof name);
    FL_Text(hDlg, IDC_OW_TEMPLATE, templ, sizeof templ);
    FE_EDITOR ed;
    if (DU_ApplyAnswer(hDlg, OW_CreateOrdnerOk(name, templ, &ed)) != DLG_NEXT)
        return;
    DL_FieldEditor(&ed);
    if (OW_CreateOrdnerEnd(&ed) < 0) {
        // Cancelled: back in "Create Folder" with the template to be chosen again.
        SetDlgItemTextA(hDlg, IDC_OW_TEMPLATE, "");
        DU_Focus(hDlg, IDC_OW_FOLDERNAME);
        return;
    }
    EndDialog(hDlg, IDOK);
}

INT_PTR CALLBACK CreateFolderProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        DU_CentreOnOwner(hDlg);
        SendDlgItemMessageA(hDlg, IDC_OW_FOLDERNAME, EM_LIMITTEXT, ORDNER_NAME_LEN - 1, 0);
        DU_Focus(hDlg, IDC_OW_FOLDERNAME);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OW_LIST: ChooseTemplate(hDlg); return TRUE;
        case IDOK: CreateOk(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

TREEHANDLE Selected() { return reinterpret_cast<TREEHANDLE>(TV_GetSelection()); }
} // namespace

void OWCreateOrdner() { DU_RunSafeDialog(IDD_CREATEFOLDER, CreateFolderProc, 0); }

void OW_ChangeOrdner() {
    TREEHANDLE folder = Selected();
    FE_EDITOR ed;
    if (OW_ChangeOrdnerBegin(folder, &ed) != 0)
        return; // the tree's folder menu offers this on folders only
    DL_FieldEditor(&ed);
    // A folder that went away under the editor is left alone, as a cancelled change.
    (void)OW_ChangeOrdnerEnd(folder, &ed);
}
