#include "config/settings.h"

#include "config/inifile.h"
#include "frame/trace.h"
#include "frame/version.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

SETTINGS Settings;

namespace {
// Every value that is not a path is read through one work buffer of this size.
const uint32_t kWorkSize = 100;

struct READER {
    char work[kWorkSize];

    // The stored text, cut to 99 characters; answers its length.
    uint32_t Text(const char *key) {
        return II_GetStringN(II_SECTION_OPTIONS, key, work, sizeof work, INI_FILE_SETTINGS);
    }
    // A flag is true only for exactly "yes".
    bool Flag(const char *key) {
        Text(key);
        return strcmp(work, "yes") == 0;
    }
    // An integer; a missing or empty key gives the default.
    int32_t Int(const char *key, int32_t missing) { return Text(key) == 0 ? missing : II_ParseInt(work); }
    void Path(const char *key, char *field) { II_GetString(II_SECTION_OPTIONS, key, field, INI_FILE_SETTINGS); }
};

int32_t OneOf(int32_t v, std::initializer_list<int32_t> allowed, int32_t otherwise) {
    for (int32_t a : allowed)
        if (v == a)
            return v;
    return otherwise;
}
} // namespace

int32_t II_ParseInt(const char *text) {
    if (!text)
        return 0;
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    int64_t v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > 2147483648LL)
            v = 2147483648LL; // saturated; more digits change nothing
    }
    if (negative)
        return static_cast<int32_t>(-v);
    return v > 2147483647LL ? 2147483647 : static_cast<int32_t>(v);
}

void II_LoadSettings() {
    READER r;
    SETTINGS &s = Settings;
    r.Path("SafePath", s.SafePath);
    s.OpenLastSafe = r.Flag("OpenLastSafe");
    r.Path("BackupPath", s.BackupPath);
    r.Path("PDA_Path", s.PDA_Path);
    s.AutoBackup = r.Flag("AutoBackup");
    s.BackupGenerations = r.Int("BackupGenerations", II_DEF_BACKUPGENERATIONS);
    if (s.BackupGenerations < 1 || s.BackupGenerations > 9)
        s.BackupGenerations = II_DEF_BACKUPGENERATIONS;
    s.TrayOnClose = r.Flag("TrayOnClose");
    s.TrayOnMinimize = r.Flag("TrayOnMinimize");
    s.StayInForeground = r.Flag("StayInForeground");
    s.StartMinimized = r.Flag("StartMinimized");
    s.TimeOut = r.Flag("TimeOut");
    s.TimeOutClose = r.Flag("TimeOutClose");
    // Checked against TimeOut, which is read before it.
    uint32_t len = r.Text("TimeOutMinutes");
    if (len == 0 || len > 3)
        s.TimeOutMinutes = II_DEF_TIMEOUTMINUTES;
    else {
        s.TimeOutMinutes = II_ParseInt(r.work);
        if (s.TimeOutMinutes == 0)
            s.TimeOutMinutes = s.TimeOut ? II_DEF_TIMEOUTMINUTES : 0;
    }
    s.LViewBKColor = r.Int("LViewBKColor", II_DEF_LVIEWBKCOLOR);
    s.TViewBKColor = r.Int("TViewBKColor", II_DEF_TVIEWBKCOLOR);
    // Only the sizes the options offer: any other would size the image lists at will.
    s.IconSize = OneOf(r.Int("IconSize", II_DEF_ICONSIZE), {16, 24, 32}, II_DEF_ICONSIZE);
    r.Path("Skinfile", s.Skinfile);
    s.Tracelevel = r.Int("Tracelevel", 0);
    s.MemoryTest = r.Flag("MemoryTest");
    s.LogCryptedFiles = r.Flag("LogCryptedFiles");
    s.CryptAlgo = OneOf(r.Int("CryptAlgo", II_DEF_CRYPTALGO), {4, 8, 9, 10}, II_DEF_CRYPTALGO);
    s.QWShowFolder = r.Flag("QWShowFolder");
    s.QWMinimizeTime = r.Int("QWMinimizeTime", II_DEF_QWMINIMIZETIME);
    s.QWUrlQuickLink = r.Flag("QWUrlQuickLink");
    s.NOTE_HideOnStart = r.Flag("NOTE_HideOnStart");
    s.NOTE_Confirm2Delete = r.Flag("NOTE_Confirm2Delete");
    r.Path("NoteAlertSoundFile", s.NoteAlertSoundFile);

    II_GetStringN(II_SECTION_SETTINGS, "CryptWindowActive", r.work, sizeof r.work, INI_FILE_SETTINGS);
    s.CryptWindowActive = strcmp(r.work, "yes") == 0;
}

void II_ReadSettings() {
    II_LoadSettings();
    dwTraceLevel = static_cast<uint32_t>(Settings.Tracelevel);
    TRACE(TRACE_BASIC, "II_B_00", "SAFEPATH = %s", Settings.SafePath);
    TRACE(TRACE_BASIC, "II_B_01", "OPENLASTSAFE = %d", Settings.OpenLastSafe ? 1 : 0);
    char version[16];
    snprintf(version, sizeof version, "%d.%d", PGM_VERSION_MAJOR, PGM_VERSION_MINOR);
    II_PutString(II_SECTION_SETTINGS, "Version", version, INI_FILE_SETTINGS);
}

int II_PutFlag(const char *section, const char *key, bool value) {
    return II_PutString(section, key, value ? "yes" : "no", INI_FILE_SETTINGS);
}

int II_PutInt(const char *section, const char *key, int32_t value) {
    char text[16];
    snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return II_PutString(section, key, text, INI_FILE_SETTINGS);
}
