#include "shellstart.h"
#include "ce_system.h"
#include "dhashtable.h"
#include "gamelib.h"
#include "imageatlas.h"
#include "keystate.h"
#include "screencanvas.h"
#include "stringmanager.h"

using dfc::lang::DintArray;
using dfc::util::DHashtable;
using dfc::util::DRandom;

namespace {
// Tables made with 11 buckets grow when three quarters full.
constexpr int tableBuckets = 11;
constexpr int tableLoadPercent = 75;
}  // namespace

void ShellStart::initTables() {
    ImageAtlas::imageAtlas = new DHashtable(tableBuckets, tableLoadPercent);
    // '4', '8', '2', then the two digits of the entered number.
    KeyState::codeSequence = new DintArray(5, '4', '8', '2', 0, 0);
    StringManager::properties = new DHashtable(tableBuckets, tableLoadPercent);
    GameLib::sharedRandom = new DRandom();
    GameLib::sharedRandom->setSeed(GetTickCount());
}

void ShellStart::releaseTables() {
    KeyState::codeSequence = nullptr;
    StringManager::properties = nullptr;
    ImageAtlas::release();
    ScreenCanvas::fonts = nullptr;
    ScreenCanvas::screenGraphics = nullptr;
    GameLib::sharedRandom = nullptr;
    GameLib::currentMode = nullptr;
    GameLib::screenCanvas = nullptr;
    GameLib::gameLib = nullptr;
}

void ShellStart::loadMenuPictures() {}

GameInterfacePtr ShellStart::newShellMenu() { return new GameInterface(); }
