// Windows-1252, the code page of the program's windows and of every text a safe
// holds, as Unicode code points. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the code point of the same number, so
// every byte has a character and comes back unchanged.
#pragma once

// The code point of a byte.
unsigned CP_CodePointOfByte(unsigned char c);
// The byte of a code point, or -1 when Windows-1252 has none.
int CP_ByteOfCodePoint(unsigned cp);
