// A note's text and title. The note window hands every change of its text to
// NW_NoteTextChanged, so the record always holds what the window shows and the
// safe can be written without asking the windows.
#pragma once

#include "model/note_records.h"

#define NW_TITLE_CHARS 25 // a note's title is the start of its text
#define NW_TITLE_SIZE 32  // room for either title and its zero

// Keeps a copy of text in the note: a text of n > 0 characters in a buffer of
// exactly n + 1 bytes with nTextSize n + 1; an empty text frees the buffer and
// sets nTextSize 0. A replaced buffer is wiped before it is freed. 0 or -1.
[[nodiscard]] int NW_SetNoteText(NOTIZ *note, const char *text);

// The first 25 characters of text, up to its first line break.
void NW_TextTitle(const char *text, char title[NW_TITLE_SIZE]);
// "Alert: MM/DD/YY hh:mm" of the note's alarm date and time.
void NW_AlarmTitle(const NOTIZ *note, char title[NW_TITLE_SIZE]);
// The alarm title when the note has an alarm, else the title of its text.
void NW_NoteTitle(const NOTIZ *note, char title[NW_TITLE_SIZE]);
// Whether the note has an alarm: a date is set.
bool NW_HasAlarm(const NOTIZ *note);

// The text of the note's window changed: its title is set anew, then the text is
// kept (NW_SetNoteText). 0 or -1.
int NW_NoteTextChanged(NOTIZ *note, const char *text);
