// Encrypting and decrypting one whole file in place under the safe's password.
// The work goes into a temporary file made new beside it ("<path>.cks", or
// "<path>.1.cks" and on when that name is taken), which replaces the file only
// when it is complete and flushed; on any failure the file is left as it was
// and the temporary file is removed. A file the program did not make is never
// touched.
#pragma once

#include "crypto/data_envelope.h" // NPWYESNO_YES

#define CKS_SUFFIX ".cks"

// The names are the program's old ones and read backwards: docryptMyFile
// ENCRYPTS the file (envelopes it under the password, NPWYESNO_YES, or only
// wraps it), doencryptMyFile DECRYPTS it (opens the envelope). The last two
// arguments say whether the open progress window's bar follows the file, and
// whether the run is the program's own (no file name in the progress window, no
// crypt log line). 0, or -1 with the reason logged (and shown where the user
// must know it); the file is then as it was.
enum : int { CY_NO_PROGRESS_BAR = 0, CY_PROGRESS_BAR = 1 };
enum : int { CY_LOGGED = 0, CY_QUIET = 1 };
[[nodiscard]] int docryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet);
[[nodiscard]] int doencryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet);
