// One frame of play: speeds, steering, the one shot, fuel, crashes on land and out of fuel,
// the invulnerable start, the end of the game after the last plane's explosion, and the score
// over the field on the large screen.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "game_fixture.h"
#include "gamelib.h"
#include "imagefont.h"
#include "keystate.h"
#include "rendersurface.h"
#include "screencanvas.h"
#include "sound.h"

namespace {

struct SpeedCase {
    int before;
    bool up, down, minusOne, minusTwo;
    int after;
};

TEST_F(FloodpassTest, SpeedChangesOneStepPerPressAndStaysWithinSlowAndFast) {
    inGame([] {
        openRiver(3);
        const SpeedCase cases[] = {
            {Floodpass::slow, true, false, false, false, Floodpass::normal},
            {Floodpass::normal, true, false, false, false, Floodpass::fast},
            {Floodpass::fast, true, false, false, false, Floodpass::fast},
            {Floodpass::fast, false, true, false, false, Floodpass::normal},
            {Floodpass::normal, false, true, false, false, Floodpass::slow},
            {Floodpass::slow, false, true, false, false, Floodpass::slow},
            {Floodpass::slow, false, false, true, false, Floodpass::normal},
            {Floodpass::fast, false, false, false, true, Floodpass::normal},
            // Up wins over down in the same frame.
            {Floodpass::normal, true, true, false, false, Floodpass::fast},
        };
        for (const SpeedCase& c : cases) {
            Floodpass::speed = c.before;
            KeyState::up = c.up;
            KeyState::down = c.down;
            KeyState::minusOneKey = c.minusOne;
            KeyState::minusTwoKey = c.minusTwo;
            Floodpass::playStep();
            EXPECT_EQ(Floodpass::speed, c.after) << c.before << " " << c.up << c.down << c.minusOne << c.minusTwo;
            EXPECT_FALSE(KeyState::up || KeyState::minusOneKey);
            KeyState::down = KeyState::minusTwoKey = false;
            Floodpass::playStep();
            EXPECT_EQ(Floodpass::speed, c.after) << "a held key changes the speed once";
        }
    });
}

TEST_F(FloodpassTest, ScrollingMovesTheRiverAndThePlaneByTheSpeedAndBurnsFuel) {
    inGame([] {
        openRiver(3);
        const int top = Floodpass::top, planeY = Floodpass::planeY;
        Floodpass::speed = Floodpass::fast;
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::top, top + 3);
        EXPECT_EQ(Floodpass::planeY, planeY + 3);
        EXPECT_EQ(Floodpass::fuel, Floodpass::fullFuel - 3);
    });
}

TEST_F(FloodpassTest, SteeringStopsAtTheRiversEdges) {
    inGame([] {
        openRiver(3);
        Floodpass::invulnerableCounter = 0;  // over land for a moment without harm
        Floodpass::planeX = 1;
        KeyState::left = true;
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeX, 0);
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeX, 0);
        KeyState::left = false;
        const int highest = Floodpass::riverWidth - Floodpass::planeWidth - 1;
        Floodpass::planeX = highest - 1;
        KeyState::right = true;
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeX, highest);
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeX, highest);
        KeyState::right = false;
        KeyState::pointerDown = true;
        KeyState::pointerX = Floodpass::riverX0 + 10;
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeX, highest - 2) << "the stylus left of the plane steers left";
        KeyState::pointerDown = false;
    });
}

TEST_F(FloodpassTest, OneShotFliesAtATimeAndEndsAboveTheScreen) {
    inGame([] {
        openRiver(3);
        KeyState::fire = true;
        Floodpass::playStep();
        ASSERT_EQ(Floodpass::shotState, Floodpass::shotFlying);
        const int x = Floodpass::shotX, y = Floodpass::shotY;
        EXPECT_EQ(x, Floodpass::planeX + (Floodpass::planeWidth - 2) / 2);
        EXPECT_FALSE(KeyState::fire);
        KeyState::fire = true;
        Floodpass::planeX += 10;
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::shotX, x) << "a fire press while the shot flies is dropped";
        EXPECT_EQ(Floodpass::shotY, y + Floodpass::shotSpeed);
        EXPECT_FALSE(KeyState::fire);
        for (int i = 0; i < 200 && Floodpass::shotState == Floodpass::shotFlying; ++i) Floodpass::playStep();
        EXPECT_EQ(Floodpass::shotState, Floodpass::shotNone);
        EXPECT_GT(Floodpass::shotY, Floodpass::top - Floodpass::shotSpeed);
    });
}

TEST_F(FloodpassTest, RunningOutOfFuelCrashesUnlessInvulnerable) {
    inGame([] {
        openRiver(3);
        Floodpass::invulnerableCounter = 0;
        Floodpass::fuel = 10;
        for (int i = 0; i < Floodpass::invulnerableFrames; ++i) Floodpass::playStep();
        EXPECT_LT(Floodpass::fuel, 0) << "fuel may go below 0 while invulnerable";
        EXPECT_EQ(Floodpass::planeState, Floodpass::planeFlying);
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeState, Floodpass::planeExploding);
        EXPECT_EQ(Floodpass::lives, Floodpass::startLives - 1);
    });
}

TEST_F(FloodpassTest, LandCrashesThePlaneOnTheFirstFrameAfterTheInvulnerableHundred) {
    inGame([] {
        openRiver(3);
        Floodpass::invulnerableCounter = 0;
        Floodpass::planeX = 0;  // its box over the land columns
        for (int frame = 1; frame <= 100; ++frame) {
            Floodpass::playStep();
            ASSERT_EQ(Floodpass::planeState, Floodpass::planeFlying) << "frame " << frame;
        }
        Floodpass::playStep();
        EXPECT_EQ(Floodpass::planeState, Floodpass::planeExploding);
        EXPECT_EQ(Sound::currentPlayer.get(), Sound::soundTable[Floodpass::deathSound].get());
    });
}

TEST_F(FloodpassTest, AfterALostPlaneItStartsAgainAtTheRestartRowWithFullFuel) {
    inGame([] {
        openRiver(4);
        for (int i = 0; i < 150; ++i) Floodpass::playStep();
        Floodpass::restartRow = Floodpass::visibleRows + 20;
        Floodpass::fuel = 500;
        Floodpass::losePlane();
        for (int i = 0; i < 100 && Floodpass::planeState == Floodpass::planeExploding; ++i) frames(1);
        ASSERT_EQ(Floodpass::planeState, Floodpass::planeFlying);
        EXPECT_EQ(Floodpass::state, Floodpass::playState);
        EXPECT_EQ(Floodpass::fuel, Floodpass::fullFuel);
        EXPECT_LE(Floodpass::top - 8 * (Floodpass::visibleRows + 20), 3 * 2) << "T starts again at the restart row";
        EXPECT_LE(Floodpass::invulnerableCounter, 3);
        EXPECT_EQ(Floodpass::lives, Floodpass::startLives - 1);
    });
}

TEST_F(FloodpassTest, TheLastPlaneEndsTheGameOnlyWhenItsExplosionHasPlayed) {
    inGame([] {
        openRiver(3);
        Floodpass::lives = 0;
        Floodpass::losePlane();
        EXPECT_EQ(Floodpass::lives, -1);
        frames(1);
        EXPECT_EQ(Floodpass::state, Floodpass::playState) << "the explosion plays first";
        ASSERT_TRUE(runUntil(Floodpass::overState, 100));
        EXPECT_GE(Floodpass::planeExplosion->current, Floodpass::planeExplosion->frames->length - 1);
    });
}

// On the large screen the score reaches from the right panel into the field; it stands on the
// panel's tab there, so nothing of the field shows between or beside its digits.
class PocketPcPlay : public PocketPcFloodpassTest {};

std::vector<uint16_t> scoreBoxAfterAFrame(const std::u16string& digits) {
    StartedAppTest::frames(1);
    const ImageFontPtr font = ScreenCanvas::font(ScreenCanvas::numberFont1);
    const int right = ScreenCanvas::screenWidth - 2,
              left = right - font->stringWidth(dfc::lang::DStringPtr(digits.c_str()));
    const RenderSurface* screen = GameLib::screenCanvas->getBackBuffer();
    std::vector<uint16_t> pixels;
    for (int y = 0; y < 2 + font->getHeight(); ++y)
        for (int x = left; x < right; ++x) pixels.push_back(screen->getPixel(x, y));
    return pixels;
}

TEST_F(PocketPcPlay, TheScoreHidesTheFieldItReachesInto) {
    inGame([] {
        openRiver(3);
        Floodpass::score = 1234567;
        const std::vector<uint16_t> overLand = scoreBoxAfterAFrame(u"1234567");
        Floodpass::ringGraphics->setColor(0xff00ff);
        Floodpass::ringGraphics->fillRect(0, 0, Floodpass::riverWidth, Floodpass::visibleHeight + Floodpass::cellSize);
        EXPECT_TRUE(scoreBoxAfterAFrame(u"1234567") == overLand);
    });
}

}  // namespace
