// The logic behind the "Search" dialog (dialog 245, the toolbar's "Search"): its
// window procedure checks the three boxes, limits the text field and focuses it
// on opening, and on "Search" hands what the user typed and checked to
// SE_SearchDialogSearch, closing or keeping the dialog as it answers.
#pragma once

#include <cstdint>

#define SE_TEXT_LIMIT 30 // characters the text field accepts

// What the dialog does after "Search".
enum SE_DIALOG_ANSWER {
    SE_DLG_FOCUS_TEXT, // nothing to search for: the text field gets the focus again, the dialog stays
    SE_DLG_CLOSE,      // searched (with "Sorry, nothing found" shown when nothing was): close
};

// Option bits from the three check boxes ("Foldernames" 1, "Cardnames" 2, "Content" 4).
uint32_t SE_DialogOptions(int bFolders, int bCards, int bContent);

// "Search": an empty text keeps the dialog open without a message. Otherwise the
// first 30 characters are searched with the checked options; with no hit the
// user is told "Sorry, nothing found" (titled "Notice"). *pHits (when given)
// receives the hit count.
SE_DIALOG_ANSWER SE_SearchDialogSearch(const char *text, int bFolders, int bCards, int bContent, uint32_t *pHits);
