// Encrypting and decrypting one whole file in place under the safe's password.
// The work goes into a temporary file beside it ("<path>.cks"), which replaces
// the file only when it is complete and flushed; on any failure the file is
// left as it was and the temporary file is removed.
#pragma once

#define CKS_SUFFIX ".cks"

// progress 1: drive the open progress window's bar; quiet 1: internal use (no
// file name in the progress window, no crypt log line). 0 or -1.
[[nodiscard]] int docryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet);
[[nodiscard]] int doencryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet);
