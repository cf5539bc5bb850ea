#include "frame/trace.h"
#include "model/list_sorts.h"
#include "platform/platform.h"
#include "support/exchange_sort_ref.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace testsupport;

namespace {
class ListSorts : public ModelTest {
  protected:
    // Every folder as "name:id:order:item", in list order.
    static std::vector<std::string> Folders() {
        std::vector<std::string> out;
        for (ORDNER *o = lpORDNERstart; o; o = o->next)
            out.push_back(std::string(o->cOrdnerName) + ":" + std::to_string(o->nOrdnerKennung) + ":" +
                          std::to_string(o->nOrdnerOrder) + ":" + std::to_string(TRACE_PTR(o->hOrdnerTree)));
        return out;
    }
    static std::vector<std::string> Cards() {
        std::vector<std::string> out;
        for (KARTE *k = lpKARTEstart; k; k = k->next)
            out.push_back(std::string(k->cKartenName) + ":" + std::to_string(k->nOrdnerKennung) + ":" +
                          std::to_string(k->nKartenKennung) + ":" + std::to_string(k->nKartenOrder));
        return out;
    }
    template <typename T> static std::vector<T *> Addresses(T *start) {
        std::vector<T *> out;
        for (T *r = start; r; r = r->next)
            out.push_back(r);
        return out;
    }
};
} // namespace

TEST_F(ListSorts, FoldersWithEqualOrdersEndAsTheExchangeSortLeavesThem) {
    AddFolder(1, 2, "A");
    AddFolder(2, 2, "B");
    AddFolder(3, 1, "C");
    auto places = Addresses(lpORDNERstart);
    SW_SortOrdner();
    EXPECT_EQ(Folders(), (std::vector<std::string>{"C:3:1:0", "B:2:2:0", "A:1:3:0"}));
    EXPECT_EQ(Addresses(lpORDNERstart), places) << "contents move, records keep their places";
    EXPECT_EQ(lpORDNERact, places.back());
}

TEST_F(ListSorts, ANewFolderWithOrder9999GoesLast) {
    AddFolder(4, 9999, "new", Item(0x40));
    AddFolder(1, 1, "one", Item(0x10));
    AddFolder(2, 2, "two", Item(0x20));
    SW_SortOrdner();
    EXPECT_EQ(Folders(), (std::vector<std::string>{"one:1:1:16", "two:2:2:32", "new:4:3:64"}))
        << "the tree handle travels with its folder";
}

TEST_F(ListSorts, FoldersMatchThePlainExchangeSortOnRandomOrders) {
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        std::vector<uint32_t> orders(rng() % 30);
        for (auto &o : orders)
            o = (round % 4 == 0 && rng() % 3 == 0) ? 9999 : rng() % (1 + round % 6);
        auto build = [&] {
            ReleaseAll();
            for (size_t i = 0; i < orders.size(); ++i)
                AddFolder(static_cast<uint32_t>(i + 1), orders[i], ("f" + std::to_string(i)).c_str());
        };
        build();
        RefSortOrdner();
        auto expected = Folders();
        build();
        SW_SortOrdner();
        ASSERT_EQ(Folders(), expected) << "round " << round;
    }
}

TEST_F(ListSorts, CardsAreSortedAndNumberedWithinEachFolder) {
    AddFolder(1, 1, "one");
    AddFolder(2, 2, "two");
    AddCard(2, 1, 9999, "new2");
    AddCard(1, 2, 2, "a");
    AddCard(2, 3, 1, "b");
    AddCard(1, 4, 2, "c");
    AddCard(7, 5, 3, "lost"); // a folder that does not exist: left as it is
    AddCard(1, 6, 1, "d");
    auto places = Addresses(lpKARTEstart);
    SW_SortKarten();
    EXPECT_EQ(Cards(), (std::vector<std::string>{"b:2:3:1", "d:1:6:1", "new2:2:1:2", "c:1:4:2", "lost:7:5:3",
                                                 "a:1:2:3"}));
    EXPECT_EQ(Addresses(lpKARTEstart), places);
}

TEST_F(ListSorts, CardsMatchThePlainExchangeSortOnRandomSafes) {
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        int folders = 1 + rng() % 6;
        struct Desc {
            uint32_t folder, order;
        };
        std::vector<Desc> cards(rng() % 60);
        for (auto &c : cards)
            c = {1 + static_cast<uint32_t>(rng() % (folders + 1)), // now and then no such folder
                 (rng() % 8 == 0) ? 9999u : static_cast<uint32_t>(rng() % (1 + round % 5))};
        auto build = [&] {
            ReleaseAll();
            // Folder list order differs from id order; every third round many folders share ids.
            for (int f = folders; f >= 1; --f)
                for (int twin = 0; twin < (round % 3 == 0 ? f : 1); ++twin)
                    AddFolder(static_cast<uint32_t>(round % 3 == 0 ? 1 + f % 2 : f), static_cast<uint32_t>(f), "f");
            for (size_t i = 0; i < cards.size(); ++i)
                AddCard(cards[i].folder, static_cast<uint32_t>(i + 1), cards[i].order,
                        ("k" + std::to_string(i)).c_str());
        };
        build();
        RefSortKarten();
        auto expected = Cards();
        build();
        SW_SortKarten();
        ASSERT_EQ(Cards(), expected) << "round " << round;
    }
}

TEST_F(ListSorts, FoldersSharingAnIdSortTheirCardsOnceAsOneFolderWould) {
    auto build = [&](int twins) {
        ReleaseAll();
        AddFolder(2, 1, "other");
        for (int i = 0; i < twins; ++i)
            AddFolder(1, static_cast<uint32_t>(i + 2), "twin");
        AddCard(1, 1, 2, "a");
        AddCard(2, 2, 5, "x");
        AddCard(1, 3, 2, "b");
        AddCard(1, 4, 1, "c");
    };
    build(1);
    PL_ResetFaults();
    SW_SortKarten();
    const int once = PL_CallCount(PL_FAULT_ALLOC);
    build(500); // a crafted safe
    PL_ResetFaults();
    SW_SortKarten();
    EXPECT_EQ(Cards(), (std::vector<std::string>{"c:1:4:1", "x:2:2:1", "b:1:3:2", "a:1:1:3"}));
    EXPECT_EQ(PL_CallCount(PL_FAULT_ALLOC), once) << "the work does not grow with the folders sharing an id";
}

TEST_F(ListSorts, SortDumpsBeforeAndAfter) {
    AddFolder(1, 2, "A");
    AddCard(1, 1, 1, "k");
    dwTraceLevel = TRACE_DUMP_SORT;
    SW_SortOrdner();
    SW_SortKarten();
    auto before = TraceLines("DMP B S"), after = TraceLines("DMP A S");
    ASSERT_EQ(before.size(), 4u);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(before[0].substr(0, 16), "** lpORDNERstart");
    EXPECT_NE(before[1].find("Foldertable"), std::string::npos);
    EXPECT_NE(before[1].find("nOrdnerOrder=2 "), std::string::npos);
    EXPECT_NE(after[1].find("nOrdnerOrder=1 "), std::string::npos);
    EXPECT_EQ(before[2].substr(0, 15), "** lpKARTEstart");
    EXPECT_NE(after[3].find("Cardtable"), std::string::npos);
}
