// The main window of orvSafe.
#pragma once

#include <windows.h>

#define MAIN_CLASS_NAME "orvSafe"
#define MAIN_WINDOW_TITLE "orvSafe"

extern HWND hWndMain;

// Registers the window class and creates the main window; FALSE when it cannot.
BOOL MA_InitInstance(HINSTANCE hInstance, int nCmdShow);
LRESULT CALLBACK MA_MainWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
