// The folder templates the program ships: a web login, an e-mail account, a
// bank account, a credit card, a software licence, a program with its start
// path and a Wi-Fi network. The text is compiled in, byte for byte the file
// dist/orvtemplate.ini that is copied beside the program.
#pragma once

extern const char TW_DefaultTemplates[];

// Writes the shipped templates as "orvtemplate.ini" into the program directory
// when there is no such file (called at start-up). 0 when the file is there
// afterwards, -1 when it could not be written (logged).
[[nodiscard]] int TW_InstallDefaultTemplates();
