// The autostart entry: a text value "orvSafe" under the Run key that makes
// Windows start the program at log-on, holding "<dir>\orvSafe.exe <dir>".
// The machine-wide key comes first; a user without the rights to write it gets
// the same value under his own Run key instead. Registry failures are logged;
// the user hears only when neither key could be written.
#pragma once

#define RG_RUN_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define RG_RUN_VALUE "orvSafe"

// Writes the value (over an old one); 0, or -1 when neither key took it.
[[nodiscard]] int RG_CreateRunEntry();
// Removes the value from both keys where it is; 0, or -1 when one stayed.
[[nodiscard]] int RG_DeleteRunEntry();
// 1 when either key holds the value, else 0.
int RG_HasRunEntry();
