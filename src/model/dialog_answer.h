// What a dialog does after the core handled one of its buttons: stay open or
// close, a message box to show first, and the control to give the focus. The
// dialog procedures only carry this out, so every text and rule stays here.
#pragma once

#include "platform/uiport.h"

enum : int {
    DLG_STAY = 0,         // keep the dialog open
    DLG_CLOSE_OK = 1,     // end the dialog as with OK
    DLG_CLOSE_CANCEL = 2, // end the dialog as with Cancel
    DLG_NEXT = 3,         // checks passed: run the next dialog of the operation (the editor)
};

struct DLG_ANSWER {
    int nAction;           // DLG_STAY, DLG_CLOSE_OK, DLG_CLOSE_CANCEL or DLG_NEXT
    const char *lpText;    // message box to show first; null for none
    const char *lpCaption; // its caption
    unsigned nStyle;       // its UI_MB_* style
    int nFocus;            // control identifier to focus afterwards; 0 leaves the focus
};

// The answers the dialogs give most.
inline DLG_ANSWER DLG_Stay(int focus = 0) { return {DLG_STAY, nullptr, nullptr, 0, focus}; }
inline DLG_ANSWER DLG_Close(int action) { return {action, nullptr, nullptr, 0, 0}; }
// A validation failure: an error box titled "Error" with the stop icon; the dialog stays.
inline DLG_ANSWER DLG_Error(const char *text, int focus = 0) {
    return {DLG_STAY, text, "Error", UI_MB_OK | UI_MB_ICONSTOP, focus};
}

// An edit's text that holds nothing but blanks counts as empty.
inline bool DLG_IsBlank(const char *text) {
    for (; text && *text; ++text)
        if (*text != ' ' && *text != '\t')
            return false;
    return true;
}
