// Sparks: a hundred rows at the most, and how long each kind lasts.
#include <gtest/gtest.h>
#include "drandom.h"
#include "gamelib.h"
#include "particles.h"
#include "screencanvas.h"

namespace {

class ParticlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        GameLib::sharedRandom = new dfc::util::DRandom();
        ScreenCanvas::screenWidth = 176;
        ScreenCanvas::screenHeight = 220;
    }
    void TearDown() override {
        GameLib::sharedRandom = nullptr;
        ScreenCanvas::screenWidth = ScreenCanvas::screenHeight = 0;
    }

    int used() {
        int count = 0;
        for (int i = 0; i < Particles::count; ++i) count += sparks->rows[i][Particles::kindField] != Particles::freeRow;
        return count;
    }
    // One spark at the top middle that only falls.
    void dropOne(int kind) {
        sparks->spawn(1, kind, 88, 0, 6);
        sparks->rows[0][Particles::xSpeedField] = sparks->rows[0][Particles::ySpeedField] = 0;
    }

    ParticlesPtr sparks = new Particles();
};

TEST_F(ParticlesTest, SparksBeyondTheFreeRowsAreDropped) {
    sparks->spawn(70, Particles::spark, 50, 50, 0);
    sparks->spawn(70, Particles::fireSpark, 50, 50, 0);
    EXPECT_EQ(used(), 100);
    sparks->clear();
    EXPECT_EQ(used(), 0);
}

TEST_F(ParticlesTest, ChipsLast25FramesAndSparks50) {
    const struct {
        int kind, frames;
    } cases[] = {{Particles::chip, 25}, {Particles::spark, 50}, {Particles::fireSpark, 50}};
    for (const auto& c : cases) {
        sparks->clear();
        dropOne(c.kind);
        for (int i = 1; i < c.frames; ++i) sparks->step();
        EXPECT_EQ(used(), 1) << c.kind;
        sparks->step();
        EXPECT_EQ(used(), 0) << c.kind;
    }
}

TEST_F(ParticlesTest, SparkLeavingTheScreenSidewaysGoes) {
    dropOne(Particles::spark);
    sparks->rows[0][Particles::xSpeedField] = 100 * 65536;
    sparks->step();
    EXPECT_EQ(used(), 1);
    sparks->step();
    EXPECT_EQ(used(), 0);
}

}  // namespace
