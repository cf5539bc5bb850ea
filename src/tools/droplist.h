// The droplist: the files and folders encrypted through the drop window, kept
// in a chain that belongs to the open safe and is stored in its drop file.
#pragma once

#include "model/droplist_records.h"

#include <cstdint>

// Appends an entry: path, kind and the attributes read before the program
// changed them (PL_INVALID_ATTRIBUTES is kept as NO_ATTRIBUTES); its index is
// the entry count after adding it. Files and folders also appear in the drop
// window's list at once. 0, or -1 when the path does not fit or memory ran out.
[[nodiscard]] int DW_AddDropList(const char *path, uint32_t kz, uint32_t attributes);
// Removes the first entry of that path (nothing when there is none) and gives
// the item its saved attributes back.
void DW_RemoveDropList(const char *path);
// 1 when the path has an entry, else 0. Paths compare byte for byte.
int DW_IsInDropList(const char *path);
// The kind of the path's first entry; -1 when the droplist is empty or has no
// entry for it (logged "DW01" in the second case).
int DW_GetFileTyp(const char *path);

