// The formation and the levels: where the aliens stand and how far the formation sways on
// both screens, the kinds each level gives the rows, the level values, the dive candidates,
// and the geometry the code takes from the art.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "gamemenu.h"
#include "imagefont.h"
#include "screencanvas.h"
#include "swarmline_fixture.h"

namespace {

struct Home {
    int x, y;
};

// Home places of the flat list, row 0 first, columns ascending.
std::vector<Home> homes() {
    std::vector<Home> places;
    for (int i = 0; i < Swarmline::aliens->length; ++i)
        places.push_back({Swarmline::aliens[i]->homeX, Swarmline::aliens[i]->homeY});
    return places;
}

void expectHomes(const std::vector<Home>& expected) {
    const std::vector<Home> actual = homes();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].x, expected[i].x) << "alien " << i;
        EXPECT_EQ(actual[i].y, expected[i].y) << "alien " << i;
    }
}

TEST_F(SwarmlineTest, FormationOfTheSmallScreen) {
    inGame([](Swarmline&) {
        playLevel(1);
        EXPECT_EQ(Swarmline::KIND_W, 14);
        // Rows 18 apart from y 94 up; the top pair stands apart, its column 0 on the right.
        expectHomes({{112, 22}, {74, 22},                                                  // row 0
                     {52, 40}, {76, 40}, {100, 40}, {124, 40},                              // row 1
                     {52, 58}, {76, 58}, {100, 58}, {124, 58}, {148, 58},                   // row 2
                     {28, 76}, {52, 76}, {76, 76}, {100, 76}, {124, 76}, {148, 76},         // row 3
                     {28, 94}, {52, 94}, {76, 94}, {100, 94}, {124, 94}, {148, 94}});       // row 4
        EXPECT_EQ(Swarmline::swayLimit, 14);
        EXPECT_EQ(Swarmline::aliens[0]->side, 0);
        EXPECT_EQ(Swarmline::aliens[1]->side, 1);
        EXPECT_EQ(Swarmline::aliens[17]->side, 0);
        EXPECT_EQ(Swarmline::aliens[22]->side, 1);
    });
}

TEST_F(PocketPcSwarmlineTest, FormationOfTheLargeScreen) {
    inGame([](Swarmline&) {
        playLevel(1);
        EXPECT_EQ(Swarmline::KIND_W, 20);
        expectHomes({{150, 28}, {100, 28},
                     {75, 52}, {105, 52}, {135, 52}, {165, 52},
                     {75, 76}, {105, 76}, {135, 76}, {165, 76}, {195, 76},
                     {45, 100}, {75, 100}, {105, 100}, {135, 100}, {165, 100}, {195, 100},
                     {45, 124}, {75, 124}, {105, 124}, {135, 124}, {165, 124}, {195, 124}});
        EXPECT_EQ(Swarmline::swayLimit, 25);
        EXPECT_EQ(Swarmline::RUN_ACCEL, 500);
    });
}

TEST_F(SwarmlineTest, KindsShiftByOneEachLevel) {
    // Kinds 1 to 8 are 0 to 7 here, rows 0 to 4.
    struct Case {
        int level;
        int kinds[5];
    };
    const Case cases[] = {{1, {7, 6, 5, 4, 3}}, {2, {0, 7, 6, 5, 4}}, {9, {7, 6, 5, 4, 3}}, {0, {6, 5, 4, 3, 2}}};
    inGame([&](Swarmline&) {
        for (const Case& c : cases) {
            playLevel(c.level);
            for (int row = 0; row < Swarmline::ROWS; ++row) {
                EXPECT_EQ(Swarmline::kindOf(c.level, row), c.kinds[row]) << "level " << c.level << ", row " << row;
                const AlienShipPtr first = Swarmline::formation[row][0];
                EXPECT_EQ(first->images.get(), Swarmline::alienImages[c.kinds[row]].get())
                    << "level " << c.level << ", row " << row;
                EXPECT_EQ(first->flyAnimation->frames.get(), Swarmline::flyAnimations[c.kinds[row]]->frames.get());
            }
        }
    });
}

TEST_F(SwarmlineTest, LevelValues) {
    struct Case {
        int level, maxDivers, dive, shotsPerDive;
    };
    const Case cases[] = {{1, 1, 292, 2}, {3, 2, 276, 2}, {4, 3, 268, 3}, {20, 11, 140, 7}};
    inGame([&](Swarmline&) {
        for (const Case& c : cases) {
            Swarmline::aliveCount = 5;
            playLevel(c.level);
            EXPECT_EQ(Swarmline::maxDivers, c.maxDivers) << "level " << c.level;
            EXPECT_EQ(Swarmline::diveBase, c.dive) << "level " << c.level;
            EXPECT_EQ(Swarmline::diveSpan, c.dive) << "level " << c.level;
            EXPECT_EQ(Swarmline::SHOTS_PER_DIVE, c.shotsPerDive) << "level " << c.level;
            EXPECT_EQ(Swarmline::aliveCount, 23);
            EXPECT_TRUE(Swarmline::background) << "level " << c.level;
            for (int row = 0; row < Swarmline::ROWS; ++row)
                EXPECT_EQ(GameTables::swarmlineTableB[row], GameTables::swarmlineTableA[row]);
            for (int i = 0; i < Swarmline::STAR_LAYERS * Swarmline::STARS_PER_LAYER; ++i) {
                const int x = Swarmline::stars[i][0] >> 16, y = Swarmline::stars[i][1] >> 16;
                EXPECT_TRUE(x >= 0 && x < Swarmline::canvasWidth && y >= 0 && y < Swarmline::canvasHeight) << i;
            }
        }
    });
}

// The candidates as indices into the flat list.
std::vector<int> candidates() {
    const int count = Swarmline::gatherCandidates();
    std::vector<int> found;
    for (int i = 0; i < count; ++i) {
        for (int a = 0; a < Swarmline::aliens->length; ++a)
            if (Swarmline::aliens[a].get() == Swarmline::diveCandidates[i].get()) found.push_back(a);
    }
    return found;
}

std::vector<int> allBut(std::initializer_list<int> gone) {
    std::vector<int> kept;
    for (int i = 0; i < 23; ++i)
        if (std::find(gone.begin(), gone.end(), i) == gone.end()) kept.push_back(i);
    return kept;
}

void keep(const std::vector<int>& indices) {
    const AlienShipArrayPtr aliens = Swarmline::aliens;
    for (int i = 0; i < aliens->length; ++i) aliens[i]->state = AlienShip::GONE;
    for (int row = 0; row < Swarmline::ROWS; ++row) GameTables::swarmlineTableB[row] = 0;
    for (int i : indices) {
        aliens[i]->state = AlienShip::IN_FORMATION;
        GameTables::swarmlineTableB[aliens[i]->row] += 1;
    }
    Swarmline::aliveCount = int(indices.size());
}

TEST_F(SwarmlineTest, DiveCandidates) {
    // Flat list: row 0 is 0-1, row 1 2-5, row 2 6-10, row 3 11-16, row 4 17-22.
    inGame([](Swarmline&) {
        playLevel(1);
        EXPECT_EQ(candidates(), (std::vector<int>{11, 16, 17, 22})) << "full: rows 3 and 4 only";

        keep(allBut({0, 3, 7}));
        EXPECT_EQ(candidates(), (std::vector<int>{11, 16, 17, 22})) << "rows 3 and 4 whole: rows 3 and 4 only";

        keep(allBut({11}));
        EXPECT_EQ(candidates(), (std::vector<int>{6, 10, 12, 16, 17, 22})) << "row 3 not whole: row 2 too";

        keep({0, 1, 2, 3, 4, 5});
        EXPECT_EQ(candidates(), (std::vector<int>{2, 5})) << "rows 2 to 4 empty: row 1";

        keep(allBut({17, 18, 20, 21, 22}));
        EXPECT_EQ(candidates(), (std::vector<int>{6, 10, 11, 16, 19, 19})) << "one left in row 4: entered twice";

        keep({0, 9, 20});
        Swarmline::aliens[9]->state = AlienShip::RETURNING;
        EXPECT_EQ(candidates(), (std::vector<int>{0, 0, 9, 9, 20, 20})) << "three left: every row";
        Swarmline::aliens[20]->state = AlienShip::EXPLODING;
        EXPECT_EQ(candidates(), (std::vector<int>{0, 0, 9, 9})) << "an exploding alien is not available";
    });
}

TEST_F(SwarmlineTest, FewAliensLeftAReturningAlienDivesAgain) {
    inGame([](Swarmline&) {
        playLevel(1);
        keep({9});
        AlienShipPtr alien = placeAlien(9, 100, 20, AlienShip::RETURNING);
        Swarmline::diveTimer = 0;
        frames(1);
        EXPECT_EQ(alien->state, AlienShip::LOOPING);
        EXPECT_EQ(Swarmline::maxDivers, Swarmline::FEW_ALIENS);
    });
}

void expectArtGeometry(int maxFlyWidth, int maxLevelWidth) {
    const int flyWidth = Swarmline::ALIEN_W, flyHeight = Swarmline::ALIEN_H;
    EXPECT_LE(flyWidth, maxFlyWidth);
    EXPECT_LE(flyWidth, flyHeight + 2);
    for (int kind = 0; kind < Swarmline::KINDS; ++kind) {
        for (int d = 0; d < Swarmline::DIRECTIONS; ++d) {
            const GameImagePtr image = Swarmline::alienImages[kind][d];
            EXPECT_EQ(image->width, flyWidth) << "kind " << kind + 1 << ", direction " << d;
            EXPECT_EQ(image->height, flyHeight) << "kind " << kind + 1 << ", direction " << d;
        }
        const GameImageArrayPtr frames = Swarmline::flyAnimations[kind]->frames;
        for (int i = 0; i < frames->length; ++i) EXPECT_EQ(frames[i]->width, flyWidth) << "kind " << kind + 1;
    }
    EXPECT_GT(Swarmline::swayLimit, 0) << "room to sway";
    const int topRow = Swarmline::aliens[0]->homeY - Swarmline::ALIEN_HALF_H;
    // The spare ships sit under the flags, from the right where the formation sways.
    EXPECT_GE(topRow, Swarmline::levelImage->height + Swarmline::lifeImage->height)
        << "the top row clears both rows of the HUD";
    EXPECT_LE(Swarmline::levelImage->width, maxLevelWidth);
    const int pause = GameMenu::pauseImage ? GameMenu::pauseImage->getWidth() : 0;
    const int scoreEnd = pause + 2 + ScreenCanvas::fonts[ScreenCanvas::numberFont0]->stringWidth(u"99999");
    EXPECT_LT(scoreEnd, Swarmline::canvasWidth - Swarmline::LAST_LEVEL * Swarmline::levelImage->width)
        << "twenty level flags clear a five-digit score";
    const int flame = Swarmline::shipAnimation->frames[0]->height;
    EXPECT_EQ(Swarmline::shipY + Swarmline::shipImage->height + flame, Swarmline::canvasHeight);
    EXPECT_GT(Swarmline::EXPL_HALF_W, 0);
    EXPECT_EQ(Swarmline::shipExplosion->frames->length, 6);
    EXPECT_EQ(Swarmline::alienExplosion->frames->length, 5);
    EXPECT_EQ(SwarmlineTest::diagnostics(), "") << "every frame and list was found";
}

TEST_F(SwarmlineTest, ArtGeometryOfTheSmallScreen) {
    inGame([](Swarmline&) {
        playLevel(1);
        expectArtGeometry(17, 5);
    });
}

TEST_F(PocketPcSwarmlineTest, ArtGeometryOfTheLargeScreen) {
    inGame([](Swarmline&) {
        playLevel(1);
        expectArtGeometry(27, 8);
    });
}

}  // namespace
