#include "frame/win/main_loop.h"

#include "config/settings.h"
#include "frame/memory.h"
#include "frame/timeout.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"

#include <vector>

static MA_KeyDownHook keyDownHook = nullptr;
static HWND hAccelWnd = nullptr;
static HACCEL hAccelTable = nullptr;
static std::vector<HWND> modeless;

void MA_SetKeyDownHook(MA_KeyDownHook hook) { keyDownHook = hook; }

void MA_SetAccelerators(HWND hWnd, HACCEL table) {
    hAccelWnd = hWnd;
    hAccelTable = table;
}

void MA_RegisterModeless(HWND hWnd) {
    for (HWND h : modeless)
        if (h == hWnd)
            return;
    modeless.push_back(hWnd);
}

void MA_UnregisterModeless(HWND hWnd) {
    for (size_t i = 0; i < modeless.size(); ++i)
        if (modeless[i] == hWnd) {
            modeless.erase(modeless.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

void MA_BeforeDispatch(const MSG *msg) {
    if (msg->message == WM_KEYDOWN) {
        if (keyDownHook)
            keyDownHook();
        T_RecordActivity();
    } else if (msg->message == WM_MOUSEMOVE) {
        T_RecordActivity();
    }
}

void MA_RouteMessage(MSG *msg) {
    if (hAccelTable && hAccelWnd && (msg->hwnd == hAccelWnd || IsChild(hAccelWnd, msg->hwnd)) &&
        TranslateAcceleratorA(hAccelWnd, hAccelTable, msg))
        return;
    for (HWND h : modeless)
        if (IsDialogMessageA(h, msg))
            return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
}

void MA_AfterDispatch() { T_SetInactivityTimer(T_Minutes2Ms(Settings.TimeOutMinutes)); }

int MA_RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        MA_BeforeDispatch(&msg);
        MA_RouteMessage(&msg);
        MA_AfterDispatch();
    }
    return static_cast<int>(msg.wParam);
}

static int SafeActive() { return hmySafe != nullptr; }

static int CloseSafeWritten() { return SW_CloseSafe(1); }

// Running out of memory: the open safe is written back before the program ends.
static void WriteBackOnOutOfMemory() {
    if (hmySafe)
        SW_PutSafe(1, 0);
}

void MA_InstallStoreHooks() {
    T_SetSafeHooks(SafeActive, CloseSafeWritten);
    T_SetOutOfMemoryHook(WriteBackOnOutOfMemory);
}
