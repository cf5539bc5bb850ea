#include "ui/dpi.h"

#include "model/window_layout.h"

namespace {
// Windows 10 1607 and later; older systems and builds without the import go by the system DPI.
typedef UINT(WINAPI *DpiForWindowFn)(HWND);
typedef int(WINAPI *MetricsForDpiFn)(int, UINT);

template <typename Fn> Fn User32(const char *name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC proc = user32 ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

int SystemDpi() {
    static int dpi = 0;
    if (!dpi) {
        HDC dc = GetDC(nullptr);
        dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
        if (dc)
            ReleaseDC(nullptr, dc);
        if (dpi <= 0)
            dpi = WL_BASE_DPI;
    }
    return dpi;
}
} // namespace

int DP_WindowDpi(HWND hWnd) {
    static DpiForWindowFn forWindow = User32<DpiForWindowFn>("GetDpiForWindow");
    if (hWnd && forWindow) {
        UINT dpi = forWindow(hWnd);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int DP_Scale(HWND hWnd, int px96) { return WL_Scale(px96, DP_WindowDpi(hWnd)); }

int DP_ImageSize(HWND hWnd, int px96) { return WL_ImageSize(px96, DP_WindowDpi(hWnd)); }

int DP_Metric(HWND hWnd, int index) {
    static MetricsForDpiFn forDpi = User32<MetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, static_cast<UINT>(DP_WindowDpi(hWnd)));
    return GetSystemMetrics(index);
}

void DP_StockFont(HWND hWnd, int stock, LOGFONTA *lf) {
    *lf = {};
    GetObjectA(GetStockObject(stock), sizeof *lf, lf);
    lf->lfHeight = MulDiv(lf->lfHeight, DP_WindowDpi(hWnd), SystemDpi());
}
