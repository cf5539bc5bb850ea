#include "tools/notes_list.h"

#include "frame/memory.h"
#include "frame/trace.h"
#include "platform/uiport.h"

NOTIZ *NW_AppendNote(const char *tag) {
    NOTIZ *n = static_cast<NOTIZ *>(T_Malloc(tag, sizeof(NOTIZ)));
    if (!n)
        return nullptr;
    if (!lpNOTIZstart)
        lpNOTIZstart = n;
    else
        lpNOTIZact->next = n;
    lpNOTIZact = n;
    return n;
}

namespace {
// A note's window holds the record: it is destroyed before the record is freed.
void FreeNote(NOTIZ *n, const char *tag) {
    UI_DestroyNoteWindow(n);
    if (n->lpText)
        T_FreeSecret("NW_F_02", n->lpText, n->nTextSize);
    T_Free(tag, n);
}
} // namespace

void NW_DeleteNote(NOTIZ *note) {
    NOTIZ *prev = nullptr;
    for (NOTIZ *n = lpNOTIZstart; n; prev = n, n = n->next) {
        if (n != note)
            continue;
        if (prev)
            prev->next = n->next;
        else
            lpNOTIZstart = n->next;
        FreeNote(n, "NW_F_00");
        break;
    }
    lpNOTIZact = lpNOTIZstart;
    while (lpNOTIZact && lpNOTIZact->next)
        lpNOTIZact = lpNOTIZact->next;
    if (!lpNOTIZstart)
        UI_EnableCommand(IDT_NOTES, 0);
}

bool NW_IsNote(const NOTIZ *note) {
    for (NOTIZ *n = lpNOTIZstart; n; n = n->next)
        if (n == note)
            return true;
    return false;
}

int NW_CountNotes() {
    int count = 0;
    for (NOTIZ *n = lpNOTIZstart; n; n = n->next)
        ++count;
    return count;
}

void SW_ReleaseNotizen() {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B SW_ReleaseNotizen() (lpNOTIZstart=%x)", TRACE_PTR(lpNOTIZstart));
    for (NOTIZ *n = lpNOTIZstart; n;) {
        NOTIZ *next = n->next;
        FreeNote(n, "NW_F_01");
        n = next;
    }
    lpNOTIZstart = lpNOTIZact = nullptr;
}
