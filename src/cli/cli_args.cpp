#include "cli/cli_args.h"

#include "cli/cli_streams.h"
#include "cli/cli_text.h"

#include <cstdio>

namespace {
const char *const kValued[] = {"--password-file", "--algo", "--dir", "--template", "--icon", "--length",
                                "--format", "--output"};
const char *const kSwitches[] = {"--no-password", "--force",          "--folders", "--cards",
                                 "--contents",    "--show-protected"};

bool OneOf(const std::string &s, const char *const *list, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (s == list[i])
            return true;
    return false;
}
} // namespace

bool CLI_ParseArgs(int argc, char **argv, Args *a) {
    a->command = argc > 1 ? argv[1] : "";
    for (int i = 2; i < argc; ++i) {
        std::string s = argv[i];
        if (s.rfind("--", 0) != 0) {
            a->positional.push_back(s);
            a->positionalAt.push_back(i);
        } else if (s == "--help" || s == "-h") {
            a->help = true;
        } else if (s == "--field") {
            if (i + 1 >= argc)
                return false;
            a->fields.push_back(argv[++i]);
            a->fieldAt.push_back(i);
        } else if (OneOf(s, kValued, sizeof kValued / sizeof *kValued)) {
            if (i + 1 >= argc)
                return false;
            a->options[s] = argv[++i];
            a->optionAt[s] = i;
        } else if (OneOf(s, kSwitches, sizeof kSwitches / sizeof *kSwitches)) {
            a->options[s] = "";
        } else if (s == "--password") {
            fprintf(CLI_Err(), "orvsafe-cli: passwords are never taken from the command line; use standard input or "
                            "--password-file\n");
            return false;
        } else {
            fprintf(CLI_Err(), "orvsafe-cli: unknown option %s\n", s.c_str());
            return false;
        }
    }
    return true;
}

bool CLI_Has(const Args &a, const char *option) { return a.options.count(option) > 0; }

namespace {
bool Text(const std::string &word, int at, std::string *text) {
    return CLI_FromTerminal(PL_TEXT_ARGUMENT, at, word.data(), word.size(), text);
}
} // namespace

bool CLI_PositionalText(const Args &a, size_t n, std::string *text) {
    return Text(a.positional.at(n), a.positionalAt.at(n), text);
}

bool CLI_OptionText(const Args &a, const char *option, std::string *text) {
    return Text(a.options.at(option), a.optionAt.at(option), text);
}

bool CLI_FieldText(const Args &a, size_t n, std::string *text) { return Text(a.fields.at(n), a.fieldAt.at(n), text); }
