// The portable steps of the program's start.
#pragma once

#define MUTEX_NAME "ORVSAFE" // one running instance

// The program directory: the current directory, or the whole command line when
// one is given (taken as it stands: no parsing, no quotes removed).
void MA_SetProgramDir(const char *cmdLine);
