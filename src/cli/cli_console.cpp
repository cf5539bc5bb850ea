#include "cli/cli_console.h"

#include "platform/platform.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#ifndef _WIN32
#include <termios.h>
#include <unistd.h>
#endif

int ConsoleUi::ShowMessage(const char *text, const char *caption, unsigned style) {
    lastMessage = text ? text : "";
    fprintf(stderr, "%s: %s\n", caption && *caption ? caption : "orvSafe", lastMessage.c_str());
    return UiPort::ShowMessage(text, caption, style);
}

int ConsoleUi::AskPassword(const char *, char *out, unsigned size) {
    if (!havePassword)
        return UI_IDCANCEL;
    snprintf(out, size, "%s", password.c_str());
    return UI_IDOK;
}

bool CLI_ReadPassword(const std::string &file, std::string *password) {
    std::string line;
    if (!file.empty()) {
        std::ifstream in(file, std::ios::binary);
        if (!in || !std::getline(in, line))
            return false;
    } else {
#ifndef _WIN32
        // Typed at a terminal the password is not echoed.
        termios old{};
        bool tty = isatty(0) && tcgetattr(0, &old) == 0;
        if (tty) {
            fprintf(stderr, "Password: ");
            termios quiet = old;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            tcsetattr(0, TCSANOW, &quiet);
        }
        bool ok = static_cast<bool>(std::getline(std::cin, line));
        if (tty) {
            tcsetattr(0, TCSANOW, &old);
            fprintf(stderr, "\n");
        }
        if (!ok)
            return false;
#else
        if (!std::getline(std::cin, line))
            return false;
#endif
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    *password = line;
    PL_SecureZero(&line[0], line.size());
    return true;
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
