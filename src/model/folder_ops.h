// Folder operations: creating a folder from a template, changing a folder's
// name, icon and field descriptions, and deleting a folder with its cards. The
// dialogs ("Create Folder", "Folder - Settings") call these and carry out what
// they answer; the windows learn of every change through the UI port.
#pragma once

#include "model/dialog_answer.h"
#include "model/records.h"

#include <cstdint>

struct FE_EDITOR;

// Control identifiers of "Create Folder".
enum {
    OW_ID_FOLDERNAME = 1042,
    OW_ID_TEMPLATE = 1066, // the chosen template's name
    OW_ID_LIST = 1067,
};

// Fills FELDSTRUCT from a folder's field descriptions in list order (index,
// order, name, type, length, drag) and puts the editor in mode 3. Answers the count.
uint32_t OW_LoadFeldStruct(uint32_t nOrdnerKennung);

// Appends a field description of the folder for each FELDSTRUCT entry up to the
// first without a name: nFeldIndex 0, 1, 2, ..., nFeldOrder 1, 2, 3, ... in list
// order; raises the field-description count. Answers the count appended.
uint32_t OW_CopyTemplateFeld2Feldtabelle(uint32_t nOrdnerKennung);

// Applies FELDSTRUCT to the folder's field descriptions, matched by index: the
// contents of the folder's cards follow a new length (cut when shorter) and are
// emptied when the type becomes an alarm type; then each description takes the
// entry's length, drag mark, name, type and order.
void OW_ChangeFeldTabelle(uint32_t nOrdnerKennung);

// "Create Folder". "List" returned a template: it becomes the current template
// and its fields are loaded. OK checks the folder and template names and opens
// the editor state in mode 2 (DLG_NEXT: run the editor). After the editor,
// OWCreateOrdnerEnd creates the folder from FELDSTRUCT with the editor's name and
// icon and answers its identifier; after a Cancel it clears the flag and the
// template and answers -1 ("Create Folder" stays, the template display emptied).
void OW_CreateOrdnerTemplate(const char *templateName);
DLG_ANSWER OW_CreateOrdnerOk(const char *folderName, const char *templateName, FE_EDITOR *ed);
[[nodiscard]] int OW_CreateOrdnerEnd(const FE_EDITOR *ed);

// The new folder itself: a folder record last in the tree with the fields of
// FELDSTRUCT. Answers its identifier.
uint32_t OW_NewOrdner(const char *name, const char *icon);

// "Change folder" on a folder's tree item: loads its fields and opens the editor
// state in mode 3 (0; -1 when the item is no folder). After the editor, unless
// it was cancelled, applies the fields, name and icon (0; 1 when cancelled).
[[nodiscard]] int OW_ChangeOrdnerBegin(TREEHANDLE hFolder, FE_EDITOR *ed);
[[nodiscard]] int OW_ChangeOrdnerEnd(TREEHANDLE hFolder, const FE_EDITOR *ed);

// "Delete folder": asks "Ordner [%s] löschen ?", then removes the folder with
// its cards, their contents and own field descriptions and its field
// descriptions. 0 deleted, 1 when the user said no, -1 when the item is no folder.
[[nodiscard]] int OW_DeleteOrdner(TREEHANDLE hFolder);
// The same removal without asking, by folder identifier (an import taken back).
// 0, or -1 when there is no such folder.
[[nodiscard]] int OW_RemoveOrdner(uint32_t nOrdnerKennung);
