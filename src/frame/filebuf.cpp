#include "frame/filebuf.h"

#include "frame/fileio.h"
#include "frame/memory.h"

#include <cstring>

uint32_t T_ReadUpTo(PL_HANDLE h, void *buffer, uint32_t size) {
    uint32_t total = 0;
    while (total < size) {
        uint32_t n = 0;
        if (PL_ReadFile(h, static_cast<char *>(buffer) + total, size - total, &n) != 0 || n == 0)
            break;
        total += n;
    }
    return total;
}

void T_WriterBegin(T_FILEWRITER *w, PL_HANDLE h, const char *tag) {
    w->h = h;
    w->block = static_cast<char *>(T_Malloc(tag, T_FILEBUF_BLOCK));
    w->length = 0;
    w->code = "";
    w->failed = false;
}

int T_WriterFlush(T_FILEWRITER *w) {
    if (w->failed)
        return -1;
    if (w->length == 0)
        return 0;
    uint32_t n = w->length;
    w->length = 0;
    if (T_WriteFile(w->code, w->h, w->block, n) != 0)
        w->failed = true;
    return w->failed ? -1 : 0;
}

int T_WriterPut(T_FILEWRITER *w, const char *code, const void *data, uint32_t length) {
    if (w->failed)
        return -1;
    if (!w->block)
        return T_WriteFile(code, w->h, data, length);
    if (w->length + static_cast<uint64_t>(length) > T_FILEBUF_BLOCK && T_WriterFlush(w) != 0)
        return -1;
    if (length >= T_FILEBUF_BLOCK) {
        if (T_WriteFile(code, w->h, data, length) != 0)
            w->failed = true;
        return w->failed ? -1 : 0;
    }
    memcpy(w->block + w->length, data, length);
    w->length += length;
    w->code = code;
    return 0;
}

void T_WriterEnd(T_FILEWRITER *w, const char *tag) {
    if (w->block)
        T_FreeSecret(tag, w->block, T_FILEBUF_BLOCK);
    w->block = nullptr;
    w->length = 0;
    w->h = nullptr;
}

void T_ReaderBegin(T_FILEREADER *r, PL_HANDLE h, const char *tag) {
    r->h = h;
    r->block = static_cast<char *>(T_Malloc(tag, T_FILEBUF_BLOCK));
    r->pos = r->end = 0;
}

uint32_t T_ReaderUpTo(T_FILEREADER *r, void *buffer, uint32_t size) {
    char *dest = static_cast<char *>(buffer);
    uint32_t got = 0;
    while (got < size) {
        if (r->pos == r->end) {
            // A request as large as a block goes straight into the caller's buffer.
            if (!r->block || size - got >= T_FILEBUF_BLOCK)
                return got + T_ReadUpTo(r->h, dest + got, size - got);
            uint32_t n = 0;
            if (PL_ReadFile(r->h, r->block, T_FILEBUF_BLOCK, &n) != 0 || n == 0)
                break;
            r->pos = 0;
            r->end = n;
        }
        uint32_t take = r->end - r->pos < size - got ? r->end - r->pos : size - got;
        memcpy(dest + got, r->block + r->pos, take);
        r->pos += take;
        got += take;
    }
    return got;
}

int T_ReaderAll(T_FILEREADER *r, const char *code, void *buffer, uint32_t size) {
    if (T_ReaderUpTo(r, buffer, size) == size)
        return 0;
    T_LogReadError(code, size);
    return -1;
}

void T_ReaderSeekBack(T_FILEREADER *r, uint32_t n) {
    if (r->block && r->pos >= n) {
        r->pos -= n;
        return;
    }
    // Bytes from an earlier block: the file itself steps back, past what is buffered.
    PL_SetFilePointer(r->h, -static_cast<int64_t>(n + (r->end - r->pos)), PL_FILE_CURRENT, nullptr);
    r->pos = r->end = 0;
}

uint64_t T_ReaderPosition(T_FILEREADER *r) {
    uint64_t pos = 0;
    PL_SetFilePointer(r->h, 0, PL_FILE_CURRENT, &pos);
    return pos - (r->end - r->pos);
}

void T_ReaderEnd(T_FILEREADER *r, const char *tag, bool fileOpen) {
    if (fileOpen && r->end > r->pos)
        PL_SetFilePointer(r->h, -static_cast<int64_t>(r->end - r->pos), PL_FILE_CURRENT, nullptr);
    if (r->block)
        T_FreeSecret(tag, r->block, T_FILEBUF_BLOCK);
    r->block = nullptr;
    r->pos = r->end = 0;
    r->h = nullptr;
}
