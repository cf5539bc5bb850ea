#include "model/search_dialog.h"

#include "model/search.h"
#include "platform/uiport.h"

#include <cstring>

uint32_t SE_DialogOptions(int bFolders, int bCards, int bContent) {
    return (bFolders ? SE_FOLDERS : 0u) | (bCards ? SE_CARDS : 0u) | (bContent ? SE_CONTENTS : 0u);
}

SE_DIALOG_ANSWER SE_SearchDialogSearch(const char *text, int bFolders, int bCards, int bContent, uint32_t *pHits) {
    if (pHits)
        *pHits = 0;
    if (!text || !*text)
        return SE_DLG_FOCUS_TEXT;
    char pattern[SE_TEXT_LIMIT + 1] = {0};
    memcpy(pattern, text, strnlen(text, SE_TEXT_LIMIT));
    uint32_t hits = SE_Search(pattern, SE_DialogOptions(bFolders, bCards, bContent));
    if (pHits)
        *pHits = hits;
    if (hits == 0)
        UI_MessageBox("Sorry, nothing found", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
    return SE_DLG_CLOSE;
}
