// The logic behind the five pages of the Options sheet "Properties". Each page
// is a state object: Open fills it from the settings in memory (the page shows
// it), the window copies its controls into it, and Apply checks it and stores
// it: the settings in memory at once and every key in section "Options" of the
// settings file. A refused Apply answers the message to show and keeps the sheet
// on its page; what was stored before the failing check stays stored.
//
// Only the settings are changed here; the page's window carries them to the
// windows (colours, icon size, skin, "Always on top").
#pragma once

#include "config/settings.h"
#include "model/dialog_answer.h"

// "Folder/Safe".
struct OP_FOLDER_PAGE {
    char SafePath[II_PATH_SIZE];
    char BackupPath[II_PATH_SIZE];
    char PDA_Path[II_PATH_SIZE];
    bool OpenLastSafe;
    bool AutoBackup;
    char Generations[II_PATH_SIZE]; // the edit's text
};
void OP_FolderOpen(OP_FOLDER_PAGE *p);
// Answers DLG_CLOSE_OK when everything was stored.
DLG_ANSWER OP_FolderApply(const OP_FOLDER_PAGE *p);
// A folder the program may keep files in: it exists (has a short form) and lies
// on a drive that is not unknown, remote, a CD-ROM or a RAM disk. Null when it
// is good, else the message.
const char *OP_CheckPath(const char *path);

// "Display properties". The two colours are chosen straight into the settings
// in memory (OP_SetColour); Apply stores them.
struct OP_DISPLAY_PAGE {
    int32_t IconSize; // 32, 24, 16, or 0 when no box is checked
    char Skinfile[II_PATH_SIZE];
    bool Windows; // the Windows look, no skin
};
void OP_DisplayOpen(OP_DISPLAY_PAGE *p);
enum OP_COLOUR { OP_TREE_COLOUR, OP_LIST_COLOUR };
void OP_SetColour(OP_COLOUR which, int32_t colour);
// The file chooser's answer (null: nothing chosen).
void OP_DisplaySkinChosen(OP_DISPLAY_PAGE *p, const char *file);
// "Windows" was clicked and is now checked or cleared: a checked box empties the
// skin, a cleared one without a skin answers a notice. The box ends as clicked.
DLG_ANSWER OP_DisplayWindowsClicked(OP_DISPLAY_PAGE *p, bool checked);
// The skin the page shows: empty for the Windows look.
const char *OP_DisplaySkin(const OP_DISPLAY_PAGE *p);
DLG_ANSWER OP_DisplayApply(const OP_DISPLAY_PAGE *p);

// "Program properties".
struct OP_PROGRAM_PAGE {
    bool TrayOnMinimize;
    bool TrayOnClose;
    bool StayInForeground;
    bool TimeOut;
    bool TimeOutClose;
    bool StartMinimized;
    bool Autostart; // the Run entry exists
    char Minutes[II_PATH_SIZE];
};
void OP_ProgramOpen(OP_PROGRAM_PAGE *p);
// Creates or deletes the Run entry as the box says (a failure to create it is
// told to the user and does not hold the page).
DLG_ANSWER OP_ProgramApply(const OP_PROGRAM_PAGE *p);

// "Cryptography": the four algorithm boxes.
enum OP_ALGO { OP_AES, OP_BLOWFISH, OP_CAST, OP_SKIPJACK, OP_ALGOS };
struct OP_CRYPTO_PAGE {
    bool Checked[OP_ALGOS];
};
void OP_CryptoOpen(OP_CRYPTO_PAGE *p);
// Checking one box clears the others; clearing one changes nothing else.
void OP_CryptoClicked(OP_CRYPTO_PAGE *p, OP_ALGO algo, bool checked);
DLG_ANSWER OP_CryptoApply(const OP_CRYPTO_PAGE *p);

// "Miscellaneous".
struct OP_MISC_PAGE {
    bool QWShowFolder;
    bool QWUrlQuickLink;
    bool HideOnStart;
    bool Confirm2Delete;
    char Seconds[II_PATH_SIZE];
    char SoundFile[II_PATH_SIZE]; // "Play" is enabled while it is not empty
};
void OP_MiscOpen(OP_MISC_PAGE *p);
DLG_ANSWER OP_MiscApply(const OP_MISC_PAGE *p);
