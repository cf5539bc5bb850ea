#include "tools/recover_file.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "store/drop_file.h"
#include "tools/droplist.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_set>

namespace {
int bRecoverRequest = 0;
}

int REC_RecoverRequested() { return bRecoverRequest; }
void REC_ResetRecoverRequest() { bRecoverRequest = 0; }

namespace {
const uint32_t kMaxRecoverFile = 16u << 20; // far beyond any list of paths
const size_t kMaxPath = 260;

void RecoverFilePath(char *path, size_t size) { snprintf(path, size, "%s\\%s", szProgramDir, REC_FILE_NAME); }

void AddLine(const char *line, size_t length) {
    char path[kMaxPath + 1];
    uint32_t a = PL_INVALID_ATTRIBUTES;
    bool fits = length <= kMaxPath; // a longer line is no path the program could have kept
    snprintf(path, sizeof path, "%.*s", static_cast<int>(fits ? length : kMaxPath), line);
    if (fits)
        a = PL_GetFileAttributes(path);
    const uint32_t refused = PL_ATTR_READONLY | PL_ATTR_SYSTEM | PL_ATTR_TEMPORARY | PL_ATTR_OFFLINE;
    const uint32_t kz = (a & PL_ATTR_DIRECTORY) ? KZ_FOLDER : KZ_FILE;
    if (a == PL_INVALID_ATTRIBUTES || (a & refused) || DW_AddDropList(path, kz, PL_INVALID_ATTRIBUTES) != 0)
        ML_WriteLogF("RC03", 0, "REC_AddDropList() error file/directory [%s] not valid", path);
}
} // namespace

int REC_CheckRecoverFile() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B REC_CheckRecoverFile()");
    char path[kMaxPath + 32];
    RecoverFilePath(path, sizeof path);
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_READ, PL_OPEN_EXISTING, 0);
    if (!h)
        return 0;
    PL_CloseHandle(h);
    ML_WriteLog("RC00", "drop recover file detected", 0);
    if (UI_MessageBox("Droplist recoverfile exist! Proceed ?", "Confirm", UI_MB_YESNO | UI_MB_ICONQUESTION) !=
        UI_IDYES)
        return 0;
    bRecoverRequest = 1;
    return 1;
}

void REC_AddDropList() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B REC_AddDropList()");
    char path[kMaxPath + 32];
    RecoverFilePath(path, sizeof path);
    // Opened as the file was always opened here: a missing one is made, read as
    // empty and deleted again.
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_READ, PL_OPEN_ALWAYS, 0);
    if (!h) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("RC01", err, "cannot open droplist recoverfile - code: %d", static_cast<int>(err));
        return;
    }
    uint64_t size64 = 0;
    PL_GetFileSize(h, &size64);
    uint32_t size = size64 > kMaxRecoverFile ? kMaxRecoverFile : static_cast<uint32_t>(size64);
    char *text = static_cast<char *>(T_Malloc("RC_M_01", size));
    uint32_t got = 0;
    while (text && got < size) {
        uint32_t n = 0;
        if (PL_ReadFile(h, text + got, size - got, &n) != 0 || n == 0)
            break;
        got += n;
    }
    PL_CloseHandle(h);
    PL_SetFileAttributes(path, PL_ATTR_NORMAL);
    PL_DeleteFile(path);
    if (!text)
        return;
    if (got < size || size64 > kMaxRecoverFile) {
        ML_WriteLogF("RC02", PL_GetLastError(), "read error droplist recoverfile - code: %d",
                     static_cast<int>(PL_GetLastError()));
        T_Free("RC_F_01", text);
        return;
    }
    // A path listed twice, or listed already, is one entry.
    std::unordered_set<std::string> listed;
    for (const DROPLIST *d : DW_DropList())
        listed.insert(d->filename);
    // Each line ends with CR LF; whatever follows the last CR is no line.
    const char *p = text, *end = text + size;
    for (int lines = 0;; ++lines) {
        const char *cr = static_cast<const char *>(memchr(p, '\r', static_cast<size_t>(end - p)));
        if (!cr)
            break;
        if (lines == REC_MAX_LINES) {
            ML_WriteLogF("RC04", 0, "REC_AddDropList() more than %d lines, the rest left out", REC_MAX_LINES);
            break;
        }
        const size_t length = strnlen(p, static_cast<size_t>(cr - p)); // the path ends at a zero byte
        if (listed.insert(std::string(p, length)).second)
            AddLine(p, length);
        if (end - cr < 2)
            break;
        p = cr + 2;
    }
    T_Free("RC_F_01", text);
}

void REC_OfferAfterOpen() {
    if (SW_DropFileFound() == SW_DROPFILE_NONE ? REC_CheckRecoverFile() == 1 && bRecoverRequest
                                           : SW_DropFileFound() == SW_DROPFILE_READ && bRecoverRequest)
        REC_AddDropList();
}
