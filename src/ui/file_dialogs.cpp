#include "ui/file_dialogs.h"

#include <commdlg.h>

BOOL TR_SelectProgram(HWND hOwner, char *path, const char *initialDir) {
    char file[MAX_PATH] = {};
    lstrcpynA(file, path, sizeof file);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = "Program\0*.exe\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir && *initialDir ? initialDir : nullptr;
    ofn.lpstrTitle = "select program";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    BOOL chosen = GetOpenFileNameA(&ofn);
    if (chosen)
        lstrcpynA(path, file, MAX_PATH);
    return chosen;
}

BOOL TR_SelectFile(HWND hOwner, char *path, const char *initialDir, const char *filter) {
    char file[MAX_PATH - 1] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir && *initialDir ? initialDir : nullptr;
    ofn.lpstrTitle = "Select file";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NONETWORKBUTTON |
                OFN_NOREADONLYRETURN;
    BOOL chosen = GetOpenFileNameA(&ofn);
    if (chosen)
        lstrcpynA(path, file, MAX_PATH);
    return chosen;
}
