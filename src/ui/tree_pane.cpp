// Placeholder panes until the tree and card list are built.
#include "ui/tree_view.h"

LRESULT CALLBACK TV_TreePaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
LRESULT CALLBACK LV_CardPaneProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
LRESULT CALLBACK CW_CardViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
void TV_FillTree() {}
void TV_DisplayTreeSafe(const char *) {}
const char *TV_SelectedCardName() { return ""; }
void TV_ClearTree() {}
void TV_CollapseAll() {}
TREEHANDLE TV_InsertFieldItem(TREEHANDLE, const char *) { return nullptr; }
void TV_SelectItem(TREEHANDLE) {}
int LV_TextWidth(const char *text) { return 8 * static_cast<int>(lstrlenA(text)); }
void CW_RedisplayField(uint32_t) {}
void CW_EnterDisplayMode() {}
void CW_EnterChangeMode() {}
void CW_ClearDisplayMode() {}
