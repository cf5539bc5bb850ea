#include "support/temp_dir.h"

#include "frame/memory.h"
#include "frame/trace.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace testsupport {

namespace {
std::string BaseTempDir() {
#ifdef _WIN32
    const char *t = getenv("TEMP");
    if (!t)
        t = getenv("TMP");
    return t ? t : "C:\\windows\\temp";
#else
    const char *t = getenv("TMPDIR");
    return t && *t ? t : "/tmp";
#endif
}
} // namespace

std::string MakeTempDir() {
    static std::atomic<unsigned> counter{0};
    PL_SYSTEMTIME st;
    PL_GetLocalTime(&st);
    for (;;) {
        char name[64];
        snprintf(name, sizeof name, "orvtest-%u-%u-%u", static_cast<unsigned>(PL_GetTickCount()),
                 static_cast<unsigned>(rand()), counter++);
        std::string path = BaseTempDir() + "\\" + name;
        if (PL_CreateDirectory(path.c_str()) == 0)
            return path;
    }
}

void RemoveTree(const std::string &path) {
    PL_FIND_DATA fd;
    PL_FIND f = PL_FindFirstFile((path + "\\*").c_str(), &fd);
    if (f) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & PL_ATTR_REPARSE_POINT) { // the link goes, not what it leads to
                if (PL_DeleteFile(full.c_str()) != 0)
                    PL_RemoveDirectory(full.c_str());
                continue;
            }
            PL_SetFileAttributes(full.c_str(), PL_ATTR_NORMAL);
            if (fd.dwFileAttributes & PL_ATTR_DIRECTORY)
                RemoveTree(full);
            else
                PL_DeleteFile(full.c_str());
        } while (PL_FindNextFile(f, &fd) == 0);
        PL_FindClose(f);
    }
    PL_RemoveDirectory(path.c_str());
}

std::string ReadFile(const std::string &path) {
    PL_HANDLE h = PL_CreateFile(path.c_str(), PL_GENERIC_READ, PL_SHARE_READ | PL_SHARE_WRITE, PL_OPEN_EXISTING, 0);
    if (!h)
        return "";
    std::string out;
    char buf[65536];
    uint32_t n = 0;
    while (PL_ReadFile(h, buf, sizeof buf, &n) == 0 && n > 0)
        out.append(buf, n);
    PL_CloseHandle(h);
    return out;
}

bool WriteFile(const std::string &path, const std::string &data) {
    PL_HANDLE h = PL_CreateFile(path.c_str(), PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, 0);
    if (!h)
        return false;
    uint32_t n = 0;
    bool ok = data.empty() || (PL_WriteFile(h, data.data(), static_cast<uint32_t>(data.size()), &n) == 0 &&
                               n == data.size());
    PL_CloseHandle(h);
    return ok;
}

bool FileExists(const std::string &path) { return PL_GetFileAttributes(path.c_str()) != PL_INVALID_ATTRIBUTES; }

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size())
                out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

PL_SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second) {
    PL_SYSTEMTIME t{};
    t.wYear = static_cast<uint16_t>(year);
    t.wMonth = static_cast<uint16_t>(month);
    t.wDay = static_cast<uint16_t>(day);
    t.wHour = static_cast<uint16_t>(hour);
    t.wMinute = static_cast<uint16_t>(minute);
    t.wSecond = static_cast<uint16_t>(second);
    return t;
}

PL_SYSTEMTIME FixedClock::now;

FixedClock::FixedClock(PL_SYSTEMTIME t) {
    now = t;
    PL_SetLocalTimeSource([](PL_SYSTEMTIME *st) { *st = FixedClock::now; });
}

FixedClock::~FixedClock() { PL_SetLocalTimeSource(nullptr); }

void TempDirTest::SetUp() {
    dir = MakeTempDir();
    snprintf(szProgramDir, sizeof szProgramDir, "%s", dir.c_str());
    dwTraceLevel = 0;
    PL_ResetFaults();
    T_ResetOutOfMemory();
}

void TempDirTest::TearDown() {
    PL_ResetFaults();
    dwTraceLevel = 0;
    RemoveTree(dir);
    szProgramDir[0] = 0;
}

} // namespace testsupport
