#include "gametables.h"
#include "ce_system.h"
#include "dhashtable.h"
#include "gamelib.h"
#include "gameregistry.h"
#include "helplayout.h"
#include "imageatlas.h"
#include "keystate.h"
#include "screencanvas.h"
#include "sound.h"
#include "stringmanager.h"

using dfc::lang::DintArray;
using dfc::lang::DintArray2d;
using dfc::lang::DintArray2dPtr;
using dfc::lang::DintArrayPtr;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::util::DHashtable;
using dfc::util::DRandom;

DStringPtr GameTables::brixmoorId;
DStringPtr GameTables::brixmoorLegend;
VirtualKeyboardPtr GameTables::virtualKeyboard;
DStringPtr GameTables::rockvaleId;
DintArrayPtr GameTables::rockvaleColours;
DintArrayPtr GameTables::rockvaleIndexTable;
DintArrayPtr GameTables::rockvaleCosTable;
DintArrayPtr GameTables::dotvorCounters;
DStringPtr GameTables::dotvorId;
GameMenuPtr GameTables::dotvorMenu;
DStringArrayPtr GameTables::dotvorMainItems;
DStringArrayPtr GameTables::dotvorStartItems;
DStringArrayPtr GameTables::dotvorModeItems;
DintArrayPtr GameTables::dotvorFlags;
DStringPtr GameTables::tunnexId;
DStringArrayPtr GameTables::tunnexSackFrames;
DStringArrayPtr GameTables::tunnexBulletFrames;
DStringArrayPtr GameTables::tunnexTileImages;
DStringPtr GameTables::tunnexCherryImage;
DStringArrayPtr GameTables::tunnexEnemyUpFrames;
DStringArrayPtr GameTables::tunnexEnemySideFrames;
DStringArrayPtr GameTables::tunnexEnemySideMirrorFrames;
DStringArrayPtr GameTables::tunnexEnemyDieFrames;
DStringArrayPtr GameTables::tunnexEnemyEatMirrorFrames;
DStringArrayPtr GameTables::tunnexEnemyEatFrames;
DStringArrayPtr GameTables::tunnexEnemyEatDeathMirrorFrames;
DStringArrayPtr GameTables::tunnexEnemyEatDeathFrames;
DStringArrayPtr GameTables::tunnexPlayerMirrorFrames;
DStringArrayPtr GameTables::tunnexPlayerFrames;
DStringArrayPtr GameTables::tunnexPlayerUpFrames;
DStringArrayPtr GameTables::tunnexPlayerDownFrames;
DStringArrayPtr GameTables::tunnexPlayerDieFrames;
DStringArrayPtr GameTables::tunnexBonusFrames;
DStringArrayPtr GameTables::tunnexBonusUpFrames;
DStringArrayPtr GameTables::tunnexBonusDownFrames;
DStringPtr GameTables::tunnexEarthName;
DStringPtr GameTables::tanksId;
DintArray2dPtr GameTables::tanksBitMasks;
DintArrayPtr GameTables::tanksTypeValueA;
DintArrayPtr GameTables::tanksTypeValueB;
DintArrayPtr GameTables::tanksTypeMillis;
DStringPtr GameTables::goldriftId;
DStringArrayPtr GameTables::goldriftMenuItems;
DStringPtr GameTables::swarmlineId;
DStringArrayPtr GameTables::swarmlineMenuItems;
DintArrayPtr GameTables::swarmlineTableA;
DintArrayPtr GameTables::swarmlineTableB;
DintArrayPtr GameTables::swarmlineTableC;
DintArrayPtr GameTables::swarmlineTableD;
DintArrayPtr GameTables::swarmlineColours;
DStringPtr GameTables::floodpassId;

namespace {

// Tables made with 11 buckets grow when three quarters full.
constexpr int tableBuckets = 11;
constexpr int tableLoadPercent = 75;

// prefix + number + suffix for each number from first to last, the number padded with zeros
// to digits places: ("bullet_", 1, 4, 2, ".png") gives "bullet_01.png" .. "bullet_04.png".
DStringArrayPtr numberedNames(const char16_t* prefix, int first, int last, int digits, const char16_t* suffix) {
    DStringArrayPtr names = new DStringArray(last - first + 1);
    for (int n = first; n <= last; ++n) {
        DStringPtr number = DString::valueOf(n);
        while (number->length() < digits) number = u"0" + number;
        names[n - first] = prefix + number + suffix;
    }
    return names;
}

// The menu of the games that name their level options with blanks.
DStringArrayPtr menuItems() {
    return new DStringArray(6, u"start", u"highscores", u"help", u"sound level", u"music level", u"exit");
}

}  // namespace

void GameTables::init() {
    initShared();
    initRockvale();
    initDotvor();
    initTunnex();
    initTanks();
    goldriftId = DStringPtr(u"goldrift");
    goldriftMenuItems = menuItems();
    initSwarmline();
    floodpassId = DStringPtr(u"floodpass");
}

void GameTables::initShared() {
    brixmoorId = DStringPtr(u"brixmoor");
    brixmoorLegend = DStringPtr(u"abcdefghij");
    ImageAtlas::imageAtlas = new DHashtable(tableBuckets, tableLoadPercent);
    // '4', '8', '2', then the two digits of the entered number.
    KeyState::codeSequence = new DintArray(5, '4', '8', '2', 0, 0);
    StringManager::properties = new DHashtable(tableBuckets, tableLoadPercent);
    virtualKeyboard = new VirtualKeyboard();
    GameMenu::arrowUp = nullptr;
    GameMenu::arrowDown = nullptr;
    GameLib::sharedRandom = new DRandom();
    GameLib::sharedRandom->setSeed(int64_t(GetTickCount()));
}

void GameTables::initRockvale() {
    rockvaleId = DStringPtr(u"rockvale");
    rockvaleColours = new DintArray(3, 0xAFAFAF, 0x00AFFF, 0x0000FF);
    rockvaleIndexTable = new DintArray(22, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 7, 7);
    rockvaleCosTable = new DintArray(8, 923, 707, 382, 0, 382, 707, 923, 1000);
}

void GameTables::initDotvor() {
    dotvorCounters = new DintArray(2);
    dotvorId = DStringPtr(u"dotvor");
    dotvorMenu = new GameMenu();
    dotvorMainItems = new DStringArray(6, u"start", u"highscores", u"help", u"sound_level", u"music_level", u"exit");
    dotvorStartItems = new DStringArray(4, u"start", u"levelsoriginal", u"modeoriginal", u"exit");
    dotvorModeItems = new DStringArray(4, u"modeoriginal", u"modefruit", u"modetime", u"modekill");
    dotvorFlags = new DintArray(5);
}

void GameTables::initTunnex() {
    tunnexId = DStringPtr(u"tunnex");
    tunnexSackFrames = new DStringArray(7, u"sack_00.png", u"sack_01.png", u"sack_02.png", u"sack_03.png",
                                        u"gold_1.png", u"gold_2.png", u"gold_3.png");
    tunnexBulletFrames = numberedNames(u"bullet_", 1, 4, 2, u".png");
    tunnexTileImages = new DStringArray(
        17, u"blackSquare.png_dn", u"blackSquare.png", u"earthMask_1.png_up", u"earthMask_2.png_up",
        u"earthMask_3.png_up", u"earthMask_4.png_up", u"earthMask_5.png_up", u"earth_1.png", u"earthMask_1.png",
        u"earthMask_2.png", u"earthMask_3.png", u"earthMask_4.png", u"earthMask_5.png", u"gold_3.png",
        u"diamond.png", u"diamondEat.png", u"earth_2.png");
    tunnexCherryImage = DStringPtr(u"cherry.png");
    tunnexEnemyUpFrames = numberedNames(u"enemyGoUp_", 1, 4, 1, u".png");
    tunnexEnemySideFrames = numberedNames(u"enemyGoSide_", 1, 4, 1, u".png");
    tunnexEnemySideMirrorFrames = numberedNames(u"enemyGoSide_", 1, 4, 1, u".png_mr");
    tunnexEnemyDieFrames = numberedNames(u"enemyDie_", 1, 6, 1, u".png");
    tunnexEnemyEatMirrorFrames = numberedNames(u"enemyEat_", 1, 8, 2, u".png_mr");
    tunnexEnemyEatFrames = numberedNames(u"enemyEat_", 1, 8, 2, u".png");
    tunnexEnemyEatDeathMirrorFrames = numberedNames(u"enemyEatDeath_", 1, 6, 1, u".png_mr");
    tunnexEnemyEatDeathFrames = numberedNames(u"enemyEatDeath_", 1, 6, 1, u".png");
    tunnexPlayerMirrorFrames = numberedNames(u"tunnexFull_", 1, 4, 1, u".png_mr");
    tunnexPlayerFrames = numberedNames(u"tunnexFull_", 1, 4, 1, u".png");
    tunnexPlayerUpFrames = numberedNames(u"tunnexFull_", 1, 4, 1, u".png_up");
    tunnexPlayerDownFrames = numberedNames(u"tunnexFull_", 1, 4, 1, u".png_dn");
    tunnexPlayerDieFrames = numberedNames(u"tunnexDie_", 1, 12, 2, u".png");
    tunnexBonusFrames = numberedNames(u"bonus_anim", 0, 2, 1, u".png");
    tunnexBonusUpFrames = numberedNames(u"bonus_anim", 0, 2, 1, u".png_up");
    tunnexBonusDownFrames = numberedNames(u"bonus_anim", 0, 2, 1, u".png_dn");
    tunnexEarthName = DStringPtr(u"earth");
}

void GameTables::initTanks() {
    tanksId = DStringPtr(u"tanks");
    tanksBitMasks = new DintArray2d(4, 4);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            tanksBitMasks[row][column] = int32_t(uint32_t(1) << (16 + 4 * row + column));
    tanksTypeValueA = new DintArray(8, 2, 2, 4, 2, 2, 2, 4, 2);
    tanksTypeValueB = new DintArray(8, 1, 1, 1, 2, 1, 1, 1, 2);
    tanksTypeMillis = new DintArray(8, 1000, 1000, 1500, 2000, 1000, 1000, 1500, 2000);
}

void GameTables::releaseTanks() {
    tanksId = nullptr;
    tanksBitMasks = nullptr;
    tanksTypeValueA = tanksTypeValueB = tanksTypeMillis = nullptr;
}

void GameTables::initSwarmline() {
    swarmlineId = DStringPtr(u"swarmline");
    swarmlineMenuItems = menuItems();
    swarmlineTableA = new DintArray(5, 2, 4, 5, 6, 6);
    swarmlineTableB = new DintArray(5, 2, 4, 5, 6, 6);
    swarmlineTableC = new DintArray(5, 150, 100, 80, 60, 60);
    swarmlineTableD = new DintArray(3, 70000, 80000, 100000);
    swarmlineColours = new DintArray(3, 0x0000FF, 0x00FFFF, 0xDFDFDF);
}

void GameTables::release() {
    releaseTables();
    releaseLibrary();
    GameRegistry::releaseGames();
}

void GameTables::releaseTables() {
    brixmoorId = brixmoorLegend = nullptr;
    virtualKeyboard = nullptr;
    rockvaleId = nullptr;
    rockvaleColours = rockvaleIndexTable = rockvaleCosTable = nullptr;
    dotvorCounters = dotvorFlags = nullptr;
    dotvorId = nullptr;
    dotvorMenu = nullptr;
    dotvorMainItems = dotvorStartItems = dotvorModeItems = nullptr;
    releaseTunnex();
    releaseTanks();
    goldriftId = nullptr;
    goldriftMenuItems = nullptr;
    swarmlineId = nullptr;
    swarmlineMenuItems = nullptr;
    swarmlineTableA = swarmlineTableB = swarmlineTableC = swarmlineTableD = swarmlineColours = nullptr;
    floodpassId = nullptr;
}

void GameTables::releaseTunnex() {
    tunnexId = tunnexCherryImage = tunnexEarthName = nullptr;
    for (DStringArrayPtr* names :
         {&tunnexSackFrames, &tunnexBulletFrames, &tunnexTileImages, &tunnexEnemyUpFrames, &tunnexEnemySideFrames,
          &tunnexEnemySideMirrorFrames, &tunnexEnemyDieFrames, &tunnexEnemyEatMirrorFrames, &tunnexEnemyEatFrames,
          &tunnexEnemyEatDeathMirrorFrames, &tunnexEnemyEatDeathFrames, &tunnexPlayerMirrorFrames,
          &tunnexPlayerFrames, &tunnexPlayerUpFrames, &tunnexPlayerDownFrames, &tunnexPlayerDieFrames,
          &tunnexBonusFrames, &tunnexBonusUpFrames, &tunnexBonusDownFrames})
        *names = nullptr;
}

void GameTables::releaseLibrary() {
    ScreenCanvas::fonts = nullptr;
    ScreenCanvas::screenGraphics = nullptr;
    GameLib::screenCanvas = nullptr;
    GameLib::currentMode = nullptr;
    GameLib::gameLib = nullptr;
    StringManager::properties = nullptr;
    ImageAtlas::release();
    KeyState::codeSequence = nullptr;
    GameLib::sharedRandom = nullptr;
    GameMenu::arrowUp = GameMenu::arrowDown = GameMenu::pauseImage = nullptr;
    GameMenu::lastEnteredName = nullptr;
    HelpLayout::clear();
    Sound::soundTable = nullptr;
    Sound::currentPlayer = nullptr;
}
