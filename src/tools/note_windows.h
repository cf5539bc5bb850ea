// What the notes' commands and windows decide; the windows themselves are made,
// moved, shown and destroyed by the window layer through the UI port.
#pragma once

#include "model/note_records.h"

#define NW_NEW_BACKGROUND 0x0085FFFFu // light yellow
#define NW_NEW_TEXT 0x00000000u
#define NW_CASCADE_STEP 10    // the n-th note starts 10 x n pixels from the screen's corner
#define NW_TEXT_MARGIN 25     // the window is this much taller than its text
#define NW_TEXT_MARGIN_SKIN 40

struct T_NOTESTATE {
    int bNotesHidden;  // every note window is hidden
    int bNotesLoading; // note windows are being made for an opened safe
};
extern T_NOTESTATE NoteState;

// "Create note": appends a note in the new colours and has its window made; not
// while loading, the window is placed cascaded and shown. The notes command is
// enabled. The new note, or null when no window could be made.
NOTIZ *NW_CreateNote();
// After a safe's notes were read: a window for each, placed where it was and
// filled with its text; shown unless NOTE_HideOnStart is on.
void NW_OpenNotes();
void NW_ShowNotes();
void NW_HideNotes();
// "Hide/display notes".
void NW_ToggleNotes();
// The note window's close button: asks "Delete note ?" when NOTE_Confirm2Delete
// is on. 1 when the note was deleted (its window is destroyed), 0 when it stays.
int NW_CloseNote(NOTIZ *note);
// The text asks for a new height: its requested bottom lies d pixels below the
// text area's bottom. The window's new height (the text area takes the same);
// the margin is one at 96 DPI, scaled to dpi.
int NW_NoteWindowHeight(int windowHeight, int requestedBottom, int textBottom, int skinned, int dpi);
