#include "ui/auto_type.h"

#include "tools/auto_type_keys.h"

#include <windows.h>

namespace {
void Key(BYTE vk, bool up) { keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }
void Press(BYTE vk) {
    Key(vk, false);
    Key(vk, true);
}


// A character the keyboard layout has no key for is sent as itself, so a
// password is never typed with a character missing.
void Unicode(char c) {
    WCHAR w = 0;
    MultiByteToWideChar(CP_ACP, 0, &c, 1, &w, 1);
    INPUT in[2] = {};
    for (INPUT &i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = w;
        i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}
} // namespace

void AT_TypeChar(char c) {
    AT_KEYSTROKE strokes[AT_MAX_CHAR_STROKES];
    int n = AT_CharStrokes(VkKeyScanA(c), strokes);
    if (n == 0) {
        Unicode(c);
        return;
    }
    for (int i = 0; i < n; ++i)
        Key(strokes[i].vk, strokes[i].up != 0);
}

void AT_ClearField() {
    Press(AT_VK_HOME);
    Sleep(100);
    for (int i = 0; i < AT_CLEAR_DELETES; ++i)
        Press(AT_VK_DELETE);
}

void AT_SendTab() { Press(AT_VK_TAB); }

void AT_TypeText(const char *text) {
    for (const char *p = text; p && *p; ++p)
        AT_TypeChar(*p);
}
