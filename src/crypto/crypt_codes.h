// cryptlib's numbers: the handle types, attributes, algorithms and status codes
// of the envelope calls (crypto/cryptlib.h), shared with the envelope reader and
// writer behind them.
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
