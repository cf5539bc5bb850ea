// What each system's side of the seam supplies to the shared part (common.cpp),
// and what the fault counters (faults.cpp) answer it.
#pragma once
#include "platform/platform.h"

// Counts a call of that kind; answers the error it must fail with, or 0.
// PL_Faulted of each system sets that error as the last one.
uint32_t PL_FaultHit(PL_FAULT kind);

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

// The system's shell, registry, sound and notification icon (see PL_SetShell).
int PL_OsShellOpen(const char *target, const char *parameters, const char *directory);
int PL_OsRegOpenKey(PL_REG_ROOT root, const char *path, PL_REG_ACCESS access, PL_REGKEY *key);
void PL_OsRegCloseKey(PL_REGKEY key);
int PL_OsRegGetString(PL_REGKEY key, const char *name, char *buf, uint32_t size);
int PL_OsRegSetString(PL_REGKEY key, const char *name, const char *value);
int PL_OsRegDeleteValue(PL_REGKEY key, const char *name);
int PL_OsPlaySound(const char *path);
int PL_OsTrayIcon(PL_TRAY_ACTION action, const PL_TRAY_ICON *icon);
