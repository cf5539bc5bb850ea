#include "ui/list_util.h"

HIMAGELIST LU_SmallImages(std::initializer_list<int> iconIds) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, static_cast<int>(iconIds.size()), 0);
    if (!list)
        return nullptr;
    ImageList_SetBkColor(list, RGB(255, 255, 255));
    HINSTANCE res = hInst ? hInst : GetModuleHandleA(nullptr);
    for (int id : iconIds) {
        HICON icon = static_cast<HICON>(LoadImageA(res, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
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
