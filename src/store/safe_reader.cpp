#include "store/safe_reader.h"

#include "config/inifile.h"
#include "config/settings.h"
#include "crypto/data_envelope.h"
#include "frame/filebuf.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/desktop_profiles.h"
#include "model/dumps.h"
#include "model/list_release.h"
#include "model/list_sorts.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "platform/uiport.h"
#include "store/safe_state.h"

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace {
const char TAG_FNK[] = "SW_FNK";

void ErrorBox(const char *text) { UI_MessageBox(text, "Error", UI_MB_OK | UI_MB_ICONSTOP); }

void CloseWorkingFile() { SW_SetWorkFile(nullptr); }

// While the sections are read, the working file comes in blocks: a safe is
// tens of thousands of small records.
T_FILEREADER *g_in = nullptr;

// Reads up to `size` bytes of the working file; answers how many arrived
// (fewer only at the end of the file or on a failed read).
uint32_t ReadUpTo(void *buf, uint32_t size) {
    return g_in ? T_ReaderUpTo(g_in, buf, size) : T_ReadUpTo(tmpSafe, buf, size);
}

int ReadAll(const char *code, void *buf, uint32_t size) {
    return g_in ? T_ReaderAll(g_in, code, buf, size) : T_ReadFile(code, tmpSafe, buf, size);
}

void SeekBack(uint32_t n) {
    if (g_in)
        T_ReaderSeekBack(g_in, n);
    else
        PL_SetFilePointer(tmpSafe, -static_cast<int64_t>(n), PL_FILE_CURRENT, nullptr);
}

uint64_t Position() {
    uint64_t pos = 0;
    if (g_in)
        return T_ReaderPosition(g_in);
    PL_SetFilePointer(tmpSafe, 0, PL_FILE_CURRENT, &pos);
    return pos;
}

// What the working file holds after the read position.
uint64_t BytesLeft() {
    uint64_t pos = Position(), size = 0;
    PL_GetFileSize(tmpSafe, &size);
    return size > pos ? size - pos : 0;
}

// An optional section's marker where a mandatory chain would begin means the
// chain is empty: a marker is never taken for a record.
bool StartsWithMarker(const uint8_t *img, uint32_t n) {
    return (n >= FTC_MARKER_LEN && memcmp(img, FTC_MARKER, FTC_MARKER_LEN) == 0) ||
           (n >= NOTIZ_MARKER_LEN && memcmp(img, NOTIZ_MARKER, NOTIZ_MARKER_LEN) == 0) ||
           (n >= DESKTOP_MARKER_LEN && memcmp(img, DESKTOP_MARKER, DESKTOP_MARKER_LEN) == 0);
}

// Reads one record image of a chain. false at the end of the chain's data: the
// end of the file, a short record, or a marker in place of the first record.
bool ReadChainImage(uint8_t *img, uint32_t size, bool first, bool mandatory) {
    uint32_t n = ReadUpTo(img, size);
    if (n > 0 && first && mandatory && StartsWithMarker(img, n)) {
        SeekBack(n);
        return false;
    }
    return n == size;
}

void ClearLastSafe() {
    II_PutString(II_SECTION_SETTINGS, "LastSafe", "", INI_FILE_SETTINGS);
}

// A damaged safe: logged, LastSafe cleared so the next start leaves it alone,
// the user told, the working file closed.
int Damaged(const char *code, const char *logText, const char *message) {
    ML_WriteLog(code, logText, 0);
    ClearLastSafe();
    ErrorBox(message);
    CloseWorkingFile();
    return -1;
}

bool HasPassword() { return TmpSafeHeader.nPasswort == 1; }

enum TEXTBLOCK { TB_READ, TB_ABSENT, TB_DAMAGED };

// Reads a text block (header and envelope) and opens it into a new plain block
// of nPlainLength bytes plus a terminating zero. TB_ABSENT when the file ends
// before its header; TB_DAMAGED when the envelope is short, its lengths cannot
// be right or it does not open: its texts are lost, never to be read as empty.
TEXTBLOCK ReadTextBlock(const char *readCode, char **plain, uint32_t *plainLength) {
    *plain = nullptr;
    *plainLength = 0;
    uint8_t head[TEXTBLOCK_HEADER_SIZE];
    if (ReadUpTo(head, sizeof head) != sizeof head)
        return TB_ABSENT;
    TEXTBLOCKHEADER tb;
    SW_GetTextBlockHeaderImage(head, &tb);
    // A length beyond the file cannot be right: refuse it before allocating it.
    if (!SW_TextBlockPlausible(&tb, BytesLeft()))
        return TB_DAMAGED;
    char *crypt = static_cast<char *>(T_Malloc("SW_M_08", tb.nCryptLength));
    if (!crypt)
        return TB_DAMAGED;
    if (ReadAll(readCode, crypt, tb.nCryptLength) != 0) {
        T_Free("SW_F_08", crypt);
        return TB_DAMAGED;
    }
    char *p = static_cast<char *>(T_Malloc("SW_M_14", tb.nPlainLength));
    if (!p) {
        T_Free("SW_F_08", crypt);
        return TB_DAMAGED;
    }
    if (CY_DecryptData(p, tb.nPlainLength, cTmpPasswort, crypt, tb.nCryptLength) != 0) {
        T_FreeSecret("SW_F_18", p, tb.nPlainLength); // whatever it got of the texts
        return TB_DAMAGED;
    }
    *plain = p;
    *plainLength = tb.nPlainLength;
    return TB_READ;
}

// Copies the zero-terminated text at the front of a plain block, at most `len`
// characters, then drops `advance` bytes from the front; an exhausted block
// gives what is left.
void TakeText(char *&cursor, uint32_t &left, char *dest, uint32_t len, uint32_t advance) {
    uint32_t n = 0;
    while (n < len && n < left && cursor[n])
        ++n;
    memcpy(dest, cursor, n);
    dest[n] = 0;
    uint32_t skip = advance < left ? advance : left;
    cursor += skip;
    left -= skip;
}
// Reads a chain of records of one image size: each image read is given a record
// from append(first) and filled by get(image, record), which answers the stored
// `next`. The chain ends at a `next` of 0 or where its data ends. -1 when memory
// ran out. A first image read already (a section's marker record) comes in img.
template <typename Append, typename Get>
int ReadChain(uint8_t *img, uint32_t size, bool mandatory, bool haveFirst, Append append, Get get) {
    for (bool first = true;; first = false) {
        if (!(first && haveFirst) && !ReadChainImage(img, size, first, mandatory))
            return 0;
        auto *record = append(first);
        if (!record)
            return -1;
        if (get(img, record) == 0)
            return 0;
    }
}
} // namespace

int SW_OpenSafe(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_OpenSafe(LPSTR %s)", path);
    snprintf(cTmpSafePath, sizeof cTmpSafePath, "%s", path);
    SW_SetWorkFile(PL_CreateFile(path, PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_OPEN_EXISTING, 0));
    if (!tmpSafe) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW00", err, "cannot open safe '%s' - code: %d", path, static_cast<int>(err));
        ErrorBox("cannot open safe");
        return -1;
    }
    uint8_t head[SAFEHEADER_SIZE];
    if (ReadUpTo(head, sizeof head) != sizeof head) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF("SW01", err, "read error safe '%s' - code: %d", path, static_cast<int>(err));
        ErrorBox("cannot read safe");
        CloseWorkingFile();
        return -1;
    }
    SW_GetHeaderImage(head, &TmpSafeHeader);
    if (SW_VersionNumber(TmpSafeHeader.nMajorRelease, TmpSafeHeader.nMinorRelease) > SAFE_VERSION ||
        TmpSafeHeader.nMajorRelease > SAFE_MAJOR_RELEASE) {
        char text[80];
        snprintf(text, sizeof text, "unsupported Safe Version %u.%u", TmpSafeHeader.nMajorRelease,
                 TmpSafeHeader.nMinorRelease);
        ErrorBox(text);
        ML_WriteLog("SW14", text, 0);
        CloseWorkingFile();
        return -1;
    }
    TRACE(TRACE_BASIC, "SW_B_01", "SW_OpenSafe(LPSTR %s) done, Version=%d.%d", path,
          static_cast<int>(TmpSafeHeader.nMajorRelease), static_cast<int>(TmpSafeHeader.nMinorRelease));
    return 0;
}

int SW_ReadSafeHeader() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadSafeHeader() (tmpSafe=%x)", TRACE_PTR(tmpSafe));
    uint64_t size = 0;
    PL_GetFileSize(tmpSafe, &size);
    uint32_t length = TmpSafeHeader.nControlLength;
    char *block = length <= size ? static_cast<char *>(T_Malloc("SW_M_00", length)) : nullptr;
    if (!block || ReadUpTo(block, length) != length) {
        ML_WriteLog("SW02", "read error safe", 0);
        ErrorBox("cannot read safe");
        if (block)
            T_Free("SW_F_00", block);
        return -1;
    }
    uint8_t control[SAFECONTROL_SIZE];
    // A block that does not open is a wrong password as much as a wrong magic.
    const bool opened = CY_DecryptData(control, sizeof control, cTmpPasswort, block, length) == 0;
    SW_GetControlImage(control, &TmpSafeControl);
    if (!opened || strncmp(TmpSafeControl.cSafeId, SAFE_ID, sizeof TmpSafeControl.cSafeId) != 0) {
        ML_WriteLog("SW03", "Error: Decrypt Safe", 0);
        ErrorBox("error in encrypt safe");
        return -1;
    }
    return 0;
}

int SW_ReadSafeOrdner(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadSafeOrdner(LPSTR %s)", path);
    if (lpORDNERstart)
        SW_FreeOrdnertabelle();
    RecordCounts.nOrdnerCount = 0;
    const uint32_t major = TmpSafeHeader.nMajorRelease, minor = TmpSafeHeader.nMinorRelease;
    const uint32_t size = SW_OrdnerImageSize(major, minor);
    if (size != ORDNER_IMAGE_SIZE)
        ML_WriteLogF("SW06", 0, "**folder conversion** %s version - old %d.%d to new %d.%d", path,
                     static_cast<int>(major), static_cast<int>(minor), SAFE_MAJOR_RELEASE, SAFE_MINOR_RELEASE);
    uint8_t img[RECORD_IMAGE_MAX];
    return ReadChain(
        img, size, true, false,
        [](bool first) {
            ORDNER *o = SW_AppendOrdner(first ? "SW_M_01" : "SW_M_02");
            RecordCounts.nOrdnerCount += o != nullptr;
            return o;
        },
        [&](const uint8_t *image, ORDNER *o) { return SW_GetOrdnerImage(image, major, minor, o); });
}

int SW_ReadSafeFeldBeschreibung(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadSafeFeldBeschreibung(LPSTR %s)", path);
    if (lpFELDTABELLEstart)
        SW_FreeFeldTabelle();
    RecordCounts.nFeldCount = 0;
    const uint32_t major = TmpSafeHeader.nMajorRelease, minor = TmpSafeHeader.nMinorRelease;
    const uint32_t size = SW_FeldTabelleImageSize(major, minor);
    if (size != FELDTABELLE_IMAGE_SIZE)
        ML_WriteLogF("SW17", 0, "**fieldtable conversion** %s version - old %d.%d to new %d.%d", path,
                     static_cast<int>(major), static_cast<int>(minor), SAFE_MAJOR_RELEASE, SAFE_MINOR_RELEASE);
    // Field descriptions are stored only when there are folders to own them.
    if (RecordCounts.nOrdnerCount == 0)
        return 0;
    uint8_t img[RECORD_IMAGE_MAX];
    return ReadChain(
        img, size, true, false,
        [](bool first) {
            FELDTABELLE *f = SW_AppendFeldTabelle(first ? "SW_M_03" : "SW_M_04");
            RecordCounts.nFeldCount += f != nullptr;
            return f;
        },
        [&](const uint8_t *image, FELDTABELLE *f) { return SW_GetFeldTabelleImage(image, major, minor, f); });
}

int SW_ReadKarten(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadKarten(LPSTR %s)", path);
    if (lpKARTEstart)
        SW_FreeKartenTabelle();
    RecordCounts.nCardCount = 0;
    const uint32_t major = TmpSafeHeader.nMajorRelease, minor = TmpSafeHeader.nMinorRelease;
    TRACE(TRACE_BASIC, "SW_B_00", "SW_ReadKarten() Safe-MajorRelease = %d, Safe-MinorRelease = %d",
          static_cast<int>(major), static_cast<int>(minor));
    const uint32_t size = SW_KarteImageSize(major, minor);
    if (size != KARTE_IMAGE_SIZE)
        ML_WriteLogF("SW08", 0, "**card conversion** %s version - old %d.%d to new %d.%d", path,
                     static_cast<int>(major), static_cast<int>(minor), SAFE_MAJOR_RELEASE, SAFE_MINOR_RELEASE);
    // Cards live in folders: a safe without folders stores none.
    if (RecordCounts.nOrdnerCount == 0)
        return 0;
    uint8_t img[RECORD_IMAGE_MAX];
    return ReadChain(
        img, size, true, false,
        [](bool first) {
            KARTE *k = SW_AppendKarte(first ? "SW_M_05" : "SW_M_06");
            RecordCounts.nCardCount += k != nullptr;
            return k;
        },
        [&](const uint8_t *image, KARTE *k) { return SW_GetKarteImage(image, major, minor, k); });
}

int SW_ReadFeldInhalt(const char *path) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadFeldInhalt() (lpFELDINHALTstart=%x) (nCardCount=%d)",
          TRACE_PTR(lpFELDINHALTstart), static_cast<int>(RecordCounts.nCardCount));
    if (lpFELDINHALTstart)
        SW_FreeFeldInhaltTabelle();
    if (!lpKARTEstart)
        return 0;
    static const char kRecover[] = "error: safe could be destroyed, please recover";
    uint8_t img[RECORD_IMAGE_MAX];
    bool any = false;
    // Where the texts of the text block go (block and length), in record order:
    // the block is cut up without walking the records again.
    std::vector<std::pair<char *, uint32_t>> texts;
    for (bool first = true;; first = false) {
        if (!ReadChainImage(img, FELDINHALT_IMAGE_SIZE, first, true))
            break;
        FELDINHALT tmp{};
        uint32_t next = SW_GetFeldInhaltImage(img, &tmp);
        if (tmp.nFeldLaenge > MAX_FELD_LAENGE) {
            char text[SAFE_PATH_SIZE + 80];
            snprintf(text, sizeof text, "error in safe [%s]: %s", path, kRecover);
            return Damaged("SW09", text, kRecover);
        }
        FELDINHALT *f = SW_AppendFeldInhalt(first ? "SW_M_07" : "SW_M_10");
        if (!f)
            return -1;
        any = true;
        f->nKartenKennung = tmp.nKartenKennung;
        f->nFeldIndex = tmp.nFeldIndex;
        f->nFeldLaenge = tmp.nFeldLaenge;
        if (f->nFeldLaenge > 0) {
            f->lpFeldInhalt = static_cast<char *>(T_Malloc("SW_M_09", f->nFeldLaenge + 1));
            if (!f->lpFeldInhalt)
                return -1;
            // Without a password the text follows its record; a short read leaves it partly empty.
            if (!HasPassword())
                ReadUpTo(f->lpFeldInhalt, f->nFeldLaenge);
            else
                texts.emplace_back(f->lpFeldInhalt, f->nFeldLaenge);
        }
        if (next == 0)
            break;
    }
    if (!any)
        return Damaged("SW10", "error: safe destroyed, please recover", "error: safe destroyed, please recover");
    if (!HasPassword())
        return 0;

    char *plain;
    uint32_t plainLength;
    // Contents with texts and no block to hold them are as damaged as a block
    // that does not open: read as empty, the next save would write them over.
    TEXTBLOCK got = ReadTextBlock("SW00", &plain, &plainLength);
    if (got == TB_ABSENT && texts.empty())
        return 0;
    if (got != TB_READ)
        return Damaged("SW11", kRecover, kRecover);
    char *cursor = plain;
    uint32_t left = plainLength;
    int rc = 0;
    for (const auto &text : texts) {
        if (left < text.second + 1) {
            rc = Damaged("SW11", kRecover, kRecover);
            break;
        }
        TakeText(cursor, left, text.first, text.second, text.second + 1);
    }
    T_FreeSecret("SW_F_18", plain, plainLength);
    return rc;
}

int SW_ReadFieldTab() {
    if (lpFELDTABCARDstart)
        SW_ReleaseFieldTable();
    char marker[FTC_MARKER_LEN];
    uint32_t n = ReadUpTo(marker, sizeof marker);
    if (n == sizeof marker && memcmp(marker, FTC_MARKER, FTC_MARKER_LEN) == 0) {
        uint8_t img[RECORD_IMAGE_MAX];
        if (ReadChain(
                img, FELDTABCARD_IMAGE_SIZE, false, false,
                [](bool first) { return SW_AppendFeldTabCard(first ? "SW_M_11" : "SW_M_12"); },
                [](const uint8_t *image, FELDTABCARD *f) { return SW_GetFeldTabCardImage(image, f); }) != 0)
            return -1;
    } else if (n > 0) {
        SeekBack(n);
    }
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "E SW_ReadFieldTab() (lpFELDTABCARDstart=%x)", TRACE_PTR(lpFELDTABCARDstart));
    return 0;
}

int SW_ReadNotes() {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadNotes()");
    if (lpNOTIZstart)
        SW_ReleaseNotizen();
    char marker[NOTIZ_MARKER_LEN];
    uint32_t n = ReadUpTo(marker, sizeof marker);
    if (n != sizeof marker || memcmp(marker, NOTIZ_MARKER, NOTIZ_MARKER_LEN) != 0) {
        if (n > 0)
            SeekBack(n);
        return 0;
    }
    uint8_t img[RECORD_IMAGE_MAX];
    for (bool first = true;; first = false) {
        if (!ReadChainImage(img, NOTIZ_IMAGE_SIZE, first, false))
            break;
        NOTIZ *note = NW_AppendNote(first ? "NW_M_00" : "NW_M_02");
        if (!note)
            return -1;
        uint32_t next = SW_GetNotizImage(img, note);
        // A size no note can have, or (without a password, the text following its
        // record) more than the file still holds, is a damaged record: no text.
        if (note->nTextSize > NOTE_TEXT_MAX || (!HasPassword() && note->nTextSize > BytesLeft()))
            note->nTextSize = 0;
        if (note->nTextSize > 0 && !HasPassword()) {
            note->lpText = static_cast<char *>(T_Malloc("NW_M_01", note->nTextSize));
            if (!note->lpText)
                return -1;
            if (ReadAll("SW01", note->lpText, note->nTextSize) != 0)
                note->lpText[0] = 0;
            note->lpText[note->nTextSize - 1] = 0;
        }
        if (next == 0)
            break;
    }
    if (!HasPassword())
        return 0;
    // Notes whose texts are lost are dropped with a word to the user, as the
    // desktop profiles are: the rest of the safe still opens.
    auto lost = []() {
        static const char kLost[] = "error: safe destroyed, notes loosed!";
        ML_WriteLog("SW28", kLost, 0);
        ErrorBox(kLost);
        SW_ReleaseNotizen();
        return 0;
    };
    bool anyText = false;
    for (NOTIZ *note = lpNOTIZstart; note; note = note->next)
        anyText = anyText || note->nTextSize != 0;
    char *plain;
    uint32_t plainLength;
    TEXTBLOCK got = ReadTextBlock("SW02", &plain, &plainLength);
    if (got == TB_ABSENT && !anyText)
        return 0;
    if (got != TB_READ)
        return lost();
    // A text is given its memory only when the block holds it: the sizes in the
    // records are not believed beyond what is there.
    char *cursor = plain;
    uint32_t left = plainLength;
    int rc = 0; // 1: a text the block does not hold
    for (NOTIZ *note = lpNOTIZstart; note && rc == 0; note = note->next) {
        if (note->nTextSize == 0)
            continue;
        if (note->nTextSize > left) {
            rc = 1;
            break;
        }
        note->lpText = static_cast<char *>(T_Malloc("NW_M_01", note->nTextSize));
        if (!note->lpText)
            rc = -1;
        else
            TakeText(cursor, left, note->lpText, note->nTextSize - 1, note->nTextSize + 1); // text, its zero, a separator
    }
    T_FreeSecret("NW_F_03", plain, plainLength);
    return rc == 1 ? lost() : rc;
}

int SW_ReadDesktopTable(const char *path) {
    (void)path;
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SW_ReadDesktopTable()");
    if (lpDTOPHEADERstart || lpDESKTOPstart)
        DT_FreeDesktopTable();
    static const char kLost[] = "error: safe destroyed, icon positions loosed!";
    uint8_t img[RECORD_IMAGE_MAX];
    uint32_t n = ReadUpTo(img, DTOPHEADER_IMAGE_SIZE);
    if (n == 0)
        return 0;
    if (n < DESKTOP_MARKER_LEN || memcmp(img, DESKTOP_MARKER, DESKTOP_MARKER_LEN) != 0) {
        SeekBack(n);
        return 0;
    }
    if (n == DTOPHEADER_IMAGE_SIZE &&
        ReadChain(
            img, DTOPHEADER_IMAGE_SIZE, false, true,
            [](bool first) { return DT_AppendProfile(first ? "DT_M_04" : "DT_M_05"); },
            [](const uint8_t *image, DTOPHEADER *h) { return SW_GetDtopHeaderImage(image, h); }) != 0)
        return -1;
    for (bool first = true;; first = false) {
        if (!ReadChainImage(img, DESKTOP_IMAGE_SIZE, first, false)) {
            ML_WriteLog("SW20", kLost, 0);
            ErrorBox(kLost);
            DT_FreeDesktopTable();
            return -1;
        }
        DESKTOP *d = DT_AppendIcon(first ? "DT_M_00" : "DT_M_01");
        if (!d)
            return -1;
        uint32_t next = SW_GetDesktopImage(img, d);
        if (d->nTextLen > 0 && d->nTextLen <= DESKTOP_TEXT_MAX) {
            d->dwIconText = static_cast<char *>(T_Malloc("SW_M_29", d->nTextLen + 1));
            if (!d->dwIconText)
                return -1;
            if (!HasPassword())
                ReadUpTo(d->dwIconText, d->nTextLen);
        } else {
            d->nTextLen = 0;
        }
        if (next == 0)
            break;
    }
    if (!HasPassword())
        return 0;
    bool anyLabel = false;
    for (DESKTOP *d = lpDESKTOPstart; d; d = d->next)
        anyLabel = anyLabel || d->nTextLen != 0;
    char *plain;
    uint32_t plainLength;
    TEXTBLOCK got = ReadTextBlock("SW00", &plain, &plainLength);
    if (got == TB_ABSENT && !anyLabel)
        return 0;
    if (got != TB_READ) {
        ML_WriteLog("SW21", kLost, 0);
        ErrorBox(kLost);
        DT_FreeDesktopTable();
        return -1;
    }
    char *cursor = plain;
    uint32_t left = plainLength;
    for (DESKTOP *d = lpDESKTOPstart; d; d = d->next)
        if (d->nTextLen > 0)
            TakeText(cursor, left, d->dwIconText, d->nTextLen, d->nTextLen + 1);
    T_FreeSecret("DT_F_03", plain, plainLength);
    return 0;
}

namespace {
int ReadSections(const char *path) {
    if (SW_ReadSafeOrdner(path) != 0)
        return -1;
    SW_SortOrdner();
    if (SW_ReadSafeFeldBeschreibung(path) != 0 || SW_ReadKarten(path) != 0)
        return -1;
    SW_SortKarten();
    if (SW_ReadFeldInhalt(path) != 0)
        return -1;
    if (SW_ReadFieldTab() != 0 || SW_ReadNotes() != 0)
        return -1;
    (void)SW_ReadDesktopTable(path); // damaged icon positions do not keep the safe shut
    return 0;
}
} // namespace

int SW_ReadSafeSections(const char *path) {
    T_FILEREADER in;
    T_ReaderBegin(&in, tmpSafe, "SW_M_61");
    g_in = &in;
    int rc = ReadSections(path);
    g_in = nullptr;
    // A damaged safe has had its working file closed already.
    T_ReaderEnd(&in, "SW_F_61", tmpSafe != nullptr);
    if (rc != 0)
        return -1;
    if (dwTraceLevel & TRACE_DUMP_SAFE)
        ML_DumpTables("DMP GET");
    if (dwTraceLevel & TRACE_DUMP_DESKTOP)
        ML_DumpDesktop("SW_GS");
    return 0;
}
