#include "ui/about_box.h"

#include "config/settings.h"
#include "frame/memory.h"
#include "frame/version.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "ui/dialog_util.h"
#include "ui/hyperlink.h"
#include "ui/ids_main.h"

#include <cstdio>

#define AB_VERSION_SIZE 100
#define AB_TEST_STEP 100000000u

static HFONT hBoldFont = nullptr;

void AB_VersionLine(char *buf, size_t size) {
    snprintf(buf, size, "%s Version: %d.%0d.%d", "orvSafe", PGM_VERSION_MAJOR, PGM_VERSION_MINOR, PGM_VERSION_BUILD);
}

void AB_ShowAboutBox() { DU_RunDialog(IDD_ABOUT, AB_AboutDlgProc, 0); }

// Grows one block in steps of 100,000,000 bytes until the allocator gives up;
// its out-of-memory handling then ends the program in order.
static void MemoryTest() {
    size_t size = AB_TEST_STEP;
    void *block = T_Malloc("DB_M_XX", size);
    while (block) {
        void *bigger = T_Realloc("DB_M_XX", block, size, size + AB_TEST_STEP);
        if (!bigger)
            break;
        block = bigger;
        size += AB_TEST_STEP;
    }
    if (block)
        T_Free("DB_F_XX", block);
    UI_MessageBox(T_LastFailureText(), "Notice", UI_MB_OK | UI_MB_ICONSTOP);
}

INT_PTR CALLBACK AB_AboutDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: {
        DU_CentreOnOwner(hDlg);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(hDlg, WM_GETFONT, 0, 0));
        LOGFONTA lf;
        if (GetObjectA(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) {
            lf.lfWeight = FW_BOLD;
            hBoldFont = CreateFontIndirectA(&lf);
        }
        if (hBoldFont) {
            SendDlgItemMessageA(hDlg, IDC_ABOUT_VERSION, WM_SETFONT, reinterpret_cast<WPARAM>(hBoldFont), FALSE);
            SendDlgItemMessageA(hDlg, IDC_ABOUT_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(hBoldFont), FALSE);
        }
        SetDlgItemTextA(hDlg, IDC_ABOUT_LINK, AB_WEB_TEXT);
        HL_MakeDlgItemHyperlink(hDlg, IDC_ABOUT_LINK);
        char *line = static_cast<char *>(T_Malloc("MA_M_01", AB_VERSION_SIZE));
        if (line) {
            AB_VersionLine(line, AB_VERSION_SIZE);
            SetDlgItemTextA(hDlg, IDC_ABOUT_VERSION, line);
            T_Free("MA_F_01", line);
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ABOUT_LINK:
            PL_ShellOpen(AB_WEB_ADDRESS, nullptr, nullptr);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            if (Settings.MemoryTest)
                MemoryTest();
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        default: break;
        }
        break;
    case WM_DESTROY:
        if (hBoldFont) {
            DeleteObject(hBoldFont);
            hBoldFont = nullptr;
        }
        break;
    default: break;
    }
    return FALSE;
}
