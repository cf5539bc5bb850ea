// What the terminal companion shares between its commands: the lines it reads
// (passwords, values typed without echo), messages on standard error, the
// program directory.
#pragma once

#include "cli/cli_streams.h"
#include "platform/uiport.h"
#include "store/safe_state.h"

#include <cstdio>
#include <string>

// A password holds at most SAFE_PASSWORD_MAX characters, as the program's
// password fields hand them over.
enum { CLI_PASSWORD_SIZE = SAFE_PASSWORD_MAX + 1 };

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

// One line of FILE, else of standard input, where a person types it without
// echo after prompt; taken in the terminal's encoding and put into text (size
// bytes) in Windows-1252, byte by byte, so that no buffer on the way keeps a
// copy. Answers its length, or -1 after saying why: no line, or a line that is
// no text a safe holds or longer than size - 1 characters (what names it).
int CLI_ReadSecret(const std::string &file, const char *prompt, const char *what, char *text, size_t size);
// The password of a safe or a file: not empty, at most SAFE_PASSWORD_MAX
// characters. false after saying why.
bool CLI_ReadPassword(const std::string &file, char *password, const char *prompt = "Password: ");
// A new password: from FILE once, else from standard input, typed twice at a
// terminal (confirm then holds the second, for the caller's check and wipe).
// false after saying why.
bool CLI_ReadNewPassword(const std::string &file, char *password, char *confirm);
// Whether standard input is a terminal a person types at.
bool CLI_IsTerminal();
// The folder part of a path ("." when there is none).
std::string CLI_FolderOf(const std::string &path);
// Reads a whole file; false when it cannot be read.
bool CLI_ReadWholeFile(const std::string &path, std::string *data);
