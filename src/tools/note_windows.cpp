#include "tools/note_windows.h"

#include "config/settings.h"
#include "model/notes_list.h"
#include "model/window_layout.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "tools/note_text.h"

T_NOTESTATE NoteState;

NOTIZ *NW_CreateNote() {
    NOTIZ *note = NW_AppendNote(!NW_Notes().empty() ? "NW_M_02" : "NW_M_00");
    if (!note)
        return nullptr;
    // The colours come first, so the window is made in them.
    note->crBackground = NW_NEW_BACKGROUND;
    note->crText = NW_NEW_TEXT;
    if (NW_MakeWindow(note) != 0) {
        NW_DeleteNote(note);
        return nullptr;
    }
    if (!NoteState.bNotesLoading) {
        int32_t at = NW_CASCADE_STEP * NW_CountNotes();
        NW_CascadeWindow(note, at, at);
        (void)NW_ShowWindow(note, 1); // its window was just made
    }
    UI_EnableCommand(IDT_NOTES, 1);
    return note;
}

void NW_OpenNotes() {
    NoteState.bNotesLoading = 1;
    char title[NW_TITLE_SIZE];
    for (NOTIZ *n : NW_Notes()) {
        if (NW_MakeWindow(n) != 0)
            continue;
        NW_LoadWindow(n);
        NW_NoteTitle(n, title);
        NW_SetWindowTitle(n, title);
    }
    PL_SecureZero(title, sizeof title); // a title is the start of its note's text
    if (!Settings.NOTE_HideOnStart)
        NW_ShowNotes();
    else
        NoteState.bNotesHidden = 1;
    NoteState.bNotesLoading = 0;
}

void NW_ShowNotes() {
    // A note whose window could not be made stays out of sight, as it must.
    for (NOTIZ *n : NW_Notes())
        (void)NW_ShowWindow(n, 1);
    UI_FocusMainWindow();
    NoteState.bNotesHidden = 0;
}

void NW_HideNotes() {
    for (NOTIZ *n : NW_Notes())
        (void)NW_ShowWindow(n, 0); // hidden already when it has no window
    NoteState.bNotesHidden = 1;
}

void NW_ToggleNotes() {
    if (NoteState.bNotesHidden)
        NW_ShowNotes();
    else
        NW_HideNotes();
}

int NW_CloseNote(NOTIZ *note) {
    if (Settings.NOTE_Confirm2Delete &&
        UI_MessageBox("Delete note ?", "Confirm", UI_MB_YESNO | UI_MB_ICONQUESTION) != UI_IDYES)
        return 0;
    NW_DeleteNote(note);
    return 1;
}

int NW_NoteWindowHeight(int windowHeight, int requestedBottom, int textBottom, int skinned, int dpi) {
    return windowHeight + (requestedBottom - textBottom) + WL_Scale(skinned ? NW_TEXT_MARGIN_SKIN : NW_TEXT_MARGIN, dpi);
}
