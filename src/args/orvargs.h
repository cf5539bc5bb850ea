// orvArgs: turns a TAB-separated command line into an exit code that tells
// whether its first field has at least four characters.
#pragma once

#define ARGS_FIELDS 6
#define ARGS_FIELD_LEN 256        // characters per field
#define ARGS_MAX_CMDLINE 1023     // characters of the command line looked at
#define ARGS_EXIT_LONG 94431      // 0x170DF: the first field has 4 or more characters
#define ARGS_EMPTY_FIELD "<Leer>"

struct ARGS_FIELDTAB {
    char field[ARGS_FIELDS][ARGS_FIELD_LEN + 1];
};

// Splits the command line (what follows the program's name) into the six fields.
void ARGS_SplitFields(const char *cmdLine, ARGS_FIELDTAB *fields);
// The exit code for a command line: 94431 or 0.
int ARGS_GetExitCode(const char *cmdLine);
