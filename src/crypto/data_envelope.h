// Enveloping a block of memory under the safe's password and opening it again.
// The envelope carries everything needed to open it (cipher, salt, key
// derivation); the program keeps nothing about the cipher itself.
#pragma once

#include <cstdint>

#define NPWYESNO_YES 1 // only this value means "use the password"

// An envelope made by docryptMyData: the caller writes it out and frees it
// with T_Free.
struct CRYPTRESULT {
    char *lpData;
    uint32_t nLength;
};

// What new envelopes are made with, given by the layer that owns the settings:
// the cipher (the setting's number, see CY_GetCryptAlgo) and whether files
// encrypted by docryptMyFile are written to the crypt log. The crypto layer never
// reads the settings itself; until a source is installed it uses AES and no log.
struct CY_OPTIONS {
    int32_t cryptAlgo;
    bool logCryptedFiles;
};
using CY_OptionsSource = CY_OPTIONS (*)();
void CY_SetOptionsSource(CY_OptionsSource source);
CY_OPTIONS CY_Options();

// Envelopes `length` bytes at `data` with the cipher of CY_Options(),
// under `password` when NPWYESNO is 1; without it the envelope only wraps the
// data. 0, or -1 after "Crypt failed" was shown.
[[nodiscard]] int docryptMyData(const void *data, uint32_t length, const char *password, int NPWYESNO, CRYPTRESULT *result);

// Opens the envelope of inputLength bytes at input into output (outputSize bytes,
// zeroed first). A password that is not empty says the data was enveloped under
// it: an envelope that does not ask for it is refused. The input block is always
// freed. 0, or -1 with the output all zero where nothing could be restored.
[[nodiscard]] int CY_DecryptData(void *output, uint32_t outputSize, const char *password, void *input, uint32_t inputLength);

// The cipher for the setting's value: 4, 8, 9 or 10; anything else is 8 (AES).
int CY_GetCryptAlgo(int32_t cryptAlgo);
