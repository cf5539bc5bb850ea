#include "cli/cli_console.h"

#include "platform/platform.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <termios.h>
#include <unistd.h>
#else
#include <io.h>
#endif

int ConsoleUi::ShowMessage(const char *text, const char *caption, unsigned style) {
    lastMessage = text ? text : "";
    const unsigned buttons = style & 0x0F;
    const bool question = buttons != UI_MB_OK;
    const int yes = buttons == UI_MB_OKCANCEL ? UI_IDOK : UI_IDYES;
    const int no = buttons == UI_MB_OKCANCEL ? UI_IDCANCEL : UI_IDNO;
    const char *title = caption && *caption ? caption : "orvSafe";
    if (!question || confirm == CLI_CONFIRM_DEFAULT) {
        fprintf(stderr, "%s: %s\n", title, lastMessage.c_str());
        return UiPort::ShowMessage(text, caption, style);
    }
    if (confirm == CLI_CONFIRM_YES)
        return yes;
    if (!CLI_IsTerminal()) {
        fprintf(stderr, "%s: %s\norvsafe-cli: no one to answer at a terminal: nothing done (--force answers yes)\n",
                title, lastMessage.c_str());
        return no;
    }
    fprintf(stderr, "%s: %s [y/N] ", title, lastMessage.c_str());
    char answer[16] = {};
    if (!fgets(answer, sizeof answer, stdin))
        return no;
    return answer[0] == 'y' || answer[0] == 'Y' ? yes : no;
}

ConsoleUi::~ConsoleUi() { PL_SecureZero(password, sizeof password); }

int ConsoleUi::AskPassword(const char *, char *out, unsigned size) {
    if (!havePassword)
        return UI_IDCANCEL;
    snprintf(out, size, "%s", password);
    return UI_IDOK;
}

namespace {
// One line from an unbuffered stream into password, without its line end.
bool ReadLine(FILE *in, char *password, size_t size) {
    setvbuf(in, nullptr, _IONBF, 0);
    size_t n = 0;
    int c = 0;
    while ((c = fgetc(in)) != EOF && c != '\n')
        if (n + 1 < size)
            password[n++] = static_cast<char>(c);
    if (n > 0 && password[n - 1] == '\r')
        --n;
    password[n] = 0;
    return c != EOF || n > 0;
}
} // namespace

bool CLI_ReadPassword(const std::string &file, char *password, size_t size, const char *prompt) {
    if (!file.empty()) {
        FILE *in = fopen(file.c_str(), "rb");
        if (!in)
            return false;
        bool ok = ReadLine(in, password, size);
        fclose(in);
        return ok;
    }
#ifndef _WIN32
    // Typed at a terminal the password is not echoed.
    termios old{};
    bool tty = isatty(0) && tcgetattr(0, &old) == 0;
    if (tty) {
        fprintf(stderr, "%s", prompt);
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(0, TCSANOW, &quiet);
    }
    bool ok = ReadLine(stdin, password, size);
    if (tty) {
        tcsetattr(0, TCSANOW, &old);
        fprintf(stderr, "\n");
    }
    return ok;
#else
    (void)prompt; // the console echoes what is typed; no prompt promises otherwise
    return ReadLine(stdin, password, size);
#endif
}

bool CLI_IsTerminal() {
#ifndef _WIN32
    return isatty(0) != 0;
#else
    return _isatty(0) != 0;
#endif
}

bool CLI_ReadNewPassword(const std::string &file, char *password, char *confirm, size_t size) {
    if (!CLI_ReadPassword(file, password, size))
        return false;
    if (!file.empty() || !CLI_IsTerminal()) {
        snprintf(confirm, size, "%s", password);
        return true;
    }
    return CLI_ReadPassword(file, confirm, size, "Again: ");
}

std::string CLI_FolderOf(const std::string &path) {
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

bool CLI_ReadWholeFile(const std::string &path, std::string *data) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    *data = s.str();
    return true;
}
