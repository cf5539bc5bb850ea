#include "tools/droplist.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "tools/drop_window.h"

#include <cstdio>
#include <cstring>

namespace {
DROPLIST *FindDropRecord(const char *path) {
    for (DROPLIST *d : DW_DropList())
        if (strcmp(d->filename, path) == 0)
            return d;
    return nullptr;
}
} // namespace

int DW_AddDropList(const char *path, uint32_t kz, uint32_t attributes) {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B DW_AddDropList(LPSTR %s, UINT %u, DWORD %x)", path, kz, attributes);
    if (!path || strlen(path) >= DROP_FILENAME_LEN)
        return -1; // a cut path would name another item
    DROPLIST *d = DW_AppendDropRecord(!DW_DropList().empty() ? "DW_M_00" : "DW_M_01");
    if (!d)
        return -1;
    ++DropCounts.nDropCount;
    snprintf(d->filename, sizeof d->filename, "%s", path);
    d->kz = kz;
    d->dwAttribute = attributes == PL_INVALID_ATTRIBUTES ? NO_ATTRIBUTES : attributes;
    d->index = DropCounts.nDropCount;
    if (kz == KZ_FILE)
        ++DropCounts.nDropFileCount;
    else if (kz == KZ_FOLDER)
        ++DropCounts.nDropFolderCount;
    DW_ListInsert(d->filename, kz, d->index);
    UI_PumpAndWait(0);
    return 0;
}

void DW_RemoveDropList(const char *path) {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B DW_RemoveDropList(LPSTR %s)", path);
    DROPLIST *d = FindDropRecord(path);
    if (!d)
        return;
    if (d->dwAttribute != NO_ATTRIBUTES) {
        // A folder's saved attributes carry the directory bit, which no one sets.
        uint32_t a = d->dwAttribute & ~static_cast<uint32_t>(PL_ATTR_DIRECTORY);
        PL_SetFileAttributes(d->filename, a ? a : PL_ATTR_NORMAL);
    }
    if (DropCounts.nDropCount)
        --DropCounts.nDropCount;
    if (d->kz == KZ_FILE && DropCounts.nDropFileCount)
        --DropCounts.nDropFileCount;
    else if (d->kz == KZ_FOLDER && DropCounts.nDropFolderCount)
        --DropCounts.nDropFolderCount;
    DW_RemoveDropRecord(d);
    UI_PumpAndWait(0);
}

int DW_IsInDropList(const char *path) { return FindDropRecord(path) ? 1 : 0; }

int DW_GetFileTyp(const char *path) {
    if (DW_DropList().empty())
        return -1;
    DROPLIST *d = FindDropRecord(path);
    if (!d) {
        ML_WriteLogF("DW01", 0, "error: DW_GetFileTyp(filename=%s) - cannot find dropfile", path);
        return -1;
    }
    return static_cast<int>(d->kz);
}
