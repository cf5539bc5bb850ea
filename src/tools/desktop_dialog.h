// The logic of the desktop profile dialog ("Save desktop icon positions" /
// "Restore desktop icon positions"): a list of the profiles, a name field, a
// "Delete" button, OK and Cancel. The dialog procedure fills its controls from
// these functions and hands each button's choice to them; they ask their
// questions through the UI port and answer whether the dialog closes.
#pragma once

#include "model/desktop_records.h"

#include <cstdint>

enum : uint32_t { DT_MODE_SAVE = 0, DT_MODE_RESTORE = 1 };
#define DT_RESULT_OK 0u
#define DT_RESULT_CANCEL 0xFFFFFFFFu

#define DT_NAME_EDIT_LIMIT 40 // what the name field takes when saving
#define DT_NAME_MAX 39        // what OK reads of it
#define DT_PROFILE_COLUMNS 5

// Handed to the dialog: the mode; it sets the chosen profile's id and the result.
struct DT_PROFILEREQUEST {
    uint32_t nMode;
    uint32_t nProfilId;
    uint32_t nResult;
};

// One row of the list, for one profile header.
struct DT_PROFILEROW {
    char szName[41];
    char szCreated[11]; // month first: "%02d/%02d/%04d"
    char szComputer[31];
    char szWidth[12];   // "%04d"
    char szHeight[12];
    uint32_t nProfilIndex; // kept with the row
};

const char *DT_ProfileDialogTitle(uint32_t mode);
extern const char *const DT_ProfileColumnTitles[DT_PROFILE_COLUMNS];
// Column widths for the list's client width: its hundredth part (whole pixels)
// times 30, 20, 30, 10 and 10, plus one pixel each.
void DT_ProfileColumnWidths(int clientWidth, int widths[DT_PROFILE_COLUMNS]);
// The rows are inserted at the top of the list in chain order, so the profile
// stored last comes first.
void DT_ProfileRow(const DTOPHEADER *h, DT_PROFILEROW *row);
// A store date DDMMYYYY shown month first; an empty one shows "00/00/0000".
void DT_FormatCreated(const char created[8], char out[11]);

// "Delete" for the profile of the chosen row: asks, and on Yes deletes the profile
// with its icons (the restore command goes off with the last profile). 1 when it
// was deleted (remove the row, disable "Delete", empty the name), 0 when kept.
[[nodiscard]] int DT_ProfileDialogDelete(uint32_t id);

// OK with the name typed or taken from a row: asks what must be asked, creates or
// prepares the profile and fills the request. 0: close the dialog; -1: it stays open.
[[nodiscard]] int DT_ProfileDialogOk(DT_PROFILEREQUEST *request, const char *name);
void DT_ProfileDialogCancel(DT_PROFILEREQUEST *request);
