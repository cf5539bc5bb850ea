// orvsafe-cli: the terminal companion. Reads and writes safes and encrypts files
// with the program's own code. A password comes from standard input or from
// --password-file FILE, never from the command line.
#pragma once

// Runs one command line (argv as the program was started with it, in the
// terminal's encoding) with the streams of CLI_SetStreams. Answers the exit
// code: 0 done, 1 refused or failed, 2 a usage error or a name that matches
// none or several.
int CLI_Main(int argc, char **argv);
