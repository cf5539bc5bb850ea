// The "About" box (dialog 184): program icon, name and version, and the link
// to the program's web page.
#pragma once

#include "ui/ui_globals.h"

#define AB_WEB_ADDRESS "https://orvsafe.example.org"
#define AB_WEB_TEXT "orvsafe.example.org" // shown without the scheme

// The version line, "orvSafe Version: 1.13.0".
void AB_VersionLine(char *buf, size_t size);
void AB_ShowAboutBox();
INT_PTR CALLBACK AB_AboutDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
