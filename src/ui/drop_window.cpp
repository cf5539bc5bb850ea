#include "ui/drop_window.h"

#include "tools/drop_crypt.h"
#include "tools/drop_window.h"
#include "ui/ids_drop.h"
#include "ui/ids_main.h"
#include "ui/list_util.h"
#include "ui/statusbar.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>


namespace {
const char kColumnTitle[] = "Datei";

HIMAGELIST hDropImages = nullptr;

int ListWidth() {
    RECT rc = {};
    GetClientRect(MainWindows.hDropListWnd, &rc);
    return rc.right - 10;
}

class DropWindowView : public DropView {
  public:
    void Show(int show) override {
        if (MainWindows.hDropWnd)
            ShowWindow(MainWindows.hDropWnd, show ? SW_SHOW : SW_HIDE);
    }
    void ListRows(uint32_t rows) override {
        if (!MainWindows.hDropListWnd)
            return;
        SendMessageA(MainWindows.hDropListWnd, LVM_SETITEMCOUNT, rows, 0);
        InvalidateRect(MainWindows.hDropListWnd, nullptr, TRUE); // the rows may have moved, not only grown
    }
    // The order a sorted list view gives its items (lstrcmpA's), as the user's
    // locale's sort key: one made per name, compared byte by byte.
    std::string SortKey(const char *name) override {
        const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name, -1, nullptr, 0);
        std::string key(size > 0 ? static_cast<size_t>(size) : 0, '\0');
        if (size <= 0 || LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, name, -1, key.data(), size) != size)
            return name; // no key: the bytes of the name order it
        return key;
    }
    void Counts(uint32_t folders, uint32_t files) override { SB_ShowDropCounts(folders, files); }
};
DropWindowView g_view;

// One column, headerless, as wide as the list less a margin. Its rows are the
// core's, sorted there descending as the list itself would sort them. The image
// list is the window's to destroy, after the list that shows it.
void MakeList(HWND hWnd) {
    MainWindows.hDropListWnd = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                   WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                                       LVS_OWNERDATA | LVS_SHAREIMAGELISTS,
                                   0, 0, 0, 0, hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DROPLIST)),
                                   hInst, nullptr);
    if (!MainWindows.hDropListWnd)
        return;
    hDropImages = LU_SmallImages({IDI_DW_FILE, IDI_DW_FOLDER}); // a file, a folder
    SendMessageA(MainWindows.hDropListWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(hDropImages));
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.pszText = const_cast<char *>(kColumnTitle);
    column.cx = 0;
    SendMessageA(MainWindows.hDropListWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

// The list fills the client area above the status bar.
void Layout(HWND hWnd) {
    if (MainWindows.hDropStatusWnd)
        SendMessageA(MainWindows.hDropStatusWnd, WM_SIZE, 0, 0);
    SB_LayoutDrop();
    LU_FillAboveBar(hWnd, MainWindows.hDropListWnd, MainWindows.hDropStatusWnd);
    if (MainWindows.hDropListWnd)
        SendMessageA(MainWindows.hDropListWnd, LVM_SETCOLUMNWIDTH, 0, ListWidth());
}

// A right click on the list decrypts the selected items.
void DecryptSelected() {
    std::vector<std::string> paths;
    int i = -1;
    DW_ROW row;
    while ((i = static_cast<int>(SendMessageA(MainWindows.hDropListWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                              MAKELPARAM(LVNI_SELECTED, 0)))) != -1)
        if (DW_ListRow(static_cast<uint32_t>(i), &row))
            paths.push_back(row.filename);
    std::vector<const char *> p;
    for (const std::string &s : paths)
        p.push_back(s.c_str());
    // A cancelled question leaves everything as it was.
    (void)DW_DecryptSelection(p.data(), static_cast<uint32_t>(p.size()));
}
// The list asks for what it paints of a row.
void ShowRow(LVITEMA &item) {
    DW_ROW row;
    if (!DW_ListRow(static_cast<uint32_t>(item.iItem), &row))
        return;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, row.filename, item.cchTextMax);
    if (item.mask & LVIF_IMAGE)
        item.iImage = row.image;
    if (item.mask & LVIF_PARAM)
        item.lParam = static_cast<LPARAM>(row.index);
}
} // namespace

void DW_DropFiles(HDROP hDrop) {
    const UINT count = DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(hDrop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(hDrop, i, &path[0], length + 1);
        path.resize(length);
        paths.push_back(path);
    }
    // The drop is the shell's: released before the long work starts.
    DragFinish(hDrop);
    std::vector<const char *> p;
    for (const std::string &s : paths)
        p.push_back(s.c_str());
    // Refusals and cancels have been told or asked for by the core.
    (void)DW_CryptFiles(p.data(), static_cast<uint32_t>(p.size()));
}

LRESULT CALLBACK DW_DropWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        MainWindows.hDropWnd = hWnd;
        MainWindows.hDropStatusWnd = SB_CreateBar(hWnd, IDC_DROPSTATUS);
        MakeList(hWnd);
        Layout(hWnd);
        DragAcceptFiles(hWnd, TRUE);
        DW_SetView(&g_view);
        return 0;
    case WM_SIZE: Layout(hWnd); return 0;
    case WM_DROPFILES: DW_DropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_NOTIFY: {
        const NMHDR *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (hdr->hwndFrom == MainWindows.hDropListWnd && hdr->code == NM_RCLICK)
            DecryptSelected();
        if (hdr->hwndFrom == MainWindows.hDropListWnd && hdr->code == LVN_GETDISPINFOA)
            ShowRow(reinterpret_cast<NMLVDISPINFOA *>(lParam)->item);
        return 0;
    }
    case WM_CLOSE: DW_HideWindow(); return 0;
    case WM_DESTROY:
        DW_SetView(nullptr);
        DragAcceptFiles(hWnd, FALSE);
        MainWindows.hDropStatusWnd = nullptr;
        MainWindows.hDropListWnd = nullptr;
        if (hDropImages)
            ImageList_Destroy(hDropImages);
        hDropImages = nullptr;
        return 0;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
