#include "model/records.h"

ORDNER *lpORDNERstart = nullptr, *lpORDNERact = nullptr;
FELDTABELLE *lpFELDTABELLEstart = nullptr, *lpFELDTABELLEact = nullptr;
KARTE *lpKARTEstart = nullptr, *lpKARTEact = nullptr;
FELDTABCARD *lpFELDTABCARDstart = nullptr, *lpFELDTABCARDact = nullptr;
FELDINHALT *lpFELDINHALTstart = nullptr, *lpFELDINHALTact = nullptr;

uint32_t nOrdnerCount = 0;
uint32_t nCardCount = 0;
uint32_t nFeldCount = 0;
