// The chain of notes of the open safe.
#pragma once

#include "tools/note_records.h"

#define NOTE_TEXT_MAX (16u << 20) // a stored note text larger than this is taken as damage

// Appends a zero-filled note at the tail; null when memory ran out.
NOTIZ *NW_AppendNote(const char *tag);
// Unlinks a note and frees it with its text (wiped).
void NW_DeleteNote(NOTIZ *note);
// Frees every note with its text.
void SW_ReleaseNotizen();
