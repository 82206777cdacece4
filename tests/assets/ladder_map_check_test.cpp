// The builder checks every ladder-game map: the layout the game reads, that the hero alone
// can take all the gold, come back, reach the exit and never be stuck for good, and that no
// guard is penned where the enemies' distance field seldom comes to it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

std::string map(const std::vector<std::string>& rows) {
    std::string bytes = std::to_string(rows[0].size()) + "\r\n" + std::to_string(rows.size()) + "\r\n";
    for (const std::string& row : rows) bytes += row + "\r\n";
    return bytes;
}

ToolRun buildMap(const TempFolder& folder, const std::string& bytes) {
    return buildOneSource(folder, "laddermap gdr/maps/1.txt map.txt", "map.txt", bytes);
}

struct Refusal {
    const char* what;
    std::string bytes;
    const char* place;
    const char* reason;
};

TEST(LadderMapCheck, RefusesMapsTheGameCannotReadOrThatCannotBeWon) {
    std::string lfOnly = map({"P$E"});
    lfOnly.erase(lfOnly.find('\r'), 1);
    const Refusal refusals[] = {
        {"a line ended by LF alone", lfOnly, "map.txt:1", "CR LF"},
        {"a width that is no number", "3x\r\n1\r\nP$E\r\n", "map.txt:1", "width as a decimal number"},
        {"a width of 0", "0\r\n1\r\n\r\n", "map.txt:1", "at least 1"},
        {"too many cells", "200\r\n200\r\n", "map.txt:2", "at most 32767 cells"},
        {"a missing row", "3\r\n2\r\nP$E\r\n", "map.txt", "1 rows, not 2"},
        {"a short row", map({"P$E", "##"}), "map.txt:4", "3 cells, this one 2"},
        {"an unknown cell", map({"P$E", "#X#"}), "map.txt:4", "cell 'X'"},
        {"two heroes", map({"P$EP"}), "map.txt", "one hero's start 'P', this one 2"},
        {"no exit", map({"P$ "}), "map.txt", "one exit 'E', this one 0"},
        {"no gold", map({"P E"}), "map.txt", "gold '$'"},
        {"eleven enemies", map({"P$E" + std::string(11, 'A')}), "map.txt", "at most 10 enemies 'A', this one 11"},
        {"gold on a ledge with no way up", map({" $ ", "BBB", "P E", "BBB"}), "map.txt:3",
         "gold at row 1, column 2"},
        {"gold down a drop with no way back", map({"P E  ", "BBB B", "BBB$B", "BBBBB"}), "map.txt:5",
         "gold at row 3, column 4"},
        {"an exit out of reach", map({"  E", "BBB", "P$ ", "BBB"}), "map.txt:3", "cannot get to the exit"},
        {"a pit of armour", map({"E$P ", "BBB ", "BBBB"}), "map.txt:4", "stuck for good at row 2, column 4"},
        {"a guard in a room of armour", map({"P $  E", "BBBBBB", "  A   ", "BBBBBB"}), "map.txt:5:3",
         "guard at row 3, column 3 can reach the hero from 0 of the 6 places he rests at"},
        // He drops into the pit and digs his way out; the guard in it meets him only there.
        {"a guard in a pit only digging leaves",
         map({"HP$     H", "HBBB BBBH", "HBB A BBH", "HBB###BBH", "H  E    H", "BBBBBBBBB"}), "map.txt:5:5",
         "from 3 of the 26 places"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = buildMap(folder, refusal.bytes);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.place), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
    }
}

TEST(LadderMapCheck, AcceptsMapsWonByClimbingHangingFallingAndDigging) {
    const std::vector<std::string> accepted[] = {
        // Up a ladder for the gold and the exit.
        {"  E $", "##H##", "P H  ", "#####"},
        // Along a handrail, letting go over the gold, back by the ladder.
        {"E-----", "H  $  ", "H     ", "H    P", "######"},
        // Gold sealed under the floor: dug into, left through a false brick, back up a ladder.
        {"P    E H", "#######H", "#$$$$# H", "###~###H", "       H", "BBBBBBBB"},
        // A guard on a ledge that drops through a gap onto the hero's floor.
        {"  A     ", "BBB BBBB", "P   $  E", "BBBBBBBB"},
    };
    for (const auto& design : accepted) {
        SCOPED_TRACE(design[0] + " / " + design[1]);
        TempFolder folder;
        std::string bytes = map(design);
        ToolRun run = buildMap(folder, bytes);
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(folder.read("out/game.dat.stage/gdr/maps/1.txt"), bytes);
    }
}

TEST(LadderMapCheck, ListsPennedGuardsForTheLevelMeasure) {
    TempFolder folder;
    folder.write("penned.txt", map({"P $  E", "BBBBBB", "  A   ", "BBBBBB"}));
    folder.write("free.txt", map({"  A     ", "BBB BBBB", "P   $  E", "BBBBBBBB"}));
    const std::string tool = std::string(MOSSYARD_BINARY_DIR) + "/tools/assetbuild";
    ToolRun run =
        runCommand("'" + tool + "' penned '" + folder.file("penned.txt") + "' '" + folder.file("free.txt") + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, folder.file("penned.txt") + ": row 3, column 3: 0 of 6\n");
}

}  // namespace
