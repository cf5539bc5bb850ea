// The field types as the field dialogs offer them: a fixed table of 20-byte rows
// (a name of 16 characters, zero-padded, and the type code), ended by a row with
// an empty name and code 99. The rows are in code order, so a list filled from
// the table has each type at the position of its code. Type 6, the second alarm
// kind, is not offered.
#pragma once

#include <cstdint>

#define FELDTYP_NAME_LEN 16
#define FELDTYP_ENDE 99u

struct FELDTYP {
    char cName[FELDTYP_NAME_LEN];
    uint32_t nTyp;
};

extern const FELDTYP FeldTypen[];
