// The builder compiles the river shooter's screens and levels into the file the game reads,
// and refuses a river the game cannot read or the plane cannot fly: no passage, fuel out of
// reach, a level too short for the screen, or a craft where the plane appears.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "assettool.h"
#include "temp_folder.h"

using namespace assettest;

namespace {

// A w x h picture of one colour.
std::string block(int w, int h) {
    std::string grid = "k #406080\n---\n";
    for (int y = 0; y < h; ++y) grid += std::string(size_t(w), 'k') + "\n";
    return grid;
}

const char* const legend =
    "legend . water\n"
    "legend x land\n"
    "legend T 3\n"
    "legend = land 5\n"
    "legend B water - kind=0\n"
    "legend F water - kind=24\n"
    "legend s water - kind=12\n"
    "legend j water - kind=1\n"
    "legend o water - kind=5\n"
    "legend h water - kind=9\n"
    "legend g land - kind=7\n"
    "legend v land 109 kind=18\n";

// 26 rows with water in columns 7 to 14; `rows` replace rows from the top.
std::vector<std::string> channel() { return std::vector<std::string>(26, "xxxxxxx........xxxxxxx"); }

std::string screen(const std::string& name, const std::vector<std::string>& rows) {
    std::string text = "screen " + name + "\n";
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// The screens line's names of the land list, the plane and the object kinds 0 to 24.
const std::string sizes =
    "land=land plane=airplane.png kinds=bridge.png;airplainEnemyL1;airplainEnemyL3;airplainEnemyL1;airplainEnemyL3;"
    "balloonL1;balloonL2;gunL;gunL;helicopterL1;helicopterL2;helicopterL3;shipL1;shipL2;tankL1;tankL2;tankL3;tankL4;"
    "tankL1;tankL2;tankL3;tankL4;trainL;trainL;fuel";

// Tiles: 0-4 land, 5 a road, 58 water, 109 a road with vehicles (in a list of 113); the plane
// 16 x 16, a tank 20 x 10, every other craft 24 x 10, a depot 16 x 28 and a bridge 64 x 16.
void writeData(const TempFolder& folder, const std::string& river, const std::string& options = sizes) {
    folder.write("data/f/manifest.txt",
                 "atlas a all.atlas\n"
                 "anim a/res.txt res.txt atlas=a\n"
                 "screens a/screens.bin river.txt atlas=a frames=a/res.txt " + options + "\n");
    folder.write("data/f/all.atlas",
                 "width 128\nairplane.png = p.grid\nbridge.png = b.grid\nboat.png = s.grid\nfuel.png = d.grid\n"
                 "tank.png = k.grid\ntile.png = t.grid\n");
    folder.write("data/f/p.grid", block(16, 16));
    folder.write("data/f/b.grid", block(64, 16));
    folder.write("data/f/s.grid", block(24, 10));
    folder.write("data/f/k.grid", block(20, 10));
    folder.write("data/f/d.grid", block(16, 28));
    folder.write("data/f/t.grid", block(8, 8));
    std::string land = "tile.png";
    for (int i = 1; i < 113; ++i) land += ";tile.png";
    std::string res = "land=" + land + "\r\nfuel=fuel.png\r\ntankL1=tank.png\r\n";
    for (const char* key : {"airplainEnemyL1", "airplainEnemyL3", "balloonL1", "balloonL2", "gunL", "helicopterL1",
                            "helicopterL2", "helicopterL3", "shipL1", "shipL2", "tankL2", "tankL3", "tankL4", "trainL"})
        res += std::string(key) + "=boat.png\r\n";
    folder.write("data/f/res.txt", res);
    folder.write("data/f/river.txt", river);
}

ToolRun build(const TempFolder& folder, const std::string& river, const std::string& options = sizes) {
    writeData(folder, river, options);
    return runBuilder(folder.file("data"), folder.file("out/game.dat"));
}

struct Refusal {
    const char* what;
    std::string river;
    std::string reason;
};

// Each river fails to build, and the builder says why.
template <size_t count>
void expectRefused(const Refusal (&refusals)[count]) {
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        ToolRun run = build(folder, refusal.river);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(refusal.reason), std::string::npos) << run.output;
    }
}

TEST(RiverScreens, CompilesCellsObjectsAndLevelsTopmostScreenFirst) {
    std::vector<std::string> first = channel();
    first[0] = "xxxxxxxs.......xxxxxxx";
    first[3] = "TTTTTTT........=======";
    std::vector<std::string> second = channel();
    second[5] = "xxxxxxxF.......xxxxxxx";
    TempFolder folder;
    ToolRun run = build(folder, std::string(legend) + screen("one", first) + screen("two", second) +
                                    "level a = one two\nlevel b = two one two\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string bytes = folder.read("out/game.dat.stage/a/screens.bin");
    ASSERT_EQ(bytes.size(), 1 + 2 * 572 * 3 + 1 + 3 + 4u);
    auto cell = [&](int screen, int row, int column, int byte) {
        return int(uint8_t(bytes[1 + (screen * 572 + row * 22 + column) * 3 + byte]));
    };
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(cell(0, 0, 7, 0), 58);
    EXPECT_EQ(cell(0, 0, 7, 2), 12) << "a boat";
    EXPECT_EQ(cell(0, 0, 8, 2), 255);
    EXPECT_EQ(cell(0, 0, 0, 0), 0) << "land away from water has no beach";
    EXPECT_EQ(cell(0, 1, 6, 0), 2) << "a beach on the side facing the water";
    EXPECT_EQ(cell(0, 1, 15, 0), 8);
    EXPECT_EQ(cell(0, 3, 2, 0), 3);
    EXPECT_EQ(cell(0, 3, 16, 1), 5) << "the road on the second layer";
    EXPECT_EQ(cell(0, 3, 16, 0), 0);
    EXPECT_EQ(cell(0, 3, 15, 0), 8);
    EXPECT_EQ(cell(1, 5, 7, 2), 24);
    EXPECT_EQ(cell(1, 5, 7, 1), 255);
    const std::string levels = bytes.substr(1 + 2 * 572 * 3);
    EXPECT_EQ(levels, std::string("\x02\x02\x01\x00\x03\x01\x00\x01", 8)) << "each level's topmost screen first";
}

TEST(RiverScreens, RefusesRiversTheGameCannotReadOrThePlaneCannotFly) {
    const std::string one = screen("one", channel());
    std::vector<std::string> walled = channel();
    walled[12] = "xxxxxxxxxxxxxxxxxxxxxx";
    std::vector<std::string> crowded = channel();
    for (int row = 0; row < 26; row += 1) crowded[row] = row < 16 ? "xxxxxxxs.s.....xxxxxxx" : crowded[row];
    std::vector<std::string> overhang = channel();
    overhang[4] = "xxxxxxx........xxxxxsx";
    std::vector<std::string> bridged = channel();
    bridged[12] = "=======B.......=======";
    bridged[11] = "xxxxxxxxxxxxxxxxxxxxxx";
    // Eleven screens outlast a tank at normal speed; seventeen outlast it with one depot in the
    // middle too.
    std::string noFuel = std::string(legend) + one + "level a =";
    for (int i = 0; i < 11; ++i) noFuel += " one";
    std::vector<std::string> middle = channel();
    middle[12] = "xxxxxxx...F....xxxxxxx";
    std::string oneDepot = std::string(legend) + one + screen("depot", middle) + "level a =";
    for (int i = 0; i < 17; ++i) oneDepot += i == 8 ? " depot" : " one";
    // A bay beside the channel, its depot where a plane that flies over it cannot turn back
    // before the bay's end.
    std::vector<std::string> bay = channel();
    for (int row = 3; row < 23; ++row) bay[row] = "x..............xxxxxxx";
    bay[3] = "xF.............xxxxxxx";
    std::string deadEnd = std::string(legend) + one + screen("bay", bay) + "level a =";
    for (int i = 0; i < 11; ++i) deadEnd += i == 5 ? " bay" : " one";
    const Refusal refusals[] = {
        {"a level of one screen", std::string(legend) + one + "level a = one\n", "at least 2 screens"},
        {"no level", std::string(legend) + one, "no level"},
        {"a screen no level names", std::string(legend) + one + "level a = one two\n", "no screen two"},
        {"a short screen", std::string(legend) + "screen one\nxxxxxxx........xxxxxxx\nlevel a = one one\n", "22 cells"},
        {"a cell not in the legend",
         std::string(legend) + screen("one", {26, "xxxxxxx...?....xxxxxxx"}) + "level a = one one\n", "cell '?'"},
        {"a tile the land list does not name", std::string(legend) + "legend q 113\n" + one + "level a = one one\n",
         "tile 113 is not one of the 113"},
        {"a cell without a first-layer tile", std::string(legend) + "legend q -\n" + one + "level a = one one\n",
         "first-layer tile"},
        {"a kind above 24", std::string(legend) + "legend q water - kind=25\n" + one + "level a = one one\n",
         "from 0 to 24"},
        {"more than 30 objects", std::string(legend) + screen("one", crowded) + "level a = one one\n",
         "more than 30 objects"},
        {"an object past the river's edge", std::string(legend) + screen("one", overhang) + "level a = one one\n",
         "reaches x = 184, past the river"},
        {"a wall across the river", std::string(legend) + one + screen("wall", walled) + "level a = one wall one\n",
         "finds no way from the start past screen wall, line 13"},
        {"land beyond a bridge", std::string(legend) + one + screen("bridge", bridged) + "level a = one bridge one\n",
         "finds no way from the start past screen bridge, line 12"},
        {"no fuel for eleven screens", noFuel + "\n", "from the start, the plane runs out of fuel in screen one"},
        {"seventeen screens with one depot", oneDepot + "\n", "the plane runs out of fuel"},
        {"a depot only in a bay's dead end", deadEnd + "\n", "the plane runs out of fuel"},
    };
    expectRefused(refusals);
}

// The craft move before the player can steer clear: none may meet the plane in the first
// frames of the level's start wherever the player steers it, nor in the first frame of a
// restart. Under a bridge, shot or not, the plane meets the tiles.
TEST(RiverScreens, RefusesCraftWhereThePlaneAppearsAndBridgesOverLand) {
    const std::string plain = screen("plain", channel());
    auto level = [&](const std::vector<std::string>& first, const std::vector<std::string>& second) {
        return std::string(legend) + plain + screen("first", first) + screen("second", second) +
               "level a = first second plain\n";
    };
    auto start = [](int row, const std::string& cells) {
        std::vector<std::string> rows = channel();
        rows[size_t(row)] = cells;
        return rows;
    };
    // Each met only in a later frame: the helicopter at full speed, the gun by steering onto the
    // bank, the balloon as the plane comes up to it, the helicopter by the bank turning it round
    // and the tank by its tenth move towards the bridge.
    std::vector<std::string> onBridge = start(19, "===v===B.......=======");
    onBridge[20] = "=======........=======";
    // Beside the start in a bay, out of the plane's way in its first frames; a lost plane starts
    // again a row higher, and by then the boat may have come across.
    const std::vector<std::string> besideStart = start(21, "xs.............xxxxxxx");
    std::vector<std::string> bridged = channel();
    bridged[12] = "=======B.......=======";
    bridged[13] = "=======........=======";
    std::vector<std::string> pastBridge = bridged;
    pastBridge[9] = "xxxxxxxj.......xxxxxxx";
    std::vector<std::string> overLand = bridged;
    overLand[13] = "xxxxxxxxxxxxxxxxxxxxxx";
    const std::string startFrames =
        " may meet the plane in the first 10 frames of the start, whatever the player steers";
    const Refusal refusals[] = {
        {"a boat on the plane's start", level(start(23, "xxxxxxx..s.....xxxxxxx"), channel()),
         "the craft of kind 12 at screen first, line 24, column 10" + startFrames},
        {"a helicopter ahead of the start", level(start(18, "xxxxxxx...h....xxxxxxx"), channel()),
         "the craft of kind 9 at screen first, line 19, column 11" + startFrames},
        {"a gun on the bank beside the start", level(start(22, "xxxxxxg........xxxxxxx"), channel()),
         "the craft of kind 7 at screen first, line 23, column 7" + startFrames},
        {"a balloon ahead of the start", level(start(19, "xxxxxxx.....o..xxxxxxx"), channel()),
         "the craft of kind 5 at screen first, line 20, column 13" + startFrames},
        {"a helicopter the bank turns into the plane's way", level(start(19, "xxxxxxx........h.xxxxx"), channel()),
         "the craft of kind 9 at screen first, line 20, column 16" + startFrames},
        {"a tank driving for the bridge ahead of the start", level(onBridge, channel()),
         "the craft of kind 18 at screen first, line 20, column 4" + startFrames},
        {"a boat beside the start", level(besideStart, channel()),
         "the craft of kind 12 at screen first, line 22, column 2 may meet the plane in the first frame of a restart "
         "before the first bridge, whatever the player steers"},
        {"a jet over the water past a bridge", level(channel(), pastBridge),
         "the craft of kind 1 at screen second, line 10, column 8 may meet the plane in the first frame of a restart "
         "past the bridge at screen second, line 13, column 8, whatever the player steers"},
        {"a bridge over land", level(channel(), overLand),
         "the plane finds no way from the start past screen second, line 14, under the bridge there: the plane meets "
         "the land tiles under a bridge, shot or not"},
    };
    expectRefused(refusals);
    // The same craft away from where the plane appears, and a gun on the bank beside a
    // restart, build.
    std::vector<std::string> calm = bridged;
    calm[3] = "xxxxxxxj.......xxxxxxx";
    calm[11] = "xxxxxxg........xxxxxxx";
    TempFolder folder;
    ToolRun run = build(folder, level(start(17, "xxxxxxxs.......xxxxxxx"), calm));
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST(RiverScreens, BridgesOverTheWaterAndDepotsKeepALongLevelFlying) {
    std::vector<std::string> bridged = channel();
    bridged[12] = "=======B.......=======";
    bridged[13] = "=======........=======";
    std::vector<std::string> depot = channel();
    depot[10] = "xxxxxxx...F....xxxxxxx";
    // Fourteen screens are 2696 pixels of flight: a tank and five passes over a depot.
    std::string river = std::string(legend) + screen("one", channel()) + screen("bridge", bridged) +
                        screen("depot", depot) +
                        "level a = one bridge depot one depot one bridge depot one depot one depot bridge one\n";
    TempFolder folder;
    ToolRun run = build(folder, river);
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST(RiverScreens, TheScreensLineNamesWhatTheProofMeasures) {
    struct Case {
        const char* what;
        std::string options;
        const char* reason;
    };
    const std::string river = std::string(legend) + screen("one", channel()) + "level a = one one\n";
    const std::string kinds = "kinds=bridge.png;boat.png;boat.png";
    const Case cases[] = {
        {"no plane", "land=land " + kinds, "screens needs plane="},
        {"no kinds", "land=land plane=airplane.png", "screens needs kinds="},
        {"no land list", "plane=airplane.png " + kinds, "screens needs land="},
        {"a land list the frame lists lack", "land=ground plane=airplane.png " + kinds, "a/res.txt has no list ground"},
        {"a frame list the frame lists lack", "land=land plane=jet " + kinds, "a/res.txt has no list jet"},
        {"a picture the atlas lacks", "land=land plane=jet.png " + kinds, "jet.png is not a picture of the atlas"},
        {"a kind without a name", "land=land plane=airplane.png kinds=bridge.png;;boat.png", "gives kind 1 no name"},
        {"more kinds than there are", "land=land plane=airplane.png kinds=" + std::string(25, ';') + "x.png",
         "names 26 kinds, more than the 25"},
        {"a kind the river uses left out", "land=land plane=airplane.png kinds=bridge.png", "kind 24 has no picture"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        ToolRun run = build(folder, river, c.options);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << run.output;
    }
}

}  // namespace
