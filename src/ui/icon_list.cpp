#include "ui/icon_list.h"

#include "config/settings.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "ui/dpi.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

ICONLIST IconList;
static ICONREC *lpICONact = nullptr;

// The first icon of a file, at the size the tree shows (the file's best match).
static HICON LoadFirstIcon(const char *path) {
    const int size = DP_ImageSize(MainWindows.hWndLinks, Settings.IconSize > 0 ? Settings.IconSize : II_DEF_ICONSIZE);
    HICON icon = static_cast<HICON>(LoadImageA(nullptr, path, IMAGE_ICON, size, size, LR_LOADFROMFILE));
    if (!icon) {
        icon = ExtractIconA(GetModuleHandleA(nullptr), path, 0);
        if (reinterpret_cast<UINT_PTR>(icon) <= 1)
            icon = nullptr; // 1: not an icon file
    }
    return icon;
}

void IC_LoadIcons() {
    if (IconList.lpICONstart)
        return;
    char pattern[MAX_PATH + 16];
    snprintf(pattern, sizeof pattern, "%s\\Icons\\*.ico", szProgramDir);
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern, &found);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        ICONREC *rec = static_cast<ICONREC *>(T_Malloc("IC_M_00", sizeof(ICONREC)));
        snprintf(rec->name, sizeof rec->name, "%s", found.cFileName);
        char path[MAX_PATH + 300];
        snprintf(path, sizeof path, "%s\\Icons\\%s", szProgramDir, found.cFileName);
        rec->icon = LoadFirstIcon(path);
        rec->image = -1;
        rec->next = nullptr;
        if (lpICONact)
            lpICONact->next = rec;
        else
            IconList.lpICONstart = rec;
        lpICONact = rec;
        ++IconList.nIconCount;
    } while (FindNextFileA(h, &found));
    FindClose(h);
}

static ICONREC *Find(const char *name) {
    if (!name)
        return nullptr;
    for (ICONREC *r = IconList.lpICONstart; r; r = r->next)
        if (strcmp(r->name, name) == 0)
            return r;
    return nullptr;
}

int IC_GetImageIndex(const char *name) {
    ICONREC *r = Find(name);
    return r ? r->image : -1;
}

HICON IC_GetIcon(const char *name) {
    ICONREC *r = Find(name);
    return r ? r->icon : nullptr;
}

void IC_FreeIcons() {
    ICONREC *r = IconList.lpICONstart;
    while (r) {
        ICONREC *next = r->next;
        if (r->icon)
            DestroyIcon(r->icon);
        T_Free("IC_F_00", r);
        r = next;
    }
    IconList.lpICONstart = lpICONact = nullptr;
    IconList.nIconCount = 0;
}
