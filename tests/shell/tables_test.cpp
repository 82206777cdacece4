// The game-wide tables: filled at start-up, dropped at exit together with every game's own
// shared objects.
#include <gtest/gtest.h>
#include "gamelib.h"
#include "gameregistry.h"
#include "gametables.h"
#include "imageatlas.h"
#include "keystate.h"
#include "screencanvas.h"
#include "started_app.h"
#include "stringmanager.h"
#include "text.h"

namespace {

using Tables = StartedAppTest;

int gameReleases = 0;
void countRelease() { ++gameReleases; }

}  // namespace

TEST_F(Tables, StartUpFillsTheTables) {
    inProgram([] {
        EXPECT_EQ(narrow(GameTables::brixmoorId), "brixmoor");
        EXPECT_EQ(narrow(GameTables::brixmoorLegend), "abcdefghij");
        EXPECT_EQ(narrow(GameTables::floodpassId), "floodpass");
        EXPECT_EQ(GameTables::rockvaleIndexTable->length, 22);
        EXPECT_EQ(GameTables::rockvaleCosTable[7], 1000);
        EXPECT_EQ(GameTables::tanksBitMasks[0][0], 0x10000);
        EXPECT_EQ(GameTables::tanksBitMasks[3][3], int32_t(0x80000000u));
        EXPECT_EQ(GameTables::tunnexTileImages->length, 17);
        EXPECT_EQ(narrow(GameTables::tunnexTileImages[16]), "earth_2.png");
        EXPECT_EQ(narrow(GameTables::tunnexBulletFrames[3]), "bullet_04.png");
        EXPECT_EQ(narrow(GameTables::tunnexPlayerDieFrames[11]), "tunnexDie_12.png");
        EXPECT_EQ(narrow(GameTables::tunnexEnemyEatMirrorFrames[0]), "enemyEat_01.png_mr");
        EXPECT_EQ(narrow(GameTables::tunnexBonusUpFrames[2]), "bonus_anim2.png_up");
        EXPECT_EQ(narrow(GameTables::dotvorMainItems[3]), "sound_level");
        EXPECT_EQ(narrow(GameTables::swarmlineMenuItems[3]), "sound level");
        EXPECT_NE(GameTables::swarmlineTableA.get(), GameTables::swarmlineTableB.get());
        EXPECT_TRUE(GameTables::dotvorMenu);
        EXPECT_TRUE(GameTables::virtualKeyboard);
        EXPECT_TRUE(GameLib::sharedRandom);
        EXPECT_TRUE(ImageAtlas::imageAtlas);
    });
}

TEST_F(Tables, TheCodeSequenceTakesTheTwoDigitsAfterFourEightTwo) {
    inProgram([] {
        for (int code : {'4', '8', '2', '0', '9'}) {
            KeyState::handleKey(code, true);
            KeyState::handleKey(code, false);
        }
        EXPECT_TRUE(KeyState::numberEntered);
        EXPECT_EQ(KeyState::enteredNumber, 9);
    });
}

TEST_F(Tables, ExitDropsTheSharedObjectsAndEachGamesOwn) {
    gameReleases = 0;
    GameRegistry::entries[GameRegistry::goldrift].release = countRelease;
    GameRegistry::entries[GameRegistry::floodpass].release = countRelease;
    inProgram([] {});
    EXPECT_EQ(gameReleases, 2);
    EXPECT_FALSE(GameLib::currentMode);
    EXPECT_FALSE(GameLib::screenCanvas);
    EXPECT_FALSE(GameLib::gameLib);
    EXPECT_FALSE(ScreenCanvas::fonts);
    EXPECT_FALSE(StringManager::properties);
    EXPECT_FALSE(GameTables::brixmoorId);
    EXPECT_FALSE(GameTables::tunnexPlayerFrames);
    EXPECT_FALSE(GameTables::virtualKeyboard);
}
