// A growable FIFO of bytes for the envelope engine: what was pushed and not yet
// parsed, or what was produced and not yet popped. The bytes are kept contiguous
// so the parser can look at them in place. Bytes that leave the queue are wiped
// unless the queue holds only ciphertext, and every block the queue gives back
// is wiped, because the queue may hold decrypted data.
#pragma once

#include <cstddef>
#include <cstdint>

struct BQ_QUEUE {
    uint8_t *buf;
    size_t cap;
    size_t head; // first byte held
    size_t tail; // one past the last byte held
    bool ciphertext; // bytes that leave need no wiping (the whole block still is, when freed)
};

void BQ_Init(BQ_QUEUE *q);
// Wipes and frees everything.
void BQ_Free(BQ_QUEUE *q);
size_t BQ_Size(const BQ_QUEUE *q);
const uint8_t *BQ_Data(const BQ_QUEUE *q);
// Appends n bytes; 0 or -1 when memory runs out (the queue is unchanged then).
[[nodiscard]] int BQ_Append(BQ_QUEUE *q, const void *data, size_t n);
// Makes room for n more bytes at the end and hands them out for the caller to
// fill; nullptr when memory runs out.
uint8_t *BQ_Extend(BQ_QUEUE *q, size_t n);
// Drops n bytes from the front (n <= size).
void BQ_Consume(BQ_QUEUE *q, size_t n);
// Copies up to n bytes from the front to dst and drops them; the count copied.
size_t BQ_Read(BQ_QUEUE *q, void *dst, size_t n);
// Drops n bytes from the end (n <= size).
void BQ_Truncate(BQ_QUEUE *q, size_t n);

// Overwrites memory the compiler may not drop: fast enough for whole buffers.
void BQ_Wipe(void *p, size_t n);
