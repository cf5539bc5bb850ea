// The desktop icon profiles of the open safe: a chain of profile headers and a
// chain of icon records, with the lookups and removals the profile dialog and
// the save and restore commands use.
#pragma once

#include "model/desktop_records.h"

#include <cstdint>

#define DESKTOP_TEXT_MAX 511 // longest icon label the desktop hands out
#define DESKTOP_ID_TEXT "DESKTOP_ID"

DTOPHEADER *DT_AppendProfile(const char *tag);
DESKTOP *DT_AppendIcon(const char *tag);
// Frees both chains and every icon label.
void DT_FreeDesktopTable();

// The lowest profile id from 1 upwards that no header uses.
uint32_t DT_GetNewProfilId();
// Id of the first profile named exactly name; 0 when there is none.
uint32_t DT_FindProfile(const char *name);
// The header of a profile id; null when there is none.
DTOPHEADER *DT_GetProfile(uint32_t id);
// The first icon record of the profile whose label equals text exactly (case
// counts); records without a label never match. Null when there is none.
DESKTOP *DT_FindIcon(uint32_t id, const char *text);
// As DT_FindIcon, but the record of the nth (0 = first) icon with that label:
// icons that share a label are told apart by their order.
DESKTOP *DT_FindIconNth(uint32_t id, const char *text, int nth);
// Removes the icon records of a profile and, unless keepHeader, its header.
void DT_DeleteProfile(uint32_t id, int keepHeader);
