#include "config/winpos.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "frame/logs.h"

#include <cstdio>
#include <cstring>

int32_t IW_NextNumber(char *text) {
    char number[IW_NUMBER_SIZE];
    char *comma = strchr(text, ',');
    size_t len = comma ? static_cast<size_t>(comma - text) : strlen(text);
    size_t take = len < sizeof number - 1 ? len : sizeof number - 1;
    memcpy(number, text, take);
    number[take] = 0;
    if (comma)
        memmove(text, comma + 1, strlen(comma + 1) + 1);
    else
        text[0] = 0;
    return II_ParseInt(number);
}

int IW_GetWindowRect(UI_RECT *rect, const char *key, int asSize) {
    char text[II_VALUE_SIZE];
    if (II_GetString(II_SECTION_SETTINGS, key, text, INI_FILE_SETTINGS) == 0)
        return -1;
    rect->left = IW_NextNumber(text);
    rect->top = IW_NextNumber(text);
    rect->right = IW_NextNumber(text);
    rect->bottom = IW_NextNumber(text);
    if (asSize) {
        rect->right = static_cast<int32_t>(static_cast<uint32_t>(rect->right) - static_cast<uint32_t>(rect->left));
        rect->bottom = static_cast<int32_t>(static_cast<uint32_t>(rect->bottom) - static_cast<uint32_t>(rect->top));
    }
    return 0;
}

namespace {
int SaveRect(UI_WINDOW window, const char *key) {
    UI_RECT r;
    if (UI_GetWindowRect(window, &r) != 0)
        return -1;
    char text[64];
    snprintf(text, sizeof text, "%d,%d,%d,%d", static_cast<int>(r.left), static_cast<int>(r.top),
             static_cast<int>(r.right), static_cast<int>(r.bottom));
    II_PutString(II_SECTION_SETTINGS, key, text, INI_FILE_SETTINGS);
    return 0;
}
} // namespace

int IW_SaveWindowPositions() {
    int rc = SaveRect(UI_WND_MAIN, "MainWindow");
    if (rc == 0) {
        II_PutInt(II_SECTION_SETTINGS, "SplitBar", UI_GetSplitPosition());
        rc = SaveRect(UI_WND_DROP, "DropWindow");
    }
    if (rc == 0)
        rc = SaveRect(UI_WND_SEARCH, "SearchWindow");
    if (rc != 0)
        ML_WriteLog("IW01", "error saving current window position", 0);
    return rc;
}
