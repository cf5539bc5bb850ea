// Moving entries in from other password managers' files and out to them.
// Exit codes as the other commands: 0 done, 1 refused or failed (the safe on
// disk unchanged), 2 a usage error.
#pragma once

#include "cli/cli_args.h"
#include "cli/cli_console.h"

int CLI_ImportFrom(const Args &a, ConsoleUi &ui);
int CLI_ExportTo(const Args &a, ConsoleUi &ui);
