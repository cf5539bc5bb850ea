// The safe a command works on: read for looking at it, or opened as the
// program opens it before a change and written back as the program closes it.
#pragma once

#include "cli/cli_args.h"
#include "cli/cli_console.h"

#include <cstdint>
#include <string>

// The password for a safe that has one: from --password-file or standard input,
// read once per command. false after saying why.
bool CLI_GetPassword(const Args &a, ConsoleUi &ui);
// Fills the record lists from the safe at path, asking its password only when
// it has one. 0, or 1 after the reader or this said why.
int CLI_ReadSafe(const Args &a, ConsoleUi &ui, const std::string &path);
// The same, and the safe becomes the active one with its drop list, its file
// held open until CLI_SaveSafe.
int CLI_OpenSafe(const Args &a, ConsoleUi &ui, const std::string &path);
// Writes the active safe back as closing it in the program does: through a
// temporary file moved over it, with an automatic backup when the settings of
// --dir ask for one. Refused when another program changed the file since it
// was opened. 0, or 1 after the writer or this said why (the old file stays).
int CLI_SaveSafe();
// Writes the record lists as a new safe at path, as the program writes a safe,
// with the password given (checked against confirm) or none. Refused while a
// drop file lies there: its files were encrypted under the old safe's password.
// Unless it replaces a file, the name is claimed first (a file that appeared
// meanwhile stays) and a failed write leaves nothing behind. 0, or 1 after
// saying why.
int CLI_WriteNewSafe(const std::string &path, bool replace, const char *password, const char *confirm, bool without,
                     uint16_t reserved);
// The settings in dir, read as the program reads them but without writing the
// settings file; AutoBackup then installs the automatic backup of a save.
void CLI_ReadSettings(const std::string &dir);
// The core finds folders and cards by their tree items: the terminal's tree
// gives each record a handle and renews them whenever the core rebuilds it.
void CLI_UseTree();
void CLI_DropTree();
