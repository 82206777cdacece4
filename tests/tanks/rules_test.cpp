// The battle's rules: the six bonuses, where a bonus may fall, the spade round the base, the
// enemies' rolls, arrivals, the end of a level, and the score and clock of the results.
#include "battle_fixture.h"
#include "gamemain.h"
#include "text.h"
#include "tanktunables.h"

namespace {

class RulesTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        buildField({{1, 3, tile::house}, {2, 3, tile::house}, {3, 3, tile::house}, {1, 4, tile::house},
                    {3, 4, tile::house}});
    }
};

TEST_F(RulesTest, TheSixBonuses) {
    GTNKPtr player = battle->player;
    for (int expected : {1, 2, 3, 3}) {
        battle->applyBonus(GameTanks::starBonus);
        EXPECT_EQ(player->type, expected);
    }
    battle->applyBonus(GameTanks::clockBonus);
    EXPECT_EQ(battle->freezeTimer, TankTunables::freezeTime);
    battle->applyBonus(GameTanks::helmetBonus);
    EXPECT_EQ(battle->shieldTimer, TankTunables::shieldTime);
    battle->applyBonus(GameTanks::tankBonus);
    EXPECT_EQ(player->armour, 4);

    // The grenade takes every enemy on the field, appearing ones too, and shows explosions.
    enemyAt(3, 2, 8, 4, GTNK::DOWN);
    battle->applyBonus(GameTanks::grenadeBonus);
    for (int i : {3, 18, 19}) EXPECT_TRUE(battle->enemies[i]->isDestroyed) << i;
    EXPECT_FALSE(battle->enemies[4]->hasBeenBorn);
    EXPECT_EQ(battle->kills(0), 2);
    EXPECT_EQ(battle->kills(2), 1);
    EXPECT_EQ(battle->grid->testBlock(GameGrid::tank, 8, 4), 0);
    int bursting = 0;
    for (int i = 1; i < GameTanks::playerBulletCount; ++i)
        bursting += battle->playerBullets[i]->active && battle->playerBullets[i]->state == GBUL::BURSTING;
    EXPECT_EQ(bursting, 2) << "the enemy at the field's left edge shows no explosion";
    EXPECT_FALSE(battle->playerBullets[0]->active) << "the player's own shot stays free";
}

TEST_F(RulesTest, TheSpadeTurnsTheBaseWallsToSteelAndBackButNeverWallsInATank) {
    ASSERT_EQ(battle->baseWallCount, 5);
    const int broken = battle->grid->ownerAt(GameGrid::item, 12, 16);
    battle->items[broken]->damage(3);
    battle->grid->releaseBlock(GameGrid::item, 12, 16);
    const int underTank = battle->grid->ownerAt(GameGrid::item, 4, 16);
    battle->items[underTank]->damage(3);
    battle->grid->releaseBlock(GameGrid::item, 4, 16);
    battle->grid->setBlockOwner(GameGrid::tank, 5, 4, 16);

    battle->applyBonus(GameTanks::spadeBonus);
    EXPECT_EQ(battle->spadeTimer, TankTunables::spadeTime);
    EXPECT_EQ(battle->items[broken]->kind, GITM::wallBlock);
    EXPECT_TRUE(battle->items[broken]->active) << "a destroyed wall comes back as steel";
    EXPECT_EQ(battle->grid->ownerAt(GameGrid::item, 12, 16), broken);
    EXPECT_FALSE(battle->items[underTank]->active) << "the tank standing there is not walled in";
    EXPECT_EQ(battle->grid->ownerAt(GameGrid::item, 4, 16), -1);
    EXPECT_EQ(battle->grid->ownerAt(GameGrid::tank, 4, 16), 5);

    battle->fortifyBase(false);
    EXPECT_EQ(battle->items[broken]->kind, GITM::firstHouse);
    EXPECT_EQ(battle->items[broken]->hitPoints, 3);
}

TEST_F(RulesTest, ABonusFallsAwayFromTheBaseOffWaterAndItemsAndTheDrawEnds) {
    for (int round = 0; round < 50; ++round) {
        battle->placeBonus();
        EXPECT_GE(battle->bonusKind, 0);
        EXPECT_LE(battle->bonusKind, 5);
        const bool nearBase =
            std::abs(battle->bonusX - battle->baseX) < 8 && std::abs(battle->bonusY - battle->baseY) < 8;
        EXPECT_FALSE(nearBase);
        EXPECT_EQ(battle->grid->testBlock(GameGrid::item | GameGrid::water, battle->bonusX, battle->bonusY), 0);
        EXPECT_TRUE(battle->grid->at(battle->bonusX, battle->bonusY) & GameGrid::bonus);
    }
    // A field of water: the draw gives up and leaves the bonus where it fell last.
    for (int y = 0; y < 20; y += 4)
        for (int x = 0; x < 20; x += 4) battle->grid->setBits(GameGrid::water, x, y);
    battle->placeBonus();
    EXPECT_TRUE(battle->isBonusShown());
}

TEST_F(RulesTest, TakingABonusActsOnThePlayerAndClearsIt) {
    battle->bonusKind = GameTanks::tankBonus;
    battle->bonusTimer = 1000;
    battle->bonusX = 0;
    battle->bonusY = 12;
    battle->grid->setBits(GameGrid::bonus, 0, 12);
    battle->player->place(0, 13, GTNK::UP);
    battle->updateTanks();
    EXPECT_EQ(battle->player->armour, 4);
    EXPECT_FALSE(battle->isBonusShown());
    EXPECT_EQ(battle->grid->at(0, 12) & GameGrid::bonus, 0);
}

TEST_F(RulesTest, TheRollDecidesBetweenAimingKeepingTheCourseAndTurning) {
    struct Case {
        int roll, x, y, direction;
        int endDirection, endState;
    };
    // Level 1 with the defaults: the roll range is 28.
    const Case cases[] = {
        // In line with the base (same column, within 13 units): 24-27 aim at it.
        {24, 8, 4, GTNK::LEFT, GTNK::DOWN, GTNK::MOVING},
        {27, 8, 4, GTNK::LEFT, GTNK::DOWN, GTNK::MOVING},
        // Below 24 the course is kept.
        {23, 8, 4, GTNK::LEFT, GTNK::LEFT, GTNK::MOVING},
        {8, 8, 4, GTNK::RIGHT, GTNK::RIGHT, GTNK::MOVING},
        // Against the field's edge: 8 and above keep facing it, below 8 turn (odd to the
        // left of the course, even to the right).
        {8, 0, 4, GTNK::LEFT, GTNK::LEFT, GTNK::NORMAL},
        {4, 0, 4, GTNK::LEFT, GTNK::UP, GTNK::MOVING},
        {5, 0, 4, GTNK::LEFT, GTNK::DOWN, GTNK::MOVING},
        // Out of line with base and player, aiming does nothing and the course is kept.
        {26, 16, 4, GTNK::LEFT, GTNK::LEFT, GTNK::MOVING},
    };
    EXPECT_EQ(battle->rollRange(), 28);
    for (const Case& c : cases) {
        SCOPED_TRACE("roll " + std::to_string(c.roll));
        battle->grid->releaseBlock(GameGrid::tank, 0, 0);
        battle->grid->releaseBlock(GameGrid::tank, 16, 0);
        GTNKPtr tank = enemyAt(0, 0, c.x, c.y, c.direction);
        battle->grid->releaseBlock(GameGrid::tank, c.x, c.y);
        battle->steerEnemy(0, c.roll);
        EXPECT_EQ(tank->direction, c.endDirection);
        EXPECT_EQ(tank->state, c.endState);
        battle->grid->releaseBlock(GameGrid::tank, tank->x + GTNK::_XMO(tank->direction),
                                   tank->y + GTNK::_YMO(tank->direction));
        battle->grid->releaseBlock(GameGrid::tank, tank->x, tank->y);
        battle->enemyBullets[0]->active = false;
    }
}

TEST_F(RulesTest, TheRollRangeGrowsWithTheLevelAndNeverDropsBelowOne) {
    battle->levelCounter = 20;
    EXPECT_EQ(battle->rollRange(), 104);
    TankTunables::aiLevel = 0;
    TankTunables::aiPerLevel = -5;
    EXPECT_EQ(battle->rollRange(), 1);
}

TEST_F(RulesTest, SixEnemiesShareTheFieldAtLevel1AndSevenAtLevel20) {
    battle->levelCounter = 1;
    EXPECT_EQ(battle->arrivalCap(), 6);
    battle->levelCounter = 20;
    EXPECT_EQ(battle->arrivalCap(), 7);

    // Arrivals every step, each one taken off its start point at once.
    for (int level : {1, 20}) {
        SCOPED_TRACE(level);
        buildField();
        battle->levelCounter = level;
        TankTunables::newUnitTime = 0;
        battle->freezeTimer = 1000000;
        int onField = 0;
        for (int step = 0; step < 100; ++step) {
            battle->updateTanks();
            onField = 0;
            for (int i = 0; i < GameTanks::enemyCount; ++i) {
                const GTNKPtr& enemy = battle->enemies[i];
                if (!enemy->hasBeenBorn) continue;
                battle->grid->releaseBlock(GameGrid::tank, enemy->x, enemy->y);
                enemy->place(4 * (i % 5), 8, GTNK::DOWN);
                ++onField;
            }
        }
        EXPECT_EQ(onField, battle->arrivalCap());
    }
}

TEST_F(RulesTest, AllTwentyDestroyedWinTheLevelAndPlayGoesOnForAWhile) {
    for (int i = 0; i < GameTanks::enemyCount; ++i) {
        battle->enemies[i]->hasBeenBorn = true;
        battle->enemies[i]->isDestroyed = true;
    }
    EXPECT_TRUE(battle->updateTanks());
    EXPECT_TRUE(battle->levelOver);
    EXPECT_TRUE(battle->levelWon);
    battle->levelEndTick -= TankTunables::gameTimeLast + 1;
    EXPECT_FALSE(battle->updateTanks());
}

TEST_F(RulesTest, ALostLevelIsPlayedAgainAndAWonOneOpensTheNext) {
    battle->levelCounter = 3;
    battle->levelWon = false;
    battle->nextLevel();
    EXPECT_EQ(battle->levelCounter, 3);
    battle->levelWon = true;
    battle->nextLevel();
    EXPECT_EQ(battle->levelCounter, 4);
    EXPECT_FALSE(battle->levelOver);
    EXPECT_FALSE(battle->levelLoaded);
}

TEST_F(RulesTest, TheResultsCountKillsAndShowTheClock) {
    for (int kind : {0, 1, 1, 2, 3, 3, 3, 4, 7}) battle->countKill(kind);
    EXPECT_EQ(battle->kills(0), 2);
    EXPECT_EQ(battle->kills(3), 4);
    EXPECT_EQ(battle->killPoints(), 10 * (2 + 2 * 2 + 3 * 1 + 4 * 4));
    EXPECT_EQ(narrow(GameMain::clockText(65000)), "1:05");
    EXPECT_EQ(narrow(GameMain::clockText(59999)), "0:59");
    EXPECT_EQ(narrow(GameMain::clockText(600000)), "10:00");
}

TEST(ScrollTest, TheFieldIsCentredWhenItFitsElseFollowsThePlayerToItsEdges) {
    struct Case {
        int screen, field, player, expected;
    };
    const Case across[] = {{240, 208, 100, 16}, {176, 208, 100, -12}, {176, 208, 0, 0}, {176, 208, 200, -32}};
    for (const Case& c : across) EXPECT_EQ(GameTanks::scrollX(c.screen, c.field, c.player), c.expected);
    const Case down[] = {{288, 288, 200, 0}, {188, 288, 150, -56}, {188, 288, 10, 0}, {188, 288, 280, -100}};
    for (const Case& c : down) EXPECT_EQ(GameTanks::scrollY(c.screen, c.field, c.player), c.expected);
}

}  // namespace
