#include "ui/safe_dialogs.h"

#include "config/settings.h"
#include "model/password_generator.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "ui/dialog_util.h"
#include "ui/ids_dialogs.h"
#include "ui/mainwnd.h"
#include "ui/toolbar.h"

#include <commdlg.h>

#include <cstdio>
#include <initializer_list>

namespace {
// The core shows its own messages: its answer is the control to focus, or none
// when the dialog is done.
DLG_ANSWER Answer(int rc, SW_FOCUS focus) {
    if (rc == 0)
        return DLG_Close(DLG_CLOSE_OK);
    switch (focus) {
    case SW_FOCUS_NAME: return DLG_Stay(IDC_SD_NAME);
    case SW_FOCUS_PASSWORD: return DLG_Stay(IDC_SD_PASSWORD);
    case SW_FOCUS_PATH: return DLG_Stay(IDC_SD_PATH);
    case SW_FOCUS_NONE: break;
    }
    return DLG_Stay();
}

// A password field read as the program takes it: a 32-byte buffer, so at most
// 31 characters although the field accepts 32.
void ReadPassword(HWND hDlg, int id, char (&buffer)[SD_PASSWORD_READ]) {
    GetDlgItemTextA(hDlg, id, buffer, sizeof buffer);
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

// However a dialog ends, its password fields are blanked before it goes.
void WipePasswordFields(HWND hDlg) {
    DU_WipeEdit(hDlg, IDC_SD_PASSWORD);
    DU_WipeEdit(hDlg, IDC_SD_CONFIRM);
}

// The password and its confirmation as typed; both empty "without Password".
struct TypedPasswords {
    char password[SD_PASSWORD_READ] = {};
    char confirm[SD_PASSWORD_READ] = {};
    bool without;
    explicit TypedPasswords(HWND hDlg) : without(Checked(hDlg, IDC_SD_NOPASSWORD)) {
        if (!without) {
            ReadPassword(hDlg, IDC_SD_PASSWORD, password);
            ReadPassword(hDlg, IDC_SD_CONFIRM, confirm);
        }
    }
    ~TypedPasswords() {
        SecureZeroMemory(password, sizeof password);
        SecureZeroMemory(confirm, sizeof confirm);
    }
};

// ---------------------------------------------------------------- Enter Safe - Password
struct AskPasswordArgs {
    const char *safeName;
    char *password;
    unsigned size;
};

void AskPasswordOk(HWND hDlg) {
    auto *args = reinterpret_cast<AskPasswordArgs *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    char typed[SD_PASSWORD_READ] = {};
    ReadPassword(hDlg, IDC_SD_PASSWORD, typed);
    snprintf(args->password, args->size, "%s", typed);
    SecureZeroMemory(typed, sizeof typed);
    EndDialog(hDlg, IDOK);
}

INT_PTR CALLBACK AskPasswordProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        const auto *args = reinterpret_cast<AskPasswordArgs *>(lParam);
        DU_CentreOnOwner(hDlg);
        SetDlgItemTextA(hDlg, IDC_SD_SAFENAME, args->safeName ? args->safeName : "");
        LimitField(hDlg, IDC_SD_PASSWORD, SD_PASSWORD_LIMIT);
        DU_Focus(hDlg, IDC_SD_PASSWORD);
        // At start the prompt comes before the main window is shown: it must be in front.
        SetForegroundWindow(hDlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: AskPasswordOk(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    case WM_DESTROY: WipePasswordFields(hDlg); break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- Create New Safe
void CreateSafeOk(HWND hDlg) {
    char name[SD_NAME_LIMIT + 1] = {};
    GetDlgItemTextA(hDlg, IDC_SD_NAME, name, sizeof name);
    TypedPasswords typed(hDlg);
    SW_FOCUS focus = SW_FOCUS_NONE;
    int rc = SW_CreateSafeOK(name, typed.password, typed.confirm, typed.without, &focus);
    DU_ApplyAnswer(hDlg, Answer(rc, focus));
}

INT_PTR CALLBACK CreateSafeProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        DU_CentreOnOwner(hDlg);
        LimitField(hDlg, IDC_SD_NAME, SD_NAME_LIMIT);
        LimitField(hDlg, IDC_SD_PASSWORD, SD_PASSWORD_LIMIT);
        LimitField(hDlg, IDC_SD_CONFIRM, SD_PASSWORD_LIMIT);
        DU_Focus(hDlg, IDC_SD_NAME);
        return TRUE;
    case WM_COMMAND:
        if (PasswordFieldsCommand(hDlg, LOWORD(wParam)))
            return TRUE;
        switch (LOWORD(wParam)) {
        case IDOK: CreateSafeOk(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    case WM_DESTROY: WipePasswordFields(hDlg); break;
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

void OpenSafeBrowse(HWND hDlg) {
    if (SW_OpenSafeBrowse() != 0)
        return;
    char path[SD_PATH_LIMIT] = {}; // up to 259 characters
    if (SelectSafeFile(hDlg, path, sizeof path))
        SetDlgItemTextA(hDlg, IDC_SD_PATH, path);
}

void OpenSafeOk(HWND hDlg) {
    char text[SD_PATH_LIMIT + 1] = {};
    GetDlgItemTextA(hDlg, IDC_SD_PATH, text, sizeof text);
    SW_FOCUS focus = SW_FOCUS_NONE;
    int rc = SW_OpenSafeOK(text, &focus);
    DU_ApplyAnswer(hDlg, Answer(rc, focus));
}

INT_PTR CALLBACK OpenSafeProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        DU_CentreOnOwner(hDlg);
        LimitField(hDlg, IDC_SD_PATH, SD_PATH_LIMIT);
        DU_Focus(hDlg, IDC_SD_PATH);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SD_BROWSE: OpenSafeBrowse(hDlg); return TRUE;
        case IDOK: OpenSafeOk(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- Safe Password
void ChangePasswordInit(HWND hDlg) {
    DU_CentreOnOwner(hDlg);
    SetDlgItemTextA(hDlg, IDC_SD_SAFENAME, SW_ExtractSafeName(cActSafePath));
    LimitField(hDlg, IDC_SD_PASSWORD, SD_PASSWORD_LIMIT);
    LimitField(hDlg, IDC_SD_CONFIRM, SD_PASSWORD_LIMIT);
    if (ActSafeHeader.nPasswort == 0 || !cActPasswort[0]) {
        CheckDlgButton(hDlg, IDC_SD_NOPASSWORD, BST_CHECKED);
        EnablePasswordFields(hDlg, false);
        DU_Focus(hDlg, IDOK);
    } else {
        DU_Focus(hDlg, IDC_SD_PASSWORD);
    }
}

void ChangePasswordOk(HWND hDlg) {
    TypedPasswords typed(hDlg);
    SW_FOCUS focus = SW_FOCUS_NONE;
    int rc = SW_ChangePasswordOK(typed.password, typed.confirm, typed.without, &focus);
    DU_ApplyAnswer(hDlg, Answer(rc, focus));
}

INT_PTR CALLBACK ChangePasswordProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: ChangePasswordInit(hDlg); return TRUE;
    case WM_COMMAND:
        if (PasswordFieldsCommand(hDlg, LOWORD(wParam)))
            return TRUE;
        switch (LOWORD(wParam)) {
        case IDOK: ChangePasswordOk(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    case WM_DESTROY: WipePasswordFields(hDlg); break;
    }
    return FALSE;
}

int RunDialog(int id, DLGPROC proc, LPARAM param) {
    return DU_RunDialog(id, proc, param) == IDOK ? IDOK : IDCANCEL;
}
} // namespace

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
