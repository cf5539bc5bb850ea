#include "ui/skins.h"

#include "frame/trace.h"


void SK_InitLib() { TRACE(TRACE_SKIN, "SKIN", "skin_initLib"); }

void SK_LoadSkin(const char *path, BOOL applyNow) {
    if (!path || !*path) {
        if (MainModes.bSkinLoaded) {
            SK_RemoveDialogSkin();
            SK_RemoveWindowSkin(MainWindows.hWndMain);
        }
        MainModes.bSkinLoaded = FALSE;
        return;
    }
    const int result = 0; // what the library answers without a library
    TRACE(TRACE_SKIN, "SKIN", "skin_init -> LoadSkinFile(%s) -> return %d", path, result);
    if (applyNow) {
        SK_SetWindowSkin(MainWindows.hWndMain, SK_MAIN_SKIN);
        SK_SetDialogSkin(SK_DIALOG_SKIN);
    }
    MainModes.bSkinLoaded = TRUE;
}

void SK_SetWindowSkin(HWND, const char *) { TRACE(TRACE_SKIN, "SKIN", "skin_SetWindowSkin"); }

void SK_SetDialogSkin(const char *) { TRACE(TRACE_SKIN, "SKIN", "skin_SetDialogSkin"); }

void SK_RemoveWindowSkin(HWND) {
    if (MainModes.bSkinLoaded)
        TRACE(TRACE_SKIN, "SKIN", "skin_RemoveWindowSkin");
}

void SK_RemoveDialogSkin() {
    if (MainModes.bSkinLoaded)
        TRACE(TRACE_SKIN, "SKIN", "skin_RemoveDialogSkin");
}

void SK_ExitLib() {}
