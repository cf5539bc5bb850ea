// The user icons folders and cards can wear: every "*.ico" of the program
// directory's "Icons" folder, loaded once at start.
#pragma once

#include <windows.h>

#include <cstdint>

struct ICONREC {
    char name[260]; // the file name as found, extension included (what cIconName holds)
    HICON icon;     // the first icon of the file
    int32_t image;  // its index in the tree's image list minus the icon base
    ICONREC *next;
};

struct ICONLIST {
    ICONREC *lpICONstart;
    int nIconCount;
};
extern ICONLIST IconList;

void IC_LoadIcons();
// The stored image index of the icon named exactly so, or -1.
int IC_GetImageIndex(const char *name);
HICON IC_GetIcon(const char *name);
void IC_FreeIcons();
