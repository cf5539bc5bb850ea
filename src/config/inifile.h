// Reading and writing the program's INI files in the program directory: the
// settings file, the folder template file and the updater's hand-off script. Every call reads the file
// afresh; nothing is cached. A write builds the new file beside the old one and
// moves it over the old one, so a crash or a full disk never leaves half a file.
// A file that exists but cannot be read is never written over.
#pragma once

#include <cstdint>

enum {
    INI_FILE_SETTINGS = 0,  // nIniFileType: "orvsafe.ini"
    INI_FILE_TEMPLATES = 1, // "orvtemplate.ini"
    INI_FILE_UPDATE = 2,    // "udt_scr.ini", read by the separate updater
};
#define INI_NAME_SETTINGS "orvsafe.ini"
#define INI_NAME_TEMPLATES "orvtemplate.ini"
#define INI_NAME_UPDATE "udt_scr.ini"
#define II_VALUE_SIZE 260              // the callers' value buffers
#define II_MAX_FILE_SIZE (16u << 20)  // a larger file is taken as unreadable

// Full path of the selected file: the program directory, a backslash and the
// name. 0, or -1 for an unknown selector or a path too long for the buffer.
[[nodiscard]] int II_GetIniPath(int nIniFileType, char *path, uint32_t size);

// Reads one value into a buffer of II_VALUE_SIZE bytes; answers the characters
// stored, 0 for a missing key and an empty value alike.
uint32_t II_GetString(const char *section, const char *key, char *value, int nIniFileType);
// The same into a buffer of the size given (a longer value is cut).
uint32_t II_GetStringN(const char *section, const char *key, char *value, uint32_t size, int nIniFileType);

// Writes one value, creating the file, the section and the key as needed; a
// null value removes the key, a null key the section. Always answers 0: the
// program goes on with its value in memory, and a failed write is only logged.
int II_PutString(const char *section, const char *key, const char *value, int nIniFileType);

// Reads a whole section as "key=value" strings, each ended by a zero byte, the
// sequence ended by a second zero byte; answers the bytes stored without the
// closing zero. Only whole strings are stored (see IT_GetSection).
uint32_t RDmyini_section(const char *lpsection, char *buffer, uint32_t size, int nIniFileType);

// Replaces a whole section by data of the same form; empty data ("\0") leaves
// the section empty. 0, or -1 when the file could not be written (logged).
int II_PutSection(const char *section, const char *data, int nIniFileType);
