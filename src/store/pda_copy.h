// "Save for PDA": a copy of the open safe, as it stands in memory, written into
// the folder of the setting PDA_Path under the safe's file name. The open safe,
// its path and its file stay exactly as they were.
#pragma once

// Writes the copy through a temporary file moved into place and confirms it
// with "Backup done!". 0; -1 when no safe is open, no folder is set, the path
// would be too long, or the copy could not be written (the user was told).
[[nodiscard]] int SW_SaveForPDA();
