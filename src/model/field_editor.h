// The field-description editor behind "Folder - Settings" (new folder, change
// folder, new and change template) and "Card - Definition" (the card field
// editor). It works on FELDSTRUCT; the dialog procedure reads its controls,
// calls these operations and carries out the DLG_ANSWER they give, then lists
// FeldStruct[0..nFeldStructCount) by name, selects line nSelected and enables
// each control as FE_IsEnabled says.
#pragma once

#include "model/dialog_answer.h"
#include "model/feldstruct.h"

#include <cstdint>

struct CARDEDIT;

// Control identifiers of the two editor dialogs.
enum {
    FE_ID_OK = 1,
    FE_ID_CANCEL = 2,
    FE_ID_NAME = 1042, // folder or template name
    FE_ID_TYPE = 1043,
    FE_ID_LENGTH = 1044,
    FE_ID_LIST = 1046,
    FE_ID_NEWFIELD = 1048, // "Create field"
    FE_ID_FIELDNAME = 1049,
    FE_ID_DRAG = 1050,
    FE_ID_CREATE = 1052,
    FE_ID_FIELDCANCEL = 1053,
    FE_ID_SELECTICON = 1054,
    FE_ID_APPLY = 1055, // "Change": apply the edits
    FE_ID_ICON = 1062,
    FE_ID_UP = 1063,
    FE_ID_DOWN = 1065,
    FE_ID_DELETE = 1066,
    FE_ID_CHANGE = 1067, // "Change": edit the selected field
    FE_ID_CARD_ICON = 1087,
    FE_ID_CARDNAME = 1180,
    FE_ID_CARD_SELECTICON = 1185,
};

enum FE_KIND { FE_KIND_FOLDER, FE_KIND_CARD };
enum FE_STATE { FE_IDLE, FE_CREATING, FE_EDITING };

// The field edits: name, type list selection (-1 none; list position = type
// code), the length edit's text and the drag check box.
struct FE_INPUT {
    char cName[FELD_NAME_LEN];
    int nTyp;
    char cLaenge[8];
    int bDrag;
};

struct FE_EDITOR {
    FE_KIND nKind;
    uint32_t nMode;               // FE_MODE_* for folders and templates, CE_MODE_* for cards
    FE_STATE nState;
    int nSelected;                // selected list line; -1 none
    char cTitle[KARTEN_NAME_LEN]; // folder, template or card name
    char cIcon[ICON_NAME_LEN];    // the chosen icon
    CARDEDIT *lpBlock;            // card editor: the caller's block
};

#define FE_TEXT_FULL "fieldtable is full (49 fields)"
#define FE_TEXT_EMPTY "fieldtable is empty"

// Opens "Folder - Settings" in a mode with its name and icon. Mode 0 starts with
// an empty list; the other modes edit FELDSTRUCT as the caller filled it.
void FE_OpenFolder(FE_EDITOR *ed, uint32_t nMode, const char *title, const char *icon);
// Opens "Card - Definition" for a card editor block: mode 3 loads the block's
// template, mode 1 the source card's fields, mode 10 the card's own, mode 0 none.
void FE_OpenCard(FE_EDITOR *ed, CARDEDIT *block);

// Whether the dialog variant has a control: the change variants (mode 3, card
// mode 10) lack "Create field", "Create" and "Delete".
int FE_HasControl(const FE_EDITOR *ed, int id);
// Whether a control is enabled in the present state.
int FE_IsEnabled(const FE_EDITOR *ed, int id);

// A list line was selected (selection change or double click); -1 none.
void FE_Select(FE_EDITOR *ed, int line);
// "Create field": refused on a full list; else clears the edits, selects NORMAL.
DLG_ANSWER FE_NewField(FE_EDITOR *ed, FE_INPUT *edits);
// "Change" (1067): loads the selected entry into the edits.
DLG_ANSWER FE_ChangeField(FE_EDITOR *ed, FE_INPUT *edits);
// "Create" or "Change" (1055): checks the edits, then appends or rewrites the
// entry and clears the edits.
DLG_ANSWER FE_Apply(FE_EDITOR *ed, FE_INPUT *edits);
// Field "Cancel": back to idle, nothing changed.
DLG_ANSWER FE_FieldCancel(FE_EDITOR *ed);
DLG_ANSWER FE_Delete(FE_EDITOR *ed);
DLG_ANSWER FE_Up(FE_EDITOR *ed);
DLG_ANSWER FE_Down(FE_EDITOR *ed);
// The icon chooser returned an icon name.
void FE_SetIcon(FE_EDITOR *ed, const char *icon);
// OK with the text of the name edit; Cancel.
DLG_ANSWER FE_Ok(FE_EDITOR *ed, const char *title);
DLG_ANSWER FE_Cancel(FE_EDITOR *ed);
