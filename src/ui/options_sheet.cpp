#include "ui/options_sheet.h"

#include "frame/logs.h"
#include "platform/platform.h"
#include "store/safe_state.h"
#include "tools/options_pages.h"
#include "ui/dialog_util.h"
#include "ui/file_dialogs.h"
#include "ui/ids_options.h"
#include "ui/skins.h"
#include "ui/tree_view.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>

namespace {
// One sheet at a time: it is modal.
struct SHEET {
    OP_FOLDER_PAGE folder;
    OP_DISPLAY_PAGE display;
    OP_PROGRAM_PAGE program;
    OP_CRYPTO_PAGE crypto;
    OP_MISC_PAGE misc;
} g_sheet;

bool Checked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }
void SetCheck(HWND hDlg, int id, bool on) { CheckDlgButton(hDlg, id, on ? BST_CHECKED : BST_UNCHECKED); }
void GetText(HWND hDlg, int id, char *buf) { GetDlgItemTextA(hDlg, id, buf, II_PATH_SIZE); }

// Tells the sheet whether the page's Apply went through; a refused one shows
// its message and keeps the sheet open on the page.
INT_PTR ApplyResult(HWND hDlg, const DLG_ANSWER &answer) {
    if (answer.lpText)
        UI_MessageBox(answer.lpText, answer.lpCaption, answer.nStyle);
    SetWindowLongPtrA(hDlg, DWLP_MSGRESULT,
                      answer.nAction == DLG_CLOSE_OK ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
    return TRUE;
}

UINT NotifyCode(LPARAM lParam) { return reinterpret_cast<NMHDR *>(lParam)->code; }

// "select folder": the chosen folder replaces the edit's text.
void BrowseFolder(HWND hDlg, int editId) {
    BROWSEINFOA bi = {};
    char name[MAX_PATH] = {};
    bi.hwndOwner = hDlg;
    bi.pszDisplayName = name;
    bi.lpszTitle = "select folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    if (!list)
        return;
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(list, path))
        SetDlgItemTextA(hDlg, editId, path);
    CoTaskMemFree(list);
}

// The file chooser in a folder of the program directory.
bool SelectProgramFile(HWND hDlg, const char *folder, const char *filter, char *path) {
    char dir[MAX_PGM_DIR + 16];
    snprintf(dir, sizeof dir, "%s\\%s\\", szProgramDir, folder);
    return TR_SelectFile(hDlg, path, dir, filter) != FALSE;
}

// ---------------------------------------------------------------- Folder/Safe
INT_PTR CALLBACK FolderPage(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    OP_FOLDER_PAGE &p = g_sheet.folder;
    switch (msg) {
    case WM_INITDIALOG:
        OP_FolderOpen(&p);
        SetDlgItemTextA(hDlg, IDC_OP_SAFEPATH, p.SafePath);
        SetDlgItemTextA(hDlg, IDC_OP_BACKUPPATH, p.BackupPath);
        SetDlgItemTextA(hDlg, IDC_OP_PDAPATH, p.PDA_Path);
        SetDlgItemTextA(hDlg, IDC_OP_GENERATIONS, p.Generations);
        SetCheck(hDlg, IDC_OP_OPENLAST, p.OpenLastSafe);
        SetCheck(hDlg, IDC_OP_AUTOBACKUP, p.AutoBackup);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OP_SAFEBROWSE: BrowseFolder(hDlg, IDC_OP_SAFEPATH); return TRUE;
        case IDC_OP_BACKUPBROWSE: BrowseFolder(hDlg, IDC_OP_BACKUPPATH); return TRUE;
        case IDC_OP_PDABROWSE: BrowseFolder(hDlg, IDC_OP_PDAPATH); return TRUE;
        default: return FALSE;
        }
    case WM_NOTIFY:
        if (NotifyCode(lParam) != PSN_APPLY)
            return FALSE;
        GetText(hDlg, IDC_OP_SAFEPATH, p.SafePath);
        GetText(hDlg, IDC_OP_BACKUPPATH, p.BackupPath);
        GetText(hDlg, IDC_OP_PDAPATH, p.PDA_Path);
        GetText(hDlg, IDC_OP_GENERATIONS, p.Generations);
        p.OpenLastSafe = Checked(hDlg, IDC_OP_OPENLAST);
        p.AutoBackup = Checked(hDlg, IDC_OP_AUTOBACKUP);
        return ApplyResult(hDlg, OP_FolderApply(&p));
    default: return FALSE;
    }
}

// ---------------------------------------------------------------- Display properties
const int kIconBoxes[] = {IDC_OP_ICON32, IDC_OP_ICON24, IDC_OP_ICON16};
const int kIconSizes[] = {32, 24, 16};

void ShowColour(HWND hDlg, int sampleId, int32_t colour) {
    HWND sample = GetDlgItem(hDlg, sampleId);
    ListView_SetBkColor(sample, static_cast<COLORREF>(colour));
    InvalidateRect(sample, nullptr, TRUE);
}

// ChooseColor from the colour in memory; the choice is the setting at once.
void ChooseViewColour(HWND hDlg, OP_COLOUR which, int sampleId) {
    static COLORREF custom[16];
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = hDlg;
    cc.rgbResult = static_cast<COLORREF>(which == OP_TREE_COLOUR ? Settings.TViewBKColor : Settings.LViewBKColor);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    if (!ChooseColorA(&cc))
        return;
    OP_SetColour(which, static_cast<int32_t>(cc.rgbResult));
    ShowColour(hDlg, sampleId, static_cast<int32_t>(cc.rgbResult));
}

void ReadDisplay(HWND hDlg, OP_DISPLAY_PAGE &p) {
    p.IconSize = 0;
    for (int i = 0; i < 3 && !p.IconSize; ++i)
        if (Checked(hDlg, kIconBoxes[i]))
            p.IconSize = kIconSizes[i];
    GetText(hDlg, IDC_OP_SKIN, p.Skinfile);
    p.Windows = Checked(hDlg, IDC_OP_WINDOWS);
}

void ShowSkin(HWND hDlg, const OP_DISPLAY_PAGE &p) {
    SetDlgItemTextA(hDlg, IDC_OP_SKIN, p.Skinfile);
    SetCheck(hDlg, IDC_OP_WINDOWS, p.Windows);
}

// The views take the stored colours, icon size and skin.
void ApplyDisplay() {
    if (MainWindows.hWndRechts) {
        ListView_SetBkColor(MainWindows.hWndRechts, static_cast<COLORREF>(Settings.LViewBKColor));
        InvalidateRect(MainWindows.hWndRechts, nullptr, TRUE);
    }
    if (MainWindows.hWndLinks)
        TreeView_SetBkColor(MainWindows.hWndLinks, static_cast<COLORREF>(Settings.TViewBKColor));
    PL_Sleep(150); // the tree repaints before the skin is loaded over it
    SK_LoadSkin(Settings.Skinfile, TRUE);
    if (hmySafe)
        TV_FillTree(); // new icons in the new size
}

INT_PTR CALLBACK DisplayPage(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    OP_DISPLAY_PAGE &p = g_sheet.display;
    switch (msg) {
    case WM_INITDIALOG:
        OP_DisplayOpen(&p);
        for (int i = 0; i < 3; ++i)
            SetCheck(hDlg, kIconBoxes[i], p.IconSize == kIconSizes[i]);
        ShowSkin(hDlg, p);
        ShowColour(hDlg, IDC_OP_TREESAMPLE, Settings.TViewBKColor);
        ShowColour(hDlg, IDC_OP_LISTSAMPLE, Settings.LViewBKColor);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OP_ICON32:
        case IDC_OP_ICON24:
        case IDC_OP_ICON16:
            // One size at a time: checking one clears the others.
            if (Checked(hDlg, LOWORD(wParam)))
                for (int id : kIconBoxes)
                    SetCheck(hDlg, id, id == LOWORD(wParam));
            return TRUE;
        case IDC_OP_TREECOLOUR: ChooseViewColour(hDlg, OP_TREE_COLOUR, IDC_OP_TREESAMPLE); return TRUE;
        case IDC_OP_LISTCOLOUR: ChooseViewColour(hDlg, OP_LIST_COLOUR, IDC_OP_LISTSAMPLE); return TRUE;
        case IDC_OP_SKINBROWSE: {
            ReadDisplay(hDlg, p);
            char file[MAX_PATH] = {};
            OP_DisplaySkinChosen(&p, SelectProgramFile(hDlg, SK_SKIN_FOLDER, "Skin\0*.smf\0", file) ? file : nullptr);
            ShowSkin(hDlg, p);
            return TRUE;
        }
        case IDC_OP_WINDOWS: {
            ReadDisplay(hDlg, p);
            DLG_ANSWER a = OP_DisplayWindowsClicked(&p, p.Windows);
            ShowSkin(hDlg, p);
            if (a.lpText)
                UI_MessageBox(a.lpText, a.lpCaption, a.nStyle);
            return TRUE;
        }
        case IDC_OP_TEST:
            ReadDisplay(hDlg, p);
            // A try only: the setting stays, and Cancel puts the stored skin back.
            if (p.Windows)
                SK_LoadSkin("", TRUE);
            else if (p.Skinfile[0])
                SK_LoadSkin(p.Skinfile, TRUE);
            return TRUE;
        default: return FALSE;
        }
    case WM_NOTIFY:
        switch (NotifyCode(lParam)) {
        case PSN_APPLY: {
            ReadDisplay(hDlg, p);
            INT_PTR rc = ApplyResult(hDlg, OP_DisplayApply(&p));
            ApplyDisplay();
            return rc;
        }
        case PSN_QUERYCANCEL:
            SK_LoadSkin(Settings.Skinfile, TRUE);
            SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, FALSE);
            return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// ---------------------------------------------------------------- Program properties
struct FLAG_BOX {
    int id;
    bool OP_PROGRAM_PAGE::*flag;
};
const FLAG_BOX kProgramBoxes[] = {
    {IDC_OP_TRAYMIN, &OP_PROGRAM_PAGE::TrayOnMinimize}, {IDC_OP_TRAYCLOSE, &OP_PROGRAM_PAGE::TrayOnClose},
    {IDC_OP_ONTOP, &OP_PROGRAM_PAGE::StayInForeground}, {IDC_OP_TIMEOUT, &OP_PROGRAM_PAGE::TimeOut},
    {IDC_OP_TIMEOUTCLOSE, &OP_PROGRAM_PAGE::TimeOutClose}, {IDC_OP_STARTMIN, &OP_PROGRAM_PAGE::StartMinimized},
    {IDC_OP_AUTOSTART, &OP_PROGRAM_PAGE::Autostart},
};

INT_PTR CALLBACK ProgramPage(HWND hDlg, UINT msg, WPARAM, LPARAM lParam) {
    OP_PROGRAM_PAGE &p = g_sheet.program;
    switch (msg) {
    case WM_INITDIALOG:
        OP_ProgramOpen(&p);
        for (const FLAG_BOX &b : kProgramBoxes)
            SetCheck(hDlg, b.id, p.*b.flag);
        SendDlgItemMessageA(hDlg, IDC_OP_MINUTES, EM_LIMITTEXT, 2, 0);
        SetDlgItemTextA(hDlg, IDC_OP_MINUTES, p.Minutes);
        return TRUE;
    case WM_NOTIFY: {
        if (NotifyCode(lParam) != PSN_APPLY)
            return FALSE;
        for (const FLAG_BOX &b : kProgramBoxes)
            p.*b.flag = Checked(hDlg, b.id);
        GetText(hDlg, IDC_OP_MINUTES, p.Minutes);
        INT_PTR rc = ApplyResult(hDlg, OP_ProgramApply(&p));
        if (MainWindows.hWndMain)
            SetWindowPos(MainWindows.hWndMain, Settings.StayInForeground ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return rc;
    }
    default: return FALSE;
    }
}

// ---------------------------------------------------------------- Cryptography
const int kAlgoBoxes[OP_ALGOS] = {IDC_OP_AES, IDC_OP_BLOWFISH, IDC_OP_CAST, IDC_OP_SKIPJACK};

void ShowAlgos(HWND hDlg, const OP_CRYPTO_PAGE &p) {
    for (int a = 0; a < OP_ALGOS; ++a)
        SetCheck(hDlg, kAlgoBoxes[a], p.Checked[a]);
}

INT_PTR CALLBACK CryptoPage(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    OP_CRYPTO_PAGE &p = g_sheet.crypto;
    switch (msg) {
    case WM_INITDIALOG:
        OP_CryptoOpen(&p);
        ShowAlgos(hDlg, p);
        return TRUE;
    case WM_COMMAND:
        for (int a = 0; a < OP_ALGOS; ++a)
            if (LOWORD(wParam) == kAlgoBoxes[a]) {
                OP_CryptoClicked(&p, static_cast<OP_ALGO>(a), Checked(hDlg, kAlgoBoxes[a]));
                ShowAlgos(hDlg, p);
                return TRUE;
            }
        return FALSE;
    case WM_NOTIFY:
        if (NotifyCode(lParam) != PSN_APPLY)
            return FALSE;
        for (int a = 0; a < OP_ALGOS; ++a)
            p.Checked[a] = Checked(hDlg, kAlgoBoxes[a]);
        return ApplyResult(hDlg, OP_CryptoApply(&p));
    default: return FALSE;
    }
}

// ---------------------------------------------------------------- Miscellaneous
struct MISC_BOX {
    int id;
    bool OP_MISC_PAGE::*flag;
};
const MISC_BOX kMiscBoxes[] = {
    {IDC_OP_QWFOLDER, &OP_MISC_PAGE::QWShowFolder},
    {IDC_OP_QWURL, &OP_MISC_PAGE::QWUrlQuickLink},
    {IDC_OP_HIDEONSTART, &OP_MISC_PAGE::HideOnStart},
    {IDC_OP_CONFIRMDELETE, &OP_MISC_PAGE::Confirm2Delete},
};

void EnablePlay(HWND hDlg) {
    EnableWindow(GetDlgItem(hDlg, IDC_OP_PLAY), GetWindowTextLengthA(GetDlgItem(hDlg, IDC_OP_SOUND)) > 0);
}

INT_PTR CALLBACK MiscPage(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    OP_MISC_PAGE &p = g_sheet.misc;
    switch (msg) {
    case WM_INITDIALOG:
        OP_MiscOpen(&p);
        for (const MISC_BOX &b : kMiscBoxes)
            SetCheck(hDlg, b.id, p.*b.flag);
        SendDlgItemMessageA(hDlg, IDC_OP_SECONDS, EM_LIMITTEXT, 2, 0);
        SetDlgItemTextA(hDlg, IDC_OP_SECONDS, p.Seconds);
        SetDlgItemTextA(hDlg, IDC_OP_SOUND, p.SoundFile);
        EnablePlay(hDlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OP_SOUND:
            if (HIWORD(wParam) == EN_CHANGE)
                EnablePlay(hDlg);
            return TRUE;
        case IDC_OP_SOUNDBROWSE: {
            char file[MAX_PATH] = {};
            if (SelectProgramFile(hDlg, "Sounds", "Sound\0*.wav\0", file))
                SetDlgItemTextA(hDlg, IDC_OP_SOUND, file);
            EnablePlay(hDlg);
            return TRUE;
        }
        case IDC_OP_PLAY: {
            char file[II_PATH_SIZE];
            GetText(hDlg, IDC_OP_SOUND, file);
            if (file[0])
                (void)PL_PlaySound(file); // a file that cannot be played stays silent
            return TRUE;
        }
        default: return FALSE;
        }
    case WM_NOTIFY:
        if (NotifyCode(lParam) != PSN_APPLY)
            return FALSE;
        for (const MISC_BOX &b : kMiscBoxes)
            p.*b.flag = Checked(hDlg, b.id);
        GetText(hDlg, IDC_OP_SECONDS, p.Seconds);
        GetText(hDlg, IDC_OP_SOUND, p.SoundFile);
        return ApplyResult(hDlg, OP_MiscApply(&p));
    default: return FALSE;
    }
}
} // namespace

void OP_PropertySheet(HWND owner) {
    struct PAGE {
        int id;
        DLGPROC proc;
    };
    static const PAGE kPages[] = {{IDD_OP_FOLDER, FolderPage},
                                  {IDD_OP_DISPLAY, DisplayPage},
                                  {IDD_OP_PROGRAM, ProgramPage},
                                  {IDD_OP_CRYPTO, CryptoPage},
                                  {IDD_OP_MISC, MiscPage}};
    PROPSHEETPAGEA pages[5] = {};
    for (int i = 0; i < 5; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = hInst ? hInst : GetModuleHandleA(nullptr);
        pages[i].pszTemplate = MAKEINTRESOURCEA(kPages[i].id);
        pages[i].pfnDlgProc = kPages[i].proc;
    }
    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.hwndParent = owner;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.hInstance = pages[0].hInstance;
    sheet.pszCaption = "Properties";
    sheet.nPages = 5;
    sheet.ppsp = pages;
    (void)DU_RunPropertySheet(&sheet); // every page applied itself
}
