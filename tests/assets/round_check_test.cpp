// The builder checks every brick round: the layout the game reads, and that no brick which
// counts toward clearing is out of the ball's reach.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

// A round from its design rows: two empty rows above, empty rows below up to 21, CR LF.
std::string round(const std::vector<std::string>& design) {
    std::vector<std::string> rows(2, "...........");
    rows.insert(rows.end(), design.begin(), design.end());
    while (rows.size() < 21) rows.push_back("...........");
    std::string bytes;
    for (const std::string& row : rows) bytes += row + "\r\n";
    return bytes;
}

ToolRun buildRound(const TempFolder& folder, const std::string& bytes) {
    return buildOneSource(folder, "round r/round01.txt round.txt", "round.txt", bytes);
}

std::string withoutLastLine(std::string bytes) { return bytes.substr(0, bytes.size() - 13); }

struct Refusal {
    const char* what;
    std::string bytes;
    const char* place;
    const char* reason;
};

TEST(RoundCheck, RefusesRoundsTheGameCannotReadOrClear) {
    std::string lfOnly = round({"fffffffffff"});
    lfOnly.erase(lfOnly.find('\r'), 1);
    const Refusal refusals[] = {
        {"20 lines", withoutLastLine(round({"fffffffffff"})), "round.txt:21", "ends after 20 of 21 lines"},
        {"a line ended by LF alone", lfOnly, "round.txt:1", "CR LF"},
        {"a short line", round({"ffffffffff"}), "round.txt:3", "11 cells, this one 10"},
        {"a long line", round({"fffffffffff."}), "round.txt:3", "11 cells, this one 12"},
        {"a letter outside the legend", round({"ffffkffffff"}), "round.txt:3", "cell 'k'"},
        {"a blank for an empty cell", round({"fffff fffff"}), "round.txt:3", "cell ' '"},
        {"a brick in the top row", "f.........." + round({}).substr(11), "round.txt:1", "top row stays empty"},
        {"a 22nd line", round({"fffffffffff"}) + "...........\r\n", "round.txt:22", "nothing after them"},
        {"no brick that counts", round({"ccccceeeeee"}), "round.txt", "no brick that counts"},
        {"bricks walled in by solid ones", round({"eeeeeeeeeee", "effffffffee", "eeeeeeeeeee"}), "round.txt:4",
         "column 2 is out of the ball's reach"},
        {"a vault opened only when the ball breaks an earlier bomb before the detonator",
         round({".h.........", "...........", "eeeeeeeeee.", "effffhfffe.", "eeeeeeeeee.", "..........d"}),
         "round.txt:6", "column 2 is out of the ball's reach: solid bricks close it in when the detonators"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = buildRound(folder, refusal.bytes);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.place), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
    }
}

TEST(RoundCheck, AcceptsBricksThatTheBallOrABlastReaches) {
    const std::vector<std::string> accepted[] = {
        {"fffffffffff", "abcdefghij."},
        // A way in through a gap in the solid wall.
        {"eeeeeeeeeee", "effffffffee", "eeeee.eeeee"},
        // A vault opened by the bombs in its floor, set off by the detonator outside: the
        // first bomb's blast sets off the second.
        {"eeeeeeeeeee", "efffffffffe", "eeeeeehheee", "...d......."},
        // The vault's bomb is the first in row order, so the bomb below it in reach does not
        // matter: whether the ball breaks it or the detonator would.
        {"eeeeeeeeeee", "effffhfffe.", "eeeeeeeeee.", ".h........d"},
    };
    for (const auto& design : accepted) {
        SCOPED_TRACE(design[0] + " / " + design[1]);
        TempFolder folder;
        std::string bytes = round(design);
        ToolRun run = buildRound(folder, bytes);
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(folder.read("out/game.dat.stage/r/round01.txt"), bytes);
    }
}

}  // namespace
