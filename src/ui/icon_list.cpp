// Placeholder icon list until it is built.
#include "ui/icon_list.h"

ICONREC *lpICONstart = nullptr;
int nIconCount = 0;

void IC_LoadIcons() {}
int IC_GetImageIndex(const char *) { return -1; }
HICON IC_GetIcon(const char *) { return nullptr; }
void IC_FreeIcons() {}
