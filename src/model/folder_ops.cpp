#include "model/folder_ops.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/card_clipboard.h"
#include "model/cards.h"
#include "model/feldstruct.h"
#include "model/field_editor.h"
#include "model/field_sorts.h"
#include "model/folders.h"
#include "model/list_sorts.h"
#include "model/templates.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
const char TAG_FNK[] = "OR_FNK";

ORDNER *ByTreeItem(TREEHANDLE hItem) {
    if (!hItem)
        return nullptr;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        if (o->hOrdnerTree == hItem)
            return o;
    return nullptr;
}

} // namespace

uint32_t OW_LoadFeldStruct(uint32_t nOrdnerKennung) {
    FS_Clear();
    for (FELDTABELLE *f = lpFELDTABELLEstart; f && FeldEditor.nFeldStructCount < FELDSTRUCT_MAX; f = f->next) {
        if (f->nOrdnerKennung != nOrdnerKennung)
            continue;
        FELDSTRUCT *e = &FeldStruct[FeldEditor.nFeldStructCount++];
        e->nIndex = f->nFeldIndex;
        e->nOrder = f->nFeldOrder;
        snprintf(e->cName, sizeof e->cName, "%.24s", f->feldname);
        e->nTyp = f->feldtyp;
        e->nLaenge = f->feldlaenge;
        e->nDrag = f->drag;
    }
    FeldEditor.nFeldEditMode = FE_MODE_CHANGE_FOLDER;
    return FeldEditor.nFeldStructCount;
}

uint32_t OW_CopyTemplateFeld2Feldtabelle(uint32_t nOrdnerKennung) {
    const uint32_t used = FS_UsedEntries();
    uint32_t n = 0;
    for (; n < used; ++n) {
        FELDTABELLE *f = SW_AppendFeldTabelle("OW_M_10");
        if (!f)
            break;
        const FELDSTRUCT *e = &FeldStruct[n];
        f->nOrdnerKennung = nOrdnerKennung;
        f->nFeldIndex = n;
        f->nFeldOrder = n + 1;
        snprintf(f->feldname, sizeof f->feldname, "%.24s", e->cName);
        f->feldtyp = e->nTyp;
        f->feldlaenge = e->nLaenge;
        f->drag = e->nDrag;
        ++RecordCounts.nFeldCount;
    }
    return n;
}

void OW_ChangeFeldTabelle(uint32_t nOrdnerKennung) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B OW_ChangeFeldTabelle() (nOrdnerKennung=%u)", nOrdnerKennung);
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next) {
        if (f->nOrdnerKennung != nOrdnerKennung)
            continue;
        const FELDSTRUCT *e = nullptr;
        for (uint32_t i = 0; i < FeldEditor.nFeldStructCount && !e; ++i)
            if (FeldStruct[i].nIndex == f->nFeldIndex && FeldStruct[i].cName[0])
                e = &FeldStruct[i];
        if (!e)
            continue;
        // An individual card keeps its own field descriptions: the folder's do
        // not describe its contents.
        for (KARTE *k = lpKARTEstart; k; k = k->next) {
            if (k->nOrdnerKennung != nOrdnerKennung || CW_GetFirstCardField(k->nKartenKennung))
                continue;
            for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
                if (c->nKartenKennung == k->nKartenKennung && c->nFeldIndex == f->nFeldIndex)
                    FS_AdjustInhalt(c, f->feldlaenge, f->feldtyp, e->nLaenge, e->nTyp);
        }
        f->feldlaenge = e->nLaenge;
        f->drag = e->nDrag;
        memset(f->feldname, 0, sizeof f->feldname);
        snprintf(f->feldname, sizeof f->feldname, "%.24s", e->cName);
        f->feldtyp = e->nTyp;
        f->nFeldOrder = e->nOrder;
    }
}

void OW_CreateOrdnerTemplate(const char *templateName) {
    snprintf(cTemplateName, sizeof cTemplateName, "%.24s", templateName ? templateName : "");
    TW_LoadTemplate(cTemplateName);
}

DLG_ANSWER OW_CreateOrdnerOk(const char *folderName, const char *templateName, FE_EDITOR *ed) {
    if (DLG_IsBlank(folderName))
        return DLG_Error("please enter foldername!", OW_ID_FOLDERNAME);
    if (DLG_IsBlank(templateName))
        return DLG_Error("please select template!", OW_ID_LIST);
    // The fields come from the template shown; a template chosen again after a
    // cancelled editor is loaded afresh.
    if (strncmp(cTemplateName, templateName, TW_NAME_LEN - 1) != 0)
        OW_CreateOrdnerTemplate(templateName);
    char icon[TW_NAME_LEN];
    TW_GetTemplateIcon(cTemplateName, icon, "TW03");
    FE_OpenFolder(ed, FE_MODE_NEW_FOLDER, folderName, icon);
    return {DLG_NEXT, nullptr, nullptr, 0, 0};
}

int OW_CreateOrdnerEnd(const FE_EDITOR *ed) {
    if (FeldEditor.nDlgCancelled) {
        FeldEditor.nDlgCancelled = 0;
        cTemplateName[0] = 0;
        return -1;
    }
    return static_cast<int>(OW_NewOrdner(ed->cTitle, ed->cIcon));
}

uint32_t OW_NewOrdner(const char *name, const char *icon) {
    ORDNER *o = SW_AppendOrdner("OW_M_11");
    if (!o)
        return 0;
    ++RecordCounts.nOrdnerCount;
    if (RecordCounts.nOrdnerCount > 1)
        UI_EnableCommand(IDM_FOLDERORDER, 1);
    const uint32_t id = OW_GetNewFolderNumber(); // the new record's 0 is no identifier
    OW_CopyTemplateFeld2Feldtabelle(id);
    snprintf(o->cOrdnerName, sizeof o->cOrdnerName, "%.24s", name ? name : "");
    snprintf(o->cIconName, sizeof o->cIconName, "%.24s", icon ? icon : "");
    o->nOrdnerKennung = id;
    o->nOrdnerOrder = 9999;
    SW_SortOrdner(); // last among the folders
    UI_RebuildTree();
    UI_ShowCounts();
    return id;
}

int OW_ChangeOrdnerBegin(TREEHANDLE hFolder, FE_EDITOR *ed) {
    int id = OW_GetOrdnerId(hFolder);
    ORDNER *o = id < 0 ? nullptr : OW_GetOrdnerStructAdr(static_cast<uint32_t>(id));
    if (!o)
        return -1;
    FeldEditor.nDlgCancelled = 0;
    OW_LoadFeldStruct(o->nOrdnerKennung);
    FE_OpenFolder(ed, FE_MODE_CHANGE_FOLDER, o->cOrdnerName, o->cIconName);
    return 0;
}

int OW_ChangeOrdnerEnd(TREEHANDLE hFolder, const FE_EDITOR *ed) {
    FeldEditor.nFeldEditMode = 0;
    if (FeldEditor.nDlgCancelled) {
        FeldEditor.nDlgCancelled = 0;
        return 1;
    }
    int id = OW_GetOrdnerId(hFolder);
    ORDNER *o = id < 0 ? nullptr : OW_GetOrdnerStructAdr(static_cast<uint32_t>(id));
    if (!o)
        return -1;
    UI_ResetRightPane(); // an open in-place edit is stored before the contents change
    OW_ChangeFeldTabelle(o->nOrdnerKennung);
    memset(o->cOrdnerName, 0, sizeof o->cOrdnerName);
    snprintf(o->cOrdnerName, sizeof o->cOrdnerName, "%.24s", ed->cTitle);
    memset(o->cIconName, 0, sizeof o->cIconName);
    snprintf(o->cIconName, sizeof o->cIconName, "%.24s", ed->cIcon);
    FW_SortFieldTable();
    UI_RebuildTree();
    return 0;
}

int OW_DeleteOrdner(TREEHANDLE hFolder) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B OW_DeleteOrdner()");
    ORDNER *o = ByTreeItem(hFolder);
    if (!o) {
        ML_WriteLogF("OW04", 0, "P-Error: OW_DeleteOrdner - cannot find FolderStruct (HTREEITEM=%x)",
                     TRACE_PTR(hFolder));
        return -1;
    }
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "T OW_DeleteOrdner() (tmp->cOrdnerName=%s)(tmp->nOrdnerKennung=%d)(tmp->next=%x)",
          o->cOrdnerName, static_cast<int>(o->nOrdnerKennung), TRACE_PTR(o->next));
    char question[ORDNER_NAME_LEN + 24];
    snprintf(question, sizeof question, "Ordner [%s] l\xf6schen ?", o->cOrdnerName);
    if (UI_MessageBox(question, "Best\xe4tigen", UI_MB_OKCANCEL | UI_MB_ICONQUESTION) != UI_IDOK)
        return 1;
    return OW_RemoveOrdner(o->nOrdnerKennung);
}

int OW_RemoveOrdner(uint32_t id) {
    ORDNER *o = lpORDNERstart;
    while (o && o->nOrdnerKennung != id)
        o = o->next;
    if (!o)
        return -1;
    UI_ResetRightPane();
    // Every card of the folder goes, shown in the tree or not.
    for (;;) {
        KARTE *k = lpKARTEstart;
        while (k && k->nOrdnerKennung != id)
            k = k->next;
        if (!k)
            break;
        const uint32_t card = k->nKartenKennung;
        if (CW_RemoveCardStructById(card) != 0)
            break; // found just now: it cannot be missing
        CW_ForgetCutCard(card);
        if (RecordCounts.nCardCount > 0)
            --RecordCounts.nCardCount;
    }
    for (ORDNER **link = &lpORDNERstart; *link; link = &(*link)->next)
        if (*link == o) {
            *link = o->next;
            T_Free("OW_F_10", o);
            break;
        }
    for (FELDTABELLE **link = &lpFELDTABELLEstart; *link;) {
        FELDTABELLE *f = *link;
        if (f->nOrdnerKennung == id) {
            *link = f->next;
            T_Free("OW_F_11", f);
            if (RecordCounts.nFeldCount > 0)
                --RecordCounts.nFeldCount;
        } else {
            link = &f->next;
        }
    }
    SW_FindListTails();
    if (RecordCounts.nOrdnerCount > 0)
        --RecordCounts.nOrdnerCount;
    if (RecordCounts.nOrdnerCount < 2)
        UI_EnableCommand(IDM_FOLDERORDER, 0);
    SW_SortOrdner();
    UI_RebuildTree();
    UI_ShowCounts();
    return 0;
}
