#include "model/card_view.h"

#include "frame/memory.h"
#include "model/card_fields.h"
#include "model/fields.h"

#include <cstdio>
#include <cstring>

namespace {
LINKSPOT *lpLINKSPOTstart = nullptr, *lpLINKSPOTact = nullptr;
} // namespace

const LINKSPOT *CW_FirstLinkSpot() { return lpLINKSPOTstart; }
SW_LIST<LINKSPOT> CW_LinkSpots() { return {lpLINKSPOTstart}; }

void CW_FreeLinkSpots() {
    LINKSPOT *l = lpLINKSPOTstart;
    while (l) {
        LINKSPOT *next = l->next;
        T_FreeSecret("CW_F_05", l, sizeof *l); // the texts are card contents
        l = next;
    }
    lpLINKSPOTstart = lpLINKSPOTact = nullptr;
}

LINKSPOT *CW_AddLinkSpot(int32_t x, int32_t y, int32_t height, int32_t width, uint32_t type, const char *text) {
    LINKSPOT *l = static_cast<LINKSPOT *>(T_Malloc("CW_M_05", sizeof(LINKSPOT)));
    if (!l)
        return nullptr;
    l->x = x;
    l->y = y;
    l->height = height;
    l->width = width;
    l->type = type;
    snprintf(l->text, sizeof l->text, "%s", text ? text : "");
    if (lpLINKSPOTact)
        lpLINKSPOTact->next = l;
    else
        lpLINKSPOTstart = l;
    lpLINKSPOTact = l;
    return l;
}

const LINKSPOT *CW_FindLinkSpot(int32_t y) {
    for (const LINKSPOT *l = lpLINKSPOTstart; l; l = l->next)
        if (l->y <= y && y <= l->y + l->height)
            return l;
    return nullptr;
}

void CW_MaskText(const char *text, char *out, uint32_t size) {
    if (!size)
        return;
    uint32_t n = 0;
    for (; text && text[n] && n + 1 < size; ++n)
        out[n] = '*';
    out[n] = 0;
}

int CW_LinkTarget(uint32_t type, const char *text, char out[CW_TARGET_SIZE]) {
    switch (type) {
    case FT_EMAIL: snprintf(out, CW_TARGET_SIZE, "mailto:%s", text); return 0;
    case FT_URL:
        if (strncmp(text, "http://", 7) != 0 && strncmp(text, "https://", 8) != 0)
            snprintf(out, CW_TARGET_SIZE, "http://%s", text);
        else
            snprintf(out, CW_TARGET_SIZE, "%s", text);
        return 0;
    case FT_PROGRAMM: snprintf(out, CW_TARGET_SIZE, "%s", text); return 1;
    default: out[0] = 0; return -1;
    }
}

namespace {
bool IsLink(uint32_t type, const char *content) {
    return (type == FT_URL || type == FT_EMAIL || type == FT_PROGRAMM) && content[0];
}

// A field's content as the view shows it; content keeps it in clear for links.
void ShownText(uint32_t nKartenKennung, const CF_FIELD &field, char content[MAX_FELD_LAENGE + 1],
               char shown[MAX_FELD_LAENGE + 1]) {
    if (FW_GetFeld(nKartenKennung, field.nFeldIndex, content) != 0)
        content[0] = 0;
    if (field.type == FT_PASSWORT)
        CW_MaskText(content, shown, MAX_FELD_LAENGE + 1);
    else
        memcpy(shown, content, MAX_FELD_LAENGE + 1);
}
} // namespace

int CW_LayoutCard(uint32_t nKartenKennung, int32_t nameWidth, int32_t rowHeight, int32_t scrollX, int32_t scrollY,
                  CW_RowFn fn, CW_WidthFn width, void *ctx) {
    CW_FreeLinkSpots();
    CF_CURSOR cursor;
    CF_FIELD field;
    int skipped = 0, shown = 0;
    int32_t y = 0;
    CW_ROW row;
    for (int more = CF_First(nKartenKennung, &cursor, &field); more; more = CF_Next(&cursor, &field)) {
        if (skipped < scrollY) {
            ++skipped;
            continue;
        }
        memset(&row, 0, sizeof row);
        row.nFeldIndex = field.nFeldIndex;
        row.type = field.type;
        row.name = field.name;
        row.y = y;
        row.nameX = 2 - scrollX;
        row.textX = nameWidth - scrollX + 16;
        char content[MAX_FELD_LAENGE + 1] = {};
        ShownText(nKartenKennung, field, content, row.text);
        if (field.type == FT_PASSWORT)
            row.textDy = 2;
        if (IsLink(field.type, content)) {
            row.bLink = 1;
            CW_AddLinkSpot(2 - scrollX, y, rowHeight, width ? width(ctx, content) : 0, field.type, content);
        }
        fn(ctx, &row);
        ++shown;
        y += rowHeight;
        memset(content, 0, sizeof content);
    }
    memset(&row, 0, sizeof row);
    return shown;
}

int CW_AccessibleFieldCount(uint32_t nKartenKennung) {
    CF_CURSOR cursor;
    CF_FIELD field;
    int n = 0;
    for (int more = CF_First(nKartenKennung, &cursor, &field); more; more = CF_Next(&cursor, &field))
        ++n;
    return n;
}

int CW_AccessibleField(uint32_t nKartenKennung, int32_t child, CW_ACCFIELD *out) {
    CF_CURSOR cursor;
    CF_FIELD field;
    int32_t n = 0;
    for (int more = CF_First(nKartenKennung, &cursor, &field); more; more = CF_Next(&cursor, &field)) {
        if (++n != child)
            continue;
        char content[MAX_FELD_LAENGE + 1] = {};
        out->type = field.type;
        out->name = field.name;
        ShownText(nKartenKennung, field, content, out->value);
        out->bLink = IsLink(field.type, content);
        out->bProtected = field.type == FT_PASSWORT;
        memset(content, 0, sizeof content);
        return 0;
    }
    return -1;
}

int CW_CardUrlTarget(uint32_t nKartenKennung, char out[CW_TARGET_SIZE]) {
    CF_CURSOR cursor;
    CF_FIELD field;
    for (int more = CF_First(nKartenKennung, &cursor, &field); more; more = CF_Next(&cursor, &field)) {
        if (field.type != FT_URL)
            continue;
        char content[MAX_FELD_LAENGE + 1] = {};
        if (FW_GetFeld(nKartenKennung, field.nFeldIndex, content) != 0 || !content[0])
            return -1;
        CW_LinkTarget(FT_URL, content, out);
        return 0;
    }
    return -1;
}
