#include "ui/search_window.h"

#include "model/search.h"
#include "ui/ids_main.h"
#include "ui/ids_search.h"
#include "ui/list_util.h"
#include "ui/statusbar.h"
#include "ui/tree_view.h"

#include <commctrl.h>


namespace {
const char kColumnTitle[] = "Ergebnis";

HIMAGELIST hSearchImages = nullptr;

int ListWidth() {
    RECT rc = {};
    GetClientRect(MainWindows.hSearchListWnd, &rc);
    return rc.right - 10;
}

class SearchWindowView : public SearchView {
  public:
    // A new search starts its list afresh with the column put back.
    void Begin() override {
        if (!MainWindows.hSearchListWnd)
            return;
        ShowWindow(MainWindows.hSearchWnd, SW_SHOW);
        while (SendMessageA(MainWindows.hSearchListWnd, LVM_DELETECOLUMN, 0, 0))
            ;
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<char *>(kColumnTitle);
        column.cx = ListWidth();
        SendMessageA(MainWindows.hSearchListWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    // The list holds no rows of its own: row i is hit i, asked for when shown
    // (GetRow), so tens of thousands of hits cost nothing until they are seen.
    void Add(uint32_t, const char *, uint32_t) override {}
    void Count(uint32_t count) override {
        if (MainWindows.hSearchListWnd)
            SendMessageA(MainWindows.hSearchListWnd, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
        SB_ShowSearchCount(count);
    }
};
SearchWindowView g_view;

// Headerless and unsorted: the hits keep the order the search found them in.
// The image list is the window's to destroy, after the list that shows it.
void MakeList(HWND hWnd) {
    MainWindows.hSearchListWnd = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                     WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                                         LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                                     0, 0, 0, 0, hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SEARCHLIST)), hInst, nullptr);
    if (!MainWindows.hSearchListWnd)
        return;
    hSearchImages = LU_SmallImages({IDI_SE_FOLDER, IDI_SE_CARD, IDI_SE_CONTENT}); // in the order of the kinds
    SendMessageA(MainWindows.hSearchListWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(hSearchImages));
}

// The list fills the client area above the status bar.
void Layout(HWND hWnd) {
    if (MainWindows.hSearchStatusWnd)
        SendMessageA(MainWindows.hSearchStatusWnd, WM_SIZE, 0, 0);
    SB_LayoutSearch();
    LU_FillAboveBar(hWnd, MainWindows.hSearchListWnd, MainWindows.hSearchStatusWnd);
}

// A click on a row selects its hit in the tree as a click there would, so the
// right pane shows the hit's card; the core tells the user when the hit has no
// item there.
void RowClicked(int row) {
    if (row < 0)
        return;
    TREEHANDLE hit = SE_ClickResult(static_cast<uint32_t>(row));
    if (hit)
        TV_ClickItem(hit);
}

// The text goes straight into the list's own buffer, which it does not keep.
void GetRow(NMLVDISPINFOA *info) {
    LVITEMA &item = info->item;
    const bool text = (item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0;
    uint32_t kind = SE_ResultRow(static_cast<uint32_t>(item.iItem), text ? item.pszText : nullptr,
                                 text ? static_cast<uint32_t>(item.cchTextMax) : 0);
    if (item.mask & LVIF_IMAGE)
        item.iImage = static_cast<int>(kind) - 1;
}
} // namespace

LRESULT CALLBACK SE_SearchWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        MainWindows.hSearchWnd = hWnd;
        MainWindows.hSearchStatusWnd = SB_CreateBar(hWnd, IDC_SEARCHSTATUS);
        MakeList(hWnd);
        Layout(hWnd);
        SE_SetView(&g_view);
        return 0;
    case WM_SIZE: Layout(hWnd); return 0;
    case WM_NOTIFY: {
        const NMHDR *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (hdr->hwndFrom == MainWindows.hSearchListWnd && hdr->code == NM_CLICK)
            RowClicked(reinterpret_cast<const NMITEMACTIVATE *>(lParam)->iItem);
        if (hdr->hwndFrom == MainWindows.hSearchListWnd && hdr->code == LVN_GETDISPINFOA)
            GetRow(reinterpret_cast<NMLVDISPINFOA *>(lParam));
        return 0;
    }
    case WM_CLOSE: ShowWindow(hWnd, SW_HIDE); return 0;
    case WM_DESTROY:
        SE_SetView(nullptr);
        MainWindows.hSearchStatusWnd = nullptr;
        MainWindows.hSearchListWnd = nullptr;
        if (hSearchImages)
            ImageList_Destroy(hSearchImages);
        hSearchImages = nullptr;
        return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
