// The time to write and to read a safe of 100 folders x 100 cards with 8 fields
// each (80,000 contents of 20 to 60 characters) with a password, the one key
// derivation of the run left out (it is made once before the clock starts), and
// the time to search that safe's folder names, card names and contents, to
// build its tree, and to take the fingerprint the recovery copy compares after
// every message.
#include "config/settings.h"
#include "crypto/cryptlib.h"
#include "crypto/kdf.h"
#include "frame/logs.h"
#include "frame/memory.h"
#include "model/list_release.h"
#include "model/records.h"
#include "model/search.h"
#include "model/tree_build.h"
#include "platform/platform.h"
#include "store/safe_reader.h"
#include "store/safe_state.h"
#include "store/safe_writer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point since) { return std::chrono::duration<double, std::milli>(Clock::now() - since).count(); }
// The processor time of this process: on a busy machine it tells the work done
// from the time spent waiting for a processor.
double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void Fill() {
    unsigned seed = 12345;
    auto rnd = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (uint32_t f = 1; f <= 100; ++f) {
        ORDNER *o = SW_AppendOrdner("BE_M_00");
        o->nOrdnerKennung = f;
        o->nOrdnerOrder = f;
        snprintf(o->cOrdnerName, sizeof o->cOrdnerName, "Folder %u", f);
        ++RecordCounts.nOrdnerCount;
        for (uint32_t i = 0; i < 8; ++i) {
            FELDTABELLE *t = SW_AppendFeldTabelle("BE_M_01");
            t->nOrdnerKennung = f;
            t->nFeldIndex = i;
            t->nFeldOrder = i + 1;
            snprintf(t->feldname, sizeof t->feldname, "Field %u", i);
            t->feldlaenge = 60;
            ++RecordCounts.nFeldCount;
        }
    }
    for (uint32_t c = 1; c <= 10000; ++c) {
        KARTE *k = SW_AppendKarte("BE_M_02");
        k->nOrdnerKennung = (c - 1) / 100 + 1;
        k->nKartenKennung = c;
        k->nKartenOrder = (c - 1) % 100 + 1;
        snprintf(k->cKartenName, sizeof k->cKartenName, "Card %u", c);
        ++RecordCounts.nCardCount;
        for (uint32_t i = 0; i < 8; ++i) {
            FELDINHALT *x = SW_AppendFeldInhalt("BE_M_03");
            x->nKartenKennung = c;
            x->nFeldIndex = i;
            x->nFeldLaenge = 20 + rnd() % 41;
            x->lpFeldInhalt = static_cast<char *>(T_Malloc("BE_M_04", x->nFeldLaenge));
            for (uint32_t j = 0; j < x->nFeldLaenge; ++j)
                x->lpFeldInhalt[j] = static_cast<char>('a' + rnd() % 26);
        }
    }
}
} // namespace

// Usage: safe_bench [--no-search]
int main(int argc, char **argv) {
    const bool search = !(argc > 1 && strcmp(argv[1], "--no-search") == 0);
    cryptInit();
    Settings.CryptAlgo = 8;
    szProgramDir[0] = 0;
    std::string path = "/tmp/orv-safe-bench-" + std::to_string(getpid()) + ".saf";
    Fill();
    snprintf(cActSafePath, sizeof cActSafePath, "%s", path.c_str());
    ActSafeHeader.nPasswort = 1;
    memcpy(ActSafeControl.cSafeId, "ORVSAFE", 8);
    SW_SetPassword(cActPasswort, "bench password");

    // The one derivation of the run, made before any clock starts.
    PL_HANDLE h = PL_CreateFile(path.c_str(), PL_GENERIC_READ | PL_GENERIC_WRITE, PL_SHARE_READ, PL_CREATE_ALWAYS, 0);
    hmySafe = h;
    if (SW_PutSafe(0, 0) != 0)
        return 1;
    long derivations = KDF_DerivationCount();

    double bestWrite = 1e9, bestRead = 1e9, cpuWrite = 1e9, cpuRead = 1e9;
    for (int round = 0; round < 5; ++round) {
        auto t = Clock::now();
        double c = CpuMs();
        if (SW_PutSafe(0, 0) != 0)
            return 1;
        double w = Ms(t);
        bestWrite = w < bestWrite ? w : bestWrite;
        cpuWrite = CpuMs() - c < cpuWrite ? CpuMs() - c : cpuWrite;
    }
    uint64_t size = 0;
    PL_GetFileSize(hmySafe, &size);
    PL_CloseHandle(hmySafe);
    hmySafe = nullptr;
    for (int round = 0; round < 5; ++round) {
        SW_SetPassword(cTmpPasswort, "bench password");
        auto t = Clock::now();
        double c = CpuMs();
        if (SW_OpenSafe(path.c_str()) != 0 || SW_ReadSafeHeader() != 0 || SW_ReadSafeSections(path.c_str()) != 0)
            return 1;
        double r = Ms(t);
        bestRead = r < bestRead ? r : bestRead;
        cpuRead = CpuMs() - c < cpuRead ? CpuMs() - c : cpuRead;
        PL_CloseHandle(tmpSafe);
        tmpSafe = nullptr;
    }
    // Search the safe as read: a text in a few names, one in about 200 contents, one nowhere.
    double bestSearch[3] = {1e9, 1e9, 1e9}, cpuSearch[3] = {1e9, 1e9, 1e9};
    uint32_t hits[3] = {0, 0, 0};
    const char *texts[3] = {"card 777", "abc", "no such text"};
    for (int round = 0; search && round < 5; ++round)
        for (int i = 0; i < 3; ++i) {
            auto t = Clock::now();
            double c = CpuMs();
            hits[i] = SE_SearchSafe(texts[i], SE_FOLDERS | SE_CARDS | SE_CONTENTS);
            double s = Ms(t);
            bestSearch[i] = s < bestSearch[i] ? s : bestSearch[i];
            cpuSearch[i] = CpuMs() - c < cpuSearch[i] ? CpuMs() - c : cpuSearch[i];
        }
    SE_FreeResults();
    // The tree as the main window builds it, into a sink that only counts items.
    static uintptr_t items;
    TVB_SINK sink{nullptr,
                  [](void *, TREEHANDLE, const char *, uint32_t, int) { return reinterpret_cast<TREEHANDLE>(++items); },
                  [](void *, TREEHANDLE) {}, [](void *, const char *) { return -1; }};
    TVB_OPTIONS options{0, 0};
    double bestTree = 1e9, cpuTree = 1e9;
    for (int round = 0; search && round < 5; ++round) {
        items = 0;
        auto t = Clock::now();
        double c = CpuMs();
        TVB_BuildTree(reinterpret_cast<TREEHANDLE>(1), &options, &sink);
        double s = Ms(t);
        bestTree = s < bestTree ? s : bestTree;
        cpuTree = CpuMs() - c < cpuTree ? CpuMs() - c : cpuTree;
    }
    double bestDigest = 1e9, cpuDigest = 1e9;
    uint64_t digest = 0;
    for (int round = 0; round < 20; ++round) {
        auto t = Clock::now();
        double c = CpuMs();
        digest ^= SW_ListsDigest();
        double s = Ms(t);
        bestDigest = s < bestDigest ? s : bestDigest;
        cpuDigest = CpuMs() - c < cpuDigest ? CpuMs() - c : cpuDigest;
    }
    printf("safe of 100 folders x 100 cards x 8 fields, %llu bytes\n", static_cast<unsigned long long>(size));
    printf("SW_PutSafe: %.1f ms (best of 5; processor time %.1f ms)\n", bestWrite, cpuWrite);
    printf("read:       %.1f ms (best of 5; processor time %.1f ms)\n", bestRead, cpuRead);
    for (int i = 0; search && i < 3; ++i)
        printf("search \"%s\": %.1f ms, %u hits (best of 5; processor time %.1f ms)\n", texts[i], bestSearch[i],
               hits[i], cpuSearch[i]);
    if (search)
        printf("tree build: %.1f ms, %lu items (best of 5; processor time %.1f ms)\n", bestTree,
               static_cast<unsigned long>(items), cpuTree);
    printf("SW_ListsDigest: %.2f ms a call (best of 20; processor time %.2f ms; %llx)\n", bestDigest, cpuDigest,
           static_cast<unsigned long long>(digest & 0xf));
    printf("key derivations after the first save: %ld more\n", KDF_DerivationCount() - derivations);
    unlink(path.c_str());
    cryptEnd();
    return 0;
}
