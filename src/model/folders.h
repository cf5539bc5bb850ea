// Folder lookups over the folder list and the folders' field descriptions.
// Every lookup walks its list from the start and the first match wins; when
// nothing matches it answers its not-found value and, where noted, logs a line.
// A null tree item is no item: it never matches a folder that is not shown.
#pragma once

#include "model/records.h"

#include <cstdint>

// By tree item.
int OW_GetOrdnerId(TREEHANDLE hItem);            // nOrdnerKennung; -1 + log "OW02"
char *OW_GetOrdnerName(TREEHANDLE hItem);        // null
char *OW_GetIconName(TREEHANDLE hItem);          // null
int OW_GetOrdnerCategory(TREEHANDLE hItem);      // nCategory; -1
void OW_SetOrdnerCategory(TREEHANDLE hItem, uint32_t nCategory);
int OW_SetOrdnerExpanded(TREEHANDLE hItem, uint32_t nExpanded); // 1; 0 when not found

// By folder identifier.
ORDNER *OW_GetOrdnerStructAdr(uint32_t nOrdnerID); // null + log "OW07"
TREEHANDLE OW_GetTreeHandle(uint32_t nIndex);      // null + log "OW01"
char *OW_GetOrdnerNameById(uint32_t nOrdnerID);    // null

// A folder's field descriptions, by folder identifier and nFeldIndex.
uint32_t OW_GetFeldtyp(uint32_t nOIndex, uint32_t nFIndex);               // 0 + log "OW05"
int OW_GetFeldLaenge(uint32_t nOrdner, uint32_t nFeld);                   // -1 + log "OW00"
uint32_t OW_GetDropKZ(uint32_t nOIndex, uint32_t nFIndex);                // 0 + log "OW04"
FELDTABELLE *OW_GetPointer2Feld(uint32_t nOIndex, uint32_t nFIndex);      // null + log "OW03"

// The smallest positive folder identifier not in use.
uint32_t OW_GetNewFolderNumber();

// Whether a card of the source folder fits into the target folder: 0 when it
// does, 1 when not.
int OW_CompareFeldTabelle(uint32_t nSource, uint32_t nTarget);
