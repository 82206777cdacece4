// The map reader: the grid it builds on either screen, the starts it takes out, and the maps
// it refuses (with a diagnostic and the main menu) instead of throwing; and the code entry
// that jumps to a level.
#include <gtest/gtest.h>
#include "game_fixture.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"

namespace {

int storedOpenLevel() { return GameMenu::loadOption(GameTables::goldriftId + u"openlevel", 1); }

const std::vector<std::string> smallMap = {
    "P $ A",
    "##E#G",
    "$ A -",
};

}  // namespace

class MapReading : public GoldriftTest {};

TEST_F(MapReading, ASmallMapIsWidenedWithArmourAndItsStartsAreTakenOut) {
    inGame([&] {
        writeMap(80, smallMap);
        ASSERT_TRUE(Goldrift::readMap(80)) << diagnostics();
        EXPECT_EQ(Goldrift::gridWidth, 12);
        EXPECT_EQ(Goldrift::gridHeight, 14);
        const std::vector<std::string> rows = gridRows();
        EXPECT_EQ(rows[0], "  $  BBBBBBB");
        EXPECT_EQ(rows[1], "##X#GBBBBBBB");
        EXPECT_EQ(rows[2], "$   -BBBBBBB");
        EXPECT_EQ(rows[13], "BBBBBBBBBBBB");
        EXPECT_EQ(Goldrift::hero->cell, 0);
        EXPECT_FALSE(Goldrift::hero->isEnemy);
        EXPECT_EQ(Goldrift::enemyCount, 2);
        EXPECT_EQ(Goldrift::enemies[0]->cell, 4);
        EXPECT_EQ(Goldrift::enemies[1]->cell, 2 * 12 + 2);
        EXPECT_EQ(Goldrift::exitCell, 12 + 2);
        EXPECT_EQ(Goldrift::goldLeft, 2) << "'G' scores but does not count";
        EXPECT_EQ(Goldrift::distance->length, 12 * 14);
        EXPECT_TRUE(Goldrift::pathsReset);
    });
}

TEST_F(MapReading, AnEleventhEnemyStaysInTheGrid) {
    inGame([&] {
        writeMap(80, {"AAAAAAAAAAAP", "############"});
        ASSERT_TRUE(Goldrift::readMap(80));
        EXPECT_EQ(Goldrift::enemyCount, 10);
        EXPECT_EQ(gridRows()[0], "          A ");
        EXPECT_TRUE(Goldrift::isFree(10, 0, false)) << "drawn as a brick, no obstacle";
    });
}

class MapReadingPocketPc : public PocketPcGoldriftTest {};

TEST_F(MapReadingPocketPc, TheLargeScreenWidensToItsOwnRing) {
    inGame([&] {
        writeMap(80, smallMap);
        ASSERT_TRUE(Goldrift::readMap(80));
        EXPECT_EQ(Goldrift::tileWidth, 20);
        EXPECT_EQ(Goldrift::gridWidth, 13);
        EXPECT_EQ(Goldrift::gridHeight, 17);
        writeMap(81, std::vector<std::string>(17, "P            "));
        ASSERT_TRUE(Goldrift::readMap(81));
        EXPECT_EQ(Goldrift::gridWidth, 13) << "13 x 17 is wide and high enough";
        EXPECT_EQ(Goldrift::gridHeight, 17);
    });
}

TEST_F(MapReading, DamagedMapsAreRefusedWithADiagnosticAndTheMainMenu) {
    struct Case {
        const char* what;
        std::string bytes;  // empty: no file at all
        const char* reason;
    };
    const Case cases[] = {
        {"a missing map", "", "cannot be opened"},
        {"a width that is no number", "x5\r\n3\r\nP    \r\n", "not a width"},
        {"an empty first line", "\r\n3\r\nP    \r\n", "not a width"},
        {"a file that ends in its size", "5\r\n", "ends before its size"},
        {"a short file", "5\r\n3\r\nP    \r\n     \r\n", "ends before its last cell"},
        {"no hero's start", "3\r\n1\r\n $E\r\n", "no hero's start"},
        {"too many cells", "200\r\n200\r\n", "more than 32767"},
        {"sizes whose product overflows", "31313\r\n92308\r\n", "more than 32767"},
    };
    inGame([&] {
        int n = 90;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            ++n;
            if (!c.bytes.empty()) writeFile(n, c.bytes);
            Goldrift::gameState = Goldrift::playState;
            Goldrift::menuMode = Goldrift::pauseMode;
            EXPECT_FALSE(Goldrift::readMap(n));
            const std::string printed = diagnostics();
            const size_t line = printed.rfind("Goldrift: level " + std::to_string(n) + " cannot be played: ");
            ASSERT_NE(line, std::string::npos) << printed;
            EXPECT_NE(printed.find(c.reason, line), std::string::npos) << printed;
            EXPECT_EQ(Goldrift::gameState, Goldrift::menuState);
            EXPECT_EQ(Goldrift::menuMode, Goldrift::mainMode);
            EXPECT_EQ(Goldrift::openLevel, 1);
            EXPECT_EQ(storedOpenLevel(), 1);
        }
    });
}

TEST_F(MapReading, TheCodeEntryJumpsOnlyToLevelsThatExist) {
    inGame([&] {
        ASSERT_TRUE(Goldrift::readMap(1));
        Goldrift::level = 1;
        Goldrift::gameState = Goldrift::playState;
        auto enter = [](int number) {
            KeyState::enteredNumber = number;
            KeyState::numberEntered = true;
            frames(1);
            EXPECT_FALSE(KeyState::numberEntered);
        };
        enter(76);
        EXPECT_EQ(Goldrift::level, 1) << "no level 76";
        EXPECT_EQ(Goldrift::openLevel, 1);
        enter(99);
        EXPECT_EQ(Goldrift::openLevel, 1);
        EXPECT_EQ(Goldrift::gameState, Goldrift::playState);
        enter(3);
        EXPECT_EQ(Goldrift::level, 3);
        EXPECT_EQ(Goldrift::openLevel, 3);
        EXPECT_EQ(storedOpenLevel(), 3);
        enter(0);
        EXPECT_TRUE(Goldrift::invulnerable);
        enter(0);
        EXPECT_FALSE(Goldrift::invulnerable);
    });
}

TEST_F(MapReading, AStoredLevelAboveTheLastIsTakenAsTheLast) {
    inGame([&] { EXPECT_EQ(Goldrift::openLevel, 75); },
           [] { GameMenu::saveOption(GameTables::goldriftId + u"openlevel", 99); });
}

TEST_F(MapReading, TheOpenLevelRisesOnlyAfterAGoodReadAndNeverAboveTheLast) {
    inGame([&] {
        writeFile(80, "5\r\n");
        EXPECT_FALSE(Goldrift::readMap(80));
        EXPECT_EQ(Goldrift::openLevel, 1);
        writeMap(80, smallMap);
        EXPECT_TRUE(Goldrift::readMap(80));
        EXPECT_EQ(Goldrift::openLevel, 75);
        EXPECT_EQ(storedOpenLevel(), 75);
    });
}

TEST_F(MapReading, AMapWithoutAnExitForgetsThePreviousOne) {
    inGame([&] {
        loadLevel(80, {"P$   E      ", "############"});
        ASSERT_EQ(Goldrift::exitCell, 5);
        loadLevel(81, {"P$          ", "############"});
        EXPECT_EQ(Goldrift::exitCell, -1);
        place(Goldrift::hero, 1, 0, Runner::walking);
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(Goldrift::goldLeft, 0);
        for (const std::string& row : gridRows()) EXPECT_EQ(row.find('E'), std::string::npos) << row;
    });
}
