#include "crypto/file_crypt.h"

#include "crypto/cryptlib.h"
#include "crypto/data_envelope.h"
#include "frame/fileio.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "platform/platform.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
// The envelope takes the file in pushes of 2,048 bytes: they shape its segments.
// The disk is read and written in blocks of many pushes, and everything a block
// made is popped at once.
const uint32_t kChunk = 2048;
const uint32_t kBlock = 128 * kChunk;
const int kPop = 2 * kBlock;
const int kTempNames = 100; // "<path>.cks", then "<path>.1.cks" to "<path>.99.cks"

enum Direction { ENCRYPT, DECRYPT };

const char *FunctionName(Direction d) { return d == ENCRYPT ? "docryptMyFile" : "doencryptMyFile"; }

// The bar moves one of 50 steps whenever another fiftieth of the file was read.
struct Progress {
    bool bar = false;
    uint64_t stepSize = 0, counter = 0;
    void Start(const char *path, uint64_t size, int progress, int quiet) {
        if (!UI_ProgressShown())
            return;
        if (progress == 1) {
            bar = true;
            UI_ProgressRange(50);
            stepSize = size / 50;
        } else if (quiet != 1) {
            UI_ProgressText(path);
        }
    }
    void Read(uint32_t n) {
        if (!bar)
            return;
        counter += n;
        if (counter > stepSize) {
            UI_ProgressStep();
            counter = 0;
        }
    }
};

// The two files of one run: the source, and the temporary file beside it.
struct Job {
    const char *path;
    char temp[300];
    PL_HANDLE in = nullptr, out = nullptr;
    CRYPT_ENVELOPE env = 0;
    bool haveEnv = false;
    char *buf = nullptr;   // what the envelope hands out
    char *block = nullptr; // what was read from the source

    bool created = false; // the temporary file is ours: made new by this run

    // Closes everything and removes the temporary file this run made: the
    // source stays as it was.
    int Abandon() {
        Close();
        if (created) {
            PL_SetFileAttributes(temp, PL_ATTR_NORMAL);
            PL_DeleteFile(temp);
        }
        return -1;
    }
    void Close() {
        if (haveEnv)
            cryptDestroyEnvelope(env);
        haveEnv = false;
        if (in)
            PL_CloseHandle(in);
        if (out)
            PL_CloseHandle(out);
        in = out = nullptr;
        if (buf) {
            T_FreeSecret("CY_F_02", buf, kPop);
            buf = nullptr;
        }
        if (block) {
            T_FreeSecret("CY_F_06", block, kBlock);
            block = nullptr;
        }
    }
};

// "<path>.cks", or "<path>.<n>.cks" from n = 1; false when it would not fit (a
// name cut short could name the source itself or a file beside it).
bool TempName(Job &job, int n) {
    char number[16] = "";
    if (n > 0)
        snprintf(number, sizeof number, ".%d", n);
    int len = snprintf(job.temp, sizeof job.temp, "%s%s%s", job.path, number, CKS_SUFFIX);
    return len > 0 && static_cast<size_t>(len) < sizeof job.temp;
}

// The temporary file is made new beside the source, under the first of its
// names that is free: a file already there (the user's own, or one left by an
// interrupted run; they cannot be told apart) is never deleted or written over.
int CreateTemp(Job &job, Direction d, int NPWYESNO) {
    const uint32_t attributes = d == ENCRYPT ? PL_ATTR_HIDDEN : PL_ATTR_NORMAL;
    for (int n = 0; n < kTempNames && TempName(job, n); ++n) {
        job.out = PL_CreateFile(job.temp, PL_GENERIC_WRITE, PL_SHARE_NONE, PL_CREATE_NEW, attributes);
        if (job.out) {
            job.created = true;
            return 0;
        }
        uint32_t err = PL_GetLastError();
        if (err != PL_ERROR_FILE_EXISTS && err != PL_ERROR_ALREADY_EXISTS)
            break;
    }
    uint32_t err = PL_GetLastError();
    ML_WriteLogF(d == ENCRYPT ? "CY01" : "CY03", err, "%s(LPSTR %s, PW, UINT %d) create error: %d", FunctionName(d),
                 job.path, NPWYESNO, static_cast<int>(err));
    return -1;
}

int OpenBoth(Job &job, Direction d, int NPWYESNO) {
    if (!TempName(job, 0)) {
        ML_WriteLogF(d == ENCRYPT ? "CY01" : "CY03", 0,
                     "%s(LPSTR %s, PW, UINT %d) path too long for the temporary file", FunctionName(d), job.path,
                     NPWYESNO);
        UI_MessageBox("ERROR: file path too long!", "Error", UI_MB_OK);
        return -1;
    }
    job.in = PL_CreateFile(job.path, PL_GENERIC_READ, PL_SHARE_NONE, PL_OPEN_EXISTING, 0);
    if (!job.in) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF(d == ENCRYPT ? "CY00" : "CY02", err, "%s(LPSTR %s, PW, UINT %d) open error: %d", FunctionName(d),
                     job.path, NPWYESNO, static_cast<int>(err));
        UI_MessageBox("ERROR: cannot open file!", "Error", UI_MB_OK);
        return -1;
    }
    if (CreateTemp(job, d, NPWYESNO) != 0)
        return -1;
    job.buf = static_cast<char *>(T_Malloc("CY_M_01", kPop));
    job.block = static_cast<char *>(T_Malloc("CY_M_03", kBlock));
    return job.buf && job.block ? 0 : -1;
}

// Fills the block from the source; fewer bytes only at its end. −1 on a failed read.
int ReadBlock(Job &job, uint32_t *n) {
    *n = 0;
    while (*n < kBlock) {
        uint32_t got = 0;
        if (PL_ReadFile(job.in, job.block + *n, kBlock - *n, &got) != 0)
            return -1;
        if (got == 0)
            break;
        *n += got;
    }
    return 0;
}

// The finished temporary file takes the source's place in one step.
int Replace(Job &job, Direction d) {
    bool flushed = PL_FlushFileBuffers(job.out) == 0;
    job.Close();
    if (!flushed || PL_MoveFileEx(job.temp, job.path, PL_MOVE_REPLACE_EXISTING | PL_MOVE_WRITE_THROUGH) != 0) {
        uint32_t err = PL_GetLastError();
        ML_WriteLogF(d == ENCRYPT ? "CY01" : "CY03", err, "%s(LPSTR %s) cannot replace the file: %d", FunctionName(d),
                     job.path, static_cast<int>(err));
        return job.Abandon();
    }
    return 0;
}

int WritePopped(Job &job, const char *code, int popped) {
    return T_WriteFile(code, job.out, job.buf, static_cast<uint32_t>(popped));
}

// Pops until the envelope holds nothing ready and writes it; the pop's status.
int PopAll(Job &job, const char *code, bool *writeFailed) {
    for (;;) {
        int popped = 0;
        int rc = cryptPopData(job.env, job.buf, kPop, &popped);
        if (rc != CRYPT_OK || popped == 0)
            return rc;
        if (WritePopped(job, code, popped) != 0) {
            *writeFailed = true;
            return CRYPT_OK;
        }
    }
}

// How reading an envelope went: on, or ended by damaged data or by anything else.
enum Outcome { GOING, DAMAGED, ABANDONED };

// A damaged envelope is logged, the run abandoned and the user told.
int Damaged(Job &job, const char *path) {
    ML_WriteLogF("CY08", 0, "doencryptMyFile(filename=%s) bad data format, abort!", path);
    job.Abandon();
    char text[400];
    snprintf(text, sizeof text, "cannot decrypt %s, for details open logfile", path);
    UI_MessageBox(text, "Error", UI_MB_OK);
    return -1;
}

int Stop(Job &job, const char *path, Outcome o) { return o == DAMAGED ? Damaged(job, path) : job.Abandon(); }

// Pushes one block of the envelope, asking for the password when the envelope
// wants it and writing out what is ready after every push.
Outcome PushEnvelopeBlock(Job &job, const char *path, const char *password, uint32_t n, bool *recognised) {
    uint32_t done = 0;
    while (done < n) {
        int taken = 0;
        int rc = cryptPushData(job.env, job.block + done, static_cast<int>(n - done), &taken);
        if (rc == CRYPT_ENVELOPE_RESOURCE) {
            rc = cryptSetAttributeString(job.env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password)));
            if (rc == CRYPT_ERROR_WRONGKEY || (rc != CRYPT_OK && rc != CRYPT_ERROR_BADDATA)) {
                ML_WriteLogF("CY06", 0, "doencryptMyFile(filename=%s) password not valid, abort!", path);
                return ABANDONED;
            }
        }
        if (rc == CRYPT_ERROR_BADDATA) {
            // Refused from the start it is no envelope; refused later, a damaged one.
            if (*recognised)
                return DAMAGED;
            ML_WriteLogF("CY05", 0, "doencryptMyFile(filename=%s) file ist possible not crypted, abort!", path);
            return ABANDONED;
        }
        if (rc != CRYPT_OK && rc != CRYPT_ENVELOPE_RESOURCE && taken == 0)
            return DAMAGED;
        if (taken > 0)
            *recognised = true;
        done += static_cast<uint32_t>(taken);
        // Make room: hand out what is ready after every push.
        bool writeFailed = false;
        rc = PopAll(job, "CY02", &writeFailed);
        if (rc == CRYPT_ERROR_BADDATA)
            return DAMAGED;
        if (writeFailed)
            return ABANDONED;
    }
    return GOING;
}

// Flushes the envelope and writes out the rest of the plain text.
Outcome FlushEnvelope(Job &job) {
    for (;;) {
        // A broken or cut envelope shows at the end: never taken for the whole file.
        if (cryptFlushData(job.env) != CRYPT_OK)
            return DAMAGED;
        int popped = 0;
        if (cryptPopData(job.env, job.buf, kPop, &popped) != CRYPT_OK)
            return DAMAGED;
        if (popped == 0)
            return GOING;
        if (WritePopped(job, "CY03", popped) != 0)
            return ABANDONED;
    }
}
} // namespace

int docryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet) {
    Job job;
    job.path = path;
    if (OpenBoth(job, ENCRYPT, NPWYESNO) != 0)
        return job.Abandon();
    uint64_t size = 0;
    PL_GetFileSize(job.in, &size);
    Progress bar;
    bar.Start(path, size, progress, quiet);

    int made = cryptCreateEnvelope(&job.env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB);
    job.haveEnv = made == CRYPT_OK;
    if (made == CRYPT_OK)
        made = cryptSetAttribute(job.env, CRYPT_ATTRIBUTE_BUFFERSIZE, kPop);
    if (made == CRYPT_OK)
        made = cryptSetAttribute(job.env, CRYPT_OPTION_ENCR_ALGO, CY_GetCryptAlgo(CY_Options().cryptAlgo));
    if (made == CRYPT_OK && NPWYESNO == NPWYESNO_YES)
        made = cryptSetAttributeString(job.env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password)));
    if (made != CRYPT_OK) {
        ML_WriteLogF("CY06", 0, "docryptMyFile(LPSTR %s) envelope error: %d", path, made);
        return job.Abandon();
    }

    bool pushed = false;
    for (;;) {
        uint32_t read = 0;
        if (ReadBlock(job, &read) != 0) {
            ML_WriteLogF("CY06", PL_GetLastError(), "docryptMyFile(LPSTR %s) read error", path);
            return job.Abandon();
        }
        if (read == 0)
            break;
        for (uint32_t at = 0; at < read; at += kChunk) {
            uint32_t n = read - at < kChunk ? read - at : kChunk;
            bar.Read(n);
            int taken = 0;
            int rc = cryptPushData(job.env, job.block + at, static_cast<int>(n), &taken);
            pushed = true;
            if (rc != CRYPT_OK || static_cast<uint32_t>(taken) != n) {
                ML_WriteLogF("CY06", 0, "docryptMyFile(LPSTR %s) [filesize=%d,lpread=%d] cryptPopData error: %d",
                             path, static_cast<int>(size), static_cast<int>(n), rc);
                return job.Abandon();
            }
        }
        bool writeFailed = false;
        int rc = PopAll(job, "CY00", &writeFailed);
        if (rc != CRYPT_OK) {
            ML_WriteLogF("CY06", 0, "docryptMyFile(LPSTR %s) [filesize=%d,lpread=%d] cryptPopData error: %d", path,
                         static_cast<int>(size), static_cast<int>(read), rc);
            return job.Abandon();
        }
        if (writeFailed)
            return job.Abandon();
    }
    if (pushed) {
        for (;;) {
            int rc = cryptFlushData(job.env);
            int popped = 0;
            if (rc == CRYPT_OK)
                rc = cryptPopData(job.env, job.buf, kPop, &popped);
            if (rc != CRYPT_OK) {
                ML_WriteLogF("CY07", 0, "docryptMyFile(LPSTR %s) cryptPopData error: %d", path, rc);
                return job.Abandon();
            }
            if (popped == 0)
                break;
            if (WritePopped(job, "CY01", popped) != 0)
                return job.Abandon();
        }
    }
    if (progress == 1)
        UI_ProgressClose();
    if (Replace(job, ENCRYPT) != 0)
        return -1;
    if (quiet != 1 && CY_Options().logCryptedFiles)
        ML_WriteCryptLog(path);
    return 0;
}

int doencryptMyFile(const char *path, const char *password, int NPWYESNO, int progress, int quiet) {
    Job job;
    job.path = path;
    if (OpenBoth(job, DECRYPT, NPWYESNO) != 0)
        return job.Abandon();
    uint64_t size = 0;
    PL_GetFileSize(job.in, &size);
    Progress bar;
    bar.Start(path, size, progress, quiet);

    job.haveEnv = cryptCreateEnvelope(&job.env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO) == CRYPT_OK;
    if (!job.haveEnv) {
        ML_WriteLogF("CY06", 0, "doencryptMyFile(filename=%s) envelope error", path);
        return job.Abandon();
    }

    bool pushed = false, recognised = false;
    for (;;) {
        uint32_t n = 0;
        if (ReadBlock(job, &n) != 0)
            return Damaged(job, path);
        if (n == 0)
            break;
        for (uint32_t at = 0; at < n; at += kChunk)
            bar.Read(n - at < kChunk ? n - at : kChunk);
        pushed = true;
        Outcome o = PushEnvelopeBlock(job, path, password, n, &recognised);
        if (o != GOING)
            return Stop(job, path, o);
    }
    if (pushed) {
        Outcome o = FlushEnvelope(job);
        if (o != GOING)
            return Stop(job, path, o);
    }
    return Replace(job, DECRYPT);
}
