#include "support/cms_builder.h"

#include "crypto/cipher.h"
#include "crypto/skipjack.h"

#include <gcrypt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace testsupport {

namespace {
Bytes Length(uint64_t n) {
    if (n < 0x80)
        return Bytes(1, static_cast<char>(n));
    Bytes v;
    while (n) {
        v.insert(v.begin(), static_cast<char>(n & 0xFF));
        n >>= 8;
    }
    return Bytes(1, static_cast<char>(0x80 | v.size())) + v;
}

void Fatal(const char *what) {
    fprintf(stderr, "cms_builder: %s\n", what);
    abort();
}

// The library is set up once per process, and as the program sets it up.
void InitGcrypt() {
    if (CI_InitLibrary() != 0)
        Fatal("libgcrypt");
}

// CBC encryption that keeps chaining across calls, as the key wrap needs.
struct Cbc {
    gcry_cipher_hd_t h = nullptr;
    SJ_KEY sj;
    uint8_t iv[16];
    size_t bs;
    Cbc(const CmsSample &spec, const Bytes &key, const Bytes &ivIn) : bs(spec.blockSize) {
        if (spec.gcryAlgo) {
            if (gcry_cipher_open(&h, spec.gcryAlgo, GCRY_CIPHER_MODE_CBC, 0))
                Fatal("cipher open");
            gcry_error_t e = gcry_cipher_setkey(h, key.data(), key.size());
            if (e && gcry_err_code(e) != GPG_ERR_WEAK_KEY)
                Fatal("setkey");
            gcry_cipher_setiv(h, ivIn.data(), ivIn.size());
        } else {
            SJ_SetKey(&sj, reinterpret_cast<const uint8_t *>(key.data()));
            memcpy(iv, ivIn.data(), 8);
        }
    }
    ~Cbc() {
        if (h)
            gcry_cipher_close(h);
    }
    void Encrypt(Bytes &b) {
        if (h) {
            if (gcry_cipher_encrypt(h, &b[0], b.size(), nullptr, 0))
                Fatal("encrypt");
            return;
        }
        uint8_t *p = reinterpret_cast<uint8_t *>(&b[0]);
        for (size_t i = 0; i < b.size(); i += 8) {
            for (int j = 0; j < 8; ++j)
                p[i + j] ^= iv[j];
            SJ_EncryptBlock(&sj, p + i, p + i);
            memcpy(iv, p + i, 8);
        }
    }
};

Bytes Params(const CmsSample &spec, const Bytes &iv) {
    switch (spec.params) {
    case CMS_PARAMS_IV: return DerOctets(iv);
    case CMS_PARAMS_SEQ_IV: return Der(0x30, DerOctets(iv));
    case CMS_PARAMS_SEQ_IV_KEYBITS: return Der(0x30, DerOctets(iv) + DerInt(spec.cekLen * 8));
    }
    return Bytes();
}
} // namespace

Bytes Der(uint8_t tag, const Bytes &content) { return Bytes(1, static_cast<char>(tag)) + Length(content.size()) + content; }

Bytes Ber(uint8_t tag, const Bytes &content) {
    return Bytes(1, static_cast<char>(tag)) + Bytes("\x80", 1) + content + Bytes(2, '\0');
}

Bytes DerInt(uint64_t value) {
    Bytes v;
    do {
        v.insert(v.begin(), static_cast<char>(value & 0xFF));
        value >>= 8;
    } while (value);
    if (static_cast<uint8_t>(v[0]) & 0x80)
        v.insert(v.begin(), '\0');
    return Der(0x02, v);
}

Bytes DerOid(const char *dotted) {
    std::vector<uint64_t> arcs;
    const char *p = dotted;
    while (*p) {
        char *end = nullptr;
        arcs.push_back(strtoull(p, &end, 10));
        p = *end == '.' ? end + 1 : end;
    }
    Bytes v;
    std::vector<uint64_t> sub = {arcs[0] * 40 + arcs[1]};
    sub.insert(sub.end(), arcs.begin() + 2, arcs.end());
    for (uint64_t a : sub) {
        Bytes enc(1, static_cast<char>(a & 0x7F));
        for (a >>= 7; a; a >>= 7)
            enc.insert(enc.begin(), static_cast<char>(0x80 | (a & 0x7F)));
        v += enc;
    }
    return Der(0x06, v);
}

Bytes DerOctets(const Bytes &value) { return Der(0x04, value); }
Bytes DerNull() { return Bytes("\x05\x00", 2); }

Bytes FromHex(const char *hex) {
    Bytes out;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        char pair[3] = {hex[i], hex[i + 1], 0};
        out += static_cast<char>(strtoul(pair, nullptr, 16));
    }
    return out;
}

std::string ToHex(const Bytes &bytes) {
    std::string s;
    char h[3];
    for (unsigned char c : bytes) {
        snprintf(h, sizeof h, "%02x", c);
        s += h;
    }
    return s;
}

Bytes PatternBytes(size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    Bytes b(n, '\0');
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<char>(gen() & 0xFF);
    return b;
}

Bytes MakePasswordEnvelope(const CmsSample &spec, const std::string &password, const Bytes &plain) {
    InitGcrypt();
    Bytes salt = PatternBytes(spec.saltLen, 7);
    Bytes cek = PatternBytes(spec.cekLen, 11);
    Bytes kekIv = PatternBytes(spec.blockSize, 13);
    Bytes contentIv = PatternBytes(spec.blockSize, 17);
    const bool sha256 = spec.prfOid && strcmp(spec.prfOid, "1.2.840.113549.2.9") == 0;
    if (spec.prfOid && !sha256)
        Fatal("prf");

    Bytes kek(spec.kekLen, '\0');
    if (gcry_kdf_derive(password.data(), password.size(), GCRY_KDF_PBKDF2, sha256 ? GCRY_MD_SHA256 : GCRY_MD_SHA1,
                        salt.data(), salt.size(), spec.iterations, kek.size(), &kek[0]))
        Fatal("pbkdf2");

    // RFC 3211: length, check bytes, key, padding; encrypted twice in one chain.
    size_t bs = spec.blockSize;
    Bytes wrappedKey = spec.wrappedKeyLen ? PatternBytes(spec.wrappedKeyLen, 11) : cek;
    size_t n = (wrappedKey.size() + 4 + bs - 1) / bs * bs;
    if (n < 2 * bs)
        n = 2 * bs;
    Bytes block(1, static_cast<char>(wrappedKey.size()));
    for (int i = 0; i < 3; ++i)
        block += static_cast<char>(~wrappedKey[i]);
    block += wrappedKey;
    block += PatternBytes(n - block.size(), 19);
    {
        Cbc c(spec, kek, kekIv);
        c.Encrypt(block);
        c.Encrypt(block);
    }

    // Content: CBC with PKCS #7 padding.
    Bytes content = plain;
    size_t pad = bs - content.size() % bs;
    content.append(pad, static_cast<char>(pad));
    {
        Cbc c(spec, cek, contentIv);
        c.Encrypt(content);
    }

    Bytes pbkdf2Params = DerOctets(salt) + DerInt(spec.claimedIterations ? spec.claimedIterations : spec.iterations);
    if (spec.writeKeyLength)
        pbkdf2Params += DerInt(spec.kekLen);
    if (spec.prfOid)
        pbkdf2Params += Der(0x30, DerOid(spec.prfOid) + DerNull());
    Bytes kdAlg = Der(0xA0, DerOid("1.2.840.113549.1.5.12") + Der(0x30, pbkdf2Params));
    Bytes cipherAlg = Der(0x30, DerOid(spec.cipherOid) + Params(spec, kekIv));
    Bytes keAlg = spec.pwriKekWrapper ? Der(0x30, DerOid("1.2.840.113549.1.9.16.3.9") + cipherAlg) : cipherAlg;
    Bytes pwri;
    for (int i = 0; i < spec.recipients; ++i)
        pwri += Der(0xA3, DerInt(0) + kdAlg + keAlg + DerOctets(block));
    Bytes contentAlg = Der(0x30, DerOid(spec.cipherOid) + Params(spec, contentIv));

    if (!spec.indefinite) {
        Bytes eci = Der(0x30, DerOid("1.2.840.113549.1.7.1") + contentAlg + Der(0x80, content));
        Bytes ed = Der(0x30, DerInt(spec.envelopedVersion) + Der(0x31, pwri) + eci);
        return Der(0x30, DerOid("1.2.840.113549.1.7.3") + Der(0xA0, ed));
    }
    Bytes segments;
    for (size_t i = 0; i < content.size(); i += spec.segment)
        segments += DerOctets(content.substr(i, spec.segment));
    Bytes eci = Ber(0x30, DerOid("1.2.840.113549.1.7.1") + contentAlg + Ber(0xA0, segments));
    Bytes ed = Ber(0x30, DerInt(spec.envelopedVersion) + Der(0x31, pwri) + eci);
    return Ber(0x30, DerOid("1.2.840.113549.1.7.3") + Ber(0xA0, ed));
}

Bytes MakeDataEnvelope(const Bytes &plain, bool indefinite) {
    if (!indefinite)
        return Der(0x30, DerOid("1.2.840.113549.1.7.1") + Der(0xA0, DerOctets(plain)));
    Bytes segments;
    for (size_t i = 0; i < plain.size(); i += 1000)
        segments += DerOctets(plain.substr(i, 1000));
    return Ber(0x30, DerOid("1.2.840.113549.1.7.1") + Ber(0xA0, Ber(0x24, segments)));
}

} // namespace testsupport
