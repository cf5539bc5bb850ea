#include "model/search.h"

#include "frame/logs.h"
#include "frame/memory.h"
#include "frame/trace.h"
#include "model/card_view.h"
#include "model/cards.h"
#include "model/record_groups.h"
#include "platform/uiport.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
SEARCHRESULT *lpSEARCHRESULTstart = nullptr, *lpSEARCHRESULTact = nullptr;
}

SW_LIST<SEARCHRESULT> SE_Results() { return {lpSEARCHRESULTstart}; }

SearchView::~SearchView() = default;

namespace {
SearchView *g_view = nullptr;
// The results by index: the results window asks for its rows one at a time.
std::vector<SEARCHRESULT *> g_byIndex;

const char TAG_FNK[] = "SE_FNK";

inline unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

// One search: the pattern, the options, whether the window shows the hits, and
// the lists grouped for it.
struct Run {
    const char *pattern;
    uint32_t options;
    bool show;
    uint32_t hits;
    RecordGroups<const KARTE> cards;              // by folder
    RecordGroups<const FELDINHALT> contents;      // the matching ones, by card and field
    RecordGroups<const FELDTABCARD> ownFields;    // by card
    RecordGroups<const FELDTABELLE> folderFields; // by folder
};

void AddHit(Run &run, uint32_t kind, const char *text, TREEHANDLE item, uint32_t folder, uint32_t card,
            uint32_t field, bool isProtected = false) {
    SEARCHRESULT *r =
        static_cast<SEARCHRESULT *>(T_Malloc(lpSEARCHRESULTstart ? "SE_M_01" : "SE_M_00", sizeof(SEARCHRESULT)));
    if (!r)
        return;
    r->index = run.hits;
    r->kind = kind;
    r->item = item;
    r->nOrdnerKennung = folder;
    r->nKartenKennung = card;
    r->nFeldIndex = field;
    r->bProtected = isProtected ? 1 : 0;
    r->next = nullptr;
    if (!lpSEARCHRESULTstart)
        lpSEARCHRESULTstart = r;
    else
        lpSEARCHRESULTact->next = r;
    lpSEARCHRESULTact = r;
    g_byIndex.push_back(r);
    if (run.show) {
        if (run.hits == 0)
            g_view->Begin();
        char masked[MAX_FELD_LAENGE + 1] = {};
        if (isProtected)
            CW_MaskText(text, masked, sizeof masked);
        g_view->Add(kind, isProtected ? masked : text, r->index);
    }
    ++run.hits;
}

// The matching contents of one field of a card.
void SearchField(Run &run, const ORDNER *o, const KARTE *k, uint32_t field, uint32_t type) {
    run.contents.ForEach(RG_ContentKey(k->nKartenKennung, field), [&](const FELDINHALT *c) {
        AddHit(run, SE_KIND_CONTENT, c->lpFeldInhalt, k->hCardTree, o->nOrdnerKennung, k->nKartenKennung, field,
               type == FT_PASSWORT);
    });
}

// A card's contents in the order of its effective field descriptions: its own
// when it has any, else its folder's.
void SearchContents(Run &run, const ORDNER *o, const KARTE *k) {
    bool own = false;
    run.ownFields.ForEach(k->nKartenKennung, [&](const FELDTABCARD *f) {
        own = true;
        SearchField(run, o, k, f->FeldIndex, f->Feldtyp);
    });
    if (own)
        return;
    run.folderFields.ForEach(o->nOrdnerKennung, [&](const FELDTABELLE *f) { SearchField(run, o, k, f->nFeldIndex, f->feldtyp); });
}

uint32_t Collect(const char *text, uint32_t options, bool show) {
    SE_FreeResults();
    Run run{text, options, show, 0, {}, {}, {}, {}};
    if (!text || !*text)
        return 0;
    if (options & (SE_CARDS | SE_CONTENTS))
        run.cards.Build(lpKARTEstart, [](const KARTE *k) { return uint64_t{k->nOrdnerKennung}; });
    if (options & SE_CONTENTS) {
        // Every text is tested once, in list order; the walk below puts the hits in order.
        run.contents.Build(
            lpFELDINHALTstart, [](const FELDINHALT *c) { return RG_ContentKey(c->nKartenKennung, c->nFeldIndex); },
            [text](const FELDINHALT *c) {
                return c->nFeldLaenge != 0 && c->lpFeldInhalt && SE_Matches(c->lpFeldInhalt, c->nFeldLaenge, text);
            });
        run.ownFields.Build(lpFELDTABCARDstart, [](const FELDTABCARD *f) { return uint64_t{f->KartenKennung}; });
        run.folderFields.Build(lpFELDTABELLEstart, [](const FELDTABELLE *f) { return uint64_t{f->nOrdnerKennung}; });
    }
    for (const ORDNER *o = lpORDNERstart; o; o = o->next) {
        if ((options & SE_FOLDERS) && SE_Matches(o->cOrdnerName, ORDNER_NAME_LEN, text))
            AddHit(run, SE_KIND_FOLDER, o->cOrdnerName, o->hOrdnerTree, o->nOrdnerKennung, 0, 0);
        if (!(options & (SE_CARDS | SE_CONTENTS)))
            continue;
        run.cards.ForEach(o->nOrdnerKennung, [&](const KARTE *k) {
            if ((options & SE_CARDS) && SE_Matches(k->cKartenName, KARTEN_NAME_LEN, text))
                AddHit(run, SE_KIND_CARD, k->cKartenName, k->hCardTree, o->nOrdnerKennung, k->nKartenKennung, 0);
            if (options & SE_CONTENTS)
                SearchContents(run, o, k);
        });
    }
    return run.hits;
}

} // namespace

int SE_Matches(const char *text, uint32_t length, const char *pattern) {
    if (!text || !pattern || !*pattern)
        return 0;
    const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
    const unsigned char *p = reinterpret_cast<const unsigned char *>(pattern);
    const unsigned char first = Lower(p[0]);
    // One pass over the text: a zero byte ends it, and never matches a pattern byte.
    for (uint32_t i = 0; i < length && t[i]; ++i) {
        if (Lower(t[i]) != first)
            continue;
        uint32_t j = 1;
        while (p[j] && i + j < length && Lower(t[i + j]) == Lower(p[j]))
            ++j;
        if (!p[j])
            return 1;
    }
    return 0;
}

void SE_SetView(SearchView *view) { g_view = view; }

uint32_t SE_Search(const char *text, uint32_t options) {
    TRACE(TRACE_FUNCTIONS, TAG_FNK, "B SE_Search(options=%d)", static_cast<int>(options));
    if (!g_view) {
        ML_WriteLog("SE01", "no search results window", 0);
        return Collect(text, options, false);
    }
    uint32_t hits = Collect(text, options, true);
    g_view->Count(hits);
    return hits;
}

uint32_t SE_SearchSafe(const char *text, uint32_t options) { return Collect(text, options, false); }

uint32_t SE_SearchOptions(int bFolders, int bCards, int bContents) {
    uint32_t options = (bFolders ? SE_FOLDERS : 0u) | (bCards ? SE_CARDS : 0u) | (bContents ? SE_CONTENTS : 0u);
    return options ? options : (SE_FOLDERS | SE_CARDS | SE_CONTENTS);
}

void SE_FreeResults() {
    for (SEARCHRESULT *r = lpSEARCHRESULTstart; r;) {
        SEARCHRESULT *next = r->next;
        T_Free(r == lpSEARCHRESULTstart ? "SE_F_00" : "SE_F_01", r);
        r = next;
    }
    lpSEARCHRESULTstart = lpSEARCHRESULTact = nullptr;
    g_byIndex.clear();
}

const SEARCHRESULT *SE_FindResult(uint32_t index) {
    return index < g_byIndex.size() ? g_byIndex[index] : nullptr;
}

uint32_t SE_ResultRow(uint32_t index, char *text, uint32_t size) {
    const SEARCHRESULT *r = SE_FindResult(index);
    const char *now = SE_ResultText(r);
    if (text && size)
        text[0] = 0;
    if (!now)
        return 0;
    if (text && size) {
        if (r->bProtected)
            CW_MaskText(now, text, size);
        else
            snprintf(text, size, "%s", now);
    }
    return r->kind;
}

TREEHANDLE SE_ResultTreeItem(const SEARCHRESULT *r) {
    if (!r)
        return nullptr;
    if (r->kind == SE_KIND_FOLDER) {
        const ORDNER *o = SW_FindOrdner(r->nOrdnerKennung);
        return o ? o->hOrdnerTree : nullptr;
    }
    return CW_GetCardTreeHandle(r->nKartenKennung);
}

const char *SE_ResultText(const SEARCHRESULT *r) {
    if (!r)
        return nullptr;
    if (r->kind == SE_KIND_FOLDER) {
        const ORDNER *o = SW_FindOrdner(r->nOrdnerKennung);
        return o ? o->cOrdnerName : nullptr;
    }
    if (r->kind == SE_KIND_CARD) {
        const KARTE *k = SW_FindKarte(r->nKartenKennung);
        return k ? k->cKartenName : nullptr;
    }
    for (const FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
        if (c->nKartenKennung == r->nKartenKennung && c->nFeldIndex == r->nFeldIndex && c->nFeldLaenge != 0 &&
            c->lpFeldInhalt)
            return c->lpFeldInhalt;
    return nullptr;
}

TREEHANDLE SE_ClickResult(uint32_t index) {
    const SEARCHRESULT *r = SE_FindResult(index);
    if (!r || !SE_ResultText(r))
        return nullptr;
    TREEHANDLE item = SE_ResultTreeItem(r);
    if (!item) {
        ML_WriteLog("SE02", "search hit not in the tree", index);
        UI_MessageBox("This entry is hidden by the category filter", "Notice", UI_MB_OK | UI_MB_ICONINFORMATION);
    }
    return item;
}
