#include "model/dumps.h"

#include "frame/trace.h"
#include "model/card_view.h"
#include "model/desktop_profiles.h"
#include "model/desktop_records.h"
#include "model/droplist_records.h"
#include "model/records.h"

namespace {
// "=>" marks a list's first record, two blanks the others.
const char *Prefix(int i) { return i == 0 ? "=>" : "  "; }

void DumpFolders(const char *tag, bool full) {
    ML_Trace(tag, "** lpORDNERstart=%08x lpORDNERact=%08x", TRACE_PTR(lpORDNERstart), TRACE_PTR(lpORDNERact));
    int i = 0;
    for (ORDNER *o = lpORDNERstart; o; o = o->next, ++i) {
        if (full)
            ML_Trace(tag,
                     "%s Foldertable (%08x):%02d hOrdnerTree=%08x nOrdnerKennung=%02d nOrdnerOrder=%d "
                     "cOrdnerName=%-30s cIconName=%-20s nExpanded=%d nCategory=%d next=%08x",
                     Prefix(i), TRACE_PTR(o), i, TRACE_PTR(o->hOrdnerTree), o->nOrdnerKennung, o->nOrdnerOrder,
                     o->cOrdnerName, o->cIconName, o->nExpanded, o->nCategory, TRACE_PTR(o->next));
        else
            ML_Trace(tag,
                     "%s Foldertable (%08x):%02d hOrdnerTree=%08x nOrdnerKennung=%02d nOrdnerOrder=%d "
                     "cOrdnerName=%-30s cIconName=%-20s next=%08x",
                     Prefix(i), TRACE_PTR(o), i, TRACE_PTR(o->hOrdnerTree), o->nOrdnerKennung, o->nOrdnerOrder,
                     o->cOrdnerName, o->cIconName, TRACE_PTR(o->next));
    }
}

void DumpCards(const char *tag, bool full) {
    ML_Trace(tag, "** lpKARTEstart=%08x lpKARTEact=%08x", TRACE_PTR(lpKARTEstart), TRACE_PTR(lpKARTEact));
    int i = 0;
    for (KARTE *k = lpKARTEstart; k; k = k->next, ++i) {
        if (full)
            ML_Trace(tag,
                     "%s Cardtable (%08x):%02d hCardTree=%08x nOrdnerKennung=%02d nKartenKennung=%02d "
                     "nKartenOrder=%d cKartenName=%-20s cIconName=%-20s nExpanded=%d nCategory=%d next=%08x",
                     Prefix(i), TRACE_PTR(k), i, TRACE_PTR(k->hCardTree), k->nOrdnerKennung, k->nKartenKennung,
                     k->nKartenOrder, k->cKartenName, k->cIconName, k->nExpanded, k->nCategory,
                     TRACE_PTR(k->next));
        else
            ML_Trace(tag,
                     "%s Cardtable (%08x):%02d hCardTree=%08x nOrdnerKennung=%02d nKartenKennung=%02d "
                     "nKartenOrder=%d cKartenName=%-20s cIconName=%-20s next=%08x",
                     Prefix(i), TRACE_PTR(k), i, TRACE_PTR(k->hCardTree), k->nOrdnerKennung, k->nKartenKennung,
                     k->nKartenOrder, k->cKartenName, k->cIconName, TRACE_PTR(k->next));
    }
}

void DumpContents(const char *tag) {
    ML_Trace(tag, "** lpFELDINHALTstart=%08x lpFELDINHALTact=%08x", TRACE_PTR(lpFELDINHALTstart),
             TRACE_PTR(lpFELDINHALTact));
    int i = 0;
    for (FELDINHALT *f = lpFELDINHALTstart; f; f = f->next, ++i) {
        ML_Trace(tag,
                 "%s Contenttable (%08x):%02d hFeldTree=%08x nKartenKennung=%02d nFeldIndex=%02d "
                 "nFeldLaenge=%03d next=%08x lpFeldInhalt=%08x",
                 Prefix(i), TRACE_PTR(f), i, TRACE_PTR(f->hFeldTree), f->nKartenKennung, f->nFeldIndex,
                 f->nFeldLaenge, TRACE_PTR(f->next), TRACE_PTR(f->lpFeldInhalt));
        // Contents are secrets even in a full dump: as the field save traces them, stars of their length.
        char masked[MAX_FELD_LAENGE + 1];
        CW_MaskText(f->lpFeldInhalt, masked, sizeof masked);
        ML_Trace(tag, "I* lpFeldInhalt (%08x) = '%s'", TRACE_PTR(f->lpFeldInhalt), masked);
    }
}

void DumpDroplist(const char *tag) {
    ML_Trace(tag, "** lpDROPLISTstart=%08x lpDROPLISTact=%08x", TRACE_PTR(lpDROPLISTstart),
             TRACE_PTR(lpDROPLISTact));
    int i = 0;
    for (DROPLIST *d = lpDROPLISTstart; d; d = d->next, ++i)
        ML_Trace(tag, "%s Droplist (%08x):%02d index=%06d kz=%d dwAttribute=%06d next=%08x filename=%s",
                 Prefix(i), TRACE_PTR(d), i, d->index, d->kz, d->dwAttribute, TRACE_PTR(d->next), d->filename);
}
} // namespace

void ML_DumpFieldTable(const char *tag) {
    ML_Trace(tag, "** lpFELDTABELLEstart=%08x lpFELDTABELLEact=%08x", TRACE_PTR(lpFELDTABELLEstart),
             TRACE_PTR(lpFELDTABELLEact));
    int i = 0;
    for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next, ++i)
        ML_Trace(tag,
                 "%s Fieldtable (%08x):%02d nOrdnerKennung=%02d nFeldIndex=%02d nFeldOrder=%02d "
                 "feldname=%-20s feldtyp=%d feldlaenge=%03d drag=%d next=%08x",
                 Prefix(i), TRACE_PTR(f), i, f->nOrdnerKennung, f->nFeldIndex, f->nFeldOrder, f->feldname,
                 f->feldtyp, f->feldlaenge, f->drag, TRACE_PTR(f->next));
}

void ML_DumpCardFieldTable(const char *tag) {
    ML_Trace(tag, "** lpFELDTABCARDstart=%08x lpFELDTABCARDact=%08x", TRACE_PTR(lpFELDTABCARDstart),
             TRACE_PTR(lpFELDTABCARDact));
    int i = 0;
    for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next, ++i)
        ML_Trace(tag,
                 "%s Cardfieldtable (%08x):%02d KartenKennung=%02d FeldIndex=%d FeldOrder=%d "
                 "FeldName=%-20s Feldtyp=%d Feldlaenge=%d drag=%d next=%08x",
                 Prefix(i), TRACE_PTR(f), i, f->KartenKennung, f->FeldIndex, f->FeldOrder, f->FeldName,
                 f->Feldtyp, f->Feldlaenge, f->drag, TRACE_PTR(f->next));
}

void ML_DumpTables(const char *tag) {
    DumpFolders(tag, true);
    ML_DumpFieldTable(tag);
    DumpCards(tag, true);
    DumpContents(tag);
    ML_DumpCardFieldTable(tag);
    DumpDroplist(tag);
}

void ML_DumpFolders(const char *tag) { DumpFolders(tag, false); }
void ML_DumpCards(const char *tag) { DumpCards(tag, false); }

void ML_DumpDesktop(const char *tag) {
    ML_Trace(tag, "** lpDESKTOPstart=%08x lpDESKTOPact=%08x", TRACE_PTR(lpDESKTOPstart), TRACE_PTR(lpDESKTOPact));
    int i = 0;
    for (DESKTOP *d = lpDESKTOPstart; d; d = d->next, ++i) {
        // A label is kept enveloped in the safe: its length only.
        char masked[DESKTOP_TEXT_MAX + 1];
        CW_MaskText(d->dwIconText, masked, sizeof masked);
        ML_Trace(tag,
                 "%s Desktoptable (%08x):%02d nIndex=%02d nProfilIndex=%03d nTextLen=%03d x=%04d y=%04d "
                 "dwIconText=%-25s next=%08x",
                 Prefix(i), TRACE_PTR(d), i, d->nIndex, d->nProfilIndex, d->nTextLen, d->x, d->y, masked,
                 TRACE_PTR(d->next));
    }
}
