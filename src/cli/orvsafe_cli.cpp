#include "cli/orvsafe_cli.h"

#include "cli/cli_args.h"
#include "cli/cli_console.h"
#include "cli/cli_edit.h"
#include "cli/cli_exchange.h"
#include "cli/cli_names.h"
#include "cli/cli_safe.h"
#include "cli/cli_text.h"
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "crypto/file_crypt.h"
#include "frame/logs.h"
#include "model/list_release.h"
#include "model/password_generator.h"
#include "model/default_templates.h"
#include "model/records.h"
#include "model/search.h"
#include "platform/platform.h"
#include "store/drop_file.h"
#include "store/envelope_settings.h"
#include "store/safe_json.h"
#include "store/safe_lifecycle.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/backup.h"
#include "tools/recover_list.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool Has(const Args &a, const char *o) { return CLI_Has(a, o); }

int AlgoNumber(const std::string &name) {
    if (name == "aes")
        return CRYPT_ALGO_AES;
    if (name == "blowfish")
        return CRYPT_ALGO_BLOWFISH;
    if (name == "cast")
        return CRYPT_ALGO_CAST;
    if (name == "skipjack")
        return CRYPT_ALGO_SKIPJACK;
    return 0;
}

int FileCommand(const Args &a, ConsoleUi &ui, bool encrypt) {
    if (a.positional.size() != 1)
        return CLI_BAD_USAGE;
    if (Has(a, "--algo") && !encrypt)
        return CLI_BAD_USAGE;
    if (!CLI_GetPassword(a, ui))
        return 1;
    const char *path = a.positional[0].c_str();
    int rc = encrypt ? docryptMyFile(path, ui.password, NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET) : doencryptMyFile(path, ui.password, NPWYESNO_YES, CY_NO_PROGRESS_BAR, CY_QUIET);
    if (rc != 0 && ui.lastMessage.empty())
        fprintf(CLI_Err(), "orvsafe-cli: cannot %s %s (wrong password, or not an envelope)\n",
                encrypt ? "encrypt" : "decrypt", path);
    return rc == 0 ? 0 : 1;
}

int Export(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 1)
        return CLI_BAD_USAGE;
    if (CLI_ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    std::string json = SW_ExportJson(TmpSafeHeader, TmpSafeControl);
    fwrite(json.data(), 1, json.size(), CLI_Out());
    PL_SecureZero(&json[0], json.size());
    return 0;
}

int Import(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 2)
        return CLI_BAD_USAGE;
    const std::string &jsonPath = a.positional[0], &safePath = a.positional[1];
    const bool replace = PL_GetFileAttributes(safePath.c_str()) != PL_INVALID_ATTRIBUTES;
    if (replace && !Has(a, "--force")) {
        fprintf(CLI_Err(), "orvsafe-cli: %s exists already (use --force to replace it)\n", safePath.c_str());
        return 1;
    }
    std::string doc;
    if (!CLI_ReadWholeFile(jsonPath, &doc)) {
        fprintf(CLI_Err(), "orvsafe-cli: cannot read %s\n", jsonPath.c_str());
        return 1;
    }
    bool hasPassword = false;
    uint16_t reserved = 0;
    std::string error;
    bool ok = SW_ImportJson(doc, &hasPassword, &reserved, &error);
    PL_SecureZero(&doc[0], doc.size());
    if (!ok) {
        fprintf(CLI_Err(), "orvsafe-cli: %s: %s\n", jsonPath.c_str(), error.c_str());
        return 1;
    }
    // The document says whether its safe has a password; --no-password drops it.
    const bool without = !hasPassword || Has(a, "--no-password");
    char confirm[CLI_PASSWORD_SIZE] = {};
    if (!without &&
        !CLI_ReadNewPassword(Has(a, "--password-file") ? a.options.at("--password-file") : "", ui.password, confirm))
        return 1;
    int rc = CLI_WriteNewSafe(safePath, replace, ui.password, confirm, without, reserved);
    PL_SecureZero(confirm, sizeof confirm);
    return rc;
}

int List(const Args &a, ConsoleUi &ui) {
    if (a.positional.empty() || a.positional.size() > 2)
        return CLI_BAD_USAGE;
    std::string name;
    if ((a.positional.size() == 2 && !CLI_PositionalText(a, 1, &name)) || CLI_ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    if (a.positional.size() == 1) {
        for (ORDNER *o : SW_Folders()) {
            int cards = 0;
            for (KARTE *k : SW_Cards())
                cards += k->nOrdnerKennung == o->nOrdnerKennung;
            fprintf(CLI_Out(), "%s\t%d card%s\n", CLI_Shown(o->cOrdnerName).c_str(), cards, cards == 1 ? "" : "s");
        }
        return 0;
    }
    ORDNER *folder = nullptr;
    if (int rc = CLI_FindFolder(name, &folder))
        return rc;
    for (KARTE *k : SW_Cards())
        if (k->nOrdnerKennung == folder->nOrdnerKennung)
            fprintf(CLI_Out(), "%s\n", CLI_Shown(k->cKartenName).c_str());
    return 0;
}

int Search(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 2)
        return CLI_BAD_USAGE;
    std::string text;
    if (!CLI_PositionalText(a, 1, &text) || CLI_ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    uint32_t options = SE_SearchOptions(Has(a, "--folders"), Has(a, "--cards"), Has(a, "--contents"));
    SE_SearchSafe(text.c_str(), options);
    static const char *const kinds[] = {"", "folder", "card", "content"};
    const bool reveal = Has(a, "--show-protected");
    for (SEARCHRESULT *r : SE_Results()) {
        const char *hit = SE_ResultText(r);
        // A password hit is masked as "show" masks it.
        const std::string shown = r->bProtected && !reveal ? "********" : CLI_Shown(hit ? hit : "");
        fprintf(CLI_Out(), "%s\t%s\n", r->kind <= 3 ? kinds[r->kind] : "?", shown.c_str());
    }
    SE_FreeResults();
    return 0;
}
#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

// One generation of SAFE, as the program's "Backup Safe" makes it, into the
// BackupPath of the settings in --dir (else of those beside the safe); the drop
// file goes with it when there is one.
int Backup(const Args &a, ConsoleUi &) {
    if (a.positional.size() != 1)
        return CLI_BAD_USAGE;
    const std::string &safePath = a.positional[0];
    if (SW_OpenSafe(safePath.c_str()) != 0)
        return 1; // not there, or not a safe: the reader has said why
    SW_SetWorkFile(nullptr);

    // Logs are written only into a program directory given with --dir.
    std::string settingsDir = Has(a, "--dir") ? a.options.at("--dir") : CLI_FolderOf(safePath);
    CLI_ReadSettings(settingsDir);
    const char *backupDir = Settings.BackupPath;
    const int count = Settings.BackupGenerations;
    if (!backupDir[0]) {
        fprintf(CLI_Err(), "orvsafe-cli: no BackupPath is set in %s%corvsafe.ini\n", settingsDir.c_str(), kSeparator);
        return 1;
    }
    std::string dropFile = safePath + DROPFILE_SUFFIX;
    int withDropFile = PL_GetFileAttributes(dropFile.c_str()) != PL_INVALID_ATTRIBUTES ? 1 : 0;
    int generation = 0;
    if (BW_BackupTo(safePath.c_str(), backupDir, count, withDropFile, &generation) != 0)
        return 1;
    fprintf(CLI_Out(), "%s%c%s.%d\n", backupDir, kSeparator, SW_ExtractSafeName(safePath.c_str()), generation);
    return 0;
}

// The safe backups in a folder, oldest first, as the "Recover" dialog lists them.
int RecoverList(const Args &a, ConsoleUi &) {
    if (a.positional.size() != 1)
        return CLI_BAD_USAGE;
    const std::string &dir = a.positional[0];
    uint32_t attributes = PL_GetFileAttributes(dir.c_str());
    if (attributes == PL_INVALID_ATTRIBUTES || !(attributes & PL_ATTR_DIRECTORY)) {
        fprintf(CLI_Err(), "orvsafe-cli: %s is not a folder\n", dir.c_str());
        return 1;
    }
    BW_BACKUPFILE *list = nullptr;
    if (BW_ReadBackupList(dir.c_str(), &list) == 0)
        fprintf(CLI_Out(), "%s\n", BW_NO_BACKUPS_TEXT);
    for (BW_BACKUPFILE *b = list; b; b = b->next) {
        char date[11], time[9];
        BW_FormatBackupTime(b->ftLastWriteTime, date, time);
        fprintf(CLI_Out(), "%s\t%s\t%s\n", date, time, b->cFileName);
    }
    BW_FreeBackupList(list);
    return 0;
}
struct Verb {
    const char *name;
    const char *synopsis;
    const char *help;
    int (*run)(const Args &, ConsoleUi &);
    bool templates; // reads the folder templates
};

int EncryptFile(const Args &a, ConsoleUi &ui) { return FileCommand(a, ui, true); }
int DecryptFile(const Args &a, ConsoleUi &ui) { return FileCommand(a, ui, false); }

const Verb kVerbs[] = {
    {"create", "create SAFE [--algo A] [--no-password]",
     "a new empty safe; never replaces a file. The password is typed twice at a terminal, else read once", CLI_Create,
     false},
    {"templates", "templates", "the folder templates with their icons", CLI_Templates, true},
    {"mkdir", "mkdir SAFE FOLDER [--template NAME] [--icon ICON] [--field NAME:TYPE:LENGTH[:drag] ...]",
     "a folder from a template, with fields of its own added; TYPE is NORMAL, PASSWORT, URL, E-MAIL, PROGRAMM or ALARM",
     CLI_Mkdir, true},
    {"add", "add SAFE FOLDER CARD [--icon ICON] [FIELD=VALUE ...]",
     "a card in a folder (with the folder's icon unless given), its fields filled; an ALARM field takes MM/DD/YYYY, "
     "FIELD=- reads a value without echo",
     CLI_Add, false},
    {"edit", "edit SAFE FOLDER/CARD FIELD=VALUE ...",
     "changes fields of a card; an empty value empties the field, FIELD=- reads one without echo", CLI_Edit, false},
    {"mv", "mv SAFE FOLDER/CARD FOLDER", "moves a card to another folder of the same field structure", CLI_Move,
     false},
    {"rm", "rm SAFE FOLDER/CARD [--force]", "removes a card; asks at a terminal unless --force", CLI_Remove, false},
    {"rmdir", "rmdir SAFE FOLDER [--force]", "removes a folder with its cards; asks at a terminal unless --force",
     CLI_RemoveFolder, false},
    {"show", "show SAFE FOLDER/CARD [--show-protected]",
     "the card's fields in their order, password fields masked unless asked", CLI_Show, false},
    {"generate", "generate [--length N]", "a random password as the program makes them (10 characters unless asked)",
     CLI_Generate, false},
    {"passwd", "passwd SAFE [--no-password]",
     "changes the safe's password, adds or removes one: the old password first (if any), then the new one",
     CLI_Passwd, false},
    {"encrypt-file", "encrypt-file PATH [--algo A]", "encrypts a file in place", EncryptFile, false},
    {"decrypt-file", "decrypt-file PATH", "decrypts a file in place", DecryptFile, false},
    {"export", "export SAFE", "prints the whole safe as JSON", Export, false},
    {"import", "import JSON SAFE [--algo A] [--force] [--no-password]",
     "writes a new safe from such JSON, with a password when its header has one", Import, false},
    {"import-from", "import-from FILE SAFE [--format NAME] [--password-file F] [--no-password]",
     "adds the entries of another manager's export to SAFE (made new when it does not exist) and reports every "
     "change; NAME is keepass-xml, keepassxc-csv, bitwarden-json, bitwarden-csv, chrome-csv, firefox-csv, "
     "lastpass-csv or 1password-csv (else found from the file)",
     CLI_ImportFrom, true},
    {"export-to", "export-to FORMAT SAFE [--output FILE]",
     "writes the safe unencrypted as keepass-xml or keepassxc-csv (UTF-8), to a new FILE or standard output",
     CLI_ExportTo, false},
    {"ls", "ls SAFE [FOLDER]", "lists the folders, or the cards of one folder", List, false},
    {"search", "search SAFE TEXT [--folders] [--cards] [--contents] [--show-protected]",
     "searches as the program does", Search, false},
    {"backup", "backup SAFE",
     "one backup generation into the settings' BackupPath (settings from --dir, else the safe's folder)", Backup,
     false},
    {"recover-list", "recover-list DIR", "lists the safe backups in DIR, oldest first", RecoverList, false},
};

void PrintUsage(FILE *out) {
    fputs("usage: orvsafe-cli COMMAND [ARGUMENTS] [OPTIONS]   (orvsafe-cli COMMAND --help for one)\n", out);
    for (const Verb &v : kVerbs)
        fprintf(out, "  %s\n", v.synopsis);
    fputs("options:\n"
          "  --password-file FILE   read the password from the first line of FILE (else from standard input)\n"
          "  --no-password          the safe has no password / write one without\n"
          "  --algo A               aes, blowfish, cast or skipjack for what is written\n"
          "  --dir DIR              program directory: settings, templates and logs (default: none)\n"
          "  --format NAME          the format of a file to import (else found from its contents)\n"
          "  --output FILE          a new file for an export, readable by you alone (else standard output)\n"
          "A name matches exactly, else without regard to case when only one does.\n"
          "Exit codes: 0 done, 1 refused or failed, 2 a usage error or a name that matches none or several.\n",
          out);
}

// Without --dir the templates are the shipped ones, in a private folder of
// their own for this one command.
std::string UseShippedTemplates() {
    char unique[9];
    SW_GeneratePassword(unique, 8);
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec) / (std::string("orvsafe-cli-") + unique);
    if (ec || !std::filesystem::create_directory(dir, ec))
        return "";
    snprintf(szProgramDir, sizeof szProgramDir, "%s", dir.string().c_str());
    if (TW_InstallDefaultTemplates() != 0) {
        std::filesystem::remove_all(dir, ec);
        return "";
    }
    return dir.string();
}

// The command with the settings, templates and cipher it works with; its exit
// code. *shipped: the folder of the shipped templates, made for it.
int Run(const Verb &verb, Args &a, ConsoleUi &ui, std::string *shipped) {
    Settings = SETTINGS{};
    Settings.CryptAlgo = CRYPT_ALGO_AES;
    SW_UseSettingsForEnvelopes();
    if (Has(a, "--dir")) {
        snprintf(szProgramDir, sizeof szProgramDir, "%s", a.options["--dir"].c_str());
        // Changes are saved as the program saves them: its cipher, its automatic backup.
        CLI_ReadSettings(a.options["--dir"]);
    } else if (verb.templates) {
        *shipped = UseShippedTemplates();
        if (shipped->empty()) {
            fprintf(CLI_Err(), "orvsafe-cli: the shipped templates could not be made ready\n");
            return 1;
        }
    }
    if (Has(a, "--algo") && !(Settings.CryptAlgo = AlgoNumber(a.options.at("--algo")))) {
        PrintUsage(CLI_Err());
        return 2;
    }
    if (cryptInit() != CRYPT_OK) {
        fprintf(CLI_Err(), "orvsafe-cli: the encryption library could not be started\n");
        return 1;
    }
    int rc = verb.run(a, ui);
    if (rc == CLI_BAD_USAGE) {
        fprintf(CLI_Err(), "usage: orvsafe-cli %s\n", verb.synopsis);
        rc = 2;
    }
    return rc;
}

} // namespace

int CLI_Main(int argc, char **argv) {
    if (argc < 2 || !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")) {
        PrintUsage(argc < 2 ? CLI_Err() : CLI_Out());
        return argc < 2 ? 2 : 0;
    }
    Args a;
    const bool parsed = CLI_ParseArgs(argc, argv, &a);
    const Verb *verb = nullptr;
    for (const Verb &v : kVerbs)
        if (a.command == v.name)
            verb = &v;
    if (!verb || !parsed) {
        if (!verb)
            fprintf(CLI_Err(), "orvsafe-cli: unknown command %s\n", a.command.c_str());
        PrintUsage(CLI_Err());
        return 2;
    }
    if (a.help) {
        fprintf(CLI_Out(), "usage: orvsafe-cli %s\n  %s\n", verb->synopsis, verb->help);
        return 0;
    }
    char programDir[sizeof szProgramDir];
    memcpy(programDir, szProgramDir, sizeof programDir);
    ConsoleUi ui;
    UI_SetPort(&ui);
    CLI_UseTree();
    std::string shipped;
    int rc = Run(*verb, a, ui, &shipped);
    // What a command read or imported goes now, its texts and passwords wiped.
    SW_ReleaseSafeLists();
    PL_SecureZero(ui.password, sizeof ui.password);
    SW_ClearPassword(cTmpPasswort);
    SW_ClearPassword(cActPasswort);
    cryptEnd();
    CLI_DropTree();
    UI_SetPort(nullptr);
    if (!shipped.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(shipped, ec);
    }
    memcpy(szProgramDir, programDir, sizeof programDir);
    return rc;
}
