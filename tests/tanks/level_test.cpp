// The level file: records found by level number, damaged files refused with a diagnostic,
// and tile bytes turned into the field (ground, cover, items, starts, base, enemy types).
#include "battle_fixture.h"
#include "dbytearrayinputstream.h"
#include "text.h"

using dfc::io::DByteArrayInputStream;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;

namespace {

class LevelTest : public BattleTest {};

// A 2 x 1 field: record r holds the tiles r and 100 + r and the types r, r, ... .
DbyteArrayPtr levelFile(int records = 20, int cut = 0) {
    std::vector<int8_t> bytes{2, 1};
    for (int r = 0; r < records; ++r) {
        bytes.push_back(int8_t(r));
        bytes.push_back(int8_t(100 + r));
        for (int i = 0; i < 20; ++i) bytes.push_back(int8_t(r));
    }
    bytes.resize(bytes.size() - size_t(cut));
    DbyteArrayPtr array = new DbyteArray(int(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array[int(i)] = bytes[i];
    return array;
}

TEST_F(LevelTest, LevelLReadsRecordLModulo20) {
    struct Case {
        int level, record;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{19, 19}, Case{20, 0}, Case{21, 1}}) {
        TankLevelRecordPtr read = TankLevelRecord::read(new DByteArrayInputStream(levelFile()), c.level);
        ASSERT_TRUE(read) << c.level;
        EXPECT_EQ(read->widthTiles, 2);
        EXPECT_EQ(read->heightTiles, 1);
        EXPECT_EQ(read->tile(0, 0), c.record) << "level " << c.level;
        EXPECT_EQ(read->tile(1, 0), 100 + c.record);
        EXPECT_EQ(read->type(19), c.record);
    }
    EXPECT_EQ(TankLevelRecord::recordOffset(13, 18, 21), 13 * 18 + 20);
}

TEST_F(LevelTest, AShortOrEmptyFileIsRefusedWithADiagnostic) {
    EXPECT_FALSE(TankLevelRecord::read(new DByteArrayInputStream(levelFile(20, 1)), 19));
    // The record and how it is damaged, not the source that found it so.
    EXPECT_EQ(diagnostics(), "tanks: level file damaged: record 19 cannot be read: the data ends early\r\n");
    EXPECT_TRUE(TankLevelRecord::read(new DByteArrayInputStream(levelFile(20, 1)), 18)) << "earlier records are whole";
    EXPECT_FALSE(TankLevelRecord::read(new DByteArrayInputStream(levelFile(3)), 5));
    EXPECT_FALSE(TankLevelRecord::read(new DByteArrayInputStream(new DbyteArray(1)), 1));
    DbyteArrayPtr empty = levelFile();
    empty[0] = 0;
    EXPECT_FALSE(TankLevelRecord::read(new DByteArrayInputStream(empty), 1));
    EXPECT_NE(diagnostics().find("level file damaged"), std::string::npos) << diagnostics();
}

TEST_F(LevelTest, TileBytesGiveGroundCoverItemsAndMarks) {
    struct Case {
        int byte;
        int cell;      // the low bits of the block's cells
        int itemKind;  // -1: none
    };
    const Case cases[] = {
        {0, 0, -1},
        {1, 0x01, -1},
        {2, 0x02, -1},
        {5, 0x10, -1},
        {6, 0, -1},
        {7, 0, -1},
        {1 | 1 << 3, 0x01 | GameGrid::cover, -1},
        // Walls and houses stand on bare earth, even over water.
        {2 | 2 << 3, 0x04 | GameGrid::item, 0},
        {1 | 3 << 3, 0x04 | GameGrid::item, 1},
        {4 | 4 << 3, 0x04 | GameGrid::item, 2},
        {3 | 8 << 3, 0x04 | GameGrid::item, 3},
        {1 | 31 << 3, 0x01 | GameGrid::item, 26},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.byte);
        buildField({{3, 1, c.byte}});
        EXPECT_EQ(battle->grid->at(12, 4) & 0xFFFF, c.cell);
        EXPECT_EQ(battle->grid->at(15, 7) & 0xFFFF, c.cell);
        const int owner = battle->grid->ownerAt(GameGrid::item, 12, 4);
        if (c.itemKind < 0) {
            EXPECT_EQ(owner, -1);
        } else {
            ASSERT_GE(owner, 0);
            EXPECT_EQ(battle->items[owner]->kind, c.itemKind);
            EXPECT_EQ(battle->items[owner]->x, 12);
            EXPECT_EQ(battle->items[owner]->y, 4);
        }
    }
}

TEST_F(LevelTest, StartsBaseAndTheFirstEnemiesArePlaced) {
    buildField();
    EXPECT_EQ(battle->starts[0][0], 0);
    EXPECT_EQ(battle->starts[0][1], 16);
    EXPECT_EQ(battle->starts[0][2], GTNK::UP);
    EXPECT_EQ(battle->starts[1][0], 0);
    EXPECT_EQ(battle->starts[2][0], 16);
    EXPECT_EQ(battle->starts[2][2], GTNK::DOWN);
    EXPECT_EQ(battle->starts[3][0], -1);
    EXPECT_EQ(battle->spawnPoints, 2);
    EXPECT_EQ(battle->baseX, 8);
    EXPECT_EQ(battle->baseY, 16);
    EXPECT_TRUE(battle->grid->at(11, 19) & GameGrid::base);
    EXPECT_EQ(battle->player->armour, 3) << "a new game starts with three lives";
    EXPECT_EQ(battle->player->y, 16);
    EXPECT_TRUE(battle->enemies[19]->isState(GTNK::BORN));
    EXPECT_TRUE(battle->enemies[18]->isState(GTNK::BORN));
    EXPECT_EQ(battle->enemies[18]->x, 16);
    EXPECT_FALSE(battle->enemies[17]->hasBeenBorn);
    EXPECT_EQ(battle->grid->ownerAt(GameGrid::tank, 16, 0), 18);
}

TEST_F(LevelTest, ExtraStartsAreDroppedAndAMapWithoutPlayerStartOrBaseIsRefused) {
    std::vector<std::vector<int>> rows(2, std::vector<int>(7, tile::enemy));
    rows[1] = {tile::player, tile::base, 0, 0, 0, 0, 0};
    ASSERT_TRUE(battle->buildField(record(rows)));
    EXPECT_EQ(battle->spawnPoints, 5);
    EXPECT_NE(diagnostics().find("a start point too many"), std::string::npos);

    rows[1] = {0, tile::base, 0, 0, 0, 0, 0};
    EXPECT_FALSE(battle->buildField(record(rows)));
    rows[1] = {tile::player, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(battle->buildField(record(rows)));
    EXPECT_NE(diagnostics().find("no player start or no base"), std::string::npos);
}

TEST_F(LevelTest, AnEnemyTypeAbove7IsTakenModulo8WithADiagnostic) {
    std::vector<std::vector<int>> rows{{tile::enemy, tile::player, tile::base}};
    ASSERT_TRUE(battle->buildField(record(rows, {9, 3, 255})));
    EXPECT_EQ(battle->enemies[0]->type, 1);
    EXPECT_EQ(battle->enemies[1]->type, 3);
    EXPECT_EQ(battle->enemies[2]->type, 7);
    EXPECT_EQ(battle->enemies[2]->armour, 2);
    EXPECT_NE(diagnostics().find("enemy type 9"), std::string::npos) << diagnostics();
}

TEST_F(LevelTest, WithoutEnemyStartsNoEnemyArrives) {
    std::vector<std::vector<int>> rows{{tile::player, tile::base}};
    ASSERT_TRUE(battle->buildField(record(rows)));
    EXPECT_EQ(battle->nextSpawnPoint(), -1);
    battle->spawnCountdown = -1;
    EXPECT_TRUE(battle->updateTanks());
    for (int i = 0; i < GameTanks::enemyCount; ++i) EXPECT_FALSE(battle->enemies[i]->hasBeenBorn);
}

TEST_F(LevelTest, BaseWallsAreTheItemsRoundTheBaseInsideTheField) {
    buildField({{1, 3, tile::house}, {2, 3, tile::stoneHouse}, {3, 4, tile::crate}, {4, 4, tile::house}});
    ASSERT_EQ(battle->baseWallCount, 3);
    EXPECT_EQ(battle->baseWalls[0][1], 1);
    EXPECT_EQ(battle->baseWalls[1][1], 2);
    EXPECT_EQ(battle->baseWalls[2][1], 3);
}

}  // namespace

namespace {

TEST_F(LevelTest, ALevelFileThatCannotBeOpenedLeavesTheLevelUnloaded) {
    buildField();
    battle->levelCounter = 1;
    battle->loadLevel();
    EXPECT_FALSE(battle->levelLoaded);
    EXPECT_NE(diagnostics().find("cannot be opened"), std::string::npos) << diagnostics();
}

}  // namespace
