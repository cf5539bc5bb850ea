#include "cli/cli_edit.h"

#include "cli/cli_names.h"
#include "cli/cli_safe.h"
#include "cli/cli_text.h"
#include "model/card_clipboard.h"
#include "model/card_fields.h"
#include "model/card_ops.h"
#include "model/feldstruct.h"
#include "model/field_editor.h"
#include "model/field_types.h"
#include "model/fields.h"
#include "model/folder_ops.h"
#include "model/password_generator.h"
#include "model/records.h"
#include "model/templates.h"
#include "platform/platform.h"
#include "store/safe_lifecycle.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/alarm_date_dialog.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A refusal of the core's rules: its message box has said why.
int Refused(const DLG_ANSWER &answer) {
    if (answer.lpText)
        UI_MessageBox(answer.lpText, answer.lpCaption, answer.nStyle);
    return 1;
}

int TooLong(const char *what, const std::string &name, size_t most) {
    fprintf(CLI_Err(), "orvsafe-cli: the %s \"%s\" is longer than %zu characters\n", what,
            CLI_Shown(name, false).c_str(), most);
    return 1;
}

bool Exists(const std::string &path) { return PL_GetFileAttributes(path.c_str()) != PL_INVALID_ATTRIBUTES; }

// A type by its name in the type list ("NORMAL", "PASSWORT", "URL", "E-MAIL",
// "PROGRAMM", "ALARM", any case) or its code; -1 when none.
int TypeCode(const std::string &text) {
    for (const FELDTYP *t = FeldTypen; t->nTyp != FELDTYP_ENDE; ++t)
        if (strcasecmp(text.c_str(), t->cName) == 0)
            return static_cast<int>(t->nTyp);
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '5')
        return text[0] - '0';
    return -1;
}

// --field NAME:TYPE:LENGTH[:drag] through the editor's "Create field" and
// "Create", with their checks. 0, 1 refused, 2 malformed.
int AddField(FE_EDITOR *ed, const std::string &spec) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t cut; (cut = spec.find(':', start)) != std::string::npos; start = cut + 1)
        parts.push_back(spec.substr(start, cut - start));
    parts.push_back(spec.substr(start));
    const bool drag = parts.size() == 4 && parts[3] == "drag";
    if ((parts.size() != 3 && !drag) || TypeCode(parts[1]) < 0) {
        fprintf(CLI_Err(),
                "orvsafe-cli: --field %s: give NAME:TYPE:LENGTH[:drag], TYPE one of NORMAL, PASSWORT, URL, E-MAIL, "
                "PROGRAMM, ALARM\n",
                CLI_Shown(spec, false).c_str());
        return 2;
    }
    if (parts[0].size() > FELD_NAME_LEN - 4)
        return TooLong("field name", parts[0], FELD_NAME_LEN - 4);
    FE_INPUT in{};
    DLG_ANSWER answer = FE_NewField(ed, &in);
    if (answer.lpText)
        return Refused(answer);
    snprintf(in.cName, sizeof in.cName, "%s", parts[0].c_str());
    in.nTyp = TypeCode(parts[1]);
    snprintf(in.cLaenge, sizeof in.cLaenge, "%.7s", parts[2].c_str());
    in.bDrag = drag;
    answer = FE_Apply(ed, &in);
    return answer.lpText ? Refused(answer) : 0;
}

// The value into the card's field within the field's length; an alarm field
// takes a date MM/DD/YYYY of the alarm dialog's lists, or nothing to clear it.
int PutValue(KARTE *card, const CF_FIELD &f, const char *value) {
    if (f.type == FT_ALARM || f.type == FT_ALARM2) {
        if (!value[0])
            return FW_PutFeld(card->nKartenKennung, f.nFeldIndex, "", card->hCardTree) == 0 ? 0 : 1;
        int month = 0, day = 0, year = 0;
        char rest = 0;
        if (sscanf(value, "%2d/%2d/%4d%c", &month, &day, &year, &rest) != 3 || strlen(value) != 10 ||
            AW_DateListPosition(AW_LIST_MONTH, month) < 0 || AW_DateListPosition(AW_LIST_DAY, day) < 0 ||
            AW_DateListPosition(AW_LIST_YEAR, year) < 0) {
            fprintf(CLI_Err(),
                    "orvsafe-cli: field \"%s\" is an alarm: give a date MM/DD/YYYY (years %d to %d), not \"%s\"\n",
                    CLI_Shown(f.name, false).c_str(), AW_YEAR_FIRST,
                    AW_DateListValue(AW_LIST_YEAR, AW_DateListCount(AW_LIST_YEAR) - 1),
                    CLI_Shown(value, false).c_str());
            return 1;
        }
        return AW_AlarmDateOk(card->nKartenKennung, f.nFeldIndex, day, month, year, card->hCardTree) == 0 ? 0 : 1;
    }
    const uint32_t most = FW_GetMaxLaenge(card->nKartenKennung, f.nFeldIndex);
    if (strlen(value) > most) {
        fprintf(CLI_Err(), "orvsafe-cli: the value for \"%s\" is longer than its %u characters\n",
                CLI_Shown(f.name, false).c_str(), static_cast<unsigned>(most));
        return 1;
    }
    return FW_PutFeld(card->nKartenKennung, f.nFeldIndex, value, card->hCardTree) == 0 ? 0 : 1;
}

// A field of the card by the name rule of folders and cards: 0 with *found
// set, 2 after saying that none or more than one match.
int FindField(KARTE *card, const std::string &name, CF_FIELD *found) {
    std::vector<CF_FIELD> exact, folded;
    CF_CURSOR cursor;
    CF_FIELD f;
    for (int more = CF_First(card->nKartenKennung, &cursor, &f); more; more = CF_Next(&cursor, &f)) {
        if (name == f.name)
            exact.push_back(f);
        else if (strcasecmp(name.c_str(), f.name) == 0)
            folded.push_back(f);
    }
    const std::vector<CF_FIELD> &hits = !exact.empty() ? exact : folded;
    if (hits.size() == 1) {
        *found = hits[0];
        return 0;
    }
    fprintf(CLI_Err(),
            hits.empty() ? "orvsafe-cli: card \"%s\" has no field \"%s\"\n"
                         : "orvsafe-cli: card \"%s\": field name \"%s\" is ambiguous\n",
            CLI_Shown(card->cKartenName, false).c_str(), CLI_Shown(name, false).c_str());
    return 2;
}

// A value typed for FIELD=- (without echo at a terminal, else the next line of
// standard input) into value; 0, or 1 after saying why.
int ReadValue(const CF_FIELD &f, char *value, size_t size) {
    const std::string name = CLI_Shown(f.name, false);
    const std::string prompt = "Value of " + name + ": ", what = "the value of \"" + name + "\"";
    return CLI_ReadSecret("", prompt.c_str(), what.c_str(), value, size) < 0 ? 1 : 0;
}

// One FIELD=VALUE of a card (n: its positional word); FIELD=- reads the value
// (see ReadValue). 0, 1 refused, 2 malformed or no such field.
int SetField(KARTE *card, const Args &a, size_t n) {
    std::string assignment;
    if (!CLI_PositionalText(a, n, &assignment))
        return 1;
    const size_t eq = assignment.find('=');
    const std::string name = assignment.substr(0, eq == std::string::npos ? 0 : eq);
    CF_FIELD f{};
    int rc = eq == std::string::npos || eq == 0 ? -1 : FindField(card, name, &f);
    if (rc < 0)
        fprintf(CLI_Err(), "orvsafe-cli: \"%s\": give FIELD=VALUE\n", CLI_Shown(assignment, false).c_str());
    if (rc == 0) {
        char value[MAX_FELD_LAENGE + 2] = {}; // one more than any field holds, to be refused
        snprintf(value, sizeof value, "%s", assignment.c_str() + eq + 1);
        rc = strcmp(value, "-") == 0 ? ReadValue(f, value, sizeof value) : 0;
        if (rc == 0)
            rc = PutValue(card, f, value);
        PL_SecureZero(value, sizeof value);
    }
    PL_SecureZero(&assignment[0], assignment.size());
    return rc < 0 ? 2 : rc;
}

// Runs a change on the safe opened for it and writes it back when the change
// succeeded; a refused change leaves the file as it was.
template <typename Change> int ChangeSafe(const Args &a, ConsoleUi &ui, Change change) {
    if (CLI_OpenSafe(a, ui, a.positional[0]) != 0)
        return 1;
    int rc = change();
    if (rc != 0) {
        SW_DeactivateSafe();
        return rc;
    }
    return CLI_SaveSafe();
}

bool Usage(const Args &a, size_t least, size_t most) {
    return a.positional.size() >= least && a.positional.size() <= most;
}

} // namespace

int CLI_Create(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 1, 1))
        return CLI_BAD_USAGE;
    const std::string &path = a.positional[0];
    if (Exists(path)) {
        fprintf(CLI_Err(), "orvsafe-cli: %s exists already; create never replaces a file\n", path.c_str());
        return 1;
    }
    char confirm[CLI_PASSWORD_SIZE] = {};
    const bool without = CLI_Has(a, "--no-password");
    if (!without) {
        const std::string file = CLI_Has(a, "--password-file") ? a.options.at("--password-file") : "";
        if (!CLI_ReadNewPassword(file, ui.password, confirm)) {
            PL_SecureZero(confirm, sizeof confirm);
            return 1;
        }
        ui.havePassword = true;
    }
    int rc = CLI_WriteNewSafe(path, false, ui.password, confirm, without, 0);
    PL_SecureZero(confirm, sizeof confirm);
    return rc;
}

int CLI_Mkdir(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 2, 2) || (!CLI_Has(a, "--template") && a.fields.empty()))
        return CLI_BAD_USAGE;
    std::string name, templ, icon;
    if (!CLI_PositionalText(a, 1, &name) || (CLI_Has(a, "--icon") && !CLI_OptionText(a, "--icon", &icon)))
        return 1;
    if (name.size() > ORDNER_NAME_LEN - 1)
        return TooLong("folder name", name, ORDNER_NAME_LEN - 1);
    if (CLI_Has(a, "--template")) {
        std::string given;
        if (!CLI_OptionText(a, "--template", &given))
            return 1;
        if (CLI_FindTemplate(given, &templ) != 0)
            return 2;
    }
    std::vector<std::string> specs(a.fields.size());
    for (size_t i = 0; i < specs.size(); ++i)
        if (!CLI_FieldText(a, i, &specs[i]))
            return 1;
    return ChangeSafe(a, ui, [&]() {
        ORDNER *same = nullptr;
        for (ORDNER *o : SW_Folders())
            if (name == o->cOrdnerName)
                same = o;
        if (same) {
            fprintf(CLI_Err(), "orvsafe-cli: the safe has a folder \"%s\" already\n", CLI_Shown(name, false).c_str());
            return 1;
        }
        FE_EDITOR ed{};
        if (!templ.empty()) {
            DLG_ANSWER answer = OW_CreateOrdnerOk(name.c_str(), templ.c_str(), &ed);
            if (answer.nAction != DLG_NEXT)
                return Refused(answer);
        } else {
            FS_Clear();
            FE_OpenFolder(&ed, FE_MODE_NEW_FOLDER, name.c_str(), "");
        }
        if (CLI_Has(a, "--icon"))
            FE_SetIcon(&ed, icon.c_str());
        for (const std::string &spec : specs)
            if (int rc = AddField(&ed, spec))
                return rc;
        DLG_ANSWER answer = FE_Ok(&ed, ed.cTitle);
        if (answer.nAction != DLG_CLOSE_OK)
            return Refused(answer);
        return OW_CreateOrdnerEnd(&ed) > 0 ? 0 : 1;
    });
}

int CLI_Templates(const Args &a, ConsoleUi &) {
    if (!Usage(a, 0, 0))
        return CLI_BAD_USAGE;
    TW_ListTemplates(
        [](void *, const char *name, const char *icon) {
            fprintf(CLI_Out(), "%s\t%s\n", CLI_Shown(name).c_str(), CLI_Shown(icon).c_str());
        },
        nullptr);
    return 0;
}

int CLI_Add(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() < 3)
        return CLI_BAD_USAGE;
    std::string folderName, name, icon;
    if (!CLI_PositionalText(a, 1, &folderName) || !CLI_PositionalText(a, 2, &name) ||
        (CLI_Has(a, "--icon") && !CLI_OptionText(a, "--icon", &icon)))
        return 1;
    if (name.size() > KARTEN_NAME_LEN - 1)
        return TooLong("card name", name, KARTEN_NAME_LEN - 1);
    return ChangeSafe(a, ui, [&]() {
        ORDNER *folder = nullptr;
        if (int rc = CLI_FindFolder(folderName, &folder))
            return rc;
        // A card takes its folder's icon unless another is given.
        if (!CLI_Has(a, "--icon"))
            icon = folder->cIconName;
        DLG_ANSWER answer = CW_CheckCard(name.c_str(), icon.c_str());
        if (answer.nAction != DLG_NEXT)
            return Refused(answer);
        int id = CW_NewKarte(folder->hOrdnerTree, name.c_str(), icon.c_str(), nullptr);
        if (id < 0)
            return 1;
        KARTE *card = nullptr;
        for (KARTE *k : SW_Cards())
            if (k->nKartenKennung == static_cast<uint32_t>(id))
                card = k;
        for (size_t i = 3; i < a.positional.size(); ++i)
            if (int rc = SetField(card, a, i))
                return rc;
        return 0;
    });
}

int CLI_Edit(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() < 3)
        return CLI_BAD_USAGE;
    std::string path;
    if (!CLI_PositionalText(a, 1, &path))
        return 1;
    return ChangeSafe(a, ui, [&]() {
        ORDNER *folder = nullptr;
        KARTE *card = nullptr;
        if (int rc = CLI_FindCardPath(path, &folder, &card))
            return rc;
        for (size_t i = 2; i < a.positional.size(); ++i)
            if (int rc = SetField(card, a, i))
                return rc;
        return 0;
    });
}

int CLI_Move(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 3, 3))
        return CLI_BAD_USAGE;
    std::string path, target;
    if (!CLI_PositionalText(a, 1, &path) || !CLI_PositionalText(a, 2, &target))
        return 1;
    return ChangeSafe(a, ui, [&]() {
        ORDNER *from = nullptr, *to = nullptr;
        KARTE *card = nullptr;
        if (int rc = CLI_FindCardPath(path, &from, &card))
            return rc;
        if (int rc = CLI_FindFolder(target, &to))
            return rc;
        if (from == to) {
            fprintf(CLI_Err(), "orvsafe-cli: the card is in \"%s\" already\n",
                    CLI_Shown(to->cOrdnerName, false).c_str());
            return 1;
        }
        // As the tree's "Cut card" and "Paste card" move it, with their checks.
        if (CW_CutCard(card->hCardTree) != 0)
            return 1;
        return CW_PasteCard(to->hOrdnerTree) == 0 ? 0 : 1;
    });
}

int CLI_Remove(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 2, 2))
        return CLI_BAD_USAGE;
    std::string path;
    if (!CLI_PositionalText(a, 1, &path))
        return 1;
    ui.confirm = CLI_Has(a, "--force") ? CLI_CONFIRM_YES : CLI_CONFIRM_ASK;
    return ChangeSafe(a, ui, [&]() {
        ORDNER *folder = nullptr;
        KARTE *card = nullptr;
        if (int rc = CLI_FindCardPath(path, &folder, &card))
            return rc;
        return CW_DeleteKarte(card->hCardTree) == 0 ? 0 : 1;
    });
}

int CLI_RemoveFolder(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 2, 2))
        return CLI_BAD_USAGE;
    std::string name;
    if (!CLI_PositionalText(a, 1, &name))
        return 1;
    ui.confirm = CLI_Has(a, "--force") ? CLI_CONFIRM_YES : CLI_CONFIRM_ASK;
    return ChangeSafe(a, ui, [&]() {
        ORDNER *folder = nullptr;
        if (int rc = CLI_FindFolder(name, &folder))
            return rc;
        return OW_DeleteOrdner(folder->hOrdnerTree) == 0 ? 0 : 1;
    });
}

int CLI_Show(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 2, 2))
        return CLI_BAD_USAGE;
    std::string path;
    if (!CLI_PositionalText(a, 1, &path) || CLI_ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    ORDNER *folder = nullptr;
    KARTE *card = nullptr;
    if (int rc = CLI_FindCardPath(path, &folder, &card))
        return rc;
    const bool reveal = CLI_Has(a, "--show-protected");
    CF_CURSOR cursor;
    CF_FIELD f;
    for (int more = CF_First(card->nKartenKennung, &cursor, &f); more; more = CF_Next(&cursor, &f)) {
        char text[MAX_FELD_LAENGE + 1] = {};
        if (FW_GetFeld(card->nKartenKennung, f.nFeldIndex, text) != 0)
            text[0] = 0; // a field never filled shows empty
        const bool masked = f.type == FT_PASSWORT && !reveal && text[0];
        fprintf(CLI_Out(), "%s\t%s\n", CLI_Shown(f.name).c_str(), masked ? "********" : CLI_Shown(text).c_str());
        PL_SecureZero(text, sizeof text);
    }
    return 0;
}

int CLI_Generate(const Args &a, ConsoleUi &) {
    if (!Usage(a, 0, 0))
        return CLI_BAD_USAGE;
    long length = 10; // as the dialogs' "Automatic" makes them
    if (CLI_Has(a, "--length")) {
        const std::string &text = a.options.at("--length");
        char *end = nullptr;
        length = strtol(text.c_str(), &end, 10);
        if (text.empty() || *end || length < 1 || length > PWGEN_MAX) {
            fprintf(CLI_Err(), "orvsafe-cli: --length takes 1 to %d\n", PWGEN_MAX);
            return 2;
        }
    }
    char password[PWGEN_MAX + 1];
    SW_GeneratePassword(password, static_cast<uint32_t>(length));
    fprintf(CLI_Out(), "%s\n", password);
    PL_SecureZero(password, sizeof password);
    return 0;
}

int CLI_Passwd(const Args &a, ConsoleUi &ui) {
    if (!Usage(a, 1, 1))
        return CLI_BAD_USAGE;
    if (CLI_OpenSafe(a, ui, a.positional[0]) != 0)
        return 1;
    // The program's own rule: not while files are encrypted under the old password.
    if (SW_ChangePasswordAllowed() != 0) {
        SW_DeactivateSafe();
        return 1;
    }
    // The new password comes after the old one: from the terminal (twice), or
    // the second line of standard input when it is not one.
    char password[CLI_PASSWORD_SIZE] = {}, confirm[CLI_PASSWORD_SIZE] = {};
    const bool without = CLI_Has(a, "--no-password");
    bool ok = without;
    if (!without) {
        if (CLI_IsTerminal())
            fprintf(CLI_Err(), "New password.\n");
        ok = CLI_ReadNewPassword("", password, confirm);
    }
    SW_FOCUS focus;
    int rc = ok ? SW_ChangePasswordOK(password, confirm, without, &focus) : -1;
    PL_SecureZero(password, sizeof password);
    PL_SecureZero(confirm, sizeof confirm);
    if (rc != 0) {
        SW_DeactivateSafe();
        return 1;
    }
    return CLI_SaveSafe();
}
