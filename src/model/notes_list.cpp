#include "model/notes_list.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "platform/uiport.h"

NOTIZ *lpNOTIZstart = nullptr, *lpNOTIZact = nullptr;

NoteView::~NoteView() = default;

namespace {
NoteView *g_view = nullptr;

NoteView *WindowOf(const NOTIZ *) { return g_view; }
} // namespace

void NW_SetView(NoteView *view) { g_view = view; }

int NW_HasWindows() { return g_view != nullptr; }

int NW_MakeWindow(NOTIZ *note) {
    if (!g_view) {
        ML_WriteLog("NW01", "no note windows", 0);
        return -1;
    }
    return g_view->Make(note);
}

void NW_CascadeWindow(NOTIZ *note, int32_t x, int32_t y) {
    if (NoteView *v = WindowOf(note))
        v->Cascade(note, x, y);
}

void NW_LoadWindow(NOTIZ *note) {
    if (NoteView *v = WindowOf(note))
        v->Load(note);
}

int NW_ShowWindow(NOTIZ *note, int show) {
    NoteView *v = WindowOf(note);
    return v ? v->Show(note, show) : -1;
}

void NW_DestroyWindow(NOTIZ *note) {
    if (NoteView *v = WindowOf(note))
        v->Destroy(note);
}

void NW_SetWindowTitle(NOTIZ *note, const char *title) {
    if (NoteView *v = WindowOf(note))
        v->SetTitle(note, title);
}

void NW_SetWindowBackground(NOTIZ *note, uint32_t colour) {
    if (NoteView *v = WindowOf(note))
        v->SetBackground(note, colour);
}

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
    NW_DestroyWindow(n);
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
