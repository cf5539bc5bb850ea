#include "tools/auto_type_keys.h"

int AT_CharStrokes(int16_t vkScan, AT_KEYSTROKE out[AT_MAX_CHAR_STROKES]) {
    if (vkScan == -1)
        return 0;
    const uint16_t scan = static_cast<uint16_t>(vkScan);
    uint8_t mods[3];
    int nMods = 0;
    if (scan & 0x100)
        mods[nMods++] = AT_VK_SHIFT;
    if (scan & 0x400)
        mods[nMods++] = AT_VK_MENU;
    if (scan & 0x200)
        mods[nMods++] = AT_VK_CONTROL;
    int n = 0;
    for (int i = 0; i < nMods; ++i)
        out[n++] = {mods[i], 0};
    out[n++] = {static_cast<uint8_t>(scan & 0xFF), 0};
    out[n++] = {static_cast<uint8_t>(scan & 0xFF), 1};
    for (int i = 0; i < nMods; ++i)
        out[n++] = {mods[i], 1};
    return n;
}

int16_t AT_UsLayoutScan(char c) {
    const int16_t shift = 0x100;
    if (c >= 'a' && c <= 'z')
        return static_cast<int16_t>('A' + (c - 'a'));
    if (c >= 'A' && c <= 'Z')
        return static_cast<int16_t>(shift | c);
    if (c >= '0' && c <= '9')
        return c;
    // The digit row's shifted characters, then the punctuation keys (OEM keys).
    static const char kDigitShift[] = ")!@#$%^&*(";
    for (int i = 0; i < 10; ++i)
        if (c == kDigitShift[i])
            return static_cast<int16_t>(shift | ('0' + i));
    static const struct {
        char plain, shifted;
        uint8_t vk;
    } kOem[] = {
        {';', ':', 0xBA}, {'=', '+', 0xBB}, {',', '<', 0xBC}, {'-', '_', 0xBD}, {'.', '>', 0xBE},
        {'/', '?', 0xBF}, {'`', '~', 0xC0}, {'[', '{', 0xDB}, {'\\', '|', 0xDC}, {']', '}', 0xDD},
        {'\'', '"', 0xDE},
    };
    for (const auto &k : kOem) {
        if (c == k.plain)
            return k.vk;
        if (c == k.shifted)
            return static_cast<int16_t>(shift | k.vk);
    }
    switch (c) {
    case ' ': return 0x20;
    case '\t': return 0x09;
    case '\r': return 0x0D;
    case '\n': return static_cast<int16_t>(0x200 | 0x0D); // Ctrl+Enter, as the US layout maps a line feed
    case '\b': return 0x08;
    case 27: return 0x1B;
    default: return -1;
    }
}
