// Times a Win32 program from a second process, as a person would see it:
//   program_timer CLASS PROGRAM [ARGUMENT]
// starts PROGRAM, waits for its visible top-level window of CLASS, polls the item count of its tree view until it
// has stayed the same for a while, posts WM_CLOSE and waits for the process to
// end. Prints "window_ms tree_ms items close_ms" on one line; tree_ms is when
// the count first reached its final value.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {
const DWORD kStableMs = 1500;  // the count unchanged this long is complete
const DWORD kGiveUpMs = 120000;

double Now() {
    static LARGE_INTEGER freq = {};
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

struct Find {
    DWORD pid;
    const char *cls;
    HWND found;
};

BOOL CALLBACK TopLevel(HWND hWnd, LPARAM lParam) {
    Find *f = reinterpret_cast<Find *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != f->pid || !IsWindowVisible(hWnd))
        return TRUE;
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof cls);
    if (strcmp(cls, f->cls) != 0)
        return TRUE;
    f->found = hWnd;
    return FALSE;
}

BOOL CALLBACK Child(HWND hWnd, LPARAM lParam) {
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof cls);
    if (strcmp(cls, WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND *>(lParam) = hWnd;
    return FALSE;
}
} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: program_timer CLASS PROGRAM [ARGUMENT]\n");
        return 2;
    }
    char cmd[1024];
    snprintf(cmd, sizeof cmd, "\"%s\"%s%s", argv[2], argc > 3 ? " " : "", argc > 3 ? argv[3] : "");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const double start = Now();
    if (!CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        fprintf(stderr, "cannot start %s (%lu)\n", argv[2], GetLastError());
        return 1;
    }
    Find f = {pi.dwProcessId, argv[1], nullptr};
    while (!f.found && Now() - start < kGiveUpMs) {
        if (WaitForSingleObject(pi.hProcess, 5) == WAIT_OBJECT_0) {
            fprintf(stderr, "the program ended before its window showed\n");
            return 1;
        }
        EnumWindows(TopLevel, reinterpret_cast<LPARAM>(&f));
    }
    const double window = Now();
    HWND tree = nullptr;
    EnumChildWindows(f.found, Child, reinterpret_cast<LPARAM>(&tree));
    LRESULT count = -1;
    double reached = window, last = window;
    while (tree && Now() - last < kStableMs && Now() - start < kGiveUpMs) {
        DWORD_PTR got = 0;
        if (SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 10000, &got) &&
            static_cast<LRESULT>(got) != count) {
            count = static_cast<LRESULT>(got);
            reached = last = Now();
        }
        Sleep(5);
    }
    const double closing = Now();
    PostMessageA(f.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, kGiveUpMs) != WAIT_OBJECT_0) {
        fprintf(stderr, "the program did not end\n");
        return 1;
    }
    const double end = Now();
    printf("%.0f %.0f %ld %.0f\n", window - start, reached - start, static_cast<long>(count < 0 ? 0 : count),
           end - closing);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
