#include "crypto/data_envelope.h"

#include "crypto/cryptlib.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>

namespace {
CY_OptionsSource optionsSource = nullptr;
}

void CY_SetOptionsSource(CY_OptionsSource source) {
    optionsSource = source;
}

CY_OPTIONS CY_Options() {
    return optionsSource ? optionsSource() : CY_OPTIONS{CRYPT_ALGO_AES, false};
}

int CY_GetCryptAlgo(int32_t cryptAlgo) {
    switch (cryptAlgo) {
    case CRYPT_ALGO_CAST:
    case CRYPT_ALGO_AES:
    case CRYPT_ALGO_BLOWFISH:
    case CRYPT_ALGO_SKIPJACK: return cryptAlgo;
    default: return CRYPT_ALGO_AES;
    }
}

int docryptMyData(const void *data, uint32_t length, const char *password, int NPWYESNO, CRYPTRESULT *result) {
    // Room for the envelope's own bytes and the rounding up to whole cipher blocks.
    uint32_t outSize = 4 * length + 500;
    char *out = static_cast<char *>(T_Malloc("CY_M_00", outSize));
    if (!out)
        return -1;
    CRYPT_ENVELOPE env = 0;
    int rc = cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_CRYPTLIB);
    const bool haveEnv = rc == CRYPT_OK;
    if (rc == CRYPT_OK && NPWYESNO == NPWYESNO_YES)
        rc = cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password)));
    if (rc == CRYPT_OK)
        rc = cryptSetAttribute(env, CRYPT_OPTION_ENCR_ALGO, CY_GetCryptAlgo(CY_Options().cryptAlgo));
    if (rc == CRYPT_OK)
        rc = cryptSetAttribute(env, CRYPT_ENVINFO_DATASIZE, static_cast<int>(length));
    // Pushed in pieces, each popped at once into the output block: the envelope
    // then never holds the whole text twice over. With the size announced the
    // bytes are the same as from one push.
    const uint32_t kPiece = 256 * 1024;
    uint32_t accepted = 0, popped = 0;
    while (rc == CRYPT_OK && accepted < length) {
        uint32_t piece = length - accepted < kPiece ? length - accepted : kPiece;
        int taken = 0, n = 0;
        rc = cryptPushData(env, static_cast<const char *>(data) + accepted, static_cast<int>(piece), &taken);
        accepted += static_cast<uint32_t>(taken);
        if (rc == CRYPT_OK)
            rc = cryptPopData(env, out + popped, static_cast<int>(outSize - popped), &n);
        popped += static_cast<uint32_t>(n);
        if (static_cast<uint32_t>(taken) != piece)
            break;
    }
    int n = 0;
    if (rc == CRYPT_OK && accepted == length)
        rc = cryptFlushData(env);
    if (rc == CRYPT_OK && accepted == length)
        rc = cryptPopData(env, out + popped, static_cast<int>(outSize - popped), &n);
    if (haveEnv)
        cryptDestroyEnvelope(env); // nothing is left to the library's shutdown
    if (rc != CRYPT_OK || accepted != length) {
        char *msg = static_cast<char *>(T_Malloc("CY_M_02", 255));
        if (msg) {
            snprintf(msg, 255, "docryptMyData(DATA %x, DATALENGTH %d, NPWYESNO %d) crypt err",
                     static_cast<unsigned>(reinterpret_cast<uintptr_t>(data)), static_cast<int>(length), NPWYESNO);
            ML_WriteLog("CY04", msg, 0);
            T_Free("CY_F_04", msg);
        }
        T_Free("CY_F_00", out);
        UI_MessageBox("Crypt failed", "Error", UI_MB_OK);
        return -1;
    }
    result->lpData = out;
    result->nLength = popped + static_cast<uint32_t>(n);
    return 0;
}

int CY_DecryptData(void *output, uint32_t outputSize, const char *password, void *input, uint32_t inputLength) {
    memset(output, 0, outputSize);
    CRYPT_ENVELOPE env = 0;
    int rc = cryptCreateEnvelope(&env, CRYPT_UNUSED, CRYPT_FORMAT_AUTO);
    const bool haveEnv = rc == CRYPT_OK;
    int accepted = 0;
    if (haveEnv)
        rc = cryptPushData(env, input, static_cast<int>(inputLength), &accepted);
    // Only an envelope that needs a key is given the password. Data enveloped
    // under a password always asks for it: one that does not was put there by
    // someone who did not know the password.
    bool asked = rc == CRYPT_ENVELOPE_RESOURCE;
    if (asked)
        rc = cryptSetAttributeString(env, CRYPT_ENVINFO_PASSWORD, password, static_cast<int>(strlen(password)));
    if (rc == CRYPT_OK)
        rc = cryptFlushData(env);
    int popped = 0;
    if (rc == CRYPT_OK)
        rc = cryptPopData(env, output, static_cast<int>(outputSize), &popped);
    if (!asked && password && password[0])
        rc = CRYPT_ERROR_BADDATA;
    if (haveEnv)
        cryptDestroyEnvelope(env);
    T_Free("CY_F_01", input);
    if (rc != CRYPT_OK) {
        memset(output, 0, outputSize); // a failed open restores nothing
        return -1;
    }
    return 0;
}
