#include "model/tree_build.h"

#include "model/alarm_fields.h"
#include "model/card_fields.h"
#include "model/categories.h"
#include "model/record_groups.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {
// The lists grouped once per build, so no card walks a whole list.
struct Groups {
    RecordGroups<ORDNER> folders;                 // by identifier
    RecordGroups<const KARTE> cards;              // by identifier
    RecordGroups<FELDINHALT> contents;            // by card
    RecordGroups<const FELDTABCARD> ownFields;    // by card
    RecordGroups<const FELDTABELLE> folderFields; // by folder

    Groups() {
        folders.Build(lpORDNERstart, [](const ORDNER *o) { return uint64_t{o->nOrdnerKennung}; });
        cards.Build(lpKARTEstart, [](const KARTE *k) { return uint64_t{k->nKartenKennung}; });
        contents.Build(lpFELDINHALTstart, [](const FELDINHALT *c) { return uint64_t{c->nKartenKennung}; });
        ownFields.Build(lpFELDTABCARDstart, [](const FELDTABCARD *f) { return uint64_t{f->KartenKennung}; });
        folderFields.Build(lpFELDTABELLEstart, [](const FELDTABELLE *f) { return uint64_t{f->nOrdnerKennung}; });
    }
    // Only what one card's field items need.
    explicit Groups(const KARTE *card) {
        const uint32_t id = card->nKartenKennung, folder = card->nOrdnerKennung;
        auto byId = [](const KARTE *k) { return uint64_t{k->nKartenKennung}; };
        cards.Build(lpKARTEstart, byId, [card](const KARTE *k) { return k == card; });
        contents.Build(
            lpFELDINHALTstart, [](const FELDINHALT *c) { return uint64_t{c->nKartenKennung}; },
            [id](const FELDINHALT *c) { return c->nKartenKennung == id; });
        ownFields.Build(
            lpFELDTABCARDstart, [](const FELDTABCARD *f) { return uint64_t{f->KartenKennung}; },
            [id](const FELDTABCARD *f) { return f->KartenKennung == id; });
        folderFields.Build(
            lpFELDTABELLEstart, [](const FELDTABELLE *f) { return uint64_t{f->nOrdnerKennung}; },
            [folder](const FELDTABELLE *f) { return f->nOrdnerKennung == folder; });
    }
    // Only what one folder's card items and their field items need.
    explicit Groups(const ORDNER *folder) {
        const uint32_t id = folder->nOrdnerKennung;
        cards.Build(
            lpKARTEstart, [](const KARTE *k) { return uint64_t{k->nKartenKennung}; },
            [id](const KARTE *k) { return k->nOrdnerKennung == id; });
        contents.Build(
            lpFELDINHALTstart, [](const FELDINHALT *c) { return uint64_t{c->nKartenKennung}; },
            [this](const FELDINHALT *c) { return cards.First(c->nKartenKennung) != nullptr; });
        ownFields.Build(
            lpFELDTABCARDstart, [](const FELDTABCARD *f) { return uint64_t{f->KartenKennung}; },
            [this](const FELDTABCARD *f) { return cards.First(f->KartenKennung) != nullptr; });
        folderFields.Build(
            lpFELDTABELLEstart, [](const FELDTABELLE *f) { return uint64_t{f->nOrdnerKennung}; },
            [id](const FELDTABELLE *f) { return f->nOrdnerKennung == id; });
    }

    // The card's effective table, as CF_First walks it.
    std::vector<CF_FIELD> Fields(uint32_t nKartenKennung) const {
        std::vector<CF_FIELD> fields;
        ownFields.ForEach(nKartenKennung, [&](const FELDTABCARD *f) { fields.push_back(CF_FromCardTable(f)); });
        const KARTE *k = cards.First(nKartenKennung);
        if (fields.empty() && k && k->nOrdnerKennung)
            folderFields.ForEach(k->nOrdnerKennung,
                                 [&](const FELDTABELLE *f) { fields.push_back(CF_FromFolderTable(f)); });
        return fields;
    }
};

// Step 4: the field items of a shown card, through `add` (the sink's insert,
// or a count); their number.
template <class Add>
int ForEachFieldItem(const Groups &groups, const KARTE *card, const TVB_OPTIONS *options, Add add) {
    int n = 0;
    const std::vector<CF_FIELD> fields = groups.Fields(card->nKartenKennung);
    groups.contents.ForEach(card->nKartenKennung, [&](FELDINHALT *c) {
        if (!c->lpFeldInhalt || !c->lpFeldInhalt[0])
            return;
        auto field = std::find_if(fields.begin(), fields.end(),
                                  [c](const CF_FIELD &f) { return f.nFeldIndex == c->nFeldIndex; });
        if (field == fields.end())
            return;
        if (field->type == FT_URL) {
            if (options->bQuickWindow) {
                add(c, field->name, TV_KIND_URL, TV_IMG_URL);
                ++n;
            }
        } else if (field->type != FT_ALARM2 && field->drag) {
            add(c, field->name, TV_KIND_FIELD, TV_IMG_FIELD);
            ++n;
        }
    });
    return n;
}

int AddFieldItems(const Groups &groups, const KARTE *card, const TVB_OPTIONS *options, const TVB_SINK *sink) {
    return ForEachFieldItem(groups, card, options, [&](FELDINHALT *c, const char *name, uint32_t kind, int image) {
        c->hFeldTree = sink->insert(sink->ctx, card->hCardTree, name, kind, image);
    });
}

// A card's field items now, or (a collapsed card, with a sink that can wait)
// when it is first expanded.
void ShowCardFields(const Groups &groups, const KARTE *card, const TVB_OPTIONS *options, const TVB_SINK *sink) {
    if (!sink->promise || card->nExpanded)
        AddFieldItems(groups, card, options, sink);
    else if (ForEachFieldItem(groups, card, options, [](FELDINHALT *, const char *, uint32_t, int) {}) > 0)
        sink->promise(sink->ctx, card->hCardTree);
}

// A card's item below parent, with its field items now or to come.
void ShowCard(const Groups &groups, KARTE *card, TREEHANDLE parent, const TVB_OPTIONS *options,
              const TVB_SINK *sink) {
    int image = TVB_CardHasAlarm(card->nKartenKennung) ? TV_IMG_ALARM : TVB_IconImage(sink, card->cIconName);
    card->hCardTree = sink->insert(sink->ctx, parent, card->cKartenName, TV_KIND_CARD, image);
    if (card->hCardTree)
        ShowCardFields(groups, card, options, sink);
}
} // namespace

int TVB_IconImage(const TVB_SINK *sink, const char *iconName) {
    int index = sink->iconIndex ? sink->iconIndex(sink->ctx, iconName) : -1;
    return index < 0 ? TV_IMG_DEFAULT : TV_ICON_BASE + index;
}

int TVB_FolderHasAlarm(uint32_t nOrdnerKennung) {
    for (const ALARMTAB *a = lpALARMTABstart; a; a = a->next)
        if (a->nOrdnerKennung == nOrdnerKennung)
            return 1;
    return 0;
}

int TVB_CardHasAlarm(uint32_t nKartenKennung) {
    for (const ALARMTAB *a = lpALARMTABstart; a; a = a->next)
        if (a->nKartenKennung == nKartenKennung)
            return 1;
    return 0;
}

void TVB_ForgetItems() {
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        o->hOrdnerTree = nullptr;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        k->hCardTree = nullptr;
    for (FELDINHALT *c = lpFELDINHALTstart; c; c = c->next)
        c->hFeldTree = nullptr;
}

void TVB_BuildTree(TREEHANDLE hSafe, const TVB_OPTIONS *options, const TVB_SINK *sink) {
    TVB_ForgetItems();
    const Groups groups;

    const bool folders = !options->bQuickWindow || options->bShowFolders;
    if (folders) {
        for (ORDNER *o = lpORDNERstart; o; o = o->next) {
            if (!CC_IsOrdnerShown(o))
                continue;
            // A folder whose icon the list does not know shows the folder picture.
            int image = TVB_IconImage(sink, o->cIconName);
            if (TVB_FolderHasAlarm(o->nOrdnerKennung))
                image = TV_IMG_ALARM;
            else if (image == TV_IMG_DEFAULT)
                image = TV_IMG_FOLDER;
            o->hOrdnerTree = sink->insert(sink->ctx, hSafe, o->cOrdnerName, TV_KIND_FOLDER, image);
        }
        // A collapsed folder's cards wait for its first expansion, as field items do.
        std::unordered_set<const ORDNER *> promised;
        for (KARTE *k = lpKARTEstart; k; k = k->next) {
            ORDNER *o = groups.folders.First(k->nOrdnerKennung);
            if (!o || !o->hOrdnerTree || !CC_IsKarteShown(k))
                continue;
            if (!sink->promise || o->nExpanded)
                ShowCard(groups, k, o->hOrdnerTree, options, sink);
            else if (promised.insert(o).second)
                sink->promise(sink->ctx, o->hOrdnerTree);
        }
    } else {
        // The quick window without folders: every card straight below the safe,
        // folder by folder, whatever its category or alarm.
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            for (KARTE *k = lpKARTEstart; k; k = k->next) {
                if (k->nOrdnerKennung != o->nOrdnerKennung)
                    continue;
                k->hCardTree = sink->insert(sink->ctx, hSafe, k->cKartenName, TV_KIND_CARD,
                                            TVB_IconImage(sink, k->cIconName));
                if (k->hCardTree)
                    ShowCardFields(groups, k, options, sink);
            }
    }

    if (hSafe)
        sink->expand(sink->ctx, hSafe);
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        if (o->nExpanded && o->hOrdnerTree)
            sink->expand(sink->ctx, o->hOrdnerTree);
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (k->nExpanded && k->hCardTree)
            sink->expand(sink->ctx, k->hCardTree);
}

int TVB_FillCard(TREEHANDLE hCard, const TVB_OPTIONS *options, const TVB_SINK *sink) {
    const KARTE *card = lpKARTEstart;
    while (card && (!hCard || card->hCardTree != hCard))
        card = card->next;
    return card ? AddFieldItems(Groups(card), card, options, sink) : -1;
}

int TVB_FillFolder(TREEHANDLE hFolder, const TVB_OPTIONS *options, const TVB_SINK *sink) {
    const ORDNER *folder = lpORDNERstart;
    while (folder && (!hFolder || folder->hOrdnerTree != hFolder))
        folder = folder->next;
    if (!folder)
        return -1;
    const Groups groups(folder);
    std::vector<const KARTE *> shown;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        if (k->nOrdnerKennung == folder->nOrdnerKennung && !k->hCardTree && CC_IsKarteShown(k)) {
            ShowCard(groups, k, hFolder, options, sink);
            shown.push_back(k);
        }
    for (const KARTE *k : shown)
        if (k->nExpanded && k->hCardTree)
            sink->expand(sink->ctx, k->hCardTree);
    return static_cast<int>(shown.size());
}
