#include "model/feldstruct.h"

#include "frame/memory.h"
#include "model/field_types.h"
#include "model/fields.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstring>

FELDSTRUCT FeldStruct[FELDSTRUCT_SIZE];
FELDEDITOR FeldEditor;

void FS_Clear() {
    memset(FeldStruct, 0, sizeof FeldStruct);
    FeldEditor.nFeldStructCount = 0;
}

void FS_ApplyTypeRules(FELDSTRUCT *e) {
    if (e->nTyp == FT_ALARM) {
        e->nLaenge = 10;
        e->nDrag = 0;
    } else if (e->nTyp == FT_ALARM2) {
        e->nLaenge = 3;
        e->nDrag = 0;
    }
    e->nDrag = e->nDrag ? 1 : 0;
}

FELDSTRUCT *FS_Append(const char *name, uint32_t nTyp, uint32_t nLaenge, uint32_t nDrag) {
    if (FeldEditor.nFeldStructCount >= FELDSTRUCT_MAX)
        return nullptr;
    FELDSTRUCT *e = &FeldStruct[FeldEditor.nFeldStructCount];
    memset(e, 0, sizeof *e);
    e->nIndex = FeldEditor.nFeldStructCount;
    snprintf(e->cName, sizeof e->cName, "%.24s", name ? name : "");
    e->nTyp = nTyp;
    e->nLaenge = nLaenge;
    e->nDrag = nDrag;
    FS_ApplyTypeRules(e);
    ++FeldEditor.nFeldStructCount;
    return e;
}

uint32_t FS_UsedEntries() {
    uint32_t n = 0;
    while (n < FeldEditor.nFeldStructCount && n < FELDSTRUCT_MAX && FeldStruct[n].cName[0])
        ++n;
    return n;
}

void FS_DescribeEntry(const FELDSTRUCT *e, FS_ROW *row) {
    memset(row, 0, sizeof *row);
    snprintf(row->cName, sizeof row->cName, "%.24s", e->cName);
    for (const FELDTYP *t = FeldTypen; t->nTyp != FELDTYP_ENDE; ++t)
        if (t->nTyp == e->nTyp) {
            snprintf(row->cTyp, sizeof row->cTyp, "%.16s", t->cName);
            break;
        }
    if (e->nDrag)
        row->cDrag[0] = 'Y';
    snprintf(row->cSize, sizeof row->cSize, "%u", e->nLaenge);
}

void FS_AdjustInhalt(FELDINHALT *f, uint32_t nOldLaenge, uint32_t nOldTyp, uint32_t nNewLaenge, uint32_t nNewTyp) {
    if (nNewLaenge != nOldLaenge && f->lpFeldInhalt) {
        uint32_t len = 0;
        while (len < f->nFeldLaenge && f->lpFeldInhalt[len])
            ++len;
        if (len > nNewLaenge)
            len = nNewLaenge;
        char *text = static_cast<char *>(T_Malloc("FS_M_00", nNewLaenge + 1));
        if (text) {
            memcpy(text, f->lpFeldInhalt, len);
            FW_FreeInhalt("FS_F_00", f); // wipes the old text, cut-off part included
            f->lpFeldInhalt = text;
            f->nFeldLaenge = len;
        }
    }
    if ((nNewTyp == FT_ALARM || nNewTyp == FT_ALARM2) && nNewTyp != nOldTyp)
        FW_FreeInhalt("FS_F_01", f);
}
