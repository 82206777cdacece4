// The field: masks from the level characters, carving and the joins it leaves, and the level
// files as the game reads them, shipped, missing or cut short.
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <vector>
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tnxmonster.h"
#include "tnxplayer.h"
#include "tunnex_fixture.h"

using dfc::lang::DStringPtr;

namespace {

struct Cell {
    int column, row;
    char ch;
};

struct MaskCase {
    const char* what;
    std::vector<Cell> cells;
    int column, row;
    int mask;
};

std::string stagedFile(int number) {
    std::ifstream in(std::string(MOSSYARD_BINARY_DIR) + "/gamedat-stage/tnx/data/" + std::to_string(number) + ".txt",
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Field : public TunnexTest {};

TEST_F(Field, MasksFollowTheCellAndItsTunnelNeighbours) {
    const std::vector<MaskCase> cases = {
        {"V beside H is a crossing", {{4, 5, 'H'}, {5, 5, 'V'}}, 5, 5, 0xFFC0},
        {"V beside S stays vertical", {{4, 5, 'S'}, {5, 5, 'V'}}, 5, 5, 0xF800},
        {"V with H on its right", {{5, 5, 'V'}, {6, 5, 'H'}}, 5, 5, 0xFFC0},
        {"H under V is a crossing", {{5, 4, 'V'}, {5, 5, 'H'}}, 5, 5, 0xFFC0},
        {"H in row 0 ignores the row above", {{3, 0, 'H'}}, 3, 0, 0x07C0},
        {"H over V in row 0", {{3, 0, 'H'}, {3, 1, 'V'}}, 3, 0, 0xFFC0},
        {"V in column 14 ignores the right", {{14, 3, 'V'}}, 14, 3, 0xF800},
        {"H in row 9 ignores the row below", {{2, 9, 'H'}}, 2, 9, 0x07C0},
        {"S is a full crossing marked as start", {{7, 9, 'S'}}, 7, 9, 0xFFC1},
        {"B is a bag place", {{4, 4, 'B'}, {4, 5, 'V'}}, 4, 4, 13},
        {"C is a crystal", {{4, 4, 'C'}, {5, 4, 'H'}}, 4, 4, 14},
        {"any other byte is earth", {{4, 4, 'x'}, {5, 4, 'H'}}, 4, 4, 0},
    };
    inGame([&] {
        for (const MaskCase& c : cases) {
            for (int i = 0; i < Level::fileCells; ++i) Level::grid[i] = '.';
            for (const Cell& cell : c.cells) Level::grid[150 + cell.row * 15 + cell.column] = cell.ch;
            Level::buildMasks();
            EXPECT_EQ(Level::allMasks[150 + c.row * 15 + c.column], c.mask) << c.what;
        }
        for (int i = 0; i < Level::fileCells; ++i) Level::grid[i] = '.';
        Level::grid[0] = Level::grid[1199] = 'C';
        Level::grid[151] = 'C';
        Level::buildMasks();
        EXPECT_EQ(Level::crystalCounts[0], 1);
        EXPECT_EQ(Level::crystalCounts[1], 1);
        EXPECT_EQ(Level::crystalCounts[7], 1);
        EXPECT_EQ(Level::crystalCounts[3], 0);
    });
}

TEST_F(Field, CarvingSetsOneFifthByDirectionAndOffset) {
    inGame([] {
        startPlay();
        const int c = Tunnex::cellSize, s = Tunnex::step;
        ASSERT_EQ(c, 15);
        struct Case {
            int direction, dx, dy, column, row, bit;
        };
        const std::vector<Case> cases = {
            {Tunnex::right, s, 0, 6, 5, 0x0400},      {Tunnex::right, 2 * s, 0, 6, 5, 0x0200},
            {Tunnex::right, 3 * s, 0, 6, 5, 0x0100},  {Tunnex::right, 4 * s, 0, 6, 5, 0x0080},
            {Tunnex::right, c, 0, 6, 5, 0x0040},      {Tunnex::right, 0, 0, 6, 5, 0},
            {Tunnex::left, 0, 0, 5, 5, 0x0400},       {Tunnex::left, s, 0, 5, 5, 0x0200},
            {Tunnex::left, 2 * s, 0, 5, 5, 0x0100},   {Tunnex::left, 3 * s, 0, 5, 5, 0x0080},
            {Tunnex::left, 4 * s, 0, 5, 5, 0x0040},   {Tunnex::left, c, 0, 5, 5, 0},
            {Tunnex::up, 0, c - s, 5, 5, 0x8000},     {Tunnex::up, 0, c - 2 * s, 5, 5, 0x4000},
            {Tunnex::up, 0, c - 3 * s, 5, 5, 0x2000}, {Tunnex::up, 0, c - 4 * s, 5, 5, 0x1000},
            {Tunnex::up, 0, 0, 5, 5, 0x0800},         {Tunnex::up, 0, c, 5, 5, 0},
            {Tunnex::down, 0, c, 5, 6, 0x8000},       {Tunnex::down, 0, c - s, 5, 6, 0x4000},
            {Tunnex::down, 0, c - 2 * s, 5, 6, 0x2000}, {Tunnex::down, 0, c - 3 * s, 5, 6, 0x1000},
            {Tunnex::down, 0, s, 5, 6, 0x0800},       {Tunnex::down, 0, 0, 5, 6, 0},
        };
        for (const Case& k : cases) {
            clearField();
            Level::carve(5, 5, k.dx, k.dy, k.direction);
            int changed = 0;
            for (int row = 0; row < Tunnex::rows; ++row)
                for (int column = 0; column < Tunnex::columns; ++column) changed += Level::cellAt(column, row) != 0;
            EXPECT_EQ(Level::cellAt(k.column, k.row), k.bit)
                << "direction " << k.direction << " dx " << k.dx << " dy " << k.dy;
            EXPECT_EQ(changed, k.bit ? 1 : 0);
        }
        // Cells outside the field are never touched.
        clearField();
        Level::carve(14, 3, c, 0, Tunnex::right);
        Level::carve(3, 9, 0, c, Tunnex::down);
        Level::markDirty(15, 3);
        Level::markDirty(3, 10);
        EXPECT_EQ(Level::cellAt(15, 3), 0);
        EXPECT_EQ(Level::cellAt(3, 10), 0);
    });
}

// Digging two cells right and two down from a tunnel leaves whole cells that join both ways,
// the cell left behind and the corner cell included, so monsters can follow.
TEST_F(Field, AWalkRightAndDownLeavesJoinedTunnels) {
    inGame([] {
        startPlay();
        clearField();
        Level::setCell(3, 3, Level::crossing);
        putPlayer(3, 3);
        const PlayerPtr& player = Tunnex::player;
        for (int i = 0; i < 10; ++i) player->move(Tunnex::right);
        EXPECT_EQ(player->column, 5);
        EXPECT_EQ(player->dx, 0);
        for (int i = 0; i < 10; ++i) player->move(Tunnex::down);
        EXPECT_EQ(player->row, 5);
        EXPECT_EQ(player->dy, 0);
        EXPECT_EQ(Level::cellAt(4, 3), Level::horizontalFull);
        EXPECT_EQ(Level::cellAt(5, 4), Level::verticalFull);
        EXPECT_TRUE(Level::openRight(3, 3));
        EXPECT_TRUE(Level::openLeft(4, 3));
        EXPECT_TRUE(Level::openRight(4, 3));
        EXPECT_TRUE(Level::openLeft(5, 3));
        EXPECT_TRUE(Level::openDown(5, 3));
        EXPECT_TRUE(Level::openUp(5, 4));
        EXPECT_TRUE(Level::openDown(5, 4));
        EXPECT_TRUE(Level::openUp(5, 5));
        // Left while halfway down a cell: the move down is finished first.
        player->move(Tunnex::down);
        player->move(Tunnex::left);
        EXPECT_EQ(player->direction, Tunnex::down);
        EXPECT_EQ(player->dy, 2 * Tunnex::step);
        EXPECT_EQ(player->column, 5);
    });
}

TEST_F(Field, LevelsComeFromTheirFileByEights) {
    inGame([] {
        struct Case {
            int level, file;
        };
        for (const Case& c : {Case{1, 1}, Case{8, 1}, Case{9, 2}, Case{16, 2}, Case{17, 3}, Case{72, 9}}) {
            Tunnex::level = c.level;
            ASSERT_TRUE(Tunnex::openLevel()) << c.level;
            const std::string bytes = stagedFile(c.file);
            ASSERT_EQ(bytes.size(), 1202u);
            bool same = true;
            for (int i = 0; i < Level::fileCells; ++i) same = same && Level::grid[i] == bytes[2 + i];
            EXPECT_TRUE(same) << "level " << c.level << " from file " << c.file;
            const int base = (c.level - 1) % 8 * 150;
            // Bag places become earth under their bags.
            for (int i = 0; i < 150; ++i) {
                const int mask = Level::allMasks[base + i];
                ASSERT_EQ(Level::cells[i], mask == Level::bagPlace ? 0 : mask) << c.level;
            }
            // Drawn in style (level - 1) mod 4 + 1; the style after it is set for the next level.
            EXPECT_EQ(Level::earthStyle, ((c.level - 1) % 4 + 1) % 4 + 1);
            EXPECT_EQ(Tunnex::maxOpenLevel, c.level);
        }
        // The eighth level of a file done: the next file is read before the ninth starts.
        Tunnex::level = 8;
        ASSERT_TRUE(Tunnex::openLevel());
        Level::nextLevel();
        EXPECT_EQ(Tunnex::level, 9);
        EXPECT_EQ(Tunnex::state, Tunnex::levelIntro);
        EXPECT_EQ(Level::grid[0], stagedFile(2)[2]);
    });
}

// Every shipped level: read through the game, a crystal to take, the start a tunnel, and a
// monster at the entrance has somewhere to go.
TEST_F(Field, ShippedLevelsArePlayable) {
    inGame([] {
        startPlay();
        for (int file = 1; file <= 9; ++file) {
            ASSERT_EQ(Level::readLevel(DStringPtr(u"/tnx/data/") + file + u".txt"), 0) << file;
            for (int k = 0; k < 8; ++k) {
                const int level = (file - 1) * 8 + k + 1;
                Level::start(level);
                EXPECT_GT(Level::crystalsLeft, 0) << level;
                EXPECT_NE(Level::cellAt(7, 9) & Level::crossing, 0) << level;
                const MonsterPtr& monster = Tunnex::monsters[0];
                monster->reset();
                EXPECT_TRUE(monster->canMove(Tunnex::left) || monster->canMove(Tunnex::down)) << level;
                int bags = 0;
                for (int i = 0; i < Tunnex::bagCount; ++i) bags += Tunnex::bags[i]->active;
                EXPECT_LE(bags, 15);
            }
        }
    });
}

class DamagedFile : public TunnexTest {};

TEST_F(DamagedFile, MissingOrShortFilesLeaveTheFieldAndEndTheGame) {
    damageEntry("tnx/data/2.txt", -1);
    damageEntry("tnx/data/3.txt", 602);
    damageEntry("tnx/data/4.txt", 1);
    inGame([] {
        startPlay();
        const int before = Level::grid[5];
        EXPECT_EQ(Level::readLevel(u"/tnx/data/2.txt"), -1);
        EXPECT_EQ(Level::readLevel(u"/tnx/data/3.txt"), -600);
        EXPECT_EQ(Level::readLevel(u"/tnx/data/4.txt"), -1);
        EXPECT_EQ(Level::grid[5], before);

        // A new game at a level of the missing file goes back to the menu with a diagnostic.
        Tunnex::level = 9;
        EXPECT_FALSE(Tunnex::openLevel());
        EXPECT_EQ(Tunnex::state, Tunnex::mainMenu);
        EXPECT_NE(diagnostics().find("/tnx/data/2.txt is missing or damaged"), std::string::npos) << diagnostics();

        // So does finishing level 8 when file 2 is missing.
        startPlay();
        Tunnex::level = 8;
        ASSERT_TRUE(Tunnex::openLevel());
        Tunnex::setState(Tunnex::play);
        clearField();
        Level::crystalsLeft = 0;
        Level::checkPlayer();
        EXPECT_EQ(Tunnex::state, Tunnex::mainMenu);
        EXPECT_EQ(Tunnex::level, 8);
    });
}

}  // namespace
