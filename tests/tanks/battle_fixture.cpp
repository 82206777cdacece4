#include "battle_fixture.h"
#include "captured_diagnostics.h"
#include "gamelib.h"
#include "gametables.h"
#include "sound.h"
#include "tanktunables.h"

using dfc::lang::DbyteArray;

void BattleTest::SetUp() {
    GameTables::initTanks();
    TankTunables::setDefaults();
    GameLib::sharedRandom = new dfc::util::DRandom();
    GameLib::sharedRandom->setSeed(7);
    Sound::soundTable = new dfc::microedition::media::DPlayerArray(5);
    beginDiagnostics();
    battle = new GameTanks();
    battle->makeObjects();
    battle->newGame();
}

void BattleTest::TearDown() {
    battle = nullptr;
    endDiagnostics();
    Sound::soundTable = nullptr;
    GameLib::sharedRandom = nullptr;
    GameTables::releaseTanks();
}

TankLevelRecordPtr BattleTest::record(const std::vector<std::vector<int>>& rows, const std::vector<int>& types) {
    TankLevelRecordPtr result = new TankLevelRecord();
    result->heightTiles = int(rows.size());
    result->widthTiles = int(rows[0].size());
    result->tiles = new DbyteArray(result->widthTiles * result->heightTiles);
    for (int row = 0; row < result->heightTiles; ++row)
        for (int column = 0; column < result->widthTiles; ++column)
            result->tiles[row * result->widthTiles + column] = int8_t(rows[row][column]);
    result->types = new DbyteArray(TankLevelRecord::enemyCount);
    for (int i = 0; i < int(types.size()); ++i) result->types[i] = int8_t(types[i]);
    return result;
}

void BattleTest::buildField(const std::vector<std::vector<int>>& extra) {
    std::vector<std::vector<int>> rows(5, std::vector<int>(5, tile::road));
    rows[0][0] = rows[0][4] = tile::enemy;
    rows[4][0] = tile::player;
    rows[4][2] = tile::base;
    for (const std::vector<int>& change : extra) rows[change[1]][change[0]] = change[2];
    ASSERT_TRUE(battle->buildField(record(rows)));
}

GBULPtr BattleTest::bullet(bool byPlayer, int x, int y, int direction, int power) {
    GBULPtr shot = byPlayer ? battle->playerBullets[0] : battle->enemyBullets[0];
    shot->active = true;
    shot->byPlayer = byPlayer;
    shot->state = GBUL::FLYING;
    shot->x = x;
    shot->y = y;
    shot->direction = direction;
    shot->power = power;
    return shot;
}

GTNKPtr BattleTest::enemyAt(int index, int type, int x, int y, int direction) {
    GTNKPtr tank = battle->enemies[index];
    tank->init(type);
    tank->hasBeenBorn = true;
    tank->place(x, y, direction);
    battle->grid->setBlockOwner(GameGrid::tank, index, x, y);
    return tank;
}

std::string BattleTest::diagnostics() const {
    return printedDiagnostics();
}
