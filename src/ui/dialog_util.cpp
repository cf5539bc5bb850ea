#include "ui/dialog_util.h"

#include "platform/uiport.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"

#include <string>

namespace {
// A dialog run through DU_RunDialog: its own procedure and parameter, and its
// window once the first message named it.
struct Frame {
    DLGPROC proc;
    LPARAM param;
    HWND hDlg;
    bool bSafe;        // bound to the safe open at its start
    uint32_t nClosings; // SW_ClosedCount then
};
// Innermost last: the dialogs nest (open safe asks for the password).
Frame *frames[8];
int nFrames = 0;

Frame *FrameOf(HWND hDlg) {
    for (int i = nFrames - 1; i >= 0; --i)
        if (frames[i]->hDlg == hDlg)
            return frames[i];
    // The dialog being made: its first message claims the innermost frame.
    if (nFrames > 0 && !frames[nFrames - 1]->hDlg) {
        frames[nFrames - 1]->hDlg = hDlg;
        return frames[nFrames - 1];
    }
    return nullptr;
}

INT_PTR CALLBACK Route(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    Frame *f = FrameOf(hDlg);
    if (!f || !f->proc)
        return FALSE;
    if (f->bSafe && msg == WM_COMMAND && LOWORD(wParam) == IDOK && SW_ClosedCount() != f->nClosings) {
        UI_MessageBox(DU_TEXT_SAFECLOSED, "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
        return f->proc(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return f->proc(hDlg, msg, wParam, msg == WM_INITDIALOG ? f->param : lParam);
}
} // namespace

INT_PTR DU_RunDialog(int id, DLGPROC proc, LPARAM param) { return DU_RunDialogOwned(id, DU_Owner(), proc, param); }

namespace {
INT_PTR Run(int id, HWND owner, DLGPROC proc, LPARAM param, bool bound) {
    if (nFrames >= static_cast<int>(sizeof frames / sizeof frames[0]))
        return -1;
    Frame frame = {proc, param, nullptr, bound && hmySafe != nullptr, SW_ClosedCount()};
    frames[nFrames++] = &frame;
    INT_PTR rc = DialogBoxParamA(hInst ? hInst : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner, Route,
                                 reinterpret_cast<LPARAM>(&frame));
    --nFrames;
    return rc;
}
} // namespace

INT_PTR DU_RunDialogOwned(int id, HWND owner, DLGPROC proc, LPARAM param) {
    return Run(id, owner, proc, param, false);
}

INT_PTR DU_RunSafeDialog(int id, DLGPROC proc, LPARAM param) { return Run(id, DU_Owner(), proc, param, true); }

namespace {
// The sheet's own window is named to its frame once it exists.
int CALLBACK SheetCreated(HWND hSheet, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && nFrames > 0)
        frames[nFrames - 1]->hDlg = hSheet;
    return 0;
}
} // namespace

INT_PTR DU_RunPropertySheet(PROPSHEETHEADERA *sheet) {
    if (nFrames >= static_cast<int>(sizeof frames / sizeof frames[0]))
        return -1;
    if (!sheet->hwndParent)
        sheet->hwndParent = DU_Owner();
    sheet->dwFlags |= PSH_USECALLBACK;
    sheet->pfnCallback = SheetCreated;
    // Its pages have procedures of their own: the frame only names the owner.
    Frame frame = {nullptr, 0, nullptr};
    frames[nFrames++] = &frame;
    INT_PTR rc = PropertySheetA(sheet);
    --nFrames;
    return rc;
}

HWND DU_Owner() {
    for (int i = nFrames - 1; i >= 0; --i)
        if (frames[i]->hDlg)
            return frames[i]->hDlg;
    return MainWindows.hWndMain;
}

void DU_CentreOnOwner(HWND hDlg) {
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

void DU_Focus(HWND hDlg, int id) {
    SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, id)), TRUE);
}

int DU_ApplyAnswer(HWND hDlg, const DLG_ANSWER &answer) {
    if (answer.lpText)
        UI_MessageBox(answer.lpText, answer.lpCaption ? answer.lpCaption : "", answer.nStyle);
    switch (answer.nAction) {
    case DLG_CLOSE_OK: EndDialog(hDlg, IDOK); break;
    case DLG_CLOSE_CANCEL: EndDialog(hDlg, IDCANCEL); break;
    case DLG_STAY:
        if (answer.nFocus)
            DU_Focus(hDlg, answer.nFocus);
        break;
    default: break;
    }
    return answer.nAction;
}

void DU_WipeEdit(HWND hDlg, int id) { DU_WipeEditControl(GetDlgItem(hDlg, id)); }

void DU_WipeEditControl(HWND hCtl) {
    if (!hCtl)
        return;
    int n = GetWindowTextLengthA(hCtl);
    for (int i = 0; i < n; ++i) {
        SendMessageA(hCtl, EM_SETSEL, i, i + 1);
        SendMessageA(hCtl, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(" "));
    }
    SendMessageA(hCtl, EM_EMPTYUNDOBUFFER, 0, 0);
    SetWindowTextA(hCtl, "");
}
