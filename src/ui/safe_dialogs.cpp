#include "ui/safe_dialogs.h"

#include "config/settings.h"
#include "model/password_generator.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "ui/ids_dialogs.h"
#include "ui/mainwnd.h"

#include <commdlg.h>

#include <cstdio>
#include <initializer_list>

namespace {
// The safe dialogs nest (open safe asks for the password); the innermost one
// owns what is shown while it is up.
HWND hOpenDialogs[4];
int nOpenDialogs = 0;

void PushDialog(HWND hDlg) {
    if (nOpenDialogs < static_cast<int>(sizeof hOpenDialogs / sizeof hOpenDialogs[0]))
        hOpenDialogs[nOpenDialogs] = hDlg;
    ++nOpenDialogs;
}

void PopDialog() {
    if (nOpenDialogs > 0)
        --nOpenDialogs;
}

// Centres a dialog on its owner, or on the screen when the owner is missing or hidden.
void CentreOnOwner(HWND hDlg) {
    RECT rcDlg, rcOwner;
    GetWindowRect(hDlg, &rcDlg);
    HWND owner = GetWindow(hDlg, GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcOwner, 0);
    else
        GetWindowRect(owner, &rcOwner);
    int w = rcDlg.right - rcDlg.left, h = rcDlg.bottom - rcDlg.top;
    int x = rcOwner.left + (rcOwner.right - rcOwner.left - w) / 2;
    int y = rcOwner.top + (rcOwner.bottom - rcOwner.top - h) / 2;
    SetWindowPos(hDlg, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Focus(HWND hDlg, int id) {
    HWND hCtl = GetDlgItem(hDlg, id);
    SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hCtl), TRUE);
}

void FocusAfter(HWND hDlg, SW_FOCUS focus) {
    switch (focus) {
    case SW_FOCUS_NAME: Focus(hDlg, IDC_SD_NAME); break;
    case SW_FOCUS_PASSWORD: Focus(hDlg, IDC_SD_PASSWORD); break;
    case SW_FOCUS_PATH: Focus(hDlg, IDC_SD_PATH); break;
    case SW_FOCUS_NONE: break;
    }
}

// A password field read as the program takes it: a 32-byte buffer, so at most
// 31 characters although the field accepts 32.
void ReadPassword(HWND hDlg, int id, char (&buffer)[SD_PASSWORD_READ]) {
    GetDlgItemTextA(hDlg, id, buffer, sizeof buffer);
}

// The edit control keeps its own copy of what was typed: it is blanked before
// the dialog goes, so the text does not linger in freed memory.
void WipeField(HWND hDlg, int id) {
    HWND hCtl = GetDlgItem(hDlg, id);
    if (!hCtl)
        return;
    int n = GetWindowTextLengthA(hCtl);
    if (n > 0) {
        char blanks[SD_PATH_LIMIT + 1];
        if (n > SD_PATH_LIMIT)
            n = SD_PATH_LIMIT;
        for (int i = 0; i < n; ++i)
            blanks[i] = ' ';
        blanks[n] = 0;
        SetWindowTextA(hCtl, blanks);
    }
    SetWindowTextA(hCtl, "");
}

void WipePasswordFields(HWND hDlg) {
    WipeField(hDlg, IDC_SD_PASSWORD);
    WipeField(hDlg, IDC_SD_CONFIRM);
}

void LimitField(HWND hDlg, int id, int limit) { SendDlgItemMessageA(hDlg, id, EM_LIMITTEXT, limit, 0); }

bool Checked(HWND hDlg, int id) { return IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }

// "without Password" takes the password fields and "Automatic" out of use.
void EnablePasswordFields(HWND hDlg, bool enable) {
    EnableWindow(GetDlgItem(hDlg, IDC_SD_PASSWORD), enable);
    EnableWindow(GetDlgItem(hDlg, IDC_SD_CONFIRM), enable);
    EnableWindow(GetDlgItem(hDlg, IDC_SD_AUTOMATIC), enable);
}

// "Automatic": a generated password in both fields. They show it in clear, for
// a password the user never saw would lock the safe for good.
void FillGeneratedPassword(HWND hDlg) {
    char generated[16];
    SW_GeneratePassword(generated, 10);
    for (int id : {IDC_SD_PASSWORD, IDC_SD_CONFIRM}) {
        SendDlgItemMessageA(hDlg, id, EM_SETPASSWORDCHAR, 0, 0);
        SetDlgItemTextA(hDlg, id, generated);
        InvalidateRect(GetDlgItem(hDlg, id), nullptr, TRUE);
    }
    SecureZeroMemory(generated, sizeof generated);
}

// Handles what the create and change dialogs share; true when the command was theirs.
bool PasswordFieldsCommand(HWND hDlg, WORD id) {
    switch (id) {
    case IDC_SD_AUTOMATIC: FillGeneratedPassword(hDlg); return true;
    case IDC_SD_NOPASSWORD: EnablePasswordFields(hDlg, !Checked(hDlg, IDC_SD_NOPASSWORD)); return true;
    default: return false;
    }
}

void CloseDialog(HWND hDlg, INT_PTR result) {
    WipePasswordFields(hDlg);
    EndDialog(hDlg, result);
}

// ---------------------------------------------------------------- Enter Safe - Password
struct AskPasswordArgs {
    const char *safeName;
    char *password;
    unsigned size;
};

INT_PTR CALLBACK AskPasswordProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        PushDialog(hDlg);
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        const auto *args = reinterpret_cast<AskPasswordArgs *>(lParam);
        CentreOnOwner(hDlg);
        SetDlgItemTextA(hDlg, IDC_SD_SAFENAME, args->safeName ? args->safeName : "");
        LimitField(hDlg, IDC_SD_PASSWORD, SD_PASSWORD_LIMIT);
        Focus(hDlg, IDC_SD_PASSWORD);
        // At start the prompt comes before the main window is shown: it must be in front.
        SetForegroundWindow(hDlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            auto *args = reinterpret_cast<AskPasswordArgs *>(GetWindowLongPtrA(hDlg, DWLP_USER));
            char typed[SD_PASSWORD_READ] = {};
            ReadPassword(hDlg, IDC_SD_PASSWORD, typed);
            snprintf(args->password, args->size, "%s", typed);
            SecureZeroMemory(typed, sizeof typed);
            CloseDialog(hDlg, IDOK);
            return TRUE;
        }
        case IDCANCEL: CloseDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    case WM_DESTROY: PopDialog(); break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- Create New Safe
INT_PTR CALLBACK CreateSafeProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        PushDialog(hDlg);
        CentreOnOwner(hDlg);
        LimitField(hDlg, IDC_SD_NAME, SD_NAME_LIMIT);
        LimitField(hDlg, IDC_SD_PASSWORD, SD_PASSWORD_LIMIT);
        LimitField(hDlg, IDC_SD_CONFIRM, SD_PASSWORD_LIMIT);
        Focus(hDlg, IDC_SD_NAME);
        return TRUE;
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        if (PasswordFieldsCommand(hDlg, id))
            return TRUE;
        if (id == IDOK) {
            char name[SD_NAME_LIMIT + 1] = {};
            char password[SD_PASSWORD_READ] = {}, confirm[SD_PASSWORD_READ] = {};
            GetDlgItemTextA(hDlg, IDC_SD_NAME, name, sizeof name);
            bool without = Checked(hDlg, IDC_SD_NOPASSWORD);
            if (!without) {
                ReadPassword(hDlg, IDC_SD_PASSWORD, password);
                ReadPassword(hDlg, IDC_SD_CONFIRM, confirm);
            }
            SW_FOCUS focus = SW_FOCUS_NONE;
            int rc = SW_CreateSafeOK(name, password, confirm, without, &focus);
            SecureZeroMemory(password, sizeof password);
            SecureZeroMemory(confirm, sizeof confirm);
            if (rc == 0)
                CloseDialog(hDlg, IDOK);
            else
                FocusAfter(hDlg, focus);
            return TRUE;
        }
        if (id == IDCANCEL) {
            CloseDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    case WM_DESTROY: PopDialog(); break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- open safe
// The select-safe file dialog: an existing *.SAF file, starting in SafePath.
bool SelectSafeFile(HWND owner, char *path, unsigned size) {
    path[0] = 0;
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Safe\0*.SAF\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = size;
    ofn.lpstrInitialDir = Settings.SafePath;
    ofn.lpstrTitle = "Select Safe";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NONETWORKBUTTON | OFN_NOCHANGEDIR |
                OFN_EXPLORER;
    return GetOpenFileNameA(&ofn) != 0 && path[0];
}

INT_PTR CALLBACK OpenSafeProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        PushDialog(hDlg);
        CentreOnOwner(hDlg);
        LimitField(hDlg, IDC_SD_PATH, SD_PATH_LIMIT);
        Focus(hDlg, IDC_SD_PATH);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SD_BROWSE: {
            if (SW_OpenSafeBrowse() != 0)
                return TRUE;
            char path[SD_PATH_LIMIT] = {}; // up to 259 characters
            if (SelectSafeFile(hDlg, path, sizeof path))
                SetDlgItemTextA(hDlg, IDC_SD_PATH, path);
            return TRUE;
        }
        case IDOK: {
            char text[SD_PATH_LIMIT + 1] = {};
            GetDlgItemTextA(hDlg, IDC_SD_PATH, text, sizeof text);
            SW_FOCUS focus = SW_FOCUS_NONE;
            if (SW_OpenSafeOK(text, &focus) == 0)
                EndDialog(hDlg, IDOK);
            else
                FocusAfter(hDlg, focus);
            return TRUE;
        }
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    case WM_DESTROY: PopDialog(); break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- Safe Password
INT_PTR CALLBACK ChangePasswordProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        PushDialog(hDlg);
        CentreOnOwner(hDlg);
        SetDlgItemTextA(hDlg, IDC_SD_SAFENAME, SW_ExtractSafeName(cActSafePath));
        LimitField(hDlg, IDC_SD_PASSWORD, SD_PASSWORD_LIMIT);
        LimitField(hDlg, IDC_SD_CONFIRM, SD_PASSWORD_LIMIT);
        if (ActSafeHeader.nPasswort == 0 || !cActPasswort[0]) {
            CheckDlgButton(hDlg, IDC_SD_NOPASSWORD, BST_CHECKED);
            EnablePasswordFields(hDlg, false);
            Focus(hDlg, IDOK);
        } else {
            Focus(hDlg, IDC_SD_PASSWORD);
        }
        return TRUE;
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        if (PasswordFieldsCommand(hDlg, id))
            return TRUE;
        if (id == IDOK) {
            char password[SD_PASSWORD_READ] = {}, confirm[SD_PASSWORD_READ] = {};
            bool without = Checked(hDlg, IDC_SD_NOPASSWORD);
            if (!without) {
                ReadPassword(hDlg, IDC_SD_PASSWORD, password);
                ReadPassword(hDlg, IDC_SD_CONFIRM, confirm);
            }
            SW_FOCUS focus = SW_FOCUS_NONE;
            int rc = SW_ChangePasswordOK(password, confirm, without, &focus);
            SecureZeroMemory(password, sizeof password);
            SecureZeroMemory(confirm, sizeof confirm);
            if (rc == 0)
                CloseDialog(hDlg, IDOK);
            else
                FocusAfter(hDlg, focus);
            return TRUE;
        }
        if (id == IDCANCEL) {
            CloseDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    case WM_DESTROY: PopDialog(); break;
    }
    return FALSE;
}

int RunDialog(int id, DLGPROC proc, LPARAM param) {
    INT_PTR rc = DialogBoxParamA(hInst ? hInst : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), SD_Owner(), proc,
                                 param);
    return rc == IDOK ? IDOK : IDCANCEL;
}
} // namespace

HWND SD_Owner() {
    if (nOpenDialogs > 0 && nOpenDialogs <= static_cast<int>(sizeof hOpenDialogs / sizeof hOpenDialogs[0]))
        return hOpenDialogs[nOpenDialogs - 1];
    return hWndMain;
}

int SD_AskPassword(const char *safeName, char *password, unsigned size) {
    if (!password || size == 0)
        return IDCANCEL;
    password[0] = 0;
    AskPasswordArgs args = {safeName, password, size};
    int rc = RunDialog(IDD_ENTERPASSWORD, AskPasswordProc, reinterpret_cast<LPARAM>(&args));
    if (rc != IDOK)
        SecureZeroMemory(password, size);
    return rc;
}

int SD_CreateSafeDialog() { return RunDialog(IDD_CREATESAFE, CreateSafeProc, 0); }

int SD_OpenSafeDialog() { return RunDialog(IDD_OPENSAFE, OpenSafeProc, 0); }

int SD_ChangePasswordDialog() {
    if (SW_ChangePasswordAllowed() != 0)
        return IDCANCEL;
    MA_ToolbarNoCard(); // the card buttons wait for a card to be chosen again
    return RunDialog(IDD_CHANGEPASSWORD, ChangePasswordProc, 0);
}
