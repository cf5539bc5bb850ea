// "Card": a new card with its field structure from one of four sources, and
// the name and icon of a changed card. Structures of the card's own go through
// "Card - Definition"; the core creates and changes the card.
#include "model/card_ops.h"
#include "ui/dialog_util.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"
#include "ui/tree_view.h"

#include <cstdio>

static_assert(IDC_CW_CARDNAME == CW_ID_CARDNAME && IDC_CW_CHOOSEICON == CW_ID_CHOOSEICON && IDC_CW_ICON == CW_ID_ICON &&
                  IDC_CW_FROM_FOLDER == CW_ID_FROM_FOLDER && IDC_CW_FROM_CARD == CW_ID_FROM_CARD &&
                  IDC_CW_FROM_TEMPLATE == CW_ID_FROM_TEMPLATE && IDC_CW_FROM_NEW == CW_ID_FROM_NEW,
              "\"Card\" carries the controls its logic names");

namespace {
// One "Card" dialog: the folder a new card goes into (or the changed card's
// block) and the icon chosen so far.
struct CardDialog {
    TREEHANDLE hFolder;
    CARDEDIT *lpChange; // change mode
    char cIcon[ICON_NAME_LEN];
};

CardDialog *Of(HWND hDlg) { return reinterpret_cast<CardDialog *>(GetWindowLongPtrA(hDlg, DWLP_USER)); }

void Init(HWND hDlg, CardDialog *c) {
    DU_CentreOnOwner(hDlg);
    SendDlgItemMessageA(hDlg, IDC_CW_CARDNAME, EM_LIMITTEXT, KARTEN_NAME_LEN - 1, 0);
    if (c->lpChange) {
        SetDlgItemTextA(hDlg, IDC_CW_CARDNAME, c->lpChange->cKartenName);
        snprintf(c->cIcon, sizeof c->cIcon, "%s", c->lpChange->cIconName);
        FL_ShowIcon(hDlg, IDC_CW_ICON, c->cIcon);
    } else {
        CheckRadioButton(hDlg, IDC_CW_FROM_FOLDER, IDC_CW_FROM_NEW, IDC_CW_FROM_FOLDER);
        EnableWindow(GetDlgItem(hDlg, IDC_CW_FROM_CARD), CW_HasIndividualCards() ? TRUE : FALSE);
    }
    DU_Focus(hDlg, IDC_CW_CARDNAME);
}

void ChooseIcon(HWND hDlg, CardDialog *c) {
    char icon[MAX_PATH] = {};
    if (DL_IconList(icon, sizeof icon) != IDOK)
        return;
    snprintf(c->cIcon, sizeof c->cIcon, "%.24s", icon);
    FL_ShowIcon(hDlg, IDC_CW_ICON, c->cIcon);
}

// The source the radio buttons name.
CW_SOURCE Source(HWND hDlg) {
    if (IsDlgButtonChecked(hDlg, IDC_CW_FROM_CARD) == BST_CHECKED)
        return CW_FROM_CARD;
    if (IsDlgButtonChecked(hDlg, IDC_CW_FROM_TEMPLATE) == BST_CHECKED)
        return CW_FROM_TEMPLATE;
    if (IsDlgButtonChecked(hDlg, IDC_CW_FROM_NEW) == BST_CHECKED)
        return CW_FROM_NEW;
    return CW_FROM_FOLDER;
}

// A structure of the card's own: the source chosen, then the card field
// editor. False when the user cancelled either; the block then holds nothing.
bool EditOwnFields(HWND hDlg, CardDialog *c, CW_SOURCE source, const char *name, CARDEDIT *block) {
    TW_CHOOSE chosen = {};
    uint32_t mode = CE_MODE_NEW;
    if (source == CW_FROM_TEMPLATE) {
        snprintf(chosen.cCaption, sizeof chosen.cCaption, "Please select template");
        if (DL_ChooseTemplate(&chosen) != IDOK)
            return false;
        mode = CE_MODE_TEMPLATE;
    } else if (source == CW_FROM_CARD) {
        snprintf(chosen.cCaption, sizeof chosen.cCaption, "Please select Cardtemplate");
        if (DL_ChooseCard(&chosen) != IDOK)
            return false;
        mode = CE_MODE_COPY_CARD;
    }
    CW_PrepareCardEdit(block, mode, name, c->cIcon, chosen.cTemplate, chosen.nKartenKennung);
    FE_EDITOR ed;
    FE_OpenCard(&ed, block);
    DL_FieldEditor(&ed);
    if (block->nCancelled != 0)
        return false;
    // The editor may have renamed the card and changed its icon.
    SetDlgItemTextA(hDlg, IDC_CW_CARDNAME, block->cKartenName);
    snprintf(c->cIcon, sizeof c->cIcon, "%s", block->cIconName);
    FL_ShowIcon(hDlg, IDC_CW_ICON, c->cIcon);
    return true;
}

void NewCardOk(HWND hDlg, CardDialog *c) {
    char name[KARTEN_NAME_LEN];
    FL_Text(hDlg, IDC_CW_CARDNAME, name, sizeof name);
    if (DU_ApplyAnswer(hDlg, CW_CheckCard(name, c->cIcon)) != DLG_NEXT)
        return;
    const CW_SOURCE source = Source(hDlg);
    CARDEDIT block;
    if (source == CW_FROM_FOLDER) {
        (void)CW_NewKarte(c->hFolder, name, c->cIcon, nullptr); // a lost folder was shown and logged
    } else {
        if (!EditOwnFields(hDlg, c, source, name, &block))
            return; // back in "Card"
        (void)CW_NewKarte(c->hFolder, block.cKartenName, block.cIconName, &block);
    }
    EndDialog(hDlg, IDOK);
}

void ChangeCardOk(HWND hDlg, CardDialog *c) {
    char name[KARTEN_NAME_LEN];
    FL_Text(hDlg, IDC_CW_CARDNAME, name, sizeof name);
    DU_ApplyAnswer(hDlg, CW_ChangeKarteOk(c->lpChange, name, c->cIcon));
}

INT_PTR CALLBACK CardProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        Init(hDlg, reinterpret_cast<CardDialog *>(lParam));
        return FALSE;
    case WM_COMMAND: {
        CardDialog *c = Of(hDlg);
        if (!c)
            break;
        switch (LOWORD(wParam)) {
        case IDC_CW_CHOOSEICON: ChooseIcon(hDlg, c); return TRUE;
        case IDOK:
            if (c->lpChange)
                ChangeCardOk(hDlg, c);
            else
                NewCardOk(hDlg, c);
            return TRUE;
        case IDCANCEL: EndDialog(hDlg, IDCANCEL); return TRUE;
        }
        break;
    }
    }
    return FALSE;
}
} // namespace

void CWCreateKarte() {
    CardDialog c = {reinterpret_cast<TREEHANDLE>(TV_GetSelection()), nullptr, {}};
    DU_RunSafeDialog(IDD_NEWCARD, CardProc, reinterpret_cast<LPARAM>(&c));
}

void CW_ChangeKarte() {
    CARDEDIT block;
    int kind = CW_ChangeKarteBegin(reinterpret_cast<TREEHANDLE>(TV_GetSelection()), &block);
    if (kind < 0)
        return; // the card menu offers this on cards only
    if (kind == 1) {
        FE_EDITOR ed;
        FE_OpenCard(&ed, &block);
        DL_FieldEditor(&ed);
    } else {
        CardDialog c = {nullptr, &block, {}};
        DU_RunSafeDialog(IDD_CHANGECARD, CardProc, reinterpret_cast<LPARAM>(&c));
    }
    (void)CW_ChangeKarteEnd(&block); // a card that went away under the dialog is left alone
}
