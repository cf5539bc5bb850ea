// The three logs in the program directory: program log, crypt log, trace log.
// Each line opens, appends to and closes its file; a log past 1,000,000 bytes
// starts again empty.
#pragma once

#include <cstdint>

#define MAX_PGM_DIR 261
extern char szProgramDir[MAX_PGM_DIR]; // set once at start

// The system's text for an error number without its closing period and line end;
// a static buffer the next call overwrites.
const char *T_GetSystemMessage(uint32_t errorNumber);
void ML_WriteLog(const char *code, const char *text, uint32_t errorNumber);
// ML_WriteLog of a text formatted from printf fields.
void ML_WriteLogF(const char *code, uint32_t errorNumber, const char *format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 3, 4)))
#endif
    ;
void ML_WriteCryptLog(const char *fileName);
void ML_WriteTrace(const char *tag, const char *text);

#define LOG_NAME_PROGRAM "\\orvsafe.log"
#define LOG_NAME_CRYPT "\\orvcrypt.log"
#define LOG_NAME_TRACE "\\orvtrace.log"
#define LOG_MAX_SIZE 1000000u
