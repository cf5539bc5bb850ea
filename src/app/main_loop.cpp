#include "app/main_loop.h"

#include "config/settings.h"
#include "frame/memory.h"
#include "store/safe_lifecycle.h"
#include "store/safe_recovery.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/timeout.h"
#include "ui/message_routing.h"

static MA_InputHook inputHook = nullptr;
void MA_SetInputHook(MA_InputHook hook) { inputHook = hook; }

static bool IsInput(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEWHEEL: return true;
    default: return false;
    }
}

void MA_BeforeDispatch(const MSG *msg) {
    if (msg->message == WM_KEYDOWN || msg->message == WM_MOUSEMOVE) {
        if (inputHook)
            inputHook();
        T_RecordActivity();
    }
}

static HHOOK hInputWatch = nullptr;

static LRESULT CALLBACK InputWatch(int code, WPARAM wParam, LPARAM lParam) {
    // A message only peeked at is seen again when it is taken.
    if (code == HC_ACTION && wParam == PM_REMOVE && IsInput(reinterpret_cast<const MSG *>(lParam)->message))
        T_RecordActivity();
    return CallNextHookEx(hInputWatch, code, wParam, lParam);
}

void MA_WatchInput() {
    if (!hInputWatch)
        hInputWatch = SetWindowsHookExA(WH_GETMESSAGE, InputWatch, nullptr, GetCurrentThreadId());
}

void MA_StopWatchingInput() {
    if (hInputWatch)
        UnhookWindowsHookEx(hInputWatch);
    hInputWatch = nullptr;
}

void MA_AfterDispatch() { T_SetInactivityTimer(T_Minutes2Ms(Settings.TimeOutMinutes)); }

int MA_RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        MA_BeforeDispatch(&msg);
        MA_RouteMessage(&msg);
        MA_AfterDispatch();
        // A change is complete once its message is handled: the recovery copy
        // follows it (a failure was told; the safe is untouched). Mouse moves
        // and painting change nothing and come too often to be asked.
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE && msg.message != WM_PAINT)
            (void)SW_KeepRecoveryCopy();
    }
    return static_cast<int>(msg.wParam);
}

static int SafeActive() { return hmySafe != nullptr; }

static int CloseSafeWritten() { return SW_CloseSafe(1); }

// Running out of memory: the open safe is written back before the program ends.
static void WriteBackOnOutOfMemory() {
    if (hmySafe)
        (void)SW_PutSafe(1, 0); // the program ends either way; a failed write leaves the old file whole
}

void MA_InstallStoreHooks() {
    T_SetSafeHooks(SafeActive, CloseSafeWritten);
    T_SetOutOfMemoryHook(WriteBackOnOutOfMemory);
}
