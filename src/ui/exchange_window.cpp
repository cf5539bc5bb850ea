#include "ui/exchange_window.h"

#include "exchange/exchange.h"
#include "store/safe_state.h"
#include "ui/dialog_util.h"
#include "ui/ids_exchange.h"
#include "ui/safe_dialogs.h"

#include <commdlg.h>

#include <string>

namespace {

// A file for writing, chosen new (the core refuses one that exists); the
// chooser's type index in *type. FALSE when none was chosen.
BOOL ChooseNewFile(const char *title, const char *filter, const char *extension, char *path, DWORD *type) {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = DU_Owner();
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_NOREADONLYRETURN;
    BOOL chosen = GetSaveFileNameA(&ofn);
    if (type)
        *type = ofn.nFilterIndex;
    return chosen;
}

struct ReportState {
    XC_REPORT report;
    std::string text;
};

INT_PTR CALLBACK ReportProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    ReportState *state = reinterpret_cast<ReportState *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        state = reinterpret_cast<ReportState *>(lParam);
        DU_CentreOnOwner(hDlg);
        std::string shown; // an edit control breaks lines at CR LF only
        for (char c : state->text)
            shown += c == '\n' ? std::string("\r\n") : std::string(1, c);
        SetDlgItemTextA(hDlg, IDC_XW_REPORT, shown.c_str());
        DU_Focus(hDlg, IDOK);
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_XW_SAVE: {
            char path[MAX_PATH] = "import report.txt";
            if (ChooseNewFile("Save report", "Text file\0*.txt\0", "txt", path, nullptr))
                (void)XC_WriteNewFile(path, state->text); // it tells the user when it fails
            return TRUE;
        }
        case IDC_XW_UNDO:
            XC_UndoImport(state->report);
            EndDialog(hDlg, IDC_XW_UNDO);
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(hDlg, IDOK); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

} // namespace

void XW_ImportCommand() {
    if (!hmySafe)
        SD_CreateSafeDialog();
    if (!hmySafe)
        return;
    char path[MAX_PATH] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = DU_Owner();
    ofn.lpstrFilter = "Password manager exports (*.xml, *.csv, *.json)\0*.xml;*.csv;*.json\0All files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = "Import";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn))
        return;
    ReportState state;
    if (XC_ImportCommand(path, &state.report) != 0)
        return; // the core said why, and nothing stays
    state.text = XC_ReportText(state.report);
    DU_RunDialog(IDD_IMPORTREPORT, ReportProc, reinterpret_cast<LPARAM>(&state));
}

void XW_ExportCommand() {
    if (!hmySafe)
        return;
    char path[MAX_PATH] = {};
    DWORD type = 1;
    if (!ChooseNewFile("Export", "KeePass 2 XML (*.xml)\0*.xml\0KeePassXC CSV (*.csv)\0*.csv\0", "xml", path, &type))
        return;
    (void)XC_ExportCommand(type == 2 ? XC_KEEPASSXC_CSV : XC_KEEPASS_XML, path); // it tells the user either way
}
