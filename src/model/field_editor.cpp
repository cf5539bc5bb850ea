#include "model/field_editor.h"

#include "frame/trace.h"
#include "model/card_ops.h"
#include "model/cards.h"
#include "model/dumps.h"
#include "model/templates.h"

#include <cstdio>
#include <cstring>

namespace {
bool IsTemplateMode(const FE_EDITOR *ed) {
    return ed->nKind == FE_KIND_FOLDER && (ed->nMode == FE_MODE_NEW_TEMPLATE || ed->nMode == FE_MODE_CHANGE_TEMPLATE);
}

// "Change folder" and "Change card": fields are edited in place, never added or removed.
bool IsChangeMode(const FE_EDITOR *ed) {
    return ed->nKind == FE_KIND_FOLDER ? ed->nMode == FE_MODE_CHANGE_FOLDER : ed->nMode == CE_MODE_CHANGE;
}

bool ValidLine(int line) { return line >= 0 && static_cast<uint32_t>(line) < FeldEditor.nFeldStructCount; }


// The length edit's text: decimal digits, blanks around them allowed; -1 for anything else.
long ParseLength(const char *text) {
    while (*text == ' ')
        ++text;
    long n = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text, ++digits)
        n = n > 100000 ? n : n * 10 + (*text - '0');
    while (*text == ' ')
        ++text;
    return (digits == 0 || *text) ? -1 : n;
}

void ClearEdits(FE_INPUT *edits) {
    memset(edits, 0, sizeof *edits);
    edits->nTyp = -1;
}

// Up and Down exchange two entries. In the change modes each position keeps its
// order value, so the two fields exchange display positions while each keeps
// its index, and with it its contents.
void Exchange(const FE_EDITOR *ed, int a, int b) {
    FELDSTRUCT t = FeldStruct[a];
    FeldStruct[a] = FeldStruct[b];
    FeldStruct[b] = t;
    if (IsChangeMode(ed)) {
        uint32_t o = FeldStruct[a].nOrder;
        FeldStruct[a].nOrder = FeldStruct[b].nOrder;
        FeldStruct[b].nOrder = o;
    }
}
} // namespace

void FE_OpenFolder(FE_EDITOR *ed, uint32_t nMode, const char *title, const char *icon) {
    memset(ed, 0, sizeof *ed);
    ed->nKind = FE_KIND_FOLDER;
    ed->nMode = nMode;
    ed->nState = FE_IDLE;
    ed->nSelected = -1;
    snprintf(ed->cTitle, ORDNER_NAME_LEN, "%.24s", title ? title : "");
    snprintf(ed->cIcon, sizeof ed->cIcon, "%.24s", icon ? icon : "");
    FeldEditor.nFeldEditMode = nMode;
    if (nMode == FE_MODE_NEW_TEMPLATE)
        FS_Clear();
}

void FE_OpenCard(FE_EDITOR *ed, CARDEDIT *block) {
    memset(ed, 0, sizeof *ed);
    ed->nKind = FE_KIND_CARD;
    ed->nMode = block->nMode;
    ed->nState = FE_IDLE;
    ed->nSelected = -1;
    ed->lpBlock = block;
    snprintf(ed->cTitle, sizeof ed->cTitle, "%.49s", block->cKartenName);
    snprintf(ed->cIcon, sizeof ed->cIcon, "%.24s", block->cIconName);
    block->nCancelled = -1; // closed any other way than OK, nothing is made
    switch (block->nMode) {
    case CE_MODE_TEMPLATE: TW_LoadTemplate(block->cSourceName); break;
    case CE_MODE_COPY_CARD:
        FS_Clear();
        if (CW_GetFirstCardField(block->nSourceCard))
            CW_LoadFeldStruct(block->nSourceCard, CE_MODE_COPY_CARD);
        break;
    case CE_MODE_CHANGE: CW_LoadFeldStruct(block->nKartenKennung, CE_MODE_CHANGE); break;
    default: FS_Clear(); break;
    }
}

int FE_HasControl(const FE_EDITOR *ed, int id) {
    if (id == FE_ID_NEWFIELD || id == FE_ID_CREATE || id == FE_ID_DELETE)
        return IsChangeMode(ed) ? 0 : 1;
    return 1;
}

int FE_IsEnabled(const FE_EDITOR *ed, int id) {
    if (!FE_HasControl(ed, id))
        return 0;
    const bool idle = ed->nState == FE_IDLE;
    const bool selected = idle && ValidLine(ed->nSelected);
    switch (id) {
    case FE_ID_LIST:
    case FE_ID_NEWFIELD:
    case FE_ID_OK:
    case FE_ID_CANCEL: return idle;
    case FE_ID_FIELDNAME:
    case FE_ID_TYPE:
    case FE_ID_LENGTH:
    case FE_ID_DRAG:
    case FE_ID_FIELDCANCEL: return !idle;
    case FE_ID_CREATE: return ed->nState == FE_CREATING;
    case FE_ID_APPLY: return ed->nState == FE_EDITING;
    case FE_ID_DELETE:
    case FE_ID_CHANGE: return selected;
    case FE_ID_UP:
    case FE_ID_DOWN: return selected && FeldEditor.nFeldStructCount >= 2;
    default: return 1;
    }
}

void FE_Select(FE_EDITOR *ed, int line) { ed->nSelected = ValidLine(line) ? line : -1; }

DLG_ANSWER FE_NewField(FE_EDITOR *ed, FE_INPUT *edits) {
    if (!FE_IsEnabled(ed, FE_ID_NEWFIELD))
        return DLG_Stay();
    if (FeldEditor.nFeldStructCount >= FELDSTRUCT_MAX)
        return DLG_Error(FE_TEXT_FULL, FE_ID_LIST);
    ClearEdits(edits);
    edits->nTyp = FT_NORMAL;
    ed->nState = FE_CREATING;
    return DLG_Stay(FE_ID_FIELDNAME);
}

DLG_ANSWER FE_ChangeField(FE_EDITOR *ed, FE_INPUT *edits) {
    if (!FE_IsEnabled(ed, FE_ID_CHANGE))
        return DLG_Stay();
    const FELDSTRUCT *e = &FeldStruct[ed->nSelected];
    ClearEdits(edits);
    snprintf(edits->cName, sizeof edits->cName, "%.24s", e->cName);
    edits->nTyp = static_cast<int>(e->nTyp);
    snprintf(edits->cLaenge, sizeof edits->cLaenge, "%u", e->nLaenge);
    edits->bDrag = e->nDrag ? 1 : 0;
    ed->nState = FE_EDITING;
    return DLG_Stay(FE_ID_FIELDNAME);
}

DLG_ANSWER FE_Apply(FE_EDITOR *ed, FE_INPUT *edits) {
    if (ed->nState == FE_IDLE)
        return DLG_Stay();
    if (DLG_IsBlank(edits->cName))
        return DLG_Error("please enter fieldname!", FE_ID_FIELDNAME);
    // A template keeps its fields as comma-separated values.
    if (IsTemplateMode(ed) && strchr(edits->cName, ','))
        return DLG_Error("fieldname must not contain ','", FE_ID_FIELDNAME);
    if (edits->nTyp < 0 || edits->nTyp > static_cast<int>(FT_ALARM2))
        return DLG_Error("please select inputtype!", FE_ID_TYPE);
    const uint32_t type = static_cast<uint32_t>(edits->nTyp);
    long length = 0;
    if (type != FT_ALARM && type != FT_ALARM2) {
        if (DLG_IsBlank(edits->cLaenge))
            return DLG_Error("please enter inputlength!", FE_ID_LENGTH);
        length = ParseLength(edits->cLaenge);
        // A field of length 0 could never hold a character.
        if (length < 1 || length > MAX_FELD_LAENGE)
            return DLG_Error("inputlength invalid (250)", FE_ID_LENGTH);
    }
    if (ed->nState == FE_CREATING) {
        if (!FS_Append(edits->cName, type, static_cast<uint32_t>(length), edits->bDrag ? 1 : 0))
            return DLG_Error(FE_TEXT_FULL, FE_ID_LIST);
    } else {
        if (!ValidLine(ed->nSelected))
            return DLG_Stay();
        FELDSTRUCT *e = &FeldStruct[ed->nSelected];
        memset(e->cName, 0, sizeof e->cName);
        snprintf(e->cName, sizeof e->cName, "%.24s", edits->cName);
        e->nTyp = type;
        e->nLaenge = static_cast<uint32_t>(length);
        e->nDrag = edits->bDrag ? 1 : 0;
        FS_ApplyTypeRules(e);
    }
    ClearEdits(edits);
    ed->nState = FE_IDLE;
    return DLG_Stay(FE_ID_LIST);
}

DLG_ANSWER FE_FieldCancel(FE_EDITOR *ed) {
    ed->nState = FE_IDLE;
    return DLG_Stay(FE_ID_LIST);
}

DLG_ANSWER FE_Delete(FE_EDITOR *ed) {
    if (!FE_IsEnabled(ed, FE_ID_DELETE))
        return DLG_Stay();
    uint32_t i = static_cast<uint32_t>(ed->nSelected);
    memmove(&FeldStruct[i], &FeldStruct[i + 1], sizeof(FELDSTRUCT) * (FELDSTRUCT_SIZE - 1 - i));
    memset(&FeldStruct[FELDSTRUCT_SIZE - 1], 0, sizeof(FELDSTRUCT));
    --FeldEditor.nFeldStructCount;
    ed->nSelected = -1;
    return DLG_Stay(FE_ID_LIST);
}

DLG_ANSWER FE_Up(FE_EDITOR *ed) {
    if (!FE_IsEnabled(ed, FE_ID_UP) || ed->nSelected == 0)
        return DLG_Stay(FE_ID_LIST);
    Exchange(ed, ed->nSelected, ed->nSelected - 1);
    --ed->nSelected;
    return DLG_Stay(FE_ID_LIST);
}

DLG_ANSWER FE_Down(FE_EDITOR *ed) {
    if (!FE_IsEnabled(ed, FE_ID_DOWN) || static_cast<uint32_t>(ed->nSelected) + 1 >= FeldEditor.nFeldStructCount)
        return DLG_Stay(FE_ID_LIST);
    Exchange(ed, ed->nSelected, ed->nSelected + 1);
    ++ed->nSelected;
    return DLG_Stay(FE_ID_LIST);
}

void FE_SetIcon(FE_EDITOR *ed, const char *icon) {
    if (icon && icon[0])
        snprintf(ed->cIcon, sizeof ed->cIcon, "%.24s", icon);
}

DLG_ANSWER FE_Ok(FE_EDITOR *ed, const char *title) {
    if (ed->nState != FE_IDLE)
        return DLG_Stay();
    const uint32_t used = FS_UsedEntries();
    char name[KARTEN_NAME_LEN]; // the caller may hand in ed->cTitle itself
    snprintf(name, sizeof name, "%s", title ? title : "");
    memset(ed->cTitle, 0, sizeof ed->cTitle);
    if (ed->nKind == FE_KIND_CARD) {
        snprintf(ed->cTitle, sizeof ed->cTitle, "%.49s", name);
        if (used == 0)
            return DLG_Error(FE_TEXT_EMPTY, FE_ID_LIST);
        if (DLG_IsBlank(ed->cTitle))
            return DLG_Error("please enter cardname!", FE_ID_CARDNAME);
        CARDEDIT *block = ed->lpBlock;
        if (ed->nMode != CE_MODE_CHANGE)
            CW_AppendCardFields(block->nKartenKennung);
        snprintf(block->cIconName, sizeof block->cIconName, "%s", ed->cIcon);
        snprintf(block->cKartenName, sizeof block->cKartenName, "%s", ed->cTitle);
        block->nCancelled = 0;
        if (dwTraceLevel & TRACE_DUMP_SORT)
            ML_DumpCardFieldTable("DMP CW");
        return DLG_Close(DLG_CLOSE_OK);
    }

    snprintf(ed->cTitle, ORDNER_NAME_LEN, "%.24s", name);
    // A new folder needs fields: without any it could never hold a card's contents.
    if (used == 0 && ed->nMode == FE_MODE_NEW_FOLDER)
        return DLG_Error(FE_TEXT_EMPTY, FE_ID_NEWFIELD);
    if (used > 0 || ed->nMode == FE_MODE_CHANGE_FOLDER) {
        if (DLG_IsBlank(ed->cTitle))
            return DLG_Error("please enter foldername!", FE_ID_NAME);
        if (!ed->cIcon[0])
            return DLG_Error("please choose icon!", FE_ID_SELECTICON);
        // A template that could not be written stays in the editor rather than being lost.
        if (IsTemplateMode(ed) && TW_WriteTemplate(ed->nMode, cTemplateName, ed->cIcon) != 0)
            return DLG_Error("cannot write template file", FE_ID_NAME);
    }
    FeldEditor.nFeldEditMode = 0;
    return DLG_Close(DLG_CLOSE_OK);
}

DLG_ANSWER FE_Cancel(FE_EDITOR *ed) {
    if (ed->nKind == FE_KIND_CARD) {
        ed->lpBlock->nCancelled = -1;
    } else {
        if (ed->nMode == FE_MODE_NEW_FOLDER || ed->nMode == FE_MODE_CHANGE_FOLDER)
            FeldEditor.nDlgCancelled = 1;
        FeldEditor.nFeldEditMode = 0;
    }
    return DLG_Close(DLG_CLOSE_CANCEL);
}
