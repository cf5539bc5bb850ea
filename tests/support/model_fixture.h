// A fixture for the record tables: a fresh program directory with a fixed clock,
// a scripted UI port, and the five record lists empty before and after each test.
// Builders append records as a safe reader or a dialog would.
#pragma once

#include "frame/memory.h"
#include "model/list_release.h"
#include "model/records.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

inline TREEHANDLE Item(uintptr_t value) { return reinterpret_cast<TREEHANDLE>(value); }

// Watches text blocks (by address and length) while it lives and keeps the bytes
// each held at the moment it was freed: a wiped secret comes back as zeros.
class FreedTexts {
  public:
    FreedTexts() {
        Current() = this;
        PL_SetFreeObserver(Observe);
    }
    ~FreedTexts() {
        PL_SetFreeObserver(nullptr);
        Current() = nullptr;
    }
    void Watch(const char *block, size_t length) { watched[block] = length; }
    std::vector<std::string> freed;

  private:
    static FreedTexts *&Current() {
        static FreedTexts *current = nullptr;
        return current;
    }
    static void Observe(const void *block) {
        FreedTexts *self = Current();
        auto w = self ? self->watched.find(block) : std::map<const void *, size_t>::iterator();
        if (self && w != self->watched.end())
            self->freed.emplace_back(static_cast<const char *>(block), w->second);
    }
    std::map<const void *, size_t> watched;
};

class ModelTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ReleaseAll();
    }
    void TearDown() override {
        ReleaseAll();
        PL_SetFreeObserver(nullptr);
        TempDirTest::TearDown();
    }

    static void ReleaseAll() { SW_ReleaseSafeLists(); }

    static ORDNER *AddFolder(uint32_t id, uint32_t order, const char *name, TREEHANDLE item = nullptr) {
        ORDNER *o = SW_AppendOrdner("TT_M_00");
        o->nOrdnerKennung = id;
        o->nOrdnerOrder = order;
        strncpy(o->cOrdnerName, name, ORDNER_NAME_LEN - 1);
        o->hOrdnerTree = item;
        ++RecordCounts.nOrdnerCount;
        return o;
    }
    static FELDTABELLE *AddField(uint32_t folder, uint32_t index, uint32_t order, const char *name,
                                 uint32_t type = FT_NORMAL, uint32_t length = 30, uint32_t drag = 0) {
        FELDTABELLE *f = SW_AppendFeldTabelle("TT_M_01");
        f->nOrdnerKennung = folder;
        f->nFeldIndex = index;
        f->nFeldOrder = order;
        strncpy(f->feldname, name, FELD_NAME_LEN - 1);
        f->feldtyp = type;
        f->feldlaenge = length;
        f->drag = drag;
        ++RecordCounts.nFeldCount;
        return f;
    }
    static KARTE *AddCard(uint32_t folder, uint32_t id, uint32_t order, const char *name, TREEHANDLE item = nullptr) {
        KARTE *k = SW_AppendKarte("TT_M_02");
        k->nOrdnerKennung = folder;
        k->nKartenKennung = id;
        k->nKartenOrder = order;
        strncpy(k->cKartenName, name, KARTEN_NAME_LEN - 1);
        k->hCardTree = item;
        ++RecordCounts.nCardCount;
        return k;
    }
    static FELDTABCARD *AddCardField(uint32_t card, uint32_t index, uint32_t order, const char *name,
                                     uint32_t type = FT_NORMAL, uint32_t length = 30, uint32_t drag = 0) {
        FELDTABCARD *f = SW_AppendFeldTabCard("TT_M_03");
        f->KartenKennung = card;
        f->FeldIndex = index;
        f->FeldOrder = order;
        strncpy(f->FeldName, name, FELD_NAME_LEN - 1);
        f->Feldtyp = type;
        f->Feldlaenge = length;
        f->drag = drag;
        return f;
    }
    // text null: a content that was never filled.
    static FELDINHALT *AddContent(uint32_t card, uint32_t index, const char *text = nullptr) {
        FELDINHALT *f = SW_AppendFeldInhalt("TT_M_04");
        f->nKartenKennung = card;
        f->nFeldIndex = index;
        if (text) {
            size_t n = strlen(text);
            f->lpFeldInhalt = static_cast<char *>(T_Malloc("TT_M_05", n + 1));
            memcpy(f->lpFeldInhalt, text, n);
            f->nFeldLaenge = static_cast<uint32_t>(n);
        }
        return f;
    }

    // Program log lines without their version, date and time: "*CODE* text".
    std::vector<std::string> LogLines() const {
        std::vector<std::string> out;
        for (auto &l : Lines(ReadFile(Path("orvsafe.log")))) {
            std::string body = l.size() > 29 ? l.substr(29) : l;
            if (!body.empty() && body.back() == ' ')
                body.pop_back();
            out.push_back(body);
        }
        return out;
    }
    // Trace lines of one tag without the tag and the time.
    std::vector<std::string> TraceLines(const std::string &tag) const {
        std::vector<std::string> out;
        std::string head = "*" + tag + "* ";
        for (auto &l : Lines(ReadFile(Path("orvtrace.log")))) {
            if (l.compare(0, head.size(), head) != 0)
                continue;
            std::string body = l.substr(head.size() + 20);
            if (!body.empty() && body.back() == ' ')
                body.pop_back();
            out.push_back(body);
        }
        return out;
    }

    FakeUi ui;
};

} // namespace testsupport
