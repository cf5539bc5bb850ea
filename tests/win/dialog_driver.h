// Answers the program's dialogs and message boxes as a user would, for tests
// that open real modal dialogs. A hook on this thread's window procedures sees
// every window that is shown, enabled or activated; the driver then takes its
// turn once the thread's queue has gone quiet (a thread timer is the last
// message a loop hands out), finds the dialog of this thread that takes input
// (the one on top: the ones under it are disabled) and hands it to the next
// scripted step. After a step it looks again in the same way, so a dialog that
// stays open goes to the step after. Nothing waits on a clock: a slow machine
// only makes the turns come later.
// Every dialog met is recorded with its caption, message text and focus.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class DialogDriver {
  public:
    using Action = std::function<void(HWND)>;
    struct Seen {
        std::string caption;
        std::string text; // a message box's message
        int focusId;      // control id of the focus when the step began (0 none)
        bool messageBox;
        HICON icon; // a message box's icon
    };

    DialogDriver() {
        self = this;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &DialogDriver::Sent, nullptr, GetCurrentThreadId());
    }
    ~DialogDriver() {
        UnhookWindowsHookEx(hook);
        if (timer)
            KillTimer(nullptr, timer);
        self = nullptr;
    }

    // The next dialog to appear must have this caption; act handles it.
    void Expect(const std::string &caption, Action act) { steps.push_back({caption, std::move(act)}); }
    bool Done() const { return steps.empty(); }

    // What a user does.
    static void Type(HWND dlg, int id, const std::string &text) {
        HWND edit = GetDlgItem(dlg, id);
        for (unsigned char c : text)
            SendMessageA(edit, WM_CHAR, c, 1);
    }
    static void Clear(HWND dlg, int id) { SetDlgItemTextA(dlg, id, ""); }
    static void Click(HWND dlg, int id) {
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    }
    static void Check(HWND dlg, int id, bool on) {
        CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED);
        Click(dlg, id);
    }
    static std::string Text(HWND dlg, int id) {
        char buf[1024] = {};
        GetDlgItemTextA(dlg, id, buf, sizeof buf);
        return buf;
    }
    static bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

    std::vector<Seen> seen;
    std::vector<std::string> unexpected; // dialogs no step was waiting for (they were cancelled)

    // Captions and texts of the message boxes met, in order.
    std::vector<std::string> Messages() const {
        std::vector<std::string> m;
        for (const Seen &s : seen)
            if (s.messageBox)
                m.push_back(s.caption + ": " + s.text);
        return m;
    }

    // Whether every message box met showed the stop icon.
    bool AllStop() const {
        HICON stop = LoadIconA(nullptr, MAKEINTRESOURCEA(32513)); // IDI_HAND, shared by the system
        if (!stop)
            return false;
        for (const Seen &s : seen)
            if (s.messageBox && s.icon != stop)
                return false;
        return true;
    }

  private:
    struct Step {
        std::string caption;
        Action act;
    };
    static constexpr int kMessageText = 0xFFFF; // the message box's text control
    static constexpr int kMessageIcon = 0x0440; // and its icon

    static BOOL CALLBACK Collect(HWND hWnd, LPARAM param) {
        char cls[32] = {};
        GetClassNameA(hWnd, cls, sizeof cls);
        if (strcmp(cls, "#32770") == 0 && IsWindowVisible(hWnd) && IsWindowEnabled(hWnd)) {
            *reinterpret_cast<HWND *>(param) = hWnd;
            return FALSE;
        }
        return TRUE;
    }

    // Activation alone does not do: under Wine without a window manager a dialog
    // over a hidden main window can be shown without being activated. So the
    // turn comes from whatever a dialog is sent on its way to taking input:
    // shown, enabled again under a closed box, activated.
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
        const CWPRETSTRUCT *m = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
        if (code == HC_ACTION && self &&
            ((m->message == WM_SHOWWINDOW && m->wParam) || (m->message == WM_ENABLE && m->wParam) ||
             (m->message == WM_ACTIVATE && LOWORD(m->wParam) != WA_INACTIVE)))
            self->LookSoon();
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void LookSoon() {
        if (!timer)
            timer = SetTimer(nullptr, 0, 0, &DialogDriver::Look);
    }

    static void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD) {
        DialogDriver *d = self;
        KillTimer(nullptr, id);
        if (!d)
            return;
        d->timer = 0;
        if (d->busy)
            return; // the step looks again when it is done
        HWND dlg = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &DialogDriver::Collect, reinterpret_cast<LPARAM>(&dlg));
        if (!dlg)
            return; // not shown yet: its activation calls again
        d->busy = true;
        char caption[256] = {};
        GetWindowTextA(dlg, caption, sizeof caption);
        bool box = GetDlgItem(dlg, kMessageText) != nullptr;
        HWND focus = GetFocus();
        HICON icon =
            box ? reinterpret_cast<HICON>(SendDlgItemMessageA(dlg, kMessageIcon, STM_GETICON, 0, 0)) : nullptr;
        Seen s{caption, box ? Text(dlg, kMessageText) : "", focus ? GetDlgCtrlID(focus) : 0, box, icon};
        d->seen.push_back(s);
        if (!d->steps.empty() && d->steps.front().caption == caption) {
            Action act = std::move(d->steps.front().act);
            d->steps.pop_front();
            act(dlg);
            d->LookSoon(); // once its posted clicks are handled: the dialog may stay for the next step
        } else {
            // Cancelling activates the window under it; one that ignores the
            // cancel is not asked again until something else becomes active.
            d->unexpected.push_back(std::string(caption) + (box ? ": " + s.text : ""));
            Click(dlg, box ? IDOK : IDCANCEL);
        }
        d->busy = false;
    }

    static inline DialogDriver *self = nullptr;
    HHOOK hook = nullptr;
    UINT_PTR timer = 0; // a look is due
    std::deque<Step> steps;
    bool busy = false;
};

} // namespace testsupport
