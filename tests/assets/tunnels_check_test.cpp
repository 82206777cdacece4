// The builder packs every tunnel-game level file and refuses one the game cannot read or a
// level that cannot be played through.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

using Level = std::vector<std::string>;

// A playable level: a corridor from the entrance, the start cell, one crystal.
Level plain() {
    return {"..........HHHHH", "...............", "......C........", "...............", "...............",
            "...............", "...............", "...............", "...............", ".......S......."};
}

// Eight levels, the first one given, parted by empty lines, CR LF.
std::string file(const Level& first) {
    std::string bytes;
    for (int level = 0; level < 8; ++level) {
        if (level > 0) bytes += "\r\n";
        for (const std::string& row : level == 0 ? first : plain()) bytes += row + "\r\n";
    }
    return bytes;
}

Level with(Level level, int row, const std::string& text) {
    level[row] = text;
    return level;
}

ToolRun buildLevels(const TempFolder& folder, const std::string& bytes) {
    return buildOneSource(folder, "tunnels t/data/1.txt levels.txt", "levels.txt", bytes);
}

struct Refusal {
    const char* what;
    std::string bytes;
    const char* place;
    const char* reason;
};

TEST(TunnelsCheck, RefusesFilesTheGameCannotReadOrPlay) {
    std::string lfOnly = file(plain());
    lfOnly.erase(lfOnly.find('\r'), 1);
    std::string sevenLevels = file(plain());
    sevenLevels.resize(sevenLevels.size() - 2 - 10 * 17);
    const Refusal refusals[] = {
        {"a line ended by LF alone", lfOnly, "levels.txt:1", "CR LF"},
        {"a short row", file(with(plain(), 3, "..............")), "levels.txt:4", "15 cells, this one 14"},
        {"another character", file(with(plain(), 3, "......x........")), "levels.txt:4", "cell 'x'"},
        {"seven levels", sevenLevels, "levels.txt", "the file ends"},
        {"a ninth level", file(plain()) + "\r\n" + file(plain()).substr(0, 170), "levels.txt:88", "nothing after them"},
        {"no crystal", file(with(plain(), 2, "...............")), "levels.txt:1", "no crystal"},
        {"sixteen bags", file(with(with(plain(), 4, "BBBBBBBBBBBBBBB"), 6, "B..............")), "levels.txt:1",
         "16 bags, more than 15"},
        {"an entrance of earth", file(with(plain(), 0, "..........HHHH.")), "levels.txt:1", "entrance"},
        {"an entrance no tunnel joins", file(with(plain(), 0, "..............V")), "levels.txt:1", "entrance"},
        {"a start of earth", file(with(plain(), 9, "...............")), "levels.txt:1", "start (column 7, row 9)"},
        {"a crystal walled in by bags",
         file(with(with(with(plain(), 1, "......B........"), 2, ".....BCB......."), 3, "......B........")),
         "levels.txt:3", "crystal in column 6 is walled in"},
        {"a bag over the start", file(with(plain(), 8, ".......B.......")), "levels.txt:9", "rests on a tunnel"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = buildLevels(folder, refusal.bytes);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.place), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
    }
}

TEST(TunnelsCheck, PacksTwoIgnoredBytesAndTheCellsWithoutLineEnds) {
    TempFolder folder;
    const Level first = with(with(plain(), 5, "..B..C...V....."), 0, "............HHS");
    ToolRun run = buildLevels(folder, file(first));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string packed = folder.read("out/game.dat.stage/t/data/1.txt");
    ASSERT_EQ(packed.size(), 1202u);
    std::string expected(2, '\0');
    for (int level = 0; level < 8; ++level)
        for (const std::string& row : level == 0 ? first : plain()) expected += row;
    EXPECT_EQ(packed, expected);
}

}  // namespace
