#include "ui/list_util.h"

#include "ui/dpi.h"

#include <cstring>

HIMAGELIST LU_SmallImages(std::initializer_list<int> iconIds) {
    const int size = DP_ImageSize(nullptr, 16);
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(iconIds.size()), 0);
    if (!list)
        return nullptr;
    ImageList_SetBkColor(list, RGB(255, 255, 255));
    HINSTANCE res = hInst ? hInst : GetModuleHandleA(nullptr);
    for (int id : iconIds) {
        HICON icon = static_cast<HICON>(LoadImageA(res, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(list, icon);
        if (icon)
            DestroyIcon(icon);
    }
    return list;
}

void LU_FillAboveBar(HWND hWnd, HWND hList, HWND hBar) {
    RECT rc, bar = {};
    GetClientRect(hWnd, &rc);
    if (hBar)
        GetWindowRect(hBar, &bar);
    if (hList)
        MoveWindow(hList, 0, 0, rc.right, rc.bottom - (bar.bottom - bar.top), TRUE);
}

void LU_WipeItems(HWND hList) {
    if (!hList)
        return;
    HWND header = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    int rows = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    char text[1024];
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < (columns > 0 ? columns : 1); ++col) {
            LVITEMA item = {};
            item.iSubItem = col;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            int n = static_cast<int>(SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
            if (n <= 0)
                continue;
            memset(text, '*', static_cast<size_t>(n));
            text[n] = 0;
            item.pszText = text;
            SendMessageA(hList, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    SecureZeroMemory(text, sizeof text);
    SendMessageA(hList, LVM_DELETEALLITEMS, 0, 0);
}
