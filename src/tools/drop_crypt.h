// Encrypting what the user drops, and decrypting what the user selects in the
// drop window, in place under the active safe's password. Every item encrypted
// is entered in the droplist with the attributes it had, and the drop file is
// written after every change; decrypting gives the attributes back.
#pragma once

#include <cstdint>

// Below this size a single file is processed without the progress window.
#define DW_PROGRESS_MIN_SIZE 20000u
#define DW_PROGRESS_STEPS 50

// A completed drop: the dropped paths in the order the shell gave them (the
// window layer takes them from the drop and releases it afterwards). Asks first;
// 0 when the paths were handled, -1 when refused (no password) or cancelled.
[[nodiscard]] int DW_CryptFiles(const char *const *paths, uint32_t count);
// The selected items of the drop window's list: asks first, then decrypts each
// (a dropped folder with everything in it) and removes its entries. 0, or -1 when cancelled.
[[nodiscard]] int DW_DecryptSelection(const char *const *paths, uint32_t count);

// The walks over a folder; top 1 for the folder the user dropped or selected.
// Junctions and symbolic links inside it are passed over (logged "DW03").
void DW_CryptFolder(const char *path, int top);
void DW_DecryptFolder(const char *path, int top);
// Bytes of the files below a folder that a walk would encrypt (not read-only,
// system, temporary or offline, nor behind a link); 0 when the folder cannot be read.
uint32_t DW_GetFolderSize(const char *path);

// The progress window: opened for a file only from DW_PROGRESS_MIN_SIZE bytes
// unless forced; one step of its bar; closed if it is open.
void DW_OpenProgress(const char *text, int force);
void DW_StepProgress();
void DW_CloseProgress();
