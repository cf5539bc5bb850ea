// The Win32 side of the seam: thin calls of the ANSI system functions.
#include "platform/platform.h"
#include "platform/platform_os.h"

#include <windows.h>

#include <commctrl.h> // list-view messages of the desktop
#include <shellapi.h> // the shell's open verb and the notification area

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

int PL_GetShortPathName(const char *path, char *buf, uint32_t size) {
    char shortPath[MAX_PATH] = {};
    DWORD n = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (n == 0 || n >= sizeof shortPath)
        return -1;
    lstrcpynA(buf, shortPath, static_cast<int>(size));
    return 0;
}

int PL_ResolvePath(const char *path, char *buf, uint32_t size) {
    // Opened for no access at all (a folder needs backup semantics): even a file
    // another program holds without sharing can be named.
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    char full[1024];
    DWORD n = GetFinalPathNameByHandleA(h, full, sizeof full, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(h);
    if (n == 0 || n >= sizeof full)
        return -1;
    // "\\?\C:\..." and "\\?\UNC\server\..." as paths are written elsewhere.
    const char *p = full;
    char unc[sizeof full];
    if (strncmp(p, "\\\\?\\UNC\\", 8) == 0) {
        snprintf(unc, sizeof unc, "\\\\%s", p + 8);
        p = unc;
    } else if (strncmp(p, "\\\\?\\", 4) == 0) {
        p += 4;
    }
    if (strlen(p) >= size) {
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return -1;
    }
    strcpy(buf, p);
    return 0;
}

uint32_t PL_GetDriveType(const char *path) {
    // The drive's root needs its backslash: "C:" alone names the drive's current folder.
    char root[4] = {path[0], path[0] ? path[1] : '\0', '\\', 0};
    return GetDriveTypeA(root);
}

namespace {
uint64_t FromFileTime(const FILETIME &ft) {
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME ToFileTime(uint64_t t) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return ft;
}
} // namespace

int PL_GetFileWriteTime(const char *path, uint64_t *fileTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    *fileTime = FromFileTime(data.ftLastWriteTime);
    return 0;
}

int PL_SetFileWriteTime(const char *path, uint64_t fileTime) {
    HANDLE h = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    FILETIME ft = ToFileTime(fileTime);
    BOOL ok = SetFileTime(h, nullptr, nullptr, &ft);
    DWORD err = GetLastError();
    CloseHandle(h);
    SetLastError(err);
    return ok ? 0 : -1;
}

int PL_FileTimeToLocalTime(uint64_t fileTime, PL_SYSTEMTIME *st) {
    FILETIME ft = ToFileTime(fileTime), local;
    SYSTEMTIME s;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &s))
        return -1;
    st->wYear = s.wYear;
    st->wMonth = s.wMonth;
    st->wDayOfWeek = s.wDayOfWeek;
    st->wDay = s.wDay;
    st->wHour = s.wHour;
    st->wMinute = s.wMinute;
    st->wSecond = s.wSecond;
    st->wMilliseconds = s.wMilliseconds;
    return 0;
}

namespace {
void FromWin(const WIN32_FIND_DATAA &w, PL_FIND_DATA *d) {
    d->dwFileAttributes = w.dwFileAttributes;
    d->nFileSize = (static_cast<uint64_t>(w.nFileSizeHigh) << 32) | w.nFileSizeLow;
    d->ftLastWriteTime = FromFileTime(w.ftLastWriteTime);
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

bool PL_Faulted(PL_FAULT kind) {
    uint32_t err = PL_FaultHit(kind);
    if (err)
        PL_SetLastError(err);
    return err != 0;
}

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

// ---------------------------------------------------------------- desktop
// The desktop's icons are items of a list view that belongs to the shell's
// process. List-view messages carry pointers that the list dereferences in its
// own process, so the item record, the text and the position travel through
// blocks allocated inside the shell with VirtualAllocEx.
namespace {
const SIZE_T kItemBlock = 128; // room for a list-view item record of either width
const SIZE_T kTextBlock = 512;
const SIZE_T kPointBlock = 512;
const UINT kSendTimeoutMs = 5000; // a hung shell must not hang the program

struct RemoteDesktop {
    HWND list;
    HANDLE process;
    void *item;
    void *text;
    void *point;
    bool wide; // the shell is a 64-bit process: pointers in its records take 8 bytes
};
RemoteDesktop g_dt;

HWND FindDesktopList() {
    HWND view = nullptr;
    if (HWND progman = FindWindowA("Progman", nullptr))
        view = FindWindowExA(progman, nullptr, "SHELLDLL_DefView", nullptr);
    // Newer shells move the view under one of their WorkerW windows (a changing wallpaper).
    for (HWND w = nullptr; !view && (w = FindWindowExA(nullptr, w, "WorkerW", nullptr)) != nullptr;)
        view = FindWindowExA(w, nullptr, "SHELLDLL_DefView", nullptr);
    return view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
}

bool IsWow64(HANDLE process) {
    BOOL wow = FALSE;
    return IsWow64Process(process, &wow) && wow;
}

bool ShellIs64Bit(HANDLE process) {
#ifdef _WIN64
    return !IsWow64(process);
#else
    return IsWow64(GetCurrentProcess()) && !IsWow64(process);
#endif
}

bool Send(UINT msg, WPARAM w, LPARAM l, DWORD_PTR *result) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(g_dt.list, msg, w, l, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r))
        return false;
    if (result)
        *result = r;
    return true;
}

bool WriteRemote(void *remote, const void *local, SIZE_T size) {
    SIZE_T n = 0;
    return WriteProcessMemory(g_dt.process, remote, local, size, &n) && n == size;
}

bool ReadRemote(const void *remote, void *local, SIZE_T size) {
    SIZE_T n = 0;
    return ReadProcessMemory(g_dt.process, remote, local, size, &n) && n == size;
}

void *AllocRemote(SIZE_T size) {
    return VirtualAllocEx(g_dt.process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

LPARAM Remote(void *p) { return reinterpret_cast<LPARAM>(p); }
} // namespace

void PL_OsDesktopClose() {
    if (g_dt.process) {
        void *blocks[] = {g_dt.item, g_dt.text, g_dt.point};
        for (void *b : blocks)
            if (b)
                VirtualFreeEx(g_dt.process, b, 0, MEM_RELEASE);
        CloseHandle(g_dt.process);
    }
    g_dt = RemoteDesktop{};
}

int PL_OsDesktopOpen(int *failure) {
    PL_OsDesktopClose();
    HWND list = FindDesktopList();
    DWORD pid = 0;
    if (list)
        GetWindowThreadProcessId(list, &pid);
    if (pid == 0) {
        *failure = PL_DESKTOP_NO_PROCESS;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) {
        *failure = PL_DESKTOP_NO_ACCESS;
        return -1;
    }
    g_dt.list = list;
    g_dt.process = process;
    g_dt.wide = ShellIs64Bit(process);
    g_dt.item = AllocRemote(kItemBlock);
    g_dt.text = AllocRemote(kTextBlock);
    g_dt.point = AllocRemote(kPointBlock);
    if (!g_dt.item || !g_dt.text || !g_dt.point) {
        DWORD err = GetLastError();
        PL_OsDesktopClose();
        SetLastError(err);
        *failure = PL_DESKTOP_NO_ACCESS;
        return -1;
    }
    return 0;
}

int PL_OsDesktopItemCount() {
    DWORD_PTR n = 0;
    if (!g_dt.list || !Send(LVM_GETITEMCOUNT, 0, 0, &n))
        return 0;
    return static_cast<int>(n);
}

int PL_OsDesktopItemText(int item, char *buf, uint32_t size) {
    if (!g_dt.list)
        return -1;
    // The item record as the shell lays it out: sub-item 0 (offset 8), then the
    // text pointer and its size at 20/24 (32-bit) or 24/32 (64-bit).
    unsigned char rec[kItemBlock] = {};
    uint32_t textMax = kTextBlock;
    uintptr_t text = reinterpret_cast<uintptr_t>(g_dt.text);
    if (g_dt.wide) {
        uint64_t p = text;
        memcpy(rec + 24, &p, 8);
        memcpy(rec + 32, &textMax, 4);
    } else {
        uint32_t p = static_cast<uint32_t>(text);
        memcpy(rec + 20, &p, 4);
        memcpy(rec + 24, &textMax, 4);
    }
    char local[kTextBlock] = {};
    // An item that answers nothing must not hand back the text of the one before.
    if (!WriteRemote(g_dt.item, rec, sizeof rec) || !WriteRemote(g_dt.text, local, 1))
        return -1;
    if (!Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), Remote(g_dt.item), nullptr) ||
        !ReadRemote(g_dt.text, local, sizeof local))
        return -1;
    local[sizeof local - 1] = 0;
    snprintf(buf, size, "%s", local);
    return 0;
}

int PL_OsDesktopGetItemPosition(int item, int32_t *x, int32_t *y) {
    DWORD_PTR ok = 0;
    int32_t pt[2] = {0, 0};
    if (!g_dt.list || !Send(LVM_GETITEMPOSITION, static_cast<WPARAM>(item), Remote(g_dt.point), &ok) || !ok ||
        !ReadRemote(g_dt.point, pt, sizeof pt))
        return -1;
    *x = pt[0];
    *y = pt[1];
    return 0;
}

int PL_OsDesktopSetItemPosition(int item, int32_t x, int32_t y) {
    int32_t pt[2] = {x, y};
    if (!g_dt.list || !WriteRemote(g_dt.point, pt, sizeof pt) ||
        !Send(LVM_SETITEMPOSITION32, static_cast<WPARAM>(item), Remote(g_dt.point), nullptr))
        return -1;
    return 0;
}

void PL_OsGetScreenSize(uint32_t *width, uint32_t *height) {
    *width = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    *height = static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN));
}

// ---------------------------------------------------------------- shell
// What the shell reports (a window of its own) belongs to the window in front of ours.
int PL_OsShellOpen(const char *target, const char *parameters, const char *directory) {
    HINSTANCE rc = ShellExecuteA(GetActiveWindow(), "open", target, parameters, directory, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(rc) > 32 ? 0 : -1;
}

namespace {
HKEY NativeKey(PL_REGKEY key) { return reinterpret_cast<HKEY>(key); }
} // namespace

int PL_OsRegOpenKey(PL_REG_ROOT root, const char *path, PL_REG_ACCESS access, PL_REGKEY *key) {
    HKEY base = root == PL_REG_LOCAL_MACHINE ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY h = nullptr;
    LONG rc;
    if (access == PL_REG_CREATE)
        rc = RegCreateKeyExA(base, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    else
        rc = RegOpenKeyExA(base, path, 0, access == PL_REG_READ ? KEY_READ : KEY_ALL_ACCESS, &h);
    if (rc != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(rc));
        return -1;
    }
    *key = reinterpret_cast<PL_REGKEY>(h);
    return 0;
}

void PL_OsRegCloseKey(PL_REGKEY key) { RegCloseKey(NativeKey(key)); }

int PL_OsRegGetString(PL_REGKEY key, const char *name, char *buf, uint32_t size) {
    DWORD type = 0, len = size;
    LONG rc = RegQueryValueExA(NativeKey(key), name, nullptr, &type, reinterpret_cast<BYTE *>(buf), &len);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        SetLastError(static_cast<DWORD>(rc != ERROR_SUCCESS ? rc : ERROR_INVALID_DATA));
        return -1;
    }
    buf[len < size ? len : size - 1] = 0; // a text stored without its zero
    return 0;
}

int PL_OsRegSetString(PL_REGKEY key, const char *name, const char *value) {
    LONG rc = RegSetValueExA(NativeKey(key), name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                             static_cast<DWORD>(strlen(value)));
    if (rc != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(rc));
        return -1;
    }
    return 0;
}

int PL_OsRegDeleteValue(PL_REGKEY key, const char *name) {
    LONG rc = RegDeleteValueA(NativeKey(key), name);
    if (rc != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(rc));
        return -1;
    }
    return 0;
}

namespace {
const DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
}

int PL_LimitDllSearch() {
    // Looked up: Windows 7 has it only with its update KB2533623.
    typedef BOOL(WINAPI * SetDirsFn)(DWORD);
    FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (!proc)
        return -1;
    SetDirsFn fn;
    memcpy(&fn, &proc, sizeof fn);
    return fn(kSearchSystem32) ? 0 : -1;
}

void *PL_LoadSystemLibrary(const char *name) {
    HMODULE h = LoadLibraryExA(name, nullptr, kSearchSystem32);
    if (!h && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Without the search flags: the full path into the system folder.
        char path[MAX_PATH];
        UINT n = GetSystemDirectoryA(path, MAX_PATH);
        if (n == 0 || n + 1 + strlen(name) >= MAX_PATH)
            return nullptr;
        snprintf(path + n, MAX_PATH - n, "\\%s", name);
        h = LoadLibraryA(path);
    }
    return h;
}

// winmm is loaded when a sound is first played, so the core needs no import of it.
int PL_OsPlaySound(const char *path) {
    typedef BOOL(WINAPI * PlaySoundFn)(LPCSTR, HMODULE, DWORD);
    const DWORD kSndFilename = 0x00020000, kSndPurge = 0x0040; // SND_FILENAME, SND_PURGE (synchronous)
    static HMODULE winmm = static_cast<HMODULE>(PL_LoadSystemLibrary("winmm.dll"));
    if (!winmm)
        return -1;
    FARPROC proc = GetProcAddress(winmm, "PlaySoundA");
    if (!proc)
        return -1;
    PlaySoundFn fn;
    memcpy(&fn, &proc, sizeof fn);
    return fn(path, nullptr, kSndFilename | kSndPurge) ? 0 : -1;
}

int PL_OsTrayIcon(PL_TRAY_ACTION action, const PL_TRAY_ICON *icon) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = static_cast<HWND>(icon->window);
    data.uID = icon->id;
    DWORD message = NIM_DELETE;
    if (action != PL_TRAY_DELETE) {
        message = action == PL_TRAY_ADD ? NIM_ADD : NIM_MODIFY;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = icon->message;
        data.hIcon = static_cast<HICON>(icon->icon);
        snprintf(data.szTip, sizeof data.szTip, "%s", icon->tip ? icon->tip : "");
    }
    return Shell_NotifyIconA(message, &data) ? 0 : -1;
}

// The console's code pages; a program without a console (its streams redirected
// by a service, say) reads and writes the ANSI code page.
namespace {
UINT InputCodePage() { return GetConsoleCP() ? GetConsoleCP() : GetACP(); }
UINT OutputCodePage() { return GetConsoleOutputCP() ? GetConsoleOutputCP() : GetACP(); }

void AppendUtf16(const wchar_t *w, size_t n, std::u32string *cps) {
    for (size_t i = 0; i < n; ++i) {
        char32_t c = w[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && w[i + 1] >= 0xDC00 && w[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (w[++i] - 0xDC00);
        cps->push_back(c);
    }
}

bool Decode(UINT cp, const char *bytes, size_t len, std::u32string *cps) {
    if (len == 0)
        return true;
    int n = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(len), nullptr, 0);
    if (n <= 0)
        return false;
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(len), &w[0], n);
    AppendUtf16(w.data(), w.size(), cps);
    PL_SecureZero(&w[0], w.size() * sizeof w[0]); // the line may be a password
    return true;
}

// The word of the command line the C runtime turned into argv[index], when
// it is the one those bytes came from (they lose what the ANSI code page lacks).
bool WideArgument(int index, const char *bytes, size_t len, std::u32string *cps) {
    int count = 0;
    LPWSTR *words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return false;
    bool found = false;
    if (index >= 0 && index < count) {
        const wchar_t *w = words[index];
        int wlen = static_cast<int>(wcslen(w));
        int n = WideCharToMultiByte(CP_ACP, 0, w, wlen, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<size_t>(n > 0 ? n : 0), '\0');
        if (n > 0)
            WideCharToMultiByte(CP_ACP, 0, w, wlen, &ansi[0], n, nullptr, nullptr);
        found = ansi == std::string(bytes, len);
        if (found)
            AppendUtf16(w, static_cast<size_t>(wlen), cps);
    }
    LocalFree(words);
    return found;
}
} // namespace

int PL_TerminalDecode(PL_TERMINAL_TEXT kind, int index, const char *bytes, size_t len, std::u32string *cps,
                      size_t *bad) {
    cps->clear();
    if (kind == PL_TEXT_ARGUMENT && WideArgument(index, bytes, len, cps))
        return 0;
    const UINT cp = kind == PL_TEXT_ARGUMENT ? GetACP() : InputCodePage();
    if (Decode(cp, bytes, len, cps))
        return 0;
    // The bad byte ends the longest prefix that decodes.
    size_t good = 0;
    for (size_t k = 1; k < len; ++k) {
        std::u32string prefix;
        if (Decode(cp, bytes, k, &prefix))
            good = k;
        PL_SecureZero(&prefix[0], prefix.size() * sizeof prefix[0]);
    }
    if (bad)
        *bad = good;
    cps->clear();
    return -1;
}

bool PL_TerminalEncode(uint32_t cp, std::string *out) {
    wchar_t w[2];
    int wn = 1;
    if (cp >= 0x10000) {
        w[0] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        w[1] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        wn = 2;
    } else {
        w[0] = static_cast<wchar_t>(cp);
    }
    const UINT page = OutputCodePage();
    // UTF-8 has every character and takes no default character.
    BOOL usedDefault = FALSE;
    BOOL *used = page == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    char buf[8];
    int n = WideCharToMultiByte(page, flags, w, wn, buf, sizeof buf, nullptr, used);
    if (n <= 0 || usedDefault)
        return false;
    out->append(buf, static_cast<size_t>(n));
    return true;
}

bool PL_InputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

int PL_SetInputEcho(bool on) {
    static DWORD saved = 0;
    static bool quiet = false;
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (on) {
        if (!quiet)
            return 0;
        quiet = false;
        return SetConsoleMode(in, saved) ? 0 : -1;
    }
    if (quiet)
        return 0;
    if (!GetConsoleMode(in, &saved) || !SetConsoleMode(in, saved & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)))
        return -1;
    quiet = true;
    return 0;
}
