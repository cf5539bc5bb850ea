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

// Sets a password buffer from a text (cut to 31 characters), wiping what it held.
void SW_SetPassword(char *buffer, const char *password);
// Wipes a password buffer.
void SW_ClearPassword(char *buffer);
