// The recovery copy: after every completed change the open safe is written,
// enveloped as the safe itself, to NAME.saf.~rec beside it, so a crash or a
// killed program loses nothing. A normal close and the end of the program
// remove it; a copy found newer than its safe is offered back when it opens.
#pragma once

#define SW_RECOVERY_SUFFIX ".~rec"

// The copy's path for a safe's path; 0, or -1 when it does not fit size.
[[nodiscard]] int SW_RecoveryPath(const char *safePath, char *out, unsigned size);

// Called when the program is idle after a message: writes the copy when the
// open safe differs from what was last written or read. 0, or -1 after the
// user was told (the safe itself is never touched).
[[nodiscard]] int SW_KeepRecoveryCopy();
// The open safe as it is now counts as written (after opening or saving it).
void SW_RecoveryBaseline();
// Removes the active safe's copy: the safe was closed as the user asked.
void SW_RemoveRecoveryCopy();

// Before the safe at path is read: 1 when its copy is newer and the user
// chose to restore it (read the copy instead), 0 otherwise (a refused copy
// is removed).
int SW_RecoveryOffer(const char *path);
// After the copy was read in place of the safe: the active safe becomes the
// safe's own file again, with the copy's contents. 0, or -1 when the safe's
// file cannot be opened (told).
[[nodiscard]] int SW_RecoveryAdopt(const char *path);
