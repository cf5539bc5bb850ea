#include "model/unbuilt_commands.h"

#include "platform/command_ids.h"

namespace {
// A menu command and its twin on the toolbar, tray or context menu open one
// window: they leave the table together.
const unsigned kUnbuilt[] = {
    IDM_CREATEFOLDER,    IDM_TV_CREATEFOLDER,   // "Create Folder"
    IDM_CREATECARD,      IDM_TV_CREATECARD,     // "Card" for a new card
    IDM_TV_CHANGEFOLDER,                        // "Folder - Settings"
    IDM_TV_CHANGECARD,                          // "Card"
    IDM_FOLDERORDER,     IDM_TV_FOLDERORDER,    // "Change folder order"
    IDM_TV_CARDORDER,                           // "Change card order"
    IDM_TV_FOLDERCATEGORY, IDM_TV_CARDCATEGORY, // "Category"
    IDM_CATEGORIES,                             // "Modify Category"
    IDM_FOLDERTEMPLATES,                        // "Foldertemplates"
    IDM_OPTIONS,         IDT_OPTIONS,           // the Options sheet
    IDM_SAVEPDA,                                // the copy for the PDA
    IDM_UPDATE,                                 // the update hand-off
    IDT_QUICKWIN,                               // the quick window
    IDT_CREATENOTE,      IDM_TRAYCREATENOTE,    // note windows
    IDT_NOTES,           IDM_TRAYNOTES,
};
} // namespace

int UC_IsUnbuilt(unsigned command) {
    for (unsigned id : kUnbuilt)
        if (id == command)
            return 1;
    return 0;
}
