#include "cli/orvsafe_cli.h"

#include <clocale>

int main(int argc, char **argv) {
    // The terminal's texts are in the encoding of the user's locale.
    setlocale(LC_CTYPE, "");
    return CLI_Main(argc, argv);
}
