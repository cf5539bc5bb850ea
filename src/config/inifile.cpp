#include "config/inifile.h"

#include "config/initext.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstring>

namespace {
const size_t kPathSize = MAX_PGM_DIR + 20; // the program folder, a separator and the file's name
const char kTempSuffix[] = ".tmp";

// Reads the whole file. An absent file gives an empty text (0); a file that is
// there but cannot be read, or is too large, gives -1.
int LoadIni(const char *path, INITEXT *t) {
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_READ | PL_SHARE_WRITE, PL_OPEN_EXISTING, 0);
    if (!h)
        return PL_GetFileAttributes(path) == PL_INVALID_ATTRIBUTES ? 0 : -1;
    uint64_t size = 0;
    int rc = -1;
    if (PL_GetFileSize(h, &size) == 0 && size <= II_MAX_FILE_SIZE) {
        uint32_t n = static_cast<uint32_t>(size);
        char *buf = static_cast<char *>(T_Malloc("II_M_00", n));
        if (buf && T_ReadFile("II00", h, buf, n) == 0)
            rc = IT_Assign(t, buf, n);
        if (buf)
            T_Free("II_M_00", buf);
    }
    PL_CloseHandle(h);
    return rc;
}

void LogWriteError(const char *code, const char *what, const char *path, uint32_t err) {
    char text[MAX_PGM_DIR + 80];
    snprintf(text, sizeof text, "error %s ini file %s", what, path);
    ML_WriteLog(code, text, err);
}

// Writes the text beside the file, flushes it and moves it over the file.
int SaveIni(const char *path, const INITEXT *t) {
    uint32_t attributes = PL_GetFileAttributes(path);
    if (attributes != PL_INVALID_ATTRIBUTES && (attributes & (PL_ATTR_READONLY | PL_ATTR_DIRECTORY))) {
        LogWriteError("II01", "write-protected", path, PL_ERROR_ACCESS_DENIED);
        return -1;
    }
    // Room for every path's temporary name: one cut short would be the file itself, written in place.
    char temp[kPathSize + sizeof kTempSuffix];
    int n = snprintf(temp, sizeof temp, "%s%s", path, kTempSuffix);
    if (n < 0 || static_cast<size_t>(n) >= sizeof temp) {
        LogWriteError("II02", "creating", path, PL_ERROR_PATH_NOT_FOUND);
        return -1;
    }
    PL_HANDLE h = PL_CreateFile(temp, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_NORMAL);
    if (!h) {
        LogWriteError("II02", "creating", temp, PL_GetLastError());
        return -1;
    }
    int rc = T_WriteFile("II03", h, t->lpText, t->dwLength);
    if (rc != 0)
        LogWriteError("II03", "writing", temp, PL_GetLastError());
    if (rc == 0 && PL_FlushFileBuffers(h) != 0) {
        LogWriteError("II04", "flushing", temp, PL_GetLastError());
        rc = -1;
    }
    PL_CloseHandle(h);
    if (rc == 0 && PL_MoveFileEx(temp, path, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) != 0) {
        LogWriteError("II05", "replacing", path, PL_GetLastError());
        rc = -1;
    }
    if (rc != 0)
        PL_DeleteFile(temp);
    return rc;
}

// Loads the file and answers what read() finds in it; 0 when it cannot be read.
template <typename Read> uint32_t ReadIni(int nIniFileType, Read read) {
    char path[kPathSize];
    if (II_GetIniPath(nIniFileType, path, sizeof path) != 0)
        return 0;
    INITEXT t;
    IT_Init(&t);
    uint32_t n = LoadIni(path, &t) == 0 ? read(&t) : 0;
    IT_Free(&t);
    return n;
}

// Loads the file, lets change() alter the text and writes it back when it changed.
template <typename Change> int ChangeIni(int nIniFileType, Change change) {
    char path[kPathSize];
    if (II_GetIniPath(nIniFileType, path, sizeof path) != 0)
        return -1;
    INITEXT t;
    IT_Init(&t);
    int rc = -1;
    if (LoadIni(path, &t) != 0) {
        LogWriteError("II06", "reading (not changed)", path, PL_GetLastError());
    } else {
        // An unchanged file that exists is not written again.
        INITEXT old;
        IT_Init(&old);
        bool copied = IT_Assign(&old, t.lpText, t.dwLength) == 0;
        if (change(&t) == 0) {
            bool same = copied && old.dwLength == t.dwLength &&
                        (t.dwLength == 0 || memcmp(old.lpText, t.lpText, t.dwLength) == 0);
            bool exists = PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES;
            rc = (same && exists) ? 0 : SaveIni(path, &t);
        }
        IT_Free(&old);
    }
    IT_Free(&t);
    return rc;
}
} // namespace

int II_GetIniPath(int nIniFileType, char *path, uint32_t size) {
    const char *name = nIniFileType == INI_FILE_SETTINGS    ? INI_NAME_SETTINGS
                       : nIniFileType == INI_FILE_TEMPLATES ? INI_NAME_TEMPLATES
                       : nIniFileType == INI_FILE_UPDATE    ? INI_NAME_UPDATE
                                                            : nullptr;
    if (!name || !path || size == 0)
        return -1;
    int n = snprintf(path, size, "%s\\%s", szProgramDir, name);
    return (n < 0 || static_cast<uint32_t>(n) >= size) ? -1 : 0;
}

uint32_t II_GetStringN(const char *section, const char *key, char *value, uint32_t size, int nIniFileType) {
    if (!value || size == 0)
        return 0;
    value[0] = 0;
    return ReadIni(nIniFileType, [&](INITEXT *t) { return IT_GetValue(t, section, key, value, size); });
}

uint32_t II_GetString(const char *section, const char *key, char *value, int nIniFileType) {
    return II_GetStringN(section, key, value, II_VALUE_SIZE, nIniFileType);
}

int II_PutString(const char *section, const char *key, const char *value, int nIniFileType) {
    ChangeIni(nIniFileType, [&](INITEXT *t) { return IT_PutValue(t, section, key, value); });
    return 0;
}

uint32_t RDmyini_section(const char *lpsection, char *buffer, uint32_t size, int nIniFileType) {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B RDmyini_section(lpsection=%s, nIniFileType=%d)", lpsection ? lpsection : "",
          nIniFileType);
    if (!buffer || size == 0)
        return 0;
    buffer[0] = 0;
    if (size > 1)
        buffer[1] = 0;
    return ReadIni(nIniFileType, [&](INITEXT *t) { return IT_GetSection(t, lpsection, buffer, size); });
}

int II_PutSection(const char *section, const char *data, int nIniFileType) {
    return ChangeIni(nIniFileType, [&](INITEXT *t) { return IT_PutSection(t, section, data); });
}
