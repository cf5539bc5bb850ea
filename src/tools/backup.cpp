#include "tools/backup.h"

#include "config/settings.h"
#include "frame/logs.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/droplist.h"

#include <cstdio>
#include <cstring>

namespace {
const char TAG_FNK[] = "SW_FNK";
const uint32_t kCopyChunk = 65536;
const size_t kPathSize = 600;
const size_t kNameSize = kPathSize + 32; // a base with its suffix and generation

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }

int KeepError(uint32_t err) {
    PL_SetLastError(err);
    return -1;
}

// Copies the bytes of one open file into another; 0 or -1.
int CopyBytes(PL_HANDLE in, PL_HANDLE out) {
    static char buf[kCopyChunk];
    for (;;) {
        uint32_t n = 0;
        if (PL_ReadFile(in, buf, kCopyChunk, &n) != 0)
            return -1;
        if (n == 0)
            return 0;
        uint32_t done = 0;
        if (PL_WriteFile(out, buf, n, &done) != 0)
            return -1;
        if (done != n) {
            PL_SetLastError(PL_ERROR_DISK_FULL);
            return -1;
        }
    }
}
} // namespace

int BW_CopyFile(const char *from, const char *to) {
    char temp[kNameSize];
    if (snprintf(temp, sizeof temp, "%s%s", to, BW_TEMP_SUFFIX) >= static_cast<int>(sizeof temp))
        return KeepError(PL_ERROR_PATH_NOT_FOUND);
    // The active safe stays open for reading and writing while it is backed up.
    PL_HANDLE in = PL_CreateFile(from, PL_GENERIC_READ, PL_SHARE_READ | PL_SHARE_WRITE, PL_OPEN_EXISTING, 0);
    if (!in)
        return -1;
    uint32_t attributes = PL_GetFileAttributes(from);
    uint64_t writeTime = 0;
    bool haveTime = PL_GetFileWriteTime(from, &writeTime) == 0;

    PL_SetFileAttributes(temp, PL_ATTR_NORMAL); // one left by an interrupted copy
    PL_HANDLE out = PL_CreateFile(temp, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_NORMAL);
    if (!out) {
        uint32_t err = PL_GetLastError();
        PL_CloseHandle(in);
        return KeepError(err);
    }
    int rc = CopyBytes(in, out);
    if (rc == 0 && PL_FlushFileBuffers(out) != 0)
        rc = -1;
    uint32_t err = PL_GetLastError();
    PL_CloseHandle(in);
    PL_CloseHandle(out);
    if (rc == 0 && haveTime)
        PL_SetFileWriteTime(temp, writeTime);

    if (rc == 0) {
        // A hidden or read-only target (a drop file's copy is hidden) is replaced all the same.
        uint32_t old = PL_GetFileAttributes(to);
        if (old != PL_INVALID_ATTRIBUTES && (old & (PL_ATTR_READONLY | PL_ATTR_HIDDEN | PL_ATTR_SYSTEM)))
            PL_SetFileAttributes(to, PL_ATTR_NORMAL);
        if (PL_MoveFileEx(temp, to, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) != 0) {
            err = PL_GetLastError();
            rc = -1;
            if (old != PL_INVALID_ATTRIBUTES && (old & (PL_ATTR_READONLY | PL_ATTR_HIDDEN | PL_ATTR_SYSTEM)))
                PL_SetFileAttributes(to, old & ~static_cast<uint32_t>(PL_ATTR_DIRECTORY));
        }
    }
    if (rc != 0) {
        PL_DeleteFile(temp);
        return KeepError(err);
    }
    if (attributes != PL_INVALID_ATTRIBUTES && (attributes & ~static_cast<uint32_t>(PL_ATTR_ARCHIVE)) != 0 &&
        attributes != PL_ATTR_NORMAL)
        PL_SetFileAttributes(to, attributes);
    return 0;
}

int BW_ChooseGeneration(const char *base, int generations) {
    int chosen = 0;
    bool seen = false;
    uint64_t oldest = 0;
    for (int i = 0; i < generations; ++i) {
        char name[kNameSize];
        snprintf(name, sizeof name, "%s.%d", base, i);
        if (PL_GetFileAttributes(name) == PL_INVALID_ATTRIBUTES)
            return i; // the first missing generation wins
        uint64_t t = 0;
        PL_GetFileWriteTime(name, &t);
        if (!seen || t < oldest) {
            seen = true;
            oldest = t;
            chosen = i;
        }
    }
    return chosen;
}

int BW_BackupTo(const char *safePath, const char *backupDir, int generations, int withDropFile, int *generation) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B BW_Backup(LPSTR %s)", safePath);
    if (generations < 1)
        generations = 1;
    if (generations > 9)
        generations = 9;
    char base[kPathSize];
    snprintf(base, sizeof base, "%s\\%s", backupDir, SW_ExtractSafeName(safePath));
    int g = BW_ChooseGeneration(base, generations);
    char target[kNameSize];
    snprintf(target, sizeof target, "%s.%d", base, g);
    // Without a backup directory there is nowhere to put a backup.
    if (!backupDir[0] || BW_CopyFile(safePath, target) != 0) {
        uint32_t err = backupDir[0] ? PL_GetLastError() : static_cast<uint32_t>(PL_ERROR_PATH_NOT_FOUND);
        ML_WriteLogF("BW02", err, "Backup [%s] error - code: %d", target, static_cast<int>(err));
        ErrorBox("backup error (Details in logfile)!");
        return -1;
    }
    if (generation)
        *generation = g;
    if (!withDropFile)
        return 0;
    char dropFile[kNameSize], dropTarget[kNameSize];
    snprintf(dropFile, sizeof dropFile, "%s%s", safePath, DROPFILE_SUFFIX);
    snprintf(dropTarget, sizeof dropTarget, "%s%s.%d", base, DROPFILE_SUFFIX, g);
    (void)BW_CopyFile(dropFile, dropTarget); // the safe's copy stands whatever happens here
    return 0;
}

int BW_Backup(const char *safePath) {
    return BW_BackupTo(safePath, Settings.BackupPath, Settings.BackupGenerations, !DW_DropList().empty() ? 1 : 0,
                       nullptr);
}

void BW_InstallAutoBackup() { SW_SetAutoBackup(BW_Backup); }

int BW_BackupSafeCommand() {
    if (!hmySafe) {
        ErrorBox("can't do, please open safe first");
        return -1;
    }
    if (UI_MessageBox("Backup current safe ?", "Confirm", UI_MB_YESNO) != UI_IDYES)
        return -1;
    if (SW_PutSafe(0, 0) != 0)
        return -1;
    if (BW_Backup(cActSafePath) != 0)
        return -1;
    UI_MessageBox("Backup done!", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
    return 0;
}
