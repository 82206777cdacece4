// The screens file as the game reads it: the cells' tile words, the objects of each screen
// with their road flag, the levels' screen lists turned bottom first, and damaged files
// refused whole with a word on the diagnostic stream.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "dbytearrayoutputstream.h"
#include "ddatainputstream.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "entity.h"
#include "screens.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DDataInputStream;
using dfc::io::DPrintStream;
using dfc::lang::DSystem;

namespace {

struct Object {
    int cell, kind, layer2;
};

// One screen: water everywhere (tile 58), the objects given.
std::string screenBytes(const std::vector<Object>& objects) {
    std::string bytes;
    for (int i = 0; i < Screens::cellsPerScreen; ++i) {
        int kind = 255, layer2 = 255;
        for (const Object& o : objects)
            if (o.cell == i) kind = o.kind, layer2 = o.layer2;
        bytes += char(58);
        bytes += char(layer2);
        bytes += char(kind);
    }
    return bytes;
}

std::string levelBytes(const std::vector<std::vector<int>>& levels) {
    std::string bytes(1, char(levels.size()));
    for (const auto& level : levels) {
        bytes += char(level.size());
        for (int screen : level) bytes += char(screen);
    }
    return bytes;
}

class ScreensFile : public ::testing::Test {
protected:
    void SetUp() override { newRun(); }
    // A stream of its own, as a new run has: on it nothing has been named yet.
    void newRun() {
        printed = new DByteArrayOutputStream();
        DSystem::err = new DPrintStream(printed);
    }
    void TearDown() override {
        Screens::release();
        DSystem::err = nullptr;
    }
    bool read(const std::string& bytes) {
        return Screens::read(new DDataInputStream(new DByteArrayInputStream(bytesOf(bytes))));
    }
    std::string diagnostics() { return textOf(printed->toByteArray(), printed->size()); }

    DByteArrayOutputStreamPtr printed;
};

TEST_F(ScreensFile, ReadsCellsObjectsAndLevelsBottomScreenFirst) {
    std::string file(1, char(2));
    file += screenBytes({{0, 12, 255}, {23, 14, 109}, {571, 24, 255}});
    std::string second = screenBytes({{44, 0, 110}});
    second[3 * 5] = char(7);  // cell 5: land tile 7 under road 112
    second[3 * 5 + 1] = char(112);
    file += second;
    file += levelBytes({{1, 0}, {0, 1, 1}});
    ASSERT_TRUE(read(file)) << diagnostics();

    EXPECT_EQ(Screens::screenCount(), 2);
    EXPECT_EQ(Screens::cells[0], 58 + 256 * 255);
    EXPECT_EQ(Screens::cells[572 + 5], 7 + 256 * 112);
    ASSERT_EQ(Screens::templateCount(0), 3);
    const EntityPtr boat = Screens::templateOf(0, 0), tank = Screens::templateOf(0, 1),
                    depot = Screens::templateOf(0, 2);
    EXPECT_EQ(boat->kind, 12);
    EXPECT_FALSE(boat->onRoad);
    EXPECT_EQ(tank->kind, 14);
    EXPECT_EQ(tank->x, 8) << "cell 23 is row 1, column 1";
    EXPECT_EQ(tank->y, 8);
    EXPECT_TRUE(tank->onRoad);
    EXPECT_EQ(depot->x, 168);
    EXPECT_EQ(depot->y, 200);
    ASSERT_EQ(Screens::templateCount(1), 1);
    EXPECT_TRUE(Screens::templateOf(1, 0)->onRoad) << "a bridge tile counts as road";

    ASSERT_EQ(Screens::levelCount(), 2);
    ASSERT_EQ(Screens::levels[0]->length, 2);
    EXPECT_EQ(Screens::levels[0][0], 0) << "the first number read is the topmost screen";
    EXPECT_EQ(Screens::levels[0][1], 1);
    ASSERT_EQ(Screens::levels[1]->length, 3);
    EXPECT_EQ(Screens::levels[1][0], 1);
    EXPECT_EQ(Screens::levels[1][2], 0);
}

// Objects past the thirtieth, and kinds the game does not know, are dropped; the rest stay. The
// file is named once for all its screens, however often it is read.
TEST_F(ScreensFile, DropsObjectsPastThirtyAndUnknownKinds) {
    std::vector<Object> many;
    for (int i = 0; i < 33; ++i) many.push_back({i, 5, 255});
    many.push_back({100, 25, 255});
    const std::string crowded = screenBytes(many);
    std::string file = std::string(1, char(3)) + crowded + screenBytes({}) + crowded + levelBytes({{0, 0}});
    ASSERT_TRUE(read(file));
    ASSERT_TRUE(read(file));
    EXPECT_EQ(Screens::templateCount(0), 30);
    EXPECT_EQ(Screens::templateCount(2), 30);
    EXPECT_EQ(diagnostics(),
              "Floodpass: fdp/screens.bin drops 8 objects of 2 of its screens (more than 30 a screen, or of "
              "no kind)\r\n");
}

struct Damage {
    const char* what;
    std::string file;
    const char* reason;
};

TEST_F(ScreensFile, RefusesDamagedFilesWhole) {
    const std::string one = std::string(1, char(1)) + screenBytes({});
    const Damage damages[] = {
        {"no screens", std::string(1, char(0)) + levelBytes({{0, 0}}), "holds 0 screens"},
        {"a negative count", std::string(1, char(-3)), "holds -3 screens"},
        {"no levels", one + levelBytes({}), "holds 0 levels"},
        {"a level of one screen", one + levelBytes({{0}}), "level 1 has 1 screens, fewer than 2"},
        {"a screen number past the last", one + levelBytes({{0, 1}}), "level 1 names screen 1 of 1"},
        {"a negative screen number", one + levelBytes({{0, -1}}), "names screen -1"},
        {"a file cut in a screen", one.substr(0, 900), "ends early"},
        {"a file cut in a level", one + levelBytes({{0, 0, 0}}).substr(0, 3), "ends early"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        newRun();
        EXPECT_FALSE(read(damage.file));
        EXPECT_FALSE(Screens::cells) << "nothing of a damaged file is kept";
        EXPECT_FALSE(Screens::levels);
        EXPECT_NE(diagnostics().find(damage.reason), std::string::npos) << diagnostics();
    }
}

}  // namespace
