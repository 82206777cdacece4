#include "mapbase.h"
#include <algorithm>
#include "damagelog.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dotvorgame.h"
#include "drawingtarget.h"
#include "gamelib.h"
#include "screencover.h"
#include "stringmanager.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

GameImagePtr MapBase::tiles[tileKinds][tileSets];
GameImagePtr MapBase::doors[tileSets];
AnimationPtr MapBase::dotFrames;
AnimationPtr MapBase::energiserFrames;
AnimationPtr MapBase::portalFrames;
DImagePtr MapBase::picture;
bool MapBase::pictureDirty = false;
int32_t MapBase::tileSet = 0;

namespace {

// Wall patterns, first match wins: rows above, own and below, each left, centre, right;
// 'o' open, '#' wall or outside, '.' either.
struct Pattern {
    const char* cells;
    int32_t kind;
};
constexpr Pattern patterns[] = {
    {"#########", 25}, {".o.###.o.", 1},  {".#.o#o.#.", 2},  {".o.o##.o.", 3},  {".o.o#o.#.", 4},
    {".o.##o.o.", 5},  {".#.o#o.o.", 6},  {"oooo#oooo", 7},  {"o#o###o#o", 8},  {"o#o###ooo", 9},
    {".#oo##.#o", 10}, {"ooo###o#o", 11}, {"o#.##oo#.", 12}, {"o#.##o.o.", 13}, {".#oo##.o.", 14},
    {".o.o##.#o", 15}, {".o.##oo#.", 16}, {"##.##o.oo", 17}, {".##o##oo.", 18}, {"oo.o##.##", 19},
    {".oo##o##.", 20}, {"##.##o##.", 21}, {"######.o.", 22}, {".##o##.##", 23}, {".o.######", 24},
    {"o########", 26}, {"##o######", 27}, {"########o", 28}, {"######o##", 29}, {"o#o######", 30},
    {"##o#####o", 31}, {"######o#o", 32}, {"o#####o##", 33}, {"o#####.o.", 34}, {"##o###.o.", 35},
    {".o.#####o", 36}, {".o.###o##", 37}, {"o#.##o##.", 38}, {".#oo##.##", 39}, {".##o##.#o", 40},
    {"##.##oo#.", 41}};

bool fits(const char* pattern, const bool open[9]) {
    for (int i = 0; i < 9; ++i) {
        if (pattern[i] == 'o' && !open[i]) return false;
        if (pattern[i] == '#' && open[i]) return false;
    }
    return true;
}

}  // namespace

MapBase::MapBase(int32_t width, int32_t height, int32_t cellWidth, int32_t cellHeight)
    : cells(new CellBaseArray((width + 2) * (height + 2))),
      width(width),
      height(height),
      cellWidth(cellWidth),
      cellHeight(cellHeight) {
    for (int i = 0; i < cells->length; ++i) cells[i] = new CellBase();
}

CellBasePtr MapBase::getCell(int32_t x, int32_t y) {
    if (x < 0 || x > width + 1 || y < 0 || y > height + 1) return nullptr;
    return cells[x + (width + 2) * y];
}

bool MapBase::isOpenAt(int32_t x, int32_t y) {
    CellBasePtr cell = getCell(x, y);
    return cell && cell->isOpen();
}

// ---- Reading ----

void MapBase::load(const DStringPtr& name) {
    DDataInputStreamPtr in = new DDataInputStream(GameLib::openResource(name));
    read(in);
    in->close();
}

void MapBase::read(const DDataInputStreamPtr& in) {
    dotsLeft = 0;
    playerStart = nullptr;
    DotvorGame::ghostStartA = DotvorGame::ghostStartB = DotvorGame::ghostStartC = DotvorGame::ghostStartD = nullptr;
    for (int i = 0; i < cells->length; ++i) {
        cells[i]->passability = CellBase::wall;
        cells[i]->content = CellBase::empty;
    }
    int32_t column = 1, row = 1;
    for (int byte; row <= height && (byte = in->read()) != -1;) {
        if (std::string_view("01.o*#prg").find(char(byte)) != std::string_view::npos) {
            setCell(column, row, byte);
            column += 1;
        }
        if (column > width) {
            row += 1;
            column = 1;
        }
    }
}

void MapBase::setCell(int32_t x, int32_t y, int byte) {
    CellBasePtr cell = getCell(x, y);
    cell->passability = byte == '1' ? CellBase::wall : CellBase::open;
    const int32_t left = cellWidth * x, top = cellHeight * y;
    switch (byte) {
        case '.':
        case 'o':
            dotsLeft += 1;
            // Only the classic mode lays the dots out; the count is kept all the same.
            cell->content = DotvorGame::gameMode != 0 ? CellBase::empty
                            : byte == '.'             ? CellBase::dot
                                                      : CellBase::energiser;
            break;
        case '*': cell->content = CellBase::tunnel; break;
        case '#': cell->content = CellBase::door; break;
        case 'p': playerStart = new vector_3d(left, top); break;
        case 'r':
            DotvorGame::ghostStartA = new vector_3d(left, top);
            DotvorGame::ghostStartC = new vector_3d(left, top);
            break;
        case 'g':
            DotvorGame::ghostStartB = new vector_3d(left, top);
            DotvorGame::ghostStartD = new vector_3d(left, top);
            break;
        default: break;
    }
}

DStringPtr MapBase::fault() const {
    if (!playerStart) return u"no player start (p)";
    if (!DotvorGame::ghostStartA) return u"no start of the red ghosts (r)";
    if (!DotvorGame::ghostStartB) return u"no start of the green ghosts (g)";
    return nullptr;
}

// ---- Tiles ----

int32_t MapBase::wallKind(const bool open[9]) {
    for (const Pattern& pattern : patterns)
        if (fits(pattern.cells, open)) return pattern.kind;
    return anyWall;
}

void MapBase::chooseTiles() {
    const int set = ((tileSet % tileSets) + tileSets) % tileSets;
    for (int32_t y = 0; y <= height + 1; ++y)
        for (int32_t x = 0; x <= width + 1; ++x) {
            CellBasePtr cell = getCell(x, y);
            cell->area->set(cellWidth * x, cellHeight * y, cellWidth * (x + 1), cellHeight * (y + 1));
            if (cell->isOpen()) {
                cell->image = tiles[0][set];
                continue;
            }
            bool open[9];
            for (int i = 0; i < 9; ++i) open[i] = isOpenAt(x + i % 3 - 1, y + i / 3 - 1);
            cell->image = tiles[wallKind(open)][set];
        }
    picture = DImage::createImage((width + 2) * cellWidth, (height + 2) * cellHeight);
    pictureDirty = true;
}

// ---- Drawing ----

void MapBase::paint(int viewX, int viewY, int set, int32_t background) {
    tileSet = set;
    if (!picture) {
        DotvorGame::fillScreen(background);
        return;
    }
    if (pictureDirty) {
        pictureDirty = false;
        drawCells(false);
    }
    if (DotvorGame::animChanged) {
        drawCells(true);
        DotvorGame::animChanged = false;
    }
    ScreenCover cover;
    cover.add(picture, viewX, viewY);
    if (!cover.whole()) DotvorGame::fillScreen(background);
    DotvorGame::screen()->drawImage(picture, viewX, viewY, DGraphics::LEFT | DGraphics::TOP);
}

void MapBase::drawCells(bool animatedPass) {
    const DrawingTarget target(picture->getGraphics());
    for (int32_t y = 0; y <= height + 1; ++y)
        for (int32_t x = 0; x <= width + 1; ++x) getCell(x, y)->paint(cellWidth * x, cellHeight * y, animatedPass);
}

void MapBase::clearCell(int32_t x, int32_t y) {
    if (!picture) return;
    const DrawingTarget target(picture->getGraphics());
    DotvorGame::drawAt(tiles[0][tileSet], x * cellWidth, y * cellHeight);
}

// ---- Collision ----

bool MapBase::intersects(const rectanglePtr& a, const rectanglePtr& b) {
    return b->left < a->right && b->top < a->bottom && a->left < b->right && a->top < b->bottom;
}

bool MapBase::collides(const rectanglePtr& r, bool doorsBlock) {
    const int32_t x0 = std::max(0, r->left / cellWidth), y0 = std::max(0, r->top / cellHeight);
    const int32_t x1 = std::min(width + 1, r->right / cellWidth), y1 = std::min(height + 1, r->bottom / cellHeight);
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) {
            CellBasePtr cell = getCell(x, y);
            const bool blocks = !cell->isOpen() || (doorsBlock && cell->content == CellBase::door);
            if (blocks && intersects(cell->area, r)) return true;
        }
    return false;
}

// ---- Searches ----

pointPtr MapBase::farTunnel(int32_t x, int32_t y, int32_t dx, int32_t dy) {
    if (dx == 0 && dy == 0) return nullptr;
    for (int32_t px = x - dx, py = y - dy;; px -= dx, py -= dy) {
        CellBasePtr cell = getCell(px, py);
        if (!cell) return nullptr;
        if (cell->content == CellBase::tunnel) return new point(px, py);
    }
}

// Breadth first, so each cell gets its fewest moves; a tunnel's far side is one move on.
std::vector<int32_t> MapBase::movesFromStart() {
    const int32_t columns = width + 2;
    std::vector<int32_t> moves(cells->length, -1);
    if (!playerStart || cellWidth < 1 || cellHeight < 1) return moves;
    auto walkableAt = [&](int32_t x, int32_t y) {
        CellBasePtr cell = getCell(x, y);
        return cell && cell->isWalkable();
    };
    const int32_t startX = playerStart->x / cellWidth, startY = playerStart->y / cellHeight;
    if (!walkableAt(startX, startY)) return moves;
    std::vector<std::pair<int32_t, int32_t>> queue{{startX, startY}};
    moves[startX + columns * startY] = 0;
    constexpr int32_t steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (size_t next = 0; next < queue.size(); ++next) {
        const auto [x, y] = queue[next];
        const int32_t here = moves[x + columns * y];
        auto visit = [&](int32_t nx, int32_t ny) {
            if (!walkableAt(nx, ny) || moves[nx + columns * ny] >= 0) return;
            moves[nx + columns * ny] = here + 1;
            queue.push_back({nx, ny});
        };
        for (const auto& step : steps) {
            const int32_t nx = x + step[0], ny = y + step[1];
            visit(nx, ny);
            if (!walkableAt(nx, ny) || getCell(nx, ny)->content != CellBase::tunnel) continue;
            if (pointPtr far = farTunnel(nx, ny, step[0], step[1])) visit(far->x + step[0], far->y + step[1]);
        }
    }
    return moves;
}

MapBase::Cells MapBase::reachableEmptyCells() { return emptyCellsAwayFromStart(0); }

MapBase::Cells MapBase::emptyCellsAwayFromStart(int32_t fewestMoves) {
    const std::vector<int32_t> moves = movesFromStart();
    int32_t farthest = -1;
    for (int32_t y = 0; y <= height + 1; ++y)
        for (int32_t x = 0; x <= width + 1; ++x)
            if (getCell(x, y)->content == CellBase::empty) farthest = std::max(farthest, moves[x + (width + 2) * y]);
    const int32_t least = std::min(fewestMoves, farthest);
    Cells found;
    if (least < 0) return found;
    for (int32_t y = 0; y <= height + 1; ++y)
        for (int32_t x = 0; x <= width + 1; ++x)
            if (moves[x + (width + 2) * y] >= least && getCell(x, y)->content == CellBase::empty)
                found.push_back({x, y});
    return found;
}

MapBase::Cells MapBase::tunnelCells() {
    Cells found;
    for (int32_t y = 0; y <= height + 1; ++y)
        for (int32_t x = 0; x <= width + 1; ++x)
            if (getCell(x, y)->isOpen() && getCell(x, y)->content == CellBase::tunnel) found.push_back({x, y});
    return found;
}

// ---- Tile set ----

void MapBase::loadTiles() {
    try {
        for (int s = 0; s < tileSets; ++s) {
            const DStringPtr prefix = DStringPtr(u"") + (s + 1);
            doors[s] = GameImage::load(prefix + u"set_door00.png");
            for (int k = 0; k < tileKinds; ++k)
                tiles[k][s] = GameImage::load(prefix + (k < 10 ? u"set_wall0" : u"set_wall") + k + u".png");
        }
        StringManager::loadProperties(u"/dtv/dotvor_anim");
        dotFrames = Animation::fromProperty(u"little-money");
        energiserFrames = Animation::fromProperty(u"big-money");
        portalFrames = Animation::fromProperty(u"portal");
    } catch (DExceptionPtr& e) {
        DamageLog::name(DStringPtr(u"Can't initialize_map ") + DFailureReason::of(e));
    }
}

void MapBase::releaseStatics() {
    for (auto& set : tiles)
        for (GameImagePtr& tile : set) tile = nullptr;
    for (GameImagePtr& door : doors) door = nullptr;
    dotFrames = energiserFrames = portalFrames = nullptr;
    picture = nullptr;
    pictureDirty = false;
    tileSet = 0;
}
