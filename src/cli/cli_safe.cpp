#include "cli/cli_safe.h"

#include "config/settings.h"
#include "frame/logs.h"
#include "model/records.h"
#include "model/tree_build.h"
#include "platform/platform.h"
#include "store/drop_file.h"
#include "store/safe_lifecycle.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"
#include "tools/backup.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

bool CLI_GetPassword(const Args &a, ConsoleUi &ui) {
    if (ui.havePassword)
        return true;
    if (!CLI_ReadPassword(CLI_Has(a, "--password-file") ? a.options.at("--password-file") : "", ui.password))
        return false;
    ui.havePassword = true;
    return true;
}

namespace {

// Reads the safe, leaving its file open as the working safe. 0 or 1.
int ReadWorking(const Args &a, ConsoleUi &ui, const std::string &path) {
    if (SW_OpenSafe(path.c_str()) != 0)
        return 1;
    if (TmpSafeHeader.nPasswort == 1) {
        // (passwd takes --no-password for the new state, not for this one)
        if (CLI_Has(a, "--no-password") && a.command != "passwd") {
            fprintf(CLI_Err(), "orvsafe-cli: the safe has a password\n");
            SW_CloseWorkSafe();
            return 1;
        }
        if (!CLI_GetPassword(a, ui)) {
            SW_CloseWorkSafe();
            return 1;
        }
        SW_SetPassword(cTmpPasswort, ui.password);
    }
    if (SW_ReadSafeHeader() != 0 || SW_ReadSafeSections(path.c_str()) != 0) {
        SW_CloseWorkSafe();
        return 1;
    }
    return 0;
}

// The tree of a terminal: nothing is drawn, but every item has a handle of its own.
class TerminalTree : public PaneView {
  public:
    TREEHANDLE InsertFieldItem(TREEHANDLE, const char *) override { return Next(); }
    void RebuildTree() override {
        next_ = 0;
        TVB_OPTIONS options{0, 0};
        TVB_SINK sink{this, &Insert, &Expand, &IconIndex};
        TVB_BuildTree(Next(), &options, &sink);
    }
    void ShowFolderCards(TREEHANDLE) override {} // every card is there from the build
    void SelectTreeItem(TREEHANDLE) override {}
    void ResetRightPane() override {}
    int CardListTextWidth(const char *text) override { return 8 * static_cast<int>(strlen(text)); }
    void RedisplayCardField(uint32_t) override {}

  private:
    TREEHANDLE Next() { return reinterpret_cast<TREEHANDLE>(static_cast<uintptr_t>(++next_)); }
    static TREEHANDLE Insert(void *ctx, TREEHANDLE, const char *, uint32_t, int) {
        return static_cast<TerminalTree *>(ctx)->Next();
    }
    static void Expand(void *, TREEHANDLE) {}
    static int IconIndex(void *, const char *) { return -1; }
    uintptr_t next_ = 0;
};

TerminalTree tree;

} // namespace

int CLI_ReadSafe(const Args &a, ConsoleUi &ui, const std::string &path) {
    int rc = ReadWorking(a, ui, path);
    if (rc == 0)
        SW_CloseWorkSafe(); // the lists stay; the file and the password go
    return rc;
}

int CLI_OpenSafe(const Args &a, ConsoleUi &ui, const std::string &path) {
    if (ReadWorking(a, ui, path) != 0)
        return 1;
    SW_CopyTemp2Act();
    SW_RememberSafeFile();
    // The drop list is written with every save: it must be the one on disk. One
    // that cannot be read is kept as it is by the writer.
    (void)SW_ReadDropList(cActSafePath, &ActSafeHeader);
    UI_RebuildTree();
    return 0;
}

int CLI_SaveSafe() {
    // Nobody is there to ask: what another program wrote meanwhile is kept.
    int rc = -1;
    if (SW_SafeFileChanged() == 1) {
        ML_WriteLogF("CL02", 0, "safe '%s' changed by another program, not written", cActSafePath);
        fprintf(CLI_Err(), "orvsafe-cli: %s was changed by another program while this command ran; nothing was written\n",
                cActSafePath);
    } else {
        rc = SW_PutSafe(1, 0);
    }
    SW_DeactivateSafe();
    SW_ForgetSafeFile();
    return rc == 0 ? 0 : 1;
}

int CLI_WriteNewSafe(const std::string &path, bool replace, const char *password, const char *confirm, bool without,
                     uint16_t reserved) {
    const std::string dropFile = path + DROPFILE_SUFFIX;
    if (PL_GetFileAttributes(dropFile.c_str()) != PL_INVALID_ATTRIBUTES) {
        fprintf(CLI_Err(),
                "orvsafe-cli: %s lists files encrypted under the password of the safe there: decrypt them in the "
                "program first\n",
                dropFile.c_str());
        return 1;
    }
    snprintf(cActSafePath, sizeof cActSafePath, "%s", path.c_str());
    ActSafeHeader = SAFEHEADER{};
    ActSafeControl = SAFECONTROL{};
    memcpy(ActSafeControl.cSafeId, SAFE_ID, sizeof SAFE_ID);
    ActSafeControl.nReserved = reserved;
    SW_FOCUS focus;
    if (SW_ChangePasswordOK(password, confirm, without, &focus) != 0)
        return 1;
    if (!replace) {
        PL_HANDLE claim = PL_CreateFile(path.c_str(), PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_NEW, 0);
        if (!claim) {
            uint32_t err = PL_GetLastError();
            if (PL_GetFileAttributes(path.c_str()) != PL_INVALID_ATTRIBUTES) {
                fprintf(CLI_Err(), "orvsafe-cli: %s exists already; create never replaces a file\n", path.c_str());
                return 1;
            }
            ML_WriteLogF("CL01", err, "cannot create safe '%s' - code: %d", path.c_str(), static_cast<int>(err));
            fprintf(CLI_Err(), "orvsafe-cli: cannot create %s: %s\n", path.c_str(), T_GetSystemMessage(err));
            return 1;
        }
        PL_CloseHandle(claim);
    }
    SW_DeactivateSafe();
    int rc = SW_PutSafe(0, 1);
    SW_DeactivateSafe();
    if (rc != 0 && !replace && PL_DeleteFile(path.c_str()) != 0)
        fprintf(CLI_Err(), "orvsafe-cli: %s could not be removed again\n", path.c_str());
    return rc == 0 ? 0 : 1;
}

void CLI_ReadSettings(const std::string &dir) {
    char saved[sizeof szProgramDir];
    memcpy(saved, szProgramDir, sizeof saved);
    snprintf(szProgramDir, sizeof szProgramDir, "%s", dir.c_str());
    II_LoadSettings();
    memcpy(szProgramDir, saved, sizeof saved);
    BW_InstallAutoBackup();
}

void CLI_UseTree() { UI_SetPaneView(&tree); }
void CLI_DropTree() { UI_SetPaneView(nullptr); }
