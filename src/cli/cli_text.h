// Texts between the terminal and the safe. What the user types or gives on the
// command line comes in the terminal's encoding and becomes the Windows-1252 a
// safe holds; what the companion prints goes back the other way, its control
// characters escaped, so that no text in a safe can steer the terminal.
#pragma once

#include "platform/platform.h"

#include <string>

// The Windows-1252 text of len bytes from the terminal (an argument: argv[index]),
// made without copies left behind. false after saying what cannot be taken; what
// names the text in that message ("the password" keeps a secret out of it),
// nullptr quotes the text itself.
bool CLI_FromTerminal(PL_TERMINAL_TEXT kind, int index, const char *bytes, size_t len, std::string *text,
                      const char *what = nullptr);

// A safe text as the terminal shows it: control characters as \t, \n, \r or
// \xHH, a character the terminal's encoding lacks as \uHHHH. As a field of a
// listing (quoted) such a text stands in double quotes with \ and " escaped,
// so that it reads back unambiguously; any other text is shown as it is.
std::string CLI_Shown(const std::string &text, bool quoted = true);
