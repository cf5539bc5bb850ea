#include "store/safe_writer.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "crypto/data_envelope.h"
#include "crypto/digest.h"
#include "frame/filebuf.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/desktop_profiles.h"
#include "model/dumps.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "platform/uiport.h"
#include "store/drop_file.h"
#include "store/safe_state.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char TAG_FNK[] = "SW_FNK";

// The file being written: its many small records reach the disk in blocks.
T_FILEWRITER g_out;
SW_AfterSaveHook g_autoBackup = nullptr;
// Set while a copy is written beside the safe: the open safe stays as it is,
// so a note just created (still without text) is left out, not removed.
bool g_keepEmptyNotes = false;

// The safe file as it was last read or written by this program.
struct FileStamp {
    bool known = false;
    uint64_t size = 0;
    uint64_t writeTime = 0;
    uint8_t digest[CY_DIGEST_SIZE] = {};
};
FileStamp g_stamp;

int TakeStamp(const char *path, FileStamp *st) {
    st->known = false;
    if (PL_GetFileWriteTime(path, &st->writeTime) != 0 || CY_FileDigest(path, st->digest, &st->size) != 0)
        return -1;
    st->known = true;
    return 0;
}

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }
void CannotWrite() { ErrorBox("cannot write safe"); }

bool HasPassword() { return ActSafeHeader.nPasswort == 1; }

// The texts of one section while it is written; wiped when emptied.
struct TextCollection {
    char *data = nullptr;
    uint32_t length = 0;
    uint32_t capacity = 0;

    bool Append(const char *text, uint32_t n, const char *tagM, const char *tagR) {
        if (length + n > capacity) {
            uint32_t want = capacity ? capacity : 4096;
            while (want < length + n)
                want *= 2;
            char *grown = static_cast<char *>(T_Malloc(data ? tagR : tagM, want));
            if (!grown)
                return false;
            if (data) {
                memcpy(grown, data, length);
                T_FreeSecret(tagR, data, capacity);
            }
            data = grown;
            capacity = want;
        }
        memcpy(data + length, text, n);
        length += n;
        return true;
    }
    void Empty() {
        if (data)
            T_FreeSecret("SW_F_13", data, capacity);
        data = nullptr;
        length = capacity = 0;
    }
};

TextCollection g_texts;     // contents and desktop labels
TextCollection g_noteTexts; // note texts

// Envelopes a collection under the safe's password and writes it as a text
// block. Always writes the block, even for no text at all.
int WriteTextBlock(TextCollection &c, const char *headCode, const char *envCode, const char *errCode,
                   const char *errText) {
    CRYPTRESULT env{};
    int rc = docryptMyData(c.data ? c.data : "", c.length, cActPasswort, static_cast<int>(ActSafeHeader.nPasswort),
                           &env);
    uint32_t plainLength = c.length;
    c.Empty();
    if (rc != 0) {
        ML_WriteLog(errCode, errText, 0);
        return -1;
    }
    TEXTBLOCKHEADER tb = {env.nLength, plainLength};
    uint8_t head[TEXTBLOCK_HEADER_SIZE];
    SW_PutTextBlockHeaderImage(head, &tb);
    rc = 0;
    if (T_WriterPut(&g_out, headCode, head, sizeof head) != 0 ||
        T_WriterPut(&g_out, envCode, env.lpData, env.nLength) != 0) {
        CannotWrite();
        rc = -1;
    }
    T_Free("SW_F_01", env.lpData);
    return rc;
}

void CloseAndRemove(PL_HANDLE h, const char *path) {
    if (h)
        PL_CloseHandle(h);
    PL_DeleteFile(path);
}

PL_HANDLE OpenActive(const char *path) {
    return PL_CreateFile(path, PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0);
}
} // namespace

void SW_SetAutoBackup(SW_AfterSaveHook hook) { g_autoBackup = hook; }

PL_HANDLE SW_WriteSafeHeader(const char *path, SAFEHEADER *header, const SAFECONTROL *control) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK,
          "B SW_WriteSafeHeader(HANDLE %x, LPSAFEHEADER %x, LPSAFECONTROL %x) (LPSAFEHEADER->nPasswort=%d)",
          TRACE_PTR(hmySafe), TRACE_PTR(header), TRACE_PTR(control), static_cast<int>(header->nPasswort));
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_CREATE_ALWAYS, 0);
    if (!h) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW04", err, "cannot create/open safe '%s' - code: %d", path, static_cast<int>(err));
        ErrorBox("cannot create/open safe");
        return nullptr;
    }
    uint8_t controlImg[SAFECONTROL_SIZE];
    SW_PutControlImage(controlImg, control);
    CRYPTRESULT env{};
    if (docryptMyData(controlImg, sizeof controlImg, cActPasswort, static_cast<int>(header->nPasswort), &env) != 0) {
        CloseAndRemove(h, path);
        return nullptr;
    }
    header->nMajorRelease = SAFE_MAJOR_RELEASE;
    header->nMinorRelease = SAFE_MINOR_RELEASE;
    header->nControlLength = env.nLength;
    uint8_t headImg[SAFEHEADER_SIZE];
    SW_PutHeaderImage(headImg, header);
    if (T_WriteFile("SW00", h, headImg, sizeof headImg) != 0 || T_WriteFile("SW01", h, env.lpData, env.nLength) != 0) {
        CannotWrite();
        CloseAndRemove(h, path);
        T_Free("SW_F_00", env.lpData);
        return nullptr;
    }
    T_Free("SW_F_00", env.lpData);
    return h;
}

int SW_WriteSafeOrdner() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteSafeOrdner() (nOrdnerCount = %d)", static_cast<int>(RecordCounts.nOrdnerCount));
    if (!lpORDNERstart) {
        if (RecordCounts.nOrdnerCount == 0)
            return 0;
        ErrorBox("error: safe could be destroyed, please recover");
        ML_WriteLogF("SW07", 0, "error: lpORDNERstart = %08x, nOrdnerCount = %d", TRACE_PTR(lpORDNERstart),
                     static_cast<int>(RecordCounts.nOrdnerCount));
        return -1;
    }
    uint8_t img[ORDNER_IMAGE_SIZE];
    for (ORDNER *o = lpORDNERstart; o; o = o->next) {
        SW_PutOrdnerImage(img, o, o->next == nullptr);
        if (T_WriterPut(&g_out, "SW04", img, sizeof img) != 0) {
            CannotWrite();
            return -1;
        }
    }
    return 0;
}

int SW_WriteSafeFeldBeschreibung() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteSafeFeldBeschreibung() (lpFELDTABELLEstart=%x, nFldTblCount=%d)",
          TRACE_PTR(lpFELDTABELLEstart), static_cast<int>(RecordCounts.nFeldCount));
    if (RecordCounts.nFeldCount == 0)
        return 0;
    uint8_t img[FELDTABELLE_IMAGE_SIZE];
    uint32_t written = 0;
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next) {
        SW_PutFeldTabelleImage(img, f, f->next == nullptr);
        if (T_WriterPut(&g_out, "SW05", img, sizeof img) != 0) {
            CannotWrite();
            return -1;
        }
        ++written;
    }
    if (written != RecordCounts.nFeldCount)
        ML_WriteLogF("SW15", 0, "error - wrote %d fields, but fieldcount is %d", static_cast<int>(written),
                     static_cast<int>(RecordCounts.nFeldCount));
    return 0;
}

int SW_WriteKarten() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteKarten() (lpKARTEstart=%x, nCardCount=%d)", TRACE_PTR(lpKARTEstart),
          static_cast<int>(RecordCounts.nCardCount));
    if (RecordCounts.nCardCount == 0 || !lpKARTEstart)
        return 0;
    uint8_t img[KARTE_IMAGE_SIZE];
    for (KARTE *k = lpKARTEstart; k; k = k->next) {
        SW_PutKarteImage(img, k, k->next == nullptr);
        if (T_WriterPut(&g_out, "SW06", img, sizeof img) != 0) {
            CannotWrite();
            return -1;
        }
    }
    return 0;
}

int SW_WriteFeldContent() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteFeldContent() (lpFELDINHALTstart=%x) (nCardCount=%d)",
          TRACE_PTR(lpFELDINHALTstart), static_cast<int>(RecordCounts.nCardCount));
    if (RecordCounts.nCardCount == 0)
        return 0;
    if (!lpFELDINHALTstart) {
        ML_WriteLog("SW12", "error: safe destroyed, please recover", 0);
        II_PutString(II_SECTION_SETTINGS, "LastSafe", "", INI_FILE_SETTINGS);
        ErrorBox("error: safe destroyed, please recover");
        UI_CloseMainWindow();
        return -1;
    }
    uint8_t img[FELDINHALT_IMAGE_SIZE];
    int rc = 0;
    for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next) {
        // The stored length is the text's own, so the reader can cut the text
        // block back into texts by length.
        FELDINHALT rec = *f;
        const char *text = f->lpFeldInhalt ? f->lpFeldInhalt : "";
        rec.nFeldLaenge = static_cast<uint32_t>(strnlen(text, f->nFeldLaenge));
        if (rec.nFeldLaenge != 0 && HasPassword() &&
            !g_texts.Append(text, rec.nFeldLaenge + 1, "SW_M_13", "SW_R_00")) {
            g_texts.Empty();
            return -1;
        }
        SW_PutFeldInhaltImage(img, &rec, f->next == nullptr);
        // A failed record write is logged by the file wrapper; the save is
        // reported as failed, so the temporary file never replaces the safe.
        if (T_WriterPut(&g_out, "SW07", img, sizeof img) != 0)
            rc = -1;
        if (rec.nFeldLaenge != 0 && !HasPassword() && T_WriterPut(&g_out, "SW08", text, rec.nFeldLaenge) != 0)
            rc = -1;
    }
    if (rc != 0) {
        g_texts.Empty();
        CannotWrite();
        return -1;
    }
    // With a password a text block always follows the contents, even an empty
    // one: the reader expects it whenever the safe has cards.
    if (HasPassword())
        return WriteTextBlock(g_texts, "SW09", "SW10", "SW13", "SW_WriteFieldContent() crypt error");
    return 0;
}

int SW_WriteFieldTab() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteFieldTab() (lpFELDTABCARDstart=%x)", TRACE_PTR(lpFELDTABCARDstart));
    if (!lpFELDTABCARDstart)
        return 0;
    if (T_WriterPut(&g_out, "SW12", FTC_MARKER, FTC_MARKER_LEN) != 0) {
        CannotWrite();
        return -1;
    }
    uint8_t img[FELDTABCARD_IMAGE_SIZE];
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next) {
        SW_PutFeldTabCardImage(img, f, f->next == nullptr);
        if (T_WriterPut(&g_out, "SW11", img, sizeof img) != 0) {
            CannotWrite();
            return -1;
        }
    }
    return 0;
}

int SW_WriteNotes() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteNotes() (lpNOTIZstart=%x)", TRACE_PTR(lpNOTIZstart));
    if (!lpNOTIZstart)
        return 0;
    // Notes without text are dropped.
    auto empty = [](const NOTIZ *n) { return n->nTextSize == 0 || !n->lpText; };
    for (NOTIZ *n = lpNOTIZstart; n && !g_keepEmptyNotes;) {
        NOTIZ *next = n->next;
        if (empty(n))
            NW_DeleteNote(n);
        n = next;
    }
    const NOTIZ *lastWritten = nullptr;
    for (const NOTIZ *n = lpNOTIZstart; n; n = n->next)
        if (!empty(n))
            lastWritten = n;
    if (!lastWritten)
        return 0;
    if (T_WriterPut(&g_out, "SW22", NOTIZ_MARKER, NOTIZ_MARKER_LEN) != 0) {
        CannotWrite();
        return -1;
    }
    uint8_t img[NOTIZ_IMAGE_SIZE];
    int rc = 0;
    for (NOTIZ *n = lpNOTIZstart; n; n = n->next) {
        if (empty(n))
            continue;
        SW_PutNotizImage(img, n, n == lastWritten);
        if (T_WriterPut(&g_out, "SW23", img, sizeof img) != 0)
            rc = -1;
        if (HasPassword()) {
            // The text with its zero, and one more zero between texts.
            if (!g_noteTexts.Append(n->lpText, n->nTextSize, "SW_M_35", "SW_R_02") ||
                !g_noteTexts.Append("", 1, "SW_M_35", "SW_R_02")) {
                g_noteTexts.Empty();
                return -1;
            }
        } else if (T_WriterPut(&g_out, "SW24", n->lpText, n->nTextSize) != 0) {
            rc = -1;
        }
    }
    if (rc != 0) {
        g_noteTexts.Empty();
        CannotWrite();
        return -1;
    }
    if (HasPassword())
        return WriteTextBlock(g_noteTexts, "SW25", "SW26", "SW24", "SW_WriteNotes() crypt error");
    return 0;
}

int SW_WriteDesktopTable() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_WriteDesktopTable() (lpDTOPHEADERstart=%x) (lpDESKTOPstart=%x)",
          TRACE_PTR(lpDTOPHEADERstart), TRACE_PTR(lpDESKTOPstart));
    if (!lpDTOPHEADERstart)
        return 0;
    int rc = 0;
    uint8_t img[DTOPHEADER_IMAGE_SIZE];
    for (DTOPHEADER *h = lpDTOPHEADERstart; h; h = h->next) {
        SW_PutDtopHeaderImage(img, h, h->next == nullptr);
        if (T_WriterPut(&g_out, "SW17", img, DTOPHEADER_IMAGE_SIZE) != 0)
            rc = -1;
    }
    // A profile without icons still ends its chain with one record, so the
    // reader finds the end of the section.
    DESKTOP none{};
    DESKTOP *first = lpDESKTOPstart ? lpDESKTOPstart : &none;
    for (DESKTOP *d = first; d; d = d->next) {
        bool label = d->dwIconText && d->nTextLen != 0;
        if (label && HasPassword() && !g_texts.Append(d->dwIconText, d->nTextLen + 1, "SW_M_13", "SW_R_00")) {
            g_texts.Empty();
            return -1;
        }
        SW_PutDesktopImage(img, d, d->next == nullptr);
        if (T_WriterPut(&g_out, "SW18", img, DESKTOP_IMAGE_SIZE) != 0)
            rc = -1;
        if (label && !HasPassword() && T_WriterPut(&g_out, "SW19", d->dwIconText, d->nTextLen) != 0)
            rc = -1;
    }
    if (rc != 0) {
        g_texts.Empty();
        CannotWrite();
        return -1;
    }
    if (HasPassword() && g_texts.length > 0)
        return WriteTextBlock(g_texts, "SW20", "SW21", "SW19", "SW_WriteDesktopTable() crypt error");
    g_texts.Empty();
    return 0;
}

namespace {
// Writes the open safe completely into the file temp; a failed write removes it.
int WriteTemp(const char *temp) {
    PL_HANDLE out = SW_WriteSafeHeader(temp, &ActSafeHeader, &ActSafeControl);
    if (!out)
        return -1;
    T_WriterBegin(&g_out, out, "SW_M_60");
    int rc = 0;
    if (SW_WriteSafeOrdner() != 0 || SW_WriteSafeFeldBeschreibung() != 0 || SW_WriteKarten() != 0 ||
        SW_WriteFeldContent() != 0 || SW_WriteFieldTab() != 0 || SW_WriteNotes() != 0)
        rc = -1;
    if (rc == 0) {
        if (dwTraceLevel & TRACE_DUMP_DESKTOP)
            ML_DumpDesktop("SW_GS");
        if (SW_WriteDesktopTable() != 0)
            rc = -1;
    }
    if (rc == 0 && T_WriterFlush(&g_out) != 0) {
        CannotWrite();
        rc = -1;
    }
    T_WriterEnd(&g_out, "SW_F_60");
    if (rc == 0 && PL_FlushFileBuffers(out) != 0) {
        ML_WriteLogF("SW16", PL_GetLastError(), "cannot flush safe '%s'", temp);
        CannotWrite();
        rc = -1;
    }
    PL_CloseHandle(out);
    if (rc != 0)
        PL_DeleteFile(temp);
    return rc;
}

const char kChangedElsewhere[] = "The safe was changed by another program since it was opened. Overwrite those changes?";
} // namespace

int SW_PutSafe(int nBackupFlag, int nIsPDA) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_PutSafe(nBackupFlag=%d, nIsPDA=%d) (hmySafe=%x)", nBackupFlag, nIsPDA,
          TRACE_PTR(hmySafe));
    if (dwTraceLevel & TRACE_DUMP_SAFE)
        ML_DumpTables("DMP PUT");
    if (nIsPDA == 0 && !hmySafe)
        return 0;
    // A safe changed by another program (a synced folder, the terminal companion)
    // is not written over unasked; kept, the open safe goes beside it.
    if (nIsPDA == 0 && SW_SafeFileChanged() == 1 &&
        UI_MessageBox(kChangedElsewhere, "Confirm", UI_MB_YESNO | UI_MB_ICONQUESTION) != UI_IDYES) {
        PL_SYSTEMTIME now;
        PL_GetLocalTime(&now);
        char conflict[SAFE_PATH_SIZE];
        if (SW_ConflictPath(cActSafePath, &now, conflict, sizeof conflict) != 0) {
            ML_WriteLogF("SW31", 0, "no conflict name for '%s'", cActSafePath);
            CannotWrite();
            return -1;
        }
        if (SW_WriteSafeCopy(conflict) != 0)
            return -1;
        ML_WriteLogF("SW31", 0, "[%s] changed elsewhere, kept; the open safe saved as '%s'", cActSafePath, conflict);
        return 0;
    }

    char temp[SAFE_PATH_SIZE + 8];
    snprintf(temp, sizeof temp, "%s.~tmp", cActSafePath);
    if (WriteTemp(temp) != 0)
        return -1; // the safe on disk stays as it was

    // The old file must be closed before it can be replaced.
    SW_DeactivateSafe();
    if (PL_MoveFileEx(temp, cActSafePath, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) != 0) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW16", err, "cannot replace safe '%s' - code: %d", cActSafePath, static_cast<int>(err));
        PL_DeleteFile(temp);
        if (nIsPDA == 0)
            SW_SetActiveFile(OpenActive(cActSafePath));
        CannotWrite();
        return -1;
    }
    SW_SetActiveFile(OpenActive(cActSafePath));
    if (!hmySafe) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW04", err, "cannot create/open safe '%s' - code: %d", cActSafePath, static_cast<int>(err));
        ErrorBox("cannot create/open safe");
        return -1;
    }
    if (nIsPDA == 0)
        SW_RememberSafeFile();

    // The safe is saved; a drop file that cannot be written was reported by its writer.
    (void)SW_WriteDropList(&ActSafeHeader);
    if (nBackupFlag == 1 && Settings.AutoBackup && g_autoBackup)
        g_autoBackup(cActSafePath);
    ML_WriteLogF("SW22", 0, "[%s] saved", cActSafePath);
    return 0;
}

int SW_WriteSafeCopy(const char *target) {
    char temp[SAFE_PATH_SIZE + 16];
    if (snprintf(temp, sizeof temp, "%s.~tmp", target) >= static_cast<int>(sizeof temp)) {
        ML_WriteLogF("SW32", 0, "path too long for a copy of the safe: '%s'", target);
        CannotWrite();
        return -1;
    }
    g_keepEmptyNotes = true;
    int rc = WriteTemp(temp);
    g_keepEmptyNotes = false;
    if (rc != 0)
        return -1;
    if (PL_MoveFileEx(temp, target, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) != 0) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW32", err, "cannot write copy of the safe '%s' - code: %d", target, static_cast<int>(err));
        PL_DeleteFile(temp);
        CannotWrite();
        return -1;
    }
    return 0;
}

void SW_RememberSafeFile() {
    // A file that cannot be looked at now has nothing to compare with later.
    if (TakeStamp(cActSafePath, &g_stamp) != 0)
        ML_WriteLogF("SW33", PL_GetLastError(), "cannot take the state of safe '%s'", cActSafePath);
}

void SW_ForgetSafeFile() { g_stamp = FileStamp{}; }

int SW_SafeFileChanged() {
    if (!g_stamp.known)
        return 0;
    FileStamp now;
    if (TakeStamp(cActSafePath, &now) != 0)
        return 1; // gone or unreadable: no longer the file that was opened
    return now.size != g_stamp.size || now.writeTime != g_stamp.writeTime ||
                   memcmp(now.digest, g_stamp.digest, sizeof now.digest) != 0
               ? 1
               : 0;
}

int SW_ConflictPath(const char *safePath, const PL_SYSTEMTIME *st, char *out, unsigned size) {
    std::string base = safePath;
    size_t sep = base.find_last_of("\\/");
    size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && (sep == std::string::npos || dot > sep))
        base.resize(dot);
    int n = snprintf(out, size, "%s (conflict %04u-%02u-%02u %02u-%02u).saf", base.c_str(), st->wYear % 10000u,
                     st->wMonth % 100u, st->wDay % 100u, st->wHour % 100u, st->wMinute % 100u);
    return n > 0 && static_cast<unsigned>(n) < size ? 0 : -1;
}

uint64_t SW_ListsDigest() {
    // FNV-1a over the records as the file holds them and their texts, eight
    // bytes a step: asked after every message, so on a safe of ten thousand
    // cards it must stay well under a millisecond; any edit changes it.
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](const void *p, size_t n) {
        const uint8_t *b = static_cast<const uint8_t *>(p);
        size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            uint64_t w;
            memcpy(&w, b + i, 8);
            h = (h ^ w) * 1099511628211ull;
            h ^= h >> 29; // the high bytes of a word reach the low ones
        }
        for (; i < n; ++i)
            h = (h ^ b[i]) * 1099511628211ull;
        h = (h ^ n) * 1099511628211ull; // where one text ends and the next begins
    };
    uint8_t img[128];
    mix(&ActSafeHeader.nPasswort, sizeof ActSafeHeader.nPasswort);
    mix(cActPasswort, strnlen(cActPasswort, sizeof cActPasswort));
    for (const ORDNER *o = lpORDNERstart; o; o = o->next)
        SW_PutOrdnerImage(img, o, false), mix(img, ORDNER_IMAGE_SIZE);
    for (const FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
        SW_PutFeldTabelleImage(img, f, false), mix(img, FELDTABELLE_IMAGE_SIZE);
    for (const KARTE *k = lpKARTEstart; k; k = k->next)
        SW_PutKarteImage(img, k, false), mix(img, KARTE_IMAGE_SIZE);
    for (const FELDINHALT *f = lpFELDINHALTstart; f; f = f->next) {
        SW_PutFeldInhaltImage(img, f, false), mix(img, FELDINHALT_IMAGE_SIZE);
        if (f->lpFeldInhalt)
            mix(f->lpFeldInhalt, strnlen(f->lpFeldInhalt, f->nFeldLaenge));
    }
    for (const FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
        SW_PutFeldTabCardImage(img, f, false), mix(img, FELDTABCARD_IMAGE_SIZE);
    for (const NOTIZ *n = lpNOTIZstart; n; n = n->next) {
        SW_PutNotizImage(img, n, false), mix(img, NOTIZ_IMAGE_SIZE);
        if (n->lpText)
            mix(n->lpText, n->nTextSize);
    }
    for (const DTOPHEADER *d = lpDTOPHEADERstart; d; d = d->next)
        SW_PutDtopHeaderImage(img, d, false), mix(img, DTOPHEADER_IMAGE_SIZE);
    for (const DESKTOP *d = lpDESKTOPstart; d; d = d->next) {
        SW_PutDesktopImage(img, d, false), mix(img, DESKTOP_IMAGE_SIZE);
        if (d->dwIconText)
            mix(d->dwIconText, d->nTextLen);
    }
    PL_SecureZero(img, sizeof img);
    return h;
}
