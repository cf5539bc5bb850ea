#include "frame/startup.h"

#include "frame/logs.h"
#include "frame/trace.h"
#include "platform/platform.h"

#include <cstdio>

void MA_SetProgramDir(const char *cmdLine) {
    if (cmdLine && *cmdLine)
        snprintf(szProgramDir, sizeof szProgramDir, "%s", cmdLine);
    else if (PL_GetCurrentDirectory(szProgramDir, sizeof szProgramDir) != 0)
        szProgramDir[0] = 0;
    TRACE(TRACE_BASIC, "MA_B_00", "currentdir = %s", szProgramDir);
}
