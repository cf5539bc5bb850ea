// The byte images of a safe file's header, control block and records. Every
// record is written and read field by field, little-endian, at fixed offsets,
// so the 32-bit and 64-bit programs write and accept the very same files.
// Handles and pointers are stored as 0; `next` is 1 in every record of a chain
// but its last, where it is 0.
#pragma once

#include "model/desktop_records.h"
#include "model/note_records.h"
#include "model/records.h"

#include <cstddef>
#include <cstdint>

#define SAFE_MAJOR_RELEASE 1
#define SAFE_MINOR_RELEASE 11
#define SAFE_VERSION 111 // major * 100 + minor
#define SAFE_ID "ORVSAFE"

enum : uint32_t {
    SAFEHEADER_SIZE = 16,
    SAFECONTROL_SIZE = 10,
    TEXTBLOCK_HEADER_SIZE = 8,
    ORDNER_IMAGE_SIZE = 76,
    ORDNER_IMAGE_SIZE_V105 = 64, // versions x.1 to x.5
    ORDNER_IMAGE_SIZE_V108 = 72, // versions x.6 to x.8
    FELDTABELLE_IMAGE_SIZE = 56,
    FELDTABELLE_IMAGE_SIZE_V110 = 52, // versions x.1 to x.10
    KARTE_IMAGE_SIZE = 104,
    KARTE_IMAGE_SIZE_V105 = 92,
    KARTE_IMAGE_SIZE_V108 = 100,
    FELDINHALT_IMAGE_SIZE = 24,
    FELDTABCARD_IMAGE_SIZE = 56,
    NOTIZ_IMAGE_SIZE = 72,
    DTOPHEADER_IMAGE_SIZE = 108,
    DESKTOP_IMAGE_SIZE = 28,
    RECORD_IMAGE_MAX = 108,
};

// Section markers of the optional sections (stored without terminator).
#define FTC_MARKER "FTC_ID"
#define FTC_MARKER_LEN 6
#define NOTIZ_MARKER "NOTIZ_ID"
#define NOTIZ_MARKER_LEN 8
#define DESKTOP_MARKER "DESKTOP_ID"
#define DESKTOP_MARKER_LEN 10

struct SAFEHEADER {
    uint32_t nPasswort; // 1 with a password
    uint32_t nMajorRelease;
    uint32_t nMinorRelease;
    uint32_t nControlLength; // bytes of the control envelope that follows
};

struct SAFECONTROL {
    char cSafeId[8]; // "ORVSAFE" and its zero
    uint16_t nReserved;
};

struct TEXTBLOCKHEADER {
    uint32_t nCryptLength; // envelope bytes that follow
    uint32_t nPlainLength; // bytes of the texts before enveloping
};

// Whether a text block header can be right with `left` bytes of the file after
// it: the envelope lies within the file, and the plain texts are no more than an
// envelope of that size can hold.
bool SW_TextBlockPlausible(const TEXTBLOCKHEADER *t, uint64_t left);

// Version number for comparisons: 1.11 is 111.
inline uint32_t SW_VersionNumber(uint32_t major, uint32_t minor) { return major * 100 + minor; }

// A record's stored image, field by field: one layout per record kind and
// version, used by the writer, the reader and the tests alike.
enum SW_FIELDKIND : uint8_t {
    SW_NUMBER,  // 4 bytes little-endian
    SW_TEXT,    // text of a fixed width, written byte for byte, read terminated
    SW_OLDTEXT, // an older layout's text: read up to its zero into the wider field
    SW_RAW,     // bytes without terminator
};
struct SW_FIELD {
    uint32_t at; // offset in the image
    SW_FIELDKIND kind;
    uint32_t stored; // bytes in the image
    size_t member;   // offset of the field in the record
    size_t size;     // and its size there
};
struct SW_LAYOUT {
    uint32_t size;
    uint32_t next; // offset of the stored `next`
    const SW_FIELD *fields;
    size_t count;
};
extern const SW_LAYOUT SW_ORDNER_LAYOUT, SW_ORDNER_LAYOUT_V108, SW_ORDNER_LAYOUT_V105;
extern const SW_LAYOUT SW_FELDTABELLE_LAYOUT, SW_FELDTABELLE_LAYOUT_V110;
extern const SW_LAYOUT SW_KARTE_LAYOUT, SW_KARTE_LAYOUT_V108, SW_KARTE_LAYOUT_V105;
extern const SW_LAYOUT SW_FELDINHALT_LAYOUT, SW_FELDTABCARD_LAYOUT, SW_NOTIZ_LAYOUT;
extern const SW_LAYOUT SW_DTOPHEADER_LAYOUT, SW_DESKTOP_LAYOUT;

// Where a record's field (offsetof) lies in a layout's image; the layout's size
// when the layout does not store it.
uint32_t SW_ImageOffset(const SW_LAYOUT &layout, size_t member);

// The layout a version stores, for the three record kinds whose layout changed.
const SW_LAYOUT &SW_OrdnerLayout(uint32_t major, uint32_t minor);
const SW_LAYOUT &SW_FeldTabelleLayout(uint32_t major, uint32_t minor);
const SW_LAYOUT &SW_KarteLayout(uint32_t major, uint32_t minor);

// Stored image sizes of the three record kinds whose layout changed over the versions.
uint32_t SW_OrdnerImageSize(uint32_t major, uint32_t minor);
uint32_t SW_FeldTabelleImageSize(uint32_t major, uint32_t minor);
uint32_t SW_KarteImageSize(uint32_t major, uint32_t minor);

void SW_PutHeaderImage(uint8_t *img, const SAFEHEADER *h);
void SW_GetHeaderImage(const uint8_t *img, SAFEHEADER *h);
void SW_PutControlImage(uint8_t *img, const SAFECONTROL *c);
void SW_GetControlImage(const uint8_t *img, SAFECONTROL *c);
void SW_PutTextBlockHeaderImage(uint8_t *img, const TEXTBLOCKHEADER *t);
void SW_GetTextBlockHeaderImage(const uint8_t *img, TEXTBLOCKHEADER *t);

// Writers: always the current layout. `last` stores next = 0.
void SW_PutOrdnerImage(uint8_t *img, const ORDNER *o, bool last);
void SW_PutFeldTabelleImage(uint8_t *img, const FELDTABELLE *f, bool last);
void SW_PutKarteImage(uint8_t *img, const KARTE *k, bool last);
void SW_PutFeldInhaltImage(uint8_t *img, const FELDINHALT *f, bool last);
void SW_PutFeldTabCardImage(uint8_t *img, const FELDTABCARD *f, bool last);
void SW_PutNotizImage(uint8_t *img, const NOTIZ *n, bool last);
void SW_PutDtopHeaderImage(uint8_t *img, const DTOPHEADER *d, bool last);
void SW_PutDesktopImage(uint8_t *img, const DESKTOP *d, bool last);

// Readers: fill the record's stored fields (handles, pointers and `next` are left
// alone) from an image of the given version's layout, converting older layouts,
// and answer the stored `next`. Every text comes out terminated.
uint32_t SW_GetOrdnerImage(const uint8_t *img, uint32_t major, uint32_t minor, ORDNER *o);
uint32_t SW_GetFeldTabelleImage(const uint8_t *img, uint32_t major, uint32_t minor, FELDTABELLE *f);
uint32_t SW_GetKarteImage(const uint8_t *img, uint32_t major, uint32_t minor, KARTE *k);
uint32_t SW_GetFeldInhaltImage(const uint8_t *img, FELDINHALT *f);
uint32_t SW_GetFeldTabCardImage(const uint8_t *img, FELDTABCARD *f);
uint32_t SW_GetNotizImage(const uint8_t *img, NOTIZ *n);
uint32_t SW_GetDtopHeaderImage(const uint8_t *img, DTOPHEADER *d);
uint32_t SW_GetDesktopImage(const uint8_t *img, DESKTOP *d);
