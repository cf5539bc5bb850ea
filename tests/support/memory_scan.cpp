#include "support/memory_scan.h"

#include "support/safe_builder.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testsupport {
namespace {

// The region: the secrets' page, then the buffer pages are read into. A read
// overlaps the one before by a secret's UTF-16 length, so no copy is split.
constexpr size_t kPage = 4096;
constexpr size_t kChunk = 1 << 20;
constexpr size_t kRegion = kPage + kChunk;
constexpr size_t kOverlap = 2 * kSecretLength;
constexpr size_t kSlot = kSecretLength + 1;

std::string SecretsPath(const std::string &dir) { return dir + "\\secrets.bin"; }

void CountIn(const unsigned char *p, size_t n, size_t limit, const char *secrets, SecretCount (&found)[SECRET_COUNT]) {
    bool first[256] = {};
    for (int s = 0; s < SECRET_COUNT; ++s)
        first[static_cast<unsigned char>(secrets[s * kSlot])] = true;
    for (size_t i = 0; i < limit; ++i) {
        if (!first[p[i]])
            continue;
        for (int s = 0; s < SECRET_COUNT; ++s) {
            const char *secret = secrets + s * kSlot;
            if (p[i] != static_cast<unsigned char>(secret[0]))
                continue;
            if (i + kSecretLength <= n && memcmp(p + i, secret, kSecretLength) == 0)
                ++found[s].ansi;
            if (i + 2 * kSecretLength <= n) {
                size_t k = 0;
                while (k < kSecretLength && p[i + 2 * k] == static_cast<unsigned char>(secret[k]) && p[i + 2 * k + 1] == 0)
                    ++k;
                if (k == kSecretLength)
                    ++found[s].wide;
            }
        }
    }
}

#ifdef _WIN32
char *MapRegion() { return static_cast<char *>(VirtualAlloc(nullptr, kRegion, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)); }
void UnmapRegion(char *region) { VirtualFree(region, 0, MEM_RELEASE); }

// Reads into the buffer; false where the pages went meanwhile.
bool ReadOwn(const char *from, char *to, size_t n) {
    SIZE_T got = 0;
    return ReadProcessMemory(GetCurrentProcess(), from, to, n, &got) && got == n;
}

// Calls visit(base, size) for every committed, readable range.
template <typename Visit> void Ranges(Visit visit) {
    MEMORY_BASIC_INFORMATION mbi;
    const char *at = nullptr;
    while (VirtualQuery(at, &mbi, sizeof mbi) == sizeof mbi) {
        const char *base = static_cast<const char *>(mbi.BaseAddress);
        bool readable = mbi.State == MEM_COMMIT && !(mbi.Protect & (PAGE_GUARD | PAGE_NOACCESS)) && mbi.Protect != 0;
        if (readable)
            visit(base, static_cast<size_t>(mbi.RegionSize));
        if (base + mbi.RegionSize <= at)
            break;
        at = base + mbi.RegionSize;
    }
}

// Runs this test program again for the one test that writes the sample.
bool RunApart(const std::string &dir) {
    char exe[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, exe, sizeof exe))
        return false;
    std::string command = std::string("\"") + exe +
                          "\" --gtest_filter=SecretSample.DISABLED_Write --gtest_also_run_disabled_tests";
    SetEnvironmentVariableA(kSampleVariable, dir.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(kSampleVariable, nullptr);
    if (!started)
        return false;
    DWORD code = 1;
    bool ended = WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended && code == 0;
}

// Reads the secrets' file straight into the region.
bool ReadSecrets(const std::string &path, char *to, size_t n) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD got = 0;
    BOOL ok = ::ReadFile(h, to, static_cast<DWORD>(n), &got, nullptr);
    CloseHandle(h);
    return ok && got == n;
}
#else
char *MapRegion() {
    void *p = mmap(nullptr, kRegion, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<char *>(p);
}
void UnmapRegion(char *region) { munmap(region, kRegion); }

// Through /proc/self/mem: a page that went away is an error, not a fault, and
// the sanitizer does not take the read of freed blocks for a fault either.
bool ReadOwn(const char *from, char *to, size_t n) {
    static int fd = open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
    return fd >= 0 && pread(fd, to, n, static_cast<off_t>(reinterpret_cast<uintptr_t>(from))) == static_cast<ssize_t>(n);
}

// Readable mappings but the kernel's pages and the sanitizer's
// shadow, which is terabytes of untouched zeros.
template <typename Visit> void Ranges(Visit visit) {
    FILE *maps = fopen("/proc/self/maps", "r");
    if (!maps)
        return;
    char line[512];
    while (fgets(line, sizeof line, maps)) {
        unsigned long from = 0, to = 0;
        char perms[8] = {};
        if (sscanf(line, "%lx-%lx %7s", &from, &to, perms) != 3 || perms[0] != 'r')
            continue;
        if (strstr(line, "[vvar") || strstr(line, "[vsyscall]") || to - from > (1ul << 30))
            continue;
        visit(reinterpret_cast<const char *>(from), static_cast<size_t>(to - from));
    }
    fclose(maps);
}

bool RunApart(const std::string &dir) {
    pid_t child = fork();
    if (child == 0) {
        WriteSecretSample(dir);
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ReadSecrets(const std::string &path, char *to, size_t n) {
    std::string native = path;
    for (char &c : native)
        if (c == '\\')
            c = '/';
    int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ssize_t got = read(fd, to, n);
    close(fd);
    return got == static_cast<ssize_t>(n);
}
#endif

} // namespace

SecretScan::SecretScan() : region(MapRegion()) {}

SecretScan::~SecretScan() {
    if (!region)
        return;
    volatile char *p = region;
    for (size_t i = 0; i < kPage; ++i)
        p[i] = 0;
    UnmapRegion(region);
}

bool SecretScan::MakeSample(const std::string &dir) {
    if (!region || !RunApart(dir))
        return false;
    bool read = ReadSecrets(SecretsPath(dir), region, SECRET_COUNT * kSlot);
    return PL_DeleteFile(SecretsPath(dir).c_str()) == 0 && read;
}

const char *SecretScan::Secret(int index) const { return region + index * kSlot; }

void SecretScan::Scan(SecretCount (&found)[SECRET_COUNT]) const {
    for (SecretCount &f : found)
        f = SecretCount{};
    char *buffer = region + kPage;
    const char *regionEnd = region + kRegion;
    auto scan = [&](const char *base, size_t size) {
        for (size_t off = 0; off < size;) {
            size_t n = size - off < kChunk ? size - off : kChunk;
            bool last = off + n == size;
            size_t limit = last ? n : n - kOverlap;
            if (ReadOwn(base + off, buffer, n))
                CountIn(reinterpret_cast<unsigned char *>(buffer), n, limit, region, found);
            off += limit;
        }
    };
    // The system may join the region with its neighbours into one range.
    Ranges([&](const char *base, size_t size) {
        const char *end = base + size;
        if (end <= region || base >= regionEnd) {
            scan(base, size);
            return;
        }
        if (base < region)
            scan(base, static_cast<size_t>(region - base));
        if (end > regionEnd)
            scan(regionEnd, static_cast<size_t>(end - regionEnd));
    });
}

void WriteSecretSample(const std::string &dir) {
    std::random_device device;
    std::mt19937_64 random((static_cast<uint64_t>(device()) << 32) ^ device());
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string secrets, secret[SECRET_COUNT];
    for (std::string &s : secret) {
        for (size_t i = 0; i < kSecretLength; ++i)
            s += letters[random() % (sizeof letters - 1)];
        secrets += s + std::string(1, '\0');
    }
    SafeContents s;
    s.password = secret[SECRET_PASSWORD];
    s.folders = {{1, 1, "Mail", ""}};
    s.fields = {{1, 0, 1, "Value", 0, 40, 1}}; // typed by auto-type
    s.cards = {{1, 1, 1, secret[SECRET_CARD], ""}};
    s.contents = {{1, 0, secret[SECRET_VALUE]}};
    s.notes = {{secret[SECRET_NOTE]}};
    SafeContents other;
    other.password = "other";
    other.folders = {{1, 1, "Other", ""}};
    if (!WriteFile(dir + "\\secret.saf", BuildSafe(s)) || !WriteFile(dir + "\\other.saf", BuildSafe(other)) ||
        !WriteFile(SecretsPath(dir), secrets))
        exit(1);
}

} // namespace testsupport
