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

bool OldLayout(uint32_t major, uint32_t minor, uint32_t lastOldMinor) {
    return SW_VersionNumber(major, minor) < SAFE_VERSION && minor >= 1 && minor <= lastOldMinor;
}
} // namespace

uint32_t SW_OrdnerImageSize(uint32_t major, uint32_t minor) {
    if (!OldLayout(major, minor, 8))
        return ORDNER_IMAGE_SIZE;
    return minor <= 5 ? ORDNER_IMAGE_SIZE_V105 : ORDNER_IMAGE_SIZE_V108;
}

uint32_t SW_FeldTabelleImageSize(uint32_t major, uint32_t minor) {
    return OldLayout(major, minor, 10) ? FELDTABELLE_IMAGE_SIZE_V110 : FELDTABELLE_IMAGE_SIZE;
}

uint32_t SW_KarteImageSize(uint32_t major, uint32_t minor) {
    if (!OldLayout(major, minor, 8))
        return KARTE_IMAGE_SIZE;
    return minor <= 5 ? KARTE_IMAGE_SIZE_V105 : KARTE_IMAGE_SIZE_V108;
}

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

// ---------------------------------------------------------------- folders
void SW_PutOrdnerImage(uint8_t *img, const ORDNER *o, bool last) {
    memset(img, 0, ORDNER_IMAGE_SIZE);
    PutU32(img, 4, o->nOrdnerKennung);
    PutU32(img, 8, o->nOrdnerOrder);
    PutBytes(img, 12, o->cOrdnerName, 25);
    PutBytes(img, 37, o->cIconName, 25);
    PutU32(img, 64, o->nExpanded);
    PutU32(img, 68, o->nCategory);
    PutU32(img, 72, last ? 0 : 1);
}

uint32_t SW_GetOrdnerImage(const uint8_t *img, uint32_t major, uint32_t minor, ORDNER *o) {
    switch (SW_OrdnerImageSize(major, minor)) {
    case ORDNER_IMAGE_SIZE_V105:
        o->nOrdnerKennung = GetU32(img, 4);
        GetTextConverted(img, 8, 25, o->cOrdnerName, sizeof o->cOrdnerName);
        GetTextConverted(img, 33, 27, o->cIconName, sizeof o->cIconName);
        o->nOrdnerOrder = o->nOrdnerKennung;
        o->nExpanded = 0;
        o->nCategory = 0;
        return GetU32(img, 60);
    case ORDNER_IMAGE_SIZE_V108:
        o->nOrdnerKennung = GetU32(img, 4);
        o->nOrdnerOrder = GetU32(img, 8);
        GetTextConverted(img, 12, 25, o->cOrdnerName, sizeof o->cOrdnerName);
        GetTextConverted(img, 37, 27, o->cIconName, sizeof o->cIconName);
        o->nExpanded = GetU32(img, 64);
        o->nCategory = 0;
        return GetU32(img, 68);
    default:
        o->nOrdnerKennung = GetU32(img, 4);
        o->nOrdnerOrder = GetU32(img, 8);
        GetText(img, 12, 25, o->cOrdnerName, sizeof o->cOrdnerName);
        GetText(img, 37, 25, o->cIconName, sizeof o->cIconName);
        o->nExpanded = GetU32(img, 64);
        o->nCategory = GetU32(img, 68);
        return GetU32(img, 72);
    }
}

// ---------------------------------------------------------------- field descriptions
void SW_PutFeldTabelleImage(uint8_t *img, const FELDTABELLE *f, bool last) {
    memset(img, 0, FELDTABELLE_IMAGE_SIZE);
    PutU32(img, 0, f->nOrdnerKennung);
    PutU32(img, 4, f->nFeldIndex);
    PutU32(img, 8, f->nFeldOrder);
    PutBytes(img, 12, f->feldname, 28);
    PutU32(img, 40, f->feldtyp);
    PutU32(img, 44, f->feldlaenge);
    PutU32(img, 48, f->drag);
    PutU32(img, 52, last ? 0 : 1);
}

uint32_t SW_GetFeldTabelleImage(const uint8_t *img, uint32_t major, uint32_t minor, FELDTABELLE *f) {
    f->nOrdnerKennung = GetU32(img, 0);
    f->nFeldIndex = GetU32(img, 4);
    if (SW_FeldTabelleImageSize(major, minor) == FELDTABELLE_IMAGE_SIZE_V110) {
        GetTextConverted(img, 8, 28, f->feldname, sizeof f->feldname);
        f->feldtyp = GetU32(img, 36);
        f->feldlaenge = GetU32(img, 40);
        f->drag = GetU32(img, 44);
        f->nFeldOrder = f->nFeldIndex;
        return GetU32(img, 48);
    }
    f->nFeldOrder = GetU32(img, 8);
    GetText(img, 12, 28, f->feldname, sizeof f->feldname);
    f->feldtyp = GetU32(img, 40);
    f->feldlaenge = GetU32(img, 44);
    f->drag = GetU32(img, 48);
    return GetU32(img, 52);
}

// ---------------------------------------------------------------- cards
void SW_PutKarteImage(uint8_t *img, const KARTE *k, bool last) {
    memset(img, 0, KARTE_IMAGE_SIZE);
    PutU32(img, 4, k->nOrdnerKennung);
    PutU32(img, 8, k->nKartenKennung);
    PutU32(img, 12, k->nKartenOrder);
    PutBytes(img, 16, k->cKartenName, 50);
    PutBytes(img, 66, k->cIconName, 25);
    PutU32(img, 92, k->nExpanded);
    PutU32(img, 96, k->nCategory);
    PutU32(img, 100, last ? 0 : 1);
}

uint32_t SW_GetKarteImage(const uint8_t *img, uint32_t major, uint32_t minor, KARTE *k) {
    k->nOrdnerKennung = GetU32(img, 4);
    k->nKartenKennung = GetU32(img, 8);
    switch (SW_KarteImageSize(major, minor)) {
    case KARTE_IMAGE_SIZE_V105:
        GetTextConverted(img, 12, 50, k->cKartenName, sizeof k->cKartenName);
        GetTextConverted(img, 62, 26, k->cIconName, sizeof k->cIconName);
        k->nKartenOrder = k->nKartenKennung;
        k->nExpanded = 0;
        k->nCategory = 0;
        return GetU32(img, 88);
    case KARTE_IMAGE_SIZE_V108:
        k->nKartenOrder = GetU32(img, 12);
        GetTextConverted(img, 16, 50, k->cKartenName, sizeof k->cKartenName);
        GetTextConverted(img, 66, 26, k->cIconName, sizeof k->cIconName);
        k->nExpanded = GetU32(img, 92);
        k->nCategory = 0;
        return GetU32(img, 96);
    default:
        k->nKartenOrder = GetU32(img, 12);
        GetText(img, 16, 50, k->cKartenName, sizeof k->cKartenName);
        GetText(img, 66, 25, k->cIconName, sizeof k->cIconName);
        k->nExpanded = GetU32(img, 92);
        k->nCategory = GetU32(img, 96);
        return GetU32(img, 100);
    }
}

// ---------------------------------------------------------------- contents
void SW_PutFeldInhaltImage(uint8_t *img, const FELDINHALT *f, bool last) {
    memset(img, 0, FELDINHALT_IMAGE_SIZE);
    PutU32(img, 4, f->nKartenKennung);
    PutU32(img, 8, f->nFeldIndex);
    PutU32(img, 12, f->nFeldLaenge);
    PutU32(img, 16, last ? 0 : 1);
}

uint32_t SW_GetFeldInhaltImage(const uint8_t *img, FELDINHALT *f) {
    f->nKartenKennung = GetU32(img, 4);
    f->nFeldIndex = GetU32(img, 8);
    f->nFeldLaenge = GetU32(img, 12);
    return GetU32(img, 16);
}

// ---------------------------------------------------------------- card field tables
void SW_PutFeldTabCardImage(uint8_t *img, const FELDTABCARD *f, bool last) {
    memset(img, 0, FELDTABCARD_IMAGE_SIZE);
    PutU32(img, 0, f->KartenKennung);
    PutU32(img, 4, f->FeldIndex);
    PutU32(img, 8, f->FeldOrder);
    PutBytes(img, 12, f->FeldName, 28);
    PutU32(img, 40, f->Feldtyp);
    PutU32(img, 44, f->Feldlaenge);
    PutU32(img, 48, f->drag);
    PutU32(img, 52, last ? 0 : 1);
}

uint32_t SW_GetFeldTabCardImage(const uint8_t *img, FELDTABCARD *f) {
    f->KartenKennung = GetU32(img, 0);
    f->FeldIndex = GetU32(img, 4);
    f->FeldOrder = GetU32(img, 8);
    GetText(img, 12, 28, f->FeldName, sizeof f->FeldName);
    f->Feldtyp = GetU32(img, 40);
    f->Feldlaenge = GetU32(img, 44);
    f->drag = GetU32(img, 48);
    return GetU32(img, 52);
}

// ---------------------------------------------------------------- notes
void SW_PutNotizImage(uint8_t *img, const NOTIZ *n, bool last) {
    memset(img, 0, NOTIZ_IMAGE_SIZE);
    PutU32(img, 0, n->nReserved);
    PutU32(img, 4, n->crBackground);
    PutU32(img, 16, static_cast<uint32_t>(n->rcWindow.left));
    PutU32(img, 20, static_cast<uint32_t>(n->rcWindow.top));
    PutU32(img, 24, static_cast<uint32_t>(n->rcWindow.right));
    PutU32(img, 28, static_cast<uint32_t>(n->rcWindow.bottom));
    PutU32(img, 32, n->nTextSize);
    PutBytes(img, 40, n->szAlarmDate, 6);
    PutBytes(img, 46, n->szAlarmTime, 4);
    PutBytes(img, 50, n->cReserved1, 2);
    PutU32(img, 52, n->crText);
    PutBytes(img, 56, n->cReserved2, 12);
    PutU32(img, 68, last ? 0 : 1);
}

uint32_t SW_GetNotizImage(const uint8_t *img, NOTIZ *n) {
    n->nReserved = GetU32(img, 0);
    n->crBackground = GetU32(img, 4);
    n->rcWindow.left = static_cast<int32_t>(GetU32(img, 16));
    n->rcWindow.top = static_cast<int32_t>(GetU32(img, 20));
    n->rcWindow.right = static_cast<int32_t>(GetU32(img, 24));
    n->rcWindow.bottom = static_cast<int32_t>(GetU32(img, 28));
    n->nTextSize = GetU32(img, 32);
    memcpy(n->szAlarmDate, img + 40, 6);
    memcpy(n->szAlarmTime, img + 46, 4);
    memcpy(n->cReserved1, img + 50, 2);
    n->crText = GetU32(img, 52);
    memcpy(n->cReserved2, img + 56, 12);
    return GetU32(img, 68);
}

// ---------------------------------------------------------------- desktop profiles
void SW_PutDtopHeaderImage(uint8_t *img, const DTOPHEADER *d, bool last) {
    memset(img, 0, DTOPHEADER_IMAGE_SIZE);
    PutBytes(img, 0, d->szDesktopId, 12);
    PutU32(img, 12, d->nProfilIndex);
    PutU32(img, 16, d->nWidth);
    PutU32(img, 20, d->nHeight);
    PutBytes(img, 24, d->szProfilName, 41);
    PutBytes(img, 65, d->szComputerName, 31);
    PutBytes(img, 96, d->szCreated, 8);
    PutU32(img, 104, last ? 0 : 1);
}

uint32_t SW_GetDtopHeaderImage(const uint8_t *img, DTOPHEADER *d) {
    GetText(img, 0, 12, d->szDesktopId, sizeof d->szDesktopId);
    d->nProfilIndex = GetU32(img, 12);
    d->nWidth = GetU32(img, 16);
    d->nHeight = GetU32(img, 20);
    GetText(img, 24, 41, d->szProfilName, sizeof d->szProfilName);
    GetText(img, 65, 31, d->szComputerName, sizeof d->szComputerName);
    memcpy(d->szCreated, img + 96, 8);
    return GetU32(img, 104);
}

void SW_PutDesktopImage(uint8_t *img, const DESKTOP *d, bool last) {
    memset(img, 0, DESKTOP_IMAGE_SIZE);
    PutU32(img, 0, d->nIndex);
    PutU32(img, 4, d->nProfilIndex);
    PutU32(img, 8, d->nTextLen);
    PutU32(img, 12, static_cast<uint32_t>(d->x));
    PutU32(img, 16, static_cast<uint32_t>(d->y));
    PutU32(img, 24, last ? 0 : 1);
}

uint32_t SW_GetDesktopImage(const uint8_t *img, DESKTOP *d) {
    d->nIndex = GetU32(img, 0);
    d->nProfilIndex = GetU32(img, 4);
    d->nTextLen = GetU32(img, 8);
    d->x = static_cast<int32_t>(GetU32(img, 12));
    d->y = static_cast<int32_t>(GetU32(img, 16));
    return GetU32(img, 24);
}
