#include "ui/note_window.h"

#include "frame/logs.h"
#include "platform/platform.h"
#include "tools/note_alarms.h"
#include "tools/note_text.h"
#include "tools/note_windows.h"
#include "ui/dialog_util.h"
#include "ui/dpi.h"
#include "ui/ids_notes.h"
#include "ui/menus.h"
#include "ui/message_routing.h"
#include "ui/note_alarm_box.h"
#include "ui/skins.h"

#include <commdlg.h>
#include <richedit.h>

#include <string>

namespace {
const int kNewWidth = 200, kNewHeight = 120; // a new note before its text asks for a height, at 96 DPI

NOTIZ *NoteOf(HWND hWnd) { return reinterpret_cast<NOTIZ *>(GetWindowLongPtrA(hWnd, GWLP_USERDATA)); }
HWND WindowOf(const NOTIZ *note) { return reinterpret_cast<HWND>(note->hWnd); }
HWND EditOf(const NOTIZ *note) { return reinterpret_cast<HWND>(note->hEdit); }

// The core keeps where the window is, so the safe can be written without it.
void KeepRect(HWND hWnd, NOTIZ *note) {
    RECT r;
    if (IsIconic(hWnd) || !GetWindowRect(hWnd, &r))
        return;
    note->rcWindow = {r.left, r.top, r.right, r.bottom};
}

void SetTextColour(HWND edit, uint32_t colour) {
    CHARFORMAT2A cf = {};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = colour;
    SendMessageA(edit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    // What is typed into an empty note takes it too.
    SendMessageA(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
}

// The control's text goes to the core on every change; the copy taken here is
// wiped, it is the user's.
void TextChanged(NOTIZ *note) {
    HWND edit = EditOf(note);
    GETTEXTLENGTHEX len = {GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    LRESULT n = SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    std::string text(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    if (n > 0) {
        TEXTRANGEA range = {{0, static_cast<LONG>(n)}, &text[0]};
        SendMessageA(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    }
    if (NW_NoteTextChanged(note, text.c_str()) != 0)
        ML_WriteLog("NW02", "note text not kept", 0);
    PL_SecureZero(&text[0], text.size());
}

// The window takes the text's height, 25 (or with a skin 40) pixels more at 96 DPI; the
// text area lies under its lower edge by as much.
void RequestResize(HWND hWnd, NOTIZ *note, const REQRESIZE *rr) {
    RECT w, text;
    GetWindowRect(hWnd, &w);
    GetClientRect(EditOf(note), &text);
    const int width = w.right - w.left;
    const int height = NW_NoteWindowHeight(w.bottom - w.top, rr->rc.bottom, text.bottom, MainModes.bSkinLoaded,
                                           DP_WindowDpi(hWnd));
    SetWindowPos(hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(EditOf(note), 0, 0, width, height, TRUE);
    if (!NoteState.bNotesLoading)
        KeepRect(hWnd, note);
}

COLORREF customColours[16];

// "Change backgroundcolor" and "Change textcolor": both start at the background.
void ChangeColour(HWND hWnd, NOTIZ *note, bool background) {
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = hWnd;
    cc.rgbResult = note->crBackground;
    cc.lpCustColors = customColours;
    cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    // The safe may have closed with the note while the dialog was up.
    if (!ChooseColorA(&cc) || !NW_IsNote(note) || !IsWindow(hWnd))
        return;
    if (background) {
        note->crBackground = cc.rgbResult;
        SendMessageA(EditOf(note), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(note->crBackground));
    } else {
        note->crText = cc.rgbResult;
        SetTextColour(EditOf(note), note->crText);
    }
}

void ActivateAlarm(HWND hWnd, NOTIZ *note) {
    NW_ALARMREQUEST request;
    NW_AlarmRequestOf(note, &request);
    NT_AlarmDialog(hWnd, &request);
    if (NW_IsNote(note) && IsWindow(hWnd))
        NW_ApplyAlarmRequest(note, &request);
}

int OnCreate(HWND hWnd, NOTIZ *note) {
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(note));
    note->hWnd = reinterpret_cast<NOTEWINDOW>(hWnd);
    RECT rc;
    GetClientRect(hWnd, &rc);
    HWND edit = CreateWindowExA(0, "RichEdit20A", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0,
                                rc.right, rc.bottom, hWnd, reinterpret_cast<HMENU>(IDC_NT_TEXT), hInst, nullptr);
    if (!edit) {
        ML_WriteLog("NW03", "error create note text", GetLastError());
        note->hWnd = nullptr;
        return -1;
    }
    note->hEdit = reinterpret_cast<NOTEWINDOW>(edit);
    SendMessageA(edit, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(note->crBackground));
    SendMessageA(edit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_MOUSEEVENTS | ENM_REQUESTRESIZE);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetTextColour(edit, note->crText);
    SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetFocus(edit);
    MA_RegisterModeless(hWnd);
    return 0;
}

LRESULT OnNotify(HWND hWnd, NOTIZ *note, const NMHDR *hdr) {
    if (hdr->idFrom != IDC_NT_TEXT)
        return 0;
    if (hdr->code == EN_REQUESTRESIZE) {
        RequestResize(hWnd, note, reinterpret_cast<const REQRESIZE *>(hdr));
    } else if (hdr->code == EN_MSGFILTER) {
        const MSGFILTER *mf = reinterpret_cast<const MSGFILTER *>(hdr);
        if (mf->msg == WM_RBUTTONDOWN) {
            // The text starts at the client area's corner: its points are the window's.
            POINT at = {static_cast<short>(LOWORD(mf->lParam)), static_cast<short>(HIWORD(mf->lParam))};
            TR_PopupMenuAt(hWnd, MA_LoadMenu(IDM_NOTEMENU), at);
            return 1;
        }
    }
    return 0;
}

LRESULT CALLBACK NoteProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    NOTIZ *note = NoteOf(hWnd);
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hWnd, static_cast<NOTIZ *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams));
    case WM_COMMAND:
        if (!note)
            break;
        switch (LOWORD(wParam)) {
        case IDC_NT_TEXT:
            if (HIWORD(wParam) == EN_CHANGE)
                TextChanged(note);
            return 0;
        case IDM_NT_ALARM: ActivateAlarm(hWnd, note); return 0;
        case IDM_NT_BACKGROUND: ChangeColour(hWnd, note, true); return 0;
        case IDM_NT_TEXTCOLOR: ChangeColour(hWnd, note, false); return 0;
        default: break;
        }
        break;
    case WM_NOTIFY:
        if (note)
            return OnNotify(hWnd, note, reinterpret_cast<const NMHDR *>(lParam));
        break;
    case WM_MOVE:
        // While a safe's notes are loaded the window is made at the corner first:
        // the place kept is put back before it is taken anew.
        if (note && !NoteState.bNotesLoading)
            KeepRect(hWnd, note);
        return 0;
    case WM_SIZE:
        // A new width; the height stays the text's.
        if (note && note->hEdit && wParam != SIZE_MINIMIZED) {
            RECT w, text;
            GetWindowRect(hWnd, &w);
            GetWindowRect(EditOf(note), &text);
            MoveWindow(EditOf(note), 0, 0, w.right - w.left, text.bottom - text.top, TRUE);
            if (!NoteState.bNotesLoading)
                KeepRect(hWnd, note);
        }
        return 0;
    case WM_ACTIVATE:
        if (note && LOWORD(wParam) != WA_INACTIVE)
            SetFocus(EditOf(note));
        return 0;
    case WM_CLOSE:
        // Deleting the note destroys this window with it.
        if (note)
            (void)NW_CloseNote(note);
        return 0;
    case WM_DESTROY:
        // Also when the main window goes and takes its notes with it.
        MA_UnregisterModeless(hWnd);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0); // the wipe below is no change of the note
        if (note) {
            DU_WipeEditControl(EditOf(note));
            note->hWnd = note->hEdit = nullptr;
        }
        return 0;
    default: break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

BOOL RegisterNoteClass() {
    static BOOL registered = FALSE;
    if (registered)
        return TRUE;
    (void)PL_LoadSystemLibrary("Riched20.dll"); // loaded at start already; the tests make notes without the start
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = NoteProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = CLASS_NOTE;
    registered = RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

class NoteWindows : public NoteView {
  public:
    int Make(NOTIZ *note) override {
        HWND hWnd = RegisterNoteClass()
                        ? CreateWindowExA(WS_EX_DLGMODALFRAME, CLASS_NOTE, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0,
                                          DP_Scale(MainWindows.hWndMain, kNewWidth),
                                          DP_Scale(MainWindows.hWndMain, kNewHeight), MainWindows.hWndMain, nullptr,
                                          hInst, note)
                        : nullptr;
        if (!hWnd) {
            ML_WriteLog("NW04", "error create note window", GetLastError());
            return -1;
        }
        return 0;
    }
    void Cascade(NOTIZ *note, int32_t x, int32_t y) override {
        SetWindowPos(WindowOf(note), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void Load(NOTIZ *note) override {
        HWND hWnd = WindowOf(note), edit = EditOf(note);
        const NOTE_RECT r = note->rcWindow;
        MoveWindow(hWnd, r.left, r.top, r.right - r.left, 0, FALSE);
        RECT client;
        GetClientRect(hWnd, &client);
        MoveWindow(edit, 0, 0, client.right, 0, FALSE);
        // The text asks for its height and the window grows to fit.
        SetWindowTextA(edit, note->lpText ? note->lpText : "");
        SendMessageA(edit, EM_REQUESTRESIZE, 0, 0);
        SetTextColour(edit, note->crText);
        KeepRect(hWnd, note);
    }
    int Show(NOTIZ *note, int show) override {
        HWND hWnd = WindowOf(note);
        if (!hWnd)
            return -1;
        if (!show) {
            ShowWindow(hWnd, SW_HIDE);
            return 0;
        }
        // Shown on top of the others (an alarm brings it to the front).
        SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        return IsWindowVisible(hWnd) ? 0 : -1;
    }
    void Destroy(NOTIZ *note) override {
        if (HWND hWnd = WindowOf(note))
            DestroyWindow(hWnd);
        note->hWnd = note->hEdit = nullptr;
    }
    void SetTitle(NOTIZ *note, const char *title) override {
        if (HWND hWnd = WindowOf(note))
            SetWindowTextA(hWnd, title);
    }
    void SetBackground(NOTIZ *note, uint32_t colour) override {
        if (HWND edit = EditOf(note))
            SendMessageA(edit, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(colour));
    }
};
NoteWindows g_notes;
} // namespace

NoteView *NT_View() { return &g_notes; }
