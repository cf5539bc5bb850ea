#include "frame/logs.h"

#include "frame/trace.h"
#include "frame/version.h"
#include "platform/platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

char szProgramDir[MAX_PGM_DIR];
uint32_t dwTraceLevel = 0;

namespace {
// Writes the whole line; a log that cannot be written has nobody left to tell.
void WriteAll(PL_HANDLE h, const std::string &line) {
    const char *p = line.data();
    uint32_t left = static_cast<uint32_t>(line.size());
    while (left > 0) {
        uint32_t done = 0;
        if (PL_WriteFile(h, p, left, &done) != 0 || done == 0)
            return;
        p += done;
        left -= done;
    }
}

// Opens a log for one line: created when missing, emptied once it passed the
// size limit, positioned at its end. nullptr when it cannot be opened.
PL_HANDLE OpenLog(const char *name, uint32_t share) {
    if (!szProgramDir[0])
        return nullptr; // no program directory (the terminal companion without --dir): no logs
    char path[MAX_PGM_DIR];
    snprintf(path, sizeof path, "%s%s", szProgramDir, name);
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_WRITE, share, PL_OPEN_ALWAYS, 0);
    if (!h)
        return nullptr;
    uint64_t size = 0;
    if (PL_GetFileSize(h, &size) == 0 && size > LOG_MAX_SIZE) {
        PL_CloseHandle(h);
        return PL_CreateFile(path, PL_GENERIC_WRITE, share, PL_CREATE_ALWAYS, 0);
    }
    PL_SetFilePointer(h, 0, PL_FILE_END, nullptr);
    return h;
}

void WriteLine(const char *name, uint32_t share, const std::string &line) {
    PL_HANDLE h = OpenLog(name, share);
    if (!h)
        return;
    WriteAll(h, line);
    PL_CloseHandle(h);
}

std::string Format(size_t capacity, const char *format, ...) {
    std::string s(capacity, '\0');
    va_list ap;
    va_start(ap, format);
    int n = vsnprintf(&s[0], capacity, format, ap);
    va_end(ap);
    s.resize(n < 0 ? 0 : (static_cast<size_t>(n) < capacity ? static_cast<size_t>(n) : capacity - 1));
    return s;
}
} // namespace

const char *T_GetSystemMessage(uint32_t errorNumber) {
    static char text[100];
    if (PL_FormatSystemMessage(errorNumber, text, sizeof text) != 0)
        text[0] = 0;
    text[sizeof text - 1] = 0;
    size_t n = strlen(text);
    if (n > 3)
        text[n - 3] = 0; // the closing period and line end
    return text;
}

void ML_WriteLog(const char *code, const char *text, uint32_t errorNumber) {
    PL_HANDLE h = OpenLog(LOG_NAME_PROGRAM, PL_SHARE_READ);
    if (!h)
        return;
    PL_SYSTEMTIME t;
    PL_GetLocalTime(&t);
    size_t capacity = strlen(text) + 500;
    std::string line = Format(capacity, "%d.%02d.%03d %4d/%02d/%02d %02d:%02d:%02d *%.4s* %s \r\n",
                              PGM_VERSION_MAJOR, PGM_VERSION_MINOR, PGM_VERSION_BUILD, t.wYear, t.wMonth,
                              t.wDay, t.wHour, t.wMinute, t.wSecond, code, text);
    WriteAll(h, line);
    if (errorNumber != 0) {
        line = Format(capacity, "%0d.%02d.%03d %4d/%02d/%02d %02d:%02d:%02d *%.4s* ERRORCODE: %d = %s \r\n",
                      PGM_VERSION_MAJOR, PGM_VERSION_MINOR, PGM_VERSION_BUILD, t.wYear, t.wMonth, t.wDay,
                      t.wHour, t.wMinute, t.wSecond, code, static_cast<int>(errorNumber),
                      T_GetSystemMessage(errorNumber));
        WriteAll(h, line);
    }
    PL_CloseHandle(h);
}

void ML_WriteLogF(const char *code, uint32_t errorNumber, const char *format, ...) {
    char buf[2048];
    va_list ap;
    va_start(ap, format);
    vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    ML_WriteLog(code, buf, errorNumber);
}

void ML_WriteCryptLog(const char *fileName) {
    PL_SYSTEMTIME t;
    PL_GetLocalTime(&t);
    std::string line = Format(strlen(fileName) + 500, "%d.%02d.%03d %4d/%02d/%02d %02d:%02d:%02d crypted: => %s\r\n",
                              PGM_VERSION_MAJOR, PGM_VERSION_MINOR, PGM_VERSION_BUILD, t.wYear, t.wMonth,
                              t.wDay, t.wHour, t.wMinute, t.wSecond, fileName);
    WriteLine(LOG_NAME_CRYPT, PL_SHARE_NONE, line);
}

void ML_WriteTrace(const char *tag, const char *text) {
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    PL_SYSTEMTIME t;
    PL_GetLocalTime(&t);
    // The first 19 characters of the C library's fixed-width time text.
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%s %s %02d %02d:%02d:%02d", days[t.wDayOfWeek % 7],
             months[(t.wMonth + 11) % 12], t.wDay, t.wHour, t.wMinute, t.wSecond);
    std::string line = Format(strlen(text) + 64, "*%.7s* %.19s %s \r\n", tag, stamp, text);
    WriteLine(LOG_NAME_TRACE, PL_SHARE_READ, line);
}

void ML_Trace(const char *tag, const char *format, ...) {
    char buf[2048];
    va_list ap;
    va_start(ap, format);
    vsnprintf(buf, sizeof buf, format, ap);
    va_end(ap);
    ML_WriteTrace(tag, buf);
}
