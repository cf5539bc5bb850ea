// The settings record: one field per key of the settings file, filled once at
// start by II_ReadSettings and afterwards changed only by the options sheet and
// the few writers of program state. Every part of the program reads it directly.
#pragma once

#include <cstdint>

#define II_SECTION_OPTIONS "Options"
#define II_SECTION_SETTINGS "Settings"
#define II_PATH_SIZE 260 // path buffers, terminator included

// Values taken when a key is missing or empty (and for values out of range).
#define II_DEF_BACKUPGENERATIONS 5
#define II_DEF_TIMEOUTMINUTES 10
#define II_DEF_LVIEWBKCOLOR 0xF3FFFF
#define II_DEF_TVIEWBKCOLOR 0xFFFFFF
#define II_DEF_ICONSIZE 24
#define II_DEF_CRYPTALGO 8
#define II_DEF_QWMINIMIZETIME 15

struct SETTINGS {
    // section "Options"
    char SafePath[II_PATH_SIZE];
    bool OpenLastSafe;
    char BackupPath[II_PATH_SIZE];
    char PDA_Path[II_PATH_SIZE];
    bool AutoBackup;
    int32_t BackupGenerations; // 1 to 9
    bool TrayOnClose;
    bool TrayOnMinimize;
    bool StayInForeground;
    bool StartMinimized;
    bool TimeOut;      // on inactivity hide the program in the tray
    bool TimeOutClose; // on inactivity close the safe
    int32_t TimeOutMinutes;
    int32_t LViewBKColor; // colour reference 0x00BBGGRR
    int32_t TViewBKColor;
    int32_t IconSize;
    char Skinfile[II_PATH_SIZE];
    int32_t Tracelevel; // also set as dwTraceLevel
    bool MemoryTest;
    bool LogCryptedFiles;
    int32_t CryptAlgo; // 4 CAST-128, 8 AES, 9 Blowfish, 10 Skipjack
    bool QWShowFolder;
    int32_t QWMinimizeTime; // seconds
    bool QWUrlQuickLink;
    bool NOTE_HideOnStart;
    bool NOTE_Confirm2Delete;
    char NoteAlertSoundFile[II_PATH_SIZE];
    // section "Settings"
    bool CryptWindowActive;
};

extern SETTINGS Settings;

// Fills Settings from section "Options" and CryptWindowActive of section
// "Settings", sets the trace mask from Tracelevel and writes Version.
void II_ReadSettings();
// Fills Settings alone: nothing is written and the trace mask stays.
void II_LoadSettings();

// A number as the settings file holds it: leading blanks skipped, an optional
// sign, then digits up to the first other character; no digits give 0, a number
// beyond 32 bits gives the nearest 32-bit value.
int32_t II_ParseInt(const char *text);

// Writers of the two value kinds: a flag as "yes" or "no", an integer as "%d".
int II_PutFlag(const char *section, const char *key, bool value);
int II_PutInt(const char *section, const char *key, int32_t value);
