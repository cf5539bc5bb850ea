// The terminal's streams: standard input, output and error, unless others are
// given (a test's files); nullptr gives the standard one again.
#pragma once

#include <cstdio>

void CLI_SetStreams(FILE *in, FILE *out, FILE *err);
FILE *CLI_In();
FILE *CLI_Out();
FILE *CLI_Err();
