// The droplist: the files and folders encrypted through the drop window, kept
// in a chain that belongs to the open safe and is stored in its drop file.
#pragma once

#include "tools/droplist_records.h"

#include <cstdint>

// The chain's counters: every entry (the source of `index`), KZ_FILE entries and
// KZ_FOLDER entries. KZ_MEMBER entries count only in the first.
extern uint32_t nDropCount;
extern uint32_t nDropFileCount;
extern uint32_t nDropFolderCount;

// Appends a zero-filled record at the tail; null when memory ran out.
DROPLIST *DW_AppendDropRecord(const char *tag);
// Counts a record just appended under its kind.
void DW_CountDropRecord(const DROPLIST *d);
void DW_ResetDropCounters();
// Frees the chain and empties head and tail; the counters stay.
void DW_FreeDroptabelle();
