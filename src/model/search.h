// Search through the open safe's folder names, card names and field contents.
// Every hit goes into a result list (one record per hit, kept until the next
// search) and, through the UI port, into the search results window.
//
// Matching: the search text occurs in the text, letters A to Z matching a to z
// (one byte at a time; other bytes match only themselves). Hits come folder by
// folder in folder list order: the folder's name hit first, then for each of its
// cards in card list order the card's name hit followed by its content hits in
// the order of the card's field descriptions. Contents of every type are searched;
// a password is listed as asterisks of its length, as the card view shows it.
#pragma once

#include "model/records.h"

#include <cstdint>

// Option bits.
constexpr uint32_t SE_FOLDERS = 1;
constexpr uint32_t SE_CARDS = 2;
constexpr uint32_t SE_CONTENTS = 4;
// Kinds of hit; the results window shows the icon kind - 1.
constexpr uint32_t SE_KIND_FOLDER = 1;
constexpr uint32_t SE_KIND_CARD = 2;
constexpr uint32_t SE_KIND_CONTENT = 3;

struct SEARCHRESULT {
    uint32_t index; // running number of the hit, from 0; the row's item data
    uint32_t kind;
    TREEHANDLE item; // the folder's item (kind 1) or the card's (2, 3) at search time; 0 when not shown
    // The record the hit came from: its tree item changes when the tree is
    // rebuilt, these identifiers do not.
    uint32_t nOrdnerKennung;
    uint32_t nKartenKennung; // 0 for a folder hit
    uint32_t nFeldIndex;     // a content hit's field
    uint32_t bProtected;     // a content hit in a password field
    SEARCHRESULT *next;
};

// The hits of the last search, in list order.
SW_LIST<SEARCHRESULT> SE_Results();

// Whether pattern occurs in the first length bytes of text (fewer when a zero
// byte comes first), without regard to the case of A to Z. An empty pattern
// occurs nowhere.
int SE_Matches(const char *text, uint32_t length, const char *pattern);

// The search results window, registered while it exists: the first hit of a
// search empties the list, shows the window and sets up its column; every hit
// appends a row (text, the icon of its kind, the hit's index as item data); the
// count goes to the status bar.
class SearchView {
  public:
    virtual ~SearchView();
    virtual void Begin() = 0;
    virtual void Add(uint32_t kind, const char *text, uint32_t index) = 0;
    virtual void Count(uint32_t count) = 0;
};
void SE_SetView(SearchView *view);

// Searches and shows the hits: frees the previous results, collects the new ones,
// and for the first hit empties, shows and prepares the results window, appending
// one row per hit; the hit count goes to its status bar in every case. An empty
// text finds nothing. Answers the number of hits. Without the results window
// the hits are collected only ("SE01" in the log).
uint32_t SE_Search(const char *text, uint32_t options);

// The same search without any window: the result list alone, for callers such as
// the terminal companion. Answers the number of hits.
uint32_t SE_SearchSafe(const char *text, uint32_t options);

// Option bits from the three switches; with none of them set, all three.
uint32_t SE_SearchOptions(int bFolders, int bCards, int bContents);

// Frees the result list.
void SE_FreeResults();
// The result of a row's index; null when there is none (a row of an earlier search).
const SEARCHRESULT *SE_FindResult(uint32_t index);
// The tree item to select for a result now: the folder's or card's present item,
// found again by its identifier; 0 when the record is gone or not in the tree.
TREEHANDLE SE_ResultTreeItem(const SEARCHRESULT *r);
// The matched text as the record holds it now; null when the record is gone.
const char *SE_ResultText(const SEARCHRESULT *r);
// The row with this index as the results window shows it: the hit's text as
// its record holds it now (a password as asterisks), cut to size, in text (may
// be null); answers the hit's kind, or 0 (and "") for no row or a record gone.
uint32_t SE_ResultRow(uint32_t index, char *text, uint32_t size);
// A click on the row with this index: the tree item to select, or null. A hit
// whose record is still there but has no tree item (the category filter hides
// it) is told to the user, so the click never selects nothing silently; a row
// of an earlier search or of a deleted record does nothing.
TREEHANDLE SE_ClickResult(uint32_t index);
