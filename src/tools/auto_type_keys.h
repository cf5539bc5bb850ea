// The key strokes auto-type sends: a character becomes its virtual key with the
// modifiers its keyboard layout needs (as VkKeyScanA answers: low byte the key,
// high byte 1 Shift, 2 Control, 4 Alt), pressed and released around it.
#pragma once

#include <cstdint>

// Virtual keys auto-type uses itself.
enum : uint8_t {
    AT_VK_TAB = 0x09,
    AT_VK_SHIFT = 0x10,
    AT_VK_CONTROL = 0x11,
    AT_VK_MENU = 0x12, // Alt
    AT_VK_HOME = 0x24,
    AT_VK_DELETE = 0x2E,
};

struct AT_KEYSTROKE {
    uint8_t vk;
    uint8_t up; // 1: release
};

#define AT_MAX_CHAR_STROKES 8
#define AT_CLEAR_DELETES 100 // Delete presses that clear a field after Home

// The strokes of one character from its layout answer: Shift, Alt, Control
// pressed as the answer asks (in this order), the key pressed and released, the
// modifiers released in the order pressed. Answers the count; 0 when the layout
// has no key for the character (the answer is -1).
int AT_CharStrokes(int16_t vkScan, AT_KEYSTROKE out[AT_MAX_CHAR_STROKES]);

// What VkKeyScanA answers for a character on the US keyboard layout; -1 for a
// character that layout cannot type.
int16_t AT_UsLayoutScan(char c);
