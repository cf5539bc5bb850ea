#include "ui/search_window.h"

#include "model/search.h"
#include "ui/ids_main.h"
#include "ui/ids_search.h"
#include "ui/list_util.h"
#include "ui/statusbar.h"
#include "ui/tree_view.h"

#include <commctrl.h>

HWND hSearchListWnd = nullptr;

namespace {
const char kColumnTitle[] = "Ergebnis";

HIMAGELIST hSearchImages = nullptr;

int ListWidth() {
    RECT rc = {};
    GetClientRect(hSearchListWnd, &rc);
    return rc.right - 10;
}

class SearchWindowView : public SearchView {
  public:
    // A new search starts its list afresh with the column put back.
    void Begin() override {
        if (!hSearchListWnd)
            return;
        LU_WipeItems(hSearchListWnd); // the last search's findings
        ShowWindow(hSearchWnd, SW_SHOW);
        while (SendMessageA(hSearchListWnd, LVM_DELETECOLUMN, 0, 0))
            ;
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<char *>(kColumnTitle);
        column.cx = ListWidth();
        SendMessageA(hSearchListWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    void Add(uint32_t kind, const char *text, uint32_t index) override {
        if (!hSearchListWnd)
            return;
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(SendMessageA(hSearchListWnd, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char *>(text);
        item.iImage = static_cast<int>(kind) - 1;
        item.lParam = static_cast<LPARAM>(index);
        SendMessageA(hSearchListWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    void Count(uint32_t count) override { SB_ShowSearchCount(count); }
};
SearchWindowView g_view;

// Headerless and unsorted: the hits keep the order the search found them in.
// The image list is the window's to destroy, after the list that shows it.
void MakeList(HWND hWnd) {
    hSearchListWnd = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                                         LVS_SINGLESEL | LVS_SHAREIMAGELISTS,
                                     0, 0, 0, 0, hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SEARCHLIST)), hInst, nullptr);
    if (!hSearchListWnd)
        return;
    hSearchImages = LU_SmallImages({IDI_SE_FOLDER, IDI_SE_CARD, IDI_SE_CONTENT}); // in the order of the kinds
    SendMessageA(hSearchListWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(hSearchImages));
}

// The list fills the client area above the status bar.
void Layout(HWND hWnd) {
    if (hSearchStatusWnd)
        SendMessageA(hSearchStatusWnd, WM_SIZE, 0, 0);
    SB_LayoutSearch();
    LU_FillAboveBar(hWnd, hSearchListWnd, hSearchStatusWnd);
}

// A click on a row selects its hit in the tree as a click there would, so the
// right pane shows the hit's card; the core tells the user when the hit has no
// item there.
void RowClicked(int row) {
    if (row < 0)
        return;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(hSearchListWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return;
    TREEHANDLE hit = SE_ClickResult(static_cast<uint32_t>(item.lParam));
    if (hit)
        TV_ClickItem(hit);
}
} // namespace

LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        hSearchWnd = hWnd;
        hSearchStatusWnd = SB_CreateBar(hWnd, IDC_SEARCHSTATUS);
        MakeList(hWnd);
        Layout(hWnd);
        SE_SetView(&g_view);
        return 0;
    case WM_SIZE: Layout(hWnd); return 0;
    case WM_NOTIFY: {
        const NMHDR *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (hdr->hwndFrom == hSearchListWnd && hdr->code == NM_CLICK)
            RowClicked(reinterpret_cast<const NMITEMACTIVATE *>(lParam)->iItem);
        return 0;
    }
    case WM_CLOSE: ShowWindow(hWnd, SW_HIDE); return 0;
    case WM_DESTROY:
        SE_SetView(nullptr);
        hSearchStatusWnd = nullptr;
        hSearchListWnd = nullptr;
        if (hSearchImages)
            ImageList_Destroy(hSearchImages);
        hSearchImages = nullptr;
        return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
