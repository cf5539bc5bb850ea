// The droplist: one record per file or folder encrypted through the drop window.
#pragma once

#include "model/record_list.h"

#include <cstdint>

#define DROP_FILENAME_LEN 264

enum : uint32_t {
    KZ_FILE = 1,    // a dropped file
    KZ_FOLDER = 2,  // a dropped folder
    KZ_MEMBER = 16, // a file or subfolder inside a dropped folder
};
#define NO_ATTRIBUTES 987654u // the attributes could not be read

struct DROPLIST {
    char filename[DROP_FILENAME_LEN];
    uint32_t index;
    uint32_t kz;
    uint32_t dwAttribute;
    DROPLIST *next;
};

extern DROPLIST *lpDROPLISTstart, *lpDROPLISTact;
inline SW_LIST<DROPLIST> DW_DropList() { return {lpDROPLISTstart}; }

// The chain's counters: every entry (the source of `index`), KZ_FILE entries and
// KZ_FOLDER entries. KZ_MEMBER entries count only in the first.
struct DROPCOUNTS {
    uint32_t nDropCount;
    uint32_t nDropFileCount;
    uint32_t nDropFolderCount;
};
extern DROPCOUNTS DropCounts;

// Appends a zero-filled record at the tail; null when memory ran out.
DROPLIST *DW_AppendDropRecord(const char *tag);
// Counts a record just appended under its kind.
void DW_CountDropRecord(const DROPLIST *d);
void DW_ResetDropCounters();
// Unlinks a record of the chain and frees it; the counters stay.
void DW_RemoveDropRecord(DROPLIST *d);
// Frees the chain and empties head and tail; the counters stay.
void DW_FreeDroptabelle();
