// Filling the tree from the record tables, its image list and its items.
#include "config/settings.h"
#include "frame/logs.h"
#include "frame/trace.h"
#include "model/cards.h"
#include "model/folders.h"
#include "model/tree_build.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "ui/dpi.h"
#include "ui/icon_list.h"
#include "ui/mainwnd.h"
#include "ui/resource.h"
#include "ui/toolbar.h"
#include "ui/tree_view.h"

#include <commctrl.h>

namespace {
HIMAGELIST hTreeImages = nullptr;
HTREEITEM hSafeItem = nullptr; // the root item, kept for the next replacement

HTREEITEM H(TREEHANDLE t) { return reinterpret_cast<HTREEITEM>(t); }
TREEHANDLE T(HTREEITEM h) { return reinterpret_cast<TREEHANDLE>(h); }

TREEHANDLE SinkInsert(void *, TREEHANDLE parent, const char *text, uint32_t kind, int image) {
    return T(TV_InsertItem(MainWindows.hWndLinks, text, H(parent), kind, image, image));
}
void SinkExpand(void *, TREEHANDLE item) { TreeView_Expand(MainWindows.hWndLinks, H(item), TVE_EXPAND); }
int SinkIcon(void *, const char *name) { return IC_GetImageIndex(name); }
// The button shows before the cards or field items exist; the first expansion adds them.
void SinkPromise(void *, TREEHANDLE folderOrCard) {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = H(folderOrCard);
    item.cChildren = 1;
    SendMessageA(MainWindows.hWndLinks, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
const TVB_SINK kSink = {nullptr, SinkInsert, SinkExpand, SinkIcon, SinkPromise};

TVB_OPTIONS Options() { return {MainModes.bQuickWindowMode ? 1 : 0, Settings.QWShowFolder ? 1 : 0}; }

// An item shown with the button but no child yet: its items are to come.
bool ChildrenToCome(HTREEITEM hItem) {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return !TreeView_GetChild(MainWindows.hWndLinks, hItem) &&
           SendMessageA(MainWindows.hWndLinks, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) && item.cChildren > 0;
}

void AddIcon(HIMAGELIST list, HICON icon) {
    if (ImageList_AddIcon(list, icon) < 0) // keeps the indexes after it in place
        ImageList_AddIcon(list, LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));
}
} // namespace

TV_STATE TreeState = {0, FALSE, 0};

HTREEITEM TV_InsertItem(HWND hTree, const char *text, HTREEITEM hParent, uint32_t kind, int image, int selImage) {
    TVINSERTSTRUCTA tvi = {};
    tvi.hParent = hParent ? hParent : TVI_ROOT;
    tvi.hInsertAfter = TVI_LAST;
    tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    tvi.item.pszText = const_cast<char *>(text);
    tvi.item.iImage = image == TV_IMG_DEFAULT ? TV_IMG_CARD : image;
    tvi.item.iSelectedImage = selImage == TV_IMG_DEFAULT ? TV_IMG_CARD : selImage;
    tvi.item.lParam = static_cast<LPARAM>(kind);
    return reinterpret_cast<HTREEITEM>(SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvi)));
}

void TV_SetItem(HWND hTree, const char *text, HTREEITEM hItem, int image, int selImage) {
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.pszText = const_cast<char *>(text);
    item.iImage = image == TV_IMG_DEFAULT ? TV_IMG_CARD : image;
    item.iSelectedImage = selImage == TV_IMG_DEFAULT ? TV_IMG_CARD : selImage;
    SendMessageA(hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

uint32_t TV_GetItemKind(HTREEITEM hItem) {
    if (!hItem || !MainWindows.hWndLinks)
        return 0;
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    if (!SendMessageA(MainWindows.hWndLinks, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<uint32_t>(item.lParam);
}

HTREEITEM TV_GetSelection() { return MainWindows.hWndLinks ? TreeView_GetSelection(MainWindows.hWndLinks) : nullptr; }

void TV_CreateImageList() {
    if (!MainWindows.hWndLinks)
        return;
    TreeView_SetImageList(MainWindows.hWndLinks, nullptr, TVSIL_NORMAL);
    if (hTreeImages)
        ImageList_Destroy(hTreeImages);
    int size = DP_ImageSize(MainWindows.hWndLinks, Settings.IconSize > 0 ? Settings.IconSize : 24);
    hTreeImages = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 200);
    if (!hTreeImages)
        return;
    ImageList_SetBkColor(hTreeImages, static_cast<COLORREF>(Settings.TViewBKColor));
    static const int fixed[] = {IDI_TV_SAFE, IDI_TV_FOLDER, IDI_TV_CARD, IDI_TV_FIELD, IDI_TV_URL, IDI_TV_LOCK,
                                IDI_TV_ALARM};
    for (int id : fixed) {
        HICON icon = static_cast<HICON>(LoadImageA(hInst ? hInst : GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                   IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        AddIcon(hTreeImages, icon);
        if (icon)
            DestroyIcon(icon);
    }
    int index = 0;
    for (ICONREC *r = IconList.lpICONstart; r; r = r->next) {
        r->image = index++;
        AddIcon(hTreeImages, r->icon);
    }
    TreeView_SetImageList(MainWindows.hWndLinks, hTreeImages, TVSIL_NORMAL);
}

void TV_DisplayTreeSafe(const char *path) {
    TRACE(TRACE_FUNCTIONS, "SW_FNK", "B SW_DisplayTreeSafe(LPSTR %s) (hmySafe=%x)", path, TRACE_PTR(hmySafe));
    if (!MainWindows.hWndLinks)
        return;
    if (hSafeItem)
        TreeView_DeleteItem(MainWindows.hWndLinks, hSafeItem);
    hSafeItem =
        TV_InsertItem(MainWindows.hWndLinks, SW_ExtractSafeName(path), nullptr, TV_KIND_SAFE, TV_IMG_SAFE, TV_IMG_SAFE);
}

namespace {
// Every item goes and every record forgets its item; the caller has the drawing off.
void DeleteItems() {
    if (MainWindows.hWndLinks)
        TreeView_DeleteAllItems(MainWindows.hWndLinks);
    hSafeItem = nullptr;
    TVB_ForgetItems();
    TreeState.nTVLastKind = 0;
    TreeState.bTVRightClick = FALSE;
    TreeState.nTVDragKind = 0;
}
} // namespace

void TV_ClearTree() {
    // Not drawn item by item as they go.
    if (MainWindows.hWndLinks)
        SendMessageA(MainWindows.hWndLinks, WM_SETREDRAW, FALSE, 0);
    DeleteItems();
    if (MainWindows.hWndLinks) {
        SendMessageA(MainWindows.hWndLinks, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(MainWindows.hWndLinks, nullptr, TRUE);
    }
}

void TV_FillTree() {
    TRACE(TRACE_FUNCTIONS, "TV_FNK", "B TV_FillTree() (hmySafe=%x)", TRACE_PTR(hmySafe));
    if (!hmySafe || !MainWindows.hWndLinks)
        return;
    SendMessageA(MainWindows.hWndLinks, WM_SETREDRAW, FALSE, 0);
    DeleteItems();
    // The options may have changed the colours since the last fill.
    TreeView_SetBkColor(MainWindows.hWndLinks, static_cast<COLORREF>(Settings.TViewBKColor));
    TV_CreateImageList();
    TV_DisplayTreeSafe(cActSafePath);
    const TVB_OPTIONS options = Options();
    TVB_BuildTree(T(hSafeItem), &options, &kSink);
    TreeState.nTVLastKind = 0;
    TreeState.bTVRightClick = FALSE;
    TreeState.nTVDragKind = 0;
    CW_ClearDisplayMode();
    MA_ToolbarNoCard();
    SendMessageA(MainWindows.hWndLinks, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(MainWindows.hWndLinks, nullptr, TRUE);
}

void TV_CollapseAll() {
    for (ORDNER *o : SW_Folders())
        o->nExpanded = 0;
    for (KARTE *k : SW_Cards())
        k->nExpanded = 0;
    TV_FillTree();
}

void TV_FillItems(HTREEITEM hItem) {
    if (!MainWindows.hWndLinks || !hItem || !ChildrenToCome(hItem))
        return;
    const TVB_OPTIONS options = Options();
    // An item of no shown folder or card has nothing to add.
    switch (TV_GetItemKind(hItem)) {
    case TV_KIND_FOLDER: (void)TVB_FillFolder(T(hItem), &options, &kSink); break;
    case TV_KIND_CARD: (void)TVB_FillCard(T(hItem), &options, &kSink); break;
    default: break;
    }
}

TREEHANDLE TV_InsertFieldItem(TREEHANDLE hCard, const char *text) {
    // A card whose items are still to come gets this one with them, in its place.
    if (!MainWindows.hWndLinks || !hCard || ChildrenToCome(H(hCard)))
        return nullptr;
    return T(TV_InsertItem(MainWindows.hWndLinks, text, H(hCard), TV_KIND_FIELD, TV_IMG_FIELD, TV_IMG_FIELD));
}

void TV_SelectItem(TREEHANDLE item) {
    if (!MainWindows.hWndLinks)
        return;
    TreeView_SelectItem(MainWindows.hWndLinks, H(item));
    SetFocus(MainWindows.hWndLinks);
}

const char *TV_SelectedCardName() {
    HTREEITEM sel = TV_GetSelection();
    if (!sel || TV_GetItemKind(sel) != TV_KIND_CARD)
        return "";
    const char *name = CW_GetCardName(T(sel));
    return name ? name : "";
}
