// The POSIX side of the seam, for the native build and its tests. Win32 paths
// are accepted: a backslash is a separator here too. Windows attributes that
// have no POSIX twin (hidden, system, archive, temporary, offline) live in an extended attribute
// of the file, or for the rest of the run in memory where the file system has none.
#include "platform/platform.h"
#include "platform/platform_os.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cwchar>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <map>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

struct PL_FileRec {
    int fd;
};

struct PL_FindRec {
    std::vector<PL_FIND_DATA> entries;
    size_t next;
};

namespace {
thread_local uint32_t g_lastError = 0;
std::map<std::string, uint32_t> g_memAttributes; // where xattrs are not supported
const char kAttrName[] = "user.orvsafe.attributes";
const uint32_t kStoredAttributes =
    PL_ATTR_HIDDEN | PL_ATTR_SYSTEM | PL_ATTR_ARCHIVE | PL_ATTR_TEMPORARY | PL_ATTR_OFFLINE;

std::string NativePath(const char *path) {
    std::string p(path ? path : "");
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

int Fail() {
    g_lastError = static_cast<uint32_t>(errno);
    return -1;
}

// Attributes kept beside the POSIX mode bits; -1 when none were ever set.
long LoadStoredAttributes(const std::string &p) {
    uint32_t v = 0;
    ssize_t n = getxattr(p.c_str(), kAttrName, &v, sizeof v);
    if (n == static_cast<ssize_t>(sizeof v))
        return v;
    auto it = g_memAttributes.find(p);
    return it == g_memAttributes.end() ? -1 : static_cast<long>(it->second);
}

void StoreAttributes(const std::string &p, uint32_t v) {
    if (setxattr(p.c_str(), kAttrName, &v, sizeof v, 0) == 0)
        g_memAttributes.erase(p);
    else
        g_memAttributes[p] = v;
}

void ForgetAttributes(const std::string &p) { g_memAttributes.erase(p); }

uint32_t AttributesOf(const std::string &p, const struct stat &st) {
    // st is what the path leads to; a symbolic link is marked as Windows marks its links.
    struct stat own;
    const bool link = lstat(p.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
    uint32_t a = 0;
    if (S_ISDIR(st.st_mode))
        a |= PL_ATTR_DIRECTORY;
    if (!(st.st_mode & S_IWUSR))
        a |= PL_ATTR_READONLY;
    long stored = LoadStoredAttributes(p);
    if (stored >= 0)
        a |= static_cast<uint32_t>(stored) & kStoredAttributes;
    else if (!S_ISDIR(st.st_mode))
        a |= PL_ATTR_ARCHIVE; // a file Windows has never been told about carries "archive"
    if (link)
        a |= PL_ATTR_REPARSE_POINT;
    if (a == 0)
        a = PL_ATTR_NORMAL;
    return a;
}
} // namespace

PL_HANDLE PL_CreateFile(const char *path, uint32_t access, uint32_t share,
                        uint32_t disposition, uint32_t attributes) {
    (void)share;
    if (PL_Faulted(PL_FAULT_OPEN))
        return nullptr;
    std::string p = NativePath(path);
    int flags = 0;
    if ((access & PL_GENERIC_READ) && (access & PL_GENERIC_WRITE))
        flags = O_RDWR;
    else if (access & PL_GENERIC_WRITE)
        flags = O_WRONLY;
    else
        flags = O_RDONLY;
    switch (disposition) {
    case PL_CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case PL_CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case PL_OPEN_ALWAYS: flags |= O_CREAT; break;
    case PL_TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: break;
    }
    struct stat st;
    bool existed = stat(p.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) {
        errno = EACCES; // Windows refuses to open a folder as a file
        Fail();
        return nullptr;
    }
    // New files are the owner's alone: most hold user data, and the temporary
    // file of a replacement takes the replaced file's mode when it is moved over it.
    int fd = open(p.c_str(), flags | O_CLOEXEC, 0600);
    if (fd < 0) {
        Fail();
        return nullptr;
    }
    if (!existed || disposition == PL_CREATE_ALWAYS) {
        uint32_t a = attributes & kStoredAttributes;
        if (!existed)
            ForgetAttributes(p);
        if (a)
            StoreAttributes(p, a);
        if (attributes & PL_ATTR_READONLY)
            fchmod(fd, 0400);
    }
    g_lastError = existed && (disposition == PL_OPEN_ALWAYS || disposition == PL_CREATE_ALWAYS)
                      ? static_cast<uint32_t>(PL_ERROR_ALREADY_EXISTS)
                      : 0u;
    return new PL_FileRec{fd};
}

int PL_ReadFile(PL_HANDLE h, void *buf, uint32_t len, uint32_t *done) {
    if (done)
        *done = 0;
    if (!h) {
        errno = EBADF;
        return Fail();
    }
    if (PL_Faulted(PL_FAULT_READ))
        return -1;
    ssize_t n;
    do
        n = read(h->fd, buf, len);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return Fail();
    if (done)
        *done = static_cast<uint32_t>(n);
    return 0;
}

int PL_WriteFile(PL_HANDLE h, const void *buf, uint32_t len, uint32_t *done) {
    if (done)
        *done = 0;
    if (!h) {
        errno = EBADF;
        return Fail();
    }
    if (PL_Faulted(PL_FAULT_WRITE))
        return -1;
    ssize_t n;
    do
        n = write(h->fd, buf, len);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        return Fail();
    if (done)
        *done = static_cast<uint32_t>(n);
    return 0;
}

int PL_CloseHandle(PL_HANDLE h) {
    if (!h) {
        errno = EBADF;
        return Fail();
    }
    int r = close(h->fd);
    delete h;
    return r == 0 ? 0 : Fail();
}

int PL_GetFileSize(PL_HANDLE h, uint64_t *size) {
    struct stat st;
    if (!h || fstat(h->fd, &st) != 0)
        return Fail();
    *size = static_cast<uint64_t>(st.st_size);
    return 0;
}

int PL_SetFilePointer(PL_HANDLE h, int64_t distance, int method, uint64_t *newPos) {
    int whence = method == PL_FILE_BEGIN ? SEEK_SET : method == PL_FILE_CURRENT ? SEEK_CUR : SEEK_END;
    off_t r = h ? lseek(h->fd, static_cast<off_t>(distance), whence) : -1;
    if (r < 0)
        return Fail();
    if (newPos)
        *newPos = static_cast<uint64_t>(r);
    return 0;
}

int PL_FlushFileBuffers(PL_HANDLE h) {
    if (PL_Faulted(PL_FAULT_FLUSH))
        return -1;
    return h && fsync(h->fd) == 0 ? 0 : Fail();
}

int PL_SetEndOfFile(PL_HANDLE h) {
    off_t pos = h ? lseek(h->fd, 0, SEEK_CUR) : -1;
    if (pos < 0 || ftruncate(h->fd, pos) != 0)
        return Fail();
    return 0;
}

int PL_DeleteFile(const char *path) {
    if (PL_Faulted(PL_FAULT_DELETE))
        return -1;
    std::string p = NativePath(path);
    struct stat st;
    if (lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) { // a link goes, never what it leads to
        errno = EACCES;
        return Fail();
    }
    if (unlink(p.c_str()) != 0)
        return Fail();
    ForgetAttributes(p);
    return 0;
}

namespace {
void SyncFolderOf(const std::string &p) {
    std::string dir = p.find('/') == std::string::npos ? "." : p.substr(0, p.rfind('/'));
    if (dir.empty())
        dir = "/";
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}
} // namespace

int PL_MoveFileEx(const char *from, const char *to, uint32_t flags) {
    if (PL_Faulted(PL_FAULT_MOVE))
        return -1;
    std::string f = NativePath(from), t = NativePath(to);
    struct stat st;
    if (!(flags & PL_MOVE_REPLACE_EXISTING) && lstat(t.c_str(), &st) == 0) {
        errno = EEXIST;
        return Fail();
    }
    // A file that replaces another keeps the mode of the one it replaces, so an
    // owner-only file stays owner-only through every save.
    if ((flags & PL_MOVE_REPLACE_EXISTING) && stat(t.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        chmod(f.c_str(), st.st_mode & 07777) != 0)
        return Fail();
    long attrs = LoadStoredAttributes(f);
    if (rename(f.c_str(), t.c_str()) != 0)
        return Fail();
    ForgetAttributes(f);
    ForgetAttributes(t);
    if (attrs >= 0)
        StoreAttributes(t, static_cast<uint32_t>(attrs));
    if (flags & PL_MOVE_WRITE_THROUGH)
        SyncFolderOf(t);
    return 0;
}

int PL_CopyFile(const char *from, const char *to, int failIfExists) {
    if (PL_Faulted(PL_FAULT_MOVE))
        return -1;
    std::string f = NativePath(from), t = NativePath(to);
    int in = open(f.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return Fail();
    // The copy has its source's mode, as Windows gives a copy its source's attributes.
    struct stat st;
    int out = fstat(in, &st) == 0
                  ? open(t.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC), 0600)
                  : -1;
    if (out >= 0 && fchmod(out, st.st_mode & 07777) != 0) {
        close(out);
        out = -1;
    }
    if (out < 0) {
        int e = errno;
        close(in);
        errno = e;
        return Fail();
    }
    char buf[65536];
    ssize_t n;
    int rc = 0;
    while ((n = read(in, buf, sizeof buf)) > 0) {
        if (write(out, buf, static_cast<size_t>(n)) != n) {
            rc = -1;
            break;
        }
    }
    if (n < 0)
        rc = -1;
    int e = errno;
    close(in);
    if (close(out) != 0)
        rc = -1;
    if (rc != 0) {
        errno = e ? e : EIO;
        return Fail();
    }
    long attrs = LoadStoredAttributes(f);
    if (attrs >= 0)
        StoreAttributes(t, static_cast<uint32_t>(attrs));
    return 0;
}

uint32_t PL_GetFileAttributes(const char *path) {
    std::string p = NativePath(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0) {
        Fail();
        return PL_INVALID_ATTRIBUTES;
    }
    return AttributesOf(p, st);
}

int PL_SetFileAttributes(const char *path, uint32_t attributes) {
    if (PL_Faulted(PL_FAULT_ATTRIBUTES))
        return -1;
    std::string p = NativePath(path);
    struct stat st;
    if (stat(p.c_str(), &st) != 0)
        return Fail();
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & PL_ATTR_READONLY) ? (mode & ~0222) : (mode | S_IWUSR);
    if (chmod(p.c_str(), mode) != 0)
        return Fail();
    StoreAttributes(p, attributes & kStoredAttributes);
    return 0;
}

int PL_CreateDirectory(const char *path) {
    return mkdir(NativePath(path).c_str(), 0777) == 0 ? 0 : Fail();
}

int PL_RemoveDirectory(const char *path) {
    std::string p = NativePath(path);
    if (rmdir(p.c_str()) != 0)
        return Fail();
    ForgetAttributes(p);
    return 0;
}

int PL_GetCurrentDirectory(char *buf, uint32_t size) {
    if (!getcwd(buf, size))
        return Fail();
    return 0;
}

// No short names here: an existing path is its own short form.
int PL_GetShortPathName(const char *path, char *buf, uint32_t size) {
    struct stat st;
    if (!path || size == 0 || stat(NativePath(path).c_str(), &st) != 0)
        return Fail();
    snprintf(buf, size, "%s", path);
    return 0;
}

uint32_t PL_GetDriveType(const char *) { return PL_DRIVE_FIXED; }

int PL_ResolvePath(const char *path, char *buf, uint32_t size) {
    char *real = realpath(NativePath(path).c_str(), nullptr);
    if (!real)
        return Fail();
    const size_t n = strlen(real);
    const bool fits = n < size;
    if (fits)
        memcpy(buf, real, n + 1);
    free(real);
    if (!fits) {
        g_lastError = ENAMETOOLONG;
        return -1;
    }
    return 0;
}

namespace {
// Seconds from 1 January 1601 to 1 January 1970.
const uint64_t kEpochDelta = 11644473600ull;

uint64_t FileTimeOf(const struct timespec &ts) {
    return (static_cast<uint64_t>(ts.tv_sec) + kEpochDelta) * 10000000ull + static_cast<uint64_t>(ts.tv_nsec) / 100;
}
} // namespace

int PL_GetFileWriteTime(const char *path, uint64_t *fileTime) {
    struct stat st;
    if (stat(NativePath(path).c_str(), &st) != 0)
        return Fail();
    *fileTime = FileTimeOf(st.st_mtim);
    return 0;
}

int PL_SetFileWriteTime(const char *path, uint64_t fileTime) {
    if (fileTime < kEpochDelta * 10000000ull) {
        errno = EINVAL;
        return Fail();
    }
    uint64_t since1970 = fileTime - kEpochDelta * 10000000ull;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT; // the access time stays
    times[1].tv_sec = static_cast<time_t>(since1970 / 10000000ull);
    times[1].tv_nsec = static_cast<long>(since1970 % 10000000ull) * 100;
    return utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0 ? 0 : Fail();
}

int PL_FileTimeToLocalTime(uint64_t fileTime, PL_SYSTEMTIME *st) {
    if (fileTime < kEpochDelta * 10000000ull) {
        errno = EINVAL;
        return Fail();
    }
    uint64_t since1970 = fileTime - kEpochDelta * 10000000ull;
    time_t secs = static_cast<time_t>(since1970 / 10000000ull);
    struct tm tm;
    if (!localtime_r(&secs, &tm))
        return Fail();
    st->wYear = static_cast<uint16_t>(tm.tm_year + 1900);
    st->wMonth = static_cast<uint16_t>(tm.tm_mon + 1);
    st->wDayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st->wDay = static_cast<uint16_t>(tm.tm_mday);
    st->wHour = static_cast<uint16_t>(tm.tm_hour);
    st->wMinute = static_cast<uint16_t>(tm.tm_min);
    st->wSecond = static_cast<uint16_t>(tm.tm_sec);
    st->wMilliseconds = static_cast<uint16_t>(since1970 % 10000000ull / 10000);
    return 0;
}

PL_FIND PL_FindFirstFile(const char *pattern, PL_FIND_DATA *data) {
    std::string p = NativePath(pattern);
    size_t slash = p.rfind('/');
    std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : p.substr(0, slash));
    std::string mask = slash == std::string::npos ? p : p.substr(slash + 1);
    if (mask == "*.*")
        mask = "*";
    DIR *d = opendir(dir.c_str());
    if (!d) {
        Fail();
        return nullptr;
    }
    PL_FindRec *rec = new PL_FindRec{{}, 0};
    while (struct dirent *e = readdir(d)) {
        if (fnmatch(mask.c_str(), e->d_name, FNM_CASEFOLD | FNM_PERIOD) != 0 &&
            !(mask == "*" && e->d_name[0] == '.'))
            continue;
        std::string full = dir + "/" + e->d_name;
        struct stat st;
        if (stat(full.c_str(), &st) != 0)
            continue;
        PL_FIND_DATA fd{};
        fd.dwFileAttributes = AttributesOf(full, st);
        fd.nFileSize = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
        fd.ftLastWriteTime = FileTimeOf(st.st_mtim);
        snprintf(fd.cFileName, sizeof fd.cFileName, "%s", e->d_name);
        rec->entries.push_back(fd);
    }
    closedir(d);
    std::sort(rec->entries.begin(), rec->entries.end(), [](const PL_FIND_DATA &a, const PL_FIND_DATA &b) {
        return strcasecmp(a.cFileName, b.cFileName) < 0;
    });
    if (rec->entries.empty()) {
        delete rec;
        g_lastError = PL_ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    *data = rec->entries[0];
    rec->next = 1;
    return rec;
}

int PL_FindNextFile(PL_FIND f, PL_FIND_DATA *data) {
    if (!f || f->next >= f->entries.size())
        return -1;
    *data = f->entries[f->next++];
    return 0;
}

void PL_FindClose(PL_FIND f) { delete f; }

uint32_t PL_GetLastError() { return g_lastError; }
void PL_SetLastError(uint32_t err) { g_lastError = err; }

bool PL_Faulted(PL_FAULT kind) {
    uint32_t err = PL_FaultHit(kind);
    if (err)
        PL_SetLastError(err);
    return err != 0;
}

int PL_FormatSystemMessage(uint32_t err, char *buf, uint32_t size) {
    if (!buf || size == 0)
        return -1;
    // Shaped like the Windows text (a sentence with its period and line end),
    // so callers trim both systems' texts the same way.
    snprintf(buf, size, "%s.\r\n", strerror(static_cast<int>(err)));
    return 0;
}

void PL_OsGetLocalTime(PL_SYSTEMTIME *st) {
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm tm;
    localtime_r(&ts.tv_sec, &tm);
    st->wYear = static_cast<uint16_t>(tm.tm_year + 1900);
    st->wMonth = static_cast<uint16_t>(tm.tm_mon + 1);
    st->wDayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st->wDay = static_cast<uint16_t>(tm.tm_mday);
    st->wHour = static_cast<uint16_t>(tm.tm_hour);
    st->wMinute = static_cast<uint16_t>(tm.tm_min);
    st->wSecond = static_cast<uint16_t>(tm.tm_sec);
    st->wMilliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
}

uint32_t PL_OsGetTickCount() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec / 1000000));
}

void PL_Sleep(uint32_t ms) {
    struct timespec ts = {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

int PL_GetComputerName(char *buf, uint32_t size) {
    if (gethostname(buf, size) != 0)
        return Fail();
    buf[size - 1] = 0;
    return 0;
}

// No desktop here: reaching it works and finds no icons; there is no screen.
int PL_OsDesktopOpen(int *) { return 0; }
void PL_OsDesktopClose() {}
int PL_OsDesktopItemCount() { return 0; }
int PL_OsDesktopItemText(int, char *, uint32_t) { return -1; }
int PL_OsDesktopGetItemPosition(int, int32_t *, int32_t *) { return -1; }
int PL_OsDesktopSetItemPosition(int, int32_t, int32_t) { return -1; }
void PL_OsGetScreenSize(uint32_t *width, uint32_t *height) { *width = *height = 0; }

// No shell, registry, sound or notification area here.
int PL_OsShellOpen(const char *, const char *, const char *) { return -1; }
int PL_LimitDllSearch() { return -1; }
void *PL_LoadSystemLibrary(const char *) { return nullptr; }
int PL_OsRegOpenKey(PL_REG_ROOT, const char *, PL_REG_ACCESS, PL_REGKEY *) { return -1; }
void PL_OsRegCloseKey(PL_REGKEY) {}
int PL_OsRegGetString(PL_REGKEY, const char *, char *, uint32_t) { return -1; }
int PL_OsRegSetString(PL_REGKEY, const char *, const char *) { return -1; }
int PL_OsRegDeleteValue(PL_REGKEY, const char *) { return -1; }
int PL_OsPlaySound(const char *) { return -1; }
int PL_OsTrayIcon(PL_TRAY_ACTION, const PL_TRAY_ICON *) { return -1; }

// The terminal speaks the locale's encoding; glibc's wide characters are code points.
int PL_TerminalDecode(PL_TERMINAL_TEXT, int, const char *bytes, size_t len, std::u32string *cps, size_t *bad) {
    cps->clear();
    mbstate_t state{};
    for (size_t i = 0; i < len;) {
        wchar_t wc = 0;
        size_t n = mbrtowc(&wc, bytes + i, len - i, &state);
        if (n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2)) {
            if (bad)
                *bad = i;
            return -1;
        }
        cps->push_back(static_cast<char32_t>(wc));
        i += n == 0 ? 1 : n; // a zero byte is a character of its own
    }
    return 0;
}

bool PL_TerminalEncode(uint32_t cp, std::string *out) {
    char buf[MB_LEN_MAX];
    mbstate_t state{};
    size_t n = wcrtomb(buf, static_cast<wchar_t>(cp), &state);
    if (n == static_cast<size_t>(-1))
        return false;
    out->append(buf, n);
    return true;
}

bool PL_InputIsTerminal() { return isatty(0) != 0; }

int PL_SetInputEcho(bool on) {
    static termios saved;
    static bool quiet = false;
    if (on) {
        if (!quiet)
            return 0;
        quiet = false;
        return tcsetattr(0, TCSANOW, &saved) == 0 ? 0 : Fail();
    }
    if (quiet)
        return 0;
    if (tcgetattr(0, &saved) != 0)
        return Fail();
    termios silent = saved;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    if (tcsetattr(0, TCSANOW, &silent) != 0)
        return Fail();
    quiet = true;
    return 0;
}
