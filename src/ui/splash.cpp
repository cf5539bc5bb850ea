#include "ui/splash.h"

#include "ui/ids_main.h"

static INT_PTR CALLBACK SplashProc(HWND hDlg, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_INITDIALOG)
        return FALSE;
    HWND picture = GetDlgItem(hDlg, IDC_SPLASH_PICTURE);
    BITMAP bm = {};
    HBITMAP bmp = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bmp && GetObjectA(bmp, sizeof bm, &bm)) {
        const int x = (GetSystemMetrics(SM_CXSCREEN) - bm.bmWidth) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - bm.bmHeight) / 2;
        SetWindowPos(picture, nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOZORDER);
        SetWindowPos(hDlg, HWND_TOPMOST, x, y, bm.bmWidth, bm.bmHeight, 0);
    }
    return TRUE;
}

HWND MA_ShowSplash() {
    HWND splash = CreateDialogParamA(hInst, MAKEINTRESOURCEA(IDD_SPLASH), nullptr, SplashProc, 0);
    if (splash) {
        ShowWindow(splash, SW_SHOW);
        // Painted now: the start goes on without a message loop for a while.
        RedrawWindow(splash, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return splash;
}

void MA_CloseSplash(HWND splash) {
    if (splash)
        DestroyWindow(splash);
}
