// The builder proves every stage of the tank game: the format the game reads, and that the
// stage can be played to its end. Also the tile size the battle's pictures share.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

const char* const openMap[] = {"E...E", ".....", ".h.S.", ".....", "P.hB."};
const std::string someTypes = "types 0 0 0 4 0 0 1 0 0 4 0 0 2 0 0 3 0 5 6 7";

// Twenty stages of the open map, with stage `changed` given instead by `map` and `types`.
std::string stages(int changed = 0, const std::vector<std::string>& map = {}, const std::string& types = someTypes) {
    std::string text = "# stages\n";
    for (int stage = 1; stage <= 20; ++stage) {
        text += "stage " + std::to_string(stage) + "\n";
        text += (stage == changed ? types : someTypes) + "\n";
        if (stage == changed)
            for (const std::string& row : map) text += row + "\n";
        else
            for (const char* row : openMap) text += std::string(row) + "\n";
    }
    return text;
}

ToolRun buildStages(const TempFolder& folder, const std::string& text) {
    return buildOneSource(folder, "tankmap t/map.bin stages.txt", "stages.txt", text);
}

TEST(TankMapCheck, RefusesStagesTheGameCannotReadOrPlayToTheEnd) {
    struct Refusal {
        const char* what;
        std::string text;
        const char* reason;
    };
    std::string nineteen = stages();
    nineteen = nineteen.substr(0, nineteen.find("stage 20"));
    std::string twice = stages();
    twice.replace(twice.find("stage 20"), 8, "stage 3");
    const Refusal refusals[] = {
        {"19 stages", nineteen, "needs 20 stages, not 19"},
        {"a stage twice", twice, "each once"},
        {"another size", stages(4, {"E...E.", "......", ".h.S..", "......", "P.hB.."}), "the first one's size"},
        {"a short row", stages(4, {"E...E", "....", ".h.S.", ".....", "P.hB."}), "row 2 of stage 4"},
        {"a type above 7", stages(2, {openMap, openMap + 5}, "types 0 0 0 8 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"),
         "\"8\" is not one of 0 to 7"},
        {"19 types", stages(2, {openMap, openMap + 5}, "types 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"),
         "the 20 enemies' types"},
        {"an unknown tile", stages(5, {"E...E", ".....", ".h.Q.", ".....", "P.hB."}), "unknown tile 'Q'"},
        {"two player starts", stages(6, {"E...E", ".....", ".h.S.", "P....", "P.hB."}), "exactly one player start"},
        {"no player start", stages(6, {"E...E", ".....", ".h.S.", ".....", "..hB."}), "exactly one player start"},
        {"two bases", stages(7, {"E...E", ".....", ".hBS.", ".....", "P.hB."}), "exactly one base"},
        {"no enemy start", stages(8, {".....", ".....", ".h.S.", ".....", "P.hB."}), "1 to 5 enemy starts"},
        {"six enemy starts", stages(8, {"EEEEE", "E....", ".h.S.", ".....", "P.hB."}), "1 to 5 enemy starts"},
        {"an enemy start behind water", stages(9, {"E.~.E", "~~~..", ".h...", ".....", "P.hB."}),
         "the enemy start in row 1, column 1 cannot be reached"},
        {"a base walled in by steel", stages(10, {"E...E", ".....", ".h.S.", "...SS", "P.hSB"}),
         "stages.txt:71:5: stage 10: the base in row 5, column 5 cannot be reached from P: water and steel stop tanks"},
        {"the player shut in by steel and its own base", stages(11, {"E...E", ".....", ".h...", "S....", "PB..."}),
         "stages.txt:74:1: stage 11: the enemy start in row 1, column 1 is reached from P only through the base, "
         "and the base stops tanks"},
        {"an enemy start shut in by steel and the base", stages(12, {"P...E", ".....", "SSS..", "E.B..", "SSSSS"}),
         "stages.txt:84:1: stage 12: the enemy start in row 4, column 1 is reached from P only through the base"},
        {"enemy starts across water, which shells cross but tanks do not",
         stages(13, {"E...E", ".....", "~~~~~", ".....", "PB..."}),
         "stages.txt:88:1: stage 13: the enemy start in row 1, column 1 cannot be reached from P: water and steel"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = buildStages(folder, refusal.text);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
    }
}

// Houses and crates fall to shells, so a way through them counts; the base is only a goal.
TEST(TankMapCheck, AcceptsWaysThroughHousesAndABaseReachedFromOneSide) {
    const std::vector<std::string> maps[] = {
        {"E...E", "hhhhh", "xxxxx", "HHHHH", "P.hB."},
        {"E...E", ".....", "hSSSS", "PB...", "SSSSS"},  // out past the base through a house
        {"E...E", ".....", "..SSS", "P.hB.", "..SSS"},  // the pocket behind the base holds nothing
    };
    for (const std::vector<std::string>& map : maps) {
        SCOPED_TRACE(map[3]);
        TempFolder folder;
        ToolRun run = buildStages(folder, stages(5, map));
        EXPECT_EQ(run.status, 0) << run.output;
    }
}

TEST(TankMapCheck, RefusesMoreThan255Items) {
    std::vector<std::string> crowded(17, std::string(16, 'x'));
    crowded[0] = "E" + std::string(15, 'x');
    crowded[16] = "PB" + std::string(14, 'x');
    std::string text = "# stages\n";
    for (int stage = 1; stage <= 20; ++stage) {
        text += "stage " + std::to_string(stage) + "\n" + someTypes + "\n";
        for (const std::string& row : crowded) text += row + "\n";
    }
    TempFolder folder;
    ToolRun run = buildStages(folder, text);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("more than 255 items"), std::string::npos) << run.output;
}

TEST(TankMapCheck, PacksTheStagesWithStage20AsRecord0) {
    TempFolder folder;
    ToolRun run = buildStages(folder, stages(20, {"E...E", ".....", ".x.S.", ".....", "P.hB."}));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string bytes = readBytes(folder.file("out/game.dat.stage/t/map.bin"));
    const int record = 5 * 5 + 20;
    ASSERT_EQ(int(bytes.size()), 2 + 20 * record);
    EXPECT_EQ(bytes[0], 5);
    EXPECT_EQ(bytes[1], 5);
    EXPECT_EQ(bytes[2], 6 << 3) << "an enemy start on road";
    EXPECT_EQ(bytes[2 + 2 * 5 + 1], 8 << 3) << "stage 20's crate in record 0";
    EXPECT_EQ(bytes[2 + record + 2 * 5 + 1], 3 | 3 << 3) << "stage 1's house, on bare earth, in record 1";
    EXPECT_EQ(bytes[2 + record + 2 * 5 + 3], 3 | 2 << 3) << "steel";
    EXPECT_EQ(bytes[2 + record + 4 * 5], 5 << 3) << "the player's start";
    EXPECT_EQ(bytes[2 + 25 + 3], 4) << "the fourth enemy's type";
}

TEST(TankMapCheck, TheTileSizeIsAMultipleOf4AndSharedByTheListedPictures) {
    struct Case {
        const char* what;
        const char* second;
        const char* reason;
    };
    const Case cases[] = {
        {"a picture of another size", "b = wide.grid", "b is 8 x 4, not the tile size 4 x 4"},
        {"a tile size not a multiple of 4", "b = small.grid", "is not a multiple of 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const bool small = std::string(c.second).find("small") != std::string::npos;
        folder.write("data/t/manifest.txt", std::string("atlas t/all all.atlas\ntiles t/all ") +
                                                (small ? "b a\n" : "a b\n"));
        folder.write("data/t/all.atlas", std::string("width 64\na = square.grid\n") + c.second + "\n");
        folder.write("data/t/square.grid", "k #102030\n---\nkkkk\nkkkk\nkkkk\nkkkk\n");
        folder.write("data/t/wide.grid", "k #102030\n---\nkkkkkkkk\nkkkkkkkk\nkkkkkkkk\nkkkkkkkk\n");
        folder.write("data/t/small.grid", "k #102030\n---\nkkk\nkkk\nkkk\n");
        ToolRun run = runBuilder(folder.file("data"), folder.file("out/game.dat"));
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << run.output;
    }
}

}  // namespace
