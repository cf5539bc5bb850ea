// The Win32 side of the seam's registry, as the autostart entry will use it.
#include "platform/platform.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(ShellSeam, ARegistryTextIsStoredReadBackAndDeleted) {
    const char path[] = "Software\\orvSafe test";
    const char value[] = "C:\\orv\\orvSafe.exe C:\\orv";
    PL_REGKEY key = nullptr;
    EXPECT_EQ(PL_RegOpenKey(PL_REG_CURRENT_USER, path, PL_REG_WRITE, &key), -1) << "not there yet";
    EXPECT_EQ(key, nullptr);
    ASSERT_EQ(PL_RegOpenKey(PL_REG_CURRENT_USER, path, PL_REG_CREATE, &key), 0);
    EXPECT_EQ(PL_RegSetString(key, "orvSafe", value), 0);

    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &raw), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(raw, "orvSafe", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << "a text the system itself reads";
    RegCloseKey(raw);

    char text[259];
    EXPECT_EQ(PL_RegGetString(key, "orvSafe", text, sizeof text), 0);
    EXPECT_STREQ(text, value);
    EXPECT_EQ(PL_RegDeleteValue(key, "orvSafe"), 0);
    EXPECT_EQ(PL_RegGetString(key, "orvSafe", text, sizeof text), -1);
    EXPECT_EQ(PL_RegDeleteValue(key, "orvSafe"), -1) << "nothing left to delete";
    PL_RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}
