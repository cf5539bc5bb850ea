#include "store/safe_lifecycle.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "crypto/kdf.h"
#include "frame/logs.h"
#include "frame/trace.h"
#include "model/desktop_profiles.h"
#include "model/droplist_records.h"
#include "model/list_release.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "platform/uiport.h"
#include "store/drop_file.h"
#include "store/safe_reader.h"
#include "store/safe_recovery.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"

#include <cstdio>
#include <cstring>
#include <string>

SafeListener::~SafeListener() = default;

namespace {
const char TAG_FNK[] = "SW_FNK";

SafeListener *g_listeners[16];
int g_listenerCount = 0;

uint32_t g_closings = 0;

void Announce(SW_EVENT event, const char *path) {
    if (event == SW_EVENT_CLOSED)
        ++g_closings;
    for (int i = 0; i < g_listenerCount; ++i)
        g_listeners[i]->SafeEvent(event, path);
}
const char kLastSafe[] = "LastSafe";

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }

void SetLastSafe(const char *path) { II_PutString(II_SECTION_SETTINGS, kLastSafe, path, INI_FILE_SETTINGS); }

// A password field's text as the program takes it: at most 31 characters.
void TakePassword(char *buffer, const char *text) { SW_SetPassword(buffer, text ? text : ""); }
} // namespace

uint32_t SW_ClosedCount() { return g_closings; }

void SW_AddListener(SafeListener *listener) {
    for (int i = 0; i < g_listenerCount; ++i)
        if (g_listeners[i] == listener)
            return;
    if (listener && g_listenerCount < static_cast<int>(sizeof g_listeners / sizeof g_listeners[0]))
        g_listeners[g_listenerCount++] = listener;
}

void SW_RemoveListener(SafeListener *listener) {
    for (int i = 0; i < g_listenerCount; ++i)
        if (g_listeners[i] == listener) {
            for (int k = i + 1; k < g_listenerCount; ++k)
                g_listeners[k - 1] = g_listeners[k];
            --g_listenerCount;
            return;
        }
}

const char *SW_ExtractSafeName(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ExtractSafeName(LPSTR %s)", path);
    const char *name = path;
    for (const char *p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    return name;
}

void SW_CopyTemp2Act() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_CopyTemp2Act() (hmySafe=%x, tmpSafe=%x)", TRACE_PTR(hmySafe),
          TRACE_PTR(tmpSafe));
    SW_ActivateWorkCopy();
}

void SW_CloseWorkSafe() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_CloseWorkSafe() (tmpSafe=%x)", TRACE_PTR(tmpSafe));
    SW_ResetWorkCopy();
}

int SW_CloseSafe(int save) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_CloseSafe(%d) (hmySafe=%x)", save, TRACE_PTR(hmySafe));
    // A safe that cannot be written stays open: closing it would lose its edits.
    // The writer has told the user why.
    if (save == 1 && SW_PutSafe(1, 0) != 0)
        return -1;
    Announce(SW_EVENT_CLOSED, cActSafePath);
    SW_RemoveRecoveryCopy(); // closed as the user asked: nothing left to recover
    SW_ForgetSafeFile();
    SW_DeactivateSafe();
    // The decrypted texts and names go with the safe, wiped, not when the next
    // safe happens to be read.
    SW_ReleaseSafeLists();
    SW_ForgetDropFileFound();
    SW_ClearPassword(cActPasswort); // nothing is encrypted under it until the next safe
    // Nor are the keys derived from it kept: closing by command, by time-out and
    // by opening another safe all end here.
    KDF_Wipe();
    return 0;
}

int SW_GetSafe(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_GetSafe(LPSTR %s, HWND %x)", path, 0u);
    // The open safe's own copy is current, not left over: it is not offered.
    char from[SAFE_PATH_SIZE + 8];
    bool recover = !(hmySafe && strcmp(path, cActSafePath) == 0) && SW_RecoveryOffer(path) == 1 &&
                   SW_RecoveryPath(path, from, sizeof from) == 0;
    if (!recover)
        snprintf(from, sizeof from, "%s", path);
    if (SW_OpenSafe(from) != 0)
        return -1;
    snprintf(cTmpSafePath, sizeof cTmpSafePath, "%s", path); // the prompt and the tree name the safe
    if (TmpSafeHeader.nPasswort == 0) {
        SW_ClearPassword(cTmpPasswort);
    } else {
        char typed[SAFE_PASSWORD_SIZE] = {};
        int answer = UI_AskPassword(SW_ExtractSafeName(cTmpSafePath), typed, sizeof typed);
        TakePassword(cTmpPasswort, typed);
        PL_SecureZero(typed, sizeof typed);
        if (answer != UI_IDOK) {
            SW_CloseWorkSafe();
            return -1;
        }
    }
    if (SW_ReadSafeHeader() != 0) {
        SW_CloseWorkSafe();
        return -1;
    }
    // The new safe's password is proven: the active one is written and closed.
    // When it cannot be written it stays the active safe and the new one is not read.
    if (hmySafe && SW_CloseSafe(1) != 0) {
        SW_CloseWorkSafe();
        return -1;
    }
    if (SW_ReadSafeSections(from) != 0) {
        SW_CloseWorkSafe();
        return -1;
    }
    if (lpNOTIZstart)
        Announce(SW_EVENT_NOTES_LOADED, path);
    if (lpDTOPHEADERstart)
        Announce(SW_EVENT_PROFILES_LOADED, path);
    SW_CopyTemp2Act();
    // Restored, the copy stays until the safe is closed: its changes are not in the safe yet.
    if (recover && SW_RecoveryAdopt(path) != 0)
        return -1;
    SW_RememberSafeFile();
    SW_RecoveryBaseline();
    SetLastSafe(cActSafePath);
    // A drop file that cannot be read is kept as it is (the user was told);
    // the safe opens all the same.
    (void)SW_ReadDropList(cActSafePath, &ActSafeHeader);
    Announce(SW_EVENT_OPENED, cActSafePath);
    return 0;
}

int SW_CreateSafeOK(const char *name, const char *password, const char *confirm, bool withoutPassword,
                    SW_FOCUS *focus) {
    *focus = SW_FOCUS_NONE;
    SW_ClearPassword(cTmpPasswort);
    if (!withoutPassword) {
        char typedConfirm[SAFE_PASSWORD_SIZE];
        TakePassword(cTmpPasswort, password);
        TakePassword(typedConfirm, confirm);
        bool same = strcmp(cTmpPasswort, typedConfirm) == 0;
        SW_ClearPassword(typedConfirm);
        if (!same) {
            SW_ClearPassword(cTmpPasswort);
            ErrorBox("passwords doesn't match!");
            *focus = SW_FOCUS_PASSWORD;
            return -1;
        }
    }
    if (!name || !*name) {
        ErrorBox("please enter safename");
        *focus = SW_FOCUS_NAME;
        return -1;
    }
    char path[SAFE_PATH_SIZE];
    int n = snprintf(path, sizeof path, "%s\\%s.saf", Settings.SafePath, name);
    if (n < 0 || static_cast<unsigned>(n) >= sizeof path) {
        ErrorBox("please enter safename");
        *focus = SW_FOCUS_NAME;
        return -1;
    }
    // Creating a safe never replaces one that is there: that safe would be lost.
    if (PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES) {
        ErrorBox("a safe of this name exists already, please enter another safename");
        *focus = SW_FOCUS_NAME;
        return -1;
    }
    TmpSafeHeader = SAFEHEADER{};
    TmpSafeHeader.nPasswort = cTmpPasswort[0] ? 1 : 0;
    TmpSafeControl = SAFECONTROL{};
    memcpy(TmpSafeControl.cSafeId, SAFE_ID, sizeof SAFE_ID);

    // The safe open until now is written first; if that fails its edits would
    // be lost with the lists, so nothing more happens.
    if (SW_PutSafe(1, 0) != 0)
        return -1;
    SW_ReleaseSafeLists(); // a new safe starts with none of the old one's
    SW_ForgetDropFileFound();
    // From here the old safe is on disk and its lists are gone: it is closed
    // whatever happens, so no later save can write empty lists over it.
    Announce(SW_EVENT_CLOSED, cActSafePath);
    SW_RemoveRecoveryCopy();
    SW_DeactivateSafe();
    snprintf(cActSafePath, sizeof cActSafePath, "%s", path);
    snprintf(cTmpSafePath, sizeof cTmpSafePath, "%s", path);
    SW_SetPassword(cActPasswort, cTmpPasswort);
    SW_SetWorkFile(SW_WriteSafeHeader(cTmpSafePath, &TmpSafeHeader, &TmpSafeControl));
    if (tmpSafe && PL_FlushFileBuffers(tmpSafe) != 0) {
        ErrorBox("cannot write safe");
        SW_SetWorkFile(nullptr);
        PL_DeleteFile(cTmpSafePath);
    }
    if (!tmpSafe) {
        SW_ClearPassword(cActPasswort);
        return -1;
    }
    SW_CopyTemp2Act();
    SW_RememberSafeFile();
    SW_RecoveryBaseline();
    SetLastSafe(cActSafePath);
    Announce(SW_EVENT_CREATED, cActSafePath);
    return 0;
}

void SW_BuildSafePath(const char *text, char *path, unsigned size) {
    std::string full = strpbrk(text, ":\\/") ? std::string(text) : std::string(Settings.SafePath) + "\\" + text + ".saf";
    snprintf(path, size, "%s", full.c_str()); // a path too long for the buffer is cut, and then not found
}

int SW_OpenSafeBrowse() {
    if (!Settings.SafePath[0]) {
        ErrorBox("missing safe path");
        return -1;
    }
    return 0;
}

int SW_OpenSafeOK(const char *text, SW_FOCUS *focus) {
    *focus = SW_FOCUS_NONE;
    if (!text || !*text) {
        ErrorBox("please enter safename");
        *focus = SW_FOCUS_PATH;
        return -1;
    }
    char path[SAFE_PATH_SIZE];
    SW_BuildSafePath(text, path, sizeof path);
    snprintf(cTmpSafePath, sizeof cTmpSafePath, "%s", path);
    if (!cActSafePath[0])
        snprintf(cActSafePath, sizeof cActSafePath, "%s", path);
    if (SW_GetSafe(path) != 0) {
        *focus = SW_FOCUS_PATH;
        return -1;
    }
    return 0;
}

int SW_ChangePasswordAllowed() {
    if (lpDROPLISTstart) {
        UI_MessageBox("not allowed: Files already in droplist!", "Notice", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    return 0;
}

int SW_ChangePasswordOK(const char *password, const char *confirm, bool withoutPassword, SW_FOCUS *focus) {
    *focus = SW_FOCUS_NONE;
    char typed[SAFE_PASSWORD_SIZE] = {};
    if (!withoutPassword) {
        char typedConfirm[SAFE_PASSWORD_SIZE];
        TakePassword(typed, password);
        TakePassword(typedConfirm, confirm);
        bool same = strcmp(typed, typedConfirm) == 0;
        SW_ClearPassword(typedConfirm);
        if (!same) {
            SW_ClearPassword(typed);
            ErrorBox("passwords doesn't match!");
            *focus = SW_FOCUS_PASSWORD;
            return -1;
        }
    }
    SW_SetPassword(cActPasswort, typed);
    SW_ClearPassword(typed);
    ActSafeHeader.nPasswort = cActPasswort[0] ? 1 : 0;
    // Nothing is read or written under the old password any more (the droplist
    // is empty): its cached keys and the password itself go now.
    KDF_Wipe();
    return 0;
}

int SW_OpenLastSafe() {
    if (!Settings.OpenLastSafe)
        return 0;
    char last[SAFE_PATH_SIZE] = {};
    II_GetStringN(II_SECTION_SETTINGS, kLastSafe, last, sizeof last, INI_FILE_SETTINGS);
    if (!last[0])
        return 0;
    if (SW_GetSafe(last) != 0) {
        SetLastSafe("");
        return -1;
    }
    return 0;
}
