#include "model/category_file.h"

#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/categories.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
const char TAG_FNK[] = "CC_FNK";
const int kAttempts = 3;
const uint32_t kRetryMs = 100;
// One record more than is taken, so that a longer file is noticed.
const uint32_t kMaxImage = CC_HEADER_SIZE + CC_RECORD_SIZE * (CC_MAX_CATEGORIES + 1);

// Set when the file was there but could not be read: writing the table we have
// (perhaps empty) over it would throw the user's categories away.
bool g_fileUnread = false;

uint32_t Get32(const unsigned char *p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void Put32(unsigned char *p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }

// Reads up to size bytes until the end of the file; -1 when a read fails.
int ReadUpTo(PL_HANDLE h, unsigned char *buf, uint32_t size, uint32_t *got) {
    *got = 0;
    while (*got < size) {
        uint32_t done = 0;
        if (PL_ReadFile(h, buf + *got, size - *got, &done) != 0)
            return -1;
        if (done == 0)
            break;
        *got += done;
    }
    return 0;
}

// The file's bytes, at most kMaxImage of them (what lies beyond cannot be taken
// anyway). 0, or -1 when the file could not be opened or read.
int LoadImage(const char *path, unsigned char **image, uint32_t *size) {
    *image = nullptr;
    *size = 0;
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_NONE, PL_OPEN_EXISTING, 0);
    if (!h)
        return -1;
    uint64_t fileSize = 0;
    int rc = PL_GetFileSize(h, &fileSize);
    uint32_t want = fileSize < kMaxImage ? static_cast<uint32_t>(fileSize) : kMaxImage;
    if (rc == 0 && want > 0) {
        *image = static_cast<unsigned char *>(T_Malloc("CC_M_02", want));
        rc = *image ? ReadUpTo(h, *image, want, size) : -1;
    }
    uint32_t err = PL_GetLastError();
    PL_CloseHandle(h);
    if (rc != 0 && *image) {
        T_Free("CC_F_02", *image);
        *image = nullptr;
    }
    PL_SetLastError(err);
    return rc;
}

// Creates the temporary file, three attempts 100 ms apart.
PL_HANDLE CreateTemp(const char *temp) {
    for (int attempt = 1;; ++attempt) {
        PL_HANDLE h = PL_CreateFile(temp, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_ALWAYS, PL_ATTR_HIDDEN);
        if (h || attempt == kAttempts)
            return h;
        PL_Sleep(kRetryMs);
    }
}

// Moves the temporary file over the category file, three attempts 100 ms apart
// (something may hold the old file open for a moment, as at creation).
int ReplaceFile(const char *temp, const char *path) {
    for (int attempt = 1;; ++attempt) {
        if (PL_MoveFileEx(temp, path, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) == 0)
            return 0;
        if (attempt == kAttempts)
            return -1;
        PL_Sleep(kRetryMs);
    }
}

// Writes header and records into the open temporary file and flushes it.
int WriteTable(PL_HANDLE h, const char *temp) {
    unsigned char header[CC_HEADER_SIZE];
    Put32(header, 1);
    Put32(header + 4, 0);
    if (T_WriteFile("CC00", h, header, sizeof header) != 0) {
        ErrorBox("error: cannot write category-file");
        return -1;
    }
    uint32_t n = CC_CountCategories();
    unsigned char *recs = static_cast<unsigned char *>(T_Malloc("CC_M_03", CC_RECORD_SIZE * n));
    if (!recs)
        return -1;
    unsigned char *p = recs;
    for (CATEGORYTAB *c = lpCATEGORYTABstart; c; c = c->next, p += CC_RECORD_SIZE) {
        Put32(p, c->index);
        // Only the name itself, zero-padded: whatever followed it in memory stays here.
        memcpy(p + 4, c->name, strnlen(c->name, CC_NAME_SIZE - 1));
        Put32(p + 36, c->next ? 1 : 0);
    }
    int rc = T_WriteFile("CC01", h, recs, CC_RECORD_SIZE * n);
    T_Free("CC_F_03", recs);
    if (rc != 0) {
        ErrorBox("error: cannot write category-file");
        return -1;
    }
    if (PL_FlushFileBuffers(h) != 0) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("CC02", err, "error: cannot flush categoryfile %s - code: %d", temp, static_cast<int>(err));
        ErrorBox("error: cannot write category-file");
        return -1;
    }
    return 0;
}
} // namespace

int CC_GetCategoryPath(char *path, uint32_t size) {
    int n = snprintf(path, size, "%s\\%s", szProgramDir, CC_FILE_NAME);
    return (n < 0 || static_cast<uint32_t>(n) >= size) ? -1 : 0;
}

uint32_t CC_LoadCategoryImage(const unsigned char *data, uint32_t size) {
    CC_ReleaseCategoryTable();
    CategoryState.nCategoryCount = 0;
    if (!data || size < CC_HEADER_SIZE)
        return 0;
    const unsigned char *p = data + CC_HEADER_SIZE;
    uint32_t left = size - CC_HEADER_SIZE;
    uint32_t dropped = 0;
    bool last = false;
    while (!last && left >= CC_RECORD_SIZE) {
        if (CategoryState.nCategoryCount == CC_MAX_CATEGORIES) {
            ML_WriteLogF("CC03", 0, "categoryfile: more than %d categories, the rest is ignored", CC_MAX_CATEGORIES);
            return CategoryState.nCategoryCount;
        }
        uint32_t index = Get32(p);
        last = Get32(p + 36) == 0;
        // Index 0 is "no category", and a second record of one index could never
        // be told apart from the first: neither can be kept.
        if (index == 0 || CC_FindCategory(index)) {
            ++dropped;
        } else {
            CATEGORYTAB *c = CC_AppendCategory("CC_M_00");
            if (!c)
                return CategoryState.nCategoryCount;
            c->index = index;
            memcpy(c->name, p + 4, CC_NAME_SIZE - 1); // the last byte stays 0: always terminated
            // Zero whatever follows the name, so it is never written back.
            size_t len = strlen(c->name);
            memset(c->name + len, 0, CC_NAME_SIZE - len);
            ++CategoryState.nCategoryCount;
        }
        p += CC_RECORD_SIZE;
        left -= CC_RECORD_SIZE;
    }
    if (dropped)
        ML_WriteLogF("CC03", 0, "categoryfile: %d records without a usable index ignored", static_cast<int>(dropped));
    if (!last && left > 0)
        ML_WriteLogF("CC03", 0, "categoryfile: ends inside a record, %d bytes ignored", static_cast<int>(left));
    return CategoryState.nCategoryCount;
}

int CC_ReadCategory() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CC_ReadCategory()");
    char path[MAX_PGM_DIR + 20];
    if (CC_GetCategoryPath(path, sizeof path) != 0)
        return -1;
    unsigned char *image = nullptr;
    uint32_t size = 0;
    if (LoadImage(path, &image, &size) != 0) {
        uint32_t err = PL_GetLastError();
        if (PL_GetFileAttributes(path) == PL_INVALID_ATTRIBUTES) {
            // No file: no categories yet.
            CC_ReleaseCategoryTable();
            CategoryState.nCategoryCount = 0;
            g_fileUnread = false;
            return 0;
        }
        ML_WriteLogF("CC04", err, "error: cannot read categoryfile - code: %d", static_cast<int>(err));
        g_fileUnread = true;
        return -1;
    }
    CC_LoadCategoryImage(image, size);
    if (image)
        T_Free("CC_F_02", image);
    g_fileUnread = false;
    CC_SortCategory();
    return 0;
}

int CC_WriteCategory() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B CC_WriteCategory()");
    if (g_fileUnread) {
        ML_WriteLog("CC04", "categoryfile not written: it could not be read at start", 0);
        return -1;
    }
    char path[MAX_PGM_DIR + 20];
    char temp[MAX_PGM_DIR + 24];
    if (CC_GetCategoryPath(path, sizeof path) != 0)
        return -1;
    snprintf(temp, sizeof temp, "%s.tmp", path);
    if (!lpCATEGORYTABstart) {
        if (PL_DeleteFile(path) != 0 && PL_GetFileAttributes(path) != PL_INVALID_ATTRIBUTES) {
            uint32_t err = PL_GetLastError();
            ML_WriteLogF("CC02", err, "error: cannot delete categoryfile - code: %d", static_cast<int>(err));
            return -1;
        }
        return 0;
    }

    PL_HANDLE h = CreateTemp(temp);
    if (!h) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("CC00", err, "error: cannot create categoryfile - code: %d", static_cast<int>(err));
        ErrorBox("error: cannot create category-file");
        return -1;
    }
    int rc = WriteTable(h, temp);
    PL_CloseHandle(h);
    if (rc == 0 && ReplaceFile(temp, path) != 0) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("CC02", err, "error: cannot replace categoryfile - code: %d", static_cast<int>(err));
        ErrorBox("error: cannot write category-file");
        rc = -1;
    }
    if (rc != 0)
        PL_DeleteFile(temp); // the file on disk stays as it was
    return rc;
}
