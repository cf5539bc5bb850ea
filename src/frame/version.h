// The program's version: 1.13.0, printed as 1.13.000 at the head of log lines.
#pragma once

#define PGM_VERSION_MAJOR 1
#define PGM_VERSION_MINOR 13
#define PGM_VERSION_BUILD 0
#define PGM_VERSION_TEXT "1.13.0"
