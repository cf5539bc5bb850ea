// The backups a safe can be recovered from, and the logic of the "Recover"
// dialog: the list of "<dir>\*.saf.?" (drop-file backups left out) oldest
// first, and bringing a chosen generation back as the safe in SafePath with its
// drop file.
#pragma once

#include <cstdint>

#define BW_NO_BACKUPS_TEXT "keine Backup Dateien"

struct BW_BACKUPFILE {
    char cFileName[260];      // bare file name, e.g. "home.saf.2"
    uint64_t ftLastWriteTime; // as PL_GetFileWriteTime gives it
    BW_BACKUPFILE *next;
};

// Lists the safe backups in dir, oldest first (equal times keep the directory's
// order); *list receives the chain (null when there is none). Answers the count.
[[nodiscard]] int BW_ReadBackupList(const char *dir, BW_BACKUPFILE **list);
void BW_FreeBackupList(BW_BACKUPFILE *list);
// The dialog's columns: "%04d.%02d.%02d" and "%02d:%02d:%02d" in local time.
void BW_FormatBackupTime(uint64_t fileTime, char date[11], char time[9]);

// The dialog's chain, and whether it lists at least one backup (set while
// listing, never cleared: a list showing BW_NO_BACKUPS_TEXT offers nothing to choose).
struct BW_BACKUPLIST {
    BW_BACKUPFILE *lpBWRECOVERstart;
    int bBackupListed;
};
extern BW_BACKUPLIST BackupList;

// Opening: the chain of BackupPath's backups, a chain left from before freed
// first. Answers the count; 0 means the list shows BW_NO_BACKUPS_TEXT alone.
int BW_RecoverDialogOpen();
// The modal "Recover" dialog, registered by the window layer: runs the dialog,
// which works through the BW_RecoverDialog calls.
class RecoverView {
  public:
    virtual ~RecoverView();
    virtual void Run() = 0;
};
void BW_SetRecoverView(RecoverView *view);
RecoverView *BW_GetRecoverView();
// A click on an item: 0 and the name for "Backup filename:" (at most 100
// characters) when one can be chosen, -1 when nothing happens.
int BW_RecoverDialogClick(const char *selected, char *chosen, uint32_t size);
// OK with the chosen name: asks, then copies the generation over the safe in
// SafePath (and its drop-file backup over the drop file) and opens it. 0 ends
// the dialog, -1 keeps it open (the question was cancelled).
[[nodiscard]] int BW_RecoverDialogOk(const char *name);
// Cancel: the safe the command closed is opened again.
void BW_RecoverDialogCancel();
// The safe the "Recover Safe" command closed ("" when none); set by the command.
void BW_SetClosedSafe(const char *path);

// "Recover Safe": deals with the open safe (written back on Yes, without an
// automatic backup; closed unwritten on No), then BW_Recover.
[[nodiscard]] int BW_RecoverSafeCommand();
// Shows the recover dialog; refused (-1, told why) without a backup path.
[[nodiscard]] int BW_Recover();
