// The occupancy grid: block marks, owners, the 4 x 4 bit answer of testBlock, and the sign
// of ownerAt.
#include "battle_fixture.h"

namespace {

class GridTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        grid = new GameGrid();
        grid->init(16, 16);
    }
    GameGridPtr grid;
};

TEST_F(GridTest, BlockOperationsCoverSixteenCellsAndKeepOrDropTheOwner) {
    grid->setBlockOwner(GameGrid::item, 300, 4, 4);
    grid->setBits(GameGrid::cover, 4, 4);
    for (int y = 4; y < 8; ++y)
        for (int x = 4; x < 8; ++x) EXPECT_EQ(grid->at(x, y), GameGrid::item | GameGrid::cover | (300 << 16));
    EXPECT_EQ(grid->at(8, 4), 0);
    EXPECT_EQ(grid->at(4, 8), 0);
    EXPECT_EQ(grid->at(3, 3), 0);

    grid->clearBits(GameGrid::item, 4, 4);
    EXPECT_EQ(grid->at(5, 5), GameGrid::cover | (300 << 16)) << "clearBits keeps the owner";
    grid->setBits(GameGrid::item, 4, 4);
    grid->releaseBlock(GameGrid::item, 4, 4);
    EXPECT_EQ(grid->at(5, 5), GameGrid::cover) << "releaseBlock drops the owner too";

    grid->setOwnerAt(GameGrid::tank, 7, 6, 6);
    EXPECT_EQ(grid->at(6, 6), GameGrid::cover | GameGrid::tank | (7 << 16));
    EXPECT_EQ(grid->at(5, 6), GameGrid::cover);
}

TEST_F(GridTest, ABlockAtTheEdgeChangesOnlyCellsInsideTheField) {
    grid->setBits(GameGrid::water, 14, 14);
    EXPECT_EQ(grid->at(15, 15), GameGrid::water);
    EXPECT_EQ(grid->testBlock(GameGrid::water, 14, 14) & 0xFFFF, GameGrid::water);
}

TEST_F(GridTest, TestBlockAnswersWithTheMaskAndEachMatchingCellsOwnBit) {
    struct Case {
        int x, y, mask, expected;
    };
    grid->setBits(GameGrid::water, 4, 4);
    grid->setBlockOwner(GameGrid::tank, 20, 8, 4);
    const Case cases[] = {
        {4, 4, GameGrid::water, int32_t(0xFFFF0000u) | GameGrid::water},
        // One unit to the right: columns 1-3 of the block hold water, column 0 the tank.
        {5, 4, GameGrid::blocksTank, int32_t(0xFFFF0000u) | GameGrid::water | GameGrid::tank},
        // The lower-right cell only.
        {1, 1, GameGrid::water, int32_t(0x80000000u) | GameGrid::water},
        // The top row of a block two rows further up.
        {4, 1, GameGrid::water, int32_t(0xF0000000u) | GameGrid::water},
        {4, 1, GameGrid::tank, 0},
        {0, 0, GameGrid::blocksTank, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid->testBlock(c.mask, c.x, c.y), c.expected) << c.x << ", " << c.y << " mask " << c.mask;
}

TEST_F(GridTest, OwnerAtNeedsEveryBitOfTheMaskAndReadsASigned16BitNumber) {
    grid->setBlockOwner(GameGrid::item, 300, 0, 0);
    grid->setBlockOwner(GameGrid::item, 0x8001, 4, 0);
    grid->setBlockOwner(GameGrid::item | GameGrid::cover, 5, 8, 0);
    EXPECT_EQ(grid->ownerAt(GameGrid::item, 0, 0), 300);
    EXPECT_EQ(grid->ownerAt(GameGrid::tank, 0, 0), -1);
    EXPECT_EQ(grid->ownerAt(GameGrid::item | GameGrid::cover, 0, 0), -1);
    EXPECT_EQ(grid->ownerAt(GameGrid::item | GameGrid::cover, 8, 0), 5);
    EXPECT_EQ(grid->ownerAt(GameGrid::item, 4, 0), -32767) << "the owner reads as a signed 16-bit value";
    EXPECT_EQ(grid->ownerField(4, 0), 0x8001) << "the hit test reads all 16 bits";
}

}  // namespace
