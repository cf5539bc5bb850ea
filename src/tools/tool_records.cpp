// The list heads of the droplist and the desktop profiles.
#include "tools/desktop_records.h"
#include "tools/droplist_records.h"

DROPLIST *lpDROPLISTstart = nullptr, *lpDROPLISTact = nullptr;
DTOPHEADER *lpDTOPHEADERstart = nullptr, *lpDTOPHEADERact = nullptr;
DESKTOP *lpDESKTOPstart = nullptr, *lpDESKTOPact = nullptr;
