#include "ui/message_routing.h"

#include "ui/main_keys.h"

#include <vector>

static HWND hAccelWnd = nullptr;
static HACCEL hAccelTable = nullptr;
static std::vector<HWND> modeless;

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

void MA_RouteMessage(MSG *msg) {
    if (hAccelTable && hAccelWnd && (msg->hwnd == hAccelWnd || IsChild(hAccelWnd, msg->hwnd)) &&
        TranslateAcceleratorA(hAccelWnd, hAccelTable, msg))
        return;
    if (MK_TranslateKey(msg))
        return;
    for (HWND h : modeless)
        if (IsDialogMessageA(h, msg))
            return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
}
