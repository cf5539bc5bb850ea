// The platform seam: the only way the portable core reaches the operating system.
// One header, a Win32 implementation (win32.cpp) and a POSIX one (posix.cpp).
// Values of flags and attributes are the Win32 ones so the core reads like the
// Windows program it is; the POSIX side translates them.
//
// Every call that can fail answers 0 on success and -1 on failure and leaves the
// reason in PL_GetLastError(). Tests make any call fail on purpose through the
// fault injection at the end of this header.
//
// The layers above keep the same rule: a function that can fail answers 0 or -1.
// Where a failure is found it is logged with its four-character code (ML_WriteLog)
// and, when the user must know, shown through the UI port; every caller passes
// the -1 on or acts on it, and none drops it. Results of the crypto library are
// turned into this rule where they are called.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// ---------------------------------------------------------------- files
typedef struct PL_FileRec *PL_HANDLE; // nullptr: no file

enum : uint32_t {
    PL_GENERIC_READ = 0x80000000u,
    PL_GENERIC_WRITE = 0x40000000u,
};
enum : uint32_t { // sharing
    PL_SHARE_NONE = 0,
    PL_SHARE_READ = 1,
    PL_SHARE_WRITE = 2,
    PL_SHARE_DELETE = 4,
};
enum : uint32_t { // creation disposition
    PL_CREATE_NEW = 1,
    PL_CREATE_ALWAYS = 2,
    PL_OPEN_EXISTING = 3,
    PL_OPEN_ALWAYS = 4,
    PL_TRUNCATE_EXISTING = 5,
};
enum : uint32_t { // file attributes
    PL_ATTR_READONLY = 0x01,
    PL_ATTR_HIDDEN = 0x02,
    PL_ATTR_SYSTEM = 0x04,
    PL_ATTR_DIRECTORY = 0x10,
    PL_ATTR_ARCHIVE = 0x20,
    PL_ATTR_NORMAL = 0x80,
    PL_ATTR_TEMPORARY = 0x100,
    PL_ATTR_REPARSE_POINT = 0x400, // a junction or a symbolic link: it leads elsewhere
    PL_ATTR_OFFLINE = 0x1000,
    PL_INVALID_ATTRIBUTES = 0xFFFFFFFFu,
};
enum { PL_FILE_BEGIN = 0, PL_FILE_CURRENT = 1, PL_FILE_END = 2 };
enum : uint32_t { // PL_MoveFileEx flags
    PL_MOVE_REPLACE_EXISTING = 0x1,
    PL_MOVE_WRITE_THROUGH = 0x8,
};

// Paths use backslashes as on Windows; the POSIX side accepts both separators.
PL_HANDLE PL_CreateFile(const char *path, uint32_t access, uint32_t share,
                        uint32_t disposition, uint32_t attributes);
// Reads up to len bytes; *done is the count read (0 at end of file).
int PL_ReadFile(PL_HANDLE h, void *buf, uint32_t len, uint32_t *done);
int PL_WriteFile(PL_HANDLE h, const void *buf, uint32_t len, uint32_t *done);
int PL_CloseHandle(PL_HANDLE h);
int PL_GetFileSize(PL_HANDLE h, uint64_t *size);
int PL_SetFilePointer(PL_HANDLE h, int64_t distance, int method, uint64_t *newPos);
int PL_FlushFileBuffers(PL_HANDLE h);
int PL_SetEndOfFile(PL_HANDLE h);

int PL_DeleteFile(const char *path);
int PL_MoveFileEx(const char *from, const char *to, uint32_t flags);
int PL_CopyFile(const char *from, const char *to, int failIfExists);
uint32_t PL_GetFileAttributes(const char *path); // PL_INVALID_ATTRIBUTES when missing; links as the walk has them
int PL_SetFileAttributes(const char *path, uint32_t attributes);
int PL_CreateDirectory(const char *path);
int PL_RemoveDirectory(const char *path);
// Current directory without a trailing separator; 0 or -1.
int PL_GetCurrentDirectory(char *buf, uint32_t size);
// The short (8.3) form of an existing path, cut to size - 1 characters; 0, or -1
// when the system has none for it (the path does not exist).
int PL_GetShortPathName(const char *path, char *buf, uint32_t size);
// The kind of drive a path lies on, from its first two characters ("C:"); the
// Win32 DRIVE_* values. A system without drive letters answers PL_DRIVE_FIXED.
enum : uint32_t {
    PL_DRIVE_UNKNOWN = 0,
    PL_DRIVE_NO_ROOT_DIR = 1,
    PL_DRIVE_REMOVABLE = 2,
    PL_DRIVE_FIXED = 3,
    PL_DRIVE_REMOTE = 4,
    PL_DRIVE_CDROM = 5,
    PL_DRIVE_RAMDISK = 6,
};
uint32_t PL_GetDriveType(const char *path);
// An existing file or folder as the system finds it: absolute, links followed,
// "." and ".." gone and, on Windows, long names in their stored case, so two
// spellings of one place give the same text. 0, or -1 when it does not exist or
// would not fit size.
int PL_ResolvePath(const char *path, char *buf, uint32_t size);
// Last-write times as Windows keeps them: 100-nanosecond units since 1 January
// 1601 (UTC). A copy of a file keeps its source's time; 0 or -1.
int PL_GetFileWriteTime(const char *path, uint64_t *fileTime);
int PL_SetFileWriteTime(const char *path, uint64_t fileTime);
// Such a time as local date and time; 0 or -1.
struct PL_SYSTEMTIME;
int PL_FileTimeToLocalTime(uint64_t fileTime, PL_SYSTEMTIME *st);

// Directory walk over a pattern "dir\*" or "dir\*.ico" (wildcards in the last
// part only, matched without regard to case). "." and ".." are reported as on Windows.
// A link is reported with PL_ATTR_REPARSE_POINT and the attributes of what it leads to.
struct PL_FIND_DATA {
    uint32_t dwFileAttributes;
    uint64_t nFileSize;
    char cFileName[260];
    uint64_t ftLastWriteTime; // as PL_GetFileWriteTime gives it
};
typedef struct PL_FindRec *PL_FIND; // nullptr: nothing found / failure
PL_FIND PL_FindFirstFile(const char *pattern, PL_FIND_DATA *data);
int PL_FindNextFile(PL_FIND f, PL_FIND_DATA *data); // 0 next entry, -1 no more
void PL_FindClose(PL_FIND f);

// ---------------------------------------------------------------- errors
uint32_t PL_GetLastError();
void PL_SetLastError(uint32_t err);
// The system's own text for an error number (no trimming); 0 or -1.
int PL_FormatSystemMessage(uint32_t err, char *buf, uint32_t size);

#ifdef _WIN32
enum : uint32_t {
    PL_ERROR_FILE_NOT_FOUND = 2,
    PL_ERROR_PATH_NOT_FOUND = 3,
    PL_ERROR_ACCESS_DENIED = 5,
    PL_ERROR_NOT_ENOUGH_MEMORY = 8,
    PL_ERROR_WRITE_FAULT = 29,
    PL_ERROR_READ_FAULT = 30,
    PL_ERROR_SHARING_VIOLATION = 32,
    PL_ERROR_FILE_EXISTS = 80,
    PL_ERROR_DISK_FULL = 112,
    PL_ERROR_ALREADY_EXISTS = 183,
};
#else
enum : uint32_t { // errno values
    PL_ERROR_FILE_NOT_FOUND = 2,
    PL_ERROR_PATH_NOT_FOUND = 2,
    PL_ERROR_ACCESS_DENIED = 13,
    PL_ERROR_NOT_ENOUGH_MEMORY = 12,
    PL_ERROR_WRITE_FAULT = 5,
    PL_ERROR_READ_FAULT = 5,
    PL_ERROR_SHARING_VIOLATION = 16,
    PL_ERROR_FILE_EXISTS = 17,
    PL_ERROR_DISK_FULL = 28,
    PL_ERROR_ALREADY_EXISTS = 17,
};
#endif

// ---------------------------------------------------------------- memory
void *PL_Alloc(size_t size);
// A block of zeros; the system hands out large ones already zeroed, untouched.
void *PL_AllocZeroed(size_t size);
void *PL_Realloc(void *block, size_t size);
void PL_Free(void *block);
// Overwrites a secret so the compiler cannot drop the stores.
void PL_SecureZero(void *block, size_t size);
// Tests look at every block just before it is freed (to see that secrets were
// wiped); nullptr ends it.
typedef void (*PL_FreeObserverFn)(const void *block);
void PL_SetFreeObserver(PL_FreeObserverFn fn);

// ---------------------------------------------------------------- time
struct PL_SYSTEMTIME {
    uint16_t wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
void PL_GetLocalTime(PL_SYSTEMTIME *st);
uint32_t PL_GetTickCount(); // milliseconds since start, wraps after 49.7 days
void PL_Sleep(uint32_t ms);
int PL_GetComputerName(char *buf, uint32_t size);

// Tests replace the clocks; nullptr restores the real ones.
typedef void (*PL_LocalTimeFn)(PL_SYSTEMTIME *st);
typedef uint32_t (*PL_TickFn)();
void PL_SetLocalTimeSource(PL_LocalTimeFn fn);
void PL_SetTickSource(PL_TickFn fn);

// ---------------------------------------------------------------- desktop
// The icons on the desktop: on Windows the shell's own icon list view, reached
// through memory allocated inside the shell's process; elsewhere a desktop
// without icons. One request at a time: PL_DesktopOpen, the item calls, then
// PL_DesktopClose. Items are numbered from 0 in the list's order.
enum : int {
    PL_DESKTOP_NO_PROCESS = 1, // the list or the process that owns it was not found
    PL_DESKTOP_NO_ACCESS = 2,  // that process could not be opened (PL_GetLastError says why)
};
// 0, or -1 with *failure one of the above.
int PL_DesktopOpen(int *failure);
void PL_DesktopClose();
int PL_DesktopItemCount();
// The item's text, cut to size - 1 characters; 0 or -1.
int PL_DesktopItemText(int item, char *buf, uint32_t size);
int PL_DesktopGetItemPosition(int item, int32_t *x, int32_t *y);
int PL_DesktopSetItemPosition(int item, int32_t x, int32_t y);
// Width and height of the primary screen in pixels; 0 and 0 without a screen.
void PL_GetScreenSize(uint32_t *width, uint32_t *height);

// Tests replace the desktop (and the screen size with it); nullptr restores the system's.
struct PL_DESKTOP_IMPL {
    int (*open)(int *failure);
    void (*close)();
    int (*itemCount)();
    int (*itemText)(int item, char *buf, uint32_t size);
    int (*getItemPosition)(int item, int32_t *x, int32_t *y);
    int (*setItemPosition)(int item, int32_t x, int32_t y);
    void (*screenSize)(uint32_t *width, uint32_t *height);
};
void PL_SetDesktop(const PL_DESKTOP_IMPL *impl);

// ---------------------------------------------------------------- shell
// What the program hands to the rest of the system: the shell's "open" verb,
// the registry, sounds and the taskbar's notification icon. Where a system has
// no such thing the call answers -1.

// The shell's "open" on a file, a program (with its parameters, nullptr for
// none), a folder or a web or mail address, shown normally; directory is the
// working folder of what starts (nullptr: ours). 0, or -1 when it did not start.
int PL_ShellOpen(const char *target, const char *parameters, const char *directory);

// DLLs come from the system folder only, never from the program's folder or the
// current directory, where someone else may have put one of that name. Called
// first thing at start; a system too old to restrict the search answers -1.
int PL_LimitDllSearch();
// A DLL of the system by its name, loaded from the system folder; nullptr when missing.
void *PL_LoadSystemLibrary(const char *name);

// Registry keys below one of two roots, opened for one kind of use.
typedef struct PL_RegKeyRec *PL_REGKEY;
enum PL_REG_ROOT { PL_REG_CURRENT_USER, PL_REG_LOCAL_MACHINE };
enum PL_REG_ACCESS {
    PL_REG_READ,   // the key must exist
    PL_REG_WRITE,  // the key must exist; values may be set and deleted
    PL_REG_CREATE, // as PL_REG_WRITE, the key made when missing
};
// 0 with *key to be closed by PL_RegCloseKey, or -1 with *key null.
int PL_RegOpenKey(PL_REG_ROOT root, const char *path, PL_REG_ACCESS access, PL_REGKEY *key);
void PL_RegCloseKey(PL_REGKEY key);
// A text value, cut to size - 1 characters; 0, or -1 when missing or not a text.
int PL_RegGetString(PL_REGKEY key, const char *name, char *buf, uint32_t size);
// Sets a text value; its stored length counts no terminating zero. 0 or -1.
int PL_RegSetString(PL_REGKEY key, const char *name, const char *value);
int PL_RegDeleteValue(PL_REGKEY key, const char *name);

// Plays a wave file to its end (the caller waits); 0, or -1 when it cannot be played.
int PL_PlaySound(const char *path);

// The icon of a window in the taskbar's notification area: added, changed or
// deleted by the window and the id it was added with. The window gets message
// with the icon's mouse events. window and icon are the system's handles.
enum PL_TRAY_ACTION { PL_TRAY_ADD, PL_TRAY_MODIFY, PL_TRAY_DELETE };
struct PL_TRAY_ICON {
    void *window;
    uint32_t id;
    uint32_t message;
    void *icon;
    const char *tip; // at most 127 characters are shown
};
int PL_TrayIcon(PL_TRAY_ACTION action, const PL_TRAY_ICON *icon);

// Tests replace all of it at once; nullptr restores the system's.
struct PL_SHELL_IMPL {
    int (*open)(const char *target, const char *parameters, const char *directory);
    int (*regOpen)(PL_REG_ROOT root, const char *path, PL_REG_ACCESS access, PL_REGKEY *key);
    void (*regClose)(PL_REGKEY key);
    int (*regGet)(PL_REGKEY key, const char *name, char *buf, uint32_t size);
    int (*regSet)(PL_REGKEY key, const char *name, const char *value);
    int (*regDelete)(PL_REGKEY key, const char *name);
    int (*playSound)(const char *path);
    int (*trayIcon)(PL_TRAY_ACTION action, const PL_TRAY_ICON *icon);
};
void PL_SetShell(const PL_SHELL_IMPL *impl);

// ---------------------------------------------------------------- terminal
// The terminal a console program runs at: its command line, standard input and
// standard output, as Unicode code points. POSIX takes the encoding of the
// locale (LC_CTYPE, which the program takes from the environment); Windows the
// console's input and output code pages (the ANSI code page when there is no
// console) and a word of the command line as the system received it.
enum PL_TERMINAL_TEXT { PL_TEXT_ARGUMENT, PL_TEXT_INPUT };
// Decodes len bytes; an argument is the word at index of the argv the program
// was started with. 0, or -1 at a byte that begins no character (*bad: its offset).
int PL_TerminalDecode(PL_TERMINAL_TEXT kind, int index, const char *bytes, size_t len, std::u32string *cps,
                      size_t *bad);
// Appends the bytes of one code point for standard output; false when its
// encoding has no such character.
bool PL_TerminalEncode(uint32_t cp, std::string *out);
// Whether standard input is a terminal a person types at.
bool PL_InputIsTerminal();
// Switches the echo of what is typed at standard input off, or back on as it
// was before; 0, or -1 when standard input is no terminal.
int PL_SetInputEcho(bool on);

// ---------------------------------------------------------------- fault injection
// A test arms a kind of call to fail: the n-th call of that kind from now
// (1 = the next one) fails, and with `count` > 1 that many calls in a row do.
// A failed call sets PL_ERROR_DISK_FULL (writes, flushes), PL_ERROR_NOT_ENOUGH_MEMORY
// (allocations) or PL_ERROR_ACCESS_DENIED (the rest) and changes nothing.
enum PL_FAULT {
    PL_FAULT_ALLOC, // PL_Alloc, PL_AllocZeroed and PL_Realloc
    PL_FAULT_OPEN,  // PL_CreateFile
    PL_FAULT_READ,
    PL_FAULT_WRITE,
    PL_FAULT_FLUSH,
    PL_FAULT_MOVE, // PL_MoveFileEx and PL_CopyFile
    PL_FAULT_DELETE,
    PL_FAULT_ATTRIBUTES, // PL_SetFileAttributes
    PL_FAULT_REGISTRY,   // PL_RegOpenKey
    PL_FAULT_KINDS
};
void PL_FailCall(PL_FAULT kind, int nth, int count = 1);
int PL_CallCount(PL_FAULT kind); // calls of that kind since the last reset
void PL_ResetFaults();
// Used by the implementations: counts the call and answers whether it must fail.
bool PL_Faulted(PL_FAULT kind);
