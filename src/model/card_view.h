// The card view's display mode without its window: the rows of a card as they
// are painted (names, contents, masked passwords, links), the link spots a
// click is tested against, and what a link opens.
#pragma once

#include "model/records.h"

#include <cstdint>

#define CW_LINK_TEXT 252   // a link record's text buffer
#define CW_TARGET_SIZE 271 // what a click opens: "mailto:" or "http://" and the content

// One link shown in the view, in client pixels.
struct LINKSPOT {
    int32_t x, y, height, width;
    uint32_t type; // FT_URL, FT_EMAIL or FT_PROGRAMM
    char text[CW_LINK_TEXT];
    LINKSPOT *next;
};
// The spots of the card shown, in the order they were painted (first, or nullptr).
const LINKSPOT *CW_FirstLinkSpot();
SW_LIST<LINKSPOT> CW_LinkSpots();

// Frees the link list; its start becomes null.
void CW_FreeLinkSpots();
// Appends a link record; null when memory ran out.
LINKSPOT *CW_AddLinkSpot(int32_t x, int32_t y, int32_t height, int32_t width, uint32_t type, const char *text);
// The first link whose row holds client height y (both ends counted); null for none.
const LINKSPOT *CW_FindLinkSpot(int32_t y);

// Every character of a password content shown as "*".
void CW_MaskText(const char *text, char *out, uint32_t size);

// What a click on a link opens. 0: out holds the target for the shell's "open"
// ("mailto:%s" for an e-mail address; a web address with "http://" in front
// unless it begins with "http://" or "https://"); 1: out holds a program path to
// start; -1: the type is no link.
int CW_LinkTarget(uint32_t type, const char *text, char out[CW_TARGET_SIZE]);

// One painted row.
struct CW_ROW {
    uint32_t nFeldIndex;
    uint32_t type;
    const char *name;
    char text[MAX_FELD_LAENGE + 1]; // as shown: masked for a password
    int32_t y;                      // row top
    int32_t nameX, textX;
    int32_t textDy;                 // passwords are drawn 2 pixels lower
    int bLink;
};
typedef void (*CW_RowFn)(void *ctx, const CW_ROW *row);
// Pixel width of a text in the link font.
typedef int (*CW_WidthFn)(void *ctx, const char *text);

// Lays out the card's rows for a paint: nameWidth is the widest field name (W),
// rowHeight the content font's row height, scrollX/scrollY the list's scroll
// positions (H in pixels, V in rows, whose first V rows are skipped). Rebuilds
// the link spots and hands each row to fn. Answers the rows shown.
int CW_LayoutCard(uint32_t nKartenKennung, int32_t nameWidth, int32_t rowHeight, int32_t scrollX, int32_t scrollY,
                  CW_RowFn fn, CW_WidthFn width, void *ctx);

// A field of a shown card as a screen reader is told it: the card view's
// children, one a field, in the order they are painted.
struct CW_ACCFIELD {
    uint32_t type;
    const char *name;                 // the field's name
    char value[MAX_FELD_LAENGE + 1];  // the content as shown: masked for a password
    int bLink;                        // a link: its default action opens it as a click would
    int bProtected;                   // a password
};
#define CW_ACC_LINK_ACTION "Open" // the default action's name for a link

// The number of fields the card's view shows.
int CW_AccessibleFieldCount(uint32_t nKartenKennung);
// Child number child (1 is the first field) of the card's view in out; -1 when
// the card shows fewer fields. The caller wipes out->value.
int CW_AccessibleField(uint32_t nKartenKennung, int32_t child, CW_ACCFIELD *out);

// The first URL field's content of a card (its effective table); 0 with the
// target to open in out, -1 when the card has no URL field or it is empty.
int CW_CardUrlTarget(uint32_t nKartenKennung, char out[CW_TARGET_SIZE]);
