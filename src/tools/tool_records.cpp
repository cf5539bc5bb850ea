// The list heads of the droplist, the desktop profiles and the notes.
#include "tools/desktop_records.h"
#include "tools/droplist_records.h"
#include "tools/note_records.h"

DROPLIST *lpDROPLISTstart = nullptr, *lpDROPLISTact = nullptr;
DTOPHEADER *lpDTOPHEADERstart = nullptr, *lpDTOPHEADERact = nullptr;
DESKTOP *lpDESKTOPstart = nullptr, *lpDESKTOPact = nullptr;
NOTIZ *lpNOTIZstart = nullptr, *lpNOTIZact = nullptr;
