// Backup generations of a safe: copies of the safe file (and of its drop file
// while the droplist has entries) in the backup directory, named
// "<BackupPath>\<safe file name>.<g>" and "<BackupPath>\<safe file name>.df.<g>"
// for g from 0 to BackupGenerations - 1. A new backup takes the first missing
// generation, or when all exist the one written longest ago. Every copy is
// written into a temporary file beside its target, flushed and moved over it,
// so a failed copy never costs the backup (or the safe) that was there.
#pragma once

#include <cstdint>

#define BW_TEMP_SUFFIX ".~tmp"

// One generation of the safe at safePath with the settings' BackupPath and
// BackupGenerations; its drop file too when the droplist has entries. The
// automatic backup after a save. 0, or -1 after the user was told.
[[nodiscard]] int BW_Backup(const char *safePath);
// The same into any directory, for the terminal too: withDropFile 1 copies
// "<safePath>.df" as well (its outcome does not count; without the droplist at
// hand, whether the drop file exists says the same, as an empty droplist has
// none). *generation (may be null) receives the number written. 0, or -1 after
// the user was told.
[[nodiscard]] int BW_BackupTo(const char *safePath, const char *backupDir, int generations, int withDropFile, int *generation);
// The generation the next backup of base ("<dir>\<safe file name>") takes.
int BW_ChooseGeneration(const char *base, int generations);

// Copies a file as one step: into "<to>.~tmp", flushed, then moved over to;
// the copy keeps the source's last-write time and attributes. The source may be
// open elsewhere (the active safe is). 0, or -1 with the system error set.
[[nodiscard]] int BW_CopyFile(const char *from, const char *to);

// Makes BW_Backup the safe writer's automatic backup (called once at start).
void BW_InstallAutoBackup();

// "Backup Safe": asks, writes the safe back (without an automatic backup) and
// makes one generation. 0 when done, -1 otherwise.
[[nodiscard]] int BW_BackupSafeCommand();
