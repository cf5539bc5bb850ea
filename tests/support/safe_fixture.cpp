#include "support/safe_fixture.h"

#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "model/desktop_profiles.h"
#include "model/list_release.h"
#include "model/notes_list.h"
#include "model/records.h"
#include "store/safe_reader.h"
#include "store/drop_file.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"

#include <cstdio>
#include <cstring>

namespace testsupport {

void ReleaseSafeState() {
    SW_ReleaseSafeLists();
    SW_ForgetDropFileFound();
    SW_ResetSafeState();
    SW_ForgetSafeFile();
}

int ReadSafeFile(const std::string &path, const std::string &password) {
    SW_SetPassword(cTmpPasswort, password.c_str());
    if (SW_OpenSafe(path.c_str()) != 0)
        return -1;
    int rc = SW_ReadSafeHeader();
    if (rc == 0)
        rc = SW_ReadSafeSections(path.c_str());
    SW_SetWorkFile(nullptr);
    return rc;
}

void MakeActive(const std::string &path, const std::string &password) {
    snprintf(cActSafePath, sizeof cActSafePath, "%s", path.c_str());
    ActSafeHeader = SAFEHEADER{};
    ActSafeHeader.nPasswort = password.empty() ? 0 : 1;
    ActSafeControl = SAFECONTROL{};
    strcpy(ActSafeControl.cSafeId, "ORVSAFE");
    SW_SetPassword(cActPasswort, password.c_str());
}

std::string DescribeLists() {
    std::string s;
    char line[600];
    for (ORDNER *o = lpORDNERstart; o; o = o->next) {
        snprintf(line, sizeof line, "O %u %u [%s] [%s] %u %u\n", o->nOrdnerKennung, o->nOrdnerOrder, o->cOrdnerName,
                 o->cIconName, o->nExpanded, o->nCategory);
        s += line;
    }
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next) {
        snprintf(line, sizeof line, "F %u %u %u [%s] %u %u %u\n", f->nOrdnerKennung, f->nFeldIndex, f->nFeldOrder,
                 f->feldname, f->feldtyp, f->feldlaenge, f->drag);
        s += line;
    }
    for (KARTE *k = lpKARTEstart; k; k = k->next) {
        snprintf(line, sizeof line, "K %u %u %u [%s] [%s] %u %u\n", k->nOrdnerKennung, k->nKartenKennung,
                 k->nKartenOrder, k->cKartenName, k->cIconName, k->nExpanded, k->nCategory);
        s += line;
    }
    for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next) {
        snprintf(line, sizeof line, "I %u %u %u [%s]\n", f->nKartenKennung, f->nFeldIndex, f->nFeldLaenge,
                 f->lpFeldInhalt ? f->lpFeldInhalt : "(null)");
        s += line;
    }
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next) {
        snprintf(line, sizeof line, "C %u %u %u [%s] %u %u %u\n", f->KartenKennung, f->FeldIndex, f->FeldOrder,
                 f->FeldName, f->Feldtyp, f->Feldlaenge, f->drag);
        s += line;
    }
    for (NOTIZ *n = lpNOTIZstart; n; n = n->next) {
        snprintf(line, sizeof line, "N %08x %08x %d %d %d %d %u [%.6s] [%.4s] [%s]\n", n->crBackground, n->crText,
                 n->rcWindow.left, n->rcWindow.top, n->rcWindow.right, n->rcWindow.bottom, n->nTextSize,
                 n->szAlarmDate, n->szAlarmTime, n->lpText ? n->lpText : "(null)");
        s += line;
    }
    for (DTOPHEADER *h = lpDTOPHEADERstart; h; h = h->next) {
        snprintf(line, sizeof line, "P %u %u %u [%s] [%s] [%.8s]\n", h->nProfilIndex, h->nWidth, h->nHeight,
                 h->szProfilName, h->szComputerName, h->szCreated);
        s += line;
    }
    for (DESKTOP *d = lpDESKTOPstart; d; d = d->next) {
        snprintf(line, sizeof line, "D %u %u %u %d %d [%s]\n", d->nIndex, d->nProfilIndex, d->nTextLen, d->x, d->y,
                 d->dwIconText ? d->dwIconText : "(null)");
        s += line;
    }
    return s;
}

void SafeTest::SetUp() {
    TempDirTest::SetUp();
    cryptInit(); // once per run; later calls answer that it is running already
    ReleaseSafeState();
    Settings = SETTINGS{};
    Settings.CryptAlgo = 8;
}

void SafeTest::TearDown() {
    ReleaseSafeState();
    TempDirTest::TearDown();
}

} // namespace testsupport
