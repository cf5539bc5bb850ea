#include "tools/recover_list.h"

#include "config/settings.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/backup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

BW_BACKUPLIST BackupList;

namespace {
const size_t kPathSize = 600;
const uint32_t kChosenMax = 100;
char g_closedSafe[SAFE_PATH_SIZE];

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }

// Inserts r after every record not newer than it: oldest first, ties in listing order.
void InsertByTime(BW_BACKUPFILE **list, BW_BACKUPFILE *r) {
    BW_BACKUPFILE **at = list;
    while (*at && (*at)->ftLastWriteTime <= r->ftLastWriteTime)
        at = &(*at)->next;
    r->next = *at;
    *at = r;
}
} // namespace

int BW_ReadBackupList(const char *dir, BW_BACKUPFILE **list) {
    *list = nullptr;
    char pattern[kPathSize];
    snprintf(pattern, sizeof pattern, "%s\\*.saf.?", dir);
    PL_FIND_DATA fd;
    PL_FIND f = PL_FindFirstFile(pattern, &fd);
    if (!f)
        return 0;
    int count = 0;
    do {
        if (strstr(fd.cFileName, DROPFILE_SUFFIX) || (fd.dwFileAttributes & PL_ATTR_DIRECTORY))
            continue;
        BW_BACKUPFILE *r = static_cast<BW_BACKUPFILE *>(T_Malloc(*list ? "BW_M_11" : "BW_M_10", sizeof(BW_BACKUPFILE)));
        if (!r)
            break;
        snprintf(r->cFileName, sizeof r->cFileName, "%s", fd.cFileName);
        r->ftLastWriteTime = fd.ftLastWriteTime;
        InsertByTime(list, r);
        ++count;
    } while (PL_FindNextFile(f, &fd) == 0);
    PL_FindClose(f);
    return count;
}

void BW_FreeBackupList(BW_BACKUPFILE *list) {
    while (list) {
        BW_BACKUPFILE *next = list->next;
        T_Free(next ? "BW_F_17" : "BW_F_18", list);
        list = next;
    }
}

void BW_FormatBackupTime(uint64_t fileTime, char date[11], char time[9]) {
    PL_SYSTEMTIME st{};
    PL_FileTimeToLocalTime(fileTime, &st);
    snprintf(date, 11, "%04d.%02d.%02d", st.wYear % 10000, st.wMonth % 100, st.wDay % 100);
    snprintf(time, 9, "%02d:%02d:%02d", st.wHour % 100, st.wMinute % 100, st.wSecond % 100);
}

RecoverView::~RecoverView() = default;

static RecoverView *g_recoverView = nullptr;

void BW_SetRecoverView(RecoverView *view) { g_recoverView = view; }
RecoverView *BW_GetRecoverView() { return g_recoverView; }

int BW_RecoverDialogOpen() {
    BW_FreeBackupList(BackupList.lpBWRECOVERstart);
    BackupList.lpBWRECOVERstart = nullptr;
    int count = BW_ReadBackupList(Settings.BackupPath, &BackupList.lpBWRECOVERstart);
    if (count > 0)
        BackupList.bBackupListed = 1;
    return count;
}

int BW_RecoverDialogClick(const char *selected, char *chosen, uint32_t size) {
    if (!BackupList.bBackupListed || !selected || !*selected || size == 0)
        return -1;
    uint32_t n = static_cast<uint32_t>(strlen(selected));
    if (n > kChosenMax)
        n = kChosenMax;
    if (n >= size)
        n = size - 1;
    memcpy(chosen, selected, n);
    chosen[n] = 0;
    return 0;
}

void BW_SetClosedSafe(const char *path) { snprintf(g_closedSafe, sizeof g_closedSafe, "%s", path ? path : ""); }

int BW_RecoverDialogOk(const char *name) {
    const char *dot = name ? strrchr(name, '.') : nullptr;
    if (!dot || dot == name || !dot[1])
        return -1; // no generation to take
    std::string safeName(name, static_cast<size_t>(dot - name));
    int generation = atoi(dot + 1);

    std::string question = "replace safe '" + safeName + "' with backup: '" + name + "' ?";
    if (UI_MessageBox(question.c_str(), "Confirm", UI_MB_OKCANCEL | UI_MB_ICONQUESTION) != UI_IDOK)
        return -1;

    std::string target = std::string(Settings.SafePath) + "\\" + safeName;
    std::string source = std::string(Settings.BackupPath) + "\\" + name;
    snprintf(cActSafePath, sizeof cActSafePath, "%s", target.c_str());
    const bool fits = target.size() < SAFE_PATH_SIZE;
    if (fits && BW_CopyFile(source.c_str(), target.c_str()) == 0) {
        std::string dropSource = std::string(Settings.BackupPath) + "\\" + safeName + DROPFILE_SUFFIX + "." +
                                 std::to_string(generation);
        std::string dropTarget = target + DROPFILE_SUFFIX;
        // A generation made without a drop file has none to copy; opening the
        // recovered safe tells the user whatever goes wrong.
        (void)BW_CopyFile(dropSource.c_str(), dropTarget.c_str());
        (void)SW_GetSafe(target.c_str());
    } else {
        uint32_t err = fits ? PL_GetLastError() : static_cast<uint32_t>(PL_ERROR_PATH_NOT_FOUND);
        ML_WriteLogF("BW00", err, "recover error - s=%s d=%s - code: %d", source.c_str(), target.c_str(),
                     static_cast<int>(err));
        ErrorBox("recover error (Details in logfile)!");
    }
    g_closedSafe[0] = 0;
    BW_FreeBackupList(BackupList.lpBWRECOVERstart);
    BackupList.lpBWRECOVERstart = nullptr;
    return 0;
}

void BW_RecoverDialogCancel() {
    if (g_closedSafe[0]) {
        char path[SAFE_PATH_SIZE];
        snprintf(path, sizeof path, "%s", g_closedSafe);
        g_closedSafe[0] = 0;
        (void)SW_GetSafe(path); // its own messages tell of a failure
    }
    BW_FreeBackupList(BackupList.lpBWRECOVERstart);
    BackupList.lpBWRECOVERstart = nullptr;
}

int BW_RecoverSafeCommand() {
    // Nothing is closed for a dialog that cannot be shown.
    if (!BW_GetRecoverView()) {
        ML_WriteLog("BW09", "no recover dialog", 0);
        return -1;
    }
    BW_SetClosedSafe("");
    if (hmySafe) {
        if (UI_MessageBox("write back current safe ?", "Confirm", UI_MB_YESNO) == UI_IDYES) {
            // Written without an automatic backup; a safe that cannot be written
            // stays open rather than losing its changes.
            if (SW_PutSafe(0, 0) != 0)
                return -1;
        }
        BW_SetClosedSafe(cActSafePath);
        (void)SW_CloseSafe(0); // closing without a write cannot fail
    }
    return BW_Recover();
}

int BW_Recover() {
    if (!Settings.BackupPath[0]) {
        ErrorBox("missing backup path");
        BW_RecoverDialogCancel(); // no dialog to cancel: the safe the command closed comes back
        return -1;
    }
    RecoverView *view = BW_GetRecoverView();
    if (!view) {
        ML_WriteLog("BW09", "no recover dialog", 0);
        BW_RecoverDialogCancel(); // as if it was cancelled: a closed safe is opened again
        return -1;
    }
    view->Run();
    return 0;
}
