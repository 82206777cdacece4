#pragma once
#include "dprimitives.h"
#include "dstringarray.h"
#include "gamemenu.h"
#include "virtualkeyboard.h"

// The tables the game library and the eight games share, filled once at start-up and kept
// until exit: each game's identifier (the prefix of its option keys and score stores), menu
// item lists, small numeric tables and sprite-name lists, with the shared keyboard, random
// generator, property table, image atlas and key-code sequence. release drops every shared
// object of the library and, through the game registry, of each game.
class GameTables {
public:
    // Builds everything, in the order below. Called once, after the fonts are loaded.
    static void init();
    // Drops every shared object; no frame may run afterwards.
    static void release();

    static dfc::lang::DStringPtr brixmoorId;
    // The letters of the brick game's round files.
    static dfc::lang::DStringPtr brixmoorLegend;
    // The name entry of every menu.
    static VirtualKeyboardPtr virtualKeyboard;

    static dfc::lang::DStringPtr rockvaleId;
    static dfc::lang::DintArrayPtr rockvaleColours;
    static dfc::lang::DintArrayPtr rockvaleIndexTable;
    // 1000 x |cos(k x 22.5 degrees)| for k = 1 to 8.
    static dfc::lang::DintArrayPtr rockvaleCosTable;

    static dfc::lang::DintArrayPtr dotvorCounters;
    static dfc::lang::DStringPtr dotvorId;
    static GameMenuPtr dotvorMenu;
    static dfc::lang::DStringArrayPtr dotvorMainItems;
    static dfc::lang::DStringArrayPtr dotvorStartItems;
    static dfc::lang::DStringArrayPtr dotvorModeItems;
    static dfc::lang::DintArrayPtr dotvorFlags;

    static dfc::lang::DStringPtr tunnexId;
    static dfc::lang::DStringArrayPtr tunnexSackFrames;
    static dfc::lang::DStringArrayPtr tunnexBulletFrames;
    static dfc::lang::DStringArrayPtr tunnexTileImages;
    static dfc::lang::DStringPtr tunnexCherryImage;
    static dfc::lang::DStringArrayPtr tunnexEnemyUpFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemySideFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemySideMirrorFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemyDieFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemyEatMirrorFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemyEatFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemyEatDeathMirrorFrames;
    static dfc::lang::DStringArrayPtr tunnexEnemyEatDeathFrames;
    static dfc::lang::DStringArrayPtr tunnexPlayerMirrorFrames;
    static dfc::lang::DStringArrayPtr tunnexPlayerFrames;
    static dfc::lang::DStringArrayPtr tunnexPlayerUpFrames;
    static dfc::lang::DStringArrayPtr tunnexPlayerDownFrames;
    static dfc::lang::DStringArrayPtr tunnexPlayerDieFrames;
    static dfc::lang::DStringArrayPtr tunnexBonusFrames;
    static dfc::lang::DStringArrayPtr tunnexBonusUpFrames;
    static dfc::lang::DStringArrayPtr tunnexBonusDownFrames;
    static dfc::lang::DStringPtr tunnexEarthName;

    static dfc::lang::DStringPtr tanksId;
    // Row r, column c: 1 << (16 + 4r + c).
    static dfc::lang::DintArray2dPtr tanksBitMasks;
    static dfc::lang::DintArrayPtr tanksTypeValueA;
    static dfc::lang::DintArrayPtr tanksTypeValueB;
    static dfc::lang::DintArrayPtr tanksTypeMillis;
    // The tank game's tables alone, for a battle run without the program round it.
    static void initTanks();
    static void releaseTanks();

    static dfc::lang::DStringPtr goldriftId;
    static dfc::lang::DStringArrayPtr goldriftMenuItems;

    static dfc::lang::DStringPtr swarmlineId;
    static dfc::lang::DStringArrayPtr swarmlineMenuItems;
    static dfc::lang::DintArrayPtr swarmlineTableA;
    static dfc::lang::DintArrayPtr swarmlineTableB;
    static dfc::lang::DintArrayPtr swarmlineTableC;
    static dfc::lang::DintArrayPtr swarmlineTableD;
    static dfc::lang::DintArrayPtr swarmlineColours;

    static dfc::lang::DStringPtr floodpassId;

private:
    static void initShared();
    static void initRockvale();
    static void initDotvor();
    static void initTunnex();
    static void initSwarmline();
    static void releaseLibrary();
    static void releaseTables();
    static void releaseTunnex();
};
