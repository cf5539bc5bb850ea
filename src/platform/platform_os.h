// What each system's side of the seam supplies to the shared part (common.cpp).
#pragma once
#include "platform/platform.h"

void PL_OsGetLocalTime(PL_SYSTEMTIME *st);
uint32_t PL_OsGetTickCount();

// The system's desktop (see PL_SetDesktop).
int PL_OsDesktopOpen(int *failure);
void PL_OsDesktopClose();
int PL_OsDesktopItemCount();
int PL_OsDesktopItemText(int item, char *buf, uint32_t size);
int PL_OsDesktopGetItemPosition(int item, int32_t *x, int32_t *y);
int PL_OsDesktopSetItemPosition(int item, int32_t x, int32_t y);
void PL_OsGetScreenSize(uint32_t *width, uint32_t *height);
