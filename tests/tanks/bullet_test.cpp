// What a bullet hits: the base before and after the level is decided, items by kind and
// power, the player with and without the shield, enemies while appearing, marked or
// armoured, and an opposing bullet.
#include "battle_fixture.h"
#include "tanktunables.h"

namespace {

class BulletTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        buildField();
    }
};

TEST_F(BulletTest, AShotAtTheBaseLosesTheLevelAndALifeUnlessTheLevelIsDecided) {
    GBULPtr shot = bullet(true, 9, 16, GTNK::DOWN);
    EXPECT_TRUE(battle->updateBullet(shot));
    EXPECT_EQ(shot->state, GBUL::BURSTING);
    EXPECT_TRUE(battle->levelOver);
    EXPECT_FALSE(battle->levelWon);
    EXPECT_EQ(battle->player->armour, 2) << "the player's own shot costs a life too";

    battle->levelOver = true;
    battle->levelWon = true;
    shot = bullet(false, 10, 16, GTNK::DOWN);
    battle->updateBullet(shot);
    EXPECT_FALSE(battle->levelWon) << "a late shot at the base loses a won level";
    EXPECT_EQ(battle->player->armour, 2) << "but costs no life";
}

TEST_F(BulletTest, ItemsWearDownByKindAndPower) {
    struct Case {
        int tileByte, power, hitPoints;
        bool standing;
    };
    const Case cases[] = {
        {tile::steel, 1, 8, true},      {tile::steel, 2, 8, true},     {tile::steel, 4, 4, true},
        {tile::house, 1, 2, true},      {tile::house, 2, 1, true},     {tile::house, 4, -1, false},
        {tile::stoneHouse, 1, 2, true}, {tile::stoneHouse, 2, 1, true}, {tile::stoneHouse, 4, -1, false},
        {tile::crate, 1, 0, false},     {tile::crate, 2, -1, false},   {tile::crate, 4, -3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.tileByte) + " power " + std::to_string(c.power));
        buildField({{2, 2, c.tileByte}});
        const int index = battle->grid->ownerAt(GameGrid::item, 8, 8);
        ASSERT_GE(index, 0);
        GBULPtr shot = bullet(true, 9, 8, GTNK::UP, c.power);
        EXPECT_TRUE(battle->updateBullet(shot));
        EXPECT_EQ(shot->state, GBUL::BURSTING);
        EXPECT_EQ(battle->items[index]->hitPoints, c.hitPoints);
        EXPECT_EQ(battle->items[index]->active, c.standing);
        EXPECT_EQ(battle->grid->testBlock(GameGrid::item, 8, 8) != 0, c.standing) << "a fallen item frees its block";
    }
}

TEST_F(BulletTest, TheHitItemIsNamedByAllSixteenOwnerBits) {
    battle->items = new GITMArray(400);
    for (int i : {44, 300}) {
        battle->items[i] = new GITM();
        battle->items[i]->init(GITM::firstHouse, 8, 8);
    }
    battle->grid->setBlockOwner(GameGrid::item, 300, 8, 8);
    battle->updateBullet(bullet(true, 9, 8, GTNK::UP));
    EXPECT_EQ(battle->items[300]->hitPoints, 2);
    EXPECT_EQ(battle->items[44]->hitPoints, 3) << "300 AND 0xFF is 44";
}

TEST_F(BulletTest, AnEnemyShotCostsTheUnshieldedPlayerALife) {
    GTNKPtr player = battle->player;
    player->place(8, 8, GTNK::LEFT);
    player->type = 2;
    battle->grid->setBlockOwner(GameGrid::tank, GameTanks::playerOwner, 8, 8);

    battle->shieldTimer = 100;
    GBULPtr shot = bullet(false, 9, 9, GTNK::DOWN);
    battle->updateBullet(shot);
    EXPECT_EQ(shot->state, GBUL::BURSTING) << "the shot bursts on the shield";
    EXPECT_EQ(player->armour, 3);

    battle->shieldTimer = -30;
    battle->updateBullet(bullet(false, 9, 9, GTNK::DOWN));
    EXPECT_EQ(player->armour, 2);
    EXPECT_EQ(player->type, 0);
    EXPECT_EQ(player->x, 0);
    EXPECT_EQ(player->y, 16);
    EXPECT_EQ(player->direction, GTNK::UP);
    EXPECT_EQ(battle->shieldTimer, TankTunables::shieldAtStart);
    EXPECT_EQ(battle->grid->testBlock(GameGrid::tank, 8, 8), 0);
    EXPECT_FALSE(battle->levelOver);
}

TEST_F(BulletTest, TheLastLifeLostEndsTheLevel) {
    battle->player->armour = 1;
    battle->shieldTimer = -30;
    battle->grid->setBlockOwner(GameGrid::tank, GameTanks::playerOwner, 0, 16);
    battle->updateBullet(bullet(false, 1, 17, GTNK::DOWN));
    EXPECT_EQ(battle->player->armour, 0);
    EXPECT_TRUE(battle->playerDead);
    EXPECT_TRUE(battle->levelOver);
    EXPECT_FALSE(battle->levelWon);
}

TEST_F(BulletTest, ThePlayersShotOnEnemies) {
    // Appearing: the shot bursts, the enemy is unharmed.
    GTNKPtr appearing = battle->enemies[19];
    GBULPtr shot = bullet(true, 1, 3, GTNK::UP);
    battle->updateBullet(shot);
    EXPECT_EQ(shot->state, GBUL::BURSTING);
    EXPECT_EQ(appearing->armour, 1);
    EXPECT_FALSE(appearing->isDestroyed);

    // Marked: a bonus appears, and the enemy goes.
    GTNKPtr marked = enemyAt(0, 4, 8, 4, GTNK::DOWN);
    battle->updateBullet(bullet(true, 9, 7, GTNK::UP));
    EXPECT_TRUE(marked->isDestroyed);
    EXPECT_EQ(battle->bonusTimer, TankTunables::bonusShown);
    EXPECT_EQ(battle->kills(0), 1);
    EXPECT_EQ(battle->grid->testBlock(GameGrid::tank, 8, 4), 0);

    // Armour 2: two shots of power 1.
    GTNKPtr heavy = enemyAt(1, 3, 12, 8, GTNK::DOWN);
    battle->updateBullet(bullet(true, 13, 11, GTNK::UP));
    EXPECT_FALSE(heavy->isDestroyed);
    EXPECT_EQ(heavy->armour, 1);
    battle->updateBullet(bullet(true, 13, 11, GTNK::UP));
    EXPECT_TRUE(heavy->isDestroyed);
    EXPECT_EQ(battle->kills(3), 1);
}

TEST_F(BulletTest, AnEnemysShotPassesOverEnemies) {
    enemyAt(0, 0, 8, 4, GTNK::DOWN);
    GBULPtr shot = bullet(false, 9, 7, GTNK::UP);
    EXPECT_TRUE(battle->updateBullet(shot));
    EXPECT_EQ(shot->state, GBUL::FLYING);
    EXPECT_FALSE(battle->enemies[0]->isDestroyed);
}

TEST_F(BulletTest, OpposingBulletsWithinAUnitTakeEachOtherOut) {
    GBULPtr mine = bullet(true, 8, 10, GTNK::UP);
    GBULPtr theirs = bullet(false, 9, 9, GTNK::DOWN);
    EXPECT_TRUE(battle->updateBullet(theirs));
    EXPECT_FALSE(mine->active);
    EXPECT_EQ(theirs->state, GBUL::BURSTING);

    mine = bullet(true, 8, 10, GTNK::UP);
    theirs = bullet(false, 9, 11, GTNK::DOWN);
    EXPECT_FALSE(battle->updateBullet(mine));
    EXPECT_EQ(theirs->state, GBUL::BURSTING);

    theirs = bullet(false, 11, 10, GTNK::DOWN);
    mine = bullet(true, 8, 10, GTNK::UP);
    EXPECT_TRUE(battle->updateBullet(mine)) << "two units apart they pass";
}

TEST_F(BulletTest, ABulletLeavingTheFieldIsRemoved) {
    EXPECT_FALSE(battle->updateBullet(bullet(true, -1, 4, GTNK::LEFT)));
    EXPECT_FALSE(battle->updateBullet(bullet(true, 4, 20, GTNK::DOWN)));
}

}  // namespace
