#include "cli/cli_console.h"

#include "cli/cli_text.h"
#include "platform/platform.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// One line of an unbuffered stream into raw (size bytes), without its line
// end; *cut when it was longer (the rest is read and dropped). false at the end
// of the stream without a line.
bool ReadLine(FILE *in, char *raw, size_t size, size_t *len, bool *cut) {
    setvbuf(in, nullptr, _IONBF, 0);
    size_t n = 0;
    int c = 0;
    *cut = false;
    while ((c = fgetc(in)) != EOF && c != '\n') {
        if (n + 1 < size)
            raw[n++] = static_cast<char>(c);
        else
            *cut = true;
    }
    if (n > 0 && raw[n - 1] == '\r')
        --n;
    raw[n] = 0;
    *len = n;
    return c != EOF || n > 0 || *cut;
}

// A password line: not empty (empty says why), at most SAFE_PASSWORD_MAX characters.
bool ReadPasswordLine(const std::string &file, char *password, const char *prompt, const char *empty) {
    int n = CLI_ReadSecret(file, prompt, "the password", password, CLI_PASSWORD_SIZE);
    if (n == 0)
        fprintf(CLI_Err(), "orvsafe-cli: the password is empty%s\n", empty);
    return n > 0;
}
} // namespace

int ConsoleUi::ShowMessage(const char *text, const char *caption, unsigned style) {
    lastMessage = text ? text : "";
    const unsigned buttons = style & 0x0F;
    const bool question = buttons != UI_MB_OK;
    const int yes = buttons == UI_MB_OKCANCEL ? UI_IDOK : UI_IDYES;
    const int no = buttons == UI_MB_OKCANCEL ? UI_IDCANCEL : UI_IDNO;
    const std::string title = CLI_Shown(caption && *caption ? caption : "orvSafe", false);
    const std::string shown = CLI_Shown(lastMessage, false);
    if (!question || confirm == CLI_CONFIRM_DEFAULT) {
        fprintf(CLI_Err(), "%s: %s\n", title.c_str(), shown.c_str());
        return UiPort::ShowMessage(text, caption, style);
    }
    if (confirm == CLI_CONFIRM_YES)
        return yes;
    if (!CLI_IsTerminal()) {
        fprintf(CLI_Err(), "%s: %s\norvsafe-cli: no one to answer at a terminal: nothing done (--force answers yes)\n",
                title.c_str(), shown.c_str());
        return no;
    }
    fprintf(CLI_Err(), "%s: %s [y/N] ", title.c_str(), shown.c_str());
    char answer[16] = {};
    if (!fgets(answer, sizeof answer, CLI_In()))
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

int CLI_ReadSecret(const std::string &file, const char *prompt, const char *what, char *text, size_t size) {
    FILE *in = file.empty() ? CLI_In() : fopen(file.c_str(), "rb");
    if (!in) {
        fprintf(CLI_Err(), "orvsafe-cli: cannot read %s\n", file.c_str());
        return -1;
    }
    // A character of the terminal takes at most four bytes.
    std::vector<char> raw(4 * size + 2);
    size_t len = 0;
    bool cut = false;
    const bool typed = file.empty() && CLI_IsTerminal();
    if (typed) {
        // The echo goes off before the prompt shows: whatever is typed once it is
        // there stays off the screen.
        const bool hidden = PL_SetInputEcho(false) == 0;
        fprintf(CLI_Err(), "%s%s", prompt, hidden ? "" : "(echo could not be switched off) ");
        fflush(CLI_Err());
    }
    bool got = ReadLine(in, raw.data(), raw.size(), &len, &cut);
    if (typed) {
        (void)PL_SetInputEcho(true); // back as it was; nothing more to do where it cannot be
        fprintf(CLI_Err(), "\n");
    }
    if (!file.empty())
        fclose(in);
    std::string converted;
    int rc = -1;
    if (!got)
        fprintf(CLI_Err(), "orvsafe-cli: %s could not be read\n", what);
    else if (CLI_FromTerminal(PL_TEXT_INPUT, 0, raw.data(), len, &converted, what)) {
        if (cut || converted.size() > size - 1)
            fprintf(CLI_Err(), "orvsafe-cli: %s is longer than %zu characters\n", what, size - 1);
        else {
            memcpy(text, converted.c_str(), converted.size() + 1);
            rc = static_cast<int>(converted.size());
        }
    }
    PL_SecureZero(raw.data(), raw.size());
    PL_SecureZero(&converted[0], converted.size());
    return rc;
}

bool CLI_ReadPassword(const std::string &file, char *password, const char *prompt) {
    return ReadPasswordLine(file, password, prompt, "");
}

bool CLI_IsTerminal() { return CLI_In() == stdin && PL_InputIsTerminal(); }

bool CLI_ReadNewPassword(const std::string &file, char *password, char *confirm) {
    if (!ReadPasswordLine(file, password, "Password: ", "; --no-password makes a safe without one"))
        return false;
    if (!file.empty() || !CLI_IsTerminal()) {
        memcpy(confirm, password, CLI_PASSWORD_SIZE);
        return true;
    }
    return CLI_ReadSecret(file, "Again: ", "the password", confirm, CLI_PASSWORD_SIZE) >= 0;
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
