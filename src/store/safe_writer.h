// Writing the active safe. The new safe is written into a temporary file beside
// the old one, flushed, and only then moved over it, so a crash, a full disk or
// a failed write never costs the safe already on disk. Afterwards the active
// handle is the new file, open for reading and writing and shared for reading.
#pragma once

#include "platform/platform.h"
#include "store/safe_format.h"

// nBackupFlag 1: an automatic backup follows when the settings ask for it.
// nIsPDA 1: a copy at the active path, which the caller set with no active handle.
[[nodiscard]] int SW_PutSafe(int nBackupFlag, int nIsPDA);

// Creates the file at path and writes the header and the enveloped control
// block; the open handle, or null after the user was told.
PL_HANDLE SW_WriteSafeHeader(const char *path, SAFEHEADER *header, const SAFECONTROL *control);

// The section writers, each into the file being written; 0 or -1.
[[nodiscard]] int SW_WriteSafeOrdner();
[[nodiscard]] int SW_WriteSafeFeldBeschreibung();
[[nodiscard]] int SW_WriteKarten();
[[nodiscard]] int SW_WriteFeldContent();
[[nodiscard]] int SW_WriteFieldTab();
[[nodiscard]] int SW_WriteNotes();
[[nodiscard]] int SW_WriteDesktopTable();

// The automatic backup that follows a successful save when AutoBackup is on
// and the caller asked for it; installed by the backup module.
typedef int (*SW_AfterSaveHook)(const char *safePath);
void SW_SetAutoBackup(SW_AfterSaveHook hook);
