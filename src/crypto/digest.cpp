#include "crypto/digest.h"

#include "crypto/cipher.h"
#include "platform/platform.h"

#include <cstring>
#include <gcrypt.h>

int CY_FileDigest(const char *path, uint8_t digest[CY_DIGEST_SIZE], uint64_t *size) {
    if (CI_InitLibrary() != 0)
        return -1;
    PL_HANDLE h = PL_CreateFile(path, PL_GENERIC_READ, PL_SHARE_READ | PL_SHARE_WRITE, PL_OPEN_EXISTING, 0);
    if (!h)
        return -1;
    gcry_md_hd_t md = nullptr;
    int rc = gcry_md_open(&md, GCRY_MD_SHA256, 0) == 0 ? 0 : -1;
    uint8_t buf[16384];
    uint32_t got = 0;
    *size = 0;
    while (rc == 0) {
        if (PL_ReadFile(h, buf, sizeof buf, &got) != 0)
            rc = -1;
        else if (got == 0)
            break;
        else {
            gcry_md_write(md, buf, got);
            *size += got;
        }
    }
    // The safe's names stand in its file in clear: what was read is wiped.
    PL_SecureZero(buf, sizeof buf);
    if (rc == 0)
        memcpy(digest, gcry_md_read(md, GCRY_MD_SHA256), CY_DIGEST_SIZE);
    gcry_md_close(md);
    PL_CloseHandle(h);
    return rc;
}
