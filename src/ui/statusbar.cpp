// Placeholder status bar until it is built.
#include "ui/statusbar.h"

void SB_LayoutMain() {}
void SB_SetText(const char *, int, int) {}
void SB_ShowMode(const char *) {}
void SB_ShowCounts() {}
