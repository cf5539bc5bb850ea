// The category table: user-defined labels that folders and cards can carry, kept
// by the program (not by a safe) in "orvcategory.dat". A folder or card holds the
// index of its category in nCategory, 0 for none ("display always").
//
// The table is a singly linked list appended at the tail, kept ascending by index;
// indexes are unique and start at 1. The filter chosen in the main window's
// filter box hides the folders and cards of other categories in the tree.
#pragma once

#include "model/records.h"

#include <cstdint>

#define CC_NAME_SIZE 32 // name buffer: at most 31 characters, zero-padded
#define CC_NAME_MIN 3   // the dialog takes names of 3 to 30 characters
#define CC_NAME_MAX 30

struct CATEGORYTAB {
    uint32_t index; // unique, from 1
    char name[CC_NAME_SIZE];
    CATEGORYTAB *next;
};

extern CATEGORYTAB *lpCATEGORYTABstart, *lpCATEGORYTABact;
struct CATEGORYSTATE {
    uint32_t nCategoryCount;  // records read from the file
    uint32_t nCategoryFilter; // the filter box's choice: a category index, 0 for "all"
};
extern CATEGORYSTATE CategoryState;

// Appends a zero-filled record at the tail, allocated under the caller's tag.
CATEGORYTAB *CC_AppendCategory(const char *tag);
// Frees every record; start and tail become null.
void CC_ReleaseCategoryTable();
// The smallest positive index not in use.
uint32_t CC_GetNewCategoryIndex();
// Sorts the table ascending by index, exchanging record contents (links stay).
void CC_SortCategory();
// Points the tail at the last record again after records were unlinked.
void CC_FindCategoryTail();
// The category of that index; null for 0 and for an index no category has.
CATEGORYTAB *CC_FindCategory(uint32_t index);
// Number of categories in the table.
uint32_t CC_CountCategories();

// ---- the filter rule the tree applies
// Whether a record of category nCategory is shown under filter nFilter: always
// with filter 0 ("all") and for category 0 ("display always"); otherwise only
// when the categories are the same. A record whose category no longer exists
// (deleted while the record kept it) is shown under every filter.
int CC_IsShownUnder(uint32_t nCategory, uint32_t nFilter);
// A folder under the present filter.
int CC_IsOrdnerShown(const ORDNER *lpOrdner);
// A card under the present filter: its own category must pass, and so must its
// folder's (a card is shown only below a shown folder).
int CC_IsKarteShown(const KARTE *lpKarte);

// ---- the filter box: "all" followed by the category names in list order
// The box, registered by the window that holds it: refilled from
// CC_FilterEntryText with its first entry ("all") selected.
class CategoryFilterView {
  public:
    virtual ~CategoryFilterView();
    virtual void Fill() = 0;
};
void CC_SetFilterView(CategoryFilterView *view);

uint32_t CC_FilterEntryCount();
const char *CC_FilterEntryText(uint32_t pos); // null past the end
uint32_t CC_FilterEntryIndex(uint32_t pos);   // 0 for "all" and past the end
// The user picked an entry. Answers 1 when that changed the filter (the window
// then resets the right pane and rebuilds the tree), 0 when it did not.
int CC_PickFilterEntry(uint32_t pos);
// Refills the filter box with "all" selected, which sets the filter to "all";
// when the filter was a category before, the tree is rebuilt. Both through the UI port.
void CC_FillFilterBox();
