// Turning the picture on its way to a driver that faces another way.
#include <cstring>
#include "display_fixture.h"
#include "rotationdriver.h"
#include "stub_driver.h"

namespace {

// The own surface's pixel that lands on the driver's (x, y), w and h the own surface's size.
POINT SourceOf(DWORD turns, LONG x, LONG y, LONG w, LONG h) {
    switch (turns) {
    case 1: return {y, h - 1 - x};
    case 2: return {w - 1 - x, h - 1 - y};
    default: return {w - 1 - y, x};
    }
}

struct Turned {
    // The driver faces `turns` quarter turns from the upright picture of w x h.
    Turned(DWORD turns, DWORD w, DWORD h)
        : stub(new StubDriver(turns % 2 ? h : w, turns % 2 ? w : h, 2 * (turns % 2 ? h : w), turns,
                              SWAP_CAPABILITY_NONE)),
          rotation(stub) {
        EXPECT_TRUE(rotation.Initialize(nullptr, DisplayParameters{w, h, 0, SWAP_DISCARD}, stub->mode));
    }

    void DrawAndPresent(const RECT& dirty, DWORD flags = 0) {
        Surface* own = rotation.GetSurface();
        for (DWORD y = 0; y < own->height; ++y)
            for (DWORD x = 0; x < own->width; ++x) *own->pixelAddress(x, y) = Pattern(int(x), int(y));
        rotation.SetDirtyRect(dirty);
        rotation.Present(flags);
    }

    StubDriver* stub;
    RotationDriver rotation;
};

TEST(RotationTest, TurnsEveryPixelOfAnOddSizedPicture) {
    for (DWORD turns = 1; turns <= 3; ++turns) {
        for (DWORD flags : {DWORD(0), SWAP_WAIT}) {
            Turned t(turns, 50, 36);
            EXPECT_EQ(t.rotation.mode.width, 50u);
            EXPECT_EQ(t.rotation.mode.height, 36u);
            EXPECT_EQ(t.rotation.mode.swapCapability, SWAP_CAPABILITY_KEEP);
            t.DrawAndPresent(RECT{0, 0, 50, 36}, flags);
            for (LONG y = 0; y < LONG(t.stub->mode.height); ++y) {
                for (LONG x = 0; x < LONG(t.stub->mode.width); ++x) {
                    POINT s = SourceOf(turns, x, y, 50, 36);
                    ASSERT_EQ(t.stub->Pixel(x, y), Pattern(s.x, s.y)) << turns << " turns at " << x << ", " << y;
                }
            }
        }
    }
}

TEST(RotationTest, PutsTheCornersWhereTheyBelong) {
    Turned t(1, 50, 36);
    t.DrawAndPresent(RECT{0, 0, 50, 36});
    EXPECT_EQ(t.stub->Pixel(36 - 1, 0), Pattern(0, 0));
    EXPECT_EQ(t.stub->Pixel(0, 50 - 1), Pattern(50 - 1, 36 - 1));
}

struct DirtyCase {
    DWORD turns;
    RECT own;
    RECT driver;
};

TEST(RotationTest, MapsTheDirtyRectangleAndCopiesOnlyItsTiles) {
    const DirtyCase cases[] = {
        {1, {5, 7, 20, 9}, {27, 5, 29, 20}},
        {2, {5, 7, 20, 9}, {30, 27, 45, 29}},
        {3, {5, 7, 20, 9}, {7, 30, 9, 45}},
    };
    for (const DirtyCase& c : cases) {
        Turned t(c.turns, 50, 36);
        t.DrawAndPresent(c.own);
        EXPECT_EQ(t.stub->dirtyRects.back(), c.driver) << c.turns;
        // Whole 16-pixel tiles around the rectangle, and nothing else.
        RECT tiles{c.driver.left / 16 * 16, c.driver.top / 16 * 16, (c.driver.right + 15) / 16 * 16,
                   (c.driver.bottom + 15) / 16 * 16};
        for (LONG y = 0; y < LONG(t.stub->mode.height); ++y) {
            for (LONG x = 0; x < LONG(t.stub->mode.width); ++x) {
                bool copied = x >= tiles.left && x < tiles.right && y >= tiles.top && y < tiles.bottom;
                POINT s = SourceOf(c.turns, x, y, 50, 36);
                ASSERT_EQ(t.stub->Pixel(x, y), copied ? Pattern(s.x, s.y) : 0xEEEE)
                    << c.turns << " at " << x << ", " << y;
            }
        }
    }
}

// 176 x 220 is not made of whole tiles: the last ones stop at the driver's edges.
TEST(RotationTest, KeepsTheTilesInsideAScreenOfPartTiles) {
    const RECT dirty[] = {{0, 0, 176, 220}, {170, 210, 176, 220}, {0, 215, 3, 220}};
    for (DWORD turns = 1; turns <= 3; ++turns) {
        for (const RECT& r : dirty) {
            Turned t(turns, 176, 220);
            t.DrawAndPresent(r);
            for (LONG y = 0; y < LONG(t.stub->mode.height); ++y) {
                for (LONG x = 0; x < LONG(t.stub->mode.width); ++x) {
                    POINT s = SourceOf(turns, x, y, 176, 220);
                    bool dirtied = s.x >= r.left && s.x < r.right && s.y >= r.top && s.y < r.bottom;
                    if (!dirtied) continue;
                    ASSERT_EQ(t.stub->Pixel(x, y), Pattern(s.x, s.y)) << turns << " at " << x << ", " << y;
                }
            }
        }
    }
}

TEST(RotationTest, GivesTheSamePixelsWhateverTheTileOrderOrProcessor) {
    Surface* from = Surface::Create(50, 36);
    for (DWORD y = 0; y < 36; ++y)
        for (DWORD x = 0; x < 50; ++x) *from->pixelAddress(x, y) = Pattern(int(x), int(y));
    for (DWORD turns = 1; turns <= 3; ++turns) {
        DWORD w = turns % 2 ? 36 : 50, h = turns % 2 ? 50 : 36;
        Surface* reference = Surface::Create(w, h);
        Surface* other = Surface::Create(w, h);
        RECT all{0, 0, LONG(w), LONG(h)};
        SelectRotationCopy(turns, TileOrder::byColumns, CPU_OTHER)(*from, *reference, all);
        for (TileOrder order : {TileOrder::byColumns, TileOrder::byRows}) {
            for (CPUType cpu : {CPU_OTHER, CPU_STRONGARM, CPU_XSCALE}) {
                SelectRotationCopy(turns, order, cpu)(*from, *other, all);
                for (DWORD y = 0; y < h; ++y)
                    ASSERT_EQ(std::memcmp(other->pixelAddress(0, y), reference->pixelAddress(0, y), 2 * w), 0)
                        << turns << " turns, row " << y;
            }
        }
        delete reference;
        delete other;
    }
    delete from;
}

TEST(RotationTest, WaitsForTheScanWhenAskedThenPresents) {
    Turned t(3, 50, 36);
    t.DrawAndPresent(RECT{0, 0, 50, 36}, SWAP_WAIT);
    t.DrawAndPresent(RECT{0, 0, 50, 36}, 0);
    EXPECT_EQ(t.stub->waits, 1);
    EXPECT_EQ(t.stub->presents, 2);
}

}  // namespace
