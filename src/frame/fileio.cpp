#include "frame/fileio.h"

#include "frame/logs.h"

#include <cstdio>
#include <cstring>

int T_WriteFile(const char *code, PL_HANDLE h, const void *data, uint32_t length) {
    if (length == 0)
        return 0;
    const char *p = static_cast<const char *>(data);
    uint32_t left = length;
    while (left > 0) {
        uint32_t done = 0;
        if (PL_WriteFile(h, p, left, &done) != 0 || done == 0) {
            uint32_t err = PL_GetLastError();
            char text[150];
            snprintf(text, sizeof text, "error write file in T_WriteFile (PGM-Source=%s, dwWriteLenght=%d)",
                     code, static_cast<int>(length));
            ML_WriteLog("TO02", text, err);
            return -1;
        }
        p += done;
        left -= done;
    }
    return 0;
}

void T_LogReadError(const char *code, uint32_t length) {
    uint32_t err = PL_GetLastError();
    char text[150];
    snprintf(text, sizeof text, "error read file in T_ReadFile (PGM-Source=%s, dwReadLenght=%d)", code,
             static_cast<int>(length));
    ML_WriteLog("TO03", text, err);
}

int T_ReadFile(const char *code, PL_HANDLE h, void *buffer, uint32_t length) {
    if (length == 0)
        return 0;
    char *p = static_cast<char *>(buffer);
    uint32_t left = length;
    while (left > 0) {
        uint32_t done = 0;
        // A read of nothing before all bytes arrived is the end of the file: an error here.
        if (PL_ReadFile(h, p, left, &done) != 0 || done == 0) {
            T_LogReadError(code, length);
            return -1;
        }
        p += done;
        left -= done;
    }
    return 0;
}

uint32_t T_GetFileSize(const char *path) {
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_NONE, PL_OPEN_EXISTING, 0);
    if (!h)
        return 0;
    uint64_t size = 0;
    if (PL_GetFileSize(h, &size) != 0)
        size = 0;
    PL_CloseHandle(h);
    return static_cast<uint32_t>(size);
}
