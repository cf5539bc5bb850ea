// FELDSTRUCT, the working list of field descriptions that the folder, card and
// template editors edit. Templates and OW_/CW_LoadFeldStruct fill it; creating
// a folder or card, changing one and writing a template read it back. An entry
// with an empty name ends the list, so its 50 entries hold at most 49 fields;
// the entry after the last used one is the cursor where "Create" appends.
#pragma once

#include "model/records.h"

#include <cstdint>

#define FELDSTRUCT_SIZE 50 // entries
#define FELDSTRUCT_MAX 49  // field descriptions: the last entry always stays empty

struct FELDSTRUCT {
    uint32_t nIndex;            // nFeldIndex / FeldIndex of the field it stands for (change modes); else its position
    uint32_t nOrder;            // nFeldOrder / FeldOrder (change modes)
    char cName[FELD_NAME_LEN];  // at most 24 characters
    uint32_t nTyp;              // field type code
    uint32_t nLaenge;           // maximum content length, at most 250; 10 for type 5, 3 for type 6
    uint32_t nDrag;             // drag mark, 0 or 1; 0 for types 5 and 6
};

// Modes of the field-description editor ("Folder - Settings").
enum : uint32_t {
    FE_MODE_NEW_TEMPLATE = 0,
    FE_MODE_CHANGE_TEMPLATE = 1,
    FE_MODE_NEW_FOLDER = 2,
    FE_MODE_CHANGE_FOLDER = 3,
};

extern FELDSTRUCT FeldStruct[FELDSTRUCT_SIZE];
struct FELDEDITOR {
    uint32_t nFeldStructCount; // entries in use; FeldStruct[nFeldStructCount] is the cursor
    uint32_t nFeldEditMode;    // the editor's mode while it is open (3 while "Change folder" runs), else 0
    int nDlgCancelled;         // set by the editor's Cancel in modes 2 and 3; the caller reads and clears it
};
extern FELDEDITOR FeldEditor;

// Zeroes the list: no entries, the cursor on the first.
void FS_Clear();

// Appends an entry at the cursor with index = its position; the type rules are
// applied (FS_ApplyTypeRules). Null when the list is full.
FELDSTRUCT *FS_Append(const char *name, uint32_t nTyp, uint32_t nLaenge, uint32_t nDrag);

// The alarm types take no length or drag mark of their own: type 5 gets length
// 10, type 6 length 3, both no drag mark. A drag mark is 0 or 1.
void FS_ApplyTypeRules(FELDSTRUCT *entry);

// Entries up to the first with an empty name: what the lists built from the
// working list take over.
uint32_t FS_UsedEntries();

// The texts of one row of a field list in the choosers: "Fieldname", "Fieldtype"
// (the type's name from the type table, empty for a type it does not offer),
// "D" ("Y" when the drag mark is set) and "Size".
struct FS_ROW {
    char cName[FELD_NAME_LEN];
    char cTyp[20];
    char cDrag[2];
    char cSize[12];
};
void FS_DescribeEntry(const FELDSTRUCT *entry, FS_ROW *row);

// Brings a field content in line with its field's new description, as changing
// a folder or an individual card does: on a new length the text is moved into a
// block of the new length (cut when longer); when the type becomes an alarm type
// from another type the text is dropped. Replaced texts are wiped.
void FS_AdjustInhalt(FELDINHALT *content, uint32_t nOldLaenge, uint32_t nOldTyp, uint32_t nNewLaenge,
                     uint32_t nNewTyp);
