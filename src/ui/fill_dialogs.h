// The windows that fill a safe: each runs modally over the dialog on top (or
// the main window) and leaves every rule to the core's dialog logic.
#pragma once

#include "model/field_editor.h"
#include "model/templates.h"
#include "ui/ui_globals.h"

// "List of icons": icon (at least ICON_NAME_LEN bytes) takes the activated
// icon's name; IDOK, or IDCANCEL with icon unchanged.
int DL_IconList(char *icon, unsigned size);
// The template chooser with the block's caption, and the card chooser
// ("Please select Cardtemplate"); IDOK with the name in the block, or IDCANCEL.
int DL_ChooseTemplate(TW_CHOOSE *block);
int DL_ChooseCard(TW_CHOOSE *block);

// The field-description editor over an editor state the core opened:
// "Folder - Settings" for a folder or template, "Card - Definition" for a card.
// Answers IDOK or IDCANCEL.
int DL_FieldEditor(FE_EDITOR *ed);

// "Foldertemplates" (command 32782).
void DL_FolderTemplates();

// Folders: "Create Folder", "Change folder", "Change Folder Order".
void OWCreateOrdner();
void OW_ChangeOrdner();
void OWChgOrdnerOrder();

// Cards: "Card" for a new card, "Change card", "Change Card Order".
void CWCreateKarte();
void CW_ChangeKarte();
void OWChgCardOrder();

// Categories: "Modify Category", "Category" for the selected folder or card,
// and the toolbar's filter box, which the main window hands its notifications.
void CC_EditCategories();
void CC_SetOrdnerCategory();
void CC_SetCardCategory();
void CC_InitFilterBox();
void CC_FilterBoxCommand(unsigned notification);

// The menu, toolbar and context-menu commands of these windows; FALSE for any other.
BOOL FD_Command(unsigned id);
