// "Folder - Settings" and "Card - Definition": the field-description editor.
// The procedure reads the field edits, lets the core decide, then shows the
// working list and enables each control as the core's state says.
#include "model/field_types.h"
#include "ui/dialog_util.h"
#include "ui/fill_dialogs.h"
#include "ui/fill_lists.h"
#include "ui/resource.h"

#include <cstdio>

static_assert(IDC_FE_NAME == FE_ID_NAME && IDC_FE_TYPE == FE_ID_TYPE && IDC_FE_LENGTH == FE_ID_LENGTH &&
                  IDC_FE_LIST == FE_ID_LIST && IDC_FE_NEWFIELD == FE_ID_NEWFIELD &&
                  IDC_FE_FIELDNAME == FE_ID_FIELDNAME && IDC_FE_DRAG == FE_ID_DRAG && IDC_FE_CREATE == FE_ID_CREATE &&
                  IDC_FE_FIELDCANCEL == FE_ID_FIELDCANCEL && IDC_FE_SELECTICON == FE_ID_SELECTICON &&
                  IDC_FE_APPLY == FE_ID_APPLY && IDC_FE_ICON == FE_ID_ICON && IDC_FE_UP == FE_ID_UP &&
                  IDC_FE_DOWN == FE_ID_DOWN && IDC_FE_DELETE == FE_ID_DELETE && IDC_FE_CHANGE == FE_ID_CHANGE &&
                  IDC_FE_CARD_ICON == FE_ID_CARD_ICON && IDC_FE_CARDNAME == FE_ID_CARDNAME &&
                  IDC_FE_CARD_SELECTICON == FE_ID_CARD_SELECTICON,
              "the editor's resources carry the controls its logic names");

namespace {
// The controls whose state follows the editor's.
const int kStateful[] = {IDOK,           IDCANCEL,    IDC_FE_TYPE,      IDC_FE_LENGTH, IDC_FE_LIST,
                         IDC_FE_NEWFIELD, IDC_FE_FIELDNAME, IDC_FE_DRAG, IDC_FE_CREATE, IDC_FE_FIELDCANCEL,
                         IDC_FE_APPLY,   IDC_FE_UP,   IDC_FE_DOWN,      IDC_FE_DELETE, IDC_FE_CHANGE};

FE_EDITOR *Of(HWND hDlg) { return reinterpret_cast<FE_EDITOR *>(GetWindowLongPtrA(hDlg, DWLP_USER)); }
bool IsCard(const FE_EDITOR *ed) { return ed->nKind == FE_KIND_CARD; }
int NameId(const FE_EDITOR *ed) { return IsCard(ed) ? IDC_FE_CARDNAME : IDC_FE_NAME; }
int IconId(const FE_EDITOR *ed) { return IsCard(ed) ? IDC_FE_CARD_ICON : IDC_FE_ICON; }
int SelectIconId(const FE_EDITOR *ed) { return IsCard(ed) ? IDC_FE_CARD_SELECTICON : IDC_FE_SELECTICON; }

void ReadEdits(HWND hDlg, FE_INPUT *in) {
    FL_Text(hDlg, IDC_FE_FIELDNAME, in->cName, sizeof in->cName);
    in->nTyp = static_cast<int>(SendDlgItemMessageA(hDlg, IDC_FE_TYPE, CB_GETCURSEL, 0, 0));
    FL_Text(hDlg, IDC_FE_LENGTH, in->cLaenge, sizeof in->cLaenge);
    in->bDrag = IsDlgButtonChecked(hDlg, IDC_FE_DRAG) == BST_CHECKED;
}

void ShowEdits(HWND hDlg, const FE_INPUT &in) {
    SetDlgItemTextA(hDlg, IDC_FE_FIELDNAME, in.cName);
    SendDlgItemMessageA(hDlg, IDC_FE_TYPE, CB_SETCURSEL, static_cast<WPARAM>(in.nTyp), 0);
    SetDlgItemTextA(hDlg, IDC_FE_LENGTH, in.cLaenge);
    CheckDlgButton(hDlg, IDC_FE_DRAG, in.bDrag ? BST_CHECKED : BST_UNCHECKED);
}

void ClearEdits(HWND hDlg) {
    FE_INPUT none = {};
    none.nTyp = -1;
    ShowEdits(hDlg, none);
}

void ShowState(HWND hDlg, const FE_EDITOR *ed) {
    for (int id : kStateful)
        EnableWindow(GetDlgItem(hDlg, id), FE_IsEnabled(ed, id) ? TRUE : FALSE);
}

// The working list by name, its selected line kept.
void ShowList(HWND hDlg, const FE_EDITOR *ed) {
    HWND list = GetDlgItem(hDlg, IDC_FE_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (uint32_t i = 0; i < FeldEditor.nFeldStructCount; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FeldStruct[i].cName));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(ed->nSelected), 0);
    ShowState(hDlg, ed);
}

void Init(HWND hDlg, FE_EDITOR *ed) {
    DU_CentreOnOwner(hDlg);
    for (const FELDTYP *t = FeldTypen; t->cName[0]; ++t)
        SendDlgItemMessageA(hDlg, IDC_FE_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t->cName));
    SendDlgItemMessageA(hDlg, NameId(ed), EM_LIMITTEXT, IsCard(ed) ? KARTEN_NAME_LEN - 1 : ORDNER_NAME_LEN - 1, 0);
    SendDlgItemMessageA(hDlg, IDC_FE_FIELDNAME, EM_LIMITTEXT, 24, 0);
    SendDlgItemMessageA(hDlg, IDC_FE_LENGTH, EM_LIMITTEXT, 4, 0);
    SetDlgItemTextA(hDlg, NameId(ed), ed->cTitle);
    for (int id : {IDC_FE_NEWFIELD, IDC_FE_CREATE, IDC_FE_DELETE})
        if (!FE_HasControl(ed, id))
            ShowWindow(GetDlgItem(hDlg, id), SW_HIDE);
    FL_ShowIcon(hDlg, IconId(ed), ed->cIcon);
    ClearEdits(hDlg);
    ShowList(hDlg, ed);
    DU_Focus(hDlg, NameId(ed));
}

// A button that works on the field edits: the core reads and rewrites them.
void EditCommand(HWND hDlg, FE_EDITOR *ed, DLG_ANSWER (*op)(FE_EDITOR *, FE_INPUT *), bool read) {
    FE_INPUT in = {};
    in.nTyp = -1;
    if (read)
        ReadEdits(hDlg, &in);
    DLG_ANSWER a = op(ed, &in);
    if (!a.lpText)
        ShowEdits(hDlg, in);
    ShowList(hDlg, ed);
    DU_ApplyAnswer(hDlg, a);
}

void ListCommand(HWND hDlg, FE_EDITOR *ed, DLG_ANSWER (*op)(FE_EDITOR *)) {
    DLG_ANSWER a = op(ed);
    if (ed->nState == FE_IDLE)
        ClearEdits(hDlg);
    ShowList(hDlg, ed);
    DU_ApplyAnswer(hDlg, a);
}

void SelectIcon(HWND hDlg, FE_EDITOR *ed) {
    char icon[MAX_PATH] = {};
    if (DL_IconList(icon, sizeof icon) != IDOK)
        return;
    FE_SetIcon(ed, icon);
    FL_ShowIcon(hDlg, IconId(ed), ed->cIcon);
}

void Ok(HWND hDlg, FE_EDITOR *ed) {
    char name[KARTEN_NAME_LEN];
    FL_Text(hDlg, NameId(ed), name, sizeof name);
    DU_ApplyAnswer(hDlg, FE_Ok(ed, name));
}

bool Command(HWND hDlg, FE_EDITOR *ed, int id, int code) {
    if (id == SelectIconId(ed)) {
        SelectIcon(hDlg, ed);
        return true;
    }
    switch (id) {
    case IDC_FE_LIST:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
            FE_Select(ed, static_cast<int>(SendDlgItemMessageA(hDlg, IDC_FE_LIST, LB_GETCURSEL, 0, 0)));
            ShowState(hDlg, ed);
        }
        return true;
    case IDC_FE_NEWFIELD: EditCommand(hDlg, ed, FE_NewField, false); return true;
    case IDC_FE_CHANGE: EditCommand(hDlg, ed, FE_ChangeField, false); return true;
    case IDC_FE_CREATE:
    case IDC_FE_APPLY: EditCommand(hDlg, ed, FE_Apply, true); return true;
    case IDC_FE_FIELDCANCEL: ListCommand(hDlg, ed, FE_FieldCancel); return true;
    case IDC_FE_DELETE: ListCommand(hDlg, ed, FE_Delete); return true;
    case IDC_FE_UP: ListCommand(hDlg, ed, FE_Up); return true;
    case IDC_FE_DOWN: ListCommand(hDlg, ed, FE_Down); return true;
    case IDOK: Ok(hDlg, ed); return true;
    case IDCANCEL:
        // Escape while a field is being edited leaves the field, not the dialog.
        if (ed->nState != FE_IDLE)
            ListCommand(hDlg, ed, FE_FieldCancel);
        else
            DU_ApplyAnswer(hDlg, FE_Cancel(ed));
        return true;
    default: return false;
    }
}

INT_PTR CALLBACK EditorProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        Init(hDlg, reinterpret_cast<FE_EDITOR *>(lParam));
        return FALSE;
    case WM_COMMAND:
        if (FE_EDITOR *ed = Of(hDlg))
            return Command(hDlg, ed, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        break;
    }
    return FALSE;
}
} // namespace

int DL_FieldEditor(FE_EDITOR *ed) {
    int id = ed->nKind == FE_KIND_CARD ? IDD_CARDDEFINITION : IDD_FOLDERSETTINGS;
    // A template lives in its own file, not in the safe.
    const bool template_ = ed->nKind == FE_KIND_FOLDER && ed->nMode < FE_MODE_NEW_FOLDER;
    INT_PTR rc = template_ ? DU_RunDialog(id, EditorProc, reinterpret_cast<LPARAM>(ed))
                           : DU_RunSafeDialog(id, EditorProc, reinterpret_cast<LPARAM>(ed));
    if (rc == IDOK)
        return IDOK;
    // A dialog that could not be shown is a cancelled one.
    if (rc != IDCANCEL)
        (void)FE_Cancel(ed);
    return IDCANCEL;
}
