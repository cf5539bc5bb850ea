// The open-file dialogs other windows use: a program for a PROGRAMM field, a
// skin or a sound for the options.
#pragma once

#include <windows.h>

// "select program": path in (the initial name, buffer of MAX_PATH) and out;
// answers what GetOpenFileNameA answers (non-zero when a program was chosen).
BOOL TR_SelectProgram(HWND hOwner, char *path, const char *initialDir);
// "Select file": path out (buffer of MAX_PATH), the chooser opened in initialDir
// with filter ("name\0pattern\0\0"); the current directory stays as it was.
BOOL TR_SelectFile(HWND hOwner, char *path, const char *initialDir, const char *filter);
