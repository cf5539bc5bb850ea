// The text of a profile (INI) file held in memory, read and changed with the
// conventions of the Windows profile functions:
// - "[name]" opens a section (blanks around and inside the brackets do not count;
//   the name ends at the last "]" of the line), "key=value" holds a value, with
//   blanks around the key and the value not counting;
// - section and key names match without regard to case (A-Z only);
// - only the first section of a name counts, and in it the first line of a key;
// - a value enclosed in matching quotes (' or ") is read without them;
// - lines end with CR LF, LF or a lone CR; a UTF-8 byte order mark is skipped;
// - a line that is neither a section nor holds "=" is ignored by lookups.
// Changes touch only the bytes they must: a write replaces the value in place,
// a new key goes after the last key of its section, a new section at the end,
// both with the file's own line ending. Everything else stays byte for byte.
// No line length limit applies; the file may hold any bytes.
#pragma once

#include <cstdint>

struct INITEXT {
    char *lpText;      // the bytes of the file, not terminated
    uint32_t dwLength; // bytes in use
    uint32_t dwSize;   // bytes allocated
};

void IT_Init(INITEXT *t); // an empty text
void IT_Free(INITEXT *t);
// Takes a copy of the bytes; 0 or -1 (no memory).
int IT_Assign(INITEXT *t, const char *data, uint32_t length);

// Copies the value of a key into buf (at most size - 1 characters, always
// terminated) and answers the count stored; a missing key, an empty value and
// a bad name all give "" and 0.
uint32_t IT_GetValue(const INITEXT *t, const char *section, const char *key, char *buf, uint32_t size);

// Writes a value, creating the section or the key as needed. A value is cut at
// its first line break. A null value removes the key's line, a null key the
// whole section. -1 when a name cannot be written (empty, holding a line break,
// a key holding "=" or starting with "[") or memory ran out; nothing changes then.
int IT_PutValue(INITEXT *t, const char *section, const char *key, const char *value);

// Copies a whole section as "key=value" strings (blanks around both removed),
// each ended by a zero byte, the sequence ended by a second zero byte; lines
// without "=" come as they stand, blank lines and ";" comments are left out.
// Only whole strings are stored: one that does not fit ends the copy. Answers
// the bytes stored without the closing zero; "" (two zero bytes) and 0 for a
// missing or empty section.
uint32_t IT_GetSection(const INITEXT *t, const char *section, char *buf, uint32_t size);

// Replaces the keys of a section by data of the same form (ended by an empty
// string); lines and comments of the old section go, blank lines after its last
// line stay. Strings without "=" and strings starting with "[" are left out; a
// string is cut at its first line break. The section is created when missing
// (not for empty data); null data removes the section. 0 or -1 as IT_PutValue.
int IT_PutSection(INITEXT *t, const char *section, const char *data);
