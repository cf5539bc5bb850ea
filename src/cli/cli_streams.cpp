#include "cli/cli_streams.h"

namespace {
FILE *g_in = nullptr, *g_out = nullptr, *g_err = nullptr;
} // namespace

void CLI_SetStreams(FILE *in, FILE *out, FILE *err) {
    g_in = in;
    g_out = out;
    g_err = err;
}
FILE *CLI_In() { return g_in ? g_in : stdin; }
FILE *CLI_Out() { return g_out ? g_out : stdout; }
FILE *CLI_Err() { return g_err ? g_err : stderr; }
