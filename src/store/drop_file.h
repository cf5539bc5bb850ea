// The drop file beside a safe ("<safe path>.df"): the droplist of that safe,
// stored as one envelope under the safe's password, hidden. It is opened in
// memory and written through a temporary file moved over it, so the list of the
// user's encrypted files never lies in clear on disk.
#pragma once

#include "store/safe_format.h"

#include <cstdint>

#define DROPFILE_SUFFIX ".df"
#define DROPFILE_HEADER_SIZE 20
#define DROPLIST_IMAGE_SIZE 280
#define DROPLIST_IMAGE_SIZE_V107 276 // versions before 1.8: no attributes
#define DROPFILE_MAJOR 1
#define DROPFILE_MINOR 8

// Writes the droplist of the active safe (an empty droplist removes the file).
// 0, or -1 after the user was told; -1 without a word while the safe's drop file
// is one that could not be read, which stays as it is.
[[nodiscard]] int SW_WriteDropList(const SAFEHEADER *header);

// Reads the drop file of the safe at safePath into the droplist. 0 also when
// there is no drop file (the droplist is then empty); -1 when it exists but
// could not be read (the file is left as it is and the user is told).
[[nodiscard]] int SW_ReadDropList(const char *safePath, const SAFEHEADER *header);
// What the last SW_ReadDropList found; SW_DROPFILE_NONE again when the safe closes.
enum SW_DROPFILE { SW_DROPFILE_READ, SW_DROPFILE_NONE, SW_DROPFILE_UNREADABLE };
SW_DROPFILE SW_DropFileFound();
// Forgets it: no drop file was read for the safe.
void SW_ForgetDropFileFound();

// Forms "<safe path>.df"; -1 when it does not fit.
[[nodiscard]] int SW_DropFilePath(const char *safePath, char *path, uint32_t size);
