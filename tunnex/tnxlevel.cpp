#include "tnxlevel.h"
#include "damagelog.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "firebolt.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "sound.h"
#include "tnxbag.h"
#include "tnxmonster.h"
#include "tnxplayer.h"
#include "tunnex.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::lang::DboolArray;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DintArray;
using dfc::lang::DStringPtr;

DbyteArrayPtr Level::grid;
dfc::lang::DintArrayPtr Level::allMasks;
dfc::lang::DintArrayPtr Level::crystalCounts;
dfc::lang::DintArrayPtr Level::cells;
int32_t Level::crystalsLeft = 0;
dfc::lang::DintArrayPtr Level::dirtyCells;
dfc::lang::DboolArrayPtr Level::queued;
int32_t Level::dirtyCount = 0;
int32_t Level::recountTimer = 30;
int32_t Level::bonusTimer = 200;
bool Level::cherryShown = false;
bool Level::bonusMode = false;
bool Level::levelStartSound = false;
int32_t Level::earthStyle = 1;
int32_t Level::monsterLimit = 3;
GameImageArrayPtr Level::tiles;
GameImagePtr Level::cherry;
GameImagePtr Level::earthTile, Level::verticalTile, Level::horizontalTile, Level::crossingTile, Level::crystalTile;

namespace {

constexpr int columns = Tunnex::columns, rows = Tunnex::rows;
constexpr int recountTicks = 30, cherryHidden = 200, cherryShownTicks = 300, bonusTicks = 200;
// Tile list entries: the vertical fifths (bottom first), the earth, the horizontal fifths.
constexpr int verticalOverlays = 2, horizontalOverlays = 8, eatenOverlay = 15, tileCount = 16;
constexpr int verticalBits[] = {0x8000, 0x4000, 0x2000, 0x1000, 0x0800};
constexpr int horizontalBits[] = {0x0400, 0x0200, 0x0100, 0x0080, 0x0040};

bool has(int mask, int bits) { return (mask & bits) == bits; }

bool isPassage(int ch) { return ch == 'V' || ch == 'H'; }

int cellIndex(int column, int row) { return row * columns + column; }

bool inside(int column, int row) { return column >= 0 && column < columns && row >= 0 && row < rows; }

}  // namespace

void Level::init() {
    tiles = new GameImageArray(tileCount);
    for (int i = 0; i < tileCount; ++i) tiles[i] = GameImage::load(GameTables::tunnexTileImages[i]);
    cherry = GameImage::load(GameTables::tunnexCherryImage);
    grid = new DbyteArray(fileCells);
    allMasks = new DintArray(fileCells);
    crystalCounts = new DintArray(levelsPerFile);
    cells = new DintArray(cellsPerLevel);
    dirtyCells = new DintArray(cellsPerLevel);
    queued = new DboolArray(cellsPerLevel);
    dirtyCount = 0;
    setMonsterLimit();
    earthStyle = 1;
}

void Level::release() {
    grid = nullptr;
    allMasks = crystalCounts = cells = dirtyCells = nullptr;
    queued = nullptr;
    tiles = nullptr;
    cherry = earthTile = verticalTile = horizontalTile = crossingTile = crystalTile = nullptr;
    dirtyCount = 0;
}

int Level::readLevel(const DStringPtr& name) {
    DDataInputStreamPtr in;
    try {
        in = new DDataInputStream(GameLib::openResource(name));
    } catch (DExceptionPtr&) {
        return -1;
    }
    const int result = readFrom(in);
    in->close();
    return result;
}

// The grid changes only when the whole file was read: a short file leaves the last one whole.
int Level::readFrom(const DDataInputStreamPtr& in) {
    DbyteArrayPtr bytes = new DbyteArray(fileCells);
    int count = 0;
    try {
        in->readShort();
        for (int n = 0; count < fileCells && (n = in->read(bytes, count, fileCells - count)) > 0;) count += n;
    } catch (DExceptionPtr&) {
        // Shorter than its two leading bytes, or unreadable: what was read counts.
    }
    if (count < fileCells) return count == 0 ? -1 : -count;
    for (int i = 0; i < fileCells; ++i) grid[i] = bytes[i];
    buildMasks();
    return 0;
}

void Level::buildMasks() {
    for (int l = 0; l < levelsPerFile; ++l) {
        crystalCounts[l] = 0;
        const int base = l * cellsPerLevel;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const int mask = maskOf(grid, base, column, row);
                if (mask == crystal) crystalCounts[l] = crystalCounts[l] + 1;
                allMasks[base + cellIndex(column, row)] = mask;
            }
    }
}

// Only 'V' and 'H' neighbours widen a tunnel cell into a crossing.
int Level::maskOf(const DbyteArrayPtr& from, int base, int column, int row) {
    auto at = [&](int c, int r) { return int(from[base + cellIndex(c, r)]); };
    const int ch = at(column, row);
    int m = 0;
    if (ch == 'S' || ch == 'V') {
        m = verticalFull;
        if (column != 0 && isPassage(at(column - 1, row))) m = crossing;
        if (column != columns - 1 && isPassage(at(column + 1, row))) m |= horizontalFull;
    }
    if (ch == 'S' || ch == 'H') {
        m |= horizontalFull;
        if (row != 0 && isPassage(at(column, row - 1))) m = crossing;
        if (row != rows - 1 && isPassage(at(column, row + 1))) m |= verticalFull;
    }
    if (ch == 'S') m |= crossing | startContent;
    if (ch == 'B') m = bagPlace;
    if (ch == 'C') m = crystal;
    return m;
}

void Level::start(int level) {
    const int k = (level - 1) % levelsPerFile;
    for (int i = 0; i < cellsPerLevel; ++i) cells[i] = allMasks[k * cellsPerLevel + i];
    crystalsLeft = crystalCounts[k];
    recountTimer = recountTicks;
    bonusTimer = cherryHidden;
    cherryShown = false;
    bonusMode = false;
    for (int i = 0; i < Tunnex::bagCount; ++i) Tunnex::bags[i]->reset();
    placeBags();
    for (int i = 0; i < Tunnex::monsterCount; ++i) Tunnex::monsters[i]->reset();
    // A bolt in flight or reloading does not carry into the level.
    Tunnex::firebolt->reset();
    loadStyleTiles();
    earthStyle = earthStyle % 4 + 1;
    levelStartSound = true;
}

void Level::loadStyleTiles() {
    const DStringPtr prefix = GameTables::tunnexEarthName + earthStyle;
    earthTile = GameImage::load(DStringPtr(u"earth_") + earthStyle + u".png");
    verticalTile = GameImage::load(prefix + u"_2.png");
    horizontalTile = GameImage::load(prefix + u"_2.png_dn");
    crossingTile = GameImage::load(prefix + u"_3.png");
    crystalTile = GameImage::load(prefix + u"_4.png");
}

// A level with more bag places than bags keeps the extra places as plain earth; that is named
// once, for the first such level.
void Level::placeBags() {
    int next = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if (cellAt(column, row) != bagPlace) continue;
            setCell(column, row, 0);
            if (next < Tunnex::bagCount) Tunnex::bags[next]->place(row, column);
            ++next;
        }
    if (next > Tunnex::bagCount)
        DamageLog::name(u"Tunnex: too many bags",
                        DStringPtr(u"Tunnex: level ") + Tunnex::level + u" has " + next + u" bags, more than the " +
                            Tunnex::bagCount + u" it can hold: the rest are left out, here and in any other level");
}

void Level::setMonsterLimit() {
    const int speed = Tunnex::speed();
    monsterLimit = speed == 1 ? 3 : speed < 8 ? 4 : 5;
}

void Level::nextLevel() {
    const int level = Tunnex::level;
    if (level >= Tunnex::lastLevel) {
        Sound::stopAll();
        Tunnex::paused = false;
        if (Tunnex::isHighScore(Tunnex::player->score)) {
            Tunnex::setState(Tunnex::mainMenu);
            Tunnex::menu->enterName();
        } else {
            Tunnex::setState(Tunnex::highScores);
        }
        return;
    }
    Tunnex::openUpTo(level + 1);
    if (level / levelsPerFile != (level - 1) / levelsPerFile) {
        const DStringPtr name = DStringPtr(u"/tnx/data/") + (level / levelsPerFile + 1) + u".txt";
        if (readLevel(name) != 0) {
            Tunnex::abandon(u"Tunnex: level file " + name + u" is missing or damaged; back to the menu");
            return;
        }
    }
    Tunnex::level = level + 1;
    setMonsterLimit();
    start(Tunnex::level);
    Tunnex::fullRepaint = true;
    Tunnex::startDelay = 1;
    Tunnex::setState(Tunnex::levelIntro);
}

void Level::tick() {
    if (--recountTimer <= 0) {
        countCrystals();
        recountTimer = recountTicks;
    }
    if (--bonusTimer <= 0) {
        if (bonusMode) {
            bonusMode = false;
            bonusTimer = bonusTicks;
        } else if (cherryShown) {
            cherryShown = false;
            bonusTimer = cherryHidden;
            markDirty(columns - 1, 0);
        } else {
            cherryShown = true;
            bonusTimer = cherryShownTicks;
        }
    }
    checkPlayer();
    if (Tunnex::state != Tunnex::play) return;
    for (int i = 0; i < Tunnex::bagCount; ++i)
        if (Tunnex::bags[i]->active) Tunnex::bags[i]->update();
}

void Level::restartAfterDeath() {
    recountTimer = recountTicks;
    bonusTimer = cherryHidden;
    bonusMode = false;
    cherryShown = false;
    for (int i = 0; i < Tunnex::monsterCount; ++i) Tunnex::monsters[i]->reset();
    Tunnex::fullRepaint = true;
}

void Level::countCrystals() {
    crystalsLeft = 0;
    for (int i = 0; i < cellsPerLevel; ++i)
        if ((cells[i] & contentMask) == crystal) ++crystalsLeft;
}

// ---- Contacts of the player ----

void Level::checkPlayer() {
    const PlayerPtr& player = Tunnex::player;
    if (player->dead) return;
    checkBags(player->x, player->y, Tunnex::none, playerId);
    if (cherryShown && Tunnex::touchesActor(player->x, player->y, (columns - 1) * Tunnex::cellSize, 0)) takeCherry();
    checkMonsters();
    takeCrystals(player->column, player->row, player->dx, player->dy, Tunnex::step, true);
    for (int i = 0; i < Tunnex::monsterCount; ++i) {
        const MonsterPtr& monster = Tunnex::monsters[i];
        if (monster->active)
            takeCrystals(monster->column, monster->row, monster->dx, monster->dy, Tunnex::step + 1, false);
    }
    if (crystalsLeft > 0) return;
    for (int i = 0; i < Tunnex::monsterCount; ++i) Tunnex::monsters[i]->active = false;
    player->respawn();
    nextLevel();
}

void Level::takeCherry() {
    cherryShown = false;
    bonusTimer = bonusTicks;
    bonusMode = true;
    markDirty(columns - 1, 0);
    Tunnex::player->scoreCherry();
    Sound::play(Tunnex::eatSound, 1);
}

void Level::checkMonsters() {
    const PlayerPtr& player = Tunnex::player;
    for (int i = 0; i < Tunnex::monsterCount; ++i) {
        const MonsterPtr& monster = Tunnex::monsters[i];
        if (!monster->active || !Tunnex::touchesActor(player->x, player->y, monster->x, monster->y)) continue;
        if (!bonusMode) {
            player->die();
            continue;
        }
        monster->kill();
        player->scoreMonsterEaten();
        Sound::play(Tunnex::eatSound, 1);
    }
}

// The cell, and the neighbours right and below once the actor overlaps them by `reach`.
void Level::takeCrystals(int column, int row, int dx, int dy, int reach, bool byPlayer) {
    takeCrystal(column, row, byPlayer);
    if (column < columns - 1 && dx >= reach) takeCrystal(column + 1, row, byPlayer);
    if (row < rows - 1 && dy >= reach) takeCrystal(column, row + 1, byPlayer);
}

void Level::takeCrystal(int column, int row, bool byPlayer) {
    const int mask = cellAt(column, row);
    if ((mask & contentMask) != crystal) return;
    setCell(column, row, (mask & ~contentMask) | eatenCrystal);
    markDirty(column, row);
    --crystalsLeft;
    if (!byPlayer) return;
    Tunnex::player->scoreCrystal();
    Sound::play(Tunnex::eatSound, 1);
}

// ---- Cells ----

int Level::cellAt(int column, int row) {
    if (!cells || !inside(column, row)) return 0;
    return cells[cellIndex(column, row)];
}

void Level::setCell(int column, int row, int mask) {
    if (cells && inside(column, row)) cells[cellIndex(column, row)] = mask;
}

// A cell is queued once; should the queue fill regardless, the whole field is repainted.
void Level::markDirty(int column, int row) {
    if (!dirtyCells || !inside(column, row)) return;
    const int index = cellIndex(column, row);
    if (queued[index]) return;
    if (dirtyCount >= cellsPerLevel) {
        Tunnex::fullRepaint = true;
        return;
    }
    queued[index] = true;
    dirtyCells[dirtyCount++] = column << 16 | row;
}

void Level::markSprite(int x, int y) {
    const int size = Tunnex::cellSize;
    const int left = x / size, top = y / size, right = (x + size - 1) / size, bottom = (y + size - 1) / size;
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column) markDirty(column, row);
}

void Level::paintDirty() {
    const int size = Tunnex::cellSize;
    const int count = dirtyCount;
    dirtyCount = 0;
    for (int i = 0; i < count; ++i) {
        const int column = dirtyCells[i] >> 16, row = dirtyCells[i] & 0xFFFF;
        queued[cellIndex(column, row)] = false;
        paintCell(cellAt(column, row), column * size + Tunnex::fieldX, row * size + Tunnex::fieldY);
    }
    paintSprites();
}

void Level::paintAll() {
    const int size = Tunnex::cellSize;
    for (int i = 0; i < dirtyCount; ++i) queued[cellIndex(dirtyCells[i] >> 16, dirtyCells[i] & 0xFFFF)] = false;
    dirtyCount = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            paintCell(cellAt(column, row), column * size + Tunnex::fieldX, row * size + Tunnex::fieldY);
    paintSprites();
}

void Level::paintSprites() {
    for (int i = 0; i < Tunnex::bagCount; ++i)
        if (Tunnex::bags[i]->active) Tunnex::bags[i]->paint(true);
    if (!cherryShown) return;
    cherry->drawAt((columns - 1) * Tunnex::cellSize + Tunnex::fieldX, Tunnex::fieldY);
    markDirty(columns - 1, 0);
}

void Level::paintCell(int mask, int x, int y) {
    if (has(mask, crossing)) {
        crossingTile->drawAtVariant(x, y);
        return;
    }
    if (has(mask, verticalFull)) {
        verticalTile->drawAtVariant(x, y);
        paintOverlays(mask & horizontalFull, x, y);
        return;
    }
    if (has(mask, horizontalFull)) {
        horizontalTile->drawAtVariant(x, y);
        paintOverlays(mask & verticalFull, x, y);
        return;
    }
    switch (mask & contentMask) {
        case 0: earthTile->drawAtVariant(x, y); break;
        case crystal: crystalTile->drawAtVariant(x, y); break;
        case eatenCrystal:
            earthTile->drawAtVariant(x, y);
            tiles[eatenOverlay]->drawAt(x, y);
            break;
        default: break;
    }
    paintOverlays(mask & crossing, x, y);
}

void Level::paintOverlays(int mask, int x, int y) {
    for (int i = 0; i < 5; ++i) {
        if (mask & verticalBits[i]) tiles[verticalOverlays + i]->drawAt(x, y);
        if (mask & horizontalBits[i]) tiles[horizontalOverlays + i]->drawAt(x, y);
    }
}

// ---- Carving and joins ----

void Level::carve(int column, int row, int dx, int dy, int direction) {
    const int size = Tunnex::cellSize, s = Tunnex::step;
    int targetColumn = column, targetRow = row, offset = 0;
    const int* bits = nullptr;
    int offsets[5] = {};
    switch (direction) {
        case Tunnex::right:
            targetColumn = column + 1;
            offset = dx;
            bits = horizontalBits;
            for (int i = 0; i < 5; ++i) offsets[i] = i < 4 ? (i + 1) * s : size;
            break;
        case Tunnex::left:
            offset = dx;
            bits = horizontalBits;
            for (int i = 0; i < 5; ++i) offsets[i] = i * s;
            break;
        case Tunnex::up:
            offset = dy;
            bits = verticalBits;
            for (int i = 0; i < 5; ++i) offsets[i] = i < 4 ? size - (i + 1) * s : 0;
            break;
        case Tunnex::down:
            targetRow = row + 1;
            offset = dy;
            bits = verticalBits;
            for (int i = 0; i < 5; ++i) offsets[i] = size - i * s;
            break;
        default: return;
    }
    if (!inside(targetColumn, targetRow)) return;
    for (int i = 0; i < 5; ++i) {
        if (offsets[i] != offset) continue;
        setCell(targetColumn, targetRow, cellAt(targetColumn, targetRow) | bits[i]);
        markDirty(targetColumn, targetRow);
        return;
    }
}

// Leaving a cell boundary right or down carves the far fifth of the cell being left, so that
// the tunnel joins the next one.
void Level::dig(int& column, int& row, int& dx, int& dy, int& x, int& y, int direction) {
    const int size = Tunnex::cellSize, s = Tunnex::step;
    switch (direction) {
        case Tunnex::up:
            if (dy == 0) {
                carve(column, row, dx, dy, direction);
                --row;
                dy = size;
            }
            dy -= s;
            y -= s;
            break;
        case Tunnex::down:
            if (dy == 0) carve(column, row - 1, dx, size, direction);
            if (dy == size - s) {
                carve(column, row, dx, dy, direction);
                ++row;
                dy = -s;
            }
            dy += s;
            y += s;
            break;
        case Tunnex::left:
            if (dx == 0) {
                carve(column, row, dx, dy, direction);
                --column;
                dx = size;
            }
            dx -= s;
            x -= s;
            break;
        case Tunnex::right:
            if (dx == 0) carve(column - 1, row, size, dy, direction);
            if (dx == size - s) {
                carve(column, row, dx, dy, direction);
                ++column;
                dx = -s;
            }
            dx += s;
            x += s;
            break;
        default: return;
    }
    carve(column, row, dx, dy, direction);
}

bool Level::openDown(int column, int row) {
    const int here = cellAt(column, row);
    return has(cellAt(column, row + 1), 0x0800) && (has(here, 0xF000) || has(here, 0x8380));
}

bool Level::openUp(int column, int row) {
    const int here = cellAt(column, row);
    return has(cellAt(column, row - 1), 0x8000) && (has(here, 0x7800) || has(here, 0x0B80));
}

bool Level::openLeft(int column, int row) {
    const int here = cellAt(column, row);
    return has(cellAt(column - 1, row), 0x0040) && (has(here, 0x0780) || has(here, 0x7400));
}

bool Level::openRight(int column, int row) {
    const int here = cellAt(column, row);
    return has(cellAt(column + 1, row), 0x0400) && (has(here, 0x03C0) || has(here, 0x7040));
}

// ---- Bags ----

bool Level::bagAt(int column, int row) {
    for (int i = 0; i < Tunnex::bagCount; ++i) {
        const BagPtr& bag = Tunnex::bags[i];
        if (bag->active && bag->column == column && bag->row == row) return true;
    }
    return false;
}

bool Level::bagFallingInColumn(int column) {
    for (int i = 0; i < Tunnex::bagCount; ++i) {
        const BagPtr& bag = Tunnex::bags[i];
        if (bag->active && bag->falling && bag->column == column) return true;
    }
    return false;
}

int Level::checkBags(int x, int y, int direction, int who) {
    for (int i = 0; i < Tunnex::bagCount; ++i) {
        if (!Tunnex::bags[i]->active) continue;
        const int result = bagContact(i, x, y, direction, who);
        if (result >= 0) return result;
    }
    return 0;
}

// What one bag does to the actor: the answer of checkBags, or -1 to look at the next bag.
int Level::bagContact(int index, int x, int y, int direction, int who) {
    Bag& bag = *Tunnex::bags[index];
    const int size = Tunnex::cellSize, s = Tunnex::step, half = size / 2;
    const bool byPlayer = who == playerId;
    const bool touched = Tunnex::touchesActor(x, y, bag.x, bag.y);
    if (bag.gold && touched) {
        if (byPlayer) {
            Tunnex::player->scoreGold();
            Sound::play(Tunnex::eatSound, 1);
        }
        bag.vanish();
        return -1;
    }
    if (bag.falling && bag.y < y &&
        Tunnex::touches(x, y, bag.x + s / 2, bag.y + s / 2, size, size, size - s, size - s)) {
        if (byPlayer) {
            Tunnex::player->die();
            return 0;
        }
        Sound::play(Tunnex::eatMonsterSound, 1);
        Tunnex::monsters[who - 1]->kill();
        Tunnex::player->scoreBagKill();
        return 0;
    }
    if (!byPlayer && Tunnex::monsters[who - 1]->eater && touched) {
        Tunnex::monsters[who - 1]->startDelay += 6;
        bag.vanish();
        return 0;
    }
    if (!bag.resting() && !(bag.wobbling && direction == Tunnex::up && byPlayer)) return -1;
    const bool vertical = direction == Tunnex::up || direction == Tunnex::down;
    const bool contact = vertical ? Tunnex::touches(x, y, bag.x, bag.y + 1, size, size, size, size - s)
                                  : Tunnex::touches(x, y, bag.x + 1, bag.y, size, size, size - s, size);
    if (!contact) return -1;
    if (0 <= size - bag.y + y && size - bag.y + y < half) return Tunnex::down;
    if (0 <= bag.y - y + size && bag.y - y + size < half) return Tunnex::up;
    // A monster does not push a bag the player is pushing against too.
    const bool playerThere = !byPlayer && Tunnex::touchesActor(Tunnex::player->x, Tunnex::player->y, bag.x, bag.y);
    if (0 <= size - bag.x + x && size - bag.x + x < half) {
        if (!vertical && direction == Tunnex::right) bag.push = playerThere ? 0 : Tunnex::right;
        return Tunnex::right;
    }
    if (0 <= bag.x - x + size && bag.x - x + size < half) {
        if (!vertical && direction == Tunnex::left) bag.push = playerThere ? 0 : Tunnex::left;
        return Tunnex::left;
    }
    return -1;
}
