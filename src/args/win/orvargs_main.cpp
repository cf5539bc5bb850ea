// orvArgs.exe: a window-less program; its only output is the exit code.
#include "args/orvargs.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) { return ARGS_GetExitCode(lpCmdLine); }
