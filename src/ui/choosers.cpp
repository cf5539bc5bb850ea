// The template chooser and the card chooser: one list of names with their
// icons, and the fields of the one selected in four columns. Both hand back a
// name through the chooser block.
#include "frame/logs.h"
#include "model/card_ops.h"
#include "model/feldstruct.h"
#include "ui/dialog_util.h"
#include "ui/dpi.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"

namespace {
struct Chooser {
    TW_CHOOSE *block;
    bool cards; // the card chooser: rows carry card identifiers
};

Chooser *Of(HWND hDlg) { return reinterpret_cast<Chooser *>(GetWindowLongPtrA(hDlg, DWLP_USER)); }

struct Filler {
    HWND list;
    bool images;
};

void AddTemplate(void *ctx, const char *name, const char *icon) {
    auto *f = static_cast<Filler *>(ctx);
    FL_AddRow(f->list, name, f->images ? FL_IconPosition(icon) : -1, 0);
}

void AddCard(void *ctx, uint32_t id, const char *name, const char *icon) {
    auto *f = static_cast<Filler *>(ctx);
    FL_AddRow(f->list, name, f->images ? FL_IconPosition(icon) : -1, static_cast<LPARAM>(id));
}

void Init(HWND hDlg, Chooser *c) {
    DU_CentreOnOwner(hDlg);
    if (!c->cards)
        SetWindowTextA(hDlg, c->block->cCaption);
    HWND list = GetDlgItem(hDlg, IDC_TC_LIST);
    HIMAGELIST images = FL_IconImages(DP_ImageSize(hDlg, 16));
    if (images)
        ListView_SetImageList(list, images, LVSIL_SMALL);
    else
        ML_WriteLog(c->cards ? "CA09" : "TW00", "error initlist (templates)", 0);
    FL_FieldColumns(GetDlgItem(hDlg, IDC_TC_FIELDS));
    FS_Clear();
    Filler f = {list, images != nullptr};
    if (c->cards)
        CW_ListIndividualCards(AddCard, &f);
    else
        TW_ListTemplates(AddTemplate, &f);
    DU_Focus(hDlg, IDC_TC_LIST);
}

LPARAM RowCard(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

// A row became selected: its fields are loaded and listed.
void ShowSelected(HWND hDlg, Chooser *c) {
    HWND list = GetDlgItem(hDlg, IDC_TC_LIST);
    int row = FL_Selected(list);
    if (row < 0)
        return;
    if (c->cards) {
        FS_Clear();
        CW_LoadFeldStruct(static_cast<uint32_t>(RowCard(list, row)), CE_MODE_VIEW);
    } else {
        char name[TW_NAME_LEN];
        FL_RowText(list, row, name, sizeof name);
        FS_Clear();
        TW_LoadTemplate(name);
    }
    FL_ShowFields(GetDlgItem(hDlg, IDC_TC_FIELDS));
}

// The card chooser hands back the chosen row's card: two cards may share a name.
void Ok(HWND hDlg, Chooser *c) {
    char name[KARTEN_NAME_LEN];
    HWND list = GetDlgItem(hDlg, IDC_TC_LIST);
    const int row = FL_Selected(list);
    FL_RowText(list, row, name, sizeof name);
    if (c->cards && row >= 0)
        c->block->nKartenKennung = static_cast<uint32_t>(RowCard(list, row));
    DU_ApplyAnswer(hDlg, TW_ChooserOk(c->block, name));
}

INT_PTR CALLBACK ChooserProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        Init(hDlg, reinterpret_cast<Chooser *>(lParam));
        return FALSE;
    case WM_NOTIFY: {
        const auto *hdr = reinterpret_cast<const NMHDR *>(lParam);
        if (hdr->idFrom != IDC_TC_LIST)
            break;
        if (hdr->code == LVN_ITEMCHANGED) {
            const auto *nm = reinterpret_cast<const NMLISTVIEW *>(lParam);
            if ((nm->uNewState & LVIS_SELECTED) && !(nm->uOldState & LVIS_SELECTED))
                ShowSelected(hDlg, Of(hDlg));
        } else if (hdr->code == LVN_ITEMACTIVATE) {
            Ok(hDlg, Of(hDlg));
        }
        break;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: Ok(hDlg, Of(hDlg)); return TRUE;
        case IDCANCEL: DU_ApplyAnswer(hDlg, TW_ChooserCancel(Of(hDlg)->block)); return TRUE;
        }
        break;
    }
    return FALSE;
}

int Run(int id, TW_CHOOSE *block, bool cards) {
    block->nCancelled = -1;
    Chooser c = {block, cards};
    DU_RunDialog(id, ChooserProc, reinterpret_cast<LPARAM>(&c));
    return block->nCancelled == 0 ? IDOK : IDCANCEL;
}
} // namespace

int DL_ChooseTemplate(TW_CHOOSE *block) { return Run(IDD_CHOOSETEMPLATE, block, false); }

int DL_ChooseCard(TW_CHOOSE *block) { return Run(IDD_CHOOSECARD, block, true); }
