// Every dialog of the program's resources, opened in this process and walked
// as a screen reader walks it: each control Tab can reach has a name, Tab comes
// round, and a password edit is reported as protected.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {
// IID_IAccessible: mingw's oleacc import library hands out a wrong one.
const GUID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

INT_PTR CALLBACK Plain(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD> *>(out)->push_back(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// The name, role and state the window's accessible object answers.
struct Heard {
    std::wstring name;
    long role = 0, state = 0;
};
Heard Ask(HWND wnd) {
    Heard h;
    IAccessible *acc = nullptr;
    if (AccessibleObjectFromWindow(wnd, OBJID_CLIENT, kAccessible, reinterpret_cast<void **>(&acc)) != S_OK)
        return h;
    VARIANT self = {}, role = {}, state = {};
    self.vt = VT_I4; // CHILDID_SELF
    BSTR name = nullptr;
    if (acc->get_accName(self, &name) == S_OK && name)
        h.name = name;
    SysFreeString(name);
    if (acc->get_accRole(self, &role) == S_OK && acc->get_accState(self, &state) == S_OK)
        h.role = role.lVal, h.state = state.lVal;
    acc->Release();
    return h;
}

// With ORV_DIALOG_SHOTS naming a folder, the dialog as drawn at this screen's scale
// goes there as dialog_<id>_<dpi>.bmp (the screen-scale check keeps them as pictures).
void Picture(HWND dlg, WORD id) {
    const char *folder = getenv("ORV_DIALOG_SHOTS");
    if (!folder || !*folder)
        return;
    ShowWindow(dlg, SW_SHOWNA);
    UpdateWindow(dlg);
    RECT r;
    GetWindowRect(dlg, &r);
    BITMAPINFOHEADER bi = {sizeof bi, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB};
    DWORD stride = (bi.biWidth * 3 + 3) & ~3u, size = stride * bi.biHeight;
    void *bits = nullptr;
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO *>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    PrintWindow(dlg, dc, 0);
    GdiFlush();
    std::string path = std::string(folder) + "\\dialog_" + std::to_string(id) + "_" +
                       std::to_string(GetDeviceCaps(screen, LOGPIXELSY)) + ".bmp";
    BITMAPFILEHEADER fh = {0x4d42, DWORD(sizeof fh + sizeof bi + size), 0, 0, DWORD(sizeof fh + sizeof bi)};
    if (FILE *f = fopen(path.c_str(), "wb")) {
        fwrite(&fh, sizeof fh, 1, f);
        fwrite(&bi, sizeof bi, 1, f);
        fwrite(bits, size, 1, f);
        fclose(f);
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

// The text of the static right before the control, the label Windows names it by.
std::string LabelBefore(HWND ctl) {
    char cls[16] = {}, text[256] = {};
    HWND label = GetWindow(ctl, GW_HWNDPREV);
    GetClassNameA(label, cls, sizeof cls);
    GetWindowTextA(label, text, sizeof text);
    return lstrcmpiA(cls, "Static") == 0 ? text : "";
}
} // namespace

TEST(DialogAccess, EveryControlTabReachesHasANameAndTabComesRound) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    // The pages of the options sheet are child dialogs: they need a parent.
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::vector<WORD> ids;
    EnumResourceNamesA(nullptr, MAKEINTRESOURCEA(5) /* RT_DIALOG */, CollectDialog, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_GE(ids.size(), 30u);
    int passwords = 0;
    for (WORD id : ids) {
        HWND dlg = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent, Plain, 0);
        ASSERT_TRUE(dlg) << id;
        Picture(dlg, id);
        IAccessible *top = nullptr;
        long children = 0, windows = 0;
        ASSERT_EQ(AccessibleObjectFromWindow(dlg, OBJID_CLIENT, kAccessible, reinterpret_cast<void **>(&top)), S_OK);
        EXPECT_EQ(top->get_accChildCount(&children), S_OK);
        top->Release();
        std::set<HWND> stops, reached;
        for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT), ++windows) {
            LONG style = GetWindowLongA(c, GWL_STYLE);
            if ((style & (WS_TABSTOP | WS_VISIBLE)) != (WS_TABSTOP | WS_VISIBLE))
                continue;
            if (!(style & WS_DISABLED))
                stops.insert(c);
            Heard h = Ask(c);
            std::string where = "dialog " + std::to_string(id) + ", control " + std::to_string(GetDlgCtrlID(c));
            EXPECT_NE(h.role, 0) << where;
            // Wine names an edit by its label but a list or a combo box by its
            // own (empty) text: then the label must stand right before it.
            std::string label = LabelBefore(c);
            EXPECT_FALSE(h.name.empty() && label.empty()) << where << " has no name";
            if (h.role == ROLE_SYSTEM_TEXT && (label.find("assword") != std::string::npos || label.find("onfirm") != std::string::npos)) {
                ++passwords;
                EXPECT_TRUE(h.state & STATE_SYSTEM_PROTECTED) << where;
            }
        }
        EXPECT_EQ(children, windows) << "dialog " << id;
        // Tab from the first stop visits every stop and comes back.
        HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE), at = first;
        while (!stops.empty() && at && reached.insert(at).second)
            at = GetNextDlgTabItem(dlg, at, FALSE);
        EXPECT_EQ(reached, stops) << "dialog " << id;
        EXPECT_EQ(at, first) << "dialog " << id;
        DestroyWindow(dlg);
    }
    DestroyWindow(parent);
    CoUninitialize();
    EXPECT_GT(passwords, 0);
}
