// Encrypting and decrypting one whole file in place under the safe's password.
// The work goes into a temporary file made new beside it ("<path>.cks", or
// "<path>.1.cks" and on when that name is taken), which replaces the file only
// when it is complete and flushed; on any failure the file is left as it was
// and the temporary file is removed. A file the program did not make is never
// touched.
#pragma once

#define CKS_SUFFIX ".cks"

// progress 1: drive the open progress window's bar; quiet 1: internal use (no
// file name in the progress window, no crypt log line). 0 or -1.
[[nodiscard]] int docryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet);
[[nodiscard]] int doencryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet);
