#include "tools/auto_type_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// "S+ A+ A- S-": key names with + for a press and - for a release.
std::string Strokes(int16_t scan) {
    AT_KEYSTROKE s[AT_MAX_CHAR_STROKES];
    int n = AT_CharStrokes(scan, s);
    std::string out;
    for (int i = 0; i < n; ++i) {
        if (!out.empty())
            out += ' ';
        switch (s[i].vk) {
        case AT_VK_SHIFT: out += 'S'; break;
        case AT_VK_CONTROL: out += 'C'; break;
        case AT_VK_MENU: out += 'M'; break;
        default:
            if (s[i].vk >= '0' && s[i].vk <= 'Z')
                out += static_cast<char>(s[i].vk);
            else
                out += "#" + std::to_string(s[i].vk);
        }
        out += s[i].up ? '-' : '+';
    }
    return out;
}
} // namespace

TEST(AutoTypeKeys, ACapitalIsTypedWithShiftAroundIt) {
    EXPECT_EQ(Strokes(AT_UsLayoutScan('A')), "S+ A+ A- S-");
    EXPECT_EQ(Strokes(AT_UsLayoutScan('a')), "A+ A-");
    EXPECT_EQ(Strokes(AT_UsLayoutScan('7')), "7+ 7-");
    EXPECT_EQ(Strokes(AT_UsLayoutScan('@')), "S+ 2+ 2- S-");
}

TEST(AutoTypeKeys, ModifiersArePressedShiftAltControlAndReleasedInTheSameOrder) {
    EXPECT_EQ(Strokes(0x0741), "S+ M+ C+ A+ A- S- M- C-");
    EXPECT_EQ(Strokes(0x0641), "M+ C+ A+ A- M- C-");
    EXPECT_EQ(Strokes(0x0241), "C+ A+ A- C-");
}

TEST(AutoTypeKeys, ACharacterTheLayoutLacksTypesNothing) {
    AT_KEYSTROKE s[AT_MAX_CHAR_STROKES];
    EXPECT_EQ(AT_CharStrokes(-1, s), 0);
    EXPECT_EQ(AT_UsLayoutScan(static_cast<char>(0xE9)), -1);
}

TEST(AutoTypeKeys, TheUsLayoutTable) {
    EXPECT_EQ(AT_UsLayoutScan(' '), 0x20);
    EXPECT_EQ(AT_UsLayoutScan('z'), 0x5A);
    EXPECT_EQ(AT_UsLayoutScan('Z'), 0x15A);
    EXPECT_EQ(AT_UsLayoutScan('0'), 0x30);
    EXPECT_EQ(AT_UsLayoutScan(')'), 0x130);
    EXPECT_EQ(AT_UsLayoutScan('!'), 0x131);
    EXPECT_EQ(AT_UsLayoutScan(';'), 0xBA);
    EXPECT_EQ(AT_UsLayoutScan(':'), 0x1BA);
    EXPECT_EQ(AT_UsLayoutScan('.'), 0xBE);
    EXPECT_EQ(AT_UsLayoutScan('?'), 0x1BF);
    EXPECT_EQ(AT_UsLayoutScan('\\'), 0xDC);
    EXPECT_EQ(AT_UsLayoutScan('"'), 0x1DE);
    EXPECT_EQ(AT_UsLayoutScan('~'), 0x1C0);
    EXPECT_EQ(AT_UsLayoutScan('_'), 0x1BD);
}
