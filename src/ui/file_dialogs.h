// The open-file dialogs other windows use: a program for a PROGRAMM field.
#pragma once

#include <windows.h>

// "select program": path in (the initial name, buffer of MAX_PATH) and out;
// answers what GetOpenFileNameA answers (non-zero when a program was chosen).
BOOL TR_SelectProgram(HWND hOwner, char *path, const char *initialDir);
