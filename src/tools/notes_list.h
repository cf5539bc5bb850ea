// The chain of notes of the open safe.
#pragma once

#include "tools/note_records.h"

#define NOTE_TEXT_MAX (16u << 20) // a stored note text larger than this is taken as damage

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
