// orvsafe-cli: the terminal companion. Reads and writes safes and encrypts files
// with the program's own code. A password comes from standard input or from
// --password-file FILE, never from the command line.
#include "cli/cli_console.h"
#include "config/inifile.h"
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "crypto/file_crypt.h"
#include "frame/logs.h"
#include "model/list_release.h"
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
#include <map>
#include <string>
#include <vector>

namespace {
const char kUsage[] =
    "usage: orvsafe-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
    "  encrypt-file PATH [--algo aes|blowfish|cast|skipjack]   encrypt a file in place\n"
    "  decrypt-file PATH                                      decrypt a file in place\n"
    "  export SAFE                                            print the whole safe as JSON\n"
    "  import JSON SAFE [--algo ...] [--force]                write a new safe from such JSON\n"
    "  ls SAFE [FOLDER]                                       list folders, or the cards of one folder\n"
    "  search SAFE TEXT [--folders] [--cards] [--contents]    search as the program does\n"
    "  backup SAFE                                            one backup generation into the settings' BackupPath\n"
    "                                                         (settings from --dir, else the safe's folder)\n"
    "  recover-list DIR                                       list the safe backups in DIR, oldest first\n"
    "options:\n"
    "  --password-file FILE   read the password from the first line of FILE (else from standard input)\n"
    "  --no-password          the safe has no password / write one without\n"
    "  --dir DIR              program directory: settings and logs (default: none)\n";

struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // --name -> value ("" for switches)
};

const char *const kValued[] = {"--password-file", "--algo", "--dir"};

bool Parse(int argc, char **argv, Args *a) {
    for (int i = 2; i < argc; ++i) {
        std::string s = argv[i];
        if (s.rfind("--", 0) != 0) {
            a->positional.push_back(s);
            continue;
        }
        bool valued = false;
        for (const char *v : kValued)
            valued |= s == v;
        if (valued) {
            if (i + 1 >= argc)
                return false;
            a->options[s] = argv[++i];
        } else if (s == "--no-password" || s == "--force" || s == "--folders" || s == "--cards" ||
                   s == "--contents") {
            a->options[s] = "";
        } else if (s == "--password") {
            fprintf(stderr, "orvsafe-cli: passwords are never taken from the command line; use standard input or "
                            "--password-file\n");
            return false;
        } else {
            return false;
        }
    }
    return true;
}

bool Has(const Args &a, const char *o) { return a.options.count(o) > 0; }

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

bool GetPassword(const Args &a, ConsoleUi &ui) {
    if (ui.havePassword)
        return true;
    if (!CLI_ReadPassword(Has(a, "--password-file") ? a.options.at("--password-file") : "", ui.password,
                          sizeof ui.password)) {
        fprintf(stderr, "orvsafe-cli: no password could be read\n");
        return false;
    }
    ui.havePassword = true;
    return true;
}

// Reads a safe into the record lists, asking for its password only when it has one.
int ReadSafe(const Args &a, ConsoleUi &ui, const std::string &path) {
    if (SW_OpenSafe(path.c_str()) != 0)
        return 1;
    if (TmpSafeHeader.nPasswort == 1) {
        if (Has(a, "--no-password")) {
            fprintf(stderr, "orvsafe-cli: the safe has a password\n");
            return 1;
        }
        if (!GetPassword(a, ui))
            return 1;
        SW_SetPassword(cTmpPasswort, ui.password);
    }
    int rc = SW_ReadSafeHeader() == 0 && SW_ReadSafeSections(path.c_str()) == 0 ? 0 : 1;
    if (tmpSafe)
        PL_CloseHandle(tmpSafe);
    tmpSafe = nullptr;
    return rc;
}

int FileCommand(const Args &a, ConsoleUi &ui, bool encrypt) {
    if (a.positional.size() != 1)
        return 2;
    if (Has(a, "--algo")) {
        Settings.CryptAlgo = AlgoNumber(a.options.at("--algo"));
        if (!Settings.CryptAlgo || !encrypt)
            return 2;
    }
    if (!GetPassword(a, ui))
        return 1;
    const char *path = a.positional[0].c_str();
    int rc = encrypt ? docryptMyFile(path, ui.password, 1, 0, 1) : doencryptMyFile(path, ui.password, 1, 0, 1);
    if (rc != 0 && ui.lastMessage.empty())
        fprintf(stderr, "orvsafe-cli: cannot %s %s (wrong password, or not an envelope)\n",
                encrypt ? "encrypt" : "decrypt", path);
    return rc == 0 ? 0 : 1;
}

int Export(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 1)
        return 2;
    if (ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    std::string json = SW_ExportJson(TmpSafeHeader, TmpSafeControl);
    fwrite(json.data(), 1, json.size(), stdout);
    PL_SecureZero(&json[0], json.size());
    return 0;
}

int Import(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 2)
        return 2;
    const std::string &jsonPath = a.positional[0], &safePath = a.positional[1];
    if (Has(a, "--algo") && !(Settings.CryptAlgo = AlgoNumber(a.options.at("--algo"))))
        return 2;
    if (PL_GetFileAttributes(safePath.c_str()) != PL_INVALID_ATTRIBUTES && !Has(a, "--force")) {
        fprintf(stderr, "orvsafe-cli: %s exists already (use --force to replace it)\n", safePath.c_str());
        return 1;
    }
    std::string doc;
    if (!CLI_ReadWholeFile(jsonPath, &doc)) {
        fprintf(stderr, "orvsafe-cli: cannot read %s\n", jsonPath.c_str());
        return 1;
    }
    bool hasPassword = false;
    uint16_t reserved = 0;
    std::string error;
    bool ok = SW_ImportJson(doc, &hasPassword, &reserved, &error);
    PL_SecureZero(&doc[0], doc.size());
    if (!ok) {
        fprintf(stderr, "orvsafe-cli: %s: %s\n", jsonPath.c_str(), error.c_str());
        return 1;
    }
    if (Has(a, "--no-password"))
        hasPassword = false;
    else if (!GetPassword(a, ui))
        return 1;
    else
        hasPassword = ui.password[0] != 0;
    snprintf(cActSafePath, sizeof cActSafePath, "%s", safePath.c_str());
    ActSafeHeader = SAFEHEADER{};
    ActSafeHeader.nPasswort = hasPassword ? 1 : 0;
    ActSafeControl = SAFECONTROL{};
    memcpy(ActSafeControl.cSafeId, SAFE_ID, sizeof SAFE_ID);
    ActSafeControl.nReserved = reserved;
    SW_SetPassword(cActPasswort, hasPassword ? ui.password : "");
    hmySafe = nullptr;
    int rc = SW_PutSafe(0, 1);
    if (hmySafe)
        PL_CloseHandle(hmySafe);
    hmySafe = nullptr;
    return rc == 0 ? 0 : 1;
}

int List(const Args &a, ConsoleUi &ui) {
    if (a.positional.empty() || a.positional.size() > 2)
        return 2;
    if (ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    if (a.positional.size() == 1) {
        for (ORDNER *o = lpORDNERstart; o; o = o->next) {
            int cards = 0;
            for (KARTE *k = lpKARTEstart; k; k = k->next)
                cards += k->nOrdnerKennung == o->nOrdnerKennung;
            printf("%s\t%d card%s\n", o->cOrdnerName, cards, cards == 1 ? "" : "s");
        }
        return 0;
    }
    const std::string &folder = a.positional[1];
    for (ORDNER *o = lpORDNERstart; o; o = o->next) {
        if (folder != o->cOrdnerName)
            continue;
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            if (k->nOrdnerKennung == o->nOrdnerKennung)
                printf("%s\n", k->cKartenName);
        return 0;
    }
    fprintf(stderr, "orvsafe-cli: no folder \"%s\"\n", folder.c_str());
    return 1;
}

int Search(const Args &a, ConsoleUi &ui) {
    if (a.positional.size() != 2)
        return 2;
    if (ReadSafe(a, ui, a.positional[0]) != 0)
        return 1;
    uint32_t options = SE_SearchOptions(Has(a, "--folders"), Has(a, "--cards"), Has(a, "--contents"));
    SE_SearchSafe(a.positional[1].c_str(), options);
    static const char *const kinds[] = {"", "folder", "card", "content"};
    for (SEARCHRESULT *r = lpSEARCHRESULTstart; r; r = r->next) {
        const char *text = SE_ResultText(r);
        printf("%s\t%s\n", r->kind <= 3 ? kinds[r->kind] : "?", text ? text : "");
    }
    SE_FreeResults();
    return 0;
}
#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string &path) {
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

// One generation of SAFE, as the program's "Backup Safe" makes it, into the
// BackupPath of the settings in --dir (else of those beside the safe); the drop
// file goes with it when there is one.
int Backup(const Args &a, ConsoleUi &) {
    if (a.positional.size() != 1)
        return 2;
    const std::string &safePath = a.positional[0];
    if (SW_OpenSafe(safePath.c_str()) != 0)
        return 1; // not there, or not a safe: the reader has said why
    PL_CloseHandle(tmpSafe);
    tmpSafe = nullptr;

    // Logs are written only into a program directory given with --dir.
    std::string settingsDir = Has(a, "--dir") ? a.options.at("--dir") : FolderOf(safePath);
    char saved[sizeof szProgramDir];
    memcpy(saved, szProgramDir, sizeof saved);
    snprintf(szProgramDir, sizeof szProgramDir, "%s", settingsDir.c_str());
    char backupDir[II_PATH_SIZE] = {}, generations[16] = {};
    II_GetStringN(II_SECTION_OPTIONS, "BackupPath", backupDir, sizeof backupDir, INI_FILE_SETTINGS);
    int count = II_DEF_BACKUPGENERATIONS;
    if (II_GetStringN(II_SECTION_OPTIONS, "BackupGenerations", generations, sizeof generations, INI_FILE_SETTINGS) > 0) {
        count = II_ParseInt(generations);
        if (count < 1 || count > 9)
            count = II_DEF_BACKUPGENERATIONS;
    }
    memcpy(szProgramDir, saved, sizeof saved);
    if (!backupDir[0]) {
        fprintf(stderr, "orvsafe-cli: no BackupPath is set in %s%corvsafe.ini\n", settingsDir.c_str(), kSeparator);
        return 1;
    }
    std::string dropFile = safePath + DROPFILE_SUFFIX;
    int withDropFile = PL_GetFileAttributes(dropFile.c_str()) != PL_INVALID_ATTRIBUTES ? 1 : 0;
    int generation = 0;
    if (BW_BackupTo(safePath.c_str(), backupDir, count, withDropFile, &generation) != 0)
        return 1;
    printf("%s%c%s.%d\n", backupDir, kSeparator, SW_ExtractSafeName(safePath.c_str()), generation);
    return 0;
}

// The safe backups in a folder, oldest first, as the "Recover" dialog lists them.
int RecoverList(const Args &a, ConsoleUi &) {
    if (a.positional.size() != 1)
        return 2;
    const std::string &dir = a.positional[0];
    uint32_t attributes = PL_GetFileAttributes(dir.c_str());
    if (attributes == PL_INVALID_ATTRIBUTES || !(attributes & PL_ATTR_DIRECTORY)) {
        fprintf(stderr, "orvsafe-cli: %s is not a folder\n", dir.c_str());
        return 1;
    }
    BW_BACKUPFILE *list = nullptr;
    if (BW_ReadBackupList(dir.c_str(), &list) == 0)
        printf("%s\n", BW_NO_BACKUPS_TEXT);
    for (BW_BACKUPFILE *b = list; b; b = b->next) {
        char date[11], time[9];
        BW_FormatBackupTime(b->ftLastWriteTime, date, time);
        printf("%s\t%s\t%s\n", date, time, b->cFileName);
    }
    BW_FreeBackupList(list);
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    if (argc < 2 || !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")) {
        fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::string command = argv[1];
    Args a;
    if (!Parse(argc, argv, &a)) {
        fputs(kUsage, stderr);
        return 2;
    }
    ConsoleUi ui;
    UI_SetPort(&ui);
    Settings = SETTINGS{};
    Settings.CryptAlgo = CRYPT_ALGO_AES;
    SW_UseSettingsForEnvelopes();
    if (Has(a, "--dir")) {
        snprintf(szProgramDir, sizeof szProgramDir, "%s", a.options["--dir"].c_str());
        char algo[32] = {};
        if (II_GetStringN(II_SECTION_OPTIONS, "CryptAlgo", algo, sizeof algo, INI_FILE_SETTINGS) > 0 &&
            !Has(a, "--algo"))
            Settings.CryptAlgo = II_ParseInt(algo);
    }
    if (cryptInit() != CRYPT_OK) {
        fprintf(stderr, "orvsafe-cli: the encryption library could not be started\n");
        return 1;
    }
    int rc;
    if (command == "encrypt-file")
        rc = FileCommand(a, ui, true);
    else if (command == "decrypt-file")
        rc = FileCommand(a, ui, false);
    else if (command == "export")
        rc = Export(a, ui);
    else if (command == "import")
        rc = Import(a, ui);
    else if (command == "ls")
        rc = List(a, ui);
    else if (command == "search")
        rc = Search(a, ui);
    else if (command == "backup")
        rc = Backup(a, ui);
    else if (command == "recover-list")
        rc = RecoverList(a, ui);
    else
        rc = 2;
    if (rc == 2)
        fputs(kUsage, stderr);
    // What a command read or imported goes now, its texts and passwords wiped.
    SW_ReleaseSafeLists();
    PL_SecureZero(ui.password, sizeof ui.password);
    SW_ClearPassword(cTmpPasswort);
    SW_ClearPassword(cActPasswort);
    cryptEnd();
    UI_SetPort(nullptr);
    return rc;
}
