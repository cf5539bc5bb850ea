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

#include "crypto/crypt_codes.h"

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
