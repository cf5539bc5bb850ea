#include "ui/fill_lists.h"

#include "model/feldstruct.h"
#include "ui/icon_list.h"

#include <cstring>

HIMAGELIST FL_IconImages(int size) {
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, IconList.nIconCount > 0 ? IconList.nIconCount : 1, 4);
    if (!images)
        return nullptr;
    for (ICONREC *r = IconList.lpICONstart; r; r = r->next)
        // A file without a usable icon still takes its place, so positions stay images.
        if (ImageList_ReplaceIcon(images, -1, r->icon ? r->icon : LoadIconA(nullptr, IDI_APPLICATION)) < 0) {
            ImageList_Destroy(images);
            return nullptr;
        }
    return images;
}

int FL_IconPosition(const char *name) {
    int i = 0;
    for (ICONREC *r = IconList.lpICONstart; r && name; r = r->next, ++i)
        if (strcmp(r->name, name) == 0)
            return i;
    return -1;
}

void FL_ShowIcon(HWND hDlg, int id, const char *icon) {
    HICON h = icon && icon[0] ? IC_GetIcon(icon) : nullptr;
    SendDlgItemMessageA(hDlg, id, STM_SETICON, reinterpret_cast<WPARAM>(h), 0);
}

int FL_AddRow(HWND list, const char *text, int image, LPARAM data) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char *>(text);
    item.iImage = image >= 0 ? image : I_IMAGENONE; // an unknown icon shows none rather than the first
    item.lParam = data;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int FL_Selected(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void FL_RowText(HWND list, int row, char *text, int size) {
    text[0] = 0;
    if (row < 0)
        return;
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = size;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void FL_Select(HWND list, int row) {
    if (row < 0)
        return;
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
}

void FL_FieldColumns(HWND list) {
    RECT rc;
    GetClientRect(list, &rc);
    const int width = rc.right - rc.left;
    static const char *const titles[] = {"Fieldname", "Fieldtype", "D", "Size"};
    static const int tenths[] = {3, 3, 1, 2};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = const_cast<char *>(titles[i]);
        col.cx = width * tenths[i] / 10;
        col.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    }
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
}

namespace {
int CALLBACK HighestIndexFirst(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : a > b ? -1 : 0; }

void SetCell(HWND list, int row, int column, const char *text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
} // namespace

void FL_ShowFields(HWND list) {
    ListView_DeleteAllItems(list);
    for (uint32_t i = 0; i < FeldEditor.nFeldStructCount; ++i) {
        FS_ROW row;
        FS_DescribeEntry(&FeldStruct[i], &row);
        int at = FL_AddRow(list, row.cName, -1, static_cast<LPARAM>(FeldStruct[i].nIndex));
        SetCell(list, at, 1, row.cTyp);
        SetCell(list, at, 2, row.cDrag);
        SetCell(list, at, 3, row.cSize);
    }
    ListView_SortItems(list, HighestIndexFirst, 0);
}

void FL_Text(HWND hDlg, int id, char *text, int size) {
    text[0] = 0;
    GetDlgItemTextA(hDlg, id, text, size);
}
