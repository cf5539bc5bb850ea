// The five record lists of an open safe: folders, the field descriptions of each
// folder, cards, the field descriptions of individual cards, and field contents.
// Each is a singly linked list held by a start and a tail ("act") pointer.
// Records come zero-filled from the tagged allocator and are appended at the tail;
// the lists own their records, and a content record owns its text.
#pragma once

#include "model/record_list.h"

#include <cstdint>

// A tree view item as the window layer hands it out; only stored and compared here.
typedef struct TreeItemRec *TREEHANDLE;

#define ORDNER_NAME_LEN 25   // folder name, at most 24 characters
#define ICON_NAME_LEN 25     // icon name, at most 24 characters
#define FELD_NAME_LEN 28     // field name, at most 24 characters
#define KARTEN_NAME_LEN 50   // card name, at most 49 characters
#define MAX_FELD_LAENGE 250  // longest field content

// Field type codes.
enum : uint32_t {
    FT_NORMAL = 0,
    FT_PASSWORT = 1,
    FT_URL = 2,
    FT_EMAIL = 3,
    FT_PROGRAMM = 4,
    FT_ALARM = 5,
    FT_ALARM2 = 6,
};

struct ORDNER {
    TREEHANDLE hOrdnerTree;
    uint32_t nOrdnerKennung;
    uint32_t nOrdnerOrder;
    char cOrdnerName[ORDNER_NAME_LEN];
    char cIconName[ICON_NAME_LEN];
    uint32_t nExpanded;
    uint32_t nCategory;
    ORDNER *next;
};

struct FELDTABELLE {
    uint32_t nOrdnerKennung;
    uint32_t nFeldIndex;
    uint32_t nFeldOrder;
    char feldname[FELD_NAME_LEN];
    uint32_t feldtyp;
    uint32_t feldlaenge;
    uint32_t drag;
    FELDTABELLE *next;
};

struct KARTE {
    TREEHANDLE hCardTree;
    uint32_t nOrdnerKennung;
    uint32_t nKartenKennung;
    uint32_t nKartenOrder;
    char cKartenName[KARTEN_NAME_LEN];
    char cIconName[ICON_NAME_LEN];
    uint32_t nExpanded;
    uint32_t nCategory;
    KARTE *next;
};

struct FELDTABCARD {
    uint32_t KartenKennung;
    uint32_t FeldIndex;
    uint32_t FeldOrder;
    char FeldName[FELD_NAME_LEN];
    uint32_t Feldtyp;
    uint32_t Feldlaenge;
    uint32_t drag;
    FELDTABCARD *next;
};

struct FELDINHALT {
    TREEHANDLE hFeldTree;
    uint32_t nKartenKennung;
    uint32_t nFeldIndex;
    uint32_t nFeldLaenge;
    FELDINHALT *next;
    char *lpFeldInhalt; // owned; null while the field was never filled
};

extern ORDNER *lpORDNERstart, *lpORDNERact;
extern FELDTABELLE *lpFELDTABELLEstart, *lpFELDTABELLEact;
extern KARTE *lpKARTEstart, *lpKARTEact;
extern FELDTABCARD *lpFELDTABCARDstart, *lpFELDTABCARDact;
extern FELDINHALT *lpFELDINHALTstart, *lpFELDINHALTact;

// The lists in order, and the records found by their ids (null when none is there).
inline SW_LIST<ORDNER> SW_Folders() { return {lpORDNERstart}; }
inline SW_LIST<FELDTABELLE> SW_FolderFields() { return {lpFELDTABELLEstart}; }
inline SW_LIST<KARTE> SW_Cards() { return {lpKARTEstart}; }
inline SW_LIST<FELDTABCARD> SW_CardFields() { return {lpFELDTABCARDstart}; }
inline SW_LIST<FELDINHALT> SW_Contents() { return {lpFELDINHALTstart}; }
ORDNER *SW_FindOrdner(uint32_t nOrdnerKennung);
KARTE *SW_FindKarte(uint32_t nKartenKennung);
// A card's own field description (cards with fields of their own).
FELDTABCARD *SW_FindCardField(uint32_t nKartenKennung, uint32_t nFeldIndex);
FELDINHALT *SW_FindInhalt(uint32_t nKartenKennung, uint32_t nFeldIndex);

// How many records the lists hold.
struct RECORDCOUNTS {
    uint32_t nOrdnerCount; // folders
    uint32_t nCardCount;   // cards
    uint32_t nFeldCount;   // field descriptions
};
extern RECORDCOUNTS RecordCounts;

// Appends a zero-filled record at the tail of its list, allocated under the
// caller's tag. Answers the record, or null when memory ran out (the allocator
// has then already started the orderly end of the program).
ORDNER *SW_AppendOrdner(const char *tag);
FELDTABELLE *SW_AppendFeldTabelle(const char *tag);
KARTE *SW_AppendKarte(const char *tag);
FELDTABCARD *SW_AppendFeldTabCard(const char *tag);
FELDINHALT *SW_AppendFeldInhalt(const char *tag);

// After records were unlinked: points every tail pointer at its list's last
// record again (null for an empty list).
void SW_FindListTails();

// Wipes and frees a content's text; the record is left without text (null, length 0).
void FW_FreeInhalt(const char *tag, FELDINHALT *rec);
