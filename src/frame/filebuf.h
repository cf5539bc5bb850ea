// Buffered writing and reading over the seam's file handles: a file made of
// many small records moves to and from the disk in large blocks. Both keep
// T_WriteFile's and T_ReadFile's failure logging; the block is wiped when
// released, as it may hold texts in the clear.
#pragma once

#include "platform/platform.h"

#include <cstdint>

#define T_FILEBUF_BLOCK (256u * 1024u)

// Reads up to `size` bytes; answers how many arrived (fewer only at the end of
// the file or on a failed read).
uint32_t T_ReadUpTo(PL_HANDLE h, void *buffer, uint32_t size);

struct T_FILEWRITER {
    PL_HANDLE h = nullptr;
    char *block = nullptr;
    uint32_t length = 0;
    const char *code = ""; // of the last write put into the block, which names it in a failure
    bool failed = false;   // a block did not reach the file: every later write fails too
};
// Starts collecting writes for h; without memory for a block every write goes
// straight to the file.
void T_WriterBegin(T_FILEWRITER *w, PL_HANDLE h, const char *tag);
// Appends bytes; a full block is written first. −1 when this or an earlier
// block could not be written.
[[nodiscard]] int T_WriterPut(T_FILEWRITER *w, const char *code, const void *data, uint32_t length);
// Writes what is collected; 0 or −1 as T_WriterPut.
[[nodiscard]] int T_WriterFlush(T_FILEWRITER *w);
// Wipes and frees the block; what was not flushed is dropped.
void T_WriterEnd(T_FILEWRITER *w, const char *tag);

struct T_FILEREADER {
    PL_HANDLE h = nullptr;
    char *block = nullptr;
    uint32_t pos = 0, end = 0; // the unread bytes of the block are [pos, end)
};
void T_ReaderBegin(T_FILEREADER *r, PL_HANDLE h, const char *tag);
uint32_t T_ReaderUpTo(T_FILEREADER *r, void *buffer, uint32_t size);
// All `size` bytes or −1, logged as T_ReadFile logs it.
[[nodiscard]] int T_ReaderAll(T_FILEREADER *r, const char *code, void *buffer, uint32_t size);
// Steps back over bytes just read.
void T_ReaderSeekBack(T_FILEREADER *r, uint32_t n);
// The position of the next byte to be read.
uint64_t T_ReaderPosition(T_FILEREADER *r);
// Leaves the file at the position of the next unread byte (when it is still
// open) and wipes and frees the block.
void T_ReaderEnd(T_FILEREADER *r, const char *tag, bool fileOpen);
