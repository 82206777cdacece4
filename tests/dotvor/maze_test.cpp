// The maze: the wall picture each wall cell gets, reading map files, and the collision test.
#include <gtest/gtest.h>
#include "dotvor_fixture.h"
#include "text.h"

namespace {

class Maze : public DotvorTest {};

bool isTile(const CellBasePtr& cell, int kind) {
    return cell->image.get() == MapBase::tiles[kind][MapBase::tileSet].get();
}

TEST_F(Maze, WallPicturesFollowTheFirstPatternThatFits) {
    struct Case {
        const char* neighbourhood;  // rows above, own and below; o open, # wall
        int kind;
    };
    const Case cases[] = {
        {"oooo#oooo", 7},   // a lone wall
        {"#########", 25},  // walls all round
        {"ooo###ooo", 1},   // a thin wall across
        {"o#oo#oo#o", 2},   // a thin wall up and down
        {"oooo##ooo", 3},   // also fits later patterns; the first wins
        {"##o######", 27},
        {"o#o#o#o#o", 25},  // no pattern: the plain wall
    };
    for (const Case& c : cases) {
        bool open[9];
        for (int i = 0; i < 9; ++i) open[i] = c.neighbourhood[i] == 'o';
        EXPECT_EQ(MapBase::wallKind(open), c.kind) << c.neighbourhood;
    }
}

TEST_F(Maze, TheOutsideCountsAsWall) {
    inGame([](Dotvor&) {
        useMaze({"p.r", "g.1", "..."});
        // The border's top-left corner sees only cell (1, 1) open.
        EXPECT_TRUE(isTile(DotvorGame::map->getCell(0, 0), 28));
        EXPECT_TRUE(isTile(DotvorGame::map->getCell(1, 1), 0)) << "an open cell gets the floor";
        EXPECT_FALSE(DotvorGame::map->getCell(5, 0));
        EXPECT_FALSE(DotvorGame::map->getCell(-1, 2));
    });
}

TEST_F(Maze, ReadingAMap) {
    inGame([](Dotvor&) {
        // A final line break leaves the row the game measured for it all wall.
        MapBasePtr map = readMap("p.r\r\ng..\r\n", 3, 3);
        for (int x = 1; x <= 3; ++x) EXPECT_EQ(map->getCell(x, 3)->passability, CellBase::wall);
        EXPECT_EQ(map->dotsLeft, 3);
        EXPECT_EQ(map->playerStart->x, DotvorGame::cellWidth);
        EXPECT_EQ(DotvorGame::ghostStartA->x, 3 * DotvorGame::cellWidth);
        EXPECT_EQ(DotvorGame::ghostStartB->y, 2 * DotvorGame::cellHeight);
        EXPECT_FALSE(map->fault());

        // A long line wraps into the next row; blanks take no cell; rows past the map are not read.
        map = readMap("p.o* #r\r\ng..", 3, 2);
        EXPECT_EQ(map->getCell(3, 1)->content, CellBase::energiser);
        EXPECT_EQ(map->getCell(1, 2)->content, CellBase::tunnel);
        EXPECT_EQ(map->getCell(2, 2)->content, CellBase::door);
        EXPECT_EQ(DotvorGame::ghostStartA->y, 2 * DotvorGame::cellHeight);
        EXPECT_EQ(map->dotsLeft, 2);
        EXPECT_EQ(narrow(map->fault()), "no start of the green ghosts (g)");

        EXPECT_EQ(narrow(readMap("..r\r\ng..", 3, 2)->fault()), "no player start (p)");
        EXPECT_EQ(narrow(readMap("p.g", 3, 1)->fault()), "no start of the red ghosts (r)");
    });
}

TEST_F(Maze, OnlyTheClassicModeLaysTheDotsOut) {
    inGame([](Dotvor&) {
        for (int mode = 0; mode < 4; ++mode) {
            DotvorGame::gameMode = mode;
            MapBasePtr map = readMap("p.o\r\nrg.", 3, 2);
            EXPECT_EQ(map->dotsLeft, 3) << mode;
            EXPECT_EQ(map->getCell(2, 1)->content, mode == 0 ? CellBase::dot : CellBase::empty) << mode;
        }
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Maze, EdgesThatOnlyTouchDoNotCollide) {
    inGame([](Dotvor&) {
        useMaze({"p1r", "g#."});
        const int s = DotvorGame::cellWidth;
        MapBasePtr map = DotvorGame::map;
        EXPECT_FALSE(map->collides(new rectangle(s, s, 2 * s, 2 * s), true)) << "the open cell beside the wall";
        EXPECT_TRUE(map->collides(new rectangle(s + 1, s, 2 * s + 1, 2 * s), true));
        EXPECT_TRUE(map->collides(new rectangle(2 * s - 1, 2 * s, 3 * s - 1, 3 * s), true))
            << "a door holds the player";
        EXPECT_FALSE(map->collides(new rectangle(2 * s - 1, 2 * s, 3 * s - 1, 3 * s), false)) << "ghosts pass doors";
        EXPECT_EQ(map->pixelWidth(), 5 * s - 14);
    });
}

TEST_F(Maze, AFarTunnelSearchStopsAtTheEdge) {
    inGame([](Dotvor&) {
        useMaze({"*..p.*", "1r1g11", "*....."});
        MapBasePtr map = DotvorGame::map;
        pointPtr far = map->farTunnel(1, 1, -1, 0);
        ASSERT_TRUE(far);
        EXPECT_EQ(far->x, 6);
        EXPECT_FALSE(map->farTunnel(1, 3, -1, 0)) << "no partner on the row";
        EXPECT_FALSE(map->farTunnel(1, 3, 0, 0));
    });
}

}  // namespace
