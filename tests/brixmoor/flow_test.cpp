// The game's states around the rounds: the round choice, the round jump, rounds that cannot
// be loaded, lost balls and lives, and the resources that may be missing.
#include <gtest/gtest.h>
#include <cstdlib>
#include "bxmplatform.h"
#include "enemy.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "imageatlas.h"
#include "keystate.h"
#include "screencanvas.h"
#include "stringmanager.h"
#include "text.h"

using dfc::lang::DStringPtr;

namespace {

constexpr int keySelect = 10002, keyDown = 40;

DStringPtr openLevelKey() { return GameTables::brixmoorId + u"openlevel"; }

// A round in play, with the ball still on the paddle.
void playRound(Brixmoor& game, int round) {
    game.lives = 5;
    KeyState::enteredNumber = round;
    KeyState::numberEntered = true;
    Brixmoor::gameState = Brixmoor::play;
    game.update();
    ASSERT_TRUE(GameTest::runUntil(Brixmoor::play));
}

TEST_F(GameTest, RoundChoiceListsTheRoundsReachedHighestFirst) {
    inGame(
        [](Brixmoor& game) {
            EXPECT_EQ(Brixmoor::openLevel, 4);
            press(keySelect);
            ASSERT_EQ(Brixmoor::gameState, Brixmoor::roundChoice);
            const auto& items = Brixmoor::mainMenu->items;
            ASSERT_EQ(items->length, 5);
            EXPECT_EQ(narrow(items[0]), "Level 4");
            EXPECT_EQ(narrow(items[3]), "Level 1");
            EXPECT_EQ(narrow(items[4]), "Exit");
            frames(8);
            press(keyDown);
            frames(8);
            press(keySelect);
            EXPECT_EQ(Brixmoor::gameState, Brixmoor::roundStart);
            EXPECT_EQ(game.level, 3);
            EXPECT_EQ(Brixmoor::brickList->round, 3);
        },
        [] { GameMenu::saveOption(openLevelKey(), 4); });
}

// A stored open round past the last one (a damaged record) lists only the fifty rounds.
TEST_F(GameTest, StoredOpenRoundNeverExceedsTheLast) {
    inGame([](Brixmoor&) { EXPECT_EQ(Brixmoor::openLevel, 50); }, [] { GameMenu::saveOption(openLevelKey(), 99); });
}

// The code sequence's two digits jump to that round with five lives, raising the open round.
TEST_F(GameTest, RoundJumpTakesOnlyRoundsOneToFifty) {
    inGame([](Brixmoor& game) {
        playRound(game, 1);
        for (int number : {0, 51, 99}) {
            KeyState::enteredNumber = number;
            KeyState::numberEntered = true;
            game.update();
            EXPECT_EQ(Brixmoor::gameState, Brixmoor::play) << number;
            EXPECT_EQ(game.level, 1) << number;
            EXPECT_FALSE(KeyState::numberEntered);
        }
        game.lives = 2;
        KeyState::enteredNumber = 7;
        KeyState::numberEntered = true;
        game.update();
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::roundStart);
        EXPECT_EQ(game.level, 7);
        EXPECT_EQ(game.lives, 5);
        EXPECT_EQ(Brixmoor::openLevel, 7);
        EXPECT_EQ(GameMenu::loadOption(openLevelKey(), 1), 7);
        KeyState::enteredNumber = 50;
        KeyState::numberEntered = true;
        ASSERT_TRUE(GameTest::runUntil(Brixmoor::play));
        game.update();
        EXPECT_EQ(game.level, 50);
        EXPECT_EQ(Brixmoor::openLevel, 50);
    });
}

// Clearing a round announces the next; clearing the last ends the game.
TEST_F(GameTest, ClearedRoundLeadsToTheNextAndTheLastEndsTheGame) {
    inGame([](Brixmoor& game) {
        playRound(game, 49);
        GameTest::clearField();
        Brixmoor::brickList->toClear = 0;
        frames(2);
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::roundStart);
        EXPECT_EQ(game.level, 50);
        ASSERT_TRUE(GameTest::runUntil(Brixmoor::play));
        Brixmoor::brickList->hitsTaken = 0;
        GameTest::clearField();
        Brixmoor::brickList->toClear = 0;
        frames(2);
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::menu);
        EXPECT_EQ(Brixmoor::mainMenu->mode, GameMenu::listPage);
    });
}

// A bomb lit by the last blast was counted off when it lit: it does not hold the round.
TEST_F(GameTest, LitBombDoesNotHoldTheRound) {
    inGame([](Brixmoor& game) {
        playRound(game, 1);
        GameTest::clearField();
        GameTest::place(8, 4, Brick::bomb, 1);
        Brixmoor::brickList->toClear = 1;
        GameTest::brick(8, 4)->hit(nullptr);
        ASSERT_EQ(GameTest::brick(8, 4)->kind, Brick::bombLit);
        EXPECT_TRUE(GameTest::runUntil(Brixmoor::roundStart, 10));
        EXPECT_EQ(game.level, 2);
    });
}

// The last ball swallowed with one life left costs that life, not two, and ends the game.
TEST_F(GameTest, GulperSwallowingTheLastBallTakesOneLife) {
    inGame([](Brixmoor& game) {
        const struct {
            int lives, ballsInPlay;
            int wantLives, wantState;
        } cases[] = {
            {1, 1, 0, Brixmoor::lifeLost},
            {3, 1, 2, Brixmoor::play},
            {3, 2, 3, Brixmoor::play},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.lives << " lives, " << c.ballsInPlay << " balls");
            playRound(game, 1);
            game.lives = c.lives;
            BallPtr ball = GameTest::flyingBall(Ball::small, 88, 150, 0, -16);
            Brixmoor::platform->ballsInPlay = c.ballsInPlay;
            EnemyPtr gulper = game.enemies[0];
            gulper->alive = true;
            gulper->kind = Enemy::gulper;
            gulper->x = 88;
            gulper->y = 150;
            game.moveEnemies();
            EXPECT_EQ(game.lives, c.wantLives);
            EXPECT_EQ(Brixmoor::gameState, c.wantState);
            if (c.wantState == Brixmoor::play) {
                EXPECT_EQ(gulper->kind, Enemy::carrier);
                EXPECT_EQ(gulper->carried.get(), ball.get());
                gulper->kill();
            }
        }
    });
}

// The game data without one entry of round 2.
class MissingEntryTest : public GameTest {
protected:
    virtual std::string missingEntry() const = 0;

    // The entry is deleted from the built data, whose coders the archive reader takes.
    void SetUp() override {
        GameTest::SetUp();
        const std::string command =
            "7zz d -bso0 -bsp0 '" + folder.file("game.dat") + "' '" + missingEntry() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Round 1 cleared: round 2 cannot be loaded, which is said, and the game ends as at game over.
    static void refuseRoundTwo(Brixmoor& game) {
        playRound(game, 1);
        Brixmoor::brickList->hitsTaken = 0;
        GameTest::clearField();
        Brixmoor::brickList->toClear = 0;
        frames(3);
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::menu);
        EXPECT_NE(GameTest::diagnostics().find("Brixmoor: round 2 cannot be played: "), std::string::npos)
            << GameTest::diagnostics();
    }
};

// A round whose file is missing from the data.
class MissingRoundTest : public MissingEntryTest {
protected:
    std::string missingEntry() const override { return "bxm/data/round02.txt"; }
};

// A round whose background picture is missing: the game's sprites are drawn on the screen
// again, not into the field's background.
class MissingBackgroundTest : public MissingEntryTest {
protected:
    std::string missingEntry() const override { return "bxm/img/back2.jpg"; }
};

TEST_F(MissingBackgroundTest, EndsTheGameAndDrawsOnTheScreenAgain) {
    inGame([](Brixmoor& game) {
        refuseRoundTwo(game);
        EXPECT_EQ(ImageAtlas::currentGraphics.get(), ScreenCanvas::screenGraphics.get());
    });
}

TEST_F(MissingRoundTest, EndsTheGameWithADiagnostic) {
    inGame([](Brixmoor& game) {
        refuseRoundTwo(game);
        // The menu goes on working: a new game starts at round 1.
        frames(8);
        press(keySelect);
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::roundStart);
        EXPECT_EQ(game.level, 1);
    });
}

// Without its pictures a paddle shows nothing but keeps working.
TEST_F(GameTest, PaddleWithoutAnimationsStillPlays) {
    inGame([](Brixmoor& game) {
        StringManager::properties->clear();
        PlatformPtr bare = new Platform();
        bare->balls = game.balls;
        bare->loadAnimations();
        bare->reset();
        bare->setState(Platform::grow);
        EXPECT_FALSE(bare->transforming);
        bare->paint();
        EXPECT_EQ(bare->width, 0);
        StringManager::loadProperties(u"/res");
    });
}

// Without the pause picture the corner tap finds nothing, and the screen draws.
TEST_F(GameTest, MissingPauseIconCountsAsNothing) {
    inGame([](Brixmoor& game) {
        playRound(game, 1);
        GameMenu::pauseImage = nullptr;
        KeyState::pointerDown = true;
        KeyState::pointerX = 175;
        KeyState::pointerY = 0;
        game.update();
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::play);
        KeyState::pointerDown = false;
        frames(2);
        GameMenu::loadArrowImages();
        ASSERT_TRUE(GameMenu::pauseImage);
        KeyState::pointerDown = true;
        KeyState::pointerX = 175;
        game.update();
        KeyState::pointerDown = false;
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::menu);
        EXPECT_TRUE(Brixmoor::gamePaused);
    });
}

// A draw of the smallest 32-bit number still gives a creature of kind 0, 1 or 2.
TEST_F(GameTest, RandomRangeStaysInRangeForTheSmallestDraw) {
    inGame([](Brixmoor&) {
        // The state before the one whose bits 16 to 47 are 0x80000000.
        constexpr uint64_t mask = (1ULL << 48) - 1, multiplier = 0x5DEECE66DULL;
        uint64_t inverse = 1;
        for (int i = 0; i < 6; ++i) inverse = (inverse * (2 - multiplier * inverse)) & mask;
        const uint64_t before = ((0x800000000000ULL - 11) * inverse) & mask;
        GameLib::sharedRandom->low = uint32_t(before);
        GameLib::sharedRandom->high = uint32_t(before >> 32);
        EXPECT_EQ(Brixmoor::randomRange(0, 2), 2);
    });
}

}  // namespace
