// The logic of the "Alarm Date" dialog, opened by the card view for an alarm
// field of the current card: three lists (day "01".."31", month "01".."12",
// year "2005" to ten years after the current one, at least to "2019"), preselected from the field's date or today, and what OK
// stores. The dialog procedure fills its lists from these functions and hands
// back the positions chosen.
#pragma once

#include "model/records.h"

#include <cstdint>

enum AW_LIST { AW_LIST_DAY, AW_LIST_MONTH, AW_LIST_YEAR };
#define AW_YEAR_FIRST 2005
#define AW_YEAR_LAST_MIN 2019 // the list runs at least this far
#define AW_YEARS_AHEAD 10     // and always this many years past the current one

// Entries of a list, the text and value of one entry, and the entry of a value
// (-1 when the list has none, as for 0: nothing is preselected).
int AW_DateListCount(AW_LIST list);
void AW_DateListText(AW_LIST list, int position, char out[8]);
int AW_DateListValue(AW_LIST list, int position);
int AW_DateListPosition(AW_LIST list, int value);

// What the lists show on opening: the field's date, or today when the field has
// no content (values that are not in a list preselect nothing there).
struct AW_DATESEL {
    int day, month, year;
};
void AW_AlarmDateInit(uint32_t nKarte, uint32_t nFeld, AW_DATESEL *sel);

// OK with the values chosen (0 where nothing was chosen): stores "MM/DD/YYYY"
// as the field's content and has the card view show the field again. 0, or -1
// when the card has no such field.
[[nodiscard]] int AW_AlarmDateOk(uint32_t nKarte, uint32_t nFeld, int day, int month, int year, TREEHANDLE hCardItem);
// Cancel: nothing is stored; the card view shows the field again.
void AW_AlarmDateCancel(uint32_t nFeld);
