// Where a message goes: the main window's accelerators, the keyboard of the
// modeless windows (Tab, Enter, Escape), or the ordinary translation and
// dispatch. The program's message loop and the pump of long work both route
// through here, so a modeless window keeps its keyboard during long work too.
#pragma once

#include <windows.h>

// The accelerator table of a window: keys pressed in it or its children become
// its commands. A null table or window switches them off.
void MA_SetAccelerators(HWND hWnd, HACCEL table);
// A modeless window whose controls the dialog manager moves through by keyboard;
// it is unregistered before it goes. Registering twice counts once.
void MA_RegisterModeless(HWND hWnd);
void MA_UnregisterModeless(HWND hWnd);

void MA_RouteMessage(MSG *msg);
