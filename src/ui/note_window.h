// The note windows "orvNote": one top-level window a note, owned by the main
// window, holding the note's text in a rich edit control. Made and destroyed by
// the core through the view below, which the main window registers.
#pragma once

#include "model/notes_list.h"
#include "ui/ui_globals.h"

#define CLASS_NOTE "orvNote"

NoteView *NT_View();
