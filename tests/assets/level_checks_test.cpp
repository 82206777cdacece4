// Each level kind's check on its own, without the builder: a fault that lies in one cell is
// named by the file, its line and the cell's column. And the river's flight proof on a map
// made by hand.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "core/builderror.h"
#include "core/sourcetext.h"
#include "levels/brickround.h"
#include "levels/laddermap.h"
#include "levels/mazemap.h"
#include "levels/riverflight.h"
#include "levels/riverscreens.h"
#include "levels/tankmap.h"
#include "levels/tunnellevels.h"

using namespace assets;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

// 21 rows of a round, the design from the third one down.
std::string round(std::vector<std::string> design) {
    design.insert(design.begin(), 2, "...........");
    design.resize(21, "...........");
    return crlf(design);
}

// A 9 x 7 maze with a dead end at row 7, column 8.
std::string deadEndMaze() {
    std::string bytes = crlf({"1.......1", "1.1#1#1.1", "1.1r1g1.1", "*.11111.*", "1...p...1", "1.1111111"});
    return bytes + "1..o....1";
}

// Eight tunnel levels, the first with a bag over the start.
std::string bagOverStart() {
    const std::vector<std::string> plain = {"..........HHHHH", "...............", "......C........", "...............",
                                            "...............", "...............", "...............", "...............",
                                            "...............", ".......S......."};
    std::string bytes;
    for (int level = 0; level < 8; ++level) {
        std::vector<std::string> rows = plain;
        if (level == 0) rows[8] = ".......B.......";
        bytes += (level > 0 ? "\r\n" : "") + crlf(rows);
    }
    return bytes;
}

// Twenty stages of a 5 x 5 map, stage `changed` given by `map`. Stage N's map starts at
// line 7N - 4.
SourceText stages(int changed, const std::string& map) {
    std::string text;
    for (int stage = 1; stage <= 20; ++stage) {
        text += "stage " + std::to_string(stage) + "\ntypes 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";
        text += stage == changed ? map : "E...E\n.....\n.h.S.\n.....\nP.hB.\n";
    }
    return SourceText::parse(text, "stages.txt");
}

// A river screen whose boat, 24 pixels wide, starts in column 21.
SourceText overhangingBoat() {
    std::string text = "legend . water\nlegend x land\nlegend s water - kind=12\nscreen one\n";
    for (int row = 0; row < 26; ++row) text += row == 4 ? "xxxxxxx........xxxxxsx\n" : "xxxxxxx........xxxxxxx\n";
    return SourceText::parse(text + "level a = one one\n", "river.txt");
}

RiverScreens::Rules riverRules() {
    RiverScreens::Rules rules;
    rules.landTiles = 60;
    rules.plane = {16, 16};
    rules.kinds = {{RiverScreens::bridgeKind, {64, 16}}, {12, {24, 10}}, {RiverScreens::depotKind, {16, 28}}};
    return rules;
}

TEST(LevelChecks, NameTheFileAndTheCellOfAFault) {
    struct Case {
        const char* what;
        std::function<void()> check;
        Place place;
        const char* reason;
    };
    const Case cases[] = {
        {"a brick walled in",
         [] {
             BrickRound(round({"eeeeeeeeeee", "effffffffee", "eeeeeeeeeee"}), Place{"round.txt"});
         },
         Place{"round.txt", 4, 2}, "out of the ball's reach"},
        {"a maze's dead end",
         [] {
             MazeMap(deadEndMaze(), MazeMap::Size{9, 7, 8, 10}, Place{"map.txt"});
         },
         Place{"map.txt", 7, 8}, "dead end"},
        {"a tunnel level's bag over the start", [] { TunnelLevels(bagOverStart(), Place{"levels.txt"}); },
         Place{"levels.txt", 9, 8}, "rests on a tunnel"},
        {"a tank stage's base walled in", [] { TankMap{stages(10, "E...E\n.....\n.h.S.\n...SS\nP.hSB\n")}; },
         Place{"stages.txt", 70, 5}, "the base in row 5, column 5 cannot be reached"},
        {"a tank stage's player shut in by steel and its base",
         [] { TankMap{stages(3, "E...E\n.....\n.h...\nS....\nPB...\n")}; }, Place{"stages.txt", 17, 1},
         "the enemy start in row 1, column 1 is reached from P only through the base, and the base stops tanks"},
        {"a tank stage's unknown tile", [] { TankMap{stages(5, "E...E\n.....\n.h.Q.\n.....\nP.hB.\n")}; },
         Place{"stages.txt", 33, 4}, "unknown tile 'Q'"},
        {"a ladder map's exit out of reach",
         [] {
             LadderMap(crlf({"3", "4", "  E", "BBB", "P$ ", "BBB"}), Place{"map.txt"});
         },
         Place{"map.txt", 3, 3}, "cannot get to the exit"},
        {"a river object past the edge", [] { RiverScreens(overhangingBoat(), riverRules()); },
         Place{"river.txt", 9, 21}, "reaches x = 184"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.check();
            ADD_FAILURE() << "not refused";
        } catch (const BuildError& error) {
            EXPECT_EQ(error.place().file, c.place.file);
            EXPECT_EQ(error.place().line, c.place.line);
            EXPECT_EQ(error.place().column, c.place.column);
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

// A channel of water in columns 7 to 14 through `screens` screens of land.
std::vector<RiverFlight::Row> channel(int screens) {
    RiverFlight::Row row{};
    for (int column = 7; column <= 14; ++column) row[column] = RiverScreens::water;
    return std::vector<RiverFlight::Row>(size_t(screens) * RiverScreens::rows, row);
}

RiverFlight::Level level(int screens) {
    RiverFlight::Level level{"a", Place{"river.txt", 40}, {}};
    for (int i = 0; i < screens; ++i) level.screens.push_back(std::string(1, char('a' + i)));
    return level;
}

// Eleven screens are 2072 pixels of flight at normal speed, a tank and a bit: one depot on
// the way (+185 at normal speed) keeps the plane flying.
TEST(RiverFlight, FuelLastsWithTheDepotsThePlaneFliesOver) {
    const RiverFlight::Object depot{RiverScreens::depotKind, 64, 1000, false};
    EXPECT_NO_THROW(RiverFlight(level(11), channel(11), {depot}, riverRules()).prove());
    try {
        RiverFlight(level(11), channel(11), {}, riverRules()).prove();
        ADD_FAILURE() << "eleven screens without a depot flown";
    } catch (const BuildError& error) {
        EXPECT_EQ(error.place().line, 40);
        EXPECT_NE(std::string(error.what()).find("level a: flying at normal speed from the start, the plane runs out "
                                                 "of fuel in screen j, line 7"),
                  std::string::npos)
            << error.what();
    }
    const RiverFlight::Object outOfReach{RiverScreens::depotKind, 0, 1000, false};
    EXPECT_THROW(RiverFlight(level(11), channel(11), {outOfReach}, riverRules()).prove(), BuildError)
        << "a depot on the land is never reached";
}

TEST(RiverFlight, NamesTheScreenAndLineWhereTheWayCloses) {
    std::vector<RiverFlight::Row> walled = channel(3);
    walled[30] = RiverFlight::Row{};
    try {
        RiverFlight(level(3), walled, {}, riverRules()).prove();
        ADD_FAILURE() << "a wall across the river flown";
    } catch (const BuildError& error) {
        EXPECT_NE(std::string(error.what()).find("the plane finds no way from the start past screen b, line 22"),
                  std::string::npos)
            << error.what();
    }
    // The game's plane meets the tiles under a bridge, shot or not.
    const RiverFlight::Object bridge{RiverScreens::bridgeKind, 56, 30 * RiverScreens::cell + 8, false};
    try {
        RiverFlight(level(3), walled, {bridge}, riverRules()).prove();
        ADD_FAILURE() << "a bridge over land flown";
    } catch (const BuildError& error) {
        EXPECT_NE(std::string(error.what()).find("past screen b, line 22, under the bridge there: the plane meets the "
                                                 "land tiles under a bridge, shot or not"),
                  std::string::npos)
            << error.what();
    }
}

// A bridge in the level's lowest line reaches below the map's first row; a plane started
// again past it flies the level like one from the start.
TEST(RiverFlight, ABridgeAtTheLevelsStartIsFlownPast) {
    const RiverFlight::Object bridge{RiverScreens::bridgeKind, 56, RiverScreens::cell, false};
    EXPECT_NO_THROW(RiverFlight(level(2), channel(2), {bridge}, riverRules()).prove());
}

}  // namespace
