// Skins. The skin library is not available to this program, so every call is
// a no-op that traces as the library's wrapper would; the setting Skinfile and
// the "skins" folder of the program directory (files "*.smf") are kept.
#pragma once

#include "ui/ui_globals.h"

#define SK_SKIN_FOLDER "skins"
#define SK_SKIN_PATTERN "*.smf"
#define SK_MAIN_SKIN "MainFrame"
#define SK_DIALOG_SKIN "Dialog"

void SK_InitLib();
// An empty path removes the skin; otherwise loads it (and applies it with applyNow).
void SK_LoadSkin(const char *path, BOOL applyNow);
void SK_SetWindowSkin(HWND hWnd, const char *skinName);
void SK_SetDialogSkin(const char *skinName);
void SK_RemoveWindowSkin(HWND hWnd);
void SK_RemoveDialogSkin();
void SK_ExitLib();
