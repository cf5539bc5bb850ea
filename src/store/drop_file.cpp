#include "store/drop_file.h"

#include "crypto/envelope_stream.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/droplist_records.h"
#include "platform/uiport.h"
#include "store/safe_state.h"

#include <cstdio>
#include <cstring>

namespace {
SW_DROPFILE eDropFileFound = SW_DROPFILE_NONE;
const char TAG_FNK[] = "SW_FNK";
const uint32_t kMaxDropFile = 64u << 20; // far beyond any droplist; a bigger file is not ours

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }

void PutU32(char *p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(v >> (8 * i));
}

uint32_t GetU32(const char *p) {
    const unsigned char *u = reinterpret_cast<const unsigned char *>(p);
    return u[0] | u[1] << 8 | u[2] << 16 | static_cast<uint32_t>(u[3]) << 24;
}

PL_HANDLE CreateHidden(const char *path) {
    return PL_CreateFile(path, PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_HIDDEN);
}
} // namespace

SW_DROPFILE SW_DropFileFound() { return eDropFileFound; }
void SW_ForgetDropFileFound() { eDropFileFound = SW_DROPFILE_NONE; }

int SW_DropFilePath(const char *safePath, char *path, uint32_t size) {
    int n = snprintf(path, size, "%s%s", safePath, DROPFILE_SUFFIX);
    return n > 0 && static_cast<uint32_t>(n) < size ? 0 : -1;
}

int SW_WriteDropList(const SAFEHEADER *header) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteDropList()");
    char path[DROPLIST_IMAGE_SIZE];
    if (SW_DropFilePath(cActSafePath, path, sizeof path) != 0)
        return -1;
    // A drop file that could not be read holds a list this program does not
    // know: written over (or removed, the list being empty) it would be lost.
    if (eDropFileFound == SW_DROPFILE_UNREADABLE) {
        ML_WriteLogF("SW29", 0, "dropfile '%s' could not be read, left unchanged", path);
        return -1;
    }
    if (!lpDROPLISTstart) {
        PL_SetFileAttributes(path, PL_ATTR_NORMAL);
        PL_DeleteFile(path);
        return 0;
    }

    // The plain content: header, then one record per entry, field by field.
    uint32_t count = 0;
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next)
        ++count;
    uint32_t length = DROPFILE_HEADER_SIZE + count * DROPLIST_IMAGE_SIZE;
    char *plain = static_cast<char *>(T_Malloc("SW_M_20", length));
    if (!plain)
        return -1;
    PutU32(plain, DROPFILE_MAJOR);
    PutU32(plain + 4, DROPFILE_MINOR);
    memcpy(plain + 8, SAFE_ID, sizeof SAFE_ID);
    char *p = plain + DROPFILE_HEADER_SIZE;
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next, p += DROPLIST_IMAGE_SIZE) {
        memcpy(p, d->filename, DROP_FILENAME_LEN);
        PutU32(p + 264, d->index);
        PutU32(p + 268, d->kz);
        PutU32(p + 272, d->dwAttribute);
        PutU32(p + 276, d->next ? 1 : 0);
    }

    char temp[DROPLIST_IMAGE_SIZE + 8];
    snprintf(temp, sizeof temp, "%s.~tmp", path);
    PL_HANDLE h = nullptr;
    for (int attempt = 0; attempt < 3 && !h; ++attempt) {
        if (attempt > 0)
            PL_Sleep(100);
        h = CreateHidden(temp);
    }
    int rc = 0;
    if (!h) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW05", err, "error: cannot create dropfile - code: %d", static_cast<int>(err));
        ErrorBox("error: cannot create dropfile");
        rc = -1;
    } else {
        if (CY_EnvelopeToFile(plain, length, cActPasswort, static_cast<int>(header->nPasswort), h, "SW03") != 0 ||
            PL_FlushFileBuffers(h) != 0)
            rc = -1;
        PL_CloseHandle(h);
        if (rc == 0) {
            // The old drop file is hidden; give it normal attributes so it can be replaced.
            PL_SetFileAttributes(path, PL_ATTR_NORMAL);
            if (PL_MoveFileEx(temp, path, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) != 0)
                rc = -1;
            else
                PL_SetFileAttributes(path, PL_ATTR_HIDDEN);
        }
        if (rc != 0) {
            ML_WriteLogF("SW03", PL_GetLastError(), "error: cannot write dropfile '%s'", path);
            PL_SetFileAttributes(temp, PL_ATTR_NORMAL);
            PL_DeleteFile(temp);
            if (PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES)
                PL_SetFileAttributes(path, PL_ATTR_HIDDEN);
            ErrorBox("error: cannot write dropfile");
        }
    }
    T_FreeSecret("SW_F_20", plain, length);
    return rc;
}


int SW_ReadDropList(const char *safePath, const SAFEHEADER *header) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadDropList(LPSTR %s)", safePath);
    eDropFileFound = SW_DROPFILE_UNREADABLE;
    char path[DROPLIST_IMAGE_SIZE];
    if (SW_DropFilePath(safePath, path, sizeof path) != 0)
        return 0;
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_READ, PL_OPEN_EXISTING, 0);
    if (!h) {
        // No drop file: an empty droplist.
        if (lpDROPLISTstart)
            DW_FreeDroptabelle();
        DW_ResetDropCounters();
        eDropFileFound = SW_DROPFILE_NONE;
        return 0;
    }
    uint64_t size = 0;
    PL_GetFileSize(h, &size);
    char *envelope = size <= kMaxDropFile ? static_cast<char *>(T_Malloc("SW_M_21", static_cast<size_t>(size))) : nullptr;
    bool read = envelope && T_ReadFile("SW04", h, envelope, static_cast<uint32_t>(size)) == 0;
    PL_CloseHandle(h);
    char *plain = nullptr;
    uint32_t length = 0;
    int opened = read ? CY_OpenEnvelope(envelope, static_cast<uint32_t>(size), header->nPasswort == 1 ? cActPasswort : "",
                                        &plain, &length)
                      : CY_OPEN_BADDATA;
    if (envelope)
        T_Free("SW_F_21", envelope);
    if (opened != CY_OPEN_OK) {
        ML_WriteLogF("SW27", 0, "cannot open dropfile '%s' (%d), left unchanged", path, opened);
        ErrorBox("error: cannot open dropfile with the safe's password, it was left unchanged");
        return -1;
    }

    int rc = 0;
    if (length < DROPFILE_HEADER_SIZE || memcmp(plain + 8, SAFE_ID, sizeof SAFE_ID) != 0) {
        ErrorBox("old safe version detected, please upgrade to newer programversion");
        UI_PostQuit(0);
        rc = -1;
    } else {
        uint32_t major = GetU32(plain), minor = GetU32(plain + 4);
        bool old = SW_VersionNumber(major, minor) < SW_VersionNumber(DROPFILE_MAJOR, DROPFILE_MINOR);
        if (old)
            ML_WriteLogF("SW16", 0, "**dropfile conversion** %s version - old %d.%d to new %d.%d", path,
                         static_cast<int>(major), static_cast<int>(minor), DROPFILE_MAJOR, DROPFILE_MINOR);
        const uint32_t recSize = old ? DROPLIST_IMAGE_SIZE_V107 : DROPLIST_IMAGE_SIZE;
        if (lpDROPLISTstart)
            DW_FreeDroptabelle();
        DW_ResetDropCounters();
        for (uint32_t off = DROPFILE_HEADER_SIZE; off + recSize <= length; off += recSize) {
            const char *r = plain + off;
            DROPLIST *d = DW_AppendDropRecord(lpDROPLISTstart ? "DW_M_00" : "DW_M_01");
            if (!d) {
                rc = -1;
                break;
            }
            memcpy(d->filename, r, DROP_FILENAME_LEN);
            d->filename[DROP_FILENAME_LEN - 1] = 0;
            d->index = GetU32(r + 264);
            d->kz = GetU32(r + 268);
            d->dwAttribute = old ? NO_ATTRIBUTES : GetU32(r + 272);
            DW_CountDropRecord(d);
            if (GetU32(r + recSize - 4) == 0)
                break;
        }
    }
    T_FreeSecret("SW_F_22", plain, length);
    if (rc == 0)
        eDropFileFound = SW_DROPFILE_READ;
    return rc;
}
