// Round files: names, the legend, the count to clear, refusal of malformed files, and the
// fifty rounds the game ships.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdio>
#include <string>
#include "dbytearrayinputstream.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "dioexception.h"
#include "gametables.h"
#include "roundfile.h"
#include "text.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;
using dfc::lang::DStringPtr;

namespace {

class RoundFileTest : public ::testing::Test {
protected:
    void SetUp() override { GameTables::brixmoorLegend = DStringPtr(u"abcdefghij"); }
    void TearDown() override { GameTables::brixmoorLegend = nullptr; }
};

DDataInputStreamPtr streamOf(const std::string& bytes) {
    DbyteArrayPtr array = new DbyteArray(int(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array[int(i)] = int8_t(bytes[i]);
    return new DDataInputStream(new DByteArrayInputStream(array));
}

std::string rows(int count, const std::string& row = "...........") {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += row + "\r\n";
    return bytes;
}

TEST_F(RoundFileTest, NamesTheFileAndTheBackgroundOfARound) {
    const struct {
        int round;
        const char* file;
        const char* background;
    } cases[] = {
        {3, "/bxm/data/round03.txt", "/bxm/img/back3.jpg"},  {9, "/bxm/data/round09.txt", "/bxm/img/back4.jpg"},
        {10, "/bxm/data/round10.txt", "/bxm/img/back5.jpg"}, {11, "/bxm/data/round11.txt", "/bxm/img/back1.jpg"},
        {12, "/bxm/data/round12.txt", "/bxm/img/back2.jpg"}, {50, "/bxm/data/round50.txt", "/bxm/img/back5.jpg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(narrow(RoundFile::fileName(c.round)), c.file) << c.round;
        EXPECT_EQ(narrow(RoundFile::backgroundName(c.round)), c.background) << c.round;
    }
}

// The ten letters in order and a byte outside the legend; bytes past the eleventh are ignored.
TEST_F(RoundFileTest, ReadsTheLegendRow) {
    RoundFilePtr file = RoundFile::read(streamOf(rows(1) + "abcdefghij?zz\r\n" + rows(19)));
    const int kinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 9, 0};
    const int hits[] = {2, 3, 1, 1, 1, 1, 1, 1, 2, 5, 0};
    for (int column = 0; column < RoundFile::columns; ++column) {
        EXPECT_EQ(file->kindAt(1, column), kinds[column]) << column;
        EXPECT_EQ(file->hitsAt(1, column), hits[column]) << column;
        EXPECT_EQ(file->kindAt(0, column), 0);
    }
    // Regrowing ("c") and solid ("e") bricks are not counted.
    EXPECT_EQ(file->hitsToClear(), 2 + 3 + 1 + 1 + 1 + 1 + 2 + 5);
}

TEST_F(RoundFileTest, TakesBytesAboveTheLegendAsEmptyCells) {
    RoundFilePtr file = RoundFile::read(streamOf("\xe1\xff" "fffffffff\r\n" + rows(20)));
    EXPECT_EQ(file->kindAt(0, 0), 0);
    EXPECT_EQ(file->kindAt(0, 1), 0);
    EXPECT_EQ(file->kindAt(0, 2), 6);
}

TEST_F(RoundFileTest, RefusesMalformedFilesSayingWhy) {
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"20 lines", rows(20), "ends in line 21"},
        {"no line end at the last line", rows(20) + "...........", "ends in line 21"},
        {"a short line", rows(4) + "ffffffffff\r\n" + rows(16), "line 5 holds 10 cells"},
        {"an empty line", rows(2) + "\r\n" + rows(18), "line 3 holds 0 cells"},
        {"an empty file", "", "ends in line 1"},
    };
    for (const auto& c : cases) {
        try {
            RoundFile::read(streamOf(c.bytes));
            ADD_FAILURE() << c.what << ": read";
        } catch (DIOExceptionPtr& e) {
            EXPECT_NE(narrow(e->getMessage()).find(c.reason), std::string::npos)
                << c.what << ": " << narrow(e->getMessage());
        }
    }
}

// Every round shipped reads whole, starts with an empty top row and has bricks to clear.
TEST_F(RoundFileTest, ReadsEveryRoundOfTheGame) {
    for (int round = 1; round <= 50; ++round) {
        char name[32];
        std::snprintf(name, sizeof name, "/data/bxm/rounds/round%02d.txt", round);
        std::ifstream in(std::string(MOSSYARD_SOURCE_DIR) + name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        RoundFilePtr file = RoundFile::read(streamOf(bytes.str()));
        for (int column = 0; column < RoundFile::columns; ++column) EXPECT_EQ(file->kindAt(0, column), 0) << round;
        EXPECT_GT(file->hitsToClear(), 0) << round;
    }
}

}  // namespace
