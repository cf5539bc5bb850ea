#include "model/field_types.h"

#include "model/records.h"

static_assert(sizeof(FELDTYP) == 20, "a type row is 20 bytes");

const FELDTYP FeldTypen[] = {
    {"NORMAL", FT_NORMAL}, {"PASSWORT", FT_PASSWORT}, {"URL", FT_URL},     {"E-MAIL", FT_EMAIL},
    {"PROGRAMM", FT_PROGRAMM}, {"ALARM", FT_ALARM}, {"", FELDTYP_ENDE},
};
