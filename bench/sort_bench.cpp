// Sorting a safe of 100 folders x 100 cards with 8 fields each: the folder, card
// and field-description sorts, once on shuffled orders with many equal values and
// once on lists already in order (the usual case after an edit), against the plain
// exchange sorts run on the same lists. Prints milliseconds; checks that both give
// the same lists. Then the card sort on a crafted safe whose folders all share one
// id: it must cost what one such folder costs, and leave the cards as one would.
#include "model/field_sorts.h"
#include "model/list_release.h"
#include "model/list_sorts.h"
#include "model/records.h"
#include "support/exchange_sort_ref.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>

namespace {
const int kFolders = 100, kCardsPerFolder = 100, kFields = 8;

void ReleaseAll() {
    SW_FreeOrdnertabelle();
    SW_FreeFeldTabelle();
    SW_ReleaseFieldTable();
    SW_FreeKartenTabelle();
    SW_FreeFeldInhaltTabelle();
    RecordCounts.nOrdnerCount = RecordCounts.nCardCount = RecordCounts.nFeldCount = 0;
}

// Cards are added to random folders, as they are over the life of a safe, so a
// folder's cards lie scattered through the card list. Every tenth card has its
// own field table.
void BuildSafe(uint32_t seed) {
    ReleaseAll();
    std::mt19937 rng(seed);
    for (int f = 1; f <= kFolders; ++f) {
        ORDNER *o = SW_AppendOrdner("BN_M_00");
        o->nOrdnerKennung = f;
        o->nOrdnerOrder = rng() % 40;
        snprintf(o->cOrdnerName, sizeof o->cOrdnerName, "folder %d", f);
        for (int i = 0; i < kFields; ++i) {
            FELDTABELLE *t = SW_AppendFeldTabelle("BN_M_01");
            t->nOrdnerKennung = f;
            t->nFeldIndex = i;
            t->nFeldOrder = rng() % 4;
            snprintf(t->feldname, sizeof t->feldname, "field %d", i);
        }
    }
    int perFolder[kFolders + 1] = {};
    for (int id = 1; id <= kFolders * kCardsPerFolder; ++id) {
        int f;
        do
            f = 1 + rng() % kFolders;
        while (perFolder[f] == kCardsPerFolder);
        ++perFolder[f];
        KARTE *k = SW_AppendKarte("BN_M_02");
        k->nOrdnerKennung = f;
        k->nKartenKennung = id;
        k->nKartenOrder = (rng() % 20 == 0) ? 9999 : rng() % 60;
        snprintf(k->cKartenName, sizeof k->cKartenName, "card %d", id);
        if (id % 10 == 0)
            for (int i = 0; i < kFields; ++i) {
                FELDTABCARD *t = SW_AppendFeldTabCard("BN_M_03");
                t->KartenKennung = id;
                t->FeldIndex = i;
                t->FeldOrder = rng() % 4;
                snprintf(t->FeldName, sizeof t->FeldName, "own %d", i);
            }
    }
}

std::string CardSnapshot() {
    std::string s;
    for (KARTE *k = lpKARTEstart; k; k = k->next)
        s += std::string(k->cKartenName) + "/" + std::to_string(k->nKartenOrder) + ";";
    return s;
}

std::string Snapshot() {
    std::string s;
    for (ORDNER *o = lpORDNERstart; o; o = o->next)
        s += std::string(o->cOrdnerName) + "/" + std::to_string(o->nOrdnerOrder) + ";";
    for (FELDTABELLE *t = lpFELDTABELLEstart; t; t = t->next)
        s += std::string(t->feldname) + "/" + std::to_string(t->nFeldOrder) + ";";
    s += CardSnapshot();
    for (FELDTABCARD *t = lpFELDTABCARDstart; t; t = t->next)
        s += std::string(t->FeldName) + "/" + std::to_string(t->FeldOrder) + ";";
    return s;
}

double Ms(const std::function<void()> &fn) {
    auto t0 = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

struct Figures {
    double folders, fields, cards, cardFields;
    double Total() const { return folders + fields + cards + cardFields; }
};

Figures SortAll(bool plain) {
    Figures f;
    f.folders = Ms(plain ? testsupport::RefSortOrdner : SW_SortOrdner);
    f.fields = Ms(plain ? testsupport::RefSortFieldTable : FW_SortFieldTable);
    f.cards = Ms(plain ? testsupport::RefSortKarten : SW_SortKarten);
    f.cardFields = Ms(plain ? testsupport::RefSortCardFieldTab : FW_SortCardFieldTab);
    return f;
}

// kDupFolders folders with the same id and kDupCards cards in it, in shuffled orders.
const int kDupFolders = 8000, kDupCards = 8000;

void BuildDuplicateIds(int folders) {
    ReleaseAll();
    std::mt19937 rng(7);
    for (int f = 0; f < folders; ++f) {
        ORDNER *o = SW_AppendOrdner("BN_M_00");
        o->nOrdnerKennung = 1;
        o->nOrdnerOrder = f + 1;
        snprintf(o->cOrdnerName, sizeof o->cOrdnerName, "twin %d", f);
    }
    for (int id = 1; id <= kDupCards; ++id) {
        KARTE *k = SW_AppendKarte("BN_M_02");
        k->nOrdnerKennung = 1;
        k->nKartenKennung = id;
        k->nKartenOrder = rng() % 500;
        snprintf(k->cKartenName, sizeof k->cKartenName, "card %d", id);
    }
}

void Print(const char *what, const Figures &f) {
    printf("%-34s folders %8.3f  fields %8.3f  cards %9.3f  card fields %8.3f  total %9.3f ms\n", what, f.folders,
           f.fields, f.cards, f.cardFields, f.Total());
}
} // namespace

int main() {
    printf("safe: %d folders x %d cards, %d fields per folder, every tenth card with %d own fields\n", kFolders,
           kCardsPerFolder, kFields, kFields);
    bool same = true;
    for (uint32_t seed : {1u, 2u, 3u}) {
        BuildSafe(seed);
        Figures fast = SortAll(false);
        std::string fastResult = Snapshot();
        Figures fastSorted = SortAll(false);

        BuildSafe(seed);
        Figures plain = SortAll(true);
        std::string plainResult = Snapshot();
        Figures plainSorted = SortAll(true);

        same = same && fastResult == plainResult;
        printf("seed %u\n", seed);
        Print("  shuffled, with equal orders", fast);
        Print("  already in order", fastSorted);
        Print("  plain exchange sort, shuffled", plain);
        Print("  plain exchange sort, in order", plainSorted);
    }
    printf("same lists as the plain exchange sort: %s\n", same ? "yes" : "NO");

    BuildDuplicateIds(1);
    double single = Ms(SW_SortKarten);
    std::string singleResult = CardSnapshot();
    BuildDuplicateIds(kDupFolders);
    double twins = Ms(SW_SortKarten);
    bool asOne = CardSnapshot() == singleResult;
    printf("%d cards in one folder: cards %9.3f ms; the same under %d folders of that id: cards %9.3f ms\n",
           kDupCards, single, kDupFolders, twins);
    printf("cards sorted as under one folder: %s\n", asOne ? "yes" : "NO");
    ReleaseAll();
    return same && asOne ? 0 : 1;
}
