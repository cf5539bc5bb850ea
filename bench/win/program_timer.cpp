// Times a Win32 program from a second process, as a person would see it:
//   program_timer [STEP] CLASS PROGRAM [ARGUMENT]
// starts PROGRAM, waits for its visible top-level window of CLASS, polls the item count of its tree view until it
// has stayed the same for a while, posts WM_CLOSE and waits for the process to
// end. Prints "window_ms tree_ms items close_ms" on one line; tree_ms is when
// the count first reached its final value. A STEP, taken once the tree is
// complete, adds "step_ms rows": from the command until its window shows with
// its list's rows, and the program has handled what was sent before.
//   --search=TEXT  the search dialog gets TEXT and its Search button: the results window
//   --drop         "display crypted files": the drop window
//   --recover      "Recover Safe" (with no safe open): the recover dialog, then cancelled
#include "platform/command_ids.h"
#include "ui/ids_drop.h"
#include "ui/ids_search.h"

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
    int withChild = 0; // a dialog: the one that has a control of this id
};

BOOL CALLBACK TopLevel(HWND hWnd, LPARAM lParam) {
    Find *f = reinterpret_cast<Find *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != f->pid || !IsWindowVisible(hWnd))
        return TRUE;
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof cls);
    if (strcmp(cls, f->cls) != 0 || (f->withChild && !GetDlgItem(hWnd, f->withChild)))
        return TRUE;
    f->found = hWnd;
    return FALSE;
}

struct ChildOf {
    const char *cls;
    HWND found;
};
BOOL CALLBACK Child(HWND hWnd, LPARAM lParam) {
    ChildOf *c = reinterpret_cast<ChildOf *>(lParam);
    char cls[64] = "";
    GetClassNameA(hWnd, cls, sizeof cls);
    if (strcmp(cls, c->cls) != 0)
        return TRUE;
    c->found = hWnd;
    return FALSE;
}
HWND FindChild(HWND parent, const char *cls) {
    ChildOf c = {cls, nullptr};
    EnumChildWindows(parent, Child, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

// The visible top-level window of CLASS of the process (with a control of id
// withChild, when given), waited for; null after the give-up time.
HWND WaitWindow(DWORD pid, const char *cls, int withChild, double since) {
    Find f = {pid, cls, nullptr, withChild};
    while (!f.found && Now() - since < kGiveUpMs) {
        EnumWindows(TopLevel, reinterpret_cast<LPARAM>(&f));
        if (!f.found)
            Sleep(1);
    }
    return f.found;
}

LRESULT Ask(HWND hWnd, UINT msg) {
    DWORD_PTR got = 0;
    return SendMessageTimeoutA(hWnd, msg, 0, 0, SMTO_NORMAL, 30000, &got) ? static_cast<LRESULT>(got) : -1;
}

// The step: its window shown with its list's rows, and "step_ms rows" printed.
int Step(const char *step, HWND main, DWORD pid) {
    const char *window = nullptr;
    int control = 0;
    WPARAM command = 0;
    HWND dialog = nullptr; // the search dialog, closed when it stays open
    if (strncmp(step, "--search=", 9) == 0) {
        PostMessageA(main, WM_COMMAND, IDT_SEARCH, 0);
        dialog = WaitWindow(pid, "#32770", IDC_SE_TEXT, Now());
        if (!dialog)
            return -1;
        SetDlgItemTextA(dialog, IDC_SE_TEXT, step + 9);
        main = dialog;
        command = IDC_SE_SEARCH;
        window = "orvSearch";
    } else if (strcmp(step, "--drop") == 0) {
        command = IDT_SHOWCRYPTED;
        window = "orvDrop";
    } else if (strcmp(step, "--recover") == 0) {
        command = IDM_RECOVERSAFE;
        window = "#32770";
        control = IDC_RECOVER_LIST;
    } else {
        fprintf(stderr, "unknown step %s\n", step);
        return -1;
    }
    const double start = Now();
    PostMessageA(main, WM_COMMAND, command, 0);
    HWND shown = WaitWindow(pid, window, control, start);
    if (!shown)
        return -1;
    HWND list = FindChild(shown, WC_LISTVIEWA);
    LRESULT rows = list ? Ask(list, LVM_GETITEMCOUNT) : 0;
    Ask(shown, WM_NULL);
    printf(" %.0f %ld", Now() - start, static_cast<long>(rows));
    if (control)
        PostMessageA(shown, WM_COMMAND, IDCANCEL, 0);
    if (dialog && IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    const char *step = argc > 1 && strncmp(argv[1], "--", 2) == 0 ? argv[1] : nullptr;
    if (step) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        fprintf(stderr, "usage: program_timer [STEP] CLASS PROGRAM [ARGUMENT]\n");
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
    HWND tree = FindChild(f.found, WC_TREEVIEWA);
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
    printf("%.0f %.0f %ld", window - start, reached - start, static_cast<long>(count < 0 ? 0 : count));
    if (step && Step(step, f.found, pi.dwProcessId) != 0) {
        fprintf(stderr, "\nthe step %s did not show its window\n", step);
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    const double closing = Now();
    PostMessageA(f.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, kGiveUpMs) != WAIT_OBJECT_0) {
        fprintf(stderr, "the program did not end\n");
        return 1;
    }
    printf(" %.0f\n", Now() - closing);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
