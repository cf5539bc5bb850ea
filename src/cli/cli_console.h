// What the terminal companion shares between its commands: the password from
// standard input or a file, messages on standard error, the program directory.
#pragma once

#include "platform/uiport.h"

#include <string>

// The longest password taken, as the envelopes take it.
enum { CLI_PASSWORD_SIZE = 256 };

// How a question of the program ("delete card [%s] ?") is answered: with its
// default button, yes at once (--force), or by the user at a terminal (no one
// there: no).
enum CLI_CONFIRM { CLI_CONFIRM_DEFAULT, CLI_CONFIRM_YES, CLI_CONFIRM_ASK };

// The program's message boxes become lines on standard error; a question is
// answered as `confirm` says. The password prompt is answered with the
// password the command was given, which the destructor wipes.
class ConsoleUi : public UiPort {
  public:
    ~ConsoleUi() override;
    int ShowMessage(const char *text, const char *caption, unsigned style) override;
    int AskPassword(const char *safeName, char *password, unsigned size) override;
    CLI_CONFIRM confirm = CLI_CONFIRM_DEFAULT;
    char password[CLI_PASSWORD_SIZE] = {};
    bool havePassword = false;
    std::string lastMessage;
};

// Reads the password: the first line of FILE, or of standard input when FILE
// is empty, byte by byte into password (size bytes), so that no buffer on the
// way keeps a copy; a longer line is cut. Never from the command line. false
// when none could be read.
bool CLI_ReadPassword(const std::string &file, char *password, size_t size, const char *prompt = "Password: ");
// A new password: from FILE once, else from standard input, typed twice at a
// terminal. false when none could be read or the two differ (confirm then
// holds the second, for the caller's check and wipe).
bool CLI_ReadNewPassword(const std::string &file, char *password, char *confirm, size_t size);
// Whether standard input is a terminal a person types at.
bool CLI_IsTerminal();
// The folder part of a path ("." when there is none).
std::string CLI_FolderOf(const std::string &path);
// Reads a whole file; false when it cannot be read.
bool CLI_ReadWholeFile(const std::string &path, std::string *data);
