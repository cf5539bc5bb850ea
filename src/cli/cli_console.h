// What the terminal companion shares between its commands: the password from
// standard input or a file, messages on standard error, the program directory.
#pragma once

#include "platform/uiport.h"

#include <string>

// The longest password taken, as the envelopes take it.
enum { CLI_PASSWORD_SIZE = 256 };

// The program's message boxes become lines on standard error; a question is
// answered with its default button. The password prompt is answered with the
// password the command was given, which the destructor wipes.
class ConsoleUi : public UiPort {
  public:
    ~ConsoleUi() override;
    int ShowMessage(const char *text, const char *caption, unsigned style) override;
    int AskPassword(const char *safeName, char *password, unsigned size) override;
    char password[CLI_PASSWORD_SIZE] = {};
    bool havePassword = false;
    std::string lastMessage;
};

// Reads the password: the first line of FILE, or of standard input when FILE
// is empty, byte by byte into password (size bytes), so that no buffer on the
// way keeps a copy; a longer line is cut. Never from the command line. false
// when none could be read.
bool CLI_ReadPassword(const std::string &file, char *password, size_t size);
// The folder part of a path ("." when there is none).
std::string CLI_FolderOf(const std::string &path);
// Reads a whole file; false when it cannot be read.
bool CLI_ReadWholeFile(const std::string &path, std::string *data);
