// The two sets of safe state: the working copy a safe is read into, and the
// active safe the program shows and edits. One safe at most is active.
#pragma once

#include "platform/platform.h"
#include "store/safe_format.h"

#define SAFE_PATH_SIZE 261
#define SAFE_PASSWORD_SIZE 33 // up to 32 characters and the zero
#define SAFE_PASSWORD_MAX 31  // what the password fields hand over
typedef char SAFE_PASSWORD[SAFE_PASSWORD_SIZE];

// Working copy: filled by the reader.
extern PL_HANDLE tmpSafe;
extern char cTmpSafePath[SAFE_PATH_SIZE];
extern SAFEHEADER TmpSafeHeader;
extern SAFECONTROL TmpSafeControl;
extern SAFE_PASSWORD &cTmpPasswort; // in secure memory

// Active safe: written by the writer; its file stays open (shared for reading).
extern PL_HANDLE hmySafe;
extern char cActSafePath[SAFE_PATH_SIZE];
extern SAFEHEADER ActSafeHeader;
extern SAFECONTROL ActSafeControl;
extern SAFE_PASSWORD &cActPasswort; // in secure memory

// The state above is changed only through these functions.
// Makes file the active safe's open file (nullptr: none) and hands back the one
// held before, still open.
PL_HANDLE SW_SwapActiveFile(PL_HANDLE file);
// Makes file the active safe's open file, closing the one held before.
void SW_SetActiveFile(PL_HANDLE file);
// Makes file the working copy's open file, closing the one held before.
void SW_SetWorkFile(PL_HANDLE file);
// Closes the active safe's file; the rest of the active safe stays.
void SW_DeactivateSafe();
// Moves the working copy into the active safe (file, header, control block, path,
// password) and empties the working copy.
void SW_ActivateWorkCopy();
// Closes the working copy's file and empties it, its password wiped.
void SW_ResetWorkCopy();
// Both sets back to nothing: files closed, paths and records empty, passwords wiped.
void SW_ResetSafeState();

// Sets a password buffer from a text (cut to 31 characters), wiping what it held.
void SW_SetPassword(char *buffer, const char *password);
// Wipes a password buffer.
void SW_ClearPassword(char *buffer);
