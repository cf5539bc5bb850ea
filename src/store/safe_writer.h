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

// Writes the open safe, complete and enveloped as the safe itself, to target
// (through a temporary file moved over it); the active safe, its handle and its
// notes stay as they are. 0, or -1 after the user was told.
[[nodiscard]] int SW_WriteSafeCopy(const char *target);

// The active safe's file as this program last read or wrote it: its size,
// last-write time and digest. SW_SafeFileChanged answers 1 when the file is no
// longer that one (changed, replaced or gone), 0 when it is or nothing was taken.
void SW_RememberSafeFile();
int SW_SafeFileChanged();
// The safe is closed: there is no file to compare with.
void SW_ForgetSafeFile();
// Where the open safe goes when its file changed elsewhere and is kept:
// "NAME (conflict YYYY-MM-DD HH-MM).saf" beside it. 0, or -1 when it does not fit.
[[nodiscard]] int SW_ConflictPath(const char *safePath, const PL_SYSTEMTIME *st, char *out, unsigned size);
// A fingerprint of everything the open safe would write: it changes with every edit.
uint64_t SW_ListsDigest();

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
