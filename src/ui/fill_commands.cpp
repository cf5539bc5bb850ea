// The commands that open the windows filling a safe, from the main menu and
// from the tree's context menus alike.
#include "platform/command_ids.h"
#include "store/pda_copy.h"
#include "ui/fill_dialogs.h"

BOOL FD_Command(unsigned id) {
    switch (id) {
    case IDM_CREATEFOLDER:
    case IDM_TV_CREATEFOLDER: OWCreateOrdner(); return TRUE;
    case IDM_CREATECARD:
    case IDM_TV_CREATECARD: CWCreateKarte(); return TRUE;
    case IDM_TV_CHANGEFOLDER: OW_ChangeOrdner(); return TRUE;
    case IDM_TV_CHANGECARD: CW_ChangeKarte(); return TRUE;
    case IDM_FOLDERORDER:
    case IDM_TV_FOLDERORDER: OWChgOrdnerOrder(); return TRUE;
    case IDM_TV_CARDORDER: OWChgCardOrder(); return TRUE;
    case IDM_TV_FOLDERCATEGORY: CC_SetOrdnerCategory(); return TRUE;
    case IDM_TV_CARDCATEGORY: CC_SetCardCategory(); return TRUE;
    case IDM_CATEGORIES: CC_EditCategories(); return TRUE;
    case IDM_FOLDERTEMPLATES: DL_FolderTemplates(); return TRUE;
    case IDM_SAVEPDA: (void)SW_SaveForPDA(); return TRUE; // it tells the user either way
    default: return FALSE;
    }
}
