// The Win32 side of the seam: thin calls of the ANSI kernel functions.
#include "platform/platform.h"
#include "platform/platform_os.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
HANDLE Native(PL_HANDLE h) { return reinterpret_cast<HANDLE>(h); }
PL_HANDLE Wrap(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<PL_HANDLE>(h); }
} // namespace

struct PL_FindRec {
    HANDLE h;
};

PL_HANDLE PL_CreateFile(const char *path, uint32_t access, uint32_t share,
                        uint32_t disposition, uint32_t attributes) {
    if (PL_Faulted(PL_FAULT_OPEN))
        return nullptr;
    DWORD a = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return Wrap(CreateFileA(path, access, share, nullptr, disposition, a, nullptr));
}

int PL_ReadFile(PL_HANDLE h, void *buf, uint32_t len, uint32_t *done) {
    if (done)
        *done = 0;
    if (PL_Faulted(PL_FAULT_READ))
        return -1;
    DWORD n = 0;
    if (!ReadFile(Native(h), buf, len, &n, nullptr))
        return -1;
    if (done)
        *done = n;
    return 0;
}

int PL_WriteFile(PL_HANDLE h, const void *buf, uint32_t len, uint32_t *done) {
    if (done)
        *done = 0;
    if (PL_Faulted(PL_FAULT_WRITE))
        return -1;
    DWORD n = 0;
    if (!WriteFile(Native(h), buf, len, &n, nullptr))
        return -1;
    if (done)
        *done = n;
    return 0;
}

int PL_CloseHandle(PL_HANDLE h) { return h && CloseHandle(Native(h)) ? 0 : -1; }

int PL_GetFileSize(PL_HANDLE h, uint64_t *size) {
    LARGE_INTEGER li;
    if (!GetFileSizeEx(Native(h), &li))
        return -1;
    *size = static_cast<uint64_t>(li.QuadPart);
    return 0;
}

int PL_SetFilePointer(PL_HANDLE h, int64_t distance, int method, uint64_t *newPos) {
    LARGE_INTEGER d, n;
    d.QuadPart = distance;
    if (!SetFilePointerEx(Native(h), d, &n, static_cast<DWORD>(method)))
        return -1;
    if (newPos)
        *newPos = static_cast<uint64_t>(n.QuadPart);
    return 0;
}

int PL_FlushFileBuffers(PL_HANDLE h) {
    if (PL_Faulted(PL_FAULT_FLUSH))
        return -1;
    return FlushFileBuffers(Native(h)) ? 0 : -1;
}

int PL_SetEndOfFile(PL_HANDLE h) { return SetEndOfFile(Native(h)) ? 0 : -1; }

int PL_DeleteFile(const char *path) {
    if (PL_Faulted(PL_FAULT_DELETE))
        return -1;
    return DeleteFileA(path) ? 0 : -1;
}

int PL_MoveFileEx(const char *from, const char *to, uint32_t flags) {
    if (PL_Faulted(PL_FAULT_MOVE))
        return -1;
    return MoveFileExA(from, to, flags) ? 0 : -1;
}

int PL_CopyFile(const char *from, const char *to, int failIfExists) {
    if (PL_Faulted(PL_FAULT_MOVE))
        return -1;
    return CopyFileA(from, to, failIfExists ? TRUE : FALSE) ? 0 : -1;
}

uint32_t PL_GetFileAttributes(const char *path) { return GetFileAttributesA(path); }

int PL_SetFileAttributes(const char *path, uint32_t attributes) {
    if (PL_Faulted(PL_FAULT_ATTRIBUTES))
        return -1;
    return SetFileAttributesA(path, attributes) ? 0 : -1;
}

int PL_CreateDirectory(const char *path) { return CreateDirectoryA(path, nullptr) ? 0 : -1; }
int PL_RemoveDirectory(const char *path) { return RemoveDirectoryA(path) ? 0 : -1; }

int PL_GetCurrentDirectory(char *buf, uint32_t size) {
    DWORD n = GetCurrentDirectoryA(size, buf);
    return n > 0 && n < size ? 0 : -1;
}

namespace {
void FromWin(const WIN32_FIND_DATAA &w, PL_FIND_DATA *d) {
    d->dwFileAttributes = w.dwFileAttributes;
    d->nFileSize = (static_cast<uint64_t>(w.nFileSizeHigh) << 32) | w.nFileSizeLow;
    snprintf(d->cFileName, sizeof d->cFileName, "%s", w.cFileName);
}
} // namespace

PL_FIND PL_FindFirstFile(const char *pattern, PL_FIND_DATA *data) {
    WIN32_FIND_DATAA w;
    HANDLE h = FindFirstFileA(pattern, &w);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    FromWin(w, data);
    return new PL_FindRec{h};
}

int PL_FindNextFile(PL_FIND f, PL_FIND_DATA *data) {
    WIN32_FIND_DATAA w;
    if (!f || !FindNextFileA(f->h, &w))
        return -1;
    FromWin(w, data);
    return 0;
}

void PL_FindClose(PL_FIND f) {
    if (f) {
        FindClose(f->h);
        delete f;
    }
}

uint32_t PL_GetLastError() { return GetLastError(); }
void PL_SetLastError(uint32_t err) { SetLastError(err); }

int PL_FormatSystemMessage(uint32_t err, char *buf, uint32_t size) {
    if (!buf || size == 0)
        return -1;
    buf[0] = 0;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, err,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buf, size, nullptr);
    return n ? 0 : -1;
}

void PL_OsGetLocalTime(PL_SYSTEMTIME *st) {
    SYSTEMTIME s;
    GetLocalTime(&s);
    st->wYear = s.wYear;
    st->wMonth = s.wMonth;
    st->wDayOfWeek = s.wDayOfWeek;
    st->wDay = s.wDay;
    st->wHour = s.wHour;
    st->wMinute = s.wMinute;
    st->wSecond = s.wSecond;
    st->wMilliseconds = s.wMilliseconds;
}

uint32_t PL_OsGetTickCount() { return GetTickCount(); }

void PL_Sleep(uint32_t ms) { Sleep(ms); }

int PL_GetComputerName(char *buf, uint32_t size) {
    DWORD n = size;
    return GetComputerNameA(buf, &n) ? 0 : -1;
}
