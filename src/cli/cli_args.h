// The command line of the terminal companion: positional words, options with
// and without a value, and the repeated ones (--field). Words stay as the
// terminal gave them (paths are used so); a text for the safe is taken from
// them through CLI_*Text, with the word's place in argv.
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
    std::vector<int> positionalAt, fieldAt;     // the places of those words in argv
    std::map<std::string, int> optionAt;
};

// What a command answers when its words do not fit its usage: the usage is
// printed and the exit code is 2.
enum { CLI_BAD_USAGE = -2 };

// false (after saying why, where there is more to say than the usage) when an
// option is unknown or lacks its value.
bool CLI_ParseArgs(int argc, char **argv, Args *a);
bool CLI_Has(const Args &a, const char *option);
// A word as a safe text in Windows-1252: the n-th positional word, an option's
// value, the n-th --field. false after saying what no safe text can hold.
bool CLI_PositionalText(const Args &a, size_t n, std::string *text);
bool CLI_OptionText(const Args &a, const char *option, std::string *text);
bool CLI_FieldText(const Args &a, size_t n, std::string *text);
