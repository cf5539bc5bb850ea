#include "frame/trace.h"
#include "model/field_sorts.h"
#include "support/exchange_sort_ref.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace testsupport;

namespace {
class FieldSorts : public ModelTest {
  protected:
    static std::vector<std::string> Fields() {
        std::vector<std::string> out;
        for (FELDTABELLE *f = lpFELDTABELLEstart; f; f = f->next)
            out.push_back(std::string(f->feldname) + ":" + std::to_string(f->nOrdnerKennung) + ":" +
                          std::to_string(f->nFeldIndex) + ":" + std::to_string(f->nFeldOrder));
        return out;
    }
    static std::vector<std::string> CardFields() {
        std::vector<std::string> out;
        for (FELDTABCARD *f = lpFELDTABCARDstart; f; f = f->next)
            out.push_back(std::string(f->FeldName) + ":" + std::to_string(f->KartenKennung) + ":" +
                          std::to_string(f->FeldIndex) + ":" + std::to_string(f->FeldOrder));
        return out;
    }
    struct Desc {
        uint32_t key, order;
    };
    // Groups of random sizes and random orders; with `scatter` a key may come back
    // later in the list (a damaged safe), otherwise each key's records lie together.
    static std::vector<Desc> RandomTable(std::mt19937 &rng, bool scatter) {
        std::vector<Desc> out;
        uint32_t groups = rng() % 6, key = 1 + rng() % 3;
        for (uint32_t g = 0; g < groups; ++g) {
            key = scatter ? 1 + rng() % 4 : key + 1 + rng() % 2;
            uint32_t size = rng() % 9, range = 1 + rng() % 6;
            for (uint32_t i = 0; i < size; ++i)
                out.push_back({key, static_cast<uint32_t>(rng() % range)});
        }
        return out;
    }
};
} // namespace

TEST_F(FieldSorts, AFolderReadsInOrderAndOnlyContentsMove) {
    FELDTABELLE *a = AddField(1, 0, 3, "three");
    FELDTABELLE *b = AddField(1, 1, 1, "one");
    FELDTABELLE *c = AddField(1, 2, 2, "two");
    AddField(2, 0, 5, "other-a");
    AddField(2, 1, 7, "other-b");
    FW_SortFieldTable();
    EXPECT_EQ(Fields(), (std::vector<std::string>{"one:1:1:1", "two:1:2:2", "three:1:0:3", "other-a:2:0:1",
                                                  "other-b:2:1:2"}));
    EXPECT_EQ(lpFELDTABELLEstart, a) << "records keep their places in the list";
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, c);
    EXPECT_STREQ(a->feldname, "one") << "a pointer taken before the sort now shows another field";
}

TEST_F(FieldSorts, EqualOrdersEndAsTheExchangeSortLeavesThem) {
    AddCardField(4, 0, 2, "A");
    AddCardField(4, 1, 2, "B");
    AddCardField(4, 2, 1, "C");
    FW_SortCardFieldTab();
    EXPECT_EQ(CardFields(), (std::vector<std::string>{"C:4:2:1", "B:4:1:2", "A:4:0:3"}));
}

TEST_F(FieldSorts, FolderFieldsMatchThePlainSortOnRandomTables) {
    std::mt19937 rng(3);
    for (int round = 0; round < 600; ++round) {
        auto table = RandomTable(rng, round % 3 == 0);
        auto build = [&] {
            ReleaseAll();
            for (size_t i = 0; i < table.size(); ++i)
                AddField(table[i].key, static_cast<uint32_t>(i), table[i].order, ("f" + std::to_string(i)).c_str());
        };
        build();
        RefSortFieldTable();
        auto expected = Fields();
        build();
        FW_SortFieldTable();
        ASSERT_EQ(Fields(), expected) << "round " << round;
    }
}

TEST_F(FieldSorts, CardFieldsMatchThePlainSortOnRandomTables) {
    std::mt19937 rng(4);
    for (int round = 0; round < 600; ++round) {
        auto table = RandomTable(rng, round % 3 == 1);
        auto build = [&] {
            ReleaseAll();
            for (size_t i = 0; i < table.size(); ++i)
                AddCardField(table[i].key, static_cast<uint32_t>(i), table[i].order,
                             ("f" + std::to_string(i)).c_str());
        };
        build();
        RefSortCardFieldTab();
        auto expected = CardFields();
        build();
        FW_SortCardFieldTab();
        ASSERT_EQ(CardFields(), expected) << "round " << round;
    }
}

TEST_F(FieldSorts, SortDumpsFirstAndAtTheEnd) {
    AddField(1, 0, 2, "x");
    AddCardField(1, 0, 1, "y");
    dwTraceLevel = TRACE_DUMP_SORT;
    FW_SortFieldTable();
    FW_SortCardFieldTab();
    auto before = TraceLines("DMP B S"), after = TraceLines("DMP E S");
    ASSERT_EQ(before.size(), 4u);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(before[0].substr(0, 20), "** lpFELDTABELLEstar");
    EXPECT_NE(before[1].find("nFeldOrder=02"), std::string::npos);
    EXPECT_NE(after[1].find("nFeldOrder=01"), std::string::npos);
    EXPECT_NE(after[3].find("Cardfieldtable"), std::string::npos);
}
