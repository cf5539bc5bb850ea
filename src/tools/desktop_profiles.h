// The desktop icon profiles of the open safe: a chain of profile headers and a
// chain of icon records.
#pragma once

#include "tools/desktop_records.h"

#define DESKTOP_TEXT_MAX 511 // longest icon label the desktop hands out

DTOPHEADER *DT_AppendProfile(const char *tag);
DESKTOP *DT_AppendIcon(const char *tag);
// Frees both chains and every icon label.
void DT_FreeDesktopTable();
