// The envelope engine: cryptlib's calls and numbers for password-based
// envelopes, over libgcrypt. Envelopes are standard CMS (RFC 5652), so any CMS
// tool can open what we write:
//   - with a password: ContentInfo(envelopedData), EnvelopedData version 3 with
//     one PasswordRecipientInfo (RFC 3211): PBKDF2 with hmacWithSHA256, a 16-byte
//     salt and 1,000,000 iterations, id-alg-PWRI-KEK over the content cipher, a
//     fresh content key per envelope, CBC with PKCS #7 padding;
//   - without one: ContentInfo(data) around the bytes;
//   - with CRYPT_ENVINFO_DATASIZE definite lengths (DER), without it BER
//     indefinite lengths with the content in segments, so that pushing and
//     popping in turn needs memory independent of the data's size.
// De-enveloping (CRYPT_FORMAT_AUTO) reads all that, what OpenSSL's cms command
// writes with -pwri_password, and what cryptlib itself wrote (version 0,
// hmacWithSHA1, 8-byte salts, 3DES, Blowfish under its older identifier, CAST5
// parameters with a key length, the key-encryption algorithm not wrapped in
// id-alg-PWRI-KEK).
//
// Using it to open an envelope: push the bytes; a push that reaches the
// password recipient answers CRYPT_ENVELOPE_RESOURCE and says how many bytes it
// took (all it could hold). Setting CRYPT_ENVINFO_PASSWORD then derives the key
// and unwraps the content key at once: CRYPT_ERROR_WRONGKEY leaves the envelope
// waiting for another password. An envelope without a key opens without one.
// Data that is not an envelope is refused by the push (CRYPT_ERROR_BADDATA);
// damage found later (bad padding, a broken or truncated stream) answers
// CRYPT_ERROR_BADDATA at the next pop or flush, and at every call after it.
// Flushing says that no more data comes.
//
// Pushed data is taken only as far as the envelope's buffer allows when
// CRYPT_ATTRIBUTE_BUFFERSIZE was set (bytes waiting in the envelope count; a
// reader's buffer never drops below what one header element needs), and when
// enveloping no further than CRYPT_ENVINFO_DATASIZE announced; otherwise all of
// it is taken. A push that can take nothing answers CRYPT_ERROR_OVERFLOW.
// Popping hands out what is ready (possibly nothing).
//
// Key derivation: one random salt per password per program run for what we
// write, and the derived keys of the current password kept (wiped at cryptEnd
// and when another password proves right): a safe's envelopes cost one
// derivation to write and one to open. crypto/kdf.h counts derivations.
//
// Single-threaded, like the program. Every call except cryptInit answers
// CRYPT_ERROR_NOTINITED before cryptInit.
#pragma once

typedef int CRYPT_HANDLE;
typedef int CRYPT_ENVELOPE;
typedef int CRYPT_USER;
typedef int CRYPT_FORMAT_TYPE;
typedef int CRYPT_ATTRIBUTE_TYPE;
typedef int CRYPT_ALGO_TYPE;

enum : int {
    CRYPT_UNUSED = -11, // no user object
};

enum : int {
    CRYPT_FORMAT_AUTO = 1,     // de-envelope: whatever the data is
    CRYPT_FORMAT_CRYPTLIB = 2, // envelope
};

enum : int {
    CRYPT_ATTRIBUTE_BUFFERSIZE = 14, // the envelope's buffer in bytes (1,024 .. 2^30)
    CRYPT_OPTION_ENCR_ALGO = 106,    // the cipher an envelope is written with (default AES)
    CRYPT_ENVINFO_DATASIZE = 5001,   // the number of bytes that will be pushed
    CRYPT_ENVINFO_PASSWORD = 5008,   // the password (1 .. 255 bytes)
};

enum : int {
    CRYPT_ALGO_3DES = 2, // read only
    CRYPT_ALGO_CAST = 4,
    CRYPT_ALGO_AES = 8,
    CRYPT_ALGO_BLOWFISH = 9,
    CRYPT_ALGO_SKIPJACK = 10,
};

enum : int {
    CRYPT_OK = 0,
    CRYPT_ERROR_PARAM1 = -1, // bad argument 1 (a handle unknown or of the wrong kind) .. 4
    CRYPT_ERROR_PARAM2 = -2,
    CRYPT_ERROR_PARAM3 = -3,
    CRYPT_ERROR_PARAM4 = -4,
    CRYPT_ERROR_MEMORY = -10,
    CRYPT_ERROR_NOTINITED = -11,
    CRYPT_ERROR_INITED = -12, // the attribute can no longer change
    CRYPT_ERROR_FAILED = -15,
    CRYPT_ERROR_NOTAVAIL = -20, // an algorithm we do not write
    CRYPT_ERROR_WRONGKEY = -22,
    CRYPT_ERROR_COMPLETE = -24, // data after the envelope was flushed
    CRYPT_ERROR_OVERFLOW = -30, // no room to take data, or more data than DATASIZE announced
    CRYPT_ERROR_UNDERFLOW = -31, // flushed before DATASIZE bytes were pushed
    CRYPT_ERROR_BADDATA = -32,
    CRYPT_ENVELOPE_RESOURCE = -50, // the envelope needs the password
};

int cryptInit();
// Destroys every envelope and wipes every key and password the engine holds.
int cryptEnd();

int cryptCreateEnvelope(CRYPT_ENVELOPE *envelope, CRYPT_USER cryptUser, CRYPT_FORMAT_TYPE formatType);
int cryptDestroyEnvelope(CRYPT_ENVELOPE envelope);
int cryptSetAttribute(CRYPT_HANDLE cryptHandle, CRYPT_ATTRIBUTE_TYPE attributeType, int value);
int cryptSetAttributeString(CRYPT_HANDLE cryptHandle, CRYPT_ATTRIBUTE_TYPE attributeType,
                            const void *value, int valueLength);
int cryptPushData(CRYPT_ENVELOPE envelope, const void *buffer, int length, int *bytesCopied);
int cryptFlushData(CRYPT_ENVELOPE envelope);
int cryptPopData(CRYPT_ENVELOPE envelope, void *buffer, int length, int *bytesCopied);
