#include "exchange/exchange.h"

#include "frame/logs.h"
#include "model/folder_ops.h"
#include "platform/platform.h"
#include "platform/uiport.h"
#include "store/safe_state.h"

#include <cstdio>
#include <cstring>

namespace {

const uint64_t kMostBytes = 64u << 20; // far beyond any manager's export of a person's entries

void Tell(const char *code, const char *caption, const std::string &text, uint32_t err = 0) {
    ML_WriteLog(code, text.c_str(), err);
    UI_MessageBox(text.c_str(), caption, UI_MB_OK | UI_MB_ICONSTOP);
}

// The whole file, or false after saying why.
bool ReadWhole(const char *path, std::string *doc) {
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_READ, PL_OPEN_EXISTING, 0);
    uint64_t size = 0;
    uint32_t err = h ? 0 : PL_GetLastError();
    if (h && PL_GetFileSize(h, &size) != 0)
        err = PL_GetLastError() ? PL_GetLastError() : 1;
    if (h && !err && size > kMostBytes) {
        PL_CloseHandle(h);
        Tell("XC05", "Import", std::string("Cannot import ") + path + ": the file is larger than 64 MiB.");
        return false;
    }
    doc->assign(static_cast<size_t>(size), '\0');
    for (size_t at = 0; h && !err && at < doc->size();) {
        uint32_t done = 0;
        if (PL_ReadFile(h, &(*doc)[at], static_cast<uint32_t>(doc->size() - at), &done) != 0 || done == 0)
            err = PL_GetLastError() ? PL_GetLastError() : 1;
        at += done;
    }
    if (h)
        PL_CloseHandle(h);
    if (!err)
        return true;
    if (!doc->empty())
        PL_SecureZero(&(*doc)[0], doc->size());
    Tell("XC06", "Import", std::string("Cannot read ") + path + ": " + T_GetSystemMessage(err), err);
    return false;
}

} // namespace

int XC_ImportCommand(const char *path, XC_REPORT *report) {
    *report = XC_REPORT();
    std::string doc, dropped;
    if (!ReadWhole(path, &doc))
        return -1;
    std::vector<XC_ENTRY> entries;
    XC_ERROR error;
    const bool parsed = XC_Parse(doc, XC_UNKNOWN, &entries, &dropped, &error);
    if (!doc.empty())
        PL_SecureZero(&doc[0], doc.size());
    if (!parsed) {
        char where[64];
        snprintf(where, sizeof where, ": line %d, column %d: ", error.line, error.column);
        Tell("XC07", "Import", std::string("Cannot import ") + path + where + error.text + ". Nothing was imported.");
        return -1;
    }
    int rc = XC_ImportEntries(entries, report);
    XC_WipeEntries(&entries);
    if (rc != 0) {
        XC_UndoImport(*report);
        return -1;
    }
    if (!dropped.empty())
        report->lines.insert(report->lines.begin(), "Not taken over (the other program's own bookkeeping): " + dropped);
    return 0;
}

void XC_UndoImport(const XC_REPORT &report) {
    for (uint32_t id : report.newFolders)
        if (OW_RemoveOrdner(id) != 0)
            ML_WriteLogF("XC08", 0, "the imported folder %u was gone when the import was undone", id);
}

int XC_ExportCommand(int format, const char *path) {
    if (ActSafeHeader.nPasswort) {
        char typed[SAFE_PASSWORD_SIZE] = {};
        const int answer = UI_AskPassword("the export", typed, sizeof typed);
        const bool same = strcmp(typed, cActPasswort) == 0;
        PL_SecureZero(typed, sizeof typed);
        if (answer != UI_IDOK)
            return 1;
        if (!same) {
            ML_WriteLog("XC09", "export: wrong password", 0);
            UI_MessageBox("Wrong password: nothing was exported.", "Export", UI_MB_OK | UI_MB_ICONSTOP);
            return 1;
        }
    }
    const std::string warning = std::string("The export is not encrypted: whoever can read ") + path +
                                " can read every password in it. Delete it when you are done.\n\nWrite it?";
    if (UI_MessageBox(warning.c_str(), "Export", UI_MB_OKCANCEL | UI_MB_ICONEXCLAMATION | UI_MB_DEFBUTTON2) !=
        UI_IDOK)
        return 1;
    std::string doc;
    if (!XC_Export(format, &doc))
        return -1;
    int rc = XC_WriteNewFile(path, doc);
    if (!doc.empty())
        PL_SecureZero(&doc[0], doc.size());
    return rc;
}
