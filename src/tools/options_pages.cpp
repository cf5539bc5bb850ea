#include "tools/options_pages.h"

#include "config/inifile.h"
#include "platform/platform.h"
#include "tools/run_entry.h"

#include <cstdio>
#include <cstring>

namespace {
// The pages' messages are plain boxes: no icon.
DLG_ANSWER Refuse(const char *text, const char *caption = "Error") {
    return {DLG_STAY, text, caption, UI_MB_OK, 0};
}
DLG_ANSWER Stored() { return DLG_Close(DLG_CLOSE_OK); }

void Copy(char *to, const char *from) { snprintf(to, II_PATH_SIZE, "%s", from ? from : ""); }

void PutFlag(const char *key, bool *setting, bool value) {
    *setting = value;
    (void)II_PutFlag(II_SECTION_OPTIONS, key, value); // a failed write is logged there
}

void PutPath(const char *key, char *setting, const char *value) {
    Copy(setting, value);
    (void)II_PutString(II_SECTION_OPTIONS, key, setting, INI_FILE_SETTINGS);
}

// The number in the first two characters of an edit, as the edits hold no more.
int32_t TwoDigits(const char *text) {
    char cut[3] = {};
    memcpy(cut, text, text[0] ? 2 : 1);
    return II_ParseInt(cut);
}

void ShowNumber(char *to, int32_t value) { snprintf(to, II_PATH_SIZE, "%d", static_cast<int>(value)); }

const int32_t kAlgoNumbers[OP_ALGOS] = {8, 9, 4, 10}; // cryptlib's AES, Blowfish, CAST-128, Skipjack
} // namespace

const char *OP_CheckPath(const char *path) {
    char shortPath[II_PATH_SIZE];
    if (PL_GetShortPathName(path, shortPath, sizeof shortPath) != 0)
        return "invalid path";
    switch (PL_GetDriveType(path)) {
    case PL_DRIVE_UNKNOWN:
    case PL_DRIVE_REMOTE:
    case PL_DRIVE_CDROM:
    case PL_DRIVE_RAMDISK: return "invalid drive";
    default: return nullptr;
    }
}

void OP_FolderOpen(OP_FOLDER_PAGE *p) {
    Copy(p->SafePath, Settings.SafePath);
    Copy(p->BackupPath, Settings.BackupPath);
    Copy(p->PDA_Path, Settings.PDA_Path);
    p->OpenLastSafe = Settings.OpenLastSafe;
    p->AutoBackup = Settings.AutoBackup;
    ShowNumber(p->Generations, Settings.BackupGenerations);
}

DLG_ANSWER OP_FolderApply(const OP_FOLDER_PAGE *p) {
    struct Folder {
        const char *key;
        const char *typed;
        char *setting;
    };
    const Folder folders[] = {{"SafePath", p->SafePath, Settings.SafePath},
                              {"BackupPath", p->BackupPath, Settings.BackupPath},
                              {"PDA_Path", p->PDA_Path, Settings.PDA_Path}};
    for (const Folder &f : folders) {
        if (!f.typed[0]) {
            // An automatic backup needs somewhere to go; otherwise an empty folder keeps the stored one.
            if (f.setting == Settings.BackupPath && p->AutoBackup)
                return Refuse("backup automatic selected, missing backup path!");
            continue;
        }
        if (const char *message = OP_CheckPath(f.typed))
            return Refuse(message);
        PutPath(f.key, f.setting, f.typed);
    }
    PutFlag("OpenLastSafe", &Settings.OpenLastSafe, p->OpenLastSafe);
    PutFlag("AutoBackup", &Settings.AutoBackup, p->AutoBackup);
    // One digit: the backup names carry the generation as a single character.
    const char *g = p->Generations;
    if (g[0] < '1' || g[0] > '9' || g[1] != 0)
        return Refuse("invalid backup generations (1-9)!");
    Settings.BackupGenerations = g[0] - '0';
    (void)II_PutInt(II_SECTION_OPTIONS, "BackupGenerations", Settings.BackupGenerations);
    return Stored();
}

void OP_DisplayOpen(OP_DISPLAY_PAGE *p) {
    p->IconSize = Settings.IconSize;
    Copy(p->Skinfile, Settings.Skinfile);
    p->Windows = Settings.Skinfile[0] == 0;
}

void OP_SetColour(OP_COLOUR which, int32_t colour) {
    (which == OP_TREE_COLOUR ? Settings.TViewBKColor : Settings.LViewBKColor) = colour;
}

void OP_DisplaySkinChosen(OP_DISPLAY_PAGE *p, const char *file) {
    p->Windows = !file || !*file;
    if (!p->Windows)
        Copy(p->Skinfile, file);
}

DLG_ANSWER OP_DisplayWindowsClicked(OP_DISPLAY_PAGE *p, bool checked) {
    p->Windows = checked;
    if (checked)
        p->Skinfile[0] = 0;
    else if (!p->Skinfile[0])
        return Refuse("Please select skin first", "Notice");
    return DLG_Stay();
}

const char *OP_DisplaySkin(const OP_DISPLAY_PAGE *p) { return p->Windows ? "" : p->Skinfile; }

DLG_ANSWER OP_DisplayApply(const OP_DISPLAY_PAGE *p) {
    Settings.IconSize = p->IconSize == 32 || p->IconSize == 24 ? p->IconSize : 16;
    (void)II_PutInt(II_SECTION_OPTIONS, "IconSize", Settings.IconSize);
    (void)II_PutInt(II_SECTION_OPTIONS, "LViewBKColor", Settings.LViewBKColor);
    (void)II_PutInt(II_SECTION_OPTIONS, "TViewBKColor", Settings.TViewBKColor);
    PutPath("Skinfile", Settings.Skinfile, OP_DisplaySkin(p));
    return Stored();
}

void OP_ProgramOpen(OP_PROGRAM_PAGE *p) {
    p->TrayOnMinimize = Settings.TrayOnMinimize;
    p->TrayOnClose = Settings.TrayOnClose;
    p->StayInForeground = Settings.StayInForeground;
    p->TimeOut = Settings.TimeOut;
    p->TimeOutClose = Settings.TimeOutClose;
    p->StartMinimized = Settings.StartMinimized;
    p->Autostart = RG_HasRunEntry() != 0;
    ShowNumber(p->Minutes, Settings.TimeOutMinutes);
}

DLG_ANSWER OP_ProgramApply(const OP_PROGRAM_PAGE *p) {
    PutFlag("TrayOnClose", &Settings.TrayOnClose, p->TrayOnClose);
    PutFlag("TrayOnMinimize", &Settings.TrayOnMinimize, p->TrayOnMinimize);
    PutFlag("StayInForeground", &Settings.StayInForeground, p->StayInForeground);
    PutFlag("TimeOut", &Settings.TimeOut, p->TimeOut);
    PutFlag("TimeOutClose", &Settings.TimeOutClose, p->TimeOutClose);
    PutFlag("StartMinimized", &Settings.StartMinimized, p->StartMinimized);
    // Both tell the user or the log themselves; the other settings stand either way.
    if (p->Autostart)
        (void)RG_CreateRunEntry();
    else if (RG_HasRunEntry())
        (void)RG_DeleteRunEntry();
    int32_t minutes = TwoDigits(p->Minutes);
    // A time-out of no minutes would fire at once: it runs with the default.
    Settings.TimeOutMinutes = minutes == 0 && Settings.TimeOut ? II_DEF_TIMEOUTMINUTES : minutes;
    (void)II_PutInt(II_SECTION_OPTIONS, "TimeOutMinutes", minutes);
    return Stored();
}

void OP_CryptoOpen(OP_CRYPTO_PAGE *p) {
    for (int a = 0; a < OP_ALGOS; ++a)
        p->Checked[a] = Settings.CryptAlgo == kAlgoNumbers[a];
}

void OP_CryptoClicked(OP_CRYPTO_PAGE *p, OP_ALGO algo, bool checked) {
    if (checked)
        for (int a = 0; a < OP_ALGOS; ++a)
            p->Checked[a] = false;
    p->Checked[algo] = checked;
}

DLG_ANSWER OP_CryptoApply(const OP_CRYPTO_PAGE *p) {
    int a = 0;
    while (a < OP_SKIPJACK && !p->Checked[a])
        ++a; // none checked ends at Skipjack
    Settings.CryptAlgo = kAlgoNumbers[a];
    (void)II_PutInt(II_SECTION_OPTIONS, "CryptAlgo", Settings.CryptAlgo);
    return Stored();
}

void OP_MiscOpen(OP_MISC_PAGE *p) {
    p->QWShowFolder = Settings.QWShowFolder;
    p->QWUrlQuickLink = Settings.QWUrlQuickLink;
    p->HideOnStart = Settings.NOTE_HideOnStart;
    p->Confirm2Delete = Settings.NOTE_Confirm2Delete;
    ShowNumber(p->Seconds, Settings.QWMinimizeTime);
    Copy(p->SoundFile, Settings.NoteAlertSoundFile);
}

DLG_ANSWER OP_MiscApply(const OP_MISC_PAGE *p) {
    PutFlag("QWShowFolder", &Settings.QWShowFolder, p->QWShowFolder);
    PutFlag("QWUrlQuickLink", &Settings.QWUrlQuickLink, p->QWUrlQuickLink);
    int32_t seconds = TwoDigits(p->Seconds);
    // A quick window that shrinks at once could not be used.
    Settings.QWMinimizeTime = seconds == 0 ? II_DEF_QWMINIMIZETIME : seconds;
    (void)II_PutInt(II_SECTION_OPTIONS, "QWMinimizeTime", seconds);
    PutFlag("NOTE_HideOnStart", &Settings.NOTE_HideOnStart, p->HideOnStart);
    PutFlag("NOTE_Confirm2Delete", &Settings.NOTE_Confirm2Delete, p->Confirm2Delete);
    // An empty sound silences the alarm now; the stored one is kept for the next start.
    Copy(Settings.NoteAlertSoundFile, p->SoundFile);
    if (p->SoundFile[0])
        (void)II_PutString(II_SECTION_OPTIONS, "NoteAlertSoundFile", p->SoundFile, INI_FILE_SETTINGS);
    return Stored();
}
