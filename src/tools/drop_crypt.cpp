#include "tools/drop_crypt.h"

#include "crypto/file_crypt.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/trace.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "store/drop_file.h"
#include "store/safe_state.h"
#include "tools/drop_window.h"
#include "tools/droplist.h"
#include "tools/own_files.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char TAG_FNK[] = "SW_FNK";
// Files a walk leaves alone, and that a drop refuses.
const uint32_t kNeverTouched = PL_ATTR_SYSTEM | PL_ATTR_TEMPORARY | PL_ATTR_OFFLINE;
const size_t kPathBuffer = 600; // a folder's path, a backslash and an entry's name

void Fehler(const char *format, const char *path) {
    std::string text(format);
    size_t at = text.find("%s");
    text.replace(at, 2, path);
    UI_MessageBox(text.c_str(), "Fehler", UI_MB_OK | UI_MB_ICONSTOP);
}

int Password() { return static_cast<int>(ActSafeHeader.nPasswort); }

// The program's own files met on a walk are passed over, and said so.
bool OwnFile(const char *path) {
    if (!DW_IsOwnFile(path))
        return false;
    ML_WriteLogF("DW04", 0, "the program's own file, not encrypted: %s", path);
    return true;
}

uint32_t WithoutReadOnly(uint32_t a) {
    a &= ~static_cast<uint32_t>(PL_ATTR_READONLY);
    return a ? a : PL_ATTR_NORMAL;
}

bool IsDots(const char *name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

// "%s\%s" of a folder and an entry; false when it would not fit a droplist entry.
bool EntryPath(const char *folder, const char *name, char *out, size_t size) {
    int n = snprintf(out, size, "%s\\%s", folder, name);
    return n > 0 && static_cast<size_t>(n) < size && static_cast<size_t>(n) < DROP_FILENAME_LEN;
}

// The bar of a top-level walk: 50 steps over the folder's bytes.
struct FolderBar {
    bool on = false;
    uint32_t stepSize = 0, sum = 0;

    void Start(const char *pattern, uint32_t total) {
        on = true;
        DW_OpenProgress(pattern, 1);
        UI_ProgressRange(DW_PROGRESS_STEPS);
        stepSize = total / DW_PROGRESS_STEPS;
        sum = 0;
    }
    void File(uint32_t size) {
        if (!on)
            return;
        sum += size;
        if (sum > stepSize) {
            sum = 0;
            DW_StepProgress();
        }
    }
    // A subfolder may be worth several steps.
    void Folder(uint32_t size) {
        if (!on)
            return;
        sum += size;
        if (sum > stepSize) {
            if (stepSize == 0) { // a folder of fewer than 50 bytes: one step, never an endless loop
                DW_StepProgress();
            } else {
                while (sum > stepSize) {
                    DW_StepProgress();
                    sum -= stepSize;
                }
            }
            sum = 0;
        }
    }
};

// A drop file that cannot be written was reported by its writer; the files
// stay as they are and the droplist keeps them for the next write.
void WriteDropFile() { (void)SW_WriteDropList(&ActSafeHeader); }
} // namespace

void DW_OpenProgress(const char *text, int force) {
    if (!force && T_GetFileSize(text) < DW_PROGRESS_MIN_SIZE)
        return;
    UI_ProgressOpen(text);
}

void DW_StepProgress() {
    UI_ProgressStep();
    UI_PumpAndWait(0);
}

void DW_CloseProgress() {
    if (UI_ProgressShown())
        UI_ProgressClose();
}

uint32_t DW_GetFolderSize(const char *path) {
    char pattern[kPathBuffer];
    snprintf(pattern, sizeof pattern, "%s\\*", path);
    PL_FIND_DATA fd;
    PL_FIND f = PL_FindFirstFile(pattern, &fd);
    if (!f)
        return 0;
    uint32_t total = 0;
    do {
        if (fd.dwFileAttributes & PL_ATTR_REPARSE_POINT)
            continue; // a walk passes links over
        if (fd.dwFileAttributes & PL_ATTR_DIRECTORY) {
            if (IsDots(fd.cFileName))
                continue;
            char sub[kPathBuffer];
            snprintf(sub, sizeof sub, "%s\\%s", path, fd.cFileName);
            total += DW_GetFolderSize(sub);
        } else if (fd.dwFileAttributes != PL_INVALID_ATTRIBUTES &&
                   !(fd.dwFileAttributes & (kNeverTouched | PL_ATTR_READONLY))) {
            total += static_cast<uint32_t>(fd.nFileSize);
        }
    } while (PL_FindNextFile(f, &fd) == 0);
    PL_FindClose(f);
    return total;
}

namespace {
// One folder of a walk: subfolders go to recurse, files to file, which answers
// whether the file counted (for the bar of the top-level folder). The drop file
// is written when the folder is done.
template <class Recurse, class File>
void Walk(const char *path, int top, uint32_t total, Recurse recurse, File file) {
    char pattern[kPathBuffer];
    snprintf(pattern, sizeof pattern, "%s\\*", path);
    PL_FIND_DATA fd;
    PL_FIND f = PL_FindFirstFile(pattern, &fd);
    if (!f) {
        WriteDropFile(); // the folder itself changed: the drop file must know
        return;
    }
    FolderBar bar;
    if (top)
        bar.Start(pattern, total);
    do {
        const uint32_t b = fd.dwFileAttributes;
        if ((b & PL_ATTR_DIRECTORY) && IsDots(fd.cFileName))
            continue;
        char entry[kPathBuffer];
        if (!EntryPath(path, fd.cFileName, entry, sizeof entry)) {
            ML_WriteLogF("DW02", 0, "path too long for the droplist, skipped: %s\\%s", path, fd.cFileName);
            continue;
        }
        // A junction or symbolic link leads out of the dropped folder: nothing there is ours to encrypt.
        if (b & PL_ATTR_REPARSE_POINT) {
            ML_WriteLogF("DW03", 0, "link not followed, skipped: %s", entry);
            continue;
        }
        if (b & PL_ATTR_DIRECTORY) {
            bar.Folder(DW_GetFolderSize(entry));
            recurse(entry);
        } else if (b != PL_INVALID_ATTRIBUTES && file(entry, b)) {
            bar.File(static_cast<uint32_t>(fd.nFileSize));
        }
    } while (PL_FindNextFile(f, &fd) == 0);
    PL_FindClose(f);
    if (top)
        DW_CloseProgress();
    WriteDropFile();
}
} // namespace

void DW_CryptFolder(const char *path, int top) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B DW_CryptFolder(LPSTR %s, int %d)", path, top);
    if (top)
        DW_LoadOwnFiles();
    uint32_t attributes = PL_GetFileAttributes(path);
    uint32_t total = 0;
    if (top)
        total = DW_GetFolderSize(path);
    (void)DW_AddDropList(path, top ? KZ_FOLDER : KZ_MEMBER, attributes); // the path fits: checked by the caller
    PL_SetFileAttributes(path, PL_ATTR_HIDDEN);
    Walk(path, top, total,
         [](const char *sub) {
             if (!OwnFile(sub))
                 DW_CryptFolder(sub, 0);
         },
         [](const char *entry, uint32_t b) {
             // An item already in the droplist is encrypted: it is left exactly as it is.
             if ((b & kNeverTouched) || DW_IsInDropList(entry) || OwnFile(entry))
                 return false;
             if ((b & PL_ATTR_READONLY) && PL_SetFileAttributes(entry, WithoutReadOnly(b)) != 0)
                 return false;
             (void)DW_AddDropList(entry, KZ_MEMBER, b); // EntryPath made it fit
             // A member that could not be encrypted is as it was: it is not listed
             // (its read-only flag comes back with its entry).
             if (docryptMyFile(entry, cActPasswort, Password(), CY_NO_PROGRESS_BAR, CY_LOGGED) != 0)
                 DW_RemoveDropList(entry);
             return true;
         });
    if (top)
        DW_FillList();
}

namespace {
// The first entry of a path, and whether anything below a folder is still listed.
const DROPLIST *Entry(const char *path) {
    for (const DROPLIST *d : DW_DropList())
        if (strcmp(d->filename, path) == 0)
            return d;
    return nullptr;
}

// Entries below a folder whose items are gone are let go on the way: nothing
// is left to decrypt there.
bool AnythingListedBelow(const char *folder) {
    const size_t n = strlen(folder);
    bool listed = false;
    for (const DROPLIST *d : DW_DropList()) {
        if (strncmp(d->filename, folder, n) == 0 && d->filename[n] == '\\') {
            if (PL_GetFileAttributes(d->filename) == PL_INVALID_ATTRIBUTES) {
                char gone[DROP_FILENAME_LEN];
                snprintf(gone, sizeof gone, "%s", d->filename); // freed with its entry
                DW_RemoveDropList(gone);
            } else {
                listed = true;
            }
        }
    }
    return listed;
}
} // namespace

void DW_DecryptFolder(const char *path, int top) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B DW_DecryptFolder(LPSTR %s, int %d)", path, top);
    const DROPLIST *own = Entry(path);
    const uint32_t kz = own ? own->kz : static_cast<uint32_t>(top ? KZ_FOLDER : KZ_MEMBER);
    const uint32_t saved = own && own->dwAttribute != NO_ATTRIBUTES ? own->dwAttribute : PL_INVALID_ATTRIBUTES;
    DW_RemoveDropList(path);
    // Even a folder whose files total nothing is walked: its empty members and
    // subfolders carry entries and hidden attributes of their own.
    uint32_t total = top ? DW_GetFolderSize(path) : 0;
    Walk(path, top, total, [](const char *sub) { DW_DecryptFolder(sub, 0); },
         [](const char *entry, uint32_t b) {
             if (b & (kNeverTouched | PL_ATTR_READONLY))
                 return false;
             // A member still encrypted keeps its entry; the error was shown.
             if (doencryptMyFile(entry, cActPasswort, Password(), CY_NO_PROGRESS_BAR, CY_LOGGED) == 0)
                 DW_RemoveDropList(entry);
             return true;
         });
    // A folder with encrypted files left in it stays listed and hidden, so they
    // can be decrypted again from the list.
    if (AnythingListedBelow(path)) {
        (void)DW_AddDropList(path, kz, saved); // it fitted when it was first entered
        PL_SetFileAttributes(path, PL_ATTR_HIDDEN);
        WriteDropFile();
    }
}

int DW_CryptFiles(const char *const *paths, uint32_t count) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B DW_CryptFiles(UINT %u)", count);
    // What is encrypted now could not be recorded beside the files the unread
    // drop file lists.
    if (SW_DropFileFound() == SW_DROPFILE_UNREADABLE) {
        UI_MessageBox("error: dropfile could not be opened, no files can be crypted", "Error",
                      UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    // Without a password there is nothing to encrypt under (a closed safe has none either).
    if (!hmySafe || ActSafeHeader.nPasswort == 0 || !cActPasswort[0]) {
        UI_MessageBox("please enter safe password first!", "Error", UI_MB_OK | UI_MB_ICONSTOP);
        return -1;
    }
    if (UI_MessageBox("Crypt files(s) ?        ", "Cryptography",
                      UI_MB_OKCANCEL | UI_MB_ICONQUESTION | UI_MB_TOPMOST) != UI_IDOK)
        return -1;

    DW_LoadOwnFiles();
    for (uint32_t i = 0; i < count; ++i) {
        const char *path = paths[i];
        uint32_t a = PL_GetFileAttributes(path);
        bool refused = a == PL_INVALID_ATTRIBUTES || (a & kNeverTouched) ||
                       ((a & PL_ATTR_DIRECTORY) && (a & PL_ATTR_READONLY)) || strlen(path) >= DROP_FILENAME_LEN ||
                       DW_IsOwnFile(path);
        if (refused) {
            Fehler("File %s not allowed", path);
            continue;
        }
        if (DW_IsInDropList(path)) {
            char text[DROP_FILENAME_LEN + 32];
            snprintf(text, sizeof text, "File: %s already crypted!", path);
            UI_MessageBox(text, "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
            continue;
        }
        if ((a & PL_ATTR_READONLY) && PL_SetFileAttributes(path, WithoutReadOnly(a)) != 0) {
            Fehler("File %s is write protected", path);
            continue;
        }
        if (a & PL_ATTR_DIRECTORY) {
            DW_CryptFolder(path, 1);
            continue;
        }
        DW_OpenProgress(path, 0);
        if (docryptMyFile(path, cActPasswort, Password(), CY_PROGRESS_BAR, CY_LOGGED) == 0) {
            (void)DW_AddDropList(path, KZ_FILE, a); // with READONLY, which decrypting gives back; the path fits
            WriteDropFile();
        } else if (a & PL_ATTR_READONLY) {
            PL_SetFileAttributes(path, a); // not encrypted: it stays read-only
        }
        DW_CloseProgress();
    }

    DW_ShowWindow();
    UI_ShowMainWindow();
    DW_FillList();
    DW_ShowCounts();
    return 0;
}

int DW_DecryptSelection(const char *const *paths, uint32_t count) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B DW_DecryptSelection(UINT %u)", count);
    if (UI_MessageBox("decrypt ?", "Confirm", UI_MB_OKCANCEL | UI_MB_ICONQUESTION) != UI_IDOK)
        return -1;
    for (uint32_t i = 0; i < count; ++i) {
        // The item's text may go when its entry does.
        char path[DROP_FILENAME_LEN];
        snprintf(path, sizeof path, "%s", paths[i]);
        if (DW_GetFileTyp(path) == static_cast<int>(KZ_FOLDER)) {
            DW_DecryptFolder(path, 1);
            continue;
        }
        DW_OpenProgress(path, 0);
        // A file still encrypted stays listed (the error was shown); one that is
        // gone has nothing left to decrypt.
        int rc = doencryptMyFile(path, cActPasswort, Password(), CY_PROGRESS_BAR, CY_LOGGED);
        DW_CloseProgress();
        if (rc != 0 && PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES)
            continue;
        DW_RemoveDropList(path);
        WriteDropFile();
    }

    if (DropView *view = DW_GetView())
        view->Show(1);
    UI_ShowMainWindow();
    DW_FillList();
    if (DW_DropList().empty()) {
        UI_EnableCommand(IDT_SHOWCRYPTED, 0);
        UI_EnableCommand(IDT_HIDECRYPTED, 0);
        DW_HideWindow();
    }
    DW_ShowCounts();
    return 0;
}
