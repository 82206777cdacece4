// The actors on the field: bag contacts and a bag's life, the monsters' chase list and limit,
// the firebolt's targets and edges, and the player's extra lives.
#include <gtest/gtest.h>
#include <utility>
#include <vector>
#include "drandom.h"
#include "firebolt.h"
#include "gamelib.h"
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tnxmonster.h"
#include "tnxplayer.h"
#include "tunnex_fixture.h"

namespace {

class Actors : public TunnexTest {};

BagPtr restingBag(int column, int row) {
    BagPtr bag = Tunnex::bags[0];
    bag->reset();
    bag->place(row, column);
    return bag;
}

MonsterPtr activeMonster(int index, int x, int y, int direction) {
    MonsterPtr monster = Tunnex::monsters[index];
    monster->reset();
    monster->active = true;
    monster->x = x;
    monster->y = y;
    monster->column = x / Tunnex::cellSize;
    monster->row = y / Tunnex::cellSize;
    monster->direction = direction;
    monster->startDelay = 0;
    return monster;
}

// The actor one step into a bag's cell from each side, moving each way.
TEST_F(Actors, BagsBlockPushOrKillByWhereTheActorIs) {
    inGame([] {
        startPlay();
        const int c = Tunnex::cellSize, s = Tunnex::step, bx = 5 * c, by = 5 * c;
        struct Case {
            const char* what;
            int x, y, direction, state, result, push;
        };
        enum { resting, wobbling };
        const std::vector<Case> cases = {
            {"above, moving down", bx, by - c + s, Tunnex::down, resting, Tunnex::down, 0},
            {"below, moving up", bx, by + c - s, Tunnex::up, resting, Tunnex::up, 0},
            {"left, moving right: pushed", bx - c + s, by, Tunnex::right, resting, Tunnex::right, Tunnex::right},
            {"right, moving left: pushed", bx + c - s, by, Tunnex::left, resting, Tunnex::left, Tunnex::left},
            {"left, standing still: no push", bx - c + s, by, Tunnex::none, resting, Tunnex::right, 0},
            {"below a wobbling bag, moving up", bx, by + c - s, Tunnex::up, wobbling, Tunnex::up, 0},
            {"left of a wobbling bag", bx - c + s, by, Tunnex::right, wobbling, 0, 0},
            {"far away", bx - 3 * c, by, Tunnex::right, resting, 0, 0},
        };
        for (const Case& k : cases) {
            clearField();
            BagPtr bag = restingBag(5, 5);
            bag->wobbling = k.state == wobbling;
            EXPECT_EQ(Level::checkBags(k.x, k.y, k.direction, Level::playerId), k.result) << k.what;
            EXPECT_EQ(bag->push, k.push) << k.what;
        }

        // A monster does not push what the player pushes against too.
        clearField();
        BagPtr bag = restingBag(5, 5);
        putPlayer(5, 5);
        Tunnex::player->x = bx - c + 2;
        MonsterPtr monster = activeMonster(0, bx - c + s, by, Tunnex::right);
        EXPECT_EQ(Level::checkBags(monster->x, monster->y, Tunnex::right, monster->number), Tunnex::right);
        EXPECT_EQ(bag->push, 0);

        // A falling bag kills the player under it, and a monster under it for 10 points.
        clearField();
        bag = restingBag(5, 5);
        bag->falling = true;
        putPlayer(5, 6);
        Tunnex::player->y = by + c - s;
        EXPECT_EQ(Level::checkBags(Tunnex::player->x, Tunnex::player->y, Tunnex::none, Level::playerId), 0);
        EXPECT_TRUE(Tunnex::player->dead);
        clearField();
        bag = restingBag(5, 5);
        bag->falling = true;
        monster = activeMonster(1, bx, by + c - s, Tunnex::up);
        const int score = Tunnex::player->score;
        Level::checkBags(monster->x, monster->y, Tunnex::up, monster->number);
        EXPECT_TRUE(monster->dying);
        EXPECT_FALSE(monster->active);
        EXPECT_EQ(Tunnex::player->score, score + 10);

        // An eater swallows a bag and pauses.
        clearField();
        bag = restingBag(5, 5);
        monster = activeMonster(2, bx - c + s, by, Tunnex::right);
        monster->eater = true;
        EXPECT_EQ(Level::checkBags(monster->x, monster->y, Tunnex::right, monster->number), 0);
        EXPECT_FALSE(bag->active);
        EXPECT_EQ(monster->startDelay, 6);
    });
}

// Ticks and paints the bag until it lands: rests again, or is about to break.
void runBag(const BagPtr& bag, int limit) {
    bool fell = false;
    for (int i = 0; i < limit; ++i) {
        bag->update();
        if (bag->breaking) return;
        bag->paint(true);
        if (bag->falling) {
            fell = true;
        } else if (fell) {
            return;
        }
    }
}

TEST_F(Actors, ABagFallsRestsBreaksAndIsHeld) {
    inGame([] {
        startPlay();
        // One row down: it rests again.
        clearField();
        BagPtr bag = restingBag(5, 3);
        Level::setCell(5, 4, Level::verticalFull);
        runBag(bag, 200);
        EXPECT_EQ(bag->row, 4);
        EXPECT_TRUE(bag->resting());
        EXPECT_EQ(bag->rowsFallen, 0);
        EXPECT_EQ(bag->y, 4 * Tunnex::cellSize);

        // Two rows: it breaks into gold, worth 50, gone 600 paints after the break began.
        clearField();
        bag = restingBag(5, 3);
        Level::setCell(5, 4, Level::verticalFull);
        Level::setCell(5, 5, Level::verticalFull);
        runBag(bag, 300);
        EXPECT_EQ(bag->row, 5);
        EXPECT_TRUE(bag->breaking);
        int paints = 0;
        while (bag->active && paints < 1000) {
            bag->update();
            bag->paint(true);
            ++paints;
        }
        EXPECT_EQ(paints, 600);
        EXPECT_TRUE(bag->gold);

        clearField();
        bag = restingBag(5, 3);
        Level::setCell(5, 4, Level::verticalFull);
        Level::setCell(5, 5, Level::verticalFull);
        runBag(bag, 300);
        bag->paint(true);
        const int score = Tunnex::player->score;
        putPlayer(5, 5);
        Level::checkBags(Tunnex::player->x, Tunnex::player->y, Tunnex::none, Level::playerId);
        EXPECT_EQ(Tunnex::player->score, score + 50);
        EXPECT_FALSE(bag->active);

        // Held from below: the player right under it, facing up.
        clearField();
        bag = restingBag(5, 3);
        Level::setCell(5, 4, Level::verticalFull);
        putPlayer(5, 4, Tunnex::up);
        for (int i = 0; i < 100; ++i) {
            bag->update();
            bag->paint(true);
        }
        EXPECT_TRUE(bag->wobbling);
        EXPECT_FALSE(bag->falling);
        EXPECT_EQ(bag->wobbleTimer, Bag::wobbleTime);
    });
}

TEST_F(Actors, PushingMovesABagOneWholeCell) {
    inGame([] {
        startPlay();
        clearField();
        BagPtr bag = restingBag(5, 5);
        bag->push = Tunnex::right;
        for (int i = 0; i < 20 && bag->push; ++i) bag->update();
        EXPECT_EQ(bag->column, 6);
        EXPECT_EQ(bag->x, 6 * Tunnex::cellSize);
        bag->push = Tunnex::left;
        for (int i = 0; i < 20 && bag->push; ++i) bag->update();
        EXPECT_EQ(bag->column, 5);
        EXPECT_EQ(bag->x, 5 * Tunnex::cellSize);
        bag->update();
        EXPECT_EQ(bag->column, 5);
    });
}

// With no tunnel to take, the chase list is what is left after the draws: the table by the
// player's place, then the pairwise swap (below 30) and the reversal (below 10).
TEST_F(Actors, ThePreferenceListFollowsThePlayersPlace) {
    inGame([] {
        startPlay();
        clearField();
        struct Case {
            int column, row;
            std::vector<int> list, other;
        };
        const std::vector<Case> cases = {
            {3, 2, {3, 2, 4, 1}, {3, 2, 4, 1}},  {3, 8, {3, 4, 2, 1}, {3, 4, 2, 1}},
            {7, 2, {2, 1, 3, 4}, {2, 3, 1, 4}},  {7, 8, {4, 1, 3, 2}, {4, 3, 1, 2}},
            {11, 2, {1, 2, 4, 3}, {1, 2, 4, 3}}, {11, 8, {1, 4, 2, 3}, {1, 4, 2, 3}},
        };
        auto percent = [](dfc::util::DRandom& random) {
            const int64_t draw = random.nextInt();
            return int((draw < 0 ? -draw : draw) * 100 / 2147483647LL);
        };
        for (int seed = 1; seed <= 40; ++seed)
            for (const Case& k : cases) {
                MonsterPtr monster = activeMonster(0, 7 * Tunnex::cellSize, 5 * Tunnex::cellSize, Tunnex::left);
                putPlayer(k.column, k.row);
                GameLib::sharedRandom->setSeed(seed);
                dfc::util::DRandom copy;
                copy.setSeed(seed);
                std::vector<int> list = k.list;
                if (k.column == 7 && percent(copy) >= 50) list = k.other;
                if (percent(copy) < 30) {
                    std::swap(list[0], list[1]);
                    std::swap(list[2], list[3]);
                }
                if (percent(copy) < 10) {
                    std::swap(list[0], list[3]);
                    std::swap(list[1], list[2]);
                }
                monster->chooseDirection();
                for (int i = 0; i < 4; ++i)
                    ASSERT_EQ(monster->preference[i], list[i]) << seed << " " << k.column << "," << k.row;
                EXPECT_EQ(monster->direction, Tunnex::none);
            }
    });
}

TEST_F(Actors, TheMonsterLimitRisesWithTheSpeedClass) {
    inGame([] {
        startPlay();
        struct Case {
            int level, speed, limit;
        };
        for (const Case& k :
             {Case{1, 1, 3}, Case{6, 1, 3}, Case{7, 2, 4}, Case{48, 7, 4}, Case{49, 8, 5}, Case{72, 10, 5}}) {
            Tunnex::level = k.level;
            Level::setMonsterLimit();
            EXPECT_EQ(Tunnex::speed(), k.speed) << k.level;
            EXPECT_EQ(Level::monsterLimit, k.limit) << k.level;
        }
        // Only monsters up to the limit ever come in.
        Tunnex::level = 1;
        Level::setMonsterLimit();
        for (int paint = 0; paint < 5; ++paint)
            for (int i = 0; i < Tunnex::monsterCount; ++i) Tunnex::monsters[i]->paint();
        for (int i = 0; i < Tunnex::monsterCount; ++i) EXPECT_EQ(Tunnex::monsters[i]->active, i < 3) << i;
    });
}

// The firebolt leaves monsters waiting at the entrance alone and stops at the field's edge.
TEST_F(Actors, TheFireboltHitsOnlyMonstersInPlay) {
    inGame([] {
        startPlay();
        clearField();
        for (int column = 9; column < 15; ++column) Level::setCell(column, 0, Level::horizontalFull);
        const FireboltPtr& bolt = Tunnex::firebolt;
        putPlayer(12, 0);
        MonsterPtr waiting = Tunnex::monsters[0];
        waiting->reset();
        bolt->reload = 0;
        bolt->fire(12 * Tunnex::cellSize, 0, Tunnex::right);
        const int score = Tunnex::player->score;
        for (int i = 0; i < 20 && bolt->flying; ++i) bolt->update();
        EXPECT_FALSE(waiting->dying);
        EXPECT_EQ(Tunnex::player->score, score);

        bolt->reload = 0;
        MonsterPtr monster = activeMonster(1, 9 * Tunnex::cellSize, 0, Tunnex::right);
        bolt->fire(12 * Tunnex::cellSize, 0, Tunnex::left);
        for (int i = 0; i < 30 && bolt->flying; ++i) bolt->update();
        EXPECT_TRUE(monster->dying);
        EXPECT_EQ(Tunnex::player->score, score + 25);
        EXPECT_EQ(bolt->reload, Tunnex::speed() * 15 + 5);

        // Fired out of the field from its right or bottom edge: it stops at once.
        for (auto [column, row, direction] :
             {std::tuple{14, 4, int(Tunnex::right)}, std::tuple{3, 9, int(Tunnex::down)}}) {
            bolt->reload = 0;
            bolt->flying = false;
            bolt->fire(column * Tunnex::cellSize, row * Tunnex::cellSize, direction);
            EXPECT_FALSE(bolt->flying);
            EXPECT_EQ(bolt->reload, 20);
            bolt->update();
        }
    });
}

// A bolt in flight or reloading is gone when a new game opens a level and when the next level
// starts: the first shot of a level can always be fired.
TEST_F(Actors, TheFireboltStartsEveryLevelAtRest) {
    inGame([] {
        const FireboltPtr& bolt = Tunnex::firebolt;
        const std::pair<const char*, void (*)()> starts[] = {
            {"a new game", [] { ASSERT_TRUE(Tunnex::openLevel()); }},
            {"the next level", [] { Level::nextLevel(); }},
        };
        for (const auto& [what, startLevel] : starts) {
            for (bool inFlight : {true, false}) {
                startPlay();
                clearField();
                for (int column = 0; column < Tunnex::columns; ++column)
                    Level::setCell(column, 9, Level::horizontalFull);
                putPlayer(2, 9);
                bolt->reset();
                bolt->fire(2 * Tunnex::cellSize, 9 * Tunnex::cellSize, Tunnex::right);
                bolt->update();
                if (!inFlight) bolt->stop();
                ASSERT_TRUE(inFlight ? bolt->flying : bolt->reload > 0);
                startLevel();
                EXPECT_FALSE(bolt->flying) << what;
                EXPECT_EQ(bolt->reload, 0) << what << (inFlight ? ", in flight" : ", reloading");
            }
        }
    });
}

TEST_F(Actors, ExtraLivesComeAbove2000PointsUpToSix) {
    inGame([] {
        startPlay();
        const PlayerPtr& player = Tunnex::player;
        struct Case {
            int score, lastLife, lives, expectedLives, expectedLast;
        };
        for (const Case& k : {Case{1996, 0, 3, 3, 0}, Case{2000, 0, 3, 4, 2000}, Case{4000, 2000, 4, 5, 4000},
                              Case{3996, 2000, 4, 4, 2000}, Case{2000, 0, 6, 6, 2000}}) {
            player->score = k.score;
            player->lastLifeScore = k.lastLife;
            player->lives = k.lives;
            player->scoreCrystal();
            EXPECT_EQ(player->lives, k.expectedLives) << k.score + 4;
            EXPECT_EQ(player->lastLifeScore, k.expectedLast) << k.score + 4;
        }
        // The player starts in the middle of the bottom row, facing right, with 3 spare lives.
        player->newGame();
        EXPECT_EQ(player->column, 7);
        EXPECT_EQ(player->row, 9);
        EXPECT_EQ(player->direction, Tunnex::right);
        EXPECT_EQ(player->lives, 3);
    });
}

}  // namespace
