// Folder templates: named lists of field descriptions with an icon, kept in
// "orvtemplate.ini" in the program directory and shared by all safes.
//
// Section "Templates" holds one line per template, "Ordner<n>=<name>,<icon>"
// with n from 1; a section named after each template holds its fields in display
// order, "Feld<i>=<name>,<type>,<length>,<drag>" with i from 1. Reading ignores
// the keys: the lines' order is the field order, and a template is found by the
// name in its value. Names cannot hold commas. The file is read afresh at every
// use, each section through one buffer of TW_READ_SIZE bytes, and written only
// when the editor's OK saves a template.
#pragma once

#include "model/dialog_answer.h"

#include <cstdint>
#include <string>

#define TW_SECTION_TEMPLATES "Templates"
#define TW_NAME_LEN 25                 // template, field and icon names: at most 24 characters
#define TW_READ_SIZE (64u * 1024u)     // one section of the file: over a thousand templates
#define TW_ERROR_EQUALS "error in template file (=)"

// Control identifiers of the "Foldertemplates" dialog.
enum {
    TW_ID_EXISTING = 1035, // existing template name
    TW_ID_BROWSE = 1036,
    TW_ID_NEWNAME = 1037,
    TW_ID_CREATE = 1038,
};

// The current template: the one being created or changed, or the one chosen for
// a new folder.
extern char cTemplateName[TW_NAME_LEN];

// Fills FELDSTRUCT from the template's section, each entry with index = its
// position (at most 49). 1, or 0 when the section is missing or empty or a line
// lacks "=" (then "error in template file (=)" is shown and logged as "TW05";
// the entries read so far stay). A line with only a name gives type NORMAL,
// length 0 and no drag mark; lines without a name are passed over; lengths above
// 250 are taken as 250 and the alarm types get their fixed lengths.
int TW_LoadTemplate(const char *name);

// A name as typed, without the blanks around it and cut to 24 characters.
std::string TW_CleanName(const char *name);
// Whether the file has a section of that name with at least one line.
bool TW_TemplateExists(const char *name);

// The lines of a section, counted from the first while each holds "=".
int TW_CountTemplates(const char *section);

// The number n of the "Ordner<n>" line of the template named exactly so; 0 when none.
int TW_GetTemplateNumber(const char *name);

// Copies the icon name of a template's "Templates" line into icon (TW_NAME_LEN
// bytes). 0; -1 when there is no such template (icon empty), or when a line
// lacks "=" (shown and logged under the caller's code).
int TW_GetTemplateIcon(const char *name, char *icon, const char *logCode);

// Writes a template: its "Ordner<n>" line with the icon (n its present number,
// or for a template not yet listed one above the highest in use) and its section
// anew with the entries of FELDSTRUCT up to the first without a name. 0 or -1.
[[nodiscard]] int TW_WriteTemplate(uint32_t nMode, const char *name, const char *icon);

// The template chooser.
struct TW_CHOOSE {
    char cCaption[50];  // "Please select template"
    char cTemplate[50]; // the chosen template's name
    int32_t nCancelled; // 0 after OK, -1 after Cancel
    uint32_t nKartenKennung; // the card chooser: the chosen card
};
// Calls fn with each template's name and icon name, in file order; answers the
// count. A line without "=" stops the list with "error in template file (=)"
// (shown, logged as "TW01").
typedef void (*TW_ListFn)(void *ctx, const char *name, const char *icon);
int TW_ListTemplates(TW_ListFn fn, void *ctx);
// OK with the selected template's name (none selected: the chooser stays), and Cancel.
DLG_ANSWER TW_ChooserOk(TW_CHOOSE *block, const char *selected);
DLG_ANSWER TW_ChooserCancel(TW_CHOOSE *block);
