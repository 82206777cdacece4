// What the river ring's slots hold, through rows drawn, rows of partial cells and the ring's
// copy of itself one slot up.
#include <gtest/gtest.h>
#include <cstdint>
#include "ringrows.h"

namespace {

constexpr int columns = 3;
const int32_t road[columns] = {1, 2, 3}, bank[columns] = {1, 2, 4}, ford[columns] = {5, 5, 5};

TEST(RingRowsTest, FindsRowsItHoldsAndForgetsPartialOnes) {
    RingRows rows;
    rows.reset(4, columns);
    EXPECT_FALSE(rows.holds(0, road)) << "nothing is known at first";
    rows.record(0, road);
    rows.record(2, bank);
    EXPECT_TRUE(rows.holds(0, road));
    EXPECT_FALSE(rows.holds(0, bank)) << "a row differing in its last cell";
    EXPECT_EQ(rows.find(road, 3), 0);
    EXPECT_EQ(rows.find(road, 0), -1) << "the slot asked for is not its own source";
    EXPECT_EQ(rows.find(ford, 3), -1);
    rows.record(2, nullptr);
    EXPECT_EQ(rows.find(bank, 3), -1) << "a row drawn over with partial cells is no longer known";
    EXPECT_FALSE(rows.holds(9, road));
    EXPECT_FALSE(rows.holds(-1, road));
}

TEST(RingRowsTest, ShiftsUpWithTheRingOrForgetsAll) {
    RingRows rows;
    rows.reset(3, columns);
    rows.record(0, road);
    rows.record(1, bank);
    rows.record(2, ford);
    rows.shiftUp(true);
    EXPECT_TRUE(rows.holds(0, bank));
    EXPECT_TRUE(rows.holds(1, ford));
    EXPECT_TRUE(rows.holds(2, ford)) << "the last slot is left as it was";
    EXPECT_EQ(rows.find(road, -1), -1) << "the top row is gone";
    rows.shiftUp(false);
    for (int slot = 0; slot < 3; ++slot) EXPECT_FALSE(rows.holds(slot, ford)) << slot;
}

}  // namespace
