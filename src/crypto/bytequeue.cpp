#include "crypto/bytequeue.h"

#include "platform/platform.h"

#include <cstring>

void BQ_Wipe(void *p, size_t n) {
    if (!p || !n)
        return;
    memset(p, 0, n);
#if defined(__GNUC__) || defined(__clang__)
    // The block is about to be freed or reused: tell the compiler the zeros are read.
    __asm__ __volatile__("" : : "r"(p) : "memory");
#else
    PL_SecureZero(p, n);
#endif
}

void BQ_Init(BQ_QUEUE *q) { memset(q, 0, sizeof *q); }

void BQ_Free(BQ_QUEUE *q) {
    if (q->buf) {
        BQ_Wipe(q->buf, q->cap);
        PL_Free(q->buf);
    }
    BQ_Init(q);
}

size_t BQ_Size(const BQ_QUEUE *q) { return q->tail - q->head; }

const uint8_t *BQ_Data(const BQ_QUEUE *q) { return q->buf ? q->buf + q->head : nullptr; }

uint8_t *BQ_Extend(BQ_QUEUE *q, size_t n) {
    if (n > (SIZE_MAX / 4) - q->cap)
        return nullptr;
    size_t held = BQ_Size(q);
    if (q->tail + n > q->cap) {
        if (held + n <= q->cap && q->head >= held) {
            // Moving the held bytes to the front costs no more than the room it gains;
            // what they leave behind is wiped.
            memmove(q->buf, q->buf + q->head, held);
            if (!q->ciphertext)
                BQ_Wipe(q->buf + held, q->tail - held);
        } else {
            size_t cap = q->cap ? q->cap : 4096;
            while (cap < held + n)
                cap *= 2;
            uint8_t *nb = static_cast<uint8_t *>(PL_Alloc(cap));
            if (!nb)
                return nullptr;
            if (held)
                memcpy(nb, q->buf + q->head, held);
            if (q->buf) {
                BQ_Wipe(q->buf, q->cap);
                PL_Free(q->buf);
            }
            q->buf = nb;
            q->cap = cap;
        }
        q->head = 0;
        q->tail = held;
    }
    uint8_t *p = q->buf + q->tail;
    q->tail += n;
    return p;
}

int BQ_Append(BQ_QUEUE *q, const void *data, size_t n) {
    if (!n)
        return 0;
    uint8_t *p = BQ_Extend(q, n);
    if (!p)
        return -1;
    memcpy(p, data, n);
    return 0;
}

void BQ_Consume(BQ_QUEUE *q, size_t n) {
    if (n > BQ_Size(q))
        n = BQ_Size(q);
    if (!q->ciphertext)
        BQ_Wipe(q->buf + q->head, n);
    q->head += n;
    if (q->head == q->tail)
        q->head = q->tail = 0;
}

size_t BQ_Read(BQ_QUEUE *q, void *dst, size_t n) {
    if (n > BQ_Size(q))
        n = BQ_Size(q);
    if (n) {
        memcpy(dst, q->buf + q->head, n);
        BQ_Consume(q, n);
    }
    return n;
}

void BQ_Truncate(BQ_QUEUE *q, size_t n) {
    if (n > BQ_Size(q))
        n = BQ_Size(q);
    q->tail -= n;
    BQ_Wipe(q->buf + q->tail, n);
    if (q->head == q->tail)
        q->head = q->tail = 0;
}
