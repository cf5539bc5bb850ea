#include "store/safe_format.h"

#include <cstring>

namespace {
void PutU32(uint8_t *img, size_t off, uint32_t v) {
    img[off] = static_cast<uint8_t>(v);
    img[off + 1] = static_cast<uint8_t>(v >> 8);
    img[off + 2] = static_cast<uint8_t>(v >> 16);
    img[off + 3] = static_cast<uint8_t>(v >> 24);
}

uint32_t GetU32(const uint8_t *img, size_t off) {
    return static_cast<uint32_t>(img[off]) | static_cast<uint32_t>(img[off + 1]) << 8 |
           static_cast<uint32_t>(img[off + 2]) << 16 | static_cast<uint32_t>(img[off + 3]) << 24;
}

// Fixed text fields travel byte for byte, so a file rewritten unchanged keeps
// even the bytes after a terminator.
void PutBytes(uint8_t *img, size_t off, const char *field, size_t size) { memcpy(img + off, field, size); }

// A text field read from the file always ends up terminated inside its array.
void GetText(const uint8_t *img, size_t off, size_t stored, char *field, size_t size) {
    memset(field, 0, size);
    memcpy(field, img + off, stored < size ? stored : size);
    field[size - 1] = 0;
}

// An older layout's text copied as a zero-terminated text into a field of another width.
void GetTextConverted(const uint8_t *img, size_t off, size_t stored, char *field, size_t size) {
    memset(field, 0, size);
    size_t n = 0;
    while (n < stored && n + 1 < size && img[off + n])
        ++n;
    memcpy(field, img + off, n);
}

void PutImage(uint8_t *img, const SW_LAYOUT &l, const void *record, bool last) {
    memset(img, 0, l.size);
    const auto *r = static_cast<const uint8_t *>(record);
    for (const SW_FIELD *f = l.fields; f != l.fields + l.count; ++f) {
        if (f->kind == SW_NUMBER) {
            uint32_t v;
            memcpy(&v, r + f->member, sizeof v);
            PutU32(img, f->at, v);
        } else {
            PutBytes(img, f->at, reinterpret_cast<const char *>(r + f->member), f->stored);
        }
    }
    PutU32(img, l.next, last ? 0 : 1);
}

uint32_t GetImage(const uint8_t *img, const SW_LAYOUT &l, void *record) {
    auto *r = static_cast<uint8_t *>(record);
    for (const SW_FIELD *f = l.fields; f != l.fields + l.count; ++f) {
        char *field = reinterpret_cast<char *>(r + f->member);
        switch (f->kind) {
        case SW_NUMBER: {
            uint32_t v = GetU32(img, f->at);
            memcpy(field, &v, sizeof v);
            break;
        }
        case SW_TEXT:
            GetText(img, f->at, f->stored, field, f->size);
            break;
        case SW_OLDTEXT:
            GetTextConverted(img, f->at, f->stored, field, f->size);
            break;
        case SW_RAW:
            memcpy(field, img + f->at, f->stored);
            break;
        }
    }
    return GetU32(img, l.next);
}

bool OldLayout(uint32_t major, uint32_t minor, uint32_t lastOldMinor) {
    return SW_VersionNumber(major, minor) < SAFE_VERSION && minor >= 1 && minor <= lastOldMinor;
}
} // namespace

// ---------------------------------------------------------------- the layouts
// One row per stored field: where it lies in the image, how it is stored, and
// the record's field it fills. Handles and pointers are not stored.
#define SW_NUM(T, m, at) {at, SW_NUMBER, 4, offsetof(T, m), sizeof(T::m)}
#define SW_FIELD_OF(T, m, at, kind, stored) {at, kind, stored, offsetof(T, m), sizeof(T::m)}
#define SW_LAYOUT_OF(size, next, rows) {size, next, rows, sizeof rows / sizeof rows[0]}

namespace {
const SW_FIELD kOrdner[] = {
    SW_NUM(ORDNER, nOrdnerKennung, 4), SW_NUM(ORDNER, nOrdnerOrder, 8),
    SW_FIELD_OF(ORDNER, cOrdnerName, 12, SW_TEXT, 25), SW_FIELD_OF(ORDNER, cIconName, 37, SW_TEXT, 25),
    SW_NUM(ORDNER, nExpanded, 64), SW_NUM(ORDNER, nCategory, 68)};
const SW_FIELD kOrdnerV108[] = {
    SW_NUM(ORDNER, nOrdnerKennung, 4), SW_NUM(ORDNER, nOrdnerOrder, 8),
    SW_FIELD_OF(ORDNER, cOrdnerName, 12, SW_OLDTEXT, 25), SW_FIELD_OF(ORDNER, cIconName, 37, SW_OLDTEXT, 27),
    SW_NUM(ORDNER, nExpanded, 64)};
const SW_FIELD kOrdnerV105[] = {
    SW_NUM(ORDNER, nOrdnerKennung, 4), SW_FIELD_OF(ORDNER, cOrdnerName, 8, SW_OLDTEXT, 25),
    SW_FIELD_OF(ORDNER, cIconName, 33, SW_OLDTEXT, 27)};

const SW_FIELD kFeldTabelle[] = {
    SW_NUM(FELDTABELLE, nOrdnerKennung, 0), SW_NUM(FELDTABELLE, nFeldIndex, 4), SW_NUM(FELDTABELLE, nFeldOrder, 8),
    SW_FIELD_OF(FELDTABELLE, feldname, 12, SW_TEXT, 28), SW_NUM(FELDTABELLE, feldtyp, 40),
    SW_NUM(FELDTABELLE, feldlaenge, 44), SW_NUM(FELDTABELLE, drag, 48)};
const SW_FIELD kFeldTabelleV110[] = {
    SW_NUM(FELDTABELLE, nOrdnerKennung, 0), SW_NUM(FELDTABELLE, nFeldIndex, 4),
    SW_FIELD_OF(FELDTABELLE, feldname, 8, SW_OLDTEXT, 28), SW_NUM(FELDTABELLE, feldtyp, 36),
    SW_NUM(FELDTABELLE, feldlaenge, 40), SW_NUM(FELDTABELLE, drag, 44)};

const SW_FIELD kKarte[] = {
    SW_NUM(KARTE, nOrdnerKennung, 4), SW_NUM(KARTE, nKartenKennung, 8), SW_NUM(KARTE, nKartenOrder, 12),
    SW_FIELD_OF(KARTE, cKartenName, 16, SW_TEXT, 50), SW_FIELD_OF(KARTE, cIconName, 66, SW_TEXT, 25),
    SW_NUM(KARTE, nExpanded, 92), SW_NUM(KARTE, nCategory, 96)};
const SW_FIELD kKarteV108[] = {
    SW_NUM(KARTE, nOrdnerKennung, 4), SW_NUM(KARTE, nKartenKennung, 8), SW_NUM(KARTE, nKartenOrder, 12),
    SW_FIELD_OF(KARTE, cKartenName, 16, SW_OLDTEXT, 50), SW_FIELD_OF(KARTE, cIconName, 66, SW_OLDTEXT, 26),
    SW_NUM(KARTE, nExpanded, 92)};
const SW_FIELD kKarteV105[] = {
    SW_NUM(KARTE, nOrdnerKennung, 4), SW_NUM(KARTE, nKartenKennung, 8),
    SW_FIELD_OF(KARTE, cKartenName, 12, SW_OLDTEXT, 50), SW_FIELD_OF(KARTE, cIconName, 62, SW_OLDTEXT, 26)};

const SW_FIELD kFeldInhalt[] = {SW_NUM(FELDINHALT, nKartenKennung, 4), SW_NUM(FELDINHALT, nFeldIndex, 8),
                                SW_NUM(FELDINHALT, nFeldLaenge, 12)};

const SW_FIELD kFeldTabCard[] = {
    SW_NUM(FELDTABCARD, KartenKennung, 0), SW_NUM(FELDTABCARD, FeldIndex, 4), SW_NUM(FELDTABCARD, FeldOrder, 8),
    SW_FIELD_OF(FELDTABCARD, FeldName, 12, SW_TEXT, 28), SW_NUM(FELDTABCARD, Feldtyp, 40),
    SW_NUM(FELDTABCARD, Feldlaenge, 44), SW_NUM(FELDTABCARD, drag, 48)};

const SW_FIELD kNotiz[] = {
    SW_NUM(NOTIZ, nReserved, 0), SW_NUM(NOTIZ, crBackground, 4), SW_NUM(NOTIZ, rcWindow.left, 16),
    SW_NUM(NOTIZ, rcWindow.top, 20), SW_NUM(NOTIZ, rcWindow.right, 24), SW_NUM(NOTIZ, rcWindow.bottom, 28),
    SW_NUM(NOTIZ, nTextSize, 32), SW_FIELD_OF(NOTIZ, szAlarmDate, 40, SW_RAW, 6),
    SW_FIELD_OF(NOTIZ, szAlarmTime, 46, SW_RAW, 4), SW_FIELD_OF(NOTIZ, cReserved1, 50, SW_RAW, 2),
    SW_NUM(NOTIZ, crText, 52), SW_FIELD_OF(NOTIZ, cReserved2, 56, SW_RAW, 12)};

const SW_FIELD kDtopHeader[] = {
    SW_FIELD_OF(DTOPHEADER, szDesktopId, 0, SW_TEXT, 12), SW_NUM(DTOPHEADER, nProfilIndex, 12),
    SW_NUM(DTOPHEADER, nWidth, 16), SW_NUM(DTOPHEADER, nHeight, 20),
    SW_FIELD_OF(DTOPHEADER, szProfilName, 24, SW_TEXT, 41), SW_FIELD_OF(DTOPHEADER, szComputerName, 65, SW_TEXT, 31),
    SW_FIELD_OF(DTOPHEADER, szCreated, 96, SW_RAW, 8)};

const SW_FIELD kDesktop[] = {SW_NUM(DESKTOP, nIndex, 0), SW_NUM(DESKTOP, nProfilIndex, 4), SW_NUM(DESKTOP, nTextLen, 8),
                             SW_NUM(DESKTOP, x, 12), SW_NUM(DESKTOP, y, 16)};
} // namespace

const SW_LAYOUT SW_ORDNER_LAYOUT = SW_LAYOUT_OF(ORDNER_IMAGE_SIZE, 72, kOrdner);
const SW_LAYOUT SW_ORDNER_LAYOUT_V108 = SW_LAYOUT_OF(ORDNER_IMAGE_SIZE_V108, 68, kOrdnerV108);
const SW_LAYOUT SW_ORDNER_LAYOUT_V105 = SW_LAYOUT_OF(ORDNER_IMAGE_SIZE_V105, 60, kOrdnerV105);
const SW_LAYOUT SW_FELDTABELLE_LAYOUT = SW_LAYOUT_OF(FELDTABELLE_IMAGE_SIZE, 52, kFeldTabelle);
const SW_LAYOUT SW_FELDTABELLE_LAYOUT_V110 = SW_LAYOUT_OF(FELDTABELLE_IMAGE_SIZE_V110, 48, kFeldTabelleV110);
const SW_LAYOUT SW_KARTE_LAYOUT = SW_LAYOUT_OF(KARTE_IMAGE_SIZE, 100, kKarte);
const SW_LAYOUT SW_KARTE_LAYOUT_V108 = SW_LAYOUT_OF(KARTE_IMAGE_SIZE_V108, 96, kKarteV108);
const SW_LAYOUT SW_KARTE_LAYOUT_V105 = SW_LAYOUT_OF(KARTE_IMAGE_SIZE_V105, 88, kKarteV105);
const SW_LAYOUT SW_FELDINHALT_LAYOUT = SW_LAYOUT_OF(FELDINHALT_IMAGE_SIZE, 16, kFeldInhalt);
const SW_LAYOUT SW_FELDTABCARD_LAYOUT = SW_LAYOUT_OF(FELDTABCARD_IMAGE_SIZE, 52, kFeldTabCard);
const SW_LAYOUT SW_NOTIZ_LAYOUT = SW_LAYOUT_OF(NOTIZ_IMAGE_SIZE, 68, kNotiz);
const SW_LAYOUT SW_DTOPHEADER_LAYOUT = SW_LAYOUT_OF(DTOPHEADER_IMAGE_SIZE, 104, kDtopHeader);
const SW_LAYOUT SW_DESKTOP_LAYOUT = SW_LAYOUT_OF(DESKTOP_IMAGE_SIZE, 24, kDesktop);

uint32_t SW_ImageOffset(const SW_LAYOUT &layout, size_t member) {
    for (const SW_FIELD *f = layout.fields; f != layout.fields + layout.count; ++f)
        if (f->member == member)
            return f->at;
    return layout.size;
}

const SW_LAYOUT &SW_OrdnerLayout(uint32_t major, uint32_t minor) {
    if (!OldLayout(major, minor, 8))
        return SW_ORDNER_LAYOUT;
    return minor <= 5 ? SW_ORDNER_LAYOUT_V105 : SW_ORDNER_LAYOUT_V108;
}

const SW_LAYOUT &SW_FeldTabelleLayout(uint32_t major, uint32_t minor) {
    return OldLayout(major, minor, 10) ? SW_FELDTABELLE_LAYOUT_V110 : SW_FELDTABELLE_LAYOUT;
}

const SW_LAYOUT &SW_KarteLayout(uint32_t major, uint32_t minor) {
    if (!OldLayout(major, minor, 8))
        return SW_KARTE_LAYOUT;
    return minor <= 5 ? SW_KARTE_LAYOUT_V105 : SW_KARTE_LAYOUT_V108;
}

uint32_t SW_OrdnerImageSize(uint32_t major, uint32_t minor) { return SW_OrdnerLayout(major, minor).size; }
uint32_t SW_FeldTabelleImageSize(uint32_t major, uint32_t minor) { return SW_FeldTabelleLayout(major, minor).size; }
uint32_t SW_KarteImageSize(uint32_t major, uint32_t minor) { return SW_KarteLayout(major, minor).size; }

// ---------------------------------------------------------------- header, control, text block
void SW_PutHeaderImage(uint8_t *img, const SAFEHEADER *h) {
    PutU32(img, 0, h->nPasswort);
    PutU32(img, 4, h->nMajorRelease);
    PutU32(img, 8, h->nMinorRelease);
    PutU32(img, 12, h->nControlLength);
}

void SW_GetHeaderImage(const uint8_t *img, SAFEHEADER *h) {
    h->nPasswort = GetU32(img, 0);
    h->nMajorRelease = GetU32(img, 4);
    h->nMinorRelease = GetU32(img, 8);
    h->nControlLength = GetU32(img, 12);
}

void SW_PutControlImage(uint8_t *img, const SAFECONTROL *c) {
    memcpy(img, c->cSafeId, 8);
    img[8] = static_cast<uint8_t>(c->nReserved);
    img[9] = static_cast<uint8_t>(c->nReserved >> 8);
}

void SW_GetControlImage(const uint8_t *img, SAFECONTROL *c) {
    memcpy(c->cSafeId, img, 8);
    c->nReserved = static_cast<uint16_t>(img[8] | img[9] << 8);
}

void SW_PutTextBlockHeaderImage(uint8_t *img, const TEXTBLOCKHEADER *t) {
    PutU32(img, 0, t->nCryptLength);
    PutU32(img, 4, t->nPlainLength);
}

void SW_GetTextBlockHeaderImage(const uint8_t *img, TEXTBLOCKHEADER *t) {
    t->nCryptLength = GetU32(img, 0);
    t->nPlainLength = GetU32(img, 4);
}

bool SW_TextBlockPlausible(const TEXTBLOCKHEADER *t, uint64_t left) {
    return t->nCryptLength <= left && t->nPlainLength <= 16ull * t->nCryptLength + 4096u;
}

// ---------------------------------------------------------------- the records
// Older layouts lack the order (it was the id), the expanded flag and the category.
void SW_PutOrdnerImage(uint8_t *img, const ORDNER *o, bool last) { PutImage(img, SW_ORDNER_LAYOUT, o, last); }

uint32_t SW_GetOrdnerImage(const uint8_t *img, uint32_t major, uint32_t minor, ORDNER *o) {
    const SW_LAYOUT &l = SW_OrdnerLayout(major, minor);
    o->nExpanded = o->nCategory = 0;
    uint32_t next = GetImage(img, l, o);
    if (&l == &SW_ORDNER_LAYOUT_V105)
        o->nOrdnerOrder = o->nOrdnerKennung;
    return next;
}

void SW_PutFeldTabelleImage(uint8_t *img, const FELDTABELLE *f, bool last) {
    PutImage(img, SW_FELDTABELLE_LAYOUT, f, last);
}

uint32_t SW_GetFeldTabelleImage(const uint8_t *img, uint32_t major, uint32_t minor, FELDTABELLE *f) {
    const SW_LAYOUT &l = SW_FeldTabelleLayout(major, minor);
    uint32_t next = GetImage(img, l, f);
    if (&l == &SW_FELDTABELLE_LAYOUT_V110)
        f->nFeldOrder = f->nFeldIndex;
    return next;
}

void SW_PutKarteImage(uint8_t *img, const KARTE *k, bool last) { PutImage(img, SW_KARTE_LAYOUT, k, last); }

uint32_t SW_GetKarteImage(const uint8_t *img, uint32_t major, uint32_t minor, KARTE *k) {
    const SW_LAYOUT &l = SW_KarteLayout(major, minor);
    k->nExpanded = k->nCategory = 0;
    uint32_t next = GetImage(img, l, k);
    if (&l == &SW_KARTE_LAYOUT_V105)
        k->nKartenOrder = k->nKartenKennung;
    return next;
}

void SW_PutFeldInhaltImage(uint8_t *img, const FELDINHALT *f, bool last) {
    PutImage(img, SW_FELDINHALT_LAYOUT, f, last);
}
uint32_t SW_GetFeldInhaltImage(const uint8_t *img, FELDINHALT *f) { return GetImage(img, SW_FELDINHALT_LAYOUT, f); }

void SW_PutFeldTabCardImage(uint8_t *img, const FELDTABCARD *f, bool last) {
    PutImage(img, SW_FELDTABCARD_LAYOUT, f, last);
}
uint32_t SW_GetFeldTabCardImage(const uint8_t *img, FELDTABCARD *f) { return GetImage(img, SW_FELDTABCARD_LAYOUT, f); }

void SW_PutNotizImage(uint8_t *img, const NOTIZ *n, bool last) { PutImage(img, SW_NOTIZ_LAYOUT, n, last); }
uint32_t SW_GetNotizImage(const uint8_t *img, NOTIZ *n) { return GetImage(img, SW_NOTIZ_LAYOUT, n); }

void SW_PutDtopHeaderImage(uint8_t *img, const DTOPHEADER *d, bool last) {
    PutImage(img, SW_DTOPHEADER_LAYOUT, d, last);
}
uint32_t SW_GetDtopHeaderImage(const uint8_t *img, DTOPHEADER *d) { return GetImage(img, SW_DTOPHEADER_LAYOUT, d); }

void SW_PutDesktopImage(uint8_t *img, const DESKTOP *d, bool last) { PutImage(img, SW_DESKTOP_LAYOUT, d, last); }
uint32_t SW_GetDesktopImage(const uint8_t *img, DESKTOP *d) { return GetImage(img, SW_DESKTOP_LAYOUT, d); }
