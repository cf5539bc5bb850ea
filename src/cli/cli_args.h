// The command line of the terminal companion: positional words, options with
// and without a value, and the repeated ones (--field).
#pragma once

#include <map>
#include <string>
#include <vector>

struct Args {
    std::string command;
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // --name -> value ("" for switches)
    std::vector<std::string> fields;            // each --field, in order
    bool help = false;                          // --help after the command
};

// What a command answers when its words do not fit its usage: the usage is
// printed and the exit code is 2.
enum { CLI_BAD_USAGE = -2 };

// false (after saying why, where there is more to say than the usage) when an
// option is unknown or lacks its value.
bool CLI_ParseArgs(int argc, char **argv, Args *a);
bool CLI_Has(const Args &a, const char *option);
