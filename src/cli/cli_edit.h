// The commands that make and change a safe from a terminal, through the same
// core operations as the windows, with their rules and messages. Each answers
// the exit code: 0 done, 1 refused or failed (the safe on disk unchanged),
// 2 a usage error or a name that matches no folder or card, or more than one.
#pragma once

#include "cli/cli_args.h"
#include "cli/cli_console.h"

int CLI_Create(const Args &a, ConsoleUi &ui);
int CLI_Mkdir(const Args &a, ConsoleUi &ui);
int CLI_Templates(const Args &a, ConsoleUi &ui);
int CLI_Add(const Args &a, ConsoleUi &ui);
int CLI_Edit(const Args &a, ConsoleUi &ui);
int CLI_Move(const Args &a, ConsoleUi &ui);
int CLI_Remove(const Args &a, ConsoleUi &ui);
int CLI_RemoveFolder(const Args &a, ConsoleUi &ui);
int CLI_Show(const Args &a, ConsoleUi &ui);
int CLI_Generate(const Args &a, ConsoleUi &ui);
int CLI_Passwd(const Args &a, ConsoleUi &ui);
