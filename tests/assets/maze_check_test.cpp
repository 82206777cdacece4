// The builder checks every maze-game map: the layout the game reads, and that the map can be
// played to its end.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

// A small playable maze: two one-cell ghost houses under doors, a tunnel pair on row 4.
const std::vector<std::string> playable = {
    "1.......1",
    "1.1#1#1.1",
    "1.1r1g1.1",
    "*.11111.*",
    "1...p...1",
    "1.11111.1",
    "1..o....1",
};

std::string join(const std::vector<std::string>& rows) {
    std::string bytes;
    for (size_t i = 0; i < rows.size(); ++i) bytes += rows[i] + (i + 1 < rows.size() ? "\r\n" : "");
    return bytes;
}

std::vector<std::string> changed(int row, int column, char cell) {
    std::vector<std::string> rows = playable;
    rows[row][column] = cell;
    return rows;
}

// A square floor picture of `side` pixels in an atlas of one picture.
void writeFloorAtlas(const TempFolder& folder, const std::string& name, int side) {
    std::string grid = "k #406080\n---\n";
    for (int y = 0; y < side; ++y) grid += std::string(size_t(side), 'k') + "\n";
    folder.write("data/t/" + name + ".atlas", "width 64\nfloor.png = " + name + ".grid\n");
    folder.write("data/t/" + name + ".grid", grid);
}

// The map beside a small-screen and a large-screen atlas whose floor pictures set the cells.
ToolRun buildMaze(const TempFolder& folder, const std::string& bytes, int smallFloor = 8, int largeFloor = 10,
                  const std::string& size = "width=9 height=7") {
    writeFloorAtlas(folder, "small", smallFloor);
    writeFloorAtlas(folder, "large", largeFloor);
    return buildOneSource(folder,
                          "atlas a small.atlas\natlas ppc/a large.atlas\n"
                          "maze m/map00.txt map.txt " + size + " atlas=a floor=floor.png",
                          "map.txt", bytes);
}

TEST(MazeCheck, AcceptsAPlayableMapAsItStands) {
    TempFolder folder;
    const std::string bytes = join(playable);
    ToolRun run = buildMaze(folder, bytes);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(folder.read("out/game.dat.stage/m/map00.txt"), bytes);
}

struct Refusal {
    const char* what;
    std::string bytes;
    const char* place;
    const char* reason;
};

TEST(MazeCheck, RefusesMapsTheGameCannotReadOrFinish) {
    std::string lfOnly = join(playable);
    lfOnly.erase(lfOnly.find('\r'), 1);
    std::vector<std::string> pocket = playable, noTunnel = changed(3, 8, '1');
    pocket[5] = "111111111";
    noTunnel[3][0] = '1';
    std::vector<std::string> coinInHouse = changed(2, 4, '.'), houseOpenSideways = playable;
    houseOpenSideways[2] = "1.0r1g0.1";
    const Refusal refusals[] = {
        {"a final line break", join(playable) + "\r\n", "map.txt", "ends with a line break"},
        {"a line ended by LF alone", lfOnly, "map.txt:1", "CR LF"},
        {"a short line", join(changed(0, 8, '1')).erase(8, 1), "map.txt:1", "holds 8 cells, not 9"},
        {"a byte that is no cell", join(changed(6, 4, 'x')), "map.txt:7:5", "\"x\" is no cell"},
        {"a second player", join(changed(6, 4, 'p')), "map.txt", "holds 2 \"p\""},
        {"no green ghost", join(changed(2, 5, '0')), "map.txt", "holds 0 \"g\""},
        {"a ghost start without a door", join(changed(1, 3, '1')), "map.txt:3:4", "door above it"},
        {"no tunnel", join(noTunnel), "map.txt", "pair of tunnels"},
        {"a tunnel without a far end", join(changed(3, 8, '1')), "map.txt:4:1", "no far end"},
        {"a tunnel with a way in from above", join(changed(2, 0, '.')), "map.txt:4:1", "no far end"},
        {"a corridor walled off", join(pocket), "map.txt:7:2", "cannot reach"},
        {"a dead end", join(changed(5, 7, '1')), "map.txt:7:8", "dead end"},
        {"a dot in the ghost house", join(coinInHouse), "map.txt:3:5", "cannot reach this dot"},
        {"an energiser in the ghost house", join(changed(2, 4, 'o')), "map.txt:3:5", "cannot reach this dot"},
        {"a ghost house open sideways", join(houseOpenSideways), "map.txt:3:4", "house of \"r\" is open"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = buildMaze(folder, refusal.bytes);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.place), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
    }
}

// The lower half of a map that once shipped: eyes going home to "r" that come down the middle
// corridor and round the loop at the bottom right find the way up above "r" walled and keep
// circling, for the rule only turns them left at the loop's corner when they come the other way.
TEST(MazeCheck, RefusesAMapWhereEatenGhostsEyesCircleForEver) {
    const std::vector<std::string> loop = {
        "....................",
        ".1111111.11.1#11#11.",
        ".1111111.11.1g00r11.",
        ".1111111.11.1111111.",
        "..........p.........",
        "111.111.1111.111.111",
        "111.111.1111.111.111",
        "*...111.1111.111...*",
        "1111111.1111.1111111",
        "....................",
        ".1111.11111111.1111.",
        "o...................",
    };
    TempFolder folder;
    ToolRun run = buildMaze(folder, join(loop), 8, 10, "width=20 height=12");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("map.txt:6:13"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("eyes going home to \"r\" may never get there from here"), std::string::npos)
        << run.output;

    // A way up from the loop under "r" lets them home.
    std::vector<std::string> opened = loop;
    opened[8][16] = '.';
    TempFolder fixed;
    run = buildMaze(fixed, join(opened), 8, 10, "width=20 height=12");
    EXPECT_EQ(run.status, 0) << run.output;
}

// The cells are as large as the floor pictures the atlases really hold, on either screen.
TEST(MazeCheck, MeasuresTheCellsByTheFloorPictures) {
    const struct {
        int smallFloor, largeFloor;
        bool fits;
    } cases[] = {{8, 10, true}, {25, 10, false}, {8, 32, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.smallFloor) + " and " + std::to_string(c.largeFloor) + " pixels");
        TempFolder folder;
        ToolRun run = buildMaze(folder, join(playable), c.smallFloor, c.largeFloor);
        EXPECT_EQ(run.status, c.fits ? 0 : 1) << run.output;
        if (!c.fits) {
            EXPECT_NE(run.output.find("does not fit the screens"), std::string::npos) << run.output;
        }
    }
}

}  // namespace
