// The chain of notes of the open safe.
#pragma once

#include "model/note_records.h"

// A note's window takes 32,767 characters as typed; a stored note text larger
// than this is taken as damage.
#define NOTE_TEXT_MAX (1u << 20)

// Appends a zero-filled note at the tail; null when memory ran out.
NOTIZ *NW_AppendNote(const char *tag);
// Unlinks a note and frees it with its text (wiped); its window goes with it.
// With no note left the notes command is disabled.
void NW_DeleteNote(NOTIZ *note);
// Frees every note with its text; their windows go with them.
void SW_ReleaseNotizen();
// Whether a record is still one of the chain's notes.
bool NW_IsNote(const NOTIZ *note);
int NW_CountNotes();

// The note windows, registered by the window layer while it can make them.
// Make: the note's window and text control, hidden, in the note's colours, its
// handles kept in the record. Cascade: move it to x, y keeping its size. Load:
// place it at rcWindow's top-left corner and put in its text and text colour,
// the window taking the text's height.
class NoteView {
  public:
    virtual ~NoteView();
    virtual int Make(NOTIZ *note) = 0;
    virtual void Cascade(NOTIZ *note, int32_t x, int32_t y) = 0;
    virtual void Load(NOTIZ *note) = 0;
    // 0 once the note's window is shown (or hidden); -1 when it has none to show.
    virtual int Show(NOTIZ *note, int show) = 0;
    virtual void Destroy(NOTIZ *note) = 0;
    virtual void SetTitle(NOTIZ *note, const char *title) = 0;
    virtual void SetBackground(NOTIZ *note, uint32_t colour) = 0;
};
void NW_SetView(NoteView *view);

// What the notes ask of their windows. Without the note windows no window is
// made (-1, logged "NW01") and there is nothing to change.
[[nodiscard]] int NW_MakeWindow(NOTIZ *note);
void NW_CascadeWindow(NOTIZ *note, int32_t x, int32_t y);
void NW_LoadWindow(NOTIZ *note);
// 0, or -1 when the note has no window that could be shown.
[[nodiscard]] int NW_ShowWindow(NOTIZ *note, int show);
// Whether the note windows exist to show a note to the user.
int NW_HasWindows();
void NW_DestroyWindow(NOTIZ *note);
void NW_SetWindowTitle(NOTIZ *note, const char *title);
void NW_SetWindowBackground(NOTIZ *note, uint32_t colour);
