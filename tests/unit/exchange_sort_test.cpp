#include "frame/memory.h"
#include "model/exchange_sort.h"
#include "support/exchange_sort_ref.h"
#include "support/model_fixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace testsupport;

namespace {
class ExchangeSort : public ModelTest {};

std::vector<uint32_t> Fast(const std::vector<uint32_t> &keys) {
    std::vector<uint32_t> order(keys.size(), 0xDEADu);
    EXPECT_EQ(SW_ExchangeSortOrder(keys.data(), static_cast<uint32_t>(keys.size()), order.data()), 0);
    return order;
}
} // namespace

TEST_F(ExchangeSort, EqualKeysEndAsTheExchangeSortLeavesThem) {
    // Orders 2, 2, 1 end as the third, the second, the first record: not stable.
    EXPECT_EQ(Fast({2, 2, 1}), (std::vector<uint32_t>{2, 1, 0}));
    EXPECT_EQ(Fast({}), std::vector<uint32_t>{});
    EXPECT_EQ(Fast({7}), std::vector<uint32_t>{0});
    EXPECT_EQ(Fast({1, 2, 3}), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(Fast({5, 5, 5}), (std::vector<uint32_t>{0, 1, 2})) << "nothing strictly smaller: nothing moves";
    EXPECT_EQ(Fast({3, 9999, 1, 2}), (std::vector<uint32_t>{2, 3, 0, 1}));
    // Compared unsigned: the largest value sorts last.
    EXPECT_EQ(Fast({0xFFFFFFFFu, 0, 0x80000000u}), (std::vector<uint32_t>{1, 2, 0}));
}

TEST_F(ExchangeSort, SameArrangementAsThePlainSortOnRandomKeysWithManyTies) {
    std::mt19937 rng(20060301);
    for (int round = 0; round < 20000; ++round) {
        size_t n = rng() % 40;
        uint32_t range = 1 + rng() % (round % 3 == 0 ? 3 : 12);
        std::vector<uint32_t> keys(n);
        for (auto &k : keys) {
            k = rng() % range;
            if (round % 7 == 0 && k == range - 1)
                k = 9999; // new records waiting to go last
            if (round % 11 == 0 && k % 2)
                k = 0xFFFFFFFFu - k;
        }
        ASSERT_EQ(Fast(keys), RefExchangeOrder(keys)) << "round " << round;
    }
}

TEST_F(ExchangeSort, SameArrangementOnLongListsOfFewOrders) {
    std::mt19937 rng(7);
    for (uint32_t range : {2u, 5u, 50u, 2000u}) {
        std::vector<uint32_t> keys(1500);
        for (auto &k : keys)
            k = rng() % range;
        EXPECT_EQ(Fast(keys), RefExchangeOrder(keys)) << "orders 0.." << range - 1;
    }
    std::vector<uint32_t> descending(300);
    for (uint32_t i = 0; i < 300; ++i)
        descending[i] = (300 - i) / 3; // runs of three equal orders, falling
    EXPECT_EQ(Fast(descending), RefExchangeOrder(descending));
}

TEST_F(ExchangeSort, OutOfMemoryLeavesTheOrderUntouched) {
    std::vector<uint32_t> keys{2, 2, 1, 1}, order(4, 77);
    PL_FailCall(PL_FAULT_ALLOC, 2); // the scratch for equal orders
    EXPECT_EQ(SW_ExchangeSortOrder(keys.data(), 4, order.data()), -1);
    EXPECT_EQ(order, (std::vector<uint32_t>(4, 77)));
    EXPECT_EQ(ui.quits.size(), 1u) << "the allocator ends the program in order";
    T_ResetOutOfMemory();
}
