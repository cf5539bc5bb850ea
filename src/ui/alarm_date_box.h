// "Alarm Date": the date of an ALARM field of the card the list shows, chosen
// from day, month and year lists.
#pragma once

#include <cstdint>

void AW_AlarmDateDialog(uint32_t nFeldIndex);
