#include <gtest/gtest.h>
#include <climits>
#include "drandom.h"

using dfc::util::DRandom;

TEST(Random, TheSequenceAfterSeedZero) {
    DRandom r;
    r.setSeed(0);
    EXPECT_EQ(r.low, 0xDEECE66Du);
    EXPECT_EQ(r.high, 5u);
    EXPECT_EQ(r.nextInt(), -1155484576);
    EXPECT_EQ(r.nextInt(), -723955400);
    EXPECT_EQ(r.nextInt(), 1033096058);
}

TEST(Random, NarrowDrawsAreTheTopBitsOfTheSameState) {
    DRandom a, b;
    a.setSeed(12345);
    b.setSeed(12345);
    for (int i = 0; i < 100; ++i) {
        int32_t full = a.nextInt();
        int32_t one = b.next(1);
        EXPECT_EQ(one, int32_t(uint32_t(full) >> 31));
        EXPECT_TRUE(one == 0 || one == 1);
    }
}

TEST(Random, BoundedDrawsAreNeverNegative) {
    struct Case {
        int32_t draw;
        int n;
        int expected;
    } cases[] = {{7, 5, 2}, {-7, 5, 2}, {INT_MIN, 5, 3}, {INT_MIN, 2, 0}, {INT_MAX, 100, 47}, {0, 9, 0}};
    for (const Case& c : cases) EXPECT_EQ(DRandom::absMod(c.draw, c.n), c.expected) << c.draw;
    DRandom r;
    r.setSeed(99);
    for (int i = 0; i < 1000; ++i) {
        int v = r.nextAbsMod(11);
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 11);
    }
}
